// Attachment downloads from the history viewer: each link fetches its own file over real HTTP
// from a loopback file server, with progress, cancel and failure.
#include "common/CShellRun.h"
#include "msgcenter/content/CDownloadAttachProcessDlg.h"
#include "platform/FileClient/FileClientApi.h"
#include "platform/FileClient/FileClientTransfer.h"
#include "platform/FileTransfer/Utilities.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorDB/CYqConnect.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/msgcenter/historyviewer/HistoryFixture.h"
#include "tests/support/FileServer.h"
#include <fstream>
#include <sstream>

using namespace historytest;
using namespace testsupport;

namespace {

std::string ReadAll(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class HistoryDownload : public ::testing::Test {
protected:
    void SetUp() override
    {
        ShellCalls().clear();
        previousShell = CShellRun::SetHandler(RecordShell);
        qorview_test::ClearCalls();
        qorview_test::ClearMessageBoxAnswers();
        saveDir = TempDir(L"history_received");
        CQorViewBaseFun::SetMyDataSavePathInfo(saveDir.c_str());
        host = CString(server.Host().c_str());
    }
    void TearDown() override
    {
        server.Release();
        PumpUntil([] { return FileClient_GetRunningTransfers() == 0; });
        qorview_test::ClearMessageBoxAnswers();
        CQorViewBaseFun::SetMyDataSavePathInfo(L"");
        CShellRun::SetHandler(previousShell);
        RemoveTree(saveDir);
    }
    CDownloadAttachProcessDlg* Dialog() { return win.viewer.GetDownloads().GetProgressDlg(); }
    bool DialogOpen() { return Dialog() && ::IsWindowVisible(Dialog()->GetSafeHwnd()); }
    void Tick() { ::SendMessageW(win.viewer.GetSafeHwnd(), WM_TIMER, CHistoryDownloads::kPollTimer, 0); }
    CString StoredPath(bool peer, int n, const CString& name)
    {
        return db.Text(CString(peer ? L"SELECT Col_LocalPath FROM qor_Msg_Attach" : L"SELECT Col_LocalPath FROM qor_Talk_AttachMent") +
                       L" WHERE Col_MsgID = " + Q(MsgId(n)) + L" AND Col_FileName = " + Q(name));
    }

    // The record the file client sends at the end of message n's transfer of a file into path
    // (freed by the caller with FreeFileItem_Info).
    static FiileItem_Info* EndRecord(int n, const wchar_t* name, const std::wstring& path)
    {
        FiileItem_Info* info = AllocFileItem_Info();
        if (!info)
            return nullptr;
        info->strLocalPath = path.c_str();
        info->strFileName = name;
        Utilities::StrToGuid(MsgId(n), info->guidTransfer);
        return info;
    }

    void OpenPeer()
    {
        CString peer = kPeer;
        ::SendMessageW(win.viewer.GetSafeHwnd(), WM_USER + 114, 0, reinterpret_cast<LPARAM>(&peer));
    }
    // Clicks the file's link and presses Cancel while the server holds the transfer midway;
    // true when the dialog was there to cancel.
    bool CancelMidway(const wchar_t* name)
    {
        ModalScript script;
        script.Then([&] { return DialogOpen() && server.Holding(); },
                    [&] { ::SendMessageW(Dialog()->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(1187, BN_CLICKED), 0); });
        win.ClickLink(win.Link(1, name));
        return script.Done();
    }

    FileServer server;
    HistoryDb db;
    ViewerWindow win;
    std::wstring saveDir;
    CString host;
    CShellRun::PFNEXECUTE previousShell = nullptr;
};

} // namespace

TEST_F(HistoryDownload, EachLinkOfAPeersMessageDownloadsItsOwnFile)
{
    // The keys are longer than 32 characters: a file is asked for by its last 32.
    const CString key1 = L"AAAAAAAA-first-file-key-0123456789abcdef", key2 = L"BBBBBBBB-second-file-key-0123456789abcdef";
    server.Put("-first-file-key-0123456789abcdef", "first file body");
    server.Put("second-file-key-0123456789abcdef", std::string(70000, 's'));
    db.AddPeerMsg(1, false,
                  Ktf(L"two files", {KtfFile(L"one.txt", 15, 1, key1, host), KtfFile(L"two.bin", 70000, 1, key2, host)}));
    db.AddPeerAttach(1, L"one.txt");
    db.AddPeerAttach(1, L"two.bin");
    CString peer = kPeer;
    ::SendMessageW(win.viewer.GetSafeHwnd(), WM_USER + 114, 0, reinterpret_cast<LPARAM>(&peer));

    // The first link, though it is not the body's last file.
    qorview_test::PushMessageBoxAnswer(IDOK); // open it now
    win.ClickLink(win.Link(1, L"one.txt"));
    std::wstring one = saveDir + L"\\one.txt";
    EXPECT_EQ(ReadAll(one), "first file body");
    EXPECT_EQ(StoredPath(true, 1, L"one.txt"), CString(one.c_str()));
    EXPECT_TRUE(StoredPath(true, 1, L"two.bin").IsEmpty());
    ASSERT_EQ(ShellCalls().size(), 1u);
    EXPECT_EQ(ShellCalls()[0].file, one);
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_EQ(Dialog()->GetPercentText(), CString(L"100%"));

    // The second link, answered "not now": stored but not opened.
    qorview_test::PushMessageBoxAnswer(IDCANCEL);
    win.ClickLink(win.Link(1, L"two.bin"));
    std::wstring two = saveDir + L"\\two.bin";
    EXPECT_EQ(ReadAll(two), std::string(70000, 's'));
    EXPECT_EQ(StoredPath(true, 1, L"two.bin"), CString(two.c_str()));
    EXPECT_EQ(ShellCalls().size(), 1u);
    std::vector<std::string> paths = server.Paths();
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0], "/file/-first-file-key-0123456789abcdef");
    EXPECT_EQ(paths[1], "/file/second-file-key-0123456789abcdef");

    // Now on disk, a click opens it without another transfer.
    win.ClickLink(win.Link(1, L"one.txt"));
    EXPECT_EQ(server.Paths().size(), 2u);
    EXPECT_EQ(ShellCalls().back().file, one);
    // Nothing was left to delete.
    Tick();
    EXPECT_TRUE(Exists(one));
    EXPECT_TRUE(Exists(two));
}

TEST_F(HistoryDownload, ADiscussionsFileShowsItsProgressWhileItMoves)
{
    server.Put("talkfile", std::string(40000, 't'));
    server.HoldAfter("talkfile", 10000);
    // The message names a size of 0: the transfer's own size gives the percentage.
    db.AddTalkMsg(5, L"Ann", Ktf(L"", {KtfFile(L"notes.txt", 0, 1, L"talkfile", host)}));
    db.AddTalkAttach(5, L"notes.txt");
    win.host.orgView = FALSE;
    win.viewer.OpenTalkHistory(kTalk);

    CString seen;
    ModalScript script;
    script.Then([&] { return DialogOpen() && server.Holding(); },
                [&] {
                    // The poll reads the transfer; 10000 of 40000 bytes are in.
                    PumpUntil([&] {
                        Tick();
                        return Dialog()->GetPercentText() == L"25%";
                    });
                    seen = Dialog()->GetPercentText();
                    server.Release();
                });
    qorview_test::PushMessageBoxAnswer(IDCANCEL);
    win.ClickLink(win.Link(1, L"notes.txt"));
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(seen, CString(L"25%"));
    std::wstring target = saveDir + L"\\notes.txt";
    EXPECT_EQ(ReadAll(target), std::string(40000, 't'));
    EXPECT_EQ(StoredPath(false, 5, L"notes.txt"), CString(target.c_str()));
    EXPECT_FALSE(win.viewer.GetDownloads().IsDeletePending());
}

TEST_F(HistoryDownload, CancelRemovesThePartialFileAndTheNextDownloadStartsClean)
{
    server.Put("slow", std::string(50000, 'x'));
    server.HoldAfter("slow", 5000);
    server.Put("quick", "quick body");
    db.AddPeerMsg(1, false, Ktf(L"", {KtfFile(L"slow.bin", 50000, 1, L"slow", host)}));
    db.AddPeerMsg(2, false, Ktf(L"", {KtfFile(L"quick.txt", 10, 1, L"quick", host)}));
    OpenPeer();
    EXPECT_TRUE(CancelMidway(L"slow.bin"));
    std::wstring slow = saveDir + L"\\slow.bin";
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::CancelDownload"), 1);
    EXPECT_TRUE(win.viewer.GetDownloads().IsDeletePending());
    ASSERT_TRUE(PumpUntil([&] { return FileClient_GetRunningTransfers() == 0; }));
    Tick();
    EXPECT_FALSE(win.viewer.GetDownloads().IsDeletePending());
    EXPECT_FALSE(Exists(slow));
    EXPECT_FALSE(Exists(slow + L".part"));
    server.Release();

    // A later download is complete when its transfer says so, and nothing deletes it.
    qorview_test::PushMessageBoxAnswer(IDCANCEL);
    win.ClickLink(win.Link(1, L"quick.txt"));
    std::wstring quick = saveDir + L"\\quick.txt";
    EXPECT_TRUE(win.viewer.GetDownloads().IsComplete());
    EXPECT_FALSE(win.viewer.GetDownloads().IsDeletePending());
    Tick();
    EXPECT_EQ(ReadAll(quick), "quick body");
    // A cancel that comes after the end never deletes the finished file.
    win.viewer.CancelAttachmentDownload();
    Tick();
    EXPECT_TRUE(Exists(quick));
}

TEST_F(HistoryDownload, AFailedTransferIsReportedAndLeavesNothingStored)
{
    server.Put("cut", std::string(9000, 'c'));
    server.DropAfter("cut", 3000);
    db.AddPeerMsg(1, false, Ktf(L"", {KtfFile(L"gone.txt", 5, 1, L"absent", host), KtfFile(L"cut.bin", 9000, 1, L"cut", host)}));
    db.AddPeerAttach(1, L"gone.txt");
    db.AddPeerAttach(1, L"cut.bin");
    CString peer = kPeer;
    ::SendMessageW(win.viewer.GetSafeHwnd(), WM_USER + 114, 0, reinterpret_cast<LPARAM>(&peer));

    for (const wchar_t* name : {L"gone.txt", L"cut.bin"}) {
        SCOPED_TRACE(name);
        qorview_test::ClearCalls();
        qorview_test::PushMessageBoxAnswer(IDOK);
        win.ClickLink(win.Link(1, name));
        EXPECT_FALSE(DialogOpen());
        std::wstring box = qorview_test::LastArgs(L"QorMessageBox");
        EXPECT_NE(box.find(std::wstring(L"The file ") + name + L" could not be downloaded."), std::wstring::npos);
        EXPECT_FALSE(Exists(saveDir + L"\\" + name));
        EXPECT_TRUE(StoredPath(true, 1, name).IsEmpty());
        Tick();
        EXPECT_FALSE(win.viewer.GetDownloads().IsDeletePending());
    }
    EXPECT_TRUE(ShellCalls().empty());
}

TEST_F(HistoryDownload, AFileNameFromSomeoneElseCannotLeaveTheSaveFolder)
{
    server.Put("evil", "payload");
    db.AddPeerMsg(1, false, Ktf(L"", {KtfFile(L"..\\..\\evil?.exe", 7, 1, L"evil", host)}));
    CString peer = kPeer;
    ::SendMessageW(win.viewer.GetSafeHwnd(), WM_USER + 114, 0, reinterpret_cast<LPARAM>(&peer));
    qorview_test::PushMessageBoxAnswer(IDCANCEL);
    win.ClickLink(win.Link(1, L"..\\..\\evil?.exe"));
    EXPECT_EQ(ReadAll(saveDir + L"\\evil_.exe"), "payload");
}

TEST_F(HistoryDownload, NothingStartsWithoutAFileToFetch)
{
    // A file item without a key, and one of a type that is neither file nor folder.
    db.AddPeerMsg(1, false, Ktf(L"", {KtfFile(L"nokey.txt", 5, 1, L"", host), KtfFile(L"odd.txt", 5, 7, L"k", host)}));
    CString peer = kPeer;
    ::SendMessageW(win.viewer.GetSafeHwnd(), WM_USER + 114, 0, reinterpret_cast<LPARAM>(&peer));
    win.ClickLink(win.Link(1, L"nokey.txt"));
    win.ClickLink(win.Link(1, L"odd.txt"));
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::DownloadAttach"), 0);
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_TRUE(server.Paths().empty());
}

// Only the end and the failure of a transfer act: every other event of the transfer client is
// ignored, whoever's transfer it was.
TEST_F(HistoryDownload, OnlyTheEndAndTheFailureOfATransferAreActedOn)
{
    db.AddTalkMsg(4, L"Ann", Ktf(L"", {KtfFile(L"report.txt", 6, 1, L"k", host)}));
    db.AddTalkAttach(4, L"report.txt");
    win.viewer.OpenTalkHistory(kTalk);
    const std::wstring file = saveDir + L"\\report.txt";
    std::ofstream(file.c_str()) << "report";
    FiileItem_Info* info = EndRecord(4, L"report.txt", file);
    ASSERT_NE(info, nullptr);
    static const UINT notify = ::RegisterWindowMessageW(FILECLIENT_NOTIFY_MESSAGE);
    for (int code : {0, 1, 2, 3, 4, 7, 8, 9, 10, 13}) {
        SCOPED_TRACE(code);
        ::SendMessageW(win.viewer.GetSafeHwnd(), notify, code, reinterpret_cast<LPARAM>(info));
        EXPECT_EQ(qorview_test::CountCalls(L"QorMessageBox"), 0);
        EXPECT_TRUE(StoredPath(false, 4, L"report.txt").IsEmpty());
    }
    // An end that names no file on disk stores nothing: the stored path always names a file.
    info->strLocalPath = (saveDir + L"\\missing.txt").c_str();
    ::SendMessageW(win.viewer.GetSafeHwnd(), notify, 5, reinterpret_cast<LPARAM>(info));
    EXPECT_TRUE(StoredPath(false, 4, L"report.txt").IsEmpty());
    EXPECT_EQ(qorview_test::CountCalls(L"QorMessageBox"), 0);
    // The end of a transfer stores its path and offers to open the file.
    info->strLocalPath = file.c_str();
    qorview_test::PushMessageBoxAnswer(IDCANCEL);
    ::SendMessageW(win.viewer.GetSafeHwnd(), notify, 5, reinterpret_cast<LPARAM>(info));
    EXPECT_EQ(qorview_test::CountCalls(L"QorMessageBox"), 1);
    EXPECT_EQ(StoredPath(false, 4, L"report.txt"), CString(file.c_str()));
    EXPECT_TRUE(ShellCalls().empty());
    FreeFileItem_Info(info);
}

// A download ends while a deletion's transaction is open on the same thread (the title list lets
// messages through between its statements): the deletion stays whole, whether it is then
// committed or cancelled, and the downloaded file's path is recorded either way.
TEST_F(HistoryDownload, ADownloadEndingDuringADeletionLeavesItWholeAndItsPathRecorded)
{
    const std::wstring file = saveDir + L"\\report.txt";
    std::ofstream(file.c_str()) << "report";
    static const UINT notify = ::RegisterWindowMessageW(FILECLIENT_NOTIFY_MESSAGE);
    for (bool commit : {false, true}) {
        SCOPED_TRACE(commit ? "the deletion is committed" : "the deletion is cancelled");
        db.Exec(L"DELETE FROM qor_Talk_Msg; DELETE FROM qor_Talk_AttachMent;");
        db.AddTalkMsg(4, L"Ann", Ktf(L"", {KtfFile(L"report.txt", 6, 1, L"k", host)}));
        db.AddTalkAttach(4, L"report.txt");
        db.AddTalkMsg(5, L"Ann", Ktf(L"to be deleted", {}));
        db.AddTalkMsg(6, L"Ann", Ktf(L"to be deleted too", {}));
        CYqConnect* conn = db.db.GetConnect();
        ASSERT_TRUE(conn->BeginTrans());
        ASSERT_TRUE(conn->Execute(L"DELETE FROM qor_Talk_Msg WHERE Col_ID = " + Q(MsgId(5))));

        FiileItem_Info* info = EndRecord(4, L"report.txt", file);
        ASSERT_NE(info, nullptr);
        qorview_test::PushMessageBoxAnswer(IDCANCEL);
        ::SendMessageW(win.viewer.GetSafeHwnd(), notify, FCN_FILE_DONE, reinterpret_cast<LPARAM>(info));
        FreeFileItem_Info(info);
        EXPECT_EQ(1, conn->GetTransDepth()) << "the deletion's transaction is still open";

        ASSERT_TRUE(conn->Execute(L"DELETE FROM qor_Talk_Msg WHERE Col_ID = " + Q(MsgId(6))));
        EXPECT_TRUE(commit ? conn->CommitTrans() : conn->RollbackTrans());
        EXPECT_EQ(commit ? 1 : 3, db.Count(L"SELECT count(*) FROM qor_Talk_Msg")) << "all of the deletion or none";
        EXPECT_EQ(StoredPath(false, 4, L"report.txt"), CString(file.c_str()));
    }
}

// A cancelled download's partial file that cannot be removed (another program holds it open) is
// tried again on later ticks, then given up; it is never forced. The user's own file of the same
// name, which the download was numbered beside, is never touched.
TEST_F(HistoryDownload, APartialFileThatCannotBeRemovedIsNotTriedForEver)
{
    const std::wstring own = saveDir + L"\\held.bin";
    std::ofstream(own.c_str()) << "the user's own held.bin";
    server.Put("held", std::string(30000, 'h'));
    server.HoldAfter("held", 3000);
    db.AddPeerMsg(1, false, Ktf(L"", {KtfFile(L"held.bin", 30000, 1, L"held", host)}));
    OpenPeer();
    ASSERT_TRUE(CancelMidway(L"held.bin"));
    ASSERT_TRUE(PumpUntil([&] { return FileClient_GetRunningTransfers() == 0; }));
    server.Release();
    ASSERT_TRUE(win.viewer.GetDownloads().IsDeletePending());
    const std::wstring target = win.viewer.GetDownloads().GetPath().GetString();
    EXPECT_EQ(saveDir + L"\\held (2).bin", target);

    const std::wstring part = target + L".part";
    HANDLE held = ::CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Tick();
    EXPECT_TRUE(win.viewer.GetDownloads().IsDeletePending()); // tried again later
    int ticks = 1;
    while (win.viewer.GetDownloads().IsDeletePending() && ticks < 10000) {
        Tick();
        ++ticks;
    }
    EXPECT_FALSE(win.viewer.GetDownloads().IsDeletePending());
    EXPECT_LT(ticks, 10000);
    ::CloseHandle(held);
    EXPECT_TRUE(Exists(part));
    EXPECT_EQ(ReadAll(own), "the user's own held.bin");
    EXPECT_FALSE(Exists(target));
}

// Alice's budget.xls lies in the save folder; Mallory's message links a budget.xls of its own.
// The download never replaces Alice's file: it arrives numbered beside it, and that is the path
// Mallory's link then opens. A cancelled download of yet another budget.xls deletes nothing of
// either.
TEST_F(HistoryDownload, AFileOfTheSameNameIsNeverReplacedNorDeleted)
{
    const std::wstring alice = saveDir + L"\\budget.xls";
    std::ofstream(alice.c_str()) << "Alice's figures";
    server.Put("mallory", "Mallory's figures");
    server.Put("third", std::string(40000, 't'));
    server.HoldAfter("third", 2000);
    db.AddPeerMsg(1, false, Ktf(L"", {KtfFile(L"budget.xls", 17, 1, L"mallory", host)}));
    db.AddPeerAttach(1, L"budget.xls");
    db.AddPeerMsg(2, false, Ktf(L"", {KtfFile(L"budget.xls", 40000, 1, L"third", host)}));
    OpenPeer();
    // Both messages link a budget.xls: each link is known by its message.
    auto linkOf = [&](int n) -> const CLinkDataMgr::CLinkItem* {
        CLinkDataMgr& links = win.viewer.GetLinks();
        for (int i = 0; i < links.GetCount(); ++i) {
            CString msgId;
            links.GetAt(i)->GetValue(L"_MsgID_", msgId);
            if (links.GetAt(i)->kind == 1 && msgId == MsgId(n))
                return links.GetAt(i);
        }
        return nullptr;
    };

    qorview_test::PushMessageBoxAnswer(IDCANCEL);
    win.ClickLink(linkOf(1));
    const std::wstring mallory = saveDir + L"\\budget (2).xls";
    EXPECT_EQ(ReadAll(alice), "Alice's figures");
    EXPECT_EQ(ReadAll(mallory), "Mallory's figures");
    EXPECT_EQ(StoredPath(true, 1, L"budget.xls"), CString(mallory.c_str()));

    ModalScript script;
    script.Then([&] { return DialogOpen() && server.Holding(); },
                [&] { ::SendMessageW(Dialog()->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(1187, BN_CLICKED), 0); });
    win.ClickLink(linkOf(2));
    ASSERT_TRUE(script.Done());
    ASSERT_TRUE(PumpUntil([&] { return FileClient_GetRunningTransfers() == 0; }));
    Tick();
    Tick();
    EXPECT_EQ(ReadAll(alice), "Alice's figures");
    EXPECT_EQ(ReadAll(mallory), "Mallory's figures");
    EXPECT_FALSE(Exists(saveDir + L"\\budget (3).xls"));
    EXPECT_FALSE(Exists(saveDir + L"\\budget (3).xls.part"));
}

// Another message's transfer reports to the viewer while the viewer's own download runs, held by
// its server at a quarter: the other's end is stored and offered under its own message, its
// failure reported under its own name, and neither ends the running download's dialog nor moves
// its progress. The viewer's own end then completes it.
TEST_F(HistoryDownload, AnotherTransfersEndOrFailureLeavesTheRunningDownloadAlone)
{
    const std::string body(40000, 'm');
    const std::wstring mineTarget = saveDir + L"\\mine.bin", otherTarget = saveDir + L"\\other.bin";
    struct Case { const char* what; bool fails; } cases[] = {{"the other finishes", false}, {"the other fails", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FileServer mine, other; // a server holds once: one each per case
        mine.Put("mine", body);
        mine.HoldAfter("mine", body.size() / 4);
        other.Put("other", body);
        if (c.fails)
            other.DropAfter("other", body.size() * 3 / 4);
        db.Exec(L"DELETE FROM qor_Msg; DELETE FROM qor_Msg_Content; DELETE FROM qor_Msg_Attach;");
        db.AddPeerMsg(1, false, Ktf(L"", {KtfFile(L"mine.bin", 40000, 1, L"mine", CString(mine.Host().c_str()))}));
        db.AddPeerAttach(1, L"mine.bin");
        db.AddPeerMsg(2, false, Ktf(L"", {KtfFile(L"other.bin", 40000, 1, L"other", CString(other.Host().c_str()))}));
        db.AddPeerAttach(2, L"other.bin");
        OpenPeer();
        qorview_test::ClearCalls();
        qorview_test::PushMessageBoxAnswer(IDCANCEL); // the other's "open it now?", when it finishes
        qorview_test::PushMessageBoxAnswer(IDCANCEL); // this one's

        CString before, after, box;
        bool runningAfter = false;
        CFileQueryID otherQuery;
        ModalScript script;
        script.Then([&] { return DialogOpen() && mine.Holding(); },
                    [&] {
                        PumpUntil([&] {
                            Tick();
                            return Dialog()->GetPercentText() == L"25%";
                        });
                        before = Dialog()->GetPercentText();
                        CQorViewMgr::Instance()->DownloadAttach(CString(other.Host().c_str()), L"other", 1,
                                                                win.viewer.GetSafeHwnd(), MsgId(2),
                                                                otherTarget.c_str(), &otherQuery);
                        PumpUntil([] { return qorview_test::CountCalls(L"QorMessageBox") == 1; });
                        box = qorview_test::LastArgs(L"QorMessageBox").c_str();
                        after = Dialog()->GetPercentText();
                        Tick();
                        runningAfter = DialogOpen() && !win.viewer.GetDownloads().IsComplete();
                        mine.Release();
                    });
        win.ClickLink(win.Link(1, L"mine.bin"));
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(before, CString(L"25%"));
        EXPECT_EQ(after, CString(L"25%")) << "the other's bytes are not this dialog's";
        EXPECT_TRUE(runningAfter);
        EXPECT_NE(box.Find(c.fails ? L"The file other.bin could not be downloaded."
                                   : L"The file other.bin has been downloaded."),
                  -1)
            << CStringA(box).GetString();
        EXPECT_TRUE(win.viewer.GetDownloads().IsComplete());
        EXPECT_FALSE(DialogOpen());
        EXPECT_EQ(ReadAll(mineTarget), body);
        EXPECT_EQ(StoredPath(true, 1, L"mine.bin"), CString(mineTarget.c_str()));
        EXPECT_EQ(StoredPath(true, 2, L"other.bin"), c.fails ? CString() : CString(otherTarget.c_str()));
        EXPECT_EQ(ReadAll(otherTarget), c.fails ? std::string() : body);
        EXPECT_TRUE(ShellCalls().empty());
        ::DeleteFileW(mineTarget.c_str());
        ::DeleteFileW(otherTarget.c_str());
    }
}
