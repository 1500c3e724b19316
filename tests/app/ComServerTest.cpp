// Korvel.exe as a COM local server: /RegServer writes its classes, application id and type
// library; a second process (this test) creates Korvel.Console by ProgID and calls it, through
// its vtable and IDispatch; the server ends with its last object; /UnregServer removes it all.
// Also: a program folder without QorResource.dll ends the start (with its message, kept quiet here),
// and a first start with nothing saved asks for the server in the sign-in panel's chooser.
#include "framework/CComBSTR.h"
#include "framework/CComPtr.h"
#include "framework/CComQIPtr.h"
#include "framework/CComVariant.h"
#include "tests/app/AppTestSupport.h"
#include "KorvelLib.h"
#include <gtest/gtest.h>
#include <objbase.h>

namespace {

const wchar_t kConsoleClsid[] = L"{CE396F2F-7F36-4C63-AB17-703A6A97E69B}";
const wchar_t kAppId[] = L"{80BD9FA3-D45C-48B6-AB55-32A1976E8DD8}";
const wchar_t kLibId[] = L"{2E6F7918-8031-41E6-A97C-E08EEA2712F8}";

struct ClassKeys {
    const wchar_t* progId;
    const wchar_t* clsid;
    const wchar_t* description;
};
const ClassKeys kClasses[] = {
    {L"Korvel.TheCallback", L"{5A06BE36-4D88-4ECB-A785-A26004D74F08}", L"TheCallback Class"},
    {L"Korvel.CoreCallBack", L"{B6C6E410-B915-4900-8B51-A2B494D6D920}", L"CoreCallBack Class"},
    {L"Korvel.Console", L"{CE396F2F-7F36-4C63-AB17-703A6A97E69B}", L"Console Class"},
    {L"Korvel.Message", L"{01014D22-537A-4519-B8FC-873F8BEC29AD}", L"Message Class"},
};

using testsupport::RunProgram;
using testsupport::WaitForProcess;

std::wstring KorvelExe()
{
    return testsupport::ExeDir() + L"\\Korvel.exe";
}

// Why a class object of the program could not be had. Wine's class-object service keeps the
// registration of a server process that was killed (not ended) and hands that dead object to
// every later client of the class for as long as the prefix's wineserver lives.
std::string WhyNoServer(HRESULT hr)
{
    char text[160];
    const bool stale = hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) || hr == RPC_E_DISCONNECTED ||
                       hr == CO_E_OBJNOTCONNECTED;
    snprintf(text, sizeof(text), "0x%08lx%s", static_cast<unsigned long>(hr),
             stale ? " (a killed Korvel.exe's class objects are still registered: tools/wine-run --end-session)" : "");
    return text;
}

} // namespace

TEST(KorvelComServerTest, RegisterServeAndUnregister)
{
    using apptest::ReadRegText;
    using apptest::RegKeyExists;
    ASSERT_EQ(RunProgram(KorvelExe(), L"/RegServer"), 0);

    for (const ClassKeys& c : kClasses) {
        SCOPED_TRACE(c.progId);
        const std::wstring clsidKey = std::wstring(L"CLSID\\") + c.clsid;
        EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, clsidKey), c.description);
        EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, clsidKey + L"\\ProgID"), std::wstring(c.progId) + L".1");
        EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, clsidKey + L"\\VersionIndependentProgID"), c.progId);
        std::wstring server = ReadRegText(HKEY_CLASSES_ROOT, clsidKey + L"\\LocalServer32");
        EXPECT_NE(server.find(L"Korvel.exe"), std::wstring::npos) << server;
        EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, clsidKey, L"AppID"), kAppId);
        EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, clsidKey + L"\\TypeLib"), kLibId);
        EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, std::wstring(c.progId) + L"\\CLSID"), c.clsid);
        EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, std::wstring(c.progId) + L"\\CurVer"), std::wstring(c.progId) + L".1");
        EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, std::wstring(c.progId) + L".1\\CLSID"), c.clsid);
    }
    EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, L"AppID\\Korvel.EXE", L"AppID"), kAppId);
    EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, std::wstring(L"AppID\\") + kAppId));
    EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, std::wstring(L"TypeLib\\") + kLibId + L"\\1.0"));
    // The two scripts that belong to no class are never run.
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, L"Korvel.Msg"));
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, L"Korvel.SpaceCon"));

    CLSID clsid = {};
    ASSERT_EQ(::CLSIDFromProgID(L"Korvel.Console", &clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_Console));
    HRESULT hrCreate = S_OK;
    {
        CComPtr<IConsole> console;
        hrCreate = ::CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IConsole,
                                      reinterpret_cast<void**>(&console));
    }
    if (FAILED(hrCreate)) {
        RunProgram(KorvelExe(), L"-UnregServer");
        FAIL() << "Korvel.Console from the server COM started: " << WhyNoServer(hrCreate);
    }
    {
        CComPtr<IConsole> console;
        ASSERT_EQ(::CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IConsole,
                                     reinterpret_cast<void**>(&console)),
                  S_OK);
        // Started by COM to serve objects only: there is no main window.
        LONG signedIn = -1;
        EXPECT_EQ(console->IsSignedIn(&signedIn), S_OK);
        EXPECT_EQ(signedIn, 0);
        BSTR users = nullptr;
        EXPECT_EQ(console->GetSelectedUsers(&users), S_FALSE);
        ::SysFreeString(users);
        EXPECT_EQ(console->Notify(1, 2, CComBSTR(L"n")), S_OK);

        // Through IDispatch, answered from the program's type library.
        CComQIPtr<IDispatch> disp(console.p);
        ASSERT_TRUE(disp);
        LPOLESTR name = const_cast<LPOLESTR>(L"IsSignedIn");
        DISPID id = DISPID_UNKNOWN;
        ASSERT_EQ(disp->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        CComVariant result;
        EXPECT_EQ(disp->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result, nullptr, nullptr),
                  S_OK);
        EXPECT_EQ(result.vt, VT_I4);
        EXPECT_EQ(result.lVal, 0);

        // A message object from the same server, handed back to the console.
        CComPtr<IMessage> message;
        ASSERT_EQ(::CoCreateInstance(CLSID_Message, nullptr, CLSCTX_LOCAL_SERVER, IID_IMessage,
                                     reinterpret_cast<void**>(&message)),
                  S_OK);
        message->SetValue(CComBSTR(L"Key"), CComBSTR(L"v"));
        BSTR value = nullptr;
        EXPECT_EQ(message->GetValue(CComBSTR(L"KEY"), &value), S_OK);
        EXPECT_STREQ(value, L"v");
        ::SysFreeString(value);
        EXPECT_EQ(console->SendMsg(message, 1, 0), S_FALSE); // no main window to send with
    }

    ASSERT_EQ(RunProgram(KorvelExe(), L"-UnregServer"), 0);
    for (const ClassKeys& c : kClasses) {
        EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + c.clsid)) << c.progId;
        EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, c.progId));
        EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, std::wstring(c.progId) + L".1"));
    }
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, std::wstring(L"AppID\\") + kAppId));
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, L"AppID\\Korvel.EXE"));
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, std::wstring(L"TypeLib\\") + kLibId));
    EXPECT_NE(::CLSIDFromProgID(L"Korvel.Console", &clsid), S_OK);
}

// A copy of the program whose folder lacks QorResource.dll ends its start there, with its own
// exit code (the message box is kept quiet for the unattended run).
TEST(KorvelComServerTest, ProgramWithoutItsResourceModuleEndsWithItsMessage)
{
    std::wstring dir = testsupport::TempDir(L"korvel_no_resources");
    WIN32_FIND_DATAW fd;
    HANDLE find = ::FindFirstFileW((testsupport::ExeDir() + L"\\*.dll").c_str(), &fd);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do {
        if (lstrcmpiW(fd.cFileName, L"QorResource.dll") != 0)
            ::CopyFileW((testsupport::ExeDir() + L"\\" + fd.cFileName).c_str(), (dir + L"\\" + fd.cFileName).c_str(),
                        FALSE);
    } while (::FindNextFileW(find, &fd));
    ::FindClose(find);
    ASSERT_TRUE(::CopyFileW(KorvelExe().c_str(), (dir + L"\\Korvel.exe").c_str(), FALSE));

    ::SetEnvironmentVariableW(L"KORVEL_NO_STARTUP_BOX", L"1");
    int rc = RunProgram(dir + L"\\Korvel.exe", L"loginname=a");
    ::SetEnvironmentVariableW(L"KORVEL_NO_STARTUP_BOX", nullptr);
    EXPECT_EQ(rc, STARTUP_EXIT_NO_RESOURCES); // the start ended at the resource module
    testsupport::RemoveTree(dir);
}

namespace {

struct MainWindowSearch {
    DWORD pid;
    HWND hwnd;
    std::wstring seen; // the program's top-level windows, for the failure message
};

// The main window: a visible dialog of the program that no other window owns.
BOOL CALLBACK FindProgramMainWindow(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<MainWindowSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->pid)
        return TRUE;
    wchar_t cls[64] = {};
    wchar_t caption[64] = {};
    ::GetClassNameW(hwnd, cls, 64);
    ::GetWindowTextW(hwnd, caption, 64);
    search->seen += std::wstring(L"[") + cls + L" \"" + caption + L"\"" + (::IsWindowVisible(hwnd) ? L" visible]" : L"]");
    if (::IsWindowVisible(hwnd) && lstrcmpW(cls, L"#32770") == 0 && !::GetWindow(hwnd, GW_OWNER)) {
        search->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

// The whole start of an ordinary run: the program comes up with its main window (no tray icon
// by "startup=4"), serves its objects meanwhile, and WM_USER+2000 ends it with the exit code 0
// after its shut-down.
TEST(KorvelComServerTest, OrdinaryRunShowsTheMainWindowServesAndExitsCleanly)
{
    std::wstring cmd = L"\"" + KorvelExe() + L"\" startup=4";
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    ::SetEnvironmentVariableW(L"KORVEL_NO_STARTUP_BOX", L"1");
    BOOL started = ::CreateProcessW(KorvelExe().c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    ::SetEnvironmentVariableW(L"KORVEL_NO_STARTUP_BOX", nullptr);
    ASSERT_TRUE(started);
    ::CloseHandle(pi.hThread);

    MainWindowSearch search = {pi.dwProcessId, nullptr};
    bool ended = false;
    testsupport::PumpUntil(
        [&] {
            ended = ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
            if (!ended) {
                search.seen.clear();
                ::EnumWindows(FindProgramMainWindow, reinterpret_cast<LPARAM>(&search));
            }
            return ended || search.hwnd != nullptr;
        },
        12000);
    EXPECT_FALSE(ended) << "the program ended during its start";
    EXPECT_NE(search.hwnd, nullptr) << testing::PrintToString(search.seen);

    if (search.hwnd) {
        // A tool window without a taskbar button, holding the sign-in panel.
        EXPECT_TRUE(::GetWindowLongPtrW(search.hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        EXPECT_NE(::GetWindow(search.hwnd, GW_CHILD), nullptr);

        // The running program serves its objects. Its interfaces are not registered here (no
        // /RegServer), so the call goes through IDispatch, answered from the program's own type
        // library.
        CComPtr<IDispatch> console;
        HRESULT hr = ::CoCreateInstance(CLSID_Console, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                        reinterpret_cast<void**>(&console));
        EXPECT_EQ(S_OK, hr) << "Korvel.Console from the running program: " << WhyNoServer(hr);
        if (console) {
            LPOLESTR name = const_cast<LPOLESTR>(L"IsSignedIn");
            DISPID id = DISPID_UNKNOWN;
            ASSERT_EQ(console->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
            DISPPARAMS none = {nullptr, nullptr, 0, 0};
            CComVariant result;
            EXPECT_EQ(console->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result, nullptr,
                                      nullptr),
                      S_OK);
            EXPECT_EQ(result.vt, VT_I4);
            EXPECT_EQ(result.lVal, 0); // the window is there, nobody has signed in
            console.Release();
        }
        ::PostMessageW(search.hwnd, WM_USER + 2000, 0, 0);
    } else if (!ended) {
        // Still end it through its loop, so that its class objects are revoked and not left
        // behind in the prefix as a killed program's would be.
        ::PostThreadMessageW(pi.dwThreadId, WM_QUIT, 0, 0);
    }

    DWORD code = 0xFFFFFFFF;
    if (testsupport::WaitForProcess(pi.hProcess, 60000)) {
        ::GetExitCodeProcess(pi.hProcess, &code);
    } else {
        ::TerminateProcess(pi.hProcess, 99);
        ADD_FAILURE() << "the program did not end after WM_USER+2000";
    }
    ::CloseHandle(pi.hProcess);
    EXPECT_EQ(code, 0u);
}

namespace {

// The first window of the program's that has this control id and class, at any depth.
struct ControlSearch {
    int id;
    const wchar_t* cls;
    HWND found;
};
BOOL CALLBACK FindControl(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<ControlSearch*>(lParam);
    wchar_t cls[64] = {};
    ::GetClassNameW(hwnd, cls, 64);
    if (::GetDlgCtrlID(hwnd) == search->id && lstrcmpiW(cls, search->cls) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

// A start on a machine where nothing was ever saved: the server chooser of the sign-in panel
// shows "<" + string 62083 + ">" and the screen shows it, so the user knows what to type first.
TEST(KorvelComServerTest, FirstStartAsksForTheServerInTheChooser)
{
    const std::wstring profile = testsupport::TempDir(L"korvel_first_start");
    std::wstring cmd = L"\"" + KorvelExe() + L"\" startup=4";
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    ::SetEnvironmentVariableW(L"KORVEL_NO_STARTUP_BOX", L"1");
    ::SetEnvironmentVariableW(L"KORVEL_PROFILE_ROOT", profile.c_str());
    BOOL started = ::CreateProcessW(KorvelExe().c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    ::SetEnvironmentVariableW(L"KORVEL_PROFILE_ROOT", nullptr);
    ::SetEnvironmentVariableW(L"KORVEL_NO_STARTUP_BOX", nullptr);
    ASSERT_TRUE(started);
    ::CloseHandle(pi.hThread);

    MainWindowSearch search = {pi.dwProcessId, nullptr};
    ControlSearch chooser = {1012, L"ComboBox", nullptr};
    wchar_t text[128] = {};
    const std::wstring prompt = L"<Please enter the server address>";
    int darkPixels = 0, lightPixels = 0, area = 0;
    // The other process paints in its own time: wait until its chooser shows the prompt.
    testsupport::PumpUntil(
        [&] {
            if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0)
                return true;
            if (!search.hwnd) {
                search.seen.clear();
                ::EnumWindows(FindProgramMainWindow, reinterpret_cast<LPARAM>(&search));
            }
            if (search.hwnd && !chooser.found)
                ::EnumChildWindows(search.hwnd, FindControl, reinterpret_cast<LPARAM>(&chooser));
            if (!chooser.found)
                return false;
            // WM_GETTEXT (GetWindowText would give another process's combo box's caption).
            DWORD_PTR copied = 0;
            ::SendMessageTimeoutW(chooser.found, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                                  2000, &copied);
            // The box's text field, inside the frame: painted light, with dark letters on it.
            HWND edit = ::GetWindow(chooser.found, GW_CHILD);
            if (!edit)
                return false;
            const RECT field = testsupport::ClientRectOnScreen(edit);
            area = (field.right - field.left) * (field.bottom - field.top);
            darkPixels = testsupport::CountScreenPixels(field, testsupport::IsDark);
            lightPixels = testsupport::CountScreenPixels(field, [](COLORREF c) { return !testsupport::IsDark(c); });
            return prompt == text && lightPixels > area / 2 && darkPixels > 40;
        },
        3000);
    ASSERT_NE(nullptr, search.hwnd) << testing::PrintToString(search.seen);
    EXPECT_NE(nullptr, chooser.found);
    EXPECT_EQ(prompt, std::wstring(text));
    // Its letters are on the screen: an empty field shows at most a caret.
    EXPECT_GT(lightPixels, area / 2);
    EXPECT_GT(darkPixels, 40);
    testsupport::SaveScreenshot(testsupport::ExeDir() + L"\\first_start.bmp", search.hwnd);

    ::PostMessageW(search.hwnd, WM_USER + 2000, 0, 0);
    if (!testsupport::WaitForProcess(pi.hProcess, 60000)) {
        ::TerminateProcess(pi.hProcess, 99);
        ADD_FAILURE() << "the program did not end after WM_USER+2000";
    }
    ::CloseHandle(pi.hProcess);
    testsupport::RemoveTree(profile);
}
