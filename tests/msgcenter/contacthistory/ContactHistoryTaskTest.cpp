// The contact-history pane's export and deletion on their worker thread: what the file holds,
// deletion in batches that each leave whole (cancelled, failed, completed), the list following
// only what was really deleted, the notes, starts while one runs, and the pane's destruction
// while the worker runs.
#include "tests/msgcenter/contacthistory/HistoryFixture.h"
#include "controls/CWaitingDlg.h"
#include "platform/QorDB/QorDBTestHooks.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

const wchar_t kAsked[] = L"2026-03-10 12:00:00";

std::string ReadFile(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

int Occurrences(const std::string& text, const std::string& word)
{
    int n = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + word.size()))
        ++n;
    return n;
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class HistoryTaskTest : public HistoryPaneTest {
protected:
    // n messages with ann listed and all selected.
    std::vector<CString> ListAll(int n)
    {
        std::vector<CString> ids = StoreConversation(db, L"h", n, L"ann", 12 * 3600 - n / 2);
        StoreConversation(db, L"other", 10, L"bob", 12 * 3600);
        pane.LoadContactHistoryByDate(L"", kAsked, L"ann");
        EXPECT_EQ(n, pane.GetList().GetItemCount());
        SelectAll();
        return ListIds();
    }
    // Pumps until the worker has done at least n rows (or ended).
    void PumpUntilDone(int n)
    {
        for (int round = 0; round < 200000 && pane.GetJob() && pane.GetJob()->done.load() < n; ++round) {
            testsupport::PumpMessages(5);
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
        }
    }
    // Pumps until the worker waits at the statement QorDBTest_HoldStatementContaining named,
    // sets the task's cancel flag there and lets the worker go on, so that the cancel lands at a
    // known message however fast or busy the machine; false when the worker never got there
    // (within a minute).
    bool CancelAtHeldStatement()
    {
        bool held = false;
        for (DWORD start = ::GetTickCount(); !held && ::GetTickCount() - start < 60000;) {
            held = QorDBTest_IsHolding();
            if (!held) {
                testsupport::PumpMessages(5);
                ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
            }
        }
        if (held && pane.GetJob())
            pane.GetJob()->cancel = true;
        QorDBTest_ReleaseHeld();
        return held;
    }
    void ExpectOthersUntouched()
    {
        TableCounts others = CountTables(db, L"other");
        EXPECT_EQ(10, others.msg);
        EXPECT_EQ(10, others.content);
        EXPECT_EQ(10, others.attach);
        EXPECT_EQ(10, others.recv);
    }
    std::wstring OutPath(const wchar_t* name) { return db.Dir() + L"\\" + name; }
};

} // namespace

TEST_F(HistoryTaskTest, ExportWritesEveryMessageItReportsOnceInListOrder)
{
    std::vector<CString> ids = ListAll(40);
    HistoryMsg ktf;
    ktf.id = L"hktf";
    ktf.date = L"2026-03-10 13:00:00";
    ktf.body = L"<KTF><Text>Greetings from KTF</Text></KTF>";
    StoreHistoryMsg(db, ktf);
    db.Connect()->Execute(L"UPDATE qor_Msg_Content SET Col_ContentType = 'Text/Ktf' WHERE Col_MSGID = 'hktf'");
    pane.LoadContactHistoryByDate(L"", kAsked, L"ann");
    SelectAll();
    std::wstring path = OutPath(L"history.rtf");
    {
        std::ofstream old(path.c_str(), std::ios::binary);
        old << std::string(100000, 'Z');
    }
    pane.exportPath = path.c_str();
    qorview_test::ClearCalls();
    pane.StartExport(1);
    ASSERT_TRUE(PumpUntilIdle());

    EXPECT_EQ(CContactHistoryJob::kDone, pane.GetLastTaskResult());
    EXPECT_EQ(41, pane.GetLastTaskCount());
    std::string rtf = ReadFile(path);
    ASSERT_EQ(0u, rtf.rfind("{\\rtf", 0));
    EXPECT_EQ(std::string::npos, rtf.find("ZZZZ"));
    EXPECT_EQ(40, Occurrences(rtf, "Body of h"));
    EXPECT_EQ(1, Occurrences(rtf, "Greetings from KTF")) << "a KTF body goes in as its text";
    EXPECT_EQ(std::string::npos, rtf.find("<KTF>"));
    // Newest first, as listed.
    EXPECT_LT(rtf.find("Greetings from KTF"), rtf.find("Body of h00039"));
    EXPECT_LT(rtf.find("Body of h00039"), rtf.find("Body of h00000"));
    EXPECT_EQ(1, qorview_test::CountCalls(L"QorMessageBox"));
    EXPECT_NE(std::wstring::npos, qorview_test::LastArgs(L"QorMessageBox").find(L"41"));
    EXPECT_EQ(41, pane.GetList().GetItemCount()) << "an export leaves the list alone";
    EXPECT_TRUE(host.IsWindowEnabled());
}

TEST_F(HistoryTaskTest, CancelledExportHoldsExactlyTheMessagesItReports)
{
    const int n = 2000;
    ListAll(n);
    std::wstring path = OutPath(L"cancelled.rtf");
    pane.exportPath = path.c_str();
    qorview_test::ClearCalls();
    // The cancel lands at the 201st message.
    QorDBTest_HoldStatementContaining(L"FROM qor_Msg_Content WHERE", 200);
    pane.StartExport(1);
    ASSERT_TRUE(CancelAtHeldStatement());
    // As the waiting dialog's Cancel does.
    pane.SendMessage(WM_WAITING_CANCEL);
    EXPECT_FALSE(pane.IsBusy()) << "cancel returns only after the worker has ended";
    EXPECT_EQ(nullptr, pane.GetJob());
    EXPECT_EQ(CContactHistoryJob::kCancelled, pane.GetLastTaskResult());
    const int reported = pane.GetLastTaskCount();
    EXPECT_GE(reported, 200);
    EXPECT_LT(reported, n);
    EXPECT_EQ(reported, Occurrences(ReadFile(path), "Body of h"));
    EXPECT_NE(std::wstring::npos, qorview_test::LastArgs(L"QorMessageBox").find(std::to_wstring(reported)));
    EXPECT_TRUE(host.IsWindowEnabled());
}

TEST_F(HistoryTaskTest, ExportFailuresAreReportedAndLeaveNoShortFile)
{
    ListAll(30);
    struct Case { std::wstring path; long long writeLimit; int result; } cases[] = {
        {OutPath(L"no-such-folder\\x.rtf"), -1, CContactHistoryJob::kOpenFailed},
        {OutPath(L"full.rtf"), 300, CContactHistoryJob::kWriteFailed},
    };
    for (const Case& c : cases) {
        pane.exportPath = c.path.c_str();
        pane.SetExportWriteLimit(c.writeLimit);
        qorview_test::ClearCalls();
        pane.StartExport(1);
        ASSERT_TRUE(PumpUntilIdle());
        EXPECT_EQ(c.result, pane.GetLastTaskResult());
        EXPECT_EQ(0, pane.GetLastTaskCount());
        EXPECT_FALSE(FileExists(c.path));
        EXPECT_NE(std::wstring::npos, qorview_test::LastArgs(L"QorMessageBox").find(c.path));
    }
}

TEST_F(HistoryTaskTest, DeletionInBatchesRemovesEveryMessageWholeAndItsRows)
{
    ListAll(100);
    // Two unselected rows stay.
    pane.GetList().SetItemState(10, 0, LVIS_SELECTED);
    pane.GetList().SetItemState(57, 0, LVIS_SELECTED);
    const CString kept1 = pane.GetList().GetItemDataText(10), kept2 = pane.GetList().GetItemDataText(57);
    pane.SetDeleteBatch(7);
    host.shownId = pane.GetList().GetItemDataText(3);
    QorDBTest_ClearFailureCount();
    qorview_test::ClearCalls();
    pane.StartDelete(false);
    ASSERT_TRUE(PumpUntilIdle());

    EXPECT_EQ(CContactHistoryJob::kDone, pane.GetLastTaskResult());
    EXPECT_EQ(98, pane.GetLastTaskCount());
    std::vector<CString> left = {kept1, kept2};
    EXPECT_EQ(left, ListIds());
    TableCounts h = CountTables(db, L"h");
    EXPECT_EQ(2, h.msg);
    EXPECT_EQ(0, BrokenMessages(db, L"h"));
    ExpectOthersUntouched();
    EXPECT_EQ(0, QorDBTest_FailureCount());
    EXPECT_EQ(0, qorview_test::CountCalls(L"QorMessageBox")) << "a finished deletion needs no note";
    EXPECT_EQ(1, host.clears) << "the deleted message shown below is cleared";
}

TEST_F(HistoryTaskTest, CancelledDeletionKeepsWholeMessagesAndSaysWhatWasDeleted)
{
    const int n = 10000;
    ListAll(n);
    pane.SetDeleteBatch(50);
    qorview_test::ClearCalls();
    // The cancel lands at the 501st message, in the eleventh batch; then the waiting dialog's
    // Cancel waits for the worker.
    QorDBTest_HoldStatementContaining(L"DELETE FROM qor_Msg_Recv", 500);
    pane.StartDelete(false);
    ASSERT_TRUE(CancelAtHeldStatement());
    ASSERT_NE(nullptr, pane.GetJob());
    pane.SendMessage(WM_WAITING_CANCEL);
    ASSERT_FALSE(pane.IsBusy());
    EXPECT_EQ(CContactHistoryJob::kCancelled, pane.GetLastTaskResult());
    const int deleted = pane.GetLastTaskCount();
    EXPECT_GE(deleted, 500);
    EXPECT_LT(deleted, n);

    EXPECT_EQ(0, BrokenMessages(db, L"h"));
    EXPECT_EQ(n - deleted, CountTables(db, L"h").msg);
    // The list holds exactly the messages still stored.
    std::vector<CString> listed = ListIds();
    ASSERT_EQ(static_cast<size_t>(n - deleted), listed.size());
    for (const CString& id : listed)
        ASSERT_TRUE(db.Exists(id)) << id;
    ExpectOthersUntouched();
    std::wstring note = qorview_test::LastArgs(L"QorMessageBox");
    EXPECT_NE(std::wstring::npos, note.find(std::to_wstring(deleted) + L" of the " + std::to_wstring(n)));
}

TEST_F(HistoryTaskTest, AFailedBatchIsRolledBackWholeAndTheNoteSaysWhatWasDeleted)
{
    ListAll(100);
    pane.SetDeleteBatch(10);
    // Two batches pass; the third fails at its sixth message.
    QorDBTest_FailStatementsContaining(L"DELETE FROM qor_Msg_Recv", 25);
    qorview_test::ClearCalls();
    pane.StartDelete(false);
    bool idle = PumpUntilIdle();
    QorDBTest_FailStatementsContaining(nullptr);
    ASSERT_TRUE(idle);

    EXPECT_EQ(CContactHistoryJob::kDbFailed, pane.GetLastTaskResult());
    EXPECT_EQ(20, pane.GetLastTaskCount());
    EXPECT_EQ(80, CountTables(db, L"h").msg);
    EXPECT_EQ(80, CountTables(db, L"h").recv);
    EXPECT_EQ(0, BrokenMessages(db, L"h"));
    EXPECT_EQ(80, pane.GetList().GetItemCount()) << "rows leave only with a committed batch";
    for (const CString& id : ListIds())
        ASSERT_TRUE(db.Exists(id)) << id;
    EXPECT_NE(std::wstring::npos, qorview_test::LastArgs(L"QorMessageBox").find(L"20 of the 100"));
}

TEST_F(HistoryTaskTest, ProgressRangeIsTheSelectionAndNoSecondTaskStartsWhileOneRuns)
{
    ListAll(60);
    pane.GetList().SetItemState(0, 0, LVIS_SELECTED);
    // While this thread holds the connection in a transaction the worker waits at its first
    // statement: it is certainly running.
    ASSERT_TRUE(db.Connect()->BeginTrans());
    pane.exportPath = OutPath(L"held.rtf").c_str();
    pane.StartDelete(false);
    ASSERT_TRUE(pane.IsBusy());
    CContactHistoryJob* job = pane.GetJob();
    ASSERT_NE(nullptr, job);
    EXPECT_EQ(CContactHistoryJob::kDelete, job->kind);
    ASSERT_NE(nullptr, pane.GetWaitingDlg());
    int lower = -1, upper = -1;
    pane.GetWaitingDlg()->GetRange(lower, upper);
    EXPECT_EQ(59, upper);
    EXPECT_FALSE(host.IsWindowEnabled()) << "the manager is disabled while it runs";

    pane.StartExport(1);
    pane.StartDelete(false);
    pane.SendMessage(WM_COMMAND, ID_TITLE_DELETE);
    EXPECT_EQ(job, pane.GetJob());
    EXPECT_FALSE(FileExists(OutPath(L"held.rtf")));
    // Nor is the list reloaded under the worker.
    pane.LoadContactHistoryByDate(L"", kAsked, L"bob");
    EXPECT_EQ(60, pane.GetList().GetItemCount());

    db.Connect()->RollbackTrans();
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_EQ(59, pane.GetLastTaskCount());
    EXPECT_EQ(1, pane.GetList().GetItemCount());
    EXPECT_TRUE(host.IsWindowEnabled());
}

TEST_F(HistoryTaskTest, DeleteAsksFirstAndACancelledQuestionDeletesNothing)
{
    ListAll(5);
    qorview_test::PushMessageBoxAnswer(IDCANCEL);
    pane.SendMessage(WM_COMMAND, ID_TITLE_DELETE);
    EXPECT_FALSE(pane.IsBusy());
    EXPECT_EQ(nullptr, pane.GetJob());
    EXPECT_EQ(5, CountTables(db, L"h").msg);
    EXPECT_EQ(5, pane.GetList().GetItemCount());
}

TEST_F(HistoryTaskTest, DestroyingThePaneStopsTheWorkerFirst)
{
    const int n = 3000;
    ListAll(n);
    pane.SetDeleteBatch(5);
    pane.StartDelete(false);
    PumpUntilDone(1);
    pane.DestroyWindow();
    EXPECT_EQ(nullptr, pane.GetJob()) << "the worker has ended and its job is gone";
    EXPECT_FALSE(pane.IsBusy());
    EXPECT_EQ(nullptr, pane.GetWaitingDlg());
    EXPECT_TRUE(host.IsWindowEnabled());
    const int left = CountTables(db, L"h").msg;
    EXPECT_LT(left, n);
    EXPECT_EQ(0, BrokenMessages(db, L"h"));
    ExpectOthersUntouched();
    // The database stays usable by this thread: nothing holds the connection.
    EXPECT_TRUE(db.Connect()->BeginTrans());
    EXPECT_TRUE(db.Connect()->CommitTrans());
}
