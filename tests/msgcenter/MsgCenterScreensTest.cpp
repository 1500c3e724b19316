// What the message centre looks like: the window with its folder tree and title list over a
// generated database, and the two search dialogs, are drawn on the screen and saved in the
// "shots" folder beside the test program, to be looked at.
#include "msgcenter/manager/CMsgSearchDlg.h"
#include "msgcenter/manager/CQorMsgBaseDlg.h"
#include "msgcenter/manager/CQorMsgManagerDlg.h"
#include "msgcenter/grouptalk/CQorMsgMeetingDlg.h"
#include "msgcenter/titlelist/CQorMsgTitleDlg.h"
#include "msgcenter/manager/CUserSearchDlg.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "tests/msgcenter/MsgCenterFixture.h"
#include <gtest/gtest.h>

using namespace msgcenter_test;

namespace {

std::wstring ShotPath(const wchar_t* name)
{
    std::wstring dir = testsupport::ExeDir() + L"\\shots";
    ::CreateDirectoryW(dir.c_str(), nullptr);
    return dir + L"\\" + name;
}

// Text drawn on a light background: dark pixels in the client area, but not mostly dark (an
// unpainted window shows black); -1 for mostly dark. Waits, within bounds, for the window's
// drawing to reach the screen first.
int DarkPixels(HWND hWnd)
{
    ::SetForegroundWindow(hWnd);
    int dark = -1;
    testsupport::WaitUntilOnScreen(hWnd, [&] {
        const RECT rc = testsupport::ClientRectOnScreen(hWnd);
        const int all = (rc.right - rc.left) * (rc.bottom - rc.top);
        dark = testsupport::CountScreenPixels(rc, testsupport::IsDark);
        dark = dark * 4 < all ? dark : -1;
        return dark > 50;
    });
    return dark;
}

// The message centre on a generated database, on the screen's corner, in the folder view.
class ManagerScreens : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(db.Generate(300, 12));
        pDlg = new CQorMsgManagerDlg(nullptr);
        pDlg->SetSession(nullptr, CString(), L"me", nullptr);
        ASSERT_TRUE(pDlg->Create(IDD_MSG_MANAGER, nullptr));
        pDlg->SetWindowPos(nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        pDlg->ShowWindow(SW_SHOW);
        pDlg->OpenWithRequest(L"CONTACT_UNREAD");
        testsupport::PumpMessages();
    }
    void TearDown() override
    {
        if (::IsWindow(pDlg->GetSafeHwnd()))
            pDlg->DestroyWindow(); // deletes itself
    }

    testsupport::ResourceModuleScope res;
    TestMsgDb db;
    CQorMsgManagerDlg* pDlg = nullptr;
};

TEST_F(ManagerScreens, ManagerWithItsFoldersAndTitleList)
{
    // The folder view on the received messages: the tree on the left, their titles on the right.
    pDlg->GetFolders().Tree().SelectItem(pDlg->GetFolders().GetReceivedRoot());
    testsupport::PumpMessages();
    ASSERT_NE(nullptr, pDlg->GetBasePane());
    ASSERT_NE(nullptr, pDlg->GetBasePane()->GetTitlePane());
    EXPECT_GT(pDlg->GetBasePane()->GetTitlePane()->GetList().GetItemCount(), 0);
    EXPECT_GT(DarkPixels(pDlg->GetFolders().Tree().GetSafeHwnd()), 50);
    EXPECT_GT(DarkPixels(pDlg->GetBasePane()->GetTitlePane()->GetList().GetSafeHwnd()), 50);
    EXPECT_TRUE(testsupport::SaveScreenshot(ShotPath(L"msgcenter-manager.bmp"), pDlg->GetSafeHwnd()));
}

// The discussion root shows the group-talk pane with its discussions, drawn as soon as it is
// shown (nothing else repaints it), and a discussion's messages once one is selected.
TEST_F(ManagerScreens, GroupTalkPaneWithItsDiscussions)
{
    pDlg->GetFolders().Tree().SelectItem(pDlg->GetFolders().GetTalkRoot());
    testsupport::PumpMessages();
    CQorMsgMeetingDlg* pPane = pDlg->GetViews().GetMeetingPane();
    ASSERT_NE(nullptr, pPane);
    ASSERT_TRUE(pPane->IsWindowVisible());
    ASSERT_GT(pPane->GetTalkList().GetItemCount(), 0);
    // Shown by the root, the pane draws its children by itself (nothing here paints them): the
    // empty history view is white, and not what the screen showed under it before.
    HWND hView = pPane->GetHistoryView().GetSafeHwnd();
    const RECT rcView = testsupport::ClientRectOnScreen(hView);
    const int area = (rcView.right - rcView.left) * (rcView.bottom - rcView.top);
    pDlg->SetForegroundWindow();
    EXPECT_TRUE(testsupport::PumpUntil([&] {
        return testsupport::CountScreenPixels(rcView, [](COLORREF c) { return c == RGB(255, 255, 255); }) * 10 > area * 9;
    })) << "the history view was never drawn";
    EXPECT_GT(DarkPixels(pPane->GetTalkList().GetSafeHwnd()), 50) << "the list of discussions is drawn";
    EXPECT_GT(DarkPixels(pPane->GetLabel().GetSafeHwnd()), 10) << "its label is drawn";
    pPane->GetTalkList().SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    testsupport::PumpMessages();
    EXPECT_GT(DarkPixels(pPane->GetHistoryView().GetSafeHwnd()), 50) << "the discussion's messages are drawn";
    EXPECT_TRUE(testsupport::SaveScreenshot(ShotPath(L"msgcenter-group-talks.bmp"), pDlg->GetSafeHwnd()));
}

TEST(MsgCenterScreens, BothSearchDialogs)
{
    testsupport::ResourceModuleScope res;
    int dark = 0;
    {
        CMsgSearchDlg dlg;
        dlg.SetPerson(L"alice");
        ModalScript script([&](HWND h) {
            SetItemText(h, IDC_SEARCH_TEXT, L"budget");
            Click(h, IDC_SEARCH_DATE_RANGE);
            dark = DarkPixels(h);
            testsupport::SaveScreenshot(ShotPath(L"msgcenter-search.bmp"), h);
            ::SendMessageW(h, WM_COMMAND, IDCANCEL, 0);
        });
        dlg.DoModal();
        EXPECT_EQ(1, script.Shown());
        EXPECT_GT(dark, 50);
    }
    dark = 0;
    CUserSearchDlg dlg;
    ModalScript script([&](HWND h) {
        SetItemText(h, IDC_SEARCH_PERSON, L"alice;bob");
        dark = DarkPixels(h);
        testsupport::SaveScreenshot(ShotPath(L"msgcenter-persons.bmp"), h);
        ::SendMessageW(h, WM_COMMAND, IDCANCEL, 0);
    });
    dlg.DoModal();
    EXPECT_EQ(1, script.Shown());
    EXPECT_GT(dark, 50);
}

} // namespace
