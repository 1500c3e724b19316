// The database library stand-in over a real SQLite file: the message tables, the literal
// statement forms the message centre issues, transactions and the named operations.
#include "platform/QorDB/CQorDBBaseFun.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorDB/CYqConnect.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorDB/QorDBTestHooks.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

class QorDbTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = testsupport::TempDir(L"qordb");
        m_file = m_dir + L"\\user.db";
        ASSERT_TRUE(m_mgr.OpenConnect(m_file.c_str()));
        ASSERT_TRUE(m_mgr.InitDBTable()) << (LPCWSTR)m_mgr.GetConnect()->GetLastError();
        QorDBTest_ClearStatements();
    }
    void TearDown() override
    {
        QorDBTest_FailStatementsContaining(nullptr);
        m_mgr.CloseConnect();
        testsupport::RemoveTree(m_dir);
    }

    CYqConnect* Db() { return m_mgr.GetConnect(); }
    bool Exec(const wchar_t* sql) { return Db()->Execute(sql); }
    int Count(const wchar_t* sql)
    {
        CYqRecordset rs;
        int n = -1;
        if (rs.Open(sql, Db()) && (rs.MoveFirst(), !rs.IsEOF()))
            rs.GetValue(0, n);
        return n;
    }
    void AddMessage(const wchar_t* id, int folder, const wchar_t* date, const wchar_t* subject)
    {
        CString sql;
        sql.Format(L"INSERT INTO qor_Msg (Col_ID, Col_MsgFolder, Col_Sender, Col_SenderName, Col_SendDate,"
                   L" Col_Subject, Col_ReadState, Col_AttachCount) VALUES ('%s', %d, 'ann', 'Ann', '%s', '%s', 0, 1)",
                   id, folder, date, subject);
        ASSERT_TRUE(Exec(sql)) << (LPCWSTR)Db()->GetLastError();
        sql.Format(L"INSERT INTO qor_Msg_Content (Col_MSGID, Col_ContentType, Col_Content, Col_Content_Text)"
                   L" VALUES ('%s', 'UTF-8', 'body of %s', 'body of %s')", id, id, id);
        ASSERT_TRUE(Exec(sql));
        sql.Format(L"INSERT INTO qor_Msg_Attach (Col_MSGID, Col_FileName) VALUES ('%s', 'a.txt')", id);
        ASSERT_TRUE(Exec(sql));
        sql.Format(L"INSERT INTO qor_Msg_Recv (Col_MSGID, Col_RecvName) VALUES ('%s', 'Bob')", id);
        ASSERT_TRUE(Exec(sql));
    }

    std::wstring m_dir, m_file;
    CQorMsgDBMgr m_mgr;
};

} // namespace

TEST_F(QorDbTest, TablesOfTheMessageCentreExistAfterInit)
{
    for (const wchar_t* table : { L"qor_Msg", L"qor_Msg_Content", L"qor_Msg_Attach", L"qor_Msg_Recv", L"qor_Msg_UnRead",
                                  L"Qor_Talk", L"qor_Talk_Msg", L"qor_Talk_AttachMent" }) {
        CString sql;
        sql.Format(L"SELECT count(*) FROM %s", table);
        EXPECT_EQ(Count(sql), 0) << table;
    }
    // Names are matched without case, as the statements spell them both ways.
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_msg WHERE Col_MSGFolder = 1 AND Col_MsgFlag = 0"), 0);
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg_UnRead WHERE Col_RecvLogin = '' AND Col_Favourite = 0"), 0);
    // Init twice keeps rows.
    AddMessage(L"m1", 1, L"2020-01-02 10:00:00", L"s");
    EXPECT_TRUE(m_mgr.InitDBTable());
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg"), 1);
}

TEST_F(QorDbTest, RecordsetWalksRowsAndReadsByPositionAndName)
{
    AddMessage(L"m1", 1, L"2020-01-02 10:00:00", L"first");
    AddMessage(L"m2", 2, L"2021-03-04 05:06:07", L"second");
    AddMessage(L"m3", 1, L"2019-12-31 23:59:59", L"third");

    CYqRecordset rs;
    ASSERT_TRUE(rs.Open(L"SELECT Col_ID, Col_MsgFolder, Col_Subject FROM qor_Msg ORDER BY Col_SendDate DESC", Db()));
    EXPECT_EQ(rs.GetFieldCount(), 3);
    EXPECT_EQ(rs.GetFieldIndex(L"col_subject"), 2);
    std::vector<CString> ids;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        CString id, subject;
        int folder = -1;
        EXPECT_TRUE(rs.GetValue(0, id));
        EXPECT_TRUE(rs.GetValue(1, folder));
        EXPECT_TRUE(rs.GetValue(L"Col_Subject", subject));
        EXPECT_FALSE(subject.IsEmpty());
        EXPECT_EQ(folder, id == L"m2" ? 2 : 1);
        ids.push_back(id);
    }
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_EQ(ids[0], L"m2");
    EXPECT_EQ(ids[2], L"m3");
    CString past;
    EXPECT_FALSE(rs.GetValue(0, past)) << "past the end";
    EXPECT_TRUE(past.IsEmpty());
    EXPECT_TRUE(rs.Close());

    // Both paging forms, count(*), DISTINCT, LIKE and a sub-select, as the panes write them.
    EXPECT_EQ(Count(L"SELECT count(*) FROM (SELECT Col_ID FROM qor_Msg ORDER BY Col_SendDate LIMIT 2 OFFSET 1)"), 2);
    ASSERT_TRUE(rs.Open(L"SELECT Col_ID FROM qor_Msg ORDER BY Col_SendDate limit 1,1", Db()));
    rs.MoveFirst();
    CString second;
    rs.GetValue(0, second);
    EXPECT_EQ(second, L"m1");
    EXPECT_EQ(Count(L"SELECT count(DISTINCT Col_SenderName) FROM qor_Msg"), 1);
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg WHERE Col_ID in (SELECT Col_MSGID FROM qor_Msg_Content"
                    L" WHERE Col_Content_Text LIKE '%%of m%%')"), 3);
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg WHERE Col_SendDate >= '2020-01-01 00:00:00'"
                    L" AND Col_SendDate <= '2021-12-31 23:59:59'"), 2);
}

TEST_F(QorDbTest, BodiesComeBackAsTheirUtf8Bytes)
{
    // "Hallo Welt" in Chinese, stored through the wide statement as UTF-8.
    ASSERT_TRUE(Exec(L"INSERT INTO qor_Msg_Content (Col_MSGID, Col_ContentType, Col_Content) "
                     L"VALUES ('k1', 'Text/Ktf', '<KTF><Text>\x4F60\x597D</Text></KTF>')"));
    CYqRecordset rs;
    ASSERT_TRUE(rs.Open(L"SELECT Col_ContentType, Col_ContentSize, Col_Content FROM qor_Msg_Content \t\t\t\t\t\t"
                        L"WHERE Col_MSGID = 'k1'", Db()));
    rs.MoveFirst();
    ASSERT_FALSE(rs.IsEOF());
    CString type;
    rs.GetValue(0, type);
    EXPECT_EQ(type, L"Text/Ktf");
    EXPECT_STREQ(rs.GetChunkAsciiChar(2), "<KTF><Text>\xE4\xBD\xA0\xE5\xA5\xBD</Text></KTF>");
    EXPECT_EQ(rs.GetChunkSize(2), 30);
    EXPECT_STREQ(rs.GetChunkAsciiChar(7), "") << "a bad column reads as empty, never null";

    CString body, ctype;
    ASSERT_TRUE(CQorDBBaseFun::GetMsgContentInfo(Db(), L"k1", body, ctype));
    EXPECT_EQ(body, L"<KTF><Text>\x4F60\x597D</Text></KTF>");
    EXPECT_EQ(ctype, L"Text/Ktf");
    EXPECT_FALSE(CQorDBBaseFun::GetMsgContent(Db(), L"nope", body));
    EXPECT_TRUE(body.IsEmpty());
}

TEST_F(QorDbTest, DeletionBatchIsOneTransaction)
{
    AddMessage(L"m1", 1, L"2020-01-02 10:00:00", L"a");
    AddMessage(L"m2", 1, L"2020-01-03 10:00:00", L"b");
    auto deleteMessage = [&](const wchar_t* id) {
        EXPECT_TRUE(CQorDBBaseFun::DeleteMsg(Db(), id));
        EXPECT_TRUE(CQorDBBaseFun::DeleteMsgAttach(Db(), id));
        EXPECT_TRUE(CQorDBBaseFun::DeleteMsgContent(Db(), id));
        EXPECT_TRUE(CQorDBBaseFun::DeleteMsgRecv(Db(), id));
    };

    ASSERT_TRUE(Db()->BeginTrans());
    deleteMessage(L"m1");
    EXPECT_TRUE(Db()->RollbackTrans());
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg"), 2);
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg_Attach"), 2);

    ASSERT_TRUE(Db()->BeginTrans());
    // A second BeginTrans is reported and changes nothing: one commit ends the batch.
    EXPECT_FALSE(Db()->BeginTrans());
    EXPECT_FALSE(Db()->GetLastError().IsEmpty());
    EXPECT_EQ(Db()->GetTransDepth(), 1);
    deleteMessage(L"m1");
    deleteMessage(L"m2");
    EXPECT_TRUE(Db()->CommitTrans());
    EXPECT_EQ(Db()->GetTransDepth(), 0);
    EXPECT_FALSE(Db()->CommitTrans()) << "no transaction open";
    for (const wchar_t* t : { L"qor_Msg", L"qor_Msg_Attach", L"qor_Msg_Content", L"qor_Msg_Recv" }) {
        CString sql;
        sql.Format(L"SELECT count(*) FROM %s", t);
        EXPECT_EQ(Count(sql), 0) << t;
    }
    // A commit that finished survives a reopen of the file.
    m_mgr.CloseConnect();
    ASSERT_TRUE(m_mgr.OpenConnect(m_file.c_str()));
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg"), 0);
}

// Work handed over while the thread is inside a transaction waits for its end, committed or
// rolled back, so it neither joins that transaction nor ends it; outside a transaction it runs at
// once; a connection closed first drops it.
TEST_F(QorDbTest, WorkAfterTheTransactionRunsWhenItEndsWhicheverWay)
{
    std::vector<std::string> ran;
    Db()->AfterTrans([&] { ran.push_back("at once"); });
    EXPECT_EQ(std::vector<std::string>{"at once"}, ran);
    for (bool commit : {true, false}) {
        SCOPED_TRACE(commit ? "committed" : "rolled back");
        ran.clear();
        ASSERT_TRUE(Db()->BeginTrans());
        int depthWhenRun = -1;
        Db()->AfterTrans([&] {
            ran.push_back("after");
            depthWhenRun = Db()->GetTransDepth();
        });
        EXPECT_TRUE(ran.empty());
        EXPECT_TRUE(commit ? Db()->CommitTrans() : Db()->RollbackTrans());
        EXPECT_EQ(std::vector<std::string>{"after"}, ran);
        EXPECT_EQ(0, depthWhenRun) << "it runs outside the ended transaction";
    }
    ran.clear();
    ASSERT_TRUE(Db()->BeginTrans());
    Db()->AfterTrans([&] { ran.push_back("never"); });
    m_mgr.CloseConnect();
    EXPECT_TRUE(ran.empty());
}

TEST_F(QorDbTest, FailedStatementRollsTheWholeBatchBack)
{
    AddMessage(L"m1", 1, L"2020-01-02 10:00:00", L"a");
    AddMessage(L"m2", 1, L"2020-01-03 10:00:00", L"b");
    // The second message's content row cannot be deleted: the batch must not half-happen.
    ASSERT_TRUE(Db()->BeginTrans());
    EXPECT_TRUE(CQorDBBaseFun::DeleteMsg(Db(), L"m1"));
    EXPECT_TRUE(CQorDBBaseFun::DeleteMsgContent(Db(), L"m1"));
    QorDBTest_FailStatementsContaining(L"qor_Msg_Content");
    EXPECT_TRUE(CQorDBBaseFun::DeleteMsg(Db(), L"m2"));
    EXPECT_FALSE(CQorDBBaseFun::DeleteMsgContent(Db(), L"m2"));
    QorDBTest_FailStatementsContaining(nullptr);
    EXPECT_FALSE(Db()->CommitTrans()) << "a batch with a failed statement is not committed";
    EXPECT_FALSE(Db()->GetLastError().IsEmpty());
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg"), 2);
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg_Content"), 2);
    // A recordset or Execute that fails dooms the batch the same way; the next batch is fresh.
    ASSERT_TRUE(Db()->BeginTrans());
    EXPECT_TRUE(Exec(L"DELETE FROM qor_Msg WHERE Col_ID = 'm1'"));
    CYqRecordset rs;
    EXPECT_FALSE(rs.Open(L"SELECT no_such_column FROM qor_Msg", Db()));
    EXPECT_FALSE(Db()->CommitTrans());
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg"), 2);
    ASSERT_TRUE(Db()->BeginTrans());
    EXPECT_TRUE(Exec(L"DELETE FROM qor_Msg WHERE Col_ID = 'm1'"));
    EXPECT_TRUE(Db()->CommitTrans());
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg"), 1);
}

TEST_F(QorDbTest, IdsWithQuotesAreBoundNotPasted)
{
    ASSERT_TRUE(Exec(L"INSERT INTO qor_Msg (Col_ID) VALUES ('a''b')"));
    ASSERT_TRUE(Exec(L"INSERT INTO qor_Msg (Col_ID) VALUES ('other')"));
    EXPECT_TRUE(CQorDBBaseFun::DeleteMsg(Db(), L"x' OR '1'='1"));
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg"), 2) << "an injected condition deletes nothing";
    EXPECT_TRUE(CQorDBBaseFun::DeleteMsg(Db(), L"a'b"));
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg"), 1);
}

TEST_F(QorDbTest, GroupTalkDeletionTakesEveryTable)
{
    ASSERT_TRUE(Exec(L"INSERT INTO Qor_Talk (Col_ID, Col_Type, Col_Subject) VALUES ('talk_7', 3, 'team');"
                     L"INSERT INTO qor_Talk_Msg (Col_ID, Col_TalkID, Col_SenderName, Col_SendDate, Col_Data)"
                     L" VALUES ('e1', 'talk_7', 'Ann', '2020-01-01 00:00:00', '<KTF/>');"
                     L"INSERT INTO qor_Talk_AttachMent (Col_TalkID, Col_MsgID, Col_FileName) VALUES ('talk_7', 'e1', 'f');"
                     L"INSERT INTO qor_Talk_Log (Col_TalkID, Col_Text) VALUES ('talk_7', 'joined');"
                     L"INSERT INTO Qor_Talk (Col_ID, Col_Type) VALUES ('talk_8', 2)"));
    EXPECT_EQ(Count(L"SELECT count(*) FROM Qor_Talk WHERE Col_ID like '%_7'"), 1);
    EXPECT_TRUE(CQorDBBaseFun::DeleteTalkItem(Db(), L"talk_7"));
    EXPECT_TRUE(CQorDBBaseFun::DeleteTalkAttachment(Db(), L"talk_7"));
    EXPECT_TRUE(CQorDBBaseFun::DeleteTalkLog(Db(), L"talk_7"));
    EXPECT_TRUE(CQorDBBaseFun::DeleteTalkMsg(Db(), L"talk_7"));
    EXPECT_EQ(Count(L"SELECT count(*) FROM Qor_Talk"), 1);
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Talk_Msg"), 0);
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Talk_AttachMent"), 0);
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Talk_Log"), 0);
}

TEST_F(QorDbTest, AttachmentPathsSourcesAndSourceIds)
{
    ASSERT_TRUE(Exec(L"INSERT INTO qor_Msg (Col_ID, Col_SourceMsgID) VALUES ('fwd', 'orig');"
                     L"INSERT INTO qor_Msg (Col_ID) VALUES ('plain');"
                     L"INSERT INTO qor_Msg_Attach (Col_MSGID, Col_FileName, Col_Source) VALUES ('fwd', 'Report.DOC', 1);"
                     L"INSERT INTO qor_Msg_Attach (Col_MSGID, Col_FileName, Col_Source) VALUES ('fwd', 'report.doc', 0);"
                     L"INSERT INTO qor_Talk_AttachMent (Col_TalkID, Col_MsgID, Col_FileName, Col_Source)"
                     L" VALUES ('t', 'e1', 'pic.png', 2)"));
    // The first row whose name matches without case takes the path; the id keeps its case.
    EXPECT_TRUE(m_mgr.UpdateAttachLocalPath(L"fwd", L"REPORT.doc", L"C:\\d\\report.doc"));
    EXPECT_FALSE(m_mgr.UpdateAttachLocalPath(L"FWD", L"report.doc", L"C:\\x"));
    EXPECT_FALSE(m_mgr.UpdateAttachLocalPath(L"fwd", L"missing.doc", L"C:\\x"));
    CYqRecordset rs;
    ASSERT_TRUE(rs.Open(L"SELECT Col_LocalPath FROM qor_Msg_Attach WHERE Col_MSGID = 'fwd' ORDER BY rowid", Db()));
    rs.MoveFirst();
    CString first, second;
    rs.GetValue(0, first);
    rs.MoveNext();
    rs.GetValue(0, second);
    EXPECT_EQ(first, L"C:\\d\\report.doc");
    EXPECT_TRUE(second.IsEmpty());
    EXPECT_TRUE(m_mgr.UpdateTalkAttachLocalPath(L"e1", L"PIC.png", L"C:\\p.png"));
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Talk_AttachMent WHERE Col_LocalPath = 'C:\\p.png'"), 1);

    CUIntArray kinds;
    ASSERT_TRUE(CQorDBBaseFun::LoadAttachFileSource(Db(), L"fwd", kinds));
    ASSERT_EQ(kinds.GetSize(), 2);
    EXPECT_EQ(kinds[0], 1u);
    EXPECT_EQ(kinds[1], 0u);
    ASSERT_TRUE(CQorDBBaseFun::LoadAttachFileSource(Db(), L"e1", kinds));
    ASSERT_EQ(kinds.GetSize(), 1);
    EXPECT_EQ(kinds[0], 2u);
    EXPECT_TRUE(CQorDBBaseFun::LoadAttachFileSource(Db(), L"none", kinds));
    EXPECT_EQ(kinds.GetSize(), 0);

    CString source;
    EXPECT_TRUE(CQorDBBaseFun::GetSourceMsgID(Db(), L"fwd", source));
    EXPECT_EQ(source, L"orig");
    EXPECT_TRUE(CQorDBBaseFun::GetSourceMsgID(Db(), L"plain", source));
    EXPECT_EQ(source, L"plain");
    EXPECT_FALSE(CQorDBBaseFun::GetSourceMsgID(Db(), L"unknown", source));
}

TEST_F(QorDbTest, FailuresAreValuesAndStatementsAreRecorded)
{
    CYqRecordset rs;
    EXPECT_FALSE(rs.Open(L"SELECT nothing FROM no_such_table", Db()));
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_FALSE(Db()->GetLastError().IsEmpty());
    EXPECT_FALSE(rs.Open(L"SELECT 1", nullptr));
    EXPECT_FALSE(Db()->Execute(L"DELETE FROM qor_Msg WHERE"));

    QorDBTest_ClearStatements();
    QorDBTest_FailStatementsContaining(L"qor_Msg_UnRead");
    EXPECT_FALSE(rs.Open(L"SELECT count(*) FROM qor_Msg_UnRead WHERE Col_RecvLogin = '' AND Col_Favourite = 0", Db()));
    EXPECT_TRUE(rs.Open(L"SELECT count(*) FROM qor_Msg", Db()));
    QorDBTest_FailStatementsContaining(nullptr);
    auto statements = QorDBTest_GetStatements();
    ASSERT_EQ(statements.size(), 2u);
    EXPECT_EQ(statements[0], L"SELECT count(*) FROM qor_Msg_UnRead WHERE Col_RecvLogin = '' AND Col_Favourite = 0");

    m_mgr.CloseConnect();
    EXPECT_FALSE(m_mgr.IsConnected());
    EXPECT_FALSE(rs.Open(L"SELECT count(*) FROM qor_Msg", Db()));
    EXPECT_FALSE(Db()->Execute(L"DELETE FROM qor_Msg"));
    EXPECT_FALSE(Db()->BeginTrans());
    CString when;
    EXPECT_FALSE(m_mgr.GetMemoDBTime(when));
}

TEST_F(QorDbTest, FileThatIsNoDatabaseIsRefused)
{
    std::wstring junk = m_dir + L"\\junk.db";
    HANDLE h = ::CreateFileW(junk.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    const char text[] = "this is not a database file, only some text long enough to fill a header";
    ::WriteFile(h, text, sizeof(text), &n, nullptr);
    ::CloseHandle(h);
    CQorMsgDBMgr other;
    EXPECT_FALSE(other.OpenConnect(junk.c_str()));
    EXPECT_FALSE(other.OpenConnect(L""));

    CString when;
    ASSERT_TRUE(m_mgr.GetMemoDBTime(when));
    EXPECT_EQ(when.GetLength(), 19);
    EXPECT_EQ(when[4], L'-');
    EXPECT_EQ(when[13], L':');
}

TEST_F(QorDbTest, TransactionBelongsToTheThreadThatBeganIt)
{
    for (int i = 0; i < 20; ++i) {
        CString id;
        id.Format(L"w%02d", i);
        AddMessage(id, 1, L"2020-01-01 00:00:00", L"x");
    }
    // While this thread's batch is open, another thread's read waits for its end: it never
    // sees rows that this batch deleted and then rolled back.
    ASSERT_TRUE(Db()->BeginTrans());
    for (int i = 0; i < 20; i += 2) {
        CString id;
        id.Format(L"w%02d", i);
        ASSERT_TRUE(CQorDBBaseFun::DeleteMsg(Db(), id));
    }
    std::atomic<bool> reading(false);
    int seen = -1;
    bool otherCommit = true, otherBegin = true;
    std::thread reader([&] {
        reading = true;
        seen = Count(L"SELECT count(*) FROM qor_Msg");
        // Another thread cannot end (or nest into) a transaction it did not begin.
        otherCommit = Db()->CommitTrans();
        otherBegin = Db()->BeginTrans();
        if (otherBegin)
            Db()->RollbackTrans();
    });
    while (!reading) {
    }
    // Keep the batch busy for a while after the reader started.
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg"), 10);
    EXPECT_TRUE(Db()->RollbackTrans());
    reader.join();
    EXPECT_EQ(seen, 20);
    EXPECT_FALSE(otherCommit);
    EXPECT_TRUE(otherBegin) << "after the batch ended the other thread may begin its own";

    // A worker's batch committed while this thread reads: every read sees all or nothing.
    std::thread worker([&] {
        Db()->BeginTrans();
        for (int i = 0; i < 20; i += 2) {
            CString id;
            id.Format(L"w%02d", i);
            CQorDBBaseFun::DeleteMsg(Db(), id);
            CQorDBBaseFun::DeleteMsgContent(Db(), id);
        }
        Db()->CommitTrans();
    });
    for (int i = 0; i < 50; ++i) {
        const int n = Count(L"SELECT count(*) FROM qor_Msg");
        EXPECT_TRUE(n == 20 || n == 10) << n;
    }
    worker.join();
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg"), 10);
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg_Content"), 10);
}

TEST_F(QorDbTest, ReadersNeverKeepStaleValues)
{
    ASSERT_TRUE(Exec(L"INSERT INTO qor_Msg (Col_ID, Col_Subject, Col_AttachCount) VALUES ('n1', NULL, NULL)"));
    CYqRecordset rs;
    ASSERT_TRUE(rs.Open(L"SELECT Col_Subject, Col_AttachCount FROM qor_Msg WHERE Col_ID = 'n1'", Db()));
    rs.MoveFirst();
    CString subject = L"stale";
    int count = 7;
    double d = 7.5;
    EXPECT_FALSE(rs.GetValue(0, subject));
    EXPECT_FALSE(rs.GetValue(1, count));
    EXPECT_FALSE(rs.GetValue(1, d));
    EXPECT_TRUE(subject.IsEmpty());
    EXPECT_EQ(count, 0);
    EXPECT_EQ(d, 0.0);
    // A count(*) that yields no row reads as 0, not as what the variable held.
    ASSERT_TRUE(rs.Open(L"SELECT count(*) FROM qor_Msg WHERE Col_ID = 'none' GROUP BY Col_ID", Db()));
    rs.MoveFirst();
    EXPECT_TRUE(rs.IsEOF());
    count = 5;
    rs.GetValue(0, count);
    EXPECT_EQ(count, 0);
}

// Text read as a number follows SQLite's own reading: leading blanks and sign, the leading
// digits, the ends of the 64-bit range; a real only from a decimal form.
TEST_F(QorDbTest, TextReadsAsNumbersTheWaySqliteReadsIt)
{
    struct Case {
        const wchar_t* text;
        int integer;
        double real;
    } const cases[] = {
        { L"42", 42, 42.0 },           { L"  -7 apples", -7, -7.0 }, { L"12.9", 12, 12.9 },
        { L"+3e2", 3, 300.0 },         { L"abc", 0, 0.0 },           { L"", 0, 0.0 },
        { L"0x1A", 0, 0.0 },           { L"inf", 0, 0.0 },           { L".5", 0, 0.5 },
        { L"2147483648", -2147483647 - 1, 2147483648.0 }, // the int keeps the low 32 bits
        { L"99999999999999999999999", -1, 1e23 },          // clamped to the 64-bit maximum first
    };
    for (const Case& c : cases) {
        CString sql;
        sql.Format(L"SELECT '%s', CAST('%s' AS BLOB)", c.text, c.text);
        CYqRecordset rs;
        ASSERT_TRUE(rs.Open(sql, Db())) << c.text;
        rs.MoveFirst();
        for (int col = 0; col < 2; ++col) {
            int n = 99;
            double d = 99;
            EXPECT_TRUE(rs.GetValue(col, n));
            EXPECT_TRUE(rs.GetValue(col, d));
            EXPECT_EQ(n, c.integer) << c.text << " column " << col;
            EXPECT_DOUBLE_EQ(d, c.real) << c.text << " column " << col;
        }
    }
}

TEST_F(QorDbTest, BodyWithAZeroByteKeepsItsSize)
{
    QorMsgBody body;
    body.contentType = L"UTF-8";
    body.bytes.assign("ab\0cd\xE4\xBD\xA0", 8);
    ASSERT_TRUE(m_mgr.AddMsgContent(L"z1", body));
    CYqRecordset rs;
    ASSERT_TRUE(rs.Open(L"SELECT Col_ContentType, Col_ContentSize, Col_Content FROM qor_Msg_Content WHERE Col_MSGID = 'z1'",
                        Db()));
    rs.MoveFirst();
    int size = 0, stored = 0;
    const char* chunk = rs.GetChunkAsciiChar(2, size);
    rs.GetValue(1, stored);
    EXPECT_EQ(size, 8);
    EXPECT_EQ(stored, 8);
    EXPECT_EQ(std::string(chunk, static_cast<size_t>(size)), body.bytes);
    EXPECT_EQ(chunk[size], '\0') << "terminated after its last byte";
    CString text, type;
    ASSERT_TRUE(CQorDBBaseFun::GetMsgContentInfo(Db(), L"z1", text, type));
    EXPECT_EQ(text.GetLength(), 6) << "the zero character stays inside the text";
    EXPECT_EQ(text[5], L'\x4F60');
}

TEST_F(QorDbTest, TalkNumberLookUpIsExact)
{
    ASSERT_TRUE(Exec(L"INSERT INTO Qor_Talk (Col_ID, Col_Type) VALUES ('grp_15', 3);"
                     L"INSERT INTO Qor_Talk (Col_ID, Col_Type) VALUES ('grp_5', 3);"
                     L"INSERT INTO Qor_Talk (Col_ID, Col_Type) VALUES ('grpx5', 3);"
                     L"INSERT INTO Qor_Talk (Col_ID, Col_Type) VALUES ('grp_55', 2)"));
    // Why the LIKE form is not used: its "_" matches any character.
    EXPECT_EQ(Count(L"SELECT count(*) FROM Qor_Talk WHERE Col_ID like '%_5'"), 4);
    struct { int number; const wchar_t* id; } cases[] = { { 5, L"grp_5" }, { 15, L"grp_15" }, { 55, L"grp_55" },
                                                          { 1, nullptr }, { 25, nullptr } };
    for (const auto& c : cases) {
        CString id = L"stale";
        EXPECT_EQ(CQorDBBaseFun::FindTalkByNumber(Db(), c.number, id), c.id != nullptr) << c.number;
        EXPECT_EQ(id, c.id ? c.id : L"") << c.number;
    }
}

TEST_F(QorDbTest, DoubleQuotedValueIsText)
{
    ASSERT_TRUE(Exec(L"INSERT INTO Qor_Talk (Col_ID, Col_Subject) VALUES ('t1', 'one');"
                     L"INSERT INTO Qor_Talk (Col_ID, Col_Subject) VALUES ('Col_Subject', 'named like a column');"
                     L"INSERT INTO Qor_Talk (Col_ID, Col_Subject) VALUES ('it''s \"x\"', 'quoted')"));
    struct { const wchar_t* sql; int rows; const wchar_t* subject; } cases[] = {
        // A talk id that equals a column name compares with the text, not with the column.
        { L"SELECT Col_Subject FROM Qor_Talk WHERE Col_ID = \"Col_Subject\"", 1, L"named like a column" },
        { L"SELECT Col_Subject FROM Qor_Talk WHERE Col_ID = \"Col_ID\"", 0, nullptr },
        { L"SELECT Col_Subject FROM Qor_Talk WHERE Col_ID = \"it's \"\"x\"\"\"", 1, L"quoted" },
        // Inside a single-quoted literal a double quote is just a character.
        { L"SELECT Col_Subject FROM Qor_Talk WHERE Col_ID = 'it''s \"x\"'", 1, L"quoted" },
    };
    for (const auto& c : cases) {
        CYqRecordset rs;
        ASSERT_TRUE(rs.Open(c.sql, Db())) << c.sql << " " << (LPCWSTR)Db()->GetLastError();
        EXPECT_EQ(rs.GetRecordCount(), c.rows) << c.sql;
        if (c.subject) {
            CString subject;
            rs.MoveFirst();
            rs.GetValue(0, subject);
            EXPECT_EQ(subject, c.subject);
        }
    }
}

// Every statement the message centre and the main window write, with sample values put in
// the way their format strings put them: each must run against the tables made by
// InitDBTable (a missing column or table would make it fail).
TEST_F(QorDbTest, EveryStatementOfTheProgramRunsAgainstTheSchema)
{
    static const wchar_t* const statements[] = {
    L"DELETE FROM qor_Msg \t\t\t\t\t\t   WHERE ((qor_Msg.Col_RecvLogin = 'x' AND qor_Msg.Col_Sender = 'x')\t\t\t\t\t\t   OR (qor_Msg.Col_RecvLogin = 'x' AND qor_Msg.Col_Sender = 'x')) \t\t\t\t\t\t   AND Col_SendDate < ('x'); ",
    L"DELETE FROM qor_Talk_AttachMent \t\t\t\t\t\tWHERE Col_MsgID in (SELECT Col_ID FROM qor_Talk_Msg \t\t\t\t\t\tWHERE Col_TalkID = 'x' AND Col_SendDate < ('x'));",
    L"DELETE FROM qor_Talk_Msg \t\t\t\t\t\t   WHERE Col_TalkID = 'x' AND Col_SendDate < ('x'); ",
    L"SELECT COUNT(*) FROM qor_Msg, qor_Msg_Content WHERE (qor_Msg.Col_ID = qor_Msg_Content.Col_MSGID) AND \t               ((qor_Msg.Col_RecvLogin = 'x' AND qor_Msg.Col_Sender = 'x') OR (qor_Msg.Col_RecvLogin = 'x' AND qor_Msg.Col_Sender = 'x'))",
    L"SELECT COUNT(*) FROM qor_Talk_Msg WHERE Col_TalkID = 'x'",
    L"SELECT Col_Content FROM qor_Msg_Content \t\t\t\t\t  WHERE Col_MSGID = 'x'",
    L"SELECT Col_ContentType, Col_ContentSize, Col_Content FROM qor_Msg_Content \t\t\t\t\t\tWHERE Col_MSGID = 'x'",
    L"SELECT Col_Data FROM qor_Talk_Msg \t\t\t\tWHERE Col_ID = 'x'",
    L"SELECT Col_FileName, Col_LocalPath FROM qor_Msg_Attach WHERE Col_MSGID = 'x'",
    L"SELECT Col_FileName, Col_LocalPath, Col_MsgID \t\t\t\t\t\tFROM qor_Talk_AttachMent WHERE Col_TalkID = 'x'",
    L"SELECT Col_ID FROM Qor_Talk WHERE Col_ID like '%_1'",
    L"SELECT Col_ID, Col_AttachCount, Col_ReadState, Col_SenderName, Col_Subject, Col_SendDate, Col_RecvName, Col_MSGFlag FROM qor_Msg WHERE Col_MSGFolder = 1 AND ( Col_ReadState = 1 OR Col_ReadState = 1 )",
    L"SELECT Col_ID, Col_AttachCount, Col_ReadState, Col_SenderName, Col_Subject, Col_SendDate, Col_RecvName, Col_MSGFlag FROM qor_Msg WHERE Col_MsgFolder = 1",
    L"SELECT Col_ID, Col_Subject, Col_Dt_Create, \t\t\t\t\t\t\tCol_Creator_Name FROM Qor_Talk WHERE Col_Type = 1",
    L"SELECT Col_ID, Col_Subject, Col_Dt_Create\t\t\t\t\t\t\tFROM Qor_Talk WHERE Col_Type = 1",
    L"SELECT Col_ID, Col_Subject\t\t\t\t\t\t\tFROM Qor_Talk WHERE Col_Type = 1 OR Col_Type = 1",
    L"SELECT Col_LocalPath\t\t\t\t\t\t  FROM qor_Msg_Attach WHERE Col_MsgID = 'x' \t\t\t\t\t\t  AND Col_FileName = 'x'",
    L"SELECT Col_LocalPath\t\t\t\t\t\t  FROM qor_Talk_AttachMent WHERE Col_MsgID = 'x'\t\t\t\t\t\t  AND Col_FileName = 'x'",
    L"SELECT Col_RecvLogin FROM qor_Msg WHERE Col_ID = 'x'",
    L"SELECT Col_RecvName, Col_OpenDate FROM qor_Msg_Recv WHERE Col_MSGID = 'x'",
    L"SELECT Col_Sender, Col_SendDate, Col_RecvLogin, Col_MsgFolder FROM qor_Msg WHERE Col_ID = 'x'",
    L"SELECT Col_Sender, Col_SenderName FROM qor_Msg WHERE Col_ID = 'x'",
    L"SELECT Col_SenderName, Col_SendDate, Col_Data , Col_ID ,Col_XXAppCommand FROM qor_Talk_Msg WHERE Col_TalkID = 'x' \t\t\t\t\t\tORDER BY Col_SendDate limit 1,1;",
    L"SELECT Col_SenderName, Col_SendDate, Col_Data FROM qor_Talk_Msg WHERE Col_TalkID = 'x' \t\t\t\t\t\tORDER BY Col_SendDate DESC",
    L"SELECT Col_SenderName, Col_SendDate, Col_RecvName, Col_AttachCount, \t\t\t\t\tCol_MsgFlag FROM qor_Msg WHERE Col_ID = 'x'",
    L"SELECT DISTINCT Col_FolderName FROM qor_Msg WHERE Col_Type = 3",
    L"SELECT DISTINCT Col_ID, Col_AttachCount, Col_ReadState, Col_NeedConfirm, Col_SenderName, Col_Subject, Col_SendDate, Col_RecvName FROM qor_Msg WHERE Col_Type = 1 AND Col_FolderName = 'x' ORDER BY Col_SendDate DESC",
    L"SELECT DISTINCT Col_ID, Col_AttachCount, Col_ReadState, Col_NeedConfirm, Col_SenderName, Col_Subject, Col_SendDate, Col_RecvName FROM qor_Msg WHERE Col_Type = 1 ORDER BY Col_SendDate DESC",
    L"SELECT count(*) FROM qor_Msg WHERE ( qor_Msg.Col_Sender = 'x' AND qor_Msg.Col_MSGFolder = 1 ) OR ( qor_Msg.Col_Sender = 'x' AND qor_Msg.Col_MSGFolder = 2 AND qor_Msg.Col_RecvLogin = 'x' )",
    L"SELECT count(*) FROM qor_Msg WHERE Col_MSGFolder = 1 AND ( Col_ReadState = 1 OR Col_ReadState = 1 )",
    L"SELECT count(*) FROM qor_Msg WHERE Col_MsgFolder = 1",
    L"SELECT count(*) FROM qor_Msg, qor_Msg_Content WHERE qor_Msg.Col_ID = qor_Msg_Content.Col_MSGID AND qor_Msg_Content.Col_Content_Text LIKE '%x%'",
    L"SELECT count(*) FROM qor_Msg_UnRead WHERE Col_RecvLogin = '' AND Col_Favourite = 0",
    L"SELECT qor_Msg.Col_ID, qor_Msg.Col_AttachCount, qor_Msg.Col_ReadState,  \t\t\t\t\t\tqor_Msg.Col_SenderName, qor_Msg.Col_Subject, qor_Msg.Col_SendDate, \t\t\t\t\t\tqor_Msg.Col_RecvName, qor_Msg.Col_MSGFlag FROM qor_Msg \t\t\t\t\t\tWHERE ( (qor_Msg.Col_Sender = 'x' AND qor_Msg.Col_MSGFolder = 1 ) OR \t\t\t\t\t\t( qor_Msg.Col_Sender = 'x' AND qor_Msg.Col_MSGFolder = 2 AND qor_Msg.Col_RecvLogin = 'x' ) ) AND \t\t\t\t\t\t( qor_Msg.Col_SendDate <= 'x' AND qor_Msg.Col_SendDate >= 'x' ) ORDER BY qor_Msg.Col_SendDate",
    L"SELECT qor_Msg.Col_ID, qor_Msg.Col_AttachCount, qor_Msg.Col_ReadState, qor_Msg.Col_SenderName, qor_Msg.Col_Subject, qor_Msg.Col_SendDate, qor_Msg.Col_RecvName, qor_Msg.Col_MSGFlag FROM qor_Msg WHERE ( qor_Msg.Col_Sender = 'x' AND qor_Msg.Col_MSGFolder = 1 ) OR ( qor_Msg.Col_Sender = 'x' AND qor_Msg.Col_MSGFolder = 2 AND qor_Msg.Col_RecvLogin = 'x' ) ",
    L"SELECT qor_Msg.Col_ID, qor_Msg.Col_AttachCount, qor_Msg.Col_ReadState, qor_Msg.Col_SenderName, qor_Msg.Col_Subject, qor_Msg.Col_SendDate, qor_Msg.Col_RecvName, qor_msg.Col_MSGFlag FROM qor_Msg, qor_Msg_Content WHERE qor_Msg.Col_ID = qor_Msg_Content.Col_MSGID AND qor_Msg_Content.Col_Content_Text LIKE '%x%'",
    L"SELECT qor_Msg.Col_SenderName, qor_Msg.Col_SendDate, \t\t\t\t\t  qor_Msg_Content.Col_Content, qor_Msg.Col_ID, qor_Msg.Col_XXAppCommand \t\t\t\t\t  FROM qor_Msg, qor_Msg_Content WHERE \t\t\t\t\t  (qor_Msg.Col_ID = qor_Msg_Content.Col_MSGID) AND \t\t\t\t\t  ((qor_Msg.Col_RecvLogin = 'x' AND qor_Msg.Col_Sender = 'x')\t\t\t\t\t  OR (qor_Msg.Col_RecvLogin = 'x' AND qor_Msg.Col_Sender = 'x')) \t\t\t\t\t  ORDER BY Col_SendDate limit 1,1;",

        // The subject query puts the talk id between double quotes.
        L"SELECT Col_Subject FROM Qor_Talk WHERE Col_ID = \"talk_1\"",
    };
    AddMessage(L"x", 1, L"2020-01-01 00:00:00", L"x");
    for (const wchar_t* sql : statements) {
        bool ok;
        if (_wcsnicmp(sql, L"SELECT", 6) == 0) {
            CYqRecordset rs;
            ok = rs.Open(sql, Db());
        } else {
            ok = Db()->Execute(sql);
        }
        EXPECT_TRUE(ok) << (LPCWSTR)Db()->GetLastError() << "\n" << sql;
    }
}

// Deep pages of a long list come from kept row positions: they must equal what the statement
// means, in both paging forms, over a join too, and follow every change at once.
TEST_F(QorDbTest, DeepPagesMatchTheQueryAndFollowChanges)
{
    const int kRows = 2600;
    ASSERT_TRUE(Db()->BeginTrans());
    for (int i = 0; i < kRows; ++i) {
        QorMsgRecord m;
        m.id.Format(L"p%05d", i);
        m.msgFolder = 1 + i % 2;
        // Distinct dates, in an order unlike the ids'.
        const int minute = (i * 7919) % kRows;
        m.sendDate.Format(L"2022-01-%02d %02d:%02d:00", 1 + minute / 1440, (minute / 60) % 24, minute % 60);
        m.subject.Format(L"subject %d", i);
        ASSERT_TRUE(m_mgr.AddMsg(m));
        QorMsgBody body;
        body.text = i % 3 ? L"plain words" : L"a common word";
        ASSERT_TRUE(m_mgr.AddMsgContent(m.id, body));
    }
    ASSERT_TRUE(Db()->CommitTrans());

    auto ids = [&](const CString& sql) {
        std::vector<CString> out;
        CYqRecordset rs;
        EXPECT_TRUE(rs.Open(sql, Db())) << (LPCWSTR)sql;
        EXPECT_EQ(rs.GetFieldName(0), L"Col_ID");
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
            CString id;
            rs.GetValue(0, id);
            out.push_back(id);
        }
        return out;
    };
    const CString base = L"SELECT Col_ID, Col_Subject FROM qor_Msg WHERE Col_MsgFolder = 2 ORDER BY qor_msg.Col_SendDate DESC";
    // The whole ordered list, read without paging, is what every page must be a window of.
    std::vector<CString> all = ids(base);
    ASSERT_EQ(all.size(), static_cast<size_t>(kRows / 2));
    auto window = [&](size_t from, size_t n) {
        return std::vector<CString>(all.begin() + std::min(from, all.size()), all.begin() + std::min(from + n, all.size()));
    };
    CString sql;
    // Too shallow for the kept positions at first: fine as written. The table is too small for a
    // deep page, so the join below is the deep one; a page form of each kind is checked here.
    sql.Format(L"%s LIMIT 50 OFFSET %d", (LPCWSTR)base, 40);
    EXPECT_EQ(ids(sql), window(40, 50));
    sql.Format(L"%s limit %d,%d;", (LPCWSTR)base, 1280, 50);
    EXPECT_EQ(ids(sql), window(1280, 50));

    // A search over a join, deep into its result: 2,000 and more rows in.
    const CString search = L"SELECT qor_Msg.Col_ID FROM qor_Msg, qor_Msg_Content WHERE qor_Msg.Col_ID ="
                           L" qor_Msg_Content.Col_MSGID AND qor_Msg_Content.Col_Content_Text LIKE '%word%'"
                           L" ORDER BY qor_msg.Col_SendDate";
    all = ids(search);
    ASSERT_EQ(all.size(), static_cast<size_t>(kRows));
    QorDBTest_ClearStatements();
    const int builds = QorDBTest_GetPageIndexBuilds();
    for (int offset : { 2000, 2550, 2599, 2600, 3000 }) {
        sql.Format(L"%s LIMIT 50 OFFSET %d", (LPCWSTR)search, offset);
        EXPECT_EQ(ids(sql), window(static_cast<size_t>(offset), 50)) << offset;
    }
    EXPECT_EQ(QorDBTest_GetStatements().size(), 5u) << "each page is recorded once, as written";
    // The positions are built once for the list and kept while nothing changes: rebuilding them
    // per page would cost a walk of the whole list every time.
    EXPECT_EQ(QorDBTest_GetPageIndexBuilds(), builds + 1);
    // A shallow page of a list whose positions are kept comes from them too, the same rows.
    sql.Format(L"%s LIMIT 50 OFFSET 0", (LPCWSTR)search);
    EXPECT_EQ(ids(sql), window(0, 50));
    EXPECT_EQ(QorDBTest_GetPageIndexBuilds(), builds + 1);
    // Reading (another list, a count, another connection's read) changes nothing.
    EXPECT_EQ(Count(L"SELECT count(*) FROM qor_Msg"), kRows);
    {
        CQorMsgDBMgr reader;
        ASSERT_TRUE(reader.OpenConnect(m_file.c_str()));
        CYqRecordset rs;
        EXPECT_TRUE(rs.Open(L"SELECT count(*) FROM qor_Msg_Content", reader.GetConnect()));
    }
    sql.Format(L"%s LIMIT 50 OFFSET 2300", (LPCWSTR)search);
    EXPECT_EQ(ids(sql), window(2300, 50));
    EXPECT_EQ(QorDBTest_GetPageIndexBuilds(), builds + 1);
    // Inside an open transaction of this connection the kept positions serve as well.
    ASSERT_TRUE(Db()->BeginTrans());
    EXPECT_EQ(ids(sql), window(2300, 50));
    ASSERT_TRUE(Db()->CommitTrans());
    EXPECT_EQ(QorDBTest_GetPageIndexBuilds(), builds + 1);

    // A deletion in the middle moves every later row up by one at once.
    sql.Format(L"%s LIMIT 3 OFFSET 2100", (LPCWSTR)search);
    const std::vector<CString> before = ids(sql);
    ASSERT_EQ(before.size(), 3u);
    CString del;
    del.Format(L"DELETE FROM qor_Msg WHERE Col_ID = '%s'", (LPCWSTR)before[0]);
    ASSERT_TRUE(Exec(del));
    const std::vector<CString> after = ids(sql);
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(after[0], before[1]);
    EXPECT_EQ(after[1], before[2]);
    EXPECT_EQ(QorDBTest_GetPageIndexBuilds(), builds + 2);
    // A change made through another connection to the same file counts as well.
    {
        CQorMsgDBMgr other;
        ASSERT_TRUE(other.OpenConnect(m_file.c_str()));
        del.Format(L"DELETE FROM qor_Msg WHERE Col_ID = '%s'", (LPCWSTR)after[0]);
        ASSERT_TRUE(other.GetConnect()->Execute(del));
    }
    EXPECT_EQ(ids(sql)[0], after[1]);
    EXPECT_EQ(QorDBTest_GetPageIndexBuilds(), builds + 3);
    EXPECT_EQ(ids(sql)[0], after[1]);
    EXPECT_EQ(QorDBTest_GetPageIndexBuilds(), builds + 3);
}
