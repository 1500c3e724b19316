// Start-up's services beside the window: the crash reporter with the product's texts, the
// file-transfer store beside the resource module, and the UTF-8 path holder it is opened with.
#include "app/CRSDatabasePath.h"
#include "platform/CrashRpt/CrashRptTestHooks.h"
#include "platform/FileTransfer/FileTransferTestHooks.h"
#include "platform/FileTransfer/RSDatabaseHelper.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "framework/COleDataSource.h"
#include "tests/app/AppTestSupport.h"
#include <gtest/gtest.h>

namespace {

std::string Utf8(const std::wstring& text)
{
    int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    if (n > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring PropertyOf(const std::vector<std::pair<std::wstring, std::wstring>>& props, const wchar_t* name)
{
    for (const auto& p : props) {
        if (p.first == name)
            return p.second;
    }
    return L"<absent>";
}

} // namespace

TEST(CrashReporterStartTest, InstalledWithProductTextsUploadAndProperties)
{
    apptest::ResourceModuleScope resources;
    ASSERT_TRUE(resources.IsLoaded());
    CKorvelApp app;
    app.InstallCrashReporter();
    ASSERT_TRUE(CrashRptTest_IsInstalled());

    EXPECT_EQ(CrashRptTest_GetAppName(), L"Korvel Messenger");
    const std::wstring url = CrashRptTest_GetUploadUrl();
    EXPECT_NE(url.find(L":1000/public/upload.aspx?op=upload_all"), std::wstring::npos) << url;
    EXPECT_EQ(CrashRptTest_GetUploadFlags(), 0x11FFFu);

    const auto props = CrashRptTest_GetProperties();
    ASSERT_EQ(props.size(), 5u);
    const wchar_t* order[] = {L"ProductType", L"ProductName", L"VersionNumber", L"BuildDate", L"AssembleDate"};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(props[i].first, order[i]);
    EXPECT_EQ(PropertyOf(props, L"ProductType"), L"Korvel Messenger");
    EXPECT_EQ(PropertyOf(props, L"ProductName"), L"Korvel");
    // The version text comes from the view library for the code 41362.
    EXPECT_EQ(PropertyOf(props, L"VersionNumber"), std::wstring(CQorViewBaseFun::GetAppVerInfo(41362).GetString()));
    // "Mmm dd yyyy hh:mm:ss", the compiler's date and time.
    const std::wstring built = PropertyOf(props, L"BuildDate");
    ASSERT_EQ(built.size(), 20u) << built;
    EXPECT_EQ(built[11], L' ');
    EXPECT_EQ(built[14], L':');
    EXPECT_EQ(PropertyOf(props, L"AssembleDate"), L"20xx-xx-xx xx:xx");

    app.UninstallCrashReporter();
    EXPECT_FALSE(CrashRptTest_IsInstalled());
}

TEST(CrashReporterStartTest, ProductNameFallsBackToGenericWithoutItsString)
{
    // A resource module without the product strings (the test program itself).
    HINSTANCE saved = AfxGetResourceHandle();
    AfxSetResourceHandle(::GetModuleHandleW(nullptr));
    CKorvelApp app;
    app.InstallCrashReporter();
    const auto props = CrashRptTest_GetProperties();
    app.UninstallCrashReporter();
    AfxSetResourceHandle(saved);
    EXPECT_EQ(PropertyOf(props, L"ProductName"), L"Generic");
}

// RS.Dat is opened beside the resource module, also from a folder whose name the ANSI code
// page cannot spell.
TEST(FileTransferStoreTest, OpenedBesideTheResourceModuleFromAUtf8Path)
{
    const std::wstring dir = testsupport::TempDir(L"korvel_rs_\x0416\x5B58\x00FC");
    // A copy under another name, so that the loader cannot hand back the one beside the tests.
    const std::wstring module = dir + L"\\KorvelRes.dll";
    ASSERT_TRUE(::CopyFileW((testsupport::ExeDir() + L"\\QorResource.dll").c_str(), module.c_str(), FALSE));
    HMODULE hModule = ::LoadLibraryW(module.c_str());
    ASSERT_NE(hModule, nullptr);
    HINSTANCE saved = AfxGetResourceHandle();
    AfxSetResourceHandle(hModule);

    CKorvelApp app;
    app.OpenFileTransferStore();
    RSDatabaseHelper* store = RSDatabaseHelper::GetInstance();
    EXPECT_TRUE(store->IsOpen());
    EXPECT_EQ(store->GetPath(), Utf8(dir + L"\\RS.Dat"));
    EXPECT_NE(::GetFileAttributesW((dir + L"\\RS.Dat").c_str()), INVALID_FILE_ATTRIBUTES);
    store->Close();

    // A store that cannot be opened does not stop the start.
    FileTransferTest_RefuseInit(true);
    app.OpenFileTransferStore();
    FileTransferTest_RefuseInit(false);
    EXPECT_FALSE(store->IsOpen());

    AfxSetResourceHandle(saved);
    ::FreeLibrary(hModule);
    testsupport::RemoveTree(dir);
}

TEST(RSDatabasePathTest, WideAndLocalTextsBecomeUtf8)
{
    CRSDatabasePath path;
    EXPECT_STREQ(path.Get(), "");
    path.Set(CString(L"C:\\Daten\\\x00FC\x5B58\\RS.Dat"));
    EXPECT_STREQ(path.Get(), "C:\\Daten\\\xC3\xBC\xE5\xAD\x98\\RS.Dat");
    path.SetLocal("D:\\Korvel\\RS.Dat");
    EXPECT_STREQ(path.Get(), "D:\\Korvel\\RS.Dat");
    // Nothing to convert: the path stays as it was.
    path.SetLocal(nullptr);
    EXPECT_STREQ(path.Get(), "D:\\Korvel\\RS.Dat");
    path.Set(CString());
    EXPECT_STREQ(path.Get(), "");
}

// OLE starts once on the user-interface thread and ends at exit, before COM: the thread's
// apartment is then fully released, and what the program left on the clipboard stays there
// after it has gone.
TEST(OleStartTest, OleEndsAtExitSoTheClipboardKeepsTheProgramsData)
{
    const std::wstring text = L"Korvel copied " + std::to_wstring(::GetTickCount());
    struct Run {
        const std::wstring* text;
        BOOL started = FALSE;
        BOOL put = FALSE;
        HRESULT afterExit = E_FAIL;
        static DWORD WINAPI Thread(void* p)
        {
            Run* r = static_cast<Run*>(p);
            ::CoInitialize(nullptr); // the COM server's apartment, ended by the test below
            {
                CKorvelApp app;
                r->started = app.StartOle();
                auto* source = new COleDataSource();
                const size_t bytes = (r->text->size() + 1) * sizeof(wchar_t);
                HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
                memcpy(::GlobalLock(h), r->text->c_str(), bytes);
                ::GlobalUnlock(h);
                source->CacheGlobalData(CF_UNICODETEXT, h);
                r->put = source->SetClipboard();
                app.ExitInstance();
            }
            ::CoUninitialize();
            // S_OK: nothing of the start-up's initialisations was left behind on the thread.
            r->afterExit = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            if (SUCCEEDED(r->afterExit))
                ::CoUninitialize();
            return 0;
        }
    } run;
    run.text = &text;
    HANDLE thread = ::CreateThread(nullptr, 0, &Run::Thread, &run, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    ASSERT_TRUE(testsupport::WaitForProcess(thread, 60000));
    ::CloseHandle(thread);
    EXPECT_TRUE(run.started);
    ASSERT_TRUE(run.put);
    EXPECT_EQ(S_OK, run.afterExit);

    ASSERT_TRUE(::OpenClipboard(nullptr));
    std::wstring pasted;
    if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
        pasted = static_cast<const wchar_t*>(::GlobalLock(h));
        ::GlobalUnlock(h);
    }
    ::CloseClipboard();
    EXPECT_EQ(text, pasted);
}
