// Text of someone else's as one argument of a program's command line: it reads back as exactly
// that one argument, or is refused when it would be a switch or could end its quotes.
#include "common/CShellRun.h"
#include <gtest/gtest.h>
#include <shellapi.h>
#include <string>

TEST(CShellRun, QuoteArgumentGivesOneArgumentThatIsNoSwitch)
{
    struct Case {
        const wchar_t* text;
        bool quoted;
    } cases[] = {
        {L"open-report 42", true},
        {L"server=evil&password=x", true},
        {L"C:\\Reports\\", true}, // a trailing backslash must not swallow the closing quote
        {L"/UnregServer", false},
        {L"  -silent", false},
        {L"a\" /evil \"b", false},
        {L"line\r\nbreak", false},
        {L"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CStringA(c.text).GetString());
        CString argument;
        ASSERT_EQ(c.quoted ? TRUE : FALSE, CShellRun::QuoteArgument(c.text, argument));
        if (!c.quoted) {
            EXPECT_TRUE(argument.IsEmpty());
            continue;
        }
        // The command line a program is started with, split as programs split it.
        const CString line = L"program.exe " + argument;
        int argc = 0;
        LPWSTR* argv = ::CommandLineToArgvW(line, &argc);
        ASSERT_NE(nullptr, argv);
        EXPECT_EQ(2, argc);
        if (argc == 2)
            EXPECT_EQ(std::wstring(c.text), argv[1]);
        ::LocalFree(argv);
    }
}

TEST(CShellRun, ThisProgramIsKnownByItsPathOrItsName)
{
    wchar_t self[MAX_PATH] = {};
    ASSERT_TRUE(::GetModuleFileNameW(nullptr, self, MAX_PATH));
    CString name = CString(self).Mid(CString(self).ReverseFind(L'\\') + 1);
    EXPECT_TRUE(CShellRun::IsThisProgram(self));
    EXPECT_TRUE(CShellRun::IsThisProgram(L"\"" + CString(self) + L"\""));
    name.MakeUpper();
    EXPECT_TRUE(CShellRun::IsThisProgram(name));
    EXPECT_FALSE(CShellRun::IsThisProgram(L"C:\\Tools\\helper.exe"));
    EXPECT_FALSE(CShellRun::IsThisProgram(L""));
}
