// The crash reporter stand-in, called by ordinal as start-up calls it. The filter is run
// directly with an exception record of the test's own: the test process never crashes.
#include "platform/CrashRpt/CrashRpt.h"
#include "platform/CrashRpt/CrashRptTestHooks.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>

namespace {

class CrashRptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dll = ::LoadLibraryW(L"CrashRpt.dll");
        ASSERT_NE(m_dll, nullptr);
        m_install = reinterpret_cast<PFN_crInstallW>(::GetProcAddress(m_dll, MAKEINTRESOURCEA(CRASHRPT_ORD_INSTALL)));
        m_uninstall = reinterpret_cast<PFN_crUninstall>(::GetProcAddress(m_dll, MAKEINTRESOURCEA(CRASHRPT_ORD_UNINSTALL)));
        m_upload = reinterpret_cast<PFN_crSetUploadW>(::GetProcAddress(m_dll, MAKEINTRESOURCEA(CRASHRPT_ORD_SET_UPLOAD)));
        m_property =
            reinterpret_cast<PFN_crAddPropertyW>(::GetProcAddress(m_dll, MAKEINTRESOURCEA(CRASHRPT_ORD_ADD_PROPERTY)));
        ASSERT_TRUE(m_install && m_uninstall && m_upload && m_property);
        m_dir = testsupport::TempDir(L"crashrpt");
        CrashRptTest_SetLogFolder((m_dir + L"\\log").c_str());
    }
    void TearDown() override
    {
        if (CrashRptTest_IsInstalled())
            m_uninstall();
        CrashRptTest_SetLogFolder(nullptr);
        testsupport::RemoveTree(m_dir);
        ::FreeLibrary(m_dll);
    }

    // Installs as start-up does: the record with texts that die after the call.
    void InstallLikeStartup()
    {
        wchar_t name[32], version[32], subject[64];
        wcscpy(name, L"Korvel");
        wcscpy(version, L"4.1.362");
        wcscpy(subject, L"Korvel Error Report");
        CR_INSTALL_INFOW info;
        memset(&info, 0, sizeof(info));
        info.cb = sizeof(info);
        info.pszAppName = name;
        info.pszAppVersion = version;
        info.pszEmailTo = L"crash@example.invalid";
        info.pszEmailSubject = subject;
        info.pszSmtpServer = L"smtp.example.invalid";
        info.pszSmtpLogin = L"crash";
        info.pszSmtpPassword = L"0123456789abcdef";
        ASSERT_EQ(m_install(&info), 0);
        wcscpy(name, L"garbage");
        ASSERT_EQ(m_upload(L"Korvel", L"http://reports.example.invalid:1000/public/upload.aspx?op=upload_all", 0,
                           CRASHRPT_FLAGS_DEFAULT),
                  0);
        ASSERT_EQ(m_property(L"ProductType", L"Korvel"), 0);
        ASSERT_EQ(m_property(L"ProductName", L"Generic"), 0);
        ASSERT_EQ(m_property(L"VersionNumber", L"4.1.362"), 0);
        ASSERT_EQ(m_property(L"BuildDate", L"May 31 2017 15:09:11"), 0);
        ASSERT_EQ(m_property(L"AssembleDate", L"20xx-xx-xx xx:xx"), 0);
    }

    HMODULE m_dll = nullptr;
    PFN_crInstallW m_install = nullptr;
    PFN_crUninstall m_uninstall = nullptr;
    PFN_crSetUploadW m_upload = nullptr;
    PFN_crAddPropertyW m_property = nullptr;
    std::wstring m_dir;
};

std::string ReadWholeFile(const std::wstring& path)
{
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::string();
    std::string data(::GetFileSize(h, nullptr), '\0');
    DWORD n = 0;
    if (!data.empty())
        ::ReadFile(h, &data[0], static_cast<DWORD>(data.size()), &n, nullptr);
    ::CloseHandle(h);
    return data;
}

} // namespace

TEST_F(CrashRptTest, InstallCopiesTheRecordAndReplacesTheFilter)
{
    LPTOP_LEVEL_EXCEPTION_FILTER before = ::SetUnhandledExceptionFilter(nullptr);
    ::SetUnhandledExceptionFilter(before);

    InstallLikeStartup();
    EXPECT_TRUE(CrashRptTest_IsInstalled());
    EXPECT_EQ(CrashRptTest_GetAppName(), L"Korvel") << "the name was copied before the caller's buffer changed";
    EXPECT_EQ(CrashRptTest_GetUploadFlags(), 0x11FFFu);
    EXPECT_NE(CrashRptTest_GetUploadUrl().find(L":1000/public/upload.aspx?op=upload_all"), std::wstring::npos);
    auto props = CrashRptTest_GetProperties();
    ASSERT_EQ(props.size(), 5u);
    EXPECT_EQ(props[0].first, L"ProductType");
    EXPECT_EQ(props[4].second, L"20xx-xx-xx xx:xx");

    LPTOP_LEVEL_EXCEPTION_FILTER ours = ::SetUnhandledExceptionFilter(before);
    EXPECT_NE(ours, before) << "installation set a filter of its own";
    ::SetUnhandledExceptionFilter(ours);

    EXPECT_EQ(m_uninstall(), 0);
    EXPECT_FALSE(CrashRptTest_IsInstalled());
    LPTOP_LEVEL_EXCEPTION_FILTER after = ::SetUnhandledExceptionFilter(nullptr);
    ::SetUnhandledExceptionFilter(after);
    EXPECT_EQ(after, before) << "uninstallation gave the old filter back";
    EXPECT_TRUE(CrashRptTest_GetProperties().empty());
    EXPECT_EQ(m_uninstall(), -1);
    EXPECT_EQ(m_property(L"ProductType", L"x"), -1) << "properties need an installed reporter";
}

TEST_F(CrashRptTest, RecordsOfTheWrongSizeAreRefused)
{
    EXPECT_EQ(m_install(nullptr), -1);
    CR_INSTALL_INFOW info;
    memset(&info, 0, sizeof(info));
    info.cb = 60;
    EXPECT_EQ(m_install(&info), -1);
    EXPECT_FALSE(CrashRptTest_IsInstalled());
}

TEST_F(CrashRptTest, FilterWritesAMinidumpAndTheProperties)
{
    InstallLikeStartup();
    CONTEXT context;
    memset(&context, 0, sizeof(context));
    ::RtlCaptureContext(&context);
    EXCEPTION_RECORD record;
    memset(&record, 0, sizeof(record));
    record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    record.ExceptionAddress = reinterpret_cast<PVOID>(&ReadWholeFile);
    EXCEPTION_POINTERS pointers = { &record, &context };

    EXPECT_EQ(CrashRptTest_InvokeFilter(&pointers), EXCEPTION_EXECUTE_HANDLER);
    std::wstring dump = CrashRptTest_GetLastDumpFile();
    std::wstring report = CrashRptTest_GetLastReportFile();
    ASSERT_FALSE(dump.empty());
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(dump.rfind(m_dir + L"\\log\\Korvel_", 0), 0u) << "named after the application, in the log folder";
    std::string bytes = ReadWholeFile(dump);
    ASSERT_GT(bytes.size(), 32u);
    EXPECT_EQ(bytes.substr(0, 4), "MDMP");
    // The exception stream (type 6) carries the code of the exception that was passed in.
    auto u32 = [&](size_t at) { return at + 4 <= bytes.size() ? *reinterpret_cast<const ULONG32*>(&bytes[at]) : 0u; };
    ULONG32 streams = u32(8), directory = u32(12);
    ULONG32 code = 0;
    for (ULONG32 i = 0; i < streams; ++i)
        if (u32(directory + i * 12) == 6)
            code = u32(u32(directory + i * 12 + 8) + 8);
    EXPECT_EQ(code, static_cast<ULONG32>(EXCEPTION_ACCESS_VIOLATION));
    std::string text = ReadWholeFile(report);
    for (const char* line : { "Application=Korvel", "Version=4.1.362", "ExceptionCode=0xC0000005", "ProductType=Korvel",
                              "ProductName=Generic", "VersionNumber=4.1.362", "BuildDate=May 31 2017 15:09:11",
                              "AssembleDate=20xx-xx-xx xx:xx", "UploadFlags=0x11FFF" })
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_EQ(text.find("0123456789abcdef"), std::string::npos) << "the mail password never lands in a report";
}
