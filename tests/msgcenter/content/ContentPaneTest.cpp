// The content pane on a real message database: the body by content type (RTF, KTF, UTF-8 and
// types that only look like them), the receivers' line and its limit, the layout with and
// without attachments and search results, inline pictures with attachments still to download,
// the links it opens and the ones it only shows, the message actions after a deletion, and the
// attachments' menu, sending on, opening and saving.
#include "tests/msgcenter/ReadingFixture.h"
#include "tests/msgcenter/FolderTargetCases.h"
#include "platform/QorView/AttachItem.h"
#include "framework/CMenu.h"
#include "msgcenter/content/CQorMsgContentDlg.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/FileClient/FileClientApi.h"
#include "platform/QorDB/CYqConnect.h"
#include "platform/FileTransfer/Utilities.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/QorViewMessages.h"
#include <gtest/gtest.h>
#include <fstream>

namespace {

class TestContentDlg : public CQorMsgContentDlg {
public:
    std::vector<std::pair<CString, CString>> opened; // file, parameters

protected:
    void ShellOpen(const CString& strFile, const CString& strParameters) override
    {
        opened.emplace_back(strFile, strParameters);
    }
};

// What the save dialog was asked, and its answer.
CString g_saveExt, g_saveName, g_saveAnswer;
bool SaveHook(const CString& ext, const CString& name, const CString&, CString& path)
{
    g_saveExt = ext;
    g_saveName = name;
    path = g_saveAnswer;
    return !g_saveAnswer.IsEmpty();
}

class ContentPaneTest : public ::testing::Test, public ReadingTestBase {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(resources.IsLoaded());
        ASSERT_TRUE(db.Ok());
        ASSERT_TRUE(host.CreateTopLevel(600, 300));
        ASSERT_TRUE(pane.Create(IDD_MSG_CONTENT, &host));
        pane.SetOwner(&host);
        pane.MoveWindow(0, 0, 600, 300);
        pane.ShowWindow(SW_SHOW);
        testsupport::PumpMessages();
        CContentAttachments::SetSaveDialogHook(SaveHook);
        g_saveAnswer.Empty();
    }
    void TearDown() override
    {
        CContentAttachments::SetSaveDialogHook(nullptr);
        qorview_test::SetRecentContacts(L"");
        pane.DestroyWindow();
        host.DestroyWindow();
        testsupport::PumpMessages();
    }
    CString Text()
    {
        CString text;
        pane.GetRichText().GetWindowText(text);
        return text;
    }
    CRect Rect(CWnd& child)
    {
        CRect rc;
        child.GetWindowRect(&rc);
        pane.ScreenToClient(&rc);
        return rc;
    }
    void Show(const StoredMsg& m, bool attach = false, bool search = false, int flags = 0)
    {
        pane.ShowMessageContent(m.id, m.senderName, m.date, m.recvName, attach, flags, search);
        testsupport::PumpMessages();
    }
    StoredMsg Body(const wchar_t* id, const wchar_t* type, const wchar_t* content)
    {
        StoredMsg m;
        m.id = id;
        m.contentType = type;
        m.content = content;
        db.Add(m);
        return m;
    }
    std::wstring WriteFile(const wchar_t* name)
    {
        std::wstring path = db.Dir() + L"\\" + name;
        std::ofstream(path.c_str()) << "data";
        return path;
    }

    ReadingDb db;
    ReadingHost host;
    TestContentDlg pane;
};

} // namespace

TEST_F(ContentPaneTest, BodyByContentType)
{
    struct Case { const wchar_t* type; const wchar_t* body; const wchar_t* shown; } cases[] = {
        {L"UTF-8", L"Grüße aus Köln", L"Grüße aus Köln"},
        // Items run together, each text with every blank it holds.
        {L"Text/Ktf", L"<KTF><Text>Hello </Text><at>u7;Ann</at><sharp>t1;news</sharp></KTF>", L"Hello @Ann#news"},
        {L"Text/Rtf", L"{\\rtf1\\ansi Rich {\\b text}\\par}", L"Rich text"},
        {L"text/ktf", L"<KTF><Text>x</Text></KTF>", L"<KTF><Text>x</Text></KTF>"}, // other case: plain text
        {L"Text/Ktf", L"not a body", L""},
    };
    int n = 0;
    for (const Case& c : cases) {
        CString id;
        id.Format(L"b%d", n++);
        Show(Body(id, c.type, c.body));
        CString shown = Text();
        shown.TrimRight(L"\r\n");
        EXPECT_EQ(CString(c.shown), shown) << CStringA(c.type).GetString();
        EXPECT_EQ(id, pane.GetMessageID());
    }
}

TEST_F(ContentPaneTest, ReceiversLineIsCutAfter999Characters)
{
    StoredMsg m = Body(L"r1", L"UTF-8", L"x");
    m.recvName = CString(L'a', 999);
    Show(m);
    EXPECT_EQ(m.recvName, pane.GetReceiverText());
    m.recvName = CString(L'a', 1000);
    Show(m);
    EXPECT_EQ(CString(L'a', 999) + L"...", pane.GetReceiverText());
    CString label;
    pane.GetReceivers().GetWindowText(label);
    EXPECT_EQ(CQorViewBaseFun::LoadStringW(IDS_MSG_TO) + L" " + CString(L'a', 999) + L"...", label);
}

TEST_F(ContentPaneTest, LayoutFollowsAttachmentsAndSearch)
{
    StoredMsg m = Body(L"l1", L"UTF-8", L"The quarterly figures are attached; the summary is on page two.");
    db.AddAttach(L"l1", L"report.pdf", L"", 0);
    Show(m, true, true);
    CRect client;
    pane.GetClientRect(&client);
    EXPECT_TRUE(pane.GetAttachList().IsWindowVisible());
    EXPECT_EQ(client.right - 101, Rect(pane.GetRichText()).right);
    EXPECT_EQ(98, Rect(pane.GetAttachList()).Width());
    EXPECT_EQ(client.right, Rect(pane.GetAttachList()).right);
    EXPECT_TRUE(pane.GetLinkConversation().IsWindowVisible());
    EXPECT_EQ(Rect(pane.GetLinkConversation()).left - 9, Rect(pane.GetReceivers()).right);
    EXPECT_EQ(1, pane.GetAttachList().GetItemCount());

    Show(Body(L"l2", L"UTF-8", L"y"), false, false);
    EXPECT_FALSE(pane.GetAttachList().IsWindowVisible());
    EXPECT_EQ(client.right, Rect(pane.GetRichText()).right);
    EXPECT_FALSE(pane.GetLinkConversation().IsWindowVisible());
    EXPECT_EQ(Rect(pane.GetLinkWrite()).left - 9, Rect(pane.GetReceivers()).right);

    std::wstring outDir = testsupport::ExeDir() + L"\\test-output";
    ::CreateDirectoryW(outDir.c_str(), nullptr);
    Show(m, true, true);
    EXPECT_TRUE(pane.GetAttachList().IsWindowVisible());
    EXPECT_EQ(1, pane.GetAttachList().GetItemCount());
    RECT text = testsupport::ClientRectOnScreen(pane.GetRichText().GetSafeHwnd());
    host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT files = testsupport::ClientRectOnScreen(pane.GetAttachList().GetSafeHwnd());
    EXPECT_TRUE(testsupport::PumpUntil([&] {
        return testsupport::CountScreenPixels(text, testsupport::IsDark) > 40 &&
               testsupport::CountScreenPixels(files, testsupport::IsDark) > 20;
    }));
    EXPECT_TRUE(testsupport::SaveScreenshot(outDir + L"\\content-pane.bmp", host.GetSafeHwnd()));
}

TEST_F(ContentPaneTest, InlinePictureKeepsUndownloadedAttachmentsInTheList)
{
    std::wstring picture = WriteFile(L"photo.png");
    StoredMsg m = Body(L"p1", L"Text/Ktf", L"<KTF><Text>see</Text><File name=\"photo.png\" filetype=\"262144\">k</File></KTF>");
    db.AddAttach(L"p1", L"photo.png", picture.c_str(), 0);
    db.AddAttach(L"p1", L"later.png", L"", 0);
    // The body's file item makes the pictures inline even though the row's flags do not say so.
    Show(m, true);
    EXPECT_NE(-1, Text().Find(L"photo.png")) << "the picture stands in the text";
    ASSERT_EQ(1, pane.GetAttachList().GetItemCount()) << "the one not downloaded yet stays reachable";
    EXPECT_EQ(CString(L"later.png"), pane.GetAttachList().GetAttachments()[0].strFileName);
    EXPECT_TRUE(pane.GetAttachList().IsWindowVisible());
}

TEST_F(ContentPaneTest, ClearingForgetsTheMessageAndTheLinksStopActing)
{
    StoredMsg m = Body(L"c1", L"UTF-8", L"x");
    m.folder = 1;
    Show(m);
    qorview_test::ClearCalls();
    pane.SendMessage(WM_QORVIEW_SKIN_CLICK, reinterpret_cast<WPARAM>(pane.GetLinkReply().GetSafeHwnd()), 0);
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::NewChatDlg"));
    pane.SendMessage(WM_QORVIEW_SKIN_CLICK, reinterpret_cast<WPARAM>(pane.GetLinkConversation().GetSafeHwnd()), 0);
    EXPECT_EQ(CString(L"ann"), host.historyPeer);
    pane.ClearMessageContent();
    EXPECT_TRUE(pane.GetMessageID().IsEmpty());
    EXPECT_TRUE(Text().IsEmpty());
    pane.SendMessage(WM_QORVIEW_SKIN_CLICK, reinterpret_cast<WPARAM>(pane.GetLinkReply().GetSafeHwnd()), 0);
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::NewChatDlg")) << "a cleared pane acts on nothing";
}

TEST_F(ContentPaneTest, RecentContactsMenuAndSendingOn)
{
    std::wstring file = WriteFile(L"plan.txt");
    StoredMsg m = Body(L"a1", L"UTF-8", L"x");
    db.AddAttach(L"a1", L"plan.txt", file.c_str(), 0);
    Show(m, true);
    pane.GetAttachList().SetSelectionMark(0);
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_RECENT_CONTACT_LAST, L"placeholder");
    pane.Attachments().FillRecentContacts(&menu, L"id1,Ann;broken;,nobody;id2, Bob ");
    ASSERT_EQ(2, menu.GetMenuItemCount());
    EXPECT_EQ(static_cast<UINT>(ID_RECENT_CONTACT_FIRST + 1), menu.GetMenuItemID(0)) << "the last entry on top";
    CString top;
    menu.GetMenuString(0, top, MF_BYPOSITION);
    EXPECT_EQ(CString(L"Bob"), top);

    pane.SendMessage(WM_COMMAND, ID_RECENT_CONTACT_FIRST + 1, 0);
    ASSERT_EQ(1u, host.sentIds.size());
    EXPECT_EQ(CString(L"id2"), host.sentIds[0]);
    EXPECT_EQ(CString(L"Bob"), host.sentNames[0]);
    EXPECT_EQ(CString(file.c_str()), host.sentFiles[0]);
    EXPECT_EQ(std::vector<WPARAM>{0}, host.quickSends) << "sent at once to the contact chosen";
    host.sentIds.clear();
    host.sentFiles.clear();
    host.quickSends.clear();
    pane.SendMessage(WM_COMMAND, ID_RECENT_CONTACT_FIRST + 5, 0);
    EXPECT_TRUE(host.sentIds.empty()) << "an item without its entry sends nothing";
    EXPECT_TRUE(host.quickSends.empty());

    pane.SendMessage(WM_COMMAND, ID_ATTACH_FORWARD, 0);
    ASSERT_EQ(1u, host.sentFiles.size());
    EXPECT_EQ(CString(file.c_str()), host.sentFiles[0]);
    EXPECT_TRUE(host.sentIds.empty()) << "forwarding names no receiver";
    EXPECT_EQ(std::vector<WPARAM>{0x1000}, host.quickSends) << "the user chooses the receivers";
}

TEST_F(ContentPaneTest, OpeningAFileOnDiskAndItsFolder)
{
    std::wstring file = WriteFile(L"notes.txt");
    StoredMsg m = Body(L"o1", L"UTF-8", L"x");
    db.AddAttach(L"o1", L"notes.txt", file.c_str(), 0);
    Show(m, true);
    pane.GetAttachList().SetSelectionMark(0);
    pane.SendMessage(WM_COMMAND, ID_ATTACH_OPEN, 0);
    ASSERT_EQ(1u, pane.opened.size());
    EXPECT_EQ(CString(file.c_str()), pane.opened[0].first);
    pane.SendMessage(WM_COMMAND, ID_ATTACH_OPEN_FOLDER, 0);
    ASSERT_EQ(2u, pane.opened.size());
    EXPECT_EQ(CString(L"/n,/select,") + file.c_str(), pane.opened[1].second);
}

TEST_F(ContentPaneTest, TransferEventsOfOtherCodesAreIgnored)
{
    // A real record of a finished file: only codes 5 and 11 may read it as a result.
    StoredMsg m = Body(L"{00000000-0000-0000-0000-0000000000A7}", L"UTF-8", L"x");
    db.AddAttach(m.id, L"a.txt", L"", 1);
    Show(m, true);
    FiileItem_Info info;
    info.strFileName = L"a.txt";
    info.strLocalPath = WriteFile(L"a.txt").c_str();
    Utilities::StrToGuid(m.id, info.guidTransfer);
    qorview_test::ClearCalls();
    for (int code : {7, 8, 9, 10})
        EXPECT_EQ(0, pane.SendMessage(::RegisterWindowMessageW(L"WM_FILE_CLIENT_NOTIFY"), code,
                                      reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(0, qorview_test::CountCalls(L"QorMessageBox"));
    EXPECT_EQ(0, db.Count(L"SELECT count(*) FROM qor_Msg_Attach WHERE Col_LocalPath <> ''"));
    EXPECT_TRUE(pane.GetAttachList().GetAttachments()[0].strLocalPath.IsEmpty());
    EXPECT_TRUE(pane.opened.empty());
}

// A transfer ends while a deletion's transaction is open on the same thread (the title list lets
// messages through between its statements): cancelled, the deletion is undone whole, and the
// file's path is recorded all the same.
TEST_F(ContentPaneTest, ATransferEndingDuringADeletionLeavesItWholeAndItsPathRecorded)
{
    StoredMsg m = Body(L"{00000000-0000-0000-0000-0000000000A8}", L"UTF-8", L"x");
    db.AddAttach(m.id, L"a.txt", L"", 1);
    Body(L"{00000000-0000-0000-0000-0000000000A9}", L"UTF-8", L"to be deleted");
    Show(m, true);
    FiileItem_Info info;
    info.strFileName = L"a.txt";
    info.strLocalPath = WriteFile(L"a.txt").c_str();
    Utilities::StrToGuid(m.id, info.guidTransfer);
    CYqConnect* conn = db.Connect();
    ASSERT_TRUE(conn->BeginTrans());
    ASSERT_TRUE(conn->Execute(L"DELETE FROM qor_Msg WHERE Col_ID = '{00000000-0000-0000-0000-0000000000A9}'"));
    qorview_test::PushMessageBoxAnswer(IDCANCEL); // not opened now
    pane.SendMessage(::RegisterWindowMessageW(L"WM_FILE_CLIENT_NOTIFY"), FCN_FILE_DONE, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(1, conn->GetTransDepth()) << "the deletion's transaction is still open";
    EXPECT_TRUE(conn->RollbackTrans());
    EXPECT_EQ(2, db.Count(L"SELECT count(*) FROM qor_Msg")) << "the deletion is undone whole";
    EXPECT_EQ(1, db.Count(CString(L"SELECT count(*) FROM qor_Msg_Attach WHERE Col_LocalPath = '") +
                          CString(info.strLocalPath) + L"'"));
    EXPECT_EQ(CString(info.strLocalPath), pane.GetAttachList().GetAttachments()[0].strLocalPath);
}

// The sender chose the attachment's name: the save dialog is offered it made safe (its filter
// built from the safe name), and a folder attachment goes inside the chosen folder only.
TEST_F(ContentPaneTest, TheSaveDialogIsOfferedTheSendersNameMadeSafe)
{
    struct Case {
        const wchar_t* sent;
        const wchar_t* offered;
        const wchar_t* ext;
    } cases[] = {
        {L"..\\..\\x.exe", L"x.exe", L"exe"},
        {L"\\\\server\\share\\evil.dll", L"evil.dll", L"dll"},
        {L"CON", L"_CON", L""},
        {L"nul.txt", L"_nul.txt", L"txt"},
        {L"report.txt:secret", L"report.txt_secret", L"txt_secret"},
        {L"pic.png|*.exe", L"pic.png__.exe", L"exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CStringA(c.sent).GetString());
        g_saveName.Empty();
        CString folder, name = c.sent;
        EXPECT_FALSE(pane.Attachments().ChooseSaveTarget(folder, name)) << "the dialog was cancelled";
        EXPECT_EQ(std::wstring(c.offered), g_saveName.GetString());
        EXPECT_EQ(std::wstring(c.ext), g_saveExt.GetString());
    }
    const std::wstring evil = db.Dir() + L"\\evil";
    ::CreateDirectoryW(evil.c_str(), nullptr);
    qorview_test::ClearCalls();
    qorview_test::SetSelectedFolder(db.Dir());
    qorview_test::SetDefaultMessageBoxAnswer(IDOK);
    CString folder, name = L"..\\..\\evil\\";
    EXPECT_TRUE(pane.Attachments().ChooseSaveTarget(folder, name));
    EXPECT_EQ(CString(db.Dir().c_str()), folder);
    EXPECT_EQ(CString(L"evil\\"), name) << "the download goes to the folder plus this name";
    ASSERT_EQ(1, qorview_test::CountCalls(L"QorMessageBox"));
    EXPECT_NE(std::wstring::npos, qorview_test::LastArgs(L"QorMessageBox").find(evil));
    ::RemoveDirectoryW(evil.c_str());
}

TEST_F(ContentPaneTest, AFolderTargetIsQuestionedOnlyWhenTheFolderIsThereAlready)
{
    msgcenter_test::CheckFolderTargetQuestion(db.Dir(), [&](CString& folder, CString& name) {
        return pane.Attachments().ChooseSaveTarget(folder, name);
    });
}
