// The utility library stand-in: its one-pointer wide string and the UTF-8 conversions.
#include "platform/QorUtils/CAStringW.h"
#include "platform/QorUtils/CQorStrUtils.h"
#include "platform/QorUtils/QorUtilsTestHooks.h"
#include <gtest/gtest.h>
#include <cstring>

TEST(QorUtils, Utf8RoundTrips)
{
    struct Case {
        const wchar_t* wide;
        const char* utf8;
    } cases[] = {
        { L"", "" },
        { L"plain ascii", "plain ascii" },
        { L"\x4F60\x597D, \x4E16\x754C", "\xE4\xBD\xA0\xE5\xA5\xBD, \xE4\xB8\x96\xE7\x95\x8C" },
        { L"Gr\x00FC\x00DF" L"e", "Gr\xC3\xBC\xC3\x9F" "e" },
        { L"\xD83D\xDE00 smile", "\xF0\x9F\x98\x80 smile" }, // a surrogate pair is one 4-byte sequence
        { L"<KTF a='1'>&amp;</KTF>", "<KTF a='1'>&amp;</KTF>" },
    };
    int before = QorUtilsTest_GetOutstandingBuffers();
    for (const auto& c : cases) {
        int len = -1;
        char* out = CQorStrUtils::ToUTF8(CAStringW(c.wide), &len);
        ASSERT_NE(out, nullptr);
        EXPECT_STREQ(out, c.utf8);
        EXPECT_EQ(len, static_cast<int>(strlen(c.utf8)));
        CAStringW back = CQorStrUtils::UTF8ToString(out, len);
        EXPECT_STREQ(back.GetString(), c.wide);
        CQorStrUtils::FreeDst(out);
    }
    EXPECT_EQ(QorUtilsTest_GetOutstandingBuffers(), before) << "every buffer went back to FreeDst";
}

// A surrogate without its partner cannot be written as UTF-8; it becomes U+FFFD, alone or at
// the end, and the text around it stays.
TEST(QorUtils, LoneSurrogatesBecomeReplacementCharacters)
{
    struct Case {
        const wchar_t* wide;
        const char* utf8;
    } cases[] = {
        {L"a\xD800" L"b", "a\xEF\xBF\xBD" "b"},
        {L"a\xDC00\xD83D", "a\xEF\xBF\xBD\xEF\xBF\xBD"},
        {L"\xD83D\xD83D\xDE00", "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
    };
    for (const auto& c : cases) {
        int len = -1;
        char* out = CQorStrUtils::ToUTF8(c.wide, &len);
        ASSERT_NE(out, nullptr);
        EXPECT_STREQ(out, c.utf8);
        EXPECT_EQ(len, static_cast<int>(strlen(c.utf8)));
        CQorStrUtils::FreeDst(out);
    }
}

TEST(QorUtils, Utf8ToStringEdges)
{
    EXPECT_STREQ(CQorStrUtils::UTF8ToString(nullptr).GetString(), L"");
    EXPECT_STREQ(CQorStrUtils::UTF8ToString("").GetString(), L"");
    // An explicit byte length stops early, whatever follows.
    EXPECT_STREQ(CQorStrUtils::UTF8ToString("abcdef", 3).GetString(), L"abc");
    // Broken bytes never end the conversion or crash; the good text around them stays.
    CAStringW broken = CQorStrUtils::UTF8ToString("ok\xC3(x");
    EXPECT_EQ(broken.GetString()[0], L'o');
    EXPECT_NE(wcsstr(broken.GetString(), L"x"), nullptr);
    CQorStrUtils::FreeDst(nullptr);
}

TEST(QorUtils, WideStringOwnsItsText)
{
    static_assert(sizeof(CAStringW) == sizeof(void*), "records lay it out as one pointer");
    CAStringW empty;
    EXPECT_STREQ(empty.GetString(), L"");
    EXPECT_TRUE(empty.IsEmpty());
    CAStringW nul(static_cast<LPCWSTR>(nullptr));
    EXPECT_TRUE(nul.IsEmpty());

    wchar_t buf[] = L"changing";
    CAStringW copy(buf);
    buf[0] = L'X';
    EXPECT_TRUE(copy == L"changing") << "the text was copied";
    CAStringW second = copy;
    second += L" more";
    EXPECT_STREQ(second.GetString(), L"changing more");
    EXPECT_STREQ(copy.GetString(), L"changing");
    CAStringW& self = second;
    second = self;
    EXPECT_STREQ(second.GetString(), L"changing more");
    second = second.GetString() + 3; // assigning a part of itself
    EXPECT_STREQ(second.GetString(), L"nging more");
    CAStringW moved(std::move(second));
    EXPECT_STREQ(moved.GetString(), L"nging more");
    EXPECT_EQ(moved.GetLength(), 10);
    EXPECT_STREQ(CAStringW(L"abcdef", 2).GetString(), L"ab");
    moved.Empty();
    EXPECT_TRUE(moved.IsEmpty());
}
