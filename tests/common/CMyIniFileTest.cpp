#include "common/CCommFun.h"
#include "common/CMyIniFile.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class CMyIniFileTest : public ::testing::Test {
protected:
    void SetUp() override { m_dir = testsupport::TempDir(L"ini"); }
    void TearDown() override { testsupport::RemoveTree(m_dir); }

    CString Write(const std::string& bytes, const wchar_t* name = L"user.ini")
    {
        std::wstring path = m_dir + L"\\" + name;
        HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n = 0;
        ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
        ::CloseHandle(h);
        return path.c_str();
    }

    // Every key line with the section it stood in, as "section|line".
    std::vector<std::wstring> KeyLines(const std::string& bytes)
    {
        CMyIniFile ini;
        EXPECT_TRUE(ini.Open(Write(bytes)));
        std::vector<std::wstring> out;
        CString line;
        while (ini.NextKeyLine(line))
            out.push_back(std::wstring(ini.GetSection().GetString()) + L"|" + line.GetString());
        EXPECT_TRUE(ini.IsEOF());
        ini.Close();
        return out;
    }

    std::wstring m_dir;
};

using Lines = std::vector<std::wstring>;

} // namespace

TEST_F(CMyIniFileTest, CarriageReturnLineFeedFile)
{
    EXPECT_EQ(KeyLines("[alice]\r\nUserName=Alice\r\nDept = Sales\r\n\r\n[bob]\r\nUserName=Bob\r\n"),
              (Lines{L"alice|UserName=Alice", L"alice|Dept = Sales", L"bob|UserName=Bob"}));
}

TEST_F(CMyIniFileTest, OnlyTheCarriageReturnEndsALine)
{
    // Line feeds alone: the whole file is one line, trimmed.
    EXPECT_EQ(KeyLines("  a=1\nb=2\n"), (Lines{L"|a=1\nb=2"}));
    // A bare carriage return does end a line.
    EXPECT_EQ(KeyLines("a=1\rb=2\r"), (Lines{L"|a=1", L"|b=2"}));
}

TEST_F(CMyIniFileTest, SkipsBlankLinesAndReturnsALastLineWithoutEnd)
{
    EXPECT_EQ(KeyLines("\r\n   \r\n\t\r\n[s]\r\nlast=1"), (Lines{L"s|last=1"}));
    EXPECT_EQ(KeyLines(""), Lines{});
    EXPECT_EQ(KeyLines("[only]\r\n"), Lines{});
}

TEST_F(CMyIniFileTest, LongLinesGrowTheBuffer)
{
    for (size_t n : {62u, 63u, 64u, 127u, 128u, 300u, 5000u}) {
        std::string value(n, 'v');
        EXPECT_EQ(KeyLines("k=" + value + "\r\nnext=1\r\n"),
                  (Lines{L"|k=" + std::wstring(value.begin(), value.end()), L"|next=1"}))
            << n;
    }
}

TEST_F(CMyIniFileTest, AZeroByteEndsTheLineText)
{
    EXPECT_EQ(KeyLines(std::string("ab\0cd\r\nx=1\r\n", 12)), (Lines{L"|ab", L"|x=1"}));
}

TEST_F(CMyIniFileTest, ReadsAnsiBytes)
{
    CStringA ansi(L"Name=Jos\u00e9");
    EXPECT_EQ(KeyLines(std::string(ansi.GetString()) + "\r\n"), (Lines{L"|Name=Jos\u00e9"}));
}

TEST_F(CMyIniFileTest, ReadLineReportsTheEnd)
{
    CString path = Write("one\r\ntwo");
    HANDLE h = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    CString line;
    BOOL eof = TRUE;
    EXPECT_TRUE(CMyIniFile::ReadLine(h, line, eof));
    EXPECT_EQ(line, L"one");
    EXPECT_FALSE(eof);
    CMyIniFile::ReadLine(h, line, eof);
    EXPECT_EQ(line, L"\ntwo"); // the line feed stays for the next line
    EXPECT_TRUE(eof);
    CMyIniFile::ReadLine(h, line, eof);
    EXPECT_EQ(line, L"");
    EXPECT_TRUE(eof);
    ::CloseHandle(h);
}

TEST_F(CMyIniFileTest, OpenFailsForAMissingFileAndTheObjectStaysUsable)
{
    CMyIniFile ini;
    EXPECT_FALSE(ini.Open((m_dir + L"\\missing.ini").c_str()));
    CString line;
    EXPECT_TRUE(ini.Open(Write("a=1\r\n")));
    EXPECT_FALSE(ini.IsEOF());
    EXPECT_TRUE(ini.NextKeyLine(line));
    EXPECT_EQ(line, L"a=1");
    EXPECT_FALSE(ini.NextKeyLine(line));
    // Reopening clears the end flag.
    EXPECT_TRUE(ini.Open(Write("b=2\r\n", L"b.ini")));
    EXPECT_FALSE(ini.IsEOF());
    EXPECT_TRUE(ini.NextKeyLine(line));
    EXPECT_EQ(line, L"b=2");
}

TEST(CMyIniFile, IsSectionTable)
{
    struct Case {
        const wchar_t* line;
        BOOL ok;
        const wchar_t* name;
    } cases[] = {
        {L"[main]", TRUE, L"main"}, {L"[]", TRUE, L""}, {L"[ a b ]", TRUE, L" a b "},
        {L"[", FALSE, L"-"},        {L"]", FALSE, L"-"}, {L"main]", FALSE, L"-"},
        {L"[main", FALSE, L"-"},    {L"", FALSE, L"-"},  {L"x[a]", FALSE, L"-"},
    };
    for (const auto& c : cases) {
        CString name = L"-";
        EXPECT_EQ(CMyIniFile::IsSection(c.line, name), c.ok) << c.line;
        EXPECT_EQ(name, c.name) << c.line;
    }
}

TEST(CMyIniFile, ParseKeyValueTable)
{
    struct Case {
        const wchar_t* line;
        BOOL ok;
        const wchar_t *key, *value;
    } cases[] = {
        {L"UserName=Alice", TRUE, L"UserName", L"Alice"},
        {L"UserName  =  Alice Smith  ", TRUE, L"UserName", L"Alice Smith"},
        {L"Key\t= v", TRUE, L"Key\t", L"v"},       // only blanks are trimmed
        {L"k=\tv\t", TRUE, L"k", L"\tv\t"},
        {L"k=a=b", TRUE, L"k", L"a=b"},            // cut at the first "="
        {L"=v", TRUE, L"", L"v"},
        {L"k=", TRUE, L"k", L""},
        {L"NoEquals", FALSE, L"NoEquals", L""},   // skipped by callers
        {L"", FALSE, L"-", L"-"},
    };
    for (const auto& c : cases) {
        CString key = L"-", value = L"-";
        EXPECT_EQ(CMyIniFile::ParseKeyValue(c.line, key, value), c.ok) << c.line;
        EXPECT_EQ(key, c.key) << c.line;
        EXPECT_EQ(value, c.value) << c.line;
    }
}

TEST_F(CMyIniFileTest, SearchingAUserInfoFile)
{
    // The message centre's road: every key line, split, matched with the current section.
    CMyIniFile ini;
    ASSERT_TRUE(ini.Open(Write("[alice]\r\nUserName=Alice Smith\r\nnoise\r\n[bob]\r\nUserName = Bob Jones\r\n")));
    std::vector<std::wstring> found;
    CString line, key, value;
    while (ini.NextKeyLine(line)) {
        if (CMyIniFile::ParseKeyValue(line, key, value) && key == L"UserName")
            found.push_back(std::wstring(ini.GetSection().GetString()) + L":" + value.GetString());
    }
    ini.Close();
    EXPECT_EQ(found, (Lines{L"alice:Alice Smith", L"bob:Bob Jones"}));
}

TEST_F(CMyIniFileTest, ReadFileTextAndNarrowInequality)
{
    CString text;
    ASSERT_TRUE(CMyIniFile::ReadFileText(Write("line1\r\nline2"), text));
    EXPECT_EQ(text, L"line1\r\nline2");
    EXPECT_FALSE(CMyIniFile::ReadFileText((m_dir + L"\\none").c_str(), text));
    EXPECT_FALSE(CMyIniFile::IsNotEqual(L"SHOW", "SHOW"));
    EXPECT_TRUE(CMyIniFile::IsNotEqual(L"SHOW", "show"));
}

TEST(CCommFun, GetAppPathIsTheProgramFolder)
{
    wchar_t exe[MAX_PATH];
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    CString expected(exe);
    expected = expected.Left(expected.ReverseFind(L'\\'));
    CString dir = CCommFun::GetAppPath();
    EXPECT_EQ(dir, expected);
    EXPECT_NE(dir.Right(1), L"\\");
    EXPECT_EQ(CCommFun::GetDirectory(L"E:\\Apps\\Chat\\app.exe"), L"E:\\Apps\\Chat");
    EXPECT_EQ(CCommFun::GetDirectory(L"app.exe"), L"");
    EXPECT_EQ(CCommFun::GetDirectory(L""), L"");
}
