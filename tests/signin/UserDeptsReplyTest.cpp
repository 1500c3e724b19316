// The department query's answer, parsed from canned replies: which lines it gives, in which
// order, and that every character of the names survives.
#include "framework/Platform.h"
#include "signin/UserDeptsReply.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Line {
    const wchar_t* user;
    const wchar_t* login;
    const wchar_t* path;
};

TEST(UserDeptsReply, AnswersComeOutInDocumentOrder)
{
    const struct {
        const char* what;
        const char* reply;
        std::vector<Line> lines;
    } cases[] = {
        {"one line per child element",
         "<users><user username=\"Ann Lee\" loginname=\"alee\"><dept path=\"HQ/Sales\"/><dept path=\"HQ/Support\"/>"
         "</user></users>",
         {{L"Ann Lee", L"alee", L"HQ/Sales"}, {L"Ann Lee", L"alee", L"HQ/Support"}}},
        {"a user without children gives its own path",
         "<r><user username=\"Ann\" loginname=\"ann2\" path=\"Branch\"/><User username=\"Ann\" loginname=\"ann3\"/></r>",
         {{L"Ann", L"ann2", L"Branch"}, {L"Ann", L"ann3", L""}}},
        {"login names with @ are passed over, other elements ignored",
         "<r><user username=\"Ann\" loginname=\"ann@corp\" path=\"X\"/><group name=\"g\"/>"
         "<USER username=\"Ann\" loginname=\"ann\" path=\"Y\"/></r>",
         {{L"Ann", L"ann", L"Y"}}},
        {"no user at all", "<?xml version=\"1.0\"?><users/>", {}},
    };
    for (const auto& c : cases) {
        std::vector<UserDeptAnswer> answers;
        ASSERT_TRUE(ParseUserDeptsReply(c.reply, answers)) << c.what;
        ASSERT_EQ(c.lines.size(), answers.size()) << c.what;
        for (size_t i = 0; i < answers.size(); ++i) {
            EXPECT_EQ(CString(c.lines[i].user), answers[i].strUserName) << c.what << " " << i;
            EXPECT_EQ(CString(c.lines[i].login), answers[i].strLoginName) << c.what << " " << i;
            EXPECT_EQ(CString(c.lines[i].path), answers[i].strPath) << c.what << " " << i;
        }
    }
}

TEST(UserDeptsReply, NamesOutsideAnyCodePageKeepEveryCharacter)
{
    // UTF-8 for: Zhang Wei in Han characters, a Greek department, a name with a letter outside
    // the basic plane (U+20BB7), and the declaration naming another encoding.
    const char reply[] = "<?xml version=\"1.0\" encoding=\"GB2312\"?>"
                         "<users><user username=\"\xE5\xBC\xA0\xE4\xBC\x9F\" loginname=\"zhangwei\">"
                         "<dept path=\"\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1 &amp; R&amp;D\"/></user>"
                         "<user username=\"\xF0\xA0\xAE\xB7 Zo\xC3\xAB\" loginname=\"zoe\" path=\"\"/></users>";
    std::vector<UserDeptAnswer> answers;
    ASSERT_TRUE(ParseUserDeptsReply(reply, answers));
    ASSERT_EQ(2u, answers.size());
    EXPECT_EQ(CString(L"\u5F20\u4F1F"), answers[0].strUserName);
    EXPECT_EQ(CString(L"\u0391\u03B8\u03AE\u03BD\u03B1 & R&D"), answers[0].strPath);
    EXPECT_EQ(CString(L"\xD842\xDFB7 Zo\u00EB"), answers[1].strUserName);
}

TEST(UserDeptsReply, WhatIsNotXmlGivesNothing)
{
    for (const char* reply : {"", "not xml at all", "<users><user username=\"a\"", "<!-- only a comment -->"}) {
        std::vector<UserDeptAnswer> answers(1);
        EXPECT_FALSE(ParseUserDeptsReply(reply, answers)) << reply;
        EXPECT_TRUE(answers.empty()) << reply;
    }
    std::vector<UserDeptAnswer> answers;
    EXPECT_FALSE(ParseUserDeptsReply(nullptr, answers));
}

} // namespace
