// The history viewer inside the message centre window: the manager's discussion request and a
// person chosen in its organisation pane each bring the viewer up with that conversation's
// stored messages and their attachment links.
#include "msgcenter/manager/CQorMsgBaseDlg.h"
#include "msgcenter/historyviewer/CQorMsgGroupDisDlg.h"
#include "msgcenter/manager/CQorMsgManagerDlg.h"
#include "msgcenter/manager/CQorMsgORGTreeDlg.h"
#include "msgcenter/MsgCenterMessages.h"
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
