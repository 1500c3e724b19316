// The message database as the panes see it: the quoting helper, dates, coded values, and the
// panes' statements built with the helper against a real database file, with ids, logins and
// words that hold quotes, "%", "_" and "--".
#include "msgcenter/MsgDb.h"
#include "bench/MsgDbGenerator.h"
#include "platform/QorDB/CQorDBBaseFun.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorDB/CYqRecordset.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>

TEST(MsgDbText, QuotingDatesAndIcons)
{
    struct { const wchar_t* in; const wchar_t* out; } quotes[] = {
        { L"", L"" }, { L"plain", L"plain" }, { L"o'neil", L"o''neil" }, { L"''", L"''''" },
        { L"x' OR '1'='1", L"x'' OR ''1''=''1" }, { L"50%_--", L"50%_--" }, { nullptr, L"" },
    };
    for (const auto& q : quotes)
        EXPECT_EQ(MsgDb::SqlQuote(q.in), q.out) << (q.in ? q.in : L"(null)");

    EXPECT_EQ(MsgDb::DayStart(L"2024-02-29"), L"2024-02-29 00:00:00");
    EXPECT_EQ(MsgDb::DayEnd(L"2024-02-29"), L"2024-02-29 23:59:59");
    EXPECT_EQ(MsgDb::DayEnd(L"x'--"), L"x''-- 23:59:59") << "a bad day text cannot end the literal";

    SYSTEMTIME st = {};
    st.wYear = 2007;
    st.wMonth = 3;
    st.wDay = 4;
    st.wHour = 5;
    st.wMinute = 6;
    st.wSecond = 7;
    EXPECT_EQ(MsgDb::DateText(st), L"2007-03-04 05:06:07");
    struct { const wchar_t* text; bool ok; } dates[] = {
        { L"2007-03-04 05:06:07", true }, { L"2000-01-01 12:00:00", true }, { L"2007-3-04 05:06:07", false },
        { L"2007-03-04 05:06:07 ", false }, { L"2007-03-04T05:06:07", false }, { L"", false }, { nullptr, false },
    };
    for (const auto& d : dates)
        EXPECT_EQ(MsgDb::IsDateText(d.text), d.ok) << (d.text ? d.text : L"(null)");

    struct { int state, icon; } icons[] = { { 0, 2 }, { 1, 7 }, { 2, 1 }, { 4, 4 }, { 8, 3 }, { 16, 8 },
                                            { 3, 99 }, { -1, 99 }, { 32, 99 } };
    for (const auto& i : icons)
        EXPECT_EQ(MsgDb::ReadStateIcon(i.state, 99), i.icon) << i.state;

    EXPECT_FALSE(MsgDb::IsReceiptOpened(L"2000-01-01 12:00:00"));
    EXPECT_TRUE(MsgDb::IsReceiptOpened(L"2000-01-01 12:00:01"));
    EXPECT_TRUE(MsgDb::IsReceiptOpened(L""));
}

namespace {

class MsgDbStatements : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = testsupport::TempDir(L"msgdb");
        ASSERT_TRUE(m_db.OpenConnect((m_dir + L"\\user.db").c_str()));
        ASSERT_TRUE(m_db.InitDBTable());
        MsgDbGenOptions small;
        small.messages = 1500;
        small.senders = 50;
        ASSERT_TRUE(GenerateMsgDbInto(m_db, small)) << (LPCWSTR)m_db.GetConnect()->GetLastError();
    }
    void TearDown() override
    {
        m_db.CloseConnect();
        testsupport::RemoveTree(m_dir);
    }
    void Add(LPCWSTR id, LPCWSTR sender, LPCWSTR recv, int folder, LPCWSTR date, LPCWSTR text)
    {
        QorMsgRecord m;
        m.id = id;
        m.sender = sender;
        m.senderName = CString(sender) + L" name";
        m.recvLogin = recv;
        m.recvName = CString(recv) + L" name";
        m.msgFolder = folder;
        m.sendDate = date;
        m.subject = text;
        ASSERT_TRUE(m_db.AddMsg(m));
        QorMsgBody body;
        body.contentType = MsgDb::kContentUtf8;
        body.text = text;
        ASSERT_TRUE(m_db.AddMsgContent(id, body));
    }
    // The ids a statement yields, in order; "!" when it cannot run.
    std::vector<CString> Ids(const CString& sql)
    {
        CYqRecordset rs;
        std::vector<CString> ids;
        if (!rs.Open(sql, m_db.GetConnect()))
            return { L"!" };
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
            CString id;
            rs.GetValue(0, id);
            ids.push_back(id);
        }
        return ids;
    }
    int Count(const CString& sql)
    {
        CYqRecordset rs;
        int n = -1;
        if (rs.Open(sql, m_db.GetConnect()))
            rs.GetValue(0, n);
        return n;
    }

    std::wstring m_dir;
    CQorMsgDBMgr m_db;
};

} // namespace

TEST_F(MsgDbStatements, AwkwardValuesGoThroughTheQuotingHelper)
{
    const wchar_t* const kLogins[] = { L"o'neil", L"50%_off", L"dash--x", L"a'--b%_" };
    int n = 0;
    for (const wchar_t* login : kLogins) {
        CString id;
        id.Format(L"id'%d--%%_", n);
        Add(id, login, L"me", 1, L"2030-05-0" + CString(static_cast<wchar_t>(L'1' + n)) + L" 10:00:00",
            CString(L"text with ") + login);
        ++n;
    }
    // One reply the signed-in user wrote to o'neil.
    Add(L"reply'1", L"me", L"o'neil", 2, L"2030-05-09 10:00:00", L"re: hi");

    for (const wchar_t* login : kLogins) {
        const CString p = MsgDb::SqlQuote(login), u = MsgDb::SqlQuote(L"me");
        CString sql;
        // The talk history of the title list (P, U, P) finds exactly that person's messages.
        sql.Format(L"SELECT qor_Msg.Col_ID, qor_Msg.Col_AttachCount FROM qor_Msg WHERE ( qor_Msg.Col_Sender = '%s' AND"
                   L" qor_Msg.Col_MSGFolder = 1 ) OR ( qor_Msg.Col_Sender = '%s' AND qor_Msg.Col_MSGFolder = 2 AND"
                   L" qor_Msg.Col_RecvLogin = '%s' ) ORDER BY qor_msg.Col_SendDate LIMIT 50 OFFSET 0",
                   (LPCWSTR)p, (LPCWSTR)u, (LPCWSTR)p);
        const std::vector<CString> ids = Ids(sql);
        ASSERT_FALSE(ids.empty()) << login;
        EXPECT_NE(ids[0], L"!") << (LPCWSTR)sql;
        EXPECT_EQ(ids.size(), CString(login) == L"o'neil" ? 2u : 1u) << login;
        // The message's own id, quoted, finds its sender again.
        CYqRecordset rs;
        sql.Format(L"SELECT Col_Sender, Col_SenderName FROM qor_Msg WHERE Col_ID = '%s'",
                   (LPCWSTR)MsgDb::SqlQuote(ids[0]));
        ASSERT_TRUE(rs.Open(sql, m_db.GetConnect()));
        CString sender;
        rs.MoveFirst();
        rs.GetValue(0, sender);
        EXPECT_EQ(sender, login);
        // The search finds the text with the login inside it ("%" and "_" stay LIKE characters,
        // so the hit may bring company, never an error).
        sql.Format(L"SELECT qor_Msg.Col_ID FROM qor_Msg, qor_Msg_Content WHERE qor_Msg.Col_ID = qor_Msg_Content.Col_MSGID"
                   L" AND qor_Msg_Content.Col_Content_Text LIKE '%%%s%%'", (LPCWSTR)p);
        const std::vector<CString> hits = Ids(sql);
        EXPECT_NE(std::find(hits.begin(), hits.end(), ids[0]), hits.end()) << login;
        // A person word goes into the four LIKE clauses of the search the same way.
        sql.Format(L"SELECT count(*) FROM qor_Msg WHERE ( qor_Msg.Col_Sender LIKE '%%%s%%' OR qor_Msg.Col_SenderName"
                   L" LIKE '%%%s%%' OR qor_Msg.Col_RecvLogin LIKE '%%%s%%' OR qor_Msg.Col_RecvName LIKE '%%%s%%' )",
                   (LPCWSTR)p, (LPCWSTR)p, (LPCWSTR)p, (LPCWSTR)p);
        EXPECT_GE(Count(sql), 1) << login;
    }
    // Date bounds of a day: the first four days hold the four messages above.
    CString sql;
    sql.Format(L"SELECT count(*) FROM qor_Msg WHERE ( qor_Msg.Col_SendDate <= '%s' AND qor_Msg.Col_SendDate >= '%s' )",
               (LPCWSTR)MsgDb::DayEnd(L"2030-05-04"), (LPCWSTR)MsgDb::DayStart(L"2030-05-01"));
    EXPECT_EQ(Count(sql), 4);
    // An injected condition stays inside its literal.
    sql.Format(L"SELECT count(*) FROM qor_Msg WHERE Col_ID = '%s'", (LPCWSTR)MsgDb::SqlQuote(L"x' OR '1'='1"));
    EXPECT_EQ(Count(sql), 0);
}

TEST_F(MsgDbStatements, GeneratedDatabaseHasTheViewsThePanesShow)
{
    const int received = Count(L"SELECT count(*) FROM qor_Msg WHERE Col_MsgFolder = 1 AND Col_Type <> 3");
    const int sent = Count(L"SELECT count(*) FROM qor_Msg WHERE Col_MsgFolder = 2 AND Col_Type <> 3");
    const int filed = Count(L"SELECT count(*) FROM qor_Msg WHERE Col_Type = 3");
    EXPECT_EQ(received + sent + filed, 1500);
    EXPECT_GT(received, sent);
    EXPECT_GT(sent, filed);
    EXPECT_GT(filed, 0);
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg_Content"), 1500);
    EXPECT_GE(Count(L"SELECT count(*) FROM qor_Msg_Content WHERE Col_Content_Text LIKE '%zephyrine%'"), 1);
    EXPECT_GT(Count(L"SELECT count(*) FROM qor_Msg_Content WHERE Col_Content_Text LIKE '%meeting%'"), 300);
    // Every sent message has its receipts; some are not opened yet.
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg WHERE Col_MsgFolder = 2 AND Col_ID NOT IN"
                    L" (SELECT Col_MSGID FROM qor_Msg_Recv)"), 0);
    CString notOpened;
    notOpened.Format(L"SELECT count(*) FROM qor_Msg_Recv WHERE Col_OpenDate = '%s'", MsgDb::kNotOpenedDate);
    EXPECT_GT(Count(notOpened), 0);
    // Attachment counts agree with the attachment rows; bodies come in all three forms.
    EXPECT_EQ(Count(L"SELECT sum(Col_AttachCount) FROM qor_Msg"), Count(L"SELECT count(*) FROM qor_Msg_Attach"));
    for (const wchar_t* type : { MsgDb::kContentKtf, MsgDb::kContentRtf, MsgDb::kContentUtf8 }) {
        CString sql;
        sql.Format(L"SELECT count(*) FROM qor_Msg_Content WHERE Col_ContentType = '%s'", type);
        EXPECT_GT(Count(sql), 0) << type;
    }
    // Every date is date text.
    CYqRecordset rs;
    ASSERT_TRUE(rs.Open(L"SELECT Col_SendDate FROM qor_Msg", m_db.GetConnect()));
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        CString date;
        rs.GetValue(0, date);
        ASSERT_TRUE(MsgDb::IsDateText(date)) << (LPCWSTR)date;
    }
    EXPECT_EQ(Count(L"SELECT count(*) FROM Qor_Talk"), 3);
    CString talk;
    EXPECT_TRUE(CQorDBBaseFun::FindTalkByNumber(m_db.GetConnect(), 2, talk));
    EXPECT_EQ(talk, L"talk_2");
}

TEST(MsgDbGenerator, SameSeedSameDatabase)
{
    const std::wstring dir = testsupport::TempDir(L"msgdbgen");
    MsgDbGenOptions o;
    o.messages = 300;
    std::vector<CString> rows[2];
    for (int k = 0; k < 2; ++k) {
        const std::wstring file = dir + (k ? L"\\b.db" : L"\\a.db");
        ASSERT_TRUE(GenerateMsgDb(file.c_str(), o));
        CQorMsgDBMgr db;
        ASSERT_TRUE(db.OpenConnect(file.c_str()));
        CYqRecordset rs;
        ASSERT_TRUE(rs.Open(L"SELECT Col_ID || Col_Sender || Col_SendDate || Col_Subject || Col_ReadState,"
                            L" (SELECT Col_Content FROM qor_Msg_Content WHERE Col_MSGID = Col_ID) FROM qor_Msg ORDER BY Col_ID",
                            db.GetConnect()));
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
            CString row;
            rs.GetValue(0, row);
            rows[k].push_back(row + rs.GetChunkAsciiChar(1));
        }
    }
    EXPECT_EQ(rows[0].size(), 300u);
    EXPECT_TRUE(rows[0] == rows[1]);
    testsupport::RemoveTree(dir);
}
