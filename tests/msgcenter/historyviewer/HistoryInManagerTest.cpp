// The history viewer inside the message centre window: the manager's discussion request and a
// person chosen in its organisation pane each bring the viewer up with that conversation's
// stored messages and their attachment links; a discussion chosen in the folder tree, and the
// window resized then, draw the viewer by themselves.
#include "msgcenter/manager/CQorMsgBaseDlg.h"
#include "msgcenter/historyviewer/CQorMsgGroupDisDlg.h"
#include "msgcenter/manager/CMsgFolderTree.h"
#include "msgcenter/manager/CQorMsgManagerDlg.h"
#include "msgcenter/manager/CQorMsgORGTreeDlg.h"
#include "msgcenter/MsgCenterMessages.h"
#include "platform/QorResource/HistoryResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/msgcenter/historyviewer/HistoryFixture.h"

using namespace historytest;
using namespace testsupport;

namespace {

class HistoryInManager : public ::testing::Test {
protected:
    void SetUp() override
    {
        qorview_test::ClearCalls();
        qorview_test::SetDefaultMessageBoxAnswer(IDCANCEL);
        db.Exec(L"INSERT INTO Qor_Talk (Col_ID, Col_Type, Col_Subject) VALUES (" + Q(kTalk) + L", 3, 'Budget round')");
        db.AddTalkMsg(1, L"Ann", Ktf(L"The figures for March.", {KtfFile(L"march.xls", 4096, 1, L"k1", L"h"),
                                                                 KtfFile(L"notes.txt", 120, 1, L"k2", L"h")}));
        db.AddTalkMsg(2, kMyName, Ktf(L"Thank you, Ann."));
        db.AddPeerMsg(3, false, Ktf(L"Lunch at one?"));
        mgr = new CQorMsgManagerDlg(nullptr);
        mgr->SetSession(nullptr, CString(), kMe, nullptr);
        ASSERT_TRUE(mgr->Create(IDD_MSG_MANAGER, nullptr));
        mgr->SetWindowPos(nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        mgr->ShowWindow(SW_SHOW);
        PumpMessages();
    }
    void TearDown() override
    {
        if (mgr && ::IsWindow(mgr->GetSafeHwnd()))
            mgr->DestroyWindow(); // deletes itself
        PumpMessages();
        qorview_test::ClearMessageBoxAnswers();
    }
    CString ViewerText()
    {
        CString t;
        mgr->GetHistoryViewer()->GetView().GetTextRange(0, -1, t);
        return t;
    }
    static bool Visible(CWnd* p) { return p && ::IsWindowVisible(p->GetSafeHwnd()); }
    // Whether the screen shows the viewer's messages and its bottom row, without anything here
    // painting them: dark text in the view, the page caption and the page count, and the delete
    // link in its blue.
    bool ViewerDrawn()
    {
        CQorMsgGroupDisDlg* viewer = mgr->GetHistoryViewer();
        auto dark = [&](HWND hwnd) {
            return CountScreenPixels(ClientRectOnScreen(hwnd), [](COLORREF c) { return IsDark(c); });
        };
        return dark(viewer->GetView().GetSafeHwnd()) > 200 &&
               dark(viewer->GetDlgItem(IDC_HISTORY_PAGE_CAPTION)->GetSafeHwnd()) > 10 &&
               dark(viewer->GetDlgItem(IDC_HISTORY_PAGE_COUNT)->GetSafeHwnd()) > 5 &&
               CountScreenPixels(ClientRectOnScreen(viewer->GetDeleteLink().GetSafeHwnd()),
                                 [](COLORREF c) { return c != RGB(255, 255, 255) && GetBValue(c) > 150; }) > 10;
    }
    // Runs what a step queued (the pane area's own repaint among it) and gives the drawing time
    // to reach the screen, so that what the screen shows next is what stays there.
    static void Settle()
    {
        PumpMessages();
        PumpUntil([] { return false; }, 40);
    }

    ResourceModuleScope resources;
    HistoryDb db;
    CQorMsgManagerDlg* mgr = nullptr;
};

} // namespace

TEST_F(HistoryInManager, ADiscussionRequestShowsItsMessagesWithTheirLinks)
{
    mgr->OpenWithRequest(L"GROUP_TALK;talk_7");
    ASSERT_NE(mgr->GetHistoryViewer(), nullptr);
    EXPECT_TRUE(Visible(mgr->GetHistoryViewer()));
    EXPECT_FALSE(Visible(mgr->GetBasePane()));
    CString text = ViewerText();
    EXPECT_NE(text.Find(L"The figures for March."), -1);
    EXPECT_NE(text.Find(L"Thank you, Ann."), -1);
    EXPECT_EQ(text.Find(L"Lunch at one?"), -1);
    EXPECT_FALSE(mgr->GetHistoryViewer()->IsPeerMode());
    // Two files, two links each.
    EXPECT_EQ(mgr->GetHistoryViewer()->GetLinks().GetCount(), 4);

    ::SetForegroundWindow(mgr->GetSafeHwnd());
    const RECT view = ClientRectOnScreen(mgr->GetHistoryViewer()->GetView().GetSafeHwnd());
    auto darkInView = [&] { return CountScreenPixels(view, [](COLORREF c) { return IsDark(c); }); };
    WaitUntilOnScreen(mgr->GetSafeHwnd(), [&] { return darkInView() > 200; });
    EXPECT_TRUE(SaveScreenshot(ExeDir() + L"\\msgcenter_history_in_manager.bmp", mgr->GetSafeHwnd()));
    EXPECT_GT(darkInView(), 200);
}

TEST_F(HistoryInManager, APersonChosenInTheOrganisationPaneShowsTheirHistory)
{
    // The user views with the local history: the organisation pane passes a chosen person on.
    mgr->OpenWithRequest(L"");
    ASSERT_NE(mgr->GetViews().GetOrgPane(), nullptr);
    mgr->GetHistoryViewer()->OpenTalkHistory(kTalk);
    CString peer = kPeer;
    mgr->GetViews().GetOrgPane()->SendMessage(WM_MSGCENTER_SHOW_PERSON, 0, reinterpret_cast<LPARAM>(&peer));
    EXPECT_TRUE(Visible(mgr->GetHistoryViewer()));
    EXPECT_TRUE(mgr->GetHistoryViewer()->IsPeerMode());
    CString text = ViewerText();
    EXPECT_NE(text.Find(L"Lunch at one?"), -1);
    EXPECT_EQ(text.Find(L"The figures for March."), -1);
    EXPECT_EQ(mgr->GetHistoryViewer()->GetLinks().GetCount(), 0);
}

// The group-talk pane shown first and hidden again leaves the pane area to be repainted; the
// viewer, chosen after it in the folder tree, still shows its messages and its bottom row.
TEST_F(HistoryInManager, ADiscussionChosenInTheTreeDrawsItsMessagesAndPageRow)
{
    mgr->OpenWithRequest(L"");
    ::SetForegroundWindow(mgr->GetSafeHwnd());
    CMsgFolderTree& folders = mgr->GetFolders();
    folders.Tree().SelectItem(folders.GetTalkRoot());
    PumpMessages();
    HTREEITEM hTalk = folders.Tree().GetChildItem(folders.GetTalkRoot());
    ASSERT_NE(hTalk, nullptr);
    folders.Tree().SelectItem(hTalk);
    ASSERT_TRUE(Visible(mgr->GetHistoryViewer()));
    EXPECT_NE(ViewerText().Find(L"Thank you, Ann."), -1);
    Settle();
    EXPECT_TRUE(PumpUntil([&] { return ViewerDrawn(); }, 400)) << "the viewer was left as the pane area painted it";
}

TEST_F(HistoryInManager, TheViewerIsDrawnAgainWhenTheWindowIsResized)
{
    mgr->OpenWithRequest(L"GROUP_TALK;talk_7");
    ::SetForegroundWindow(mgr->GetSafeHwnd());
    ASSERT_TRUE(WaitUntilOnScreen(mgr->GetSafeHwnd(), [&] { return ViewerDrawn(); }));
    CRect rc;
    mgr->GetWindowRect(&rc);
    mgr->SetWindowPos(nullptr, 0, 0, rc.Width() + 40, rc.Height() + 30, SWP_NOMOVE | SWP_NOZORDER);
    Settle();
    EXPECT_TRUE(PumpUntil([&] { return ViewerDrawn(); }, 400)) << "the resized viewer was left as the pane area painted it";
}
