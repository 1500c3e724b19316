// Attachments got by a file transfer named in the message's KTF body: the bytes really travel
// over HTTP from a loopback file server into the chosen file, the progress dialog follows them
// and ends when the transfer ends; a cancelled transfer's partial file is removed by the poll
// timer, and only that transfer's, never the file at its target; a missing file (404) and a
// dropped connection end the dialog as a failure and are reported. Events are the pane's
// transfer's only when they carry its GUID.
#include "tests/msgcenter/ReadingFixture.h"
#include "tests/msgcenter/historyviewer/HistoryFixture.h"
#include "tests/support/FileServer.h"
#include "msgcenter/content/CDownloadAttachProcessDlg.h"
#include "msgcenter/content/CQorMsgContentDlg.h"
#include "platform/FileClient/FileClientTransfer.h"
#include "platform/QorView/AttachItem.h"
#include "platform/QorView/QorViewMessages.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>

namespace {

const wchar_t kMsgId[] = L"{2B0C2A51-7C0E-4B7A-9E1D-3A5F00C0FFEE}";

class TransferContentDlg : public CQorMsgContentDlg {
public:
    std::vector<CString> opened, parameters;

protected:
    void ShellOpen(const CString& strFile, const CString& strParameters) override
    {
        opened.push_back(strFile);
        parameters.push_back(strParameters);
    }
};

CString g_target;
bool SaveTo(const CString&, const CString&, const CString&, CString& path)
{
    path = g_target;
    return true;
}

// Cancels the progress dialog from inside its modal run once the server holds the transfer.
TransferContentDlg* g_pane = nullptr;
testsupport::FileServer* g_server = nullptr;
void CALLBACK CancelWhenHeld(HWND, UINT, UINT_PTR, DWORD)
{
    CDownloadAttachProcessDlg* dlg = g_pane ? g_pane->Attachments().GetProgressDlg() : nullptr;
    if (dlg && dlg->GetSafeHwnd() && g_server->Holding())
        dlg->PostMessage(WM_COMMAND, IDCANCEL, 0);
}

std::string ReadAll(const CString& path)
{
    std::ifstream in(path.GetString(), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool Exists(const CString& path) { return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

class ContentTransferTest : public ::testing::Test, public ReadingTestBase {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(resources.IsLoaded());
        ASSERT_TRUE(db.Ok());
        ASSERT_TRUE(server.Ok());
        ASSERT_TRUE(host.CreateTopLevel(500, 300));
        ASSERT_TRUE(pane.Create(IDD_MSG_CONTENT, &host));
        pane.SetOwner(&host);
        pane.MoveWindow(0, 0, 500, 300);
        pane.ShowWindow(SW_SHOW);
        CContentAttachments::SetSaveDialogHook(SaveTo);
        g_target = (db.Dir() + L"\\report.bin").c_str();
        body.assign(200000, 'k');
        for (size_t i = 0; i < body.size(); i += 7)
            body[i] = static_cast<char>('a' + i % 26);
    }
    void TearDown() override
    {
        CContentAttachments::SetSaveDialogHook(nullptr);
        qorview_test::SetAttachServer(L"");
        server.Release();
        pane.DestroyWindow();
        host.DestroyWindow();
        testsupport::PumpMessages();
    }
    // The message with a KTF body naming the file on the server under key, shown in the pane.
    void ShowMessageWithFile(const char* key) { ShowMessageWithFile(key, server.Host()); }
    void ShowMessageWithFile(const char* key, const std::string& fileHost)
    {
        StoredMsg m;
        m.id = kMsgId;
        m.contentType = L"Text/Ktf";
        CString ktf;
        ktf.Format(L"<KTF><Text>the report</Text><File name=\"report.bin\" size=\"%d\" type=\"1\" fshost=\"%s\">%s</File></KTF>",
                   static_cast<int>(body.size()), CString(fileHost.c_str()).GetString(), CString(key).GetString());
        m.content = ktf;
        m.attachCount = 1;
        db.Add(m);
        db.AddAttach(kMsgId, L"report.bin", L"", 1);
        pane.ShowMessageContent(m.id, m.senderName, m.date, m.recvName, true, 0, false);
        pane.GetAttachList().SetSelectionMark(0);
    }
    // Save as of a file the server holds after its first 1000 bytes, cancelled in the progress
    // dialog while it is held.
    void SaveAsCancelledWhileHeld()
    {
        server.Put("held-key", body);
        server.HoldAfter("held-key", 1000);
        ShowMessageWithFile("held-key");
        g_pane = &pane;
        g_server = &server;
        UINT_PTR timer = ::SetTimer(nullptr, 0, 5, CancelWhenHeld);
        EXPECT_FALSE(SaveAs());
        ::KillTimer(nullptr, timer);
        g_pane = nullptr;
    }
    bool SaveAs()
    {
        qorview_test::ClearCalls();
        pane.SendMessage(WM_COMMAND, ID_ATTACH_SAVE_AS, 0);
        return pane.Attachments().GetLastTransferResult() == IDOK;
    }
    void Tick() { pane.SendMessage(WM_TIMER, CContentAttachments::kPollTimer, 0); }

    ReadingDb db;
    ReadingHost host;
    TransferContentDlg pane;
    testsupport::FileServer server;
    std::string body;
};

} // namespace

TEST_F(ContentTransferTest, FileTravelsIntoTheChosenFile)
{
    server.Put("report-key-1", body);
    ShowMessageWithFile("report-key-1");
    ASSERT_TRUE(SaveAs());
    EXPECT_EQ(body, ReadAll(g_target));
    EXPECT_FALSE(Exists(g_target + L".part"));
    EXPECT_EQ(g_target, pane.GetAttachList().GetAttachments()[0].strLocalPath) << "the row knows where the file is";
    EXPECT_EQ(1, db.Count(CString(L"SELECT count(*) FROM qor_Msg_Attach WHERE Col_LocalPath = '") + g_target + L"'"));
    ASSERT_EQ(1u, pane.opened.size()) << "asked to open it, the user said yes";
    EXPECT_EQ(g_target, pane.opened[0]);
    EXPECT_NE(0u, pane.Attachments().GetPollTimer());
}

TEST_F(ContentTransferTest, CancelRemovesThatTransfersFileOnlyAndOnlyOnce)
{
    SaveAsCancelledWhileHeld();
    EXPECT_EQ(IDCANCEL, pane.Attachments().GetLastTransferResult());
    EXPECT_TRUE(pane.Attachments().IsDeletePending());
    server.Release();

    // The next transfer starts before the poll timer came round: the old pending removal must
    // not take the new file, which lies at the same place.
    server.Put("second-key", body);
    ShowMessageWithFile("second-key");
    ASSERT_TRUE(SaveAs());
    EXPECT_FALSE(pane.Attachments().IsDeletePending());
    Tick();
    Tick();
    EXPECT_EQ(body, ReadAll(g_target)) << "a new download is never deleted";
}

// A cancel removes the cancelled transfer's partial file and nothing else. Here the target was the
// user's own file, which the save dialog let the user agree to replace and which the cancelled
// transfer never did replace: it stays whole. A partial file the transfer could not remove itself
// goes on the next tick.
TEST_F(ContentTransferTest, PollTimerRemovesTheCancelledPartialFileNeverTheTarget)
{
    std::ofstream(g_target.GetString()) << "the user's own file";
    SaveAsCancelledWhileHeld();
    server.Release();
    ASSERT_TRUE(testsupport::PumpUntil([] { return FileClient_GetRunningTransfers() == 0; }));
    EXPECT_TRUE(pane.Attachments().IsDeletePending());
    std::ofstream((g_target + L".part").GetString()) << "partial";
    Tick();
    EXPECT_FALSE(Exists(g_target + L".part"));
    EXPECT_EQ("the user's own file", ReadAll(g_target));
    EXPECT_FALSE(pane.Attachments().IsDeletePending());
    Tick();
    EXPECT_EQ("the user's own file", ReadAll(g_target));
}

TEST_F(ContentTransferTest, MissingFileAndDroppedConnectionEndAsFailures)
{
    struct Case { const char* key; bool put; size_t dropAfter; } cases[] = {
        {"not-there", false, 0},
        {"dropped", true, 5000},
    };
    for (const Case& c : cases) {
        if (c.put) {
            server.Put(c.key, body);
            server.DropAfter(c.key, c.dropAfter);
        }
        ShowMessageWithFile(c.key);
        EXPECT_FALSE(SaveAs()) << c.key;
        EXPECT_EQ(IDABORT, pane.Attachments().GetLastTransferResult()) << c.key;
        EXPECT_FALSE(Exists(g_target)) << c.key;
        EXPECT_GE(qorview_test::CountCalls(L"QorMessageBox"), 1) << "the failure is reported: " << c.key;
        db.Connect()->Execute(L"DELETE FROM qor_Msg; DELETE FROM qor_Msg_Content; DELETE FROM qor_Msg_Attach;");
    }
}

// Two transfers report to the pane's window at once: the pane's own, held by its server at a
// quarter, and another message's file. The other's end or failure is reported under its own
// name and neither ends the pane's progress dialog nor moves its progress; the pane's own end
// closes it.
TEST_F(ContentTransferTest, AnotherTransfersEndOrFailureLeavesThisOneRunning)
{
    const wchar_t kOtherId[] = L"{7D3E0B12-5A4C-4C1A-8F00-00000000BEEF}";
    const CString otherTarget = (db.Dir() + L"\\other.bin").c_str();
    struct Case { const char* what; bool fails; } cases[] = {{"the other finishes", false}, {"the other fails", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::FileServer mine, other; // a server holds once: one each per case
        mine.Put("mine", body);
        mine.HoldAfter("mine", body.size() / 4);
        other.Put("other", body);
        if (c.fails)
            other.DropAfter("other", body.size() * 3 / 4);
        ShowMessageWithFile("mine", mine.Host());
        pane.opened.clear();

        CString before, after, box;
        bool runningAfter = false;
        CFileQueryID otherQuery;
        historytest::ModalScript script;
        script.Then(
            [&] {
                CDownloadAttachProcessDlg* dlg = pane.Attachments().GetProgressDlg();
                return dlg && dlg->GetSafeHwnd() && mine.Holding();
            },
            [&] {
                CDownloadAttachProcessDlg* dlg = pane.Attachments().GetProgressDlg();
                testsupport::PumpUntil([&] {
                    Tick();
                    return dlg->GetPercentText() == L"25%";
                });
                before = dlg->GetPercentText();
                qorview_test::ClearCalls();
                CQorViewMgr::Instance()->DownloadAttach(CString(other.Host().c_str()), L"other", 1, pane.GetSafeHwnd(),
                                                        kOtherId, otherTarget, &otherQuery);
                testsupport::PumpUntil([] { return qorview_test::CountCalls(L"QorMessageBox") == 1; });
                box = qorview_test::LastArgs(L"QorMessageBox").c_str();
                after = dlg->GetPercentText();
                Tick();
                runningAfter = pane.Attachments().GetProgressDlg() == dlg && ::IsWindowVisible(dlg->GetSafeHwnd());
                mine.Release();
            });
        EXPECT_TRUE(SaveAs()) << "the pane's own transfer ends its dialog";
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(CString(L"25%"), before);
        EXPECT_EQ(CString(L"25%"), after) << "the other's bytes are not this dialog's";
        EXPECT_TRUE(runningAfter);
        EXPECT_NE(-1, box.Find(c.fails ? L"The file other.bin could not be downloaded." : L"The file other.bin has been downloaded."))
            << CStringA(box).GetString();
        EXPECT_EQ(body, ReadAll(g_target));
        EXPECT_EQ(g_target, pane.GetAttachList().GetAttachments()[0].strLocalPath);
        std::vector<CString> opened = {g_target};
        if (!c.fails)
            opened.insert(opened.begin(), otherTarget);
        EXPECT_EQ(opened, pane.opened);
        EXPECT_EQ(c.fails ? std::string() : body, ReadAll(otherTarget));

        db.Connect()->Execute(L"DELETE FROM qor_Msg; DELETE FROM qor_Msg_Content; DELETE FROM qor_Msg_Attach;");
        ::DeleteFileW(g_target);
        ::DeleteFileW(otherTarget);
    }
}

TEST_F(ContentTransferTest, AFailedStartShowsNoProgressDialog)
{
    // A file host that is empty cannot be asked: nothing starts.
    StoredMsg m;
    m.id = kMsgId;
    m.contentType = L"Text/Ktf";
    m.content = L"<KTF><File name=\"report.bin\" size=\"10\" type=\"1\" fshost=\"\">key</File></KTF>";
    db.Add(m);
    db.AddAttach(kMsgId, L"report.bin", L"", 1);
    pane.ShowMessageContent(m.id, m.senderName, m.date, m.recvName, true, 0, false);
    pane.GetAttachList().SetSelectionMark(0);
    EXPECT_FALSE(SaveAs());
    EXPECT_EQ(IDABORT, pane.Attachments().GetLastTransferResult());
    EXPECT_EQ(nullptr, pane.Attachments().GetProgressDlg());
    EXPECT_EQ(1, qorview_test::CountCalls(L"QorMessageBox"));
}

// Attachments of source 0 come through the view library's own download: the file is fetched
// from the attachment server by its message id and name, its place recorded, and "open
// folder" of a file that was not there opens the folder once it has been saved.
class LibraryDownloadTest : public ContentTransferTest {
protected:
    void ShowMessageWithLibraryFile()
    {
        StoredMsg m;
        m.id = kMsgId;
        m.content = L"see the attachment";
        m.attachCount = 1;
        db.Add(m);
        db.AddAttach(kMsgId, L"far.doc", L"", 0);
        pane.ShowMessageContent(m.id, m.senderName, m.date, m.recvName, true, 0, false);
        pane.GetAttachList().SetSelectionMark(0);
        qorview_test::SetAttachServer(CString(server.Host().c_str()).GetString());
        g_target = (db.Dir() + L"\\far.doc").c_str();
        qorview_test::ClearCalls();
    }
    // The server's key of the attachment: "<message id>/<name>", percent-encoded.
    const char* kKey = "%7B2B0C2A51-7C0E-4B7A-9E1D-3A5F00C0FFEE%7D%2Ffar.doc";
};

TEST_F(LibraryDownloadTest, OpenFolderOfAMissingFileDownloadsItThenOpensItsFolder)
{
    server.Put(kKey, body);
    ShowMessageWithLibraryFile();
    pane.SendMessage(WM_COMMAND, ID_ATTACH_OPEN_FOLDER, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !pane.opened.empty(); }));
    EXPECT_EQ(body, ReadAll(g_target));
    EXPECT_EQ(CString(L"Explorer.exe"), pane.opened[0]);
    EXPECT_EQ(CString(L"/n,/select,") + g_target, pane.parameters[0]) << "the folder of the file saved";
    EXPECT_EQ(g_target, pane.GetAttachList().GetAttachments()[0].strLocalPath);
    EXPECT_EQ(1, db.Count(CString(L"SELECT count(*) FROM qor_Msg_Attach WHERE Col_LocalPath = '") + g_target + L"'"));
    EXPECT_EQ(1, qorview_test::CountCalls(L"QorMessageBox")) << "only the question before the download";
}

TEST_F(LibraryDownloadTest, FailedDownloadIsReportedAndOpensNothing)
{
    ShowMessageWithLibraryFile(); // nothing under the key: the server answers 404
    pane.SendMessage(WM_COMMAND, ID_ATTACH_OPEN_FOLDER, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return qorview_test::CountCalls(L"QorMessageBox") == 2; }));
    EXPECT_TRUE(pane.opened.empty());
    EXPECT_FALSE(Exists(g_target));
    EXPECT_TRUE(pane.GetAttachList().GetAttachments()[0].strLocalPath.IsEmpty());
}

TEST_F(LibraryDownloadTest, FolderIsOpenedWhereTheLibrarySavedItNetworkPathsKeptWhole)
{
    // The download stays held at the server; the library's report names a network path.
    server.Put(kKey, body);
    server.HoldAfter(kKey, 10);
    ShowMessageWithLibraryFile();
    pane.SendMessage(WM_COMMAND, ID_ATTACH_OPEN_FOLDER, 0);
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::DownloadAttach"));
    EXPECT_TRUE(pane.opened.empty()) << "nothing to show before the file is there";
    _ATTACH_ITEM done;
    done.strMsgID = kMsgId;
    done.strFileName = L"far.doc";
    done.strLocalPath = L"\\\\server\\share\\docs\\far.doc";
    pane.SendMessage(WM_QORVIEW_ATTACH_DONE, reinterpret_cast<WPARAM>(&done), 0);
    ASSERT_EQ(1u, pane.opened.size());
    EXPECT_EQ(CString(L"/n,/select,\\\\server\\share\\docs\\far.doc"), pane.parameters[0]);
    EXPECT_EQ(done.strLocalPath, pane.GetAttachList().GetAttachments()[0].strLocalPath);
    // The held transfer ends while the pane is still there to hear of it.
    server.Release();
    EXPECT_TRUE(testsupport::PumpUntil([] { return FileClient_GetRunningTransfers() == 0; }));
    testsupport::PumpMessages();
}
