// The contact-history pane's deletion and export of 50,000 messages with one contact, on a
// generated database, while the user-interface thread pages the title list (deep pages too) and
// new messages arrive: cancelled half-way in one run, completed in another. Afterwards no
// statement has failed, nothing outside the task has changed, every message is whole, both lists
// agree with the database, and an export file holds exactly the messages it reports.
#include "tests/msgcenter/contacthistory/HistoryFixture.h"
#include "bench/MsgDbGenerator.h"
#include "controls/CWaitingDlg.h"
#include "msgcenter/titlelist/CQorMsgTitleDlg.h"
#include "msgcenter/titlelist/CTitleListQuery.h"
#include "platform/QorDB/QorDBTestHooks.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include <atomic>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

namespace {

const int kHistory = 50000;    // messages with ann, all selected and deleted or exported
const int kHeldAt = kHistory / 2; // a cancelled run is stopped while its worker handles this one (0-based)
const int kStep = 250;         // worker progress between two steps of the user-interface thread
const wchar_t kAsked[] = L"2026-03-10 12:00:00";

struct HistoryRun {
    const char* name;
    bool deletion;
    bool cancel;
};

void PrintTo(const HistoryRun& run, std::ostream* os) { *os << run.name; }

std::wstring g_templateDir; // the database every run starts from, built once

std::string ReadFile(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The history ids in the order their bodies stand in an export file.
std::vector<CString> ExportedIds(const std::string& rtf)
{
    std::vector<CString> ids;
    const std::string mark = "Body of h";
    for (size_t at = rtf.find(mark); at != std::string::npos; at = rtf.find(mark, at + mark.size()))
        ids.push_back(CString(L"h") + CString(rtf.substr(at + mark.size(), 5).c_str()));
    return ids;
}

// What the four tables hold of the messages whose ids start with a prefix, as one text: rows and
// sums over their columns and row ids, so that a row deleted, added, replaced or changed shows.
CString Fingerprint(ReadingDb& db, const wchar_t* prefix)
{
    const CString like = CTitleListQuery::Quote(prefix) + L"%";
    const wchar_t* const kTables[] = {
        L"count(*) || '/' || total(rowid) || '/' || total(length(Col_ID || Col_Subject || Col_SendDate || "
        L"Col_SenderName || Col_RecvName)) || '/' || total(Col_ReadState + 7 * Col_AttachCount + 13 * Col_MsgFolder) "
        L"FROM qor_Msg WHERE Col_ID",
        L"count(*) || '/' || total(rowid) || '/' || total(Col_ContentSize) || '/' || total(length(Col_Content)) "
        L"FROM qor_Msg_Content WHERE Col_MSGID",
        L"count(*) || '/' || total(rowid) || '/' || total(length(Col_FileName || Col_LocalPath)) "
        L"FROM qor_Msg_Attach WHERE Col_MSGID",
        L"count(*) || '/' || total(rowid) || '/' || total(length(Col_RecvName || Col_OpenDate)) "
        L"FROM qor_Msg_Recv WHERE Col_MSGID",
    };
    CString all;
    for (const wchar_t* table : kTables) {
        CYqRecordset rs;
        CString value = L"?";
        if (rs.Open(CString(L"SELECT ") + table + L" LIKE '" + like + L"'", db.Connect())) {
            rs.MoveFirst();
            if (!rs.IsEOF())
                rs.GetValue(0, value);
            rs.Close();
        }
        all += value + L" | ";
    }
    return all;
}

std::vector<CString> Ids(ReadingDb& db, const CString& sql)
{
    std::vector<CString> ids;
    CYqRecordset rs;
    if (rs.Open(sql, db.Connect())) {
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
            CString id;
            rs.GetValue(0, id);
            ids.push_back(id);
        }
        rs.Close();
    }
    return ids;
}

// Sets the task's cancel flag while its worker waits at the held statement, then lets the worker
// go on: the cancel lands at a known message however the threads are scheduled. It works on a
// thread of its own because the user-interface thread may itself be waiting for the connection
// that the held worker keeps.
class CancelAtHold {
public:
    void Start(std::atomic<bool>* pCancel)
    {
        m_thread = std::thread([this, pCancel] {
            while (!m_stop.load() && !QorDBTest_IsHolding())
                ::Sleep(1);
            if (!QorDBTest_IsHolding())
                return;
            pCancel->store(true);
            m_cancelled = true;
            QorDBTest_ReleaseHeld();
        });
    }
    bool Cancelled() const { return m_cancelled.load(); }
    void Stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        QorDBTest_HoldStatementContaining(nullptr);
        QorDBTest_ReleaseHeld();
    }
    ~CancelAtHold() { Stop(); }

private:
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_cancelled{false};
};

class HistoryConcurrencyTest : public HistoryPaneTest, public ::testing::WithParamInterface<HistoryRun> {
public:
    static void SetUpTestSuite()
    {
        // Ten thousand messages of a generated database with other people (every folder, their
        // bodies, attachments and receipts) and the 50,000 with ann, one a second on one day.
        ReadingDb build;
        MsgDbGenOptions options;
        options.messages = 10000;
        options.senders = 300;
        ASSERT_TRUE(GenerateMsgDbInto(build.Mgr(), options));
        StoreConversation(build, L"h", kHistory, L"ann");
        build.Mgr().CloseConnect();
        g_templateDir = testsupport::TempDir(L"korvel-history-run");
        ASSERT_TRUE(::CopyFileW((build.Dir() + L"\\msg.db").c_str(), (g_templateDir + L"\\msg.db").c_str(), FALSE));
    }
    static void TearDownTestSuite() { testsupport::RemoveTree(g_templateDir); }

protected:
    void SetUp() override
    {
        HistoryPaneTest::SetUp();
        if (HasFatalFailure())
            return;
        const std::wstring file = db.Dir() + L"\\msg.db";
        db.Mgr().CloseConnect();
        ASSERT_TRUE(::CopyFileW((g_templateDir + L"\\msg.db").c_str(), file.c_str(), FALSE));
        ASSERT_TRUE(db.Mgr().OpenConnect(file.c_str()));

        // The title list of the received folder, beside the contact-history pane.
        ASSERT_TRUE(titleHost.CreateTopLevel(540, 380));
        titleHost.SetWindowPos(nullptr, 730, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ASSERT_TRUE(titles.Create(IDD_MSG_TITLE, &titleHost));
        titles.SetOwner(&titleHost);
        titles.MoveWindow(0, 0, 540, 380);
        titles.ShowWindow(SW_SHOW);
        ASSERT_TRUE(titles.LoadFolderMsg(1));
        testsupport::PumpMessages();
    }
    void TearDown() override
    {
        if (titles.GetSafeHwnd())
            titles.DestroyWindow();
        titleHost.DestroyWindow();
        HistoryPaneTest::TearDown();
    }

    int ReceivedCount() { return db.Count(L"SELECT count(*) FROM qor_Msg WHERE Col_MsgFolder = 1"); }

    // A message arriving while the task runs, stored as the client stores one (its four rows
    // through the database library's write side, in one transaction of this thread, which
    // waits for the worker's batch to end), then the received folder shown again with it on top.
    // Every other one comes from ann, inside the pane's dates but not in its list.
    void Deliver()
    {
        const int k = delivered++;
        QorMsgRecord m;
        m.id.Format(L"new%04d", k);
        m.sender = k % 2 ? L"bob" : L"ann";
        m.senderName = k % 2 ? L"Bob" : L"Ann";
        m.recvLogin = L"me";
        m.recvName = L"Me";
        m.subject = L"Arrived " + m.id;
        m.sendDate.Format(L"2026-03-11 %02d:%02d:%02d", k / 3600, (k / 60) % 60, k % 60);
        m.attachCount = 1;
        QorMsgBody body;
        body.contentType = L"UTF-8";
        body.bytes = "Body of " + std::string(CStringA(m.id).GetString());
        body.text = L"Body of " + m.id;
        CYqConnect* connect = db.Connect();
        const int before = pane.GetJob() ? pane.GetJob()->done.load() : 0;
        ASSERT_TRUE(connect->BeginTrans());
        // Its turn comes when the batch under way ends (the count may show the one before that
        // too): the worker, beginning its next batch at once, does not go first.
        if (pane.GetJob())
            EXPECT_LE(pane.GetJob()->done.load() - before, 2 * pane.GetDeleteBatch());
        const bool stored = db.Mgr().AddMsg(m) && db.Mgr().AddMsgContent(m.id, body) &&
                            db.Mgr().AddMsgAttach(m.id, L"file-" + m.id + L".txt", L"", 0) &&
                            db.Mgr().AddMsgRecv(m.id, L"Me", L"");
        ASSERT_TRUE(connect->CommitTrans() && stored);
        ASSERT_TRUE(titles.LoadFolderMsg(1));
        titles.GetList().EnsureVisible(0, FALSE);
        titles.GetList().UpdateWindow();
        const _MSGITEM* top = titles.GetCachedRow(0);
        ASSERT_NE(nullptr, top);
        EXPECT_EQ(m.id, top->strID) << "the message that arrived heads the received folder";
    }

    // One page of the title list, as the user scrolls or jumps: the list scrolls to a row and,
    // painting, asks the pane for the rows it shows (its cache hint), here and deep down.
    void Page(int step)
    {
        static const double kWhere[] = {0.5, 0.1, 0.93, 0.0, 0.3, 0.75, 1.0, 0.6};
        const int total = titles.GetTotal();
        if (total <= 0)
            return;
        int target = static_cast<int>(kWhere[step % (sizeof(kWhere) / sizeof(kWhere[0]))] * (total - 1));
        titles.GetList().EnsureVisible(target, FALSE);
        titles.GetList().UpdateWindow();
        const _MSGITEM* row = titles.GetCachedRow(target);
        ASSERT_NE(nullptr, row);
        EXPECT_FALSE(row->strID.IsEmpty()) << "row " << target << " of " << total << " was not read";
        ++pages;
    }

    // The user-interface side until the task has ended: at every kStep messages of the worker one
    // step (a page of the title list, every fourth step a new message instead), run while the
    // worker runs, so that the two meet at the connection; and in a cancelled run the waiting
    // dialog's Cancel as soon as the cancel has landed.
    //
    // While it handles its messages between two steps this thread keeps the connection (as a long
    // statement of its own would): the worker waits at its next statement or batch, so it cannot
    // finish the task while this thread is busy with its list, and the steps go on all through
    // the run however the machine schedules the two threads.
    void RunUi(CancelAtHold& canceller)
    {
        QorConnectionLock& connection = db.Connect()->GetLock();
        int step = 0;
        for (int round = 0; round < 100000 && pane.IsBusy(); ++round) {
            CContactHistoryJob* job = pane.GetJob();
            if (!job)
                break;
            const int at = job->done.load() / kStep;
            if (step % 4 == 3)
                Deliver();
            else
                Page(step);
            ++step;
            if (HasFatalFailure())
                return;
            // The worker's next kStep messages (or its end, or the hold of a cancelled run).
            for (int wait = 0; wait < 600000 && job->done.load() / kStep == at &&
                               job->result.load() == CContactHistoryJob::kRunning && !canceller.Cancelled();
                 ++wait)
                ::Sleep(1);
            if (canceller.Cancelled()) {
                pane.SendMessage(WM_WAITING_CANCEL);
                EXPECT_FALSE(pane.IsBusy()) << "cancel returns once the worker has ended";
                break;
            }
            connection.lock();
            testsupport::PumpMessages();
            connection.unlock();
        }
        testsupport::PumpMessages();
    }

    ReadingHost titleHost;
    CQorMsgTitleDlg titles;
    int delivered = 0;
    int pages = 0;
};

} // namespace

TEST_P(HistoryConcurrencyTest, TaskBesideAPagingTitleListAndArrivingMessages)
{
    const HistoryRun run = GetParam();
    pane.LoadContactHistoryByDate(L"", kAsked, L"ann");
    ASSERT_EQ(kHistory, pane.GetList().GetItemCount());
    SelectAll();
    const std::vector<CString> listed = ListIds();
    const CString others = Fingerprint(db, L"msg");
    const std::wstring path = db.Dir() + L"\\history.rtf";
    pane.exportPath = path.c_str();

    QorDBTest_ClearFailureCount();
    qorview_test::ClearCalls();
    const int buildsBefore = QorDBTest_GetPageIndexBuilds();
    CancelAtHold canceller;
    if (run.cancel)
        QorDBTest_HoldStatementContaining(run.deletion ? L"DELETE FROM qor_Msg_Recv WHERE"
                                                       : L"SELECT Col_Content, Col_ContentType FROM qor_Msg_Content",
                                          kHeldAt);
    if (run.deletion)
        pane.StartDelete(false);
    else
        pane.StartExport(1);
    ASSERT_TRUE(pane.IsBusy());
    ASSERT_NE(nullptr, pane.GetJob());
    if (run.cancel)
        canceller.Start(&pane.GetJob()->cancel);
    RunUi(canceller);
    canceller.Stop();
    ASSERT_FALSE(pane.IsBusy());
    EXPECT_EQ(run.cancel, canceller.Cancelled());
    std::printf("[ run ] %s: %d title pages, %d messages arrived, %d kept-position rebuilds\n", run.name, pages,
                delivered, QorDBTest_GetPageIndexBuilds() - buildsBefore);

    // The task did what it reports, and only that.
    const int reported = pane.GetLastTaskCount();
    EXPECT_EQ(run.cancel ? CContactHistoryJob::kCancelled : CContactHistoryJob::kDone, pane.GetLastTaskResult());
    EXPECT_EQ(run.cancel ? kHeldAt + 1 : kHistory, reported);
    EXPECT_EQ(0, QorDBTest_FailureCount()) << "no statement of either thread failed";
    EXPECT_EQ(others, Fingerprint(db, L"msg")) << "the generated messages are untouched";
    EXPECT_GT(delivered, 0);
    TableCounts arrived = CountTables(db, L"new");
    EXPECT_EQ(delivered, arrived.msg);
    EXPECT_EQ(delivered, arrived.content);
    EXPECT_EQ(delivered, arrived.attach);
    EXPECT_EQ(delivered, arrived.recv);
    EXPECT_EQ(0, BrokenMessages(db, L"h"));
    const std::vector<CString> stored =
        Ids(db, L"SELECT Col_ID FROM qor_Msg WHERE Col_ID LIKE 'h%' ORDER BY Col_SendDate DESC");
    const std::wstring note = qorview_test::LastArgs(L"QorMessageBox");
    if (run.deletion) {
        // The rows the walk reached are gone from the database and the list, the others are in both.
        const std::vector<CString> left(listed.begin() + reported, listed.end());
        EXPECT_TRUE(left == stored) << left.size() << " rows should be stored, " << stored.size() << " are";
        EXPECT_TRUE(left == ListIds()) << left.size() << " rows should be listed, " << ListIds().size() << " are";
        if (run.cancel)
            EXPECT_NE(std::wstring::npos,
                      note.find(std::to_wstring(reported) + L" of the " + std::to_wstring(kHistory)));
    } else {
        EXPECT_EQ(static_cast<size_t>(kHistory), stored.size());
        EXPECT_TRUE(listed == ListIds()) << "an export leaves the list alone";
        const std::vector<CString> exported(listed.begin(), listed.begin() + reported);
        const std::vector<CString> inFile = ExportedIds(ReadFile(path));
        EXPECT_TRUE(exported == inFile) << "the file holds " << inFile.size() << " messages, in place of the "
                                        << exported.size() << " reported, in list order";
        EXPECT_NE(std::wstring::npos, note.find(std::to_wstring(reported)));
    }

    // Shown again, both lists are what the database holds: the history with what stayed and what
    // arrived from ann, the received folder page by page, deep down and at its end too.
    pane.LoadContactHistoryByDate(L"", kAsked, L"ann");
    const std::vector<CString> history = Ids(db, L"SELECT Col_ID FROM qor_Msg WHERE Col_Sender = 'ann' OR "
                                                 L"Col_RecvLogin = 'ann' ORDER BY Col_SendDate DESC");
    EXPECT_TRUE(history == ListIds()) << history.size() << " stored, " << ListIds().size() << " listed";
    ASSERT_TRUE(titles.LoadFolderMsg(1));
    EXPECT_EQ(ReceivedCount(), titles.GetTotal());
    for (int row : {titles.GetTotal() / 3, titles.GetTotal() - 1}) {
        titles.GetList().EnsureVisible(row, FALSE);
        titles.GetList().UpdateWindow();
        CString sql;
        sql.Format(L"SELECT Col_ID FROM qor_Msg WHERE Col_MsgFolder = 1 ORDER BY Col_SendDate DESC, rowid DESC "
                   L"LIMIT 1 OFFSET %d",
                   row);
        ASSERT_NE(nullptr, titles.GetCachedRow(row));
        EXPECT_EQ(Ids(db, sql), std::vector<CString>{titles.GetCachedRow(row)->strID}) << "row " << row;
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, HistoryConcurrencyTest,
                         ::testing::Values(HistoryRun{"DeletionCancelledHalfWay", true, true},
                                           HistoryRun{"DeletionCompleted", true, false},
                                           HistoryRun{"ExportCancelledHalfWay", false, true},
                                           HistoryRun{"ExportCompleted", false, false}),
                         [](const ::testing::TestParamInfo<HistoryRun>& info) { return std::string(info.param.name); });
