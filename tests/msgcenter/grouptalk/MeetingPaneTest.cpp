// The group-talk pane on a generated message database: the talk list by kind, a talk's messages
// and attachments, deleting talks (committed or rolled back), and the attachments' open, save and
// show-in-folder with real downloads from a loopback file server.
#include "bench/MsgDbGenerator.h"
#include "common/CShellRun.h"
#include "framework/CMenu.h"
#include "msgcenter/grouptalk/CQorMsgMeetingDlg.h"
#include "platform/QorDB/QorDBTestHooks.h"
#include "platform/QorResource/MeetingResourceIds.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CxMenu.h"
#include "tests/msgcenter/MsgCenterFixture.h"
#include "tests/msgcenter/FolderTargetCases.h"
#include "tests/msgcenter/ReadingFixture.h"
#include "tests/support/FileServer.h"
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>

namespace {

using testsupport::Utf8;

struct ShellCall {
    std::wstring verb, file, params;
};
std::vector<ShellCall> g_shell;

HINSTANCE WINAPI RecordShell(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR params, LPCWSTR, INT)
{
    g_shell.push_back({verb ? verb : L"", file ? file : L"", params ? params : L""});
    return reinterpret_cast<HINSTANCE>(42);
}

std::vector<std::wstring> BoxTexts()
{
    std::vector<std::wstring> texts;
    for (const auto& call : qorview_test::Calls())
        if (call.first == L"QorMessageBox")
            texts.push_back(call.second);
    return texts;
}

bool AnyBoxHas(const std::wstring& part)
{
    for (const auto& text : BoxTexts())
        if (text.find(part) != std::wstring::npos)
            return true;
    return false;
}

class MeetingPane : public ::testing::Test, public ReadingTestBase {
protected:
    MeetingPane()
    {
        EXPECT_TRUE(db.Ok());
        MsgDbGenOptions options;
        options.messages = 2000; // three talks: talk_1 and talk_3 of kind 3, talk_2 of kind 2
        options.senders = 50;
        EXPECT_TRUE(GenerateMsgDbInto(db.Mgr(), options));
        EXPECT_TRUE(host.CreateTopLevel(760, 560));
        EXPECT_TRUE(pane.Create(CQorMsgMeetingDlg::IDD, &host));
        pane.MoveWindow(0, 0, 760, 560);
        pane.ShowWindow(SW_SHOW);
        previousShell = CShellRun::SetHandler(&RecordShell);
        g_shell.clear();
    }
    ~MeetingPane() override
    {
        CShellRun::SetHandler(previousShell);
        QorDBTest_FailStatementsContaining(nullptr);
        qorview_test::SetReceiveFileAllowed(true);
        pane.DestroyWindow();
        host.DestroyWindow();
        testsupport::PumpMessages();
    }

    void AddEntry(const CString& talk, const CString& id, const CString& sender, const CString& date,
                  const CString& ktf)
    {
        QorTalkMsgRecord entry;
        entry.id = id;
        entry.talkID = talk;
        entry.senderName = sender;
        entry.sendDate = date;
        entry.data = Utf8(ktf);
        ASSERT_TRUE(db.Mgr().AddTalkMsg(entry));
    }
    // A meeting (kind 1) of two messages and one attachment, the file element naming `server`.
    void AddMeeting(const CString& id, const CString& subject, const std::string& host)
    {
        ASSERT_TRUE(db.Mgr().AddTalk(id, 1, subject, L"2026-02-03 09:15:00", L"Carol"));
        AddEntry(id, id + L"_e1", L"Ann", L"2026-02-03 09:20:00",
                 L"<KTF><Font name=\"Tahoma\" size=\"12\" clr=\"255\" flags=\"1\" /><Text>first</Text>"
                 L"<At first=\"bob\" second=\"Bob\" /><Text>words</Text></KTF>");
        AddEntry(id, id + L"_e2", L"Bob", L"2026-02-03 09:30:00",
                 L"<KTF><Font name=\"Tahoma\" size=\"12\" clr=\"0\" flags=\"1\" /><Text>second</Text>"
                 L"<File name=\"notes.txt\" size=\"5\"  fshost=\"" + CString(host.c_str()) +
                     L"\" filetype=\"0\" type=\"1\">key-a</File></KTF>");
        ASSERT_TRUE(db.Mgr().AddTalkAttach(id, id + L"_e2", L"notes.txt", L"", 0));
    }
    int RowOf(const CString& talkId)
    {
        for (int i = 0; i < pane.GetTalkList().GetItemCount(); ++i)
            if (pane.GetTalkList().GetItemDataText(i) == talkId)
                return i;
        return -1;
    }
    void Select(int row)
    {
        pane.GetTalkList().SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        pane.GetTalkList().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    CString HistoryText()
    {
        CString text;
        pane.GetHistoryView().GetWindowText(text);
        return text;
    }
    int Rows(const CString& table, const CString& talkId)
    {
        return db.Count(L"SELECT COUNT(*) FROM " + table + L" WHERE Col_TalkID = '" + talkId + L"'");
    }
    int TalkRows(const CString& talkId)
    {
        return db.Count(L"SELECT COUNT(*) FROM Qor_Talk WHERE Col_ID = '" + talkId + L"'") + Rows(L"qor_Talk_Msg", talkId) +
               Rows(L"qor_Talk_AttachMent", talkId) + Rows(L"qor_Talk_Log", talkId);
    }
    int HeaderColumns() { return Header_GetItemCount(ListView_GetHeader(pane.GetTalkList().GetSafeHwnd())); }

    ReadingDb db;
    ReadingHost host;
    CQorMsgMeetingDlg pane;
    CShellRun::PFNEXECUTE previousShell = nullptr;
};

TEST_F(MeetingPane, ListsTheTalksOfItsKindWithTheColumnsOfThatKind)
{
    AddMeeting(L"meet_1", L"Budget meeting", "127.0.0.1:1");
    struct Case {
        int kind, columns;
        const wchar_t* label;
        const wchar_t* where;
    } cases[] = {
        {1, 3, L"Meetings", L"Col_Type = 1"},
        {2, 2, L"Discussions", L"Col_Type = 2"},
        {3, 2, L"Discussions", L"Col_Type = 3"},
        {7, 2, L"Discussions", L"Col_Type = 7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        pane.SetTalkKind(c.kind);
        EXPECT_TRUE(pane.LoadTalkList());
        EXPECT_EQ(c.columns, HeaderColumns());
        EXPECT_EQ(db.Count(CString(L"SELECT COUNT(*) FROM Qor_Talk WHERE ") + c.where), pane.GetTalkList().GetItemCount());
        CString label;
        pane.GetLabel().GetWindowText(label);
        EXPECT_EQ(CString(c.label), label);
    }
    // A meeting row: subject, local creation time and creator; its item data is the talk id.
    pane.SetTalkKind(1);
    ASSERT_TRUE(pane.LoadTalkList());
    ASSERT_EQ(0, RowOf(L"meet_1"));
    EXPECT_EQ(CString(L"Budget meeting"), pane.GetTalkList().GetItemText(0, 0));
    EXPECT_EQ(CQorViewBaseFun::ToDefaultLocalTime(L"2026-02-03 09:15:00"), pane.GetTalkList().GetItemText(0, 1));
    EXPECT_EQ(CString(L"Carol"), pane.GetTalkList().GetItemText(0, 2));
    // A statement that cannot be opened leaves the list empty and says so.
    QorDBTest_FailStatementsContaining(L"FROM Qor_Talk WHERE");
    EXPECT_FALSE(pane.LoadTalkList());
    EXPECT_EQ(0, pane.GetTalkList().GetItemCount());
}

TEST_F(MeetingPane, ADateThatIsNoDateIsLeftOutAndLogged)
{
    ASSERT_TRUE(db.Mgr().AddTalk(L"meet_bad", 1, L"Odd date", L"next Tuesday", L"Dan"));
    const CString log = CQorViewBaseFun::GetErrorLogFile();
    ::DeleteFileW(log);
    ASSERT_TRUE(pane.LoadTalkList());
    const int row = RowOf(L"meet_bad");
    ASSERT_GE(row, 0);
    EXPECT_EQ(CString(), pane.GetTalkList().GetItemText(row, 1));
    EXPECT_EQ(CString(L"Dan"), pane.GetTalkList().GetItemText(row, 2));
    std::wifstream in(static_cast<LPCWSTR>(log));
    std::wstringstream all;
    all << in.rdbuf();
    EXPECT_NE(std::wstring::npos, all.str().find(L"meet_bad")) << "the error log names the talk";
}

TEST_F(MeetingPane, SelectingATalkShowsItsMessagesNewestFirstAndItsAttachments)
{
    AddMeeting(L"meet_'q_1", L"Quoted id", "127.0.0.1:1");
    ASSERT_TRUE(pane.LoadTalkList());
    const int row = RowOf(L"meet_'q_1");
    ASSERT_GE(row, 0);
    Select(row);
    const CString text = HistoryText();
    // Newest first; each message its sender, "(date):" and the body's text items joined.
    const int second = text.Find(L"Bob(2026-02-03 09:30:00):");
    const int first = text.Find(L"Ann(2026-02-03 09:20:00):");
    ASSERT_GE(second, 0) << CStringA(text).GetString();
    ASSERT_GT(first, second);
    EXPECT_GT(text.Find(L"firstwords"), first) << "text items only, without separators: " << CStringA(text).GetString();
    EXPECT_EQ(-1, text.Find(L"bob")) << "mentions are not shown";
    ASSERT_EQ(1, pane.GetAttachList().GetItemCount());
    EXPECT_TRUE(pane.GetAttachList().IsWindowVisible());
    EXPECT_EQ(CString(L"meet_'q_1_e2"), pane.GetAttachList().GetAttachments()[0].strMsgID);
    RECT rcView, rcAttach;
    pane.GetHistoryView().GetWindowRect(&rcView);
    pane.GetAttachList().GetWindowRect(&rcAttach);
    EXPECT_LT(rcView.right, rcAttach.left);

    // A generated talk of another kind: twenty messages, no attachment list when it has none.
    pane.SetTalkKind(2);
    ASSERT_TRUE(pane.LoadTalkList());
    const int talk2 = RowOf(L"talk_2");
    ASSERT_GE(talk2, 0);
    Select(talk2);
    int headers = 0;
    for (int at = HistoryText().Find(L"):"); at >= 0; at = HistoryText().Find(L"):", at + 1))
        ++headers;
    EXPECT_EQ(20, headers);
    EXPECT_EQ(Rows(L"qor_Talk_AttachMent", L"talk_2") > 0, pane.GetAttachList().IsWindowVisible() != FALSE);
    if (!pane.GetAttachList().IsWindowVisible()) {
        RECT rcClient;
        pane.GetClientRect(&rcClient);
        pane.GetHistoryView().GetWindowRect(&rcView);
        pane.ScreenToClient(&rcView);
        EXPECT_EQ(rcClient.right, rcView.right) << "the messages take the whole width";
    }
}

TEST_F(MeetingPane, DeletedTalksLeaveTheListOnlyWhenTheDatabaseDeletedThem)
{
    pane.SetTalkKind(3);
    ASSERT_TRUE(pane.LoadTalkList());
    ASSERT_EQ(2, pane.GetTalkList().GetItemCount());
    ASSERT_GT(TalkRows(L"talk_1"), 0);
    // A row that is no talk of the database (no id) stays whatever happens.
    pane.GetTalkList().AppendItem(L"no id");
    pane.GetTalkList().SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);

    // A failing deletion: everything rolled back, every row stays, the user is told.
    QorDBTest_FailStatementsContaining(L"qor_Talk_Log");
    qorview_test::ClearCalls();
    pane.DeleteSelectedTalks();
    EXPECT_EQ(3, pane.GetTalkList().GetItemCount());
    EXPECT_GT(TalkRows(L"talk_1"), 0);
    EXPECT_EQ(1, db.Count(L"SELECT COUNT(*) FROM Qor_Talk WHERE Col_ID = 'talk_1'"));
    ASSERT_EQ(2u, BoxTexts().size()); // the question, then the report
    EXPECT_TRUE(AnyBoxHas(L"2 of the selected talks could not be deleted"));

    // Now it works: both talks go from every table and the list, the stray row stays.
    QorDBTest_FailStatementsContaining(nullptr);
    const int otherTalks = db.Count(L"SELECT COUNT(*) FROM Qor_Talk");
    pane.GetTalkList().SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    qorview_test::ClearCalls();
    pane.DeleteSelectedTalks();
    EXPECT_EQ(1, static_cast<int>(BoxTexts().size()));
    ASSERT_EQ(1, pane.GetTalkList().GetItemCount());
    EXPECT_EQ(CString(L"no id"), pane.GetTalkList().GetItemText(0, 0));
    EXPECT_EQ(0, TalkRows(L"talk_1"));
    EXPECT_EQ(0, TalkRows(L"talk_3"));
    EXPECT_EQ(otherTalks - 2, db.Count(L"SELECT COUNT(*) FROM Qor_Talk"));
    EXPECT_GT(TalkRows(L"talk_2"), 0) << "a talk that was not selected is untouched";

    // The menu command deletes and reads the list again; "no" deletes nothing.
    ASSERT_TRUE(pane.LoadTalkList());
    pane.SetTalkKind(2);
    ASSERT_TRUE(pane.LoadTalkList());
    pane.GetTalkList().SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    qorview_test::PushMessageBoxAnswer(IDCANCEL);
    pane.SendMessage(WM_COMMAND, ID_MSG_DELETE_TALK, 0);
    EXPECT_GT(TalkRows(L"talk_2"), 0);
    pane.GetTalkList().SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    pane.SendMessage(WM_COMMAND, ID_MSG_DELETE_TALK, 0);
    EXPECT_EQ(0, TalkRows(L"talk_2"));
    EXPECT_EQ(0, pane.GetTalkList().GetItemCount());
}

// What the pane looks like with a meeting selected: saved in the "shots" folder beside the test
// program, to be looked at. The three parts are drawn (dark text on their light backgrounds).
TEST_F(MeetingPane, PictureOfAMeetingWithItsMessagesAndFiles)
{
    AddMeeting(L"meet_1", L"Quarterly budget review", "127.0.0.1:1");
    ASSERT_TRUE(db.Mgr().AddTalk(L"meet_2", 1, L"Release planning", L"2026-03-10 14:00:00", L"Ann"));
    ASSERT_TRUE(db.Mgr().AddTalkAttach(L"meet_1", L"meet_1_e1", L"minutes.doc", L"", 0));
    ASSERT_TRUE(pane.LoadTalkList());
    Select(RowOf(L"meet_1"));
    host.SetForegroundWindow();
    pane.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testsupport::PumpMessages();
    for (CWnd* part : {static_cast<CWnd*>(&pane.GetTalkList()), static_cast<CWnd*>(&pane.GetHistoryView()),
                       static_cast<CWnd*>(&pane.GetAttachList())}) {
        const RECT rc = testsupport::ClientRectOnScreen(part->GetSafeHwnd());
        const int dark = testsupport::CountScreenPixels(rc, testsupport::IsDark);
        EXPECT_GT(dark, 20);
        EXPECT_LT(dark * 4, (rc.right - rc.left) * (rc.bottom - rc.top)) << "not an unpainted black area";
    }
    std::wstring dir = testsupport::ExeDir() + L"\\shots";
    ::CreateDirectoryW(dir.c_str(), nullptr);
    EXPECT_TRUE(testsupport::SaveScreenshot(dir + L"\\msgcenter-meeting.bmp", host.GetSafeHwnd()));
}

class MeetingAttachments : public MeetingPane {
protected:
    // The attachment server's key of the talk's file: "<message id>/<name>", percent-encoded.
    const char* kKey = "meet_1_e2%2Fnotes.txt";
    MeetingAttachments()
    {
        dir = testsupport::TempDir(L"korvel-meeting-files");
        AddMeeting(L"meet_1", L"Files", server.Host());
        EXPECT_TRUE(pane.LoadTalkList());
        Select(RowOf(L"meet_1"));
        EXPECT_EQ(1, pane.GetAttachList().GetItemCount());
        pane.GetAttachList().SetSelectionMark(0);
        qorview_test::SetAttachServer(CString(server.Host().c_str()).GetString());
    }
    ~MeetingAttachments() override
    {
        qorview_test::SetAttachServer(L"");
        testsupport::RemoveTree(dir);
    }
    // Runs the command with the save dialog answered by `path` (empty: cancelled).
    void CommandWithSaveDialog(UINT command, const std::wstring& path)
    {
        msgcenter_test::ModalScript script([&](HWND hDlg) {
            if (path.empty()) {
                ::PostMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            ::SetDlgItemTextW(hDlg, 0x47c, path.c_str()); // the file name box (cmb13)
            ::SetDlgItemTextW(hDlg, 0x480, path.c_str()); // (edt1, in the older layout)
            ::PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
        });
        pane.SendMessage(WM_COMMAND, command, 0);
        savesShown = script.Shown();
    }
    bool WaitForDownloadEnd()
    {
        return testsupport::PumpUntil([&] {
            return qorview_test::CountCalls(L"QorMessageBox") > boxesBefore;
        }, 20000);
    }

    testsupport::FileServer server;
    std::wstring dir;
    int savesShown = 0;
    int boxesBefore = 0;
};

TEST_F(MeetingAttachments, AMissingFileIsDownloadedWhenTheUserAgreesAndIsThenOpenedFromDisk)
{
    server.Put(kKey, "hello");
    const std::wstring target = dir + L"\\saved notes.txt";
    CxMenu menu;
    CMenu* pPopup = nullptr;
    ASSERT_TRUE(pane.BuildAttachMenu(0, menu, &pPopup));
    EXPECT_EQ(UINT(-1), pPopup->GetMenuState(ID_ATTACH_OPEN, MF_BYCOMMAND)) << "nothing to open yet";
    EXPECT_NE(UINT(-1), pPopup->GetMenuState(ID_ATTACH_SAVE_AS, MF_BYCOMMAND));

    qorview_test::ClearCalls();
    qorview_test::PushMessageBoxAnswer(IDOK);     // download it first?
    qorview_test::PushMessageBoxAnswer(IDCANCEL); // open it now? not yet
    boxesBefore = 1;
    CommandWithSaveDialog(ID_ATTACH_OPEN, target);
    EXPECT_EQ(1, savesShown);
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::HaveReceiveFileACE"));
    ASSERT_TRUE(WaitForDownloadEnd());
    EXPECT_TRUE(AnyBoxHas(L"saved notes.txt") || AnyBoxHas(L"notes.txt"));
    EXPECT_TRUE(g_shell.empty()) << "the user said not yet";
    std::ifstream in(target.c_str(), std::ios::binary);
    std::string body((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ("hello", body);
    // The path is kept in the database and in the list.
    EXPECT_EQ(CString(target.c_str()),
              db.Connect() ? [&] {
                  CYqRecordset rs;
                  CString path;
                  if (rs.Open(L"SELECT Col_LocalPath FROM qor_Talk_AttachMent WHERE Col_MsgID = 'meet_1_e2'", db.Connect())) {
                      rs.MoveFirst();
                      if (!rs.IsEOF())
                          rs.GetValue(0, path);
                  }
                  return path;
              }() : CString());
    EXPECT_EQ(CString(target.c_str()), pane.GetAttachList().GetAttachments()[0].strLocalPath);

    // On disk now: opened by the shell without a question, shown in Explorer, no saving offered.
    qorview_test::ClearCalls();
    pane.SendMessage(WM_COMMAND, ID_ATTACH_OPEN, 0);
    pane.SendMessage(WM_COMMAND, ID_ATTACH_OPEN_FOLDER, 0);
    EXPECT_EQ(0, qorview_test::CountCalls(L"QorMessageBox"));
    ASSERT_EQ(2u, g_shell.size());
    EXPECT_EQ(L"open", g_shell[0].verb);
    EXPECT_EQ(target, g_shell[0].file);
    EXPECT_EQ(L"Explorer.exe", g_shell[1].file);
    EXPECT_EQ(L"/n,/select," + target, g_shell[1].params);
    CxMenu menu2;
    ASSERT_TRUE(pane.BuildAttachMenu(0, menu2, &pPopup));
    EXPECT_NE(UINT(-1), pPopup->GetMenuState(ID_ATTACH_OPEN, MF_BYCOMMAND));
    EXPECT_NE(UINT(-1), pPopup->GetMenuState(ID_ATTACH_OPEN_FOLDER, MF_BYCOMMAND));
    EXPECT_EQ(UINT(-1), pPopup->GetMenuState(ID_ATTACH_SAVE_AS, MF_BYCOMMAND));
}

TEST_F(MeetingAttachments, NothingIsDownloadedForAUserWhoMayNotReceiveFiles)
{
    server.Put(kKey, "hello");
    qorview_test::SetReceiveFileAllowed(false);
    for (UINT command : {ID_ATTACH_OPEN, ID_ATTACH_OPEN_FOLDER, ID_ATTACH_SAVE_AS}) {
        SCOPED_TRACE(command);
        qorview_test::ClearCalls();
        CommandWithSaveDialog(command, dir + L"\\never.txt");
        EXPECT_EQ(0, savesShown);
        ASSERT_EQ(1u, BoxTexts().size()) << "only the refusal, no offer to download";
        EXPECT_TRUE(AnyBoxHas(L"may not receive files"));
        EXPECT_TRUE(AnyBoxHas(L"Bob")) << "the refusal names the sender";
        EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewMgr::DownloadAttach"));
    }
    EXPECT_TRUE(server.Paths().empty());
    EXPECT_TRUE(g_shell.empty());
}

TEST_F(MeetingAttachments, AFailedDownloadIsReportedAndLeavesTheFileUnknown)
{
    // The server has no such key: the transfer ends in failure.
    qorview_test::ClearCalls();
    boxesBefore = 0;
    CommandWithSaveDialog(ID_ATTACH_SAVE_AS, dir + L"\\lost.txt");
    ASSERT_EQ(1, savesShown);
    ASSERT_TRUE(WaitForDownloadEnd());
    EXPECT_TRUE(AnyBoxHas(L"could not be downloaded"));
    EXPECT_EQ(CString(), pane.GetAttachList().GetAttachments()[0].strLocalPath);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW((dir + L"\\lost.txt").c_str()));
    // A cancelled save dialog starts nothing.
    qorview_test::ClearCalls();
    CommandWithSaveDialog(ID_ATTACH_SAVE_AS, L"");
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewMgr::DownloadAttach"));
}

TEST_F(MeetingAttachments, AFolderTargetIsQuestionedOnlyWhenTheFolderIsThereAlready)
{
    msgcenter_test::CheckFolderTargetQuestion(dir, [&](CString& folder, CString& name) {
        const bool chosen = pane.ChooseAttachTarget(folder, name);
        if (chosen)
            EXPECT_EQ(CString(), name) << "the folder's own name is the download's business";
        return chosen;
    });
}

// A file target comes from the save dialog, which asks before overwriting only when the file is
// there already; the pane adds no question of its own. "No" leaves the dialog up for another
// name (here the user then cancels).
// The sender chose the attachment's name: the save dialog proposes it made safe, and a folder
// attachment is asked about, and lands, inside the chosen folder under its own name only.
TEST_F(MeetingAttachments, TheSaveDialogProposesTheSendersNameMadeSafe)
{
    struct Case {
        const wchar_t* sent;
        const wchar_t* proposed;
    } cases[] = {{L"..\\..\\x.exe", L"x.exe"}, {L"C:\\Windows\\win.ini", L"win.ini"}, {L"LPT1.txt", L"_LPT1.txt"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(CStringA(c.sent).GetString());
        std::wstring proposed;
        msgcenter_test::ModalScript script([&](HWND hDlg) {
            wchar_t text[MAX_PATH] = {};
            if (!::GetDlgItemTextW(hDlg, 0x47c, text, MAX_PATH)) // the file name box (cmb13)
                ::GetDlgItemTextW(hDlg, 0x480, text, MAX_PATH);  // (edt1, in the older layout)
            proposed = text;
            ::PostMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
        });
        CString folder, name = c.sent;
        EXPECT_FALSE(pane.ChooseAttachTarget(folder, name));
        EXPECT_EQ(1, script.Shown());
        EXPECT_EQ(std::wstring(c.proposed), proposed);
    }
    const std::wstring evil = dir + L"\\evil";
    ::CreateDirectoryW(evil.c_str(), nullptr);
    qorview_test::ClearCalls();
    qorview_test::SetSelectedFolder(dir);
    qorview_test::SetDefaultMessageBoxAnswer(IDOK);
    CString folder, name = L"..\\..\\evil\\";
    EXPECT_TRUE(pane.ChooseAttachTarget(folder, name));
    EXPECT_EQ(CString(dir.c_str()), folder);
    ASSERT_EQ(1, qorview_test::CountCalls(L"QorMessageBox"));
    EXPECT_NE(std::wstring::npos, qorview_test::LastArgs(L"QorMessageBox").find(evil))
        << "the folder that would be written into lies inside the chosen one";
}

TEST_F(MeetingAttachments, AFileTargetIsQuestionedOnlyWhenTheFileIsThereAlready)
{
    const std::wstring target = dir + L"\\notes.txt";
    struct Case { bool exists; int answer; bool chosen; } cases[] = {
        {false, IDNO, true},
        {true, IDYES, true},
        {true, IDNO, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "file there: " << c.exists << ", answer " << c.answer);
        if (c.exists)
            std::ofstream(target.c_str()) << "old";
        else
            ::DeleteFileW(target.c_str());
        HWND saveDialog = nullptr;
        int questions = 0;
        msgcenter_test::ModalScript script([&](HWND hDlg) {
            if (!saveDialog) {
                saveDialog = hDlg;
                ::SetDlgItemTextW(hDlg, 0x47c, target.c_str()); // the file name box (cmb13)
                ::SetDlgItemTextW(hDlg, 0x480, target.c_str()); // (edt1, in the older layout)
                ::PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
                return;
            }
            ++questions; // the overwrite question, owned by the save dialog
            ::PostMessageW(hDlg, WM_COMMAND, c.answer, 0);
            if (c.answer != IDYES)
                ::PostMessageW(saveDialog, WM_COMMAND, IDCANCEL, 0);
        });
        qorview_test::ClearCalls();
        CString folder, name = L"notes.txt";
        EXPECT_EQ(c.chosen, pane.ChooseAttachTarget(folder, name));
        EXPECT_EQ(c.exists ? 1 : 0, questions);
        EXPECT_EQ(0, qorview_test::CountCalls(L"QorMessageBox"));
        if (c.chosen) {
            EXPECT_EQ(0, folder.CompareNoCase(dir.c_str())) << CStringA(folder).GetString();
            EXPECT_EQ(CString(L"notes.txt"), name);
        }
    }
}

} // namespace
