// The start-up command line: key=value items, boot.ini flags and the COM registration switches.
#include "tests/app/AppTestSupport.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

struct ParsedArgs {
    std::wstring server = L"";
    int port = 6660;
    std::wstring login = L"";
    std::wstring password = L"";
    int pwdType = 0;
    int flags = 0;
    std::wstring receiver = L"";
    std::wstring receiverName = L"";
    std::wstring viewId = L"";
};

struct ArgsCase {
    const wchar_t* commandLine;
    ParsedArgs expected;
};

ParsedArgs Parse(const wchar_t* commandLine)
{
    CKorvelApp app;
    app.ParseStartupArgs(commandLine);
    ParsedArgs r;
    r.server = app.m_strServer.GetString();
    r.port = app.m_nPort;
    r.login = app.m_strLoginName.GetString();
    r.password = app.m_strPassword.GetString();
    r.pwdType = app.m_nPwdType;
    r.flags = app.m_nStartupFlags;
    r.receiver = app.m_strReceiver.GetString();
    r.receiverName = app.m_strReceiverName.GetString();
    r.viewId = app.m_strViewId.GetString();
    return r;
}

ParsedArgs With(void (*fill)(ParsedArgs&))
{
    ParsedArgs a;
    fill(a);
    return a;
}

} // namespace

TEST(ParseStartupArgsTest, TableOfCommandLines)
{
    const ArgsCase cases[] = {
        {L"", {}},
        {L"port=6661&loginname=user1&startup=4", With([](ParsedArgs& a) { a.port = 6661; a.login = L"user1"; a.flags = 4; })},
        // An empty number keeps the default; digits that are not there give 0.
        {L"port=", {}},
        {L"port=abc", With([](ParsedArgs& a) { a.port = 0; })},
        {L"port=12ab", With([](ParsedArgs& a) { a.port = 12; })},
        // Keys without regard to case; the value is everything after the first "=".
        {L"SERVER=a=b", With([](ParsedArgs& a) { a.server = L"a=b"; })},
        {L"password=x==y=&loginname=u", With([](ParsedArgs& a) { a.password = L"x==y="; a.login = L"u"; })},
        // Empty items, items without "=" and unknown keys are ignored.
        {L"&&server=x&", With([](ParsedArgs& a) { a.server = L"x"; })},
        {L"loginname&colour=red&server=s", With([](ParsedArgs& a) { a.server = L"s"; })},
        // Keys and values are trimmed; a later item wins.
        {L" server = host1 & server=host2 ", With([](ParsedArgs& a) { a.server = L"host2"; })},
        {L"startup=1&startup=32", With([](ParsedArgs& a) { a.flags = 32; })},
        {L"pwdtype=1&receiver=r1&receivername=Robin Roe&viewid=v9",
         With([](ParsedArgs& a) { a.pwdType = 1; a.receiver = L"r1"; a.receiverName = L"Robin Roe"; a.viewId = L"v9"; })},
        // A COM switch is no item.
        {L"/RegServer", {}},
    };
    for (const ArgsCase& c : cases) {
        ParsedArgs r = Parse(c.commandLine);
        SCOPED_TRACE(c.commandLine);
        EXPECT_EQ(r.server, c.expected.server);
        EXPECT_EQ(r.port, c.expected.port);
        EXPECT_EQ(r.login, c.expected.login);
        EXPECT_EQ(r.password, c.expected.password);
        EXPECT_EQ(r.pwdType, c.expected.pwdType);
        EXPECT_EQ(r.flags, c.expected.flags);
        EXPECT_EQ(r.receiver, c.expected.receiver);
        EXPECT_EQ(r.receiverName, c.expected.receiverName);
        EXPECT_EQ(r.viewId, c.expected.viewId);
    }
}

class BootIniTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = testsupport::TempDir(L"korvel_bootini");
        m_app.m_strProgramDir = m_dir.c_str();
    }
    void TearDown() override { testsupport::RemoveTree(m_dir); }
    void WriteBootIni(const char* text)
    {
        HANDLE h = ::CreateFileW((m_dir + L"\\boot.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ::WriteFile(h, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
        ::CloseHandle(h);
    }
    std::wstring m_dir;
    CKorvelApp m_app;
};

TEST_F(BootIniTest, PositiveValueIsOredIntoTheCommandLineFlags)
{
    WriteBootIni("[StartUp]\r\nValue=4\r\n");
    m_app.ParseStartupArgs(L"startup=1");
    m_app.ReadBootStartupFlags();
    EXPECT_EQ(m_app.m_nStartupFlags, 5);
}

TEST_F(BootIniTest, ZeroNegativeOrMissingValueChangesNothing)
{
    m_app.m_nStartupFlags = 2;
    m_app.ReadBootStartupFlags(); // no boot.ini at all
    EXPECT_EQ(m_app.m_nStartupFlags, 2);
    WriteBootIni("[StartUp]\r\nValue=-1\r\n");
    m_app.ReadBootStartupFlags();
    EXPECT_EQ(m_app.m_nStartupFlags, 2);
    WriteBootIni("[StartUp]\r\nValue=0\r\n[Other]\r\nValue=8\r\n");
    m_app.ReadBootStartupFlags();
    EXPECT_EQ(m_app.m_nStartupFlags, 2);
}

TEST(ComSwitchTest, RecognisedOnlyAsTheLastArgumentOfItsOwn)
{
    struct {
        const wchar_t* line;
        CKorvelApp::ComSwitch expected;
    } cases[] = {
        {L"\"C:\\Korvel\\Korvel.exe\" /RegServer", CKorvelApp::COM_SWITCH_REGSERVER},
        {L"Korvel.exe -regserver", CKorvelApp::COM_SWITCH_REGSERVER},
        {L"Korvel.exe /UnregServer", CKorvelApp::COM_SWITCH_UNREGSERVER},
        {L"Korvel.exe -UNREGSERVER  ", CKorvelApp::COM_SWITCH_UNREGSERVER},
        {L"/RegServer", CKorvelApp::COM_SWITCH_REGSERVER},
        // Followed by another argument: not recognised.
        {L"Korvel.exe /RegServer loginname=a", CKorvelApp::COM_SWITCH_NONE},
        // Inside another item's value: not a switch.
        {L"Korvel.exe loginname=a&password=x/RegServer", CKorvelApp::COM_SWITCH_NONE},
        {L"Korvel.exe password=a-UnregServer", CKorvelApp::COM_SWITCH_NONE},
        {L"Korvel.exe RegServer", CKorvelApp::COM_SWITCH_NONE},
        {L"Korvel.exe /RegServerX", CKorvelApp::COM_SWITCH_NONE},
        {L"Korvel.exe /Embedding", CKorvelApp::COM_SWITCH_NONE},
        {L"", CKorvelApp::COM_SWITCH_NONE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CKorvelApp::FindComSwitch(c.line), c.expected) << c.line;
    EXPECT_EQ(CKorvelApp::FindComSwitch(nullptr), CKorvelApp::COM_SWITCH_NONE);
}

TEST(ParseStartupArgsTest, OneItemSplitsAtItsFirstEquals)
{
    struct {
        const wchar_t* item;
        BOOL ok;
        const wchar_t* key;
        const wchar_t* value;
    } cases[] = {
        {L"loginname=u", TRUE, L"loginname", L"u"},
        {L" receiver = a=b= ", TRUE, L"receiver", L"a=b="},
        {L"viewid=", TRUE, L"viewid", L""},
        {L"=x", TRUE, L"", L"x"},
        {L"viewid", FALSE, L"old", L"old"},
        {L"", FALSE, L"old", L"old"},
    };
    for (const auto& c : cases) {
        CString key = L"old", value = L"old";
        EXPECT_EQ(CKorvelApp::SplitStartupItem(c.item, key, value), c.ok) << c.item;
        EXPECT_STREQ(key.GetString(), c.key) << c.item;
        EXPECT_STREQ(value.GetString(), c.value) << c.item;
    }
}
