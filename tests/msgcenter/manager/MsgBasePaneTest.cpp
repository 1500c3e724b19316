// The base pane: its toolbar, which list it shows, and its resizing.
#include "msgcenter/manager/CQorMsgBaseDlg.h"
#include "msgcenter/content/CQorMsgContentDlg.h"
#include "msgcenter/titlelist/CQorMsgTitleDlg.h"
#include "msgcenter/contacthistory/CQorMsgTitleExDlg.h"
#include "msgcenter/MsgCenterMessages.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/msgcenter/MsgCenterFixture.h"
#include <gtest/gtest.h>

using namespace msgcenter_test;

namespace {

class MsgBasePaneTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_res.IsLoaded());
        qorview_test::ClearCalls();
        m_host.CreateEx(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 700, 600}, nullptr, 0);
        ASSERT_TRUE(m_pane.Create(IDD_MSG_BASE, &m_host));
        m_pane.ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        m_pane.DestroyWindow();
        m_host.DestroyWindow();
    }
    RECT ChildRect(UINT id) const
    {
        RECT rc;
        ::GetWindowRect(::GetDlgItem(m_pane.GetSafeHwnd(), static_cast<int>(id)), &rc);
        ::MapWindowPoints(nullptr, m_pane.GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }

    testsupport::ResourceModuleScope m_res;
    CWnd m_host;
    CQorMsgBaseDlg m_pane;
};

TEST_F(MsgBasePaneTest, ToolbarOffersRefreshDeleteExportSearchInThatOrder)
{
    ASSERT_EQ(4, m_pane.GetToolbar().GetItemCount());
    const int ids[] = {kMsgCmdRefresh, kMsgCmdDelete, kMsgCmdExport, kMsgCmdSearch};
    const UINT texts[] = {IDS_MSG_TOOL_REFRESH, IDS_MSG_TOOL_DELETE, IDS_MSG_TOOL_EXPORT, IDS_MSG_TOOL_SEARCH};
    for (int i = 0; i < 4; ++i) {
        const CxToolbar::Item* p = m_pane.GetToolbar().GetItemAt(i);
        ASSERT_NE(nullptr, p);
        EXPECT_EQ(ids[i], p->nId);
        EXPECT_EQ(CQorViewBaseFun::LoadStringW(texts[i]), p->strText);
        EXPECT_EQ(p->strText, p->strTip);
    }
    EXPECT_EQ(1, m_pane.GetToolbar().GetItemAt(3)->nStyle);
    EXPECT_EQ(CString(L"msg_manage_xToolbarBorder"), m_pane.GetToolbar().GetItemClass());
}

TEST_F(MsgBasePaneTest, ContactHistoryTakesTheListsPlaceUntilALoaderRuns)
{
    m_pane.ShowContactHistory(L"m1", L"2026-03-04 10:20:30", L"bob");
    EXPECT_EQ(1, m_pane.GetContactHistoryMode());
    ASSERT_NE(nullptr, m_pane.GetTitleExPane());
    EXPECT_TRUE(::IsWindowVisible(m_pane.GetTitleExPane()->GetSafeHwnd()));
    EXPECT_FALSE(::IsWindowVisible(m_pane.GetTitlePane()->GetSafeHwnd()));
    CQorMsgTitleExDlg* pFirst = m_pane.GetTitleExPane();
    m_pane.ShowContactHistory(L"m2", L"2026-03-05 10:20:30", L"carl");
    EXPECT_EQ(pFirst, m_pane.GetTitleExPane()); // made once, kept
    m_pane.ShowFolderMessages(2);
    EXPECT_EQ(0, m_pane.GetContactHistoryMode());
    EXPECT_FALSE(::IsWindowVisible(m_pane.GetTitleExPane()->GetSafeHwnd()));
    EXPECT_TRUE(::IsWindowVisible(m_pane.GetTitlePane()->GetSafeHwnd()));
}

// Delete follows the list that is shown: while the contact-history list covers the title list,
// the title list's selected rows are neither asked about nor deleted.
TEST_F(MsgBasePaneTest, DeleteActsOnTheShownListOnly)
{
    TestMsgDb db;
    ASSERT_TRUE(db.IsOpen());
    db.AddMessage(L"m1", 1, 1, L"", L"ann", L"Ann", L"me");
    db.AddMessage(L"m2", 1, 1, L"", L"bob", L"Bob", L"me");
    m_pane.ShowFolderMessages(1);
    ASSERT_EQ(2, m_pane.GetTitlePane()->GetList().GetItemCount());
    m_pane.GetTitlePane()->GetList().SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    qorview_test::SetDefaultMessageBoxAnswer(IDCANCEL);

    m_pane.ShowContactHistory(L"m1", L"2026-03-04 10:20:30", L"ann");
    // Nothing chosen in the contact-history list: its delete has nothing to ask about.
    m_pane.GetTitleExPane()->GetList().SetItemState(-1, 0, LVIS_SELECTED);
    m_pane.DeleteSelected();
    EXPECT_EQ(0, qorview_test::CountCalls(L"QorMessageBox"));

    // Back on the title list the same command asks (and, cancelled, keeps both rows).
    m_pane.ShowTitleList();
    m_pane.DeleteSelected();
    EXPECT_EQ(1, qorview_test::CountCalls(L"QorMessageBox"));
    EXPECT_EQ(2, db.Count(L"SELECT Col_ID FROM qor_Msg"));
    qorview_test::ClearMessageBoxAnswers();
}

TEST_F(MsgBasePaneTest, ResizingMovesOnlyTheLowerPanesRightAndBottomEdges)
{
    RECT lowerBefore = ChildRect(IDC_BASE_LOWER);
    RECT upperBefore = ChildRect(IDC_BASE_UPPER);
    RECT client;
    m_pane.GetClientRect(&client);
    m_pane.MoveWindow(0, 0, client.right + 30, client.bottom + 20);
    RECT lowerAfter = ChildRect(IDC_BASE_LOWER);
    RECT upperAfter = ChildRect(IDC_BASE_UPPER);
    EXPECT_EQ(lowerBefore.left, lowerAfter.left);
    EXPECT_EQ(lowerBefore.top, lowerAfter.top);
    EXPECT_EQ(lowerBefore.right + 30, lowerAfter.right);
    EXPECT_EQ(lowerBefore.bottom + 20, lowerAfter.bottom);
    EXPECT_EQ(upperBefore.bottom, upperAfter.bottom);
    EXPECT_EQ(upperBefore.right + 30, upperAfter.right);
    // The content pane lies on the lower placeholder.
    RECT rcContent;
    m_pane.GetContentPane()->GetWindowRect(&rcContent);
    ::MapWindowPoints(nullptr, m_pane.GetSafeHwnd(), reinterpret_cast<POINT*>(&rcContent), 2);
    EXPECT_TRUE(::EqualRect(&lowerAfter, &rcContent)) << lowerAfter.left << "," << lowerAfter.top << "," << lowerAfter.right << "," << lowerAfter.bottom << " vs " << rcContent.left << "," << rcContent.top << "," << rcContent.right << "," << rcContent.bottom;
}

} // namespace
