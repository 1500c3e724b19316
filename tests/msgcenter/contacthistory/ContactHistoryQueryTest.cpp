// The contact-history pane's statements: the date window around a message and the quoting of
// logins and ids.
#include "msgcenter/contacthistory/CContactHistoryQuery.h"
#include "tests/msgcenter/ReadingFixture.h"
#include <gtest/gtest.h>

TEST(ContactHistoryQuery, DateWindowIsOneDayBeforeToTwoDaysAfterAtTheSameSecond)
{
    struct Case { const wchar_t* date; const wchar_t* lower; const wchar_t* upper; } cases[] = {
        {L"2026-03-10 12:00:00", L"2026-03-09 12:00:00", L"2026-03-12 12:00:00"},
        {L"2026-03-01 00:00:00", L"2026-02-28 00:00:00", L"2026-03-03 00:00:00"},
        {L"2024-02-28 23:59:59", L"2024-02-27 23:59:59", L"2024-03-01 23:59:59"}, // leap year
        {L"2025-12-31 08:05:09", L"2025-12-30 08:05:09", L"2026-01-02 08:05:09"},
        {L"2026-3-1 7:5:9", L"2026-02-28 07:05:09", L"2026-03-03 07:05:09"},       // short fields read too
    };
    for (const Case& c : cases) {
        CString lower, upper;
        ASSERT_TRUE(CContactHistoryQuery::DateWindow(c.date, lower, upper)) << CStringA(c.date).GetString();
        EXPECT_EQ(CString(c.lower), lower);
        EXPECT_EQ(CString(c.upper), upper);
    }
}

TEST(ContactHistoryQuery, UnreadableDatesGiveNoWindow)
{
    const wchar_t* bad[] = {L"", L"yesterday", L"2026-03-10", L"2026-02-30 10:00:00", L"2026-13-01 00:00:00",
                            L"2026-03-10 24:00:00", L"1601-01-01 00:00:00", L"10/03/2026 12:00:00"};
    for (const wchar_t* date : bad) {
        CString lower = L"kept", upper = L"kept";
        EXPECT_FALSE(CContactHistoryQuery::DateWindow(date, lower, upper)) << CStringA(date).GetString();
        EXPECT_EQ(CString(L"kept"), lower);
        EXPECT_EQ(CString(L"kept"), upper);
    }
    CString lower, upper;
    EXPECT_FALSE(CContactHistoryQuery::DateWindow(nullptr, lower, upper));
}

TEST(ContactHistoryQuery, QuotesInLoginsAndIdsCannotEndTheLiteral)
{
    CString sql = CContactHistoryQuery::History(L"o'neil", L"m'e", L"2026-03-09 12:00:00", L"2026-03-12 12:00:00");
    EXPECT_NE(-1, sql.Find(L"Col_Sender = 'o''neil' AND qor_Msg.Col_MSGFolder = 1"));
    EXPECT_NE(-1, sql.Find(L"Col_Sender = 'm''e' AND qor_Msg.Col_MSGFolder = 2 AND qor_Msg.Col_RecvLogin = 'o''neil'"));
    EXPECT_NE(-1, sql.Find(L"Col_SendDate <= '2026-03-12 12:00:00' AND qor_Msg.Col_SendDate >= '2026-03-09 12:00:00'"));
    EXPECT_NE(-1, CContactHistoryQuery::Message(L"x' OR '1'='1").Find(L"Col_ID = 'x'' OR ''1''=''1'"));
    EXPECT_NE(-1, CContactHistoryQuery::Sender(L"a'b").Find(L"Col_ID = 'a''b'"));

    // And the database takes them: a hostile id finds nothing instead of every row.
    ReadingDb db;
    ASSERT_TRUE(db.Ok());
    db.AddMany(3);
    EXPECT_EQ(0, db.Count(L"SELECT count(*) FROM (" + CContactHistoryQuery::Sender(L"x' OR '1'='1") + L")"));
}
