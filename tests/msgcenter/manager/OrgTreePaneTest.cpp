// The organisation pane against the view library's organisation data, driven through a small
// host in place of the manager window (the pane knows its owner only as IMsgMgrHost).
#include "framework/CRichEditCtrl.h"
#include "msgcenter/historyviewer/CQorMsgGroupDisDlg.h"
#include "msgcenter/manager/CQorMsgORGTreeDlg.h"
#include "msgcenter/IMsgMgrHost.h"
#include "msgcenter/MsgCenterMessages.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewMessages.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/msgcenter/MsgCenterFixture.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The manager as the pane sees it: a window, the history viewer and a web pane (a plain
// window that notes the person it was sent).
class TestHost : public IMsgMgrHost {
public:
    CWnd* GetHostWnd() override { return &m_wnd; }
    BOOL IsOrgViewActive() const override { return TRUE; }
    BOOL IsLocalMode() const override { return m_bLocal; }
    void ShowHistoryViewer() override { ++m_nShowViewer; }
    void RefreshCurrentNode() override {}
    void OnSearchMessages() override {}
    CQorMsgBaseDlg* GetBasePane() override { return nullptr; }
    CQorMsgGroupDisDlg* GetHistoryViewer() override { return &m_viewer; }
    CWnd* GetWebPane() override { return &m_web; }
    bool SendFilesToUsers(const CStringArray&, const CStringArray&, const CStringArray&) override { return false; }
    bool QuickSend(WPARAM) override { return false; }

    CWnd m_wnd;
    CQorMsgGroupDisDlg m_viewer;
    CQorMsgGroupDisDlg m_web; // stands in for the web pane: it keeps the person it was sent
    BOOL m_bLocal = TRUE;
    int m_nShowViewer = 0;
};

CQorUserItem Entry(int type, const wchar_t* id, const wchar_t* name)
{
    CQorUserItem e;
    e.nType = type;
    e.strId = id;
    e.strName = name;
    return e;
}

class OrgTreePaneTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_res.IsLoaded());
        qorview_test::ClearCalls();
        CQorViewMgr* pMgr = CQorViewMgr::Instance();
        pMgr->m_UserList.RemoveAll();
        pMgr->m_arRecentContacts.RemoveAll();
        pMgr->m_UserList.AddView(L"org1", 1, L"Korvel Ltd");
        pMgr->m_UserList.AddView(L"grp1", 2, L"Groups");
        pMgr->m_UserList.AddView(L"odd", 5, L"Skipped");
        pMgr->m_UserList.AddOrgEntry(L"org1", L"", Entry(CQorUserItem::kGroup, L"sales", L"Sales"));
        pMgr->m_UserList.AddOrgEntry(L"org1", L"", Entry(CQorUserItem::kGroup, L"it", L"IT"));
        pMgr->m_UserList.AddOrgEntry(L"org1", L"sales", Entry(CQorUserItem::kPerson, L"alice", L"Alice"));
        pMgr->m_UserList.AddOrgEntry(L"org1", L"sales", Entry(CQorUserItem::kPerson, L"bob", L"Bob"));
        pMgr->m_UserList.AddOrgEntry(L"grp1", L"", Entry(CQorUserItem::kGroup, L"team", L"Team"));
        pMgr->m_arRecentContacts.Add(L"bob");
        pMgr->m_arRecentContacts.Add(L"alice");

        CRichEditCtrl::LoadRichEdit(); // the viewer's template holds a rich edit
        m_host.m_wnd.CreateEx(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 400, 500}, nullptr, 0);
        ASSERT_TRUE(m_host.m_viewer.Create(CQorMsgGroupDisDlg::IDD, &m_host.m_wnd));
        ASSERT_TRUE(m_host.m_web.Create(CQorMsgGroupDisDlg::IDD, &m_host.m_wnd));
        m_pane.SetViewMgr(pMgr);
        m_pane.SetOwner(&m_host);
        ASSERT_TRUE(m_pane.Create(IDD_MSG_ORGTREE, &m_host.m_wnd));
        m_pane.MoveWindow(0, 0, 200, 400);
    }
    void TearDown() override
    {
        m_pane.DestroyWindow();
        m_host.m_viewer.DestroyWindow();
        m_host.m_web.DestroyWindow();
        m_host.m_wnd.DestroyWindow();
        CQorViewMgr::Instance()->m_UserList.RemoveAll();
        CQorViewMgr::Instance()->m_arRecentContacts.RemoveAll();
    }
    static std::vector<CString> Texts(CQorViewTree* pTree, HTREEITEM hParent)
    {
        std::vector<CString> out;
        for (HTREEITEM h = hParent ? pTree->GetChildItem(hParent) : pTree->GetRootItem(); h;
             h = pTree->GetNextSiblingItem(h))
            out.push_back(pTree->GetItemText(h));
        return out;
    }

    testsupport::ResourceModuleScope m_res;
    TestHost m_host;
    CQorMsgORGTreeDlg m_pane;
};

TEST_F(OrgTreePaneTest, ComboListsTheOrganisationAndTheViewEntry)
{
    ASSERT_EQ(2, m_pane.GetCombo().GetCount());
    EXPECT_EQ(0, m_pane.GetOrgEntry());
    EXPECT_EQ(1, m_pane.GetViewEntry());
    CString text;
    m_pane.GetCombo().GetLBText(0, text);
    EXPECT_EQ(CString(L"Korvel Ltd"), text);
    m_pane.GetCombo().GetLBText(1, text);
    EXPECT_EQ(CQorViewBaseFun::LoadStringW(IDS_MSG_USER_VIEWS), text);
    EXPECT_EQ(0, m_pane.GetTreeDisplayFlag());
}

TEST_F(OrgTreePaneTest, OrganisationTreeLoadsDepartmentsAndTheirPeopleOnExpanding)
{
    const CString old(L"old");
    m_host.m_viewer.SendMessage(WM_MSGCENTER_SHOW_PERSON, 0, reinterpret_cast<LPARAM>(&old));
    ASSERT_EQ(old, m_host.m_viewer.GetPeerLogin());
    m_pane.ShowOrgTree();
    ASSERT_EQ(CQorMsgORGTreeDlg::kModeOrg, m_pane.GetMode());
    CSysUserTree* pTree = m_pane.GetOrgTree();
    ASSERT_NE(nullptr, pTree);
    EXPECT_TRUE(::IsWindowVisible(pTree->GetSafeHwnd()));
    EXPECT_TRUE(::IsWindowVisible(m_pane.GetCombo().GetSafeHwnd()));
    EXPECT_EQ((std::vector<CString>{L"Sales", L"IT"}), Texts(pTree, nullptr));
    EXPECT_TRUE(m_host.m_viewer.GetPeerLogin().IsEmpty()); // the viewer dropped its person

    HTREEITEM hSales = pTree->GetRootItem();
    pTree->Expand(hSales, TVE_EXPAND);
    EXPECT_EQ((std::vector<CString>{L"Alice", L"Bob"}), Texts(pTree, hSales));
    wchar_t handle[32];
    swprintf(handle, 32, L"%llX", static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(hSales)));
    EXPECT_EQ(std::wstring(L"org1|4|org1|2|sales|Sales|") + handle,
              qorview_test::LastArgs(L"CQorViewMgr::ReqLoadGroupChild"));
    // A second expansion asks nothing more: the members are there.
    pTree->Expand(hSales, TVE_COLLAPSE);
    pTree->Expand(hSales, TVE_EXPAND);
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::ReqLoadGroupChild"));

    // The selected person is the pane's entry.
    pTree->SelectItem(pTree->GetChildItem(hSales));
    CString id;
    int type = 0;
    ASSERT_TRUE(m_pane.GetSelectedEntry(id, type));
    EXPECT_EQ(CString(L"alice"), id);
    EXPECT_EQ(static_cast<int>(CQorMsgORGTreeDlg::kEntryPerson), type);
}

TEST_F(OrgTreePaneTest, ViewTreeSelectsTheNewestRecentContactAndShowsTheirHistory)
{
    m_pane.SetHideComboInViewMode(true);
    m_pane.ShowViewTree();
    ASSERT_EQ(CQorMsgORGTreeDlg::kModeView, m_pane.GetMode());
    CMyViewTree* pTree = m_pane.GetViewTree();
    ASSERT_NE(nullptr, pTree);
    EXPECT_EQ((std::vector<CString>{CQorViewBaseFun::LoadStringW(IDS_MSG_RECENT_CONTACTS), L"Team"}),
              Texts(pTree, nullptr));
    EXPECT_EQ(CString(L"Bob"), pTree->GetItemText(pTree->GetSelectedItem()));
    EXPECT_EQ(CString(L"bob"), m_host.m_viewer.GetPeerLogin());
    EXPECT_FALSE(::IsWindowVisible(m_pane.GetCombo().GetSafeHwnd()));
    // The tree takes the combo's place.
    RECT rcTree, rcCombo;
    pTree->GetWindowRect(&rcTree);
    m_pane.GetCombo().GetWindowRect(&rcCombo);
    EXPECT_EQ(rcCombo.top, rcTree.top);
}

TEST_F(OrgTreePaneTest, ForwardedSelectionGoesToTheViewerOrTheWebPane)
{
    CString person = L"carl";
    m_host.m_bLocal = TRUE;
    m_pane.SendMessage(WM_MSGCENTER_SHOW_PERSON, 0, reinterpret_cast<LPARAM>(&person));
    EXPECT_EQ(CString(L"carl"), m_host.m_viewer.GetPeerLogin());
    EXPECT_TRUE(m_host.m_web.GetPeerLogin().IsEmpty());
    m_host.m_bLocal = FALSE;
    person = L"dora";
    m_pane.SendMessage(WM_MSGCENTER_SHOW_PERSON, 0, reinterpret_cast<LPARAM>(&person));
    EXPECT_EQ(CString(L"dora"), m_host.m_web.GetPeerLogin());
    EXPECT_EQ(CString(L"carl"), m_host.m_viewer.GetPeerLogin());
}

TEST_F(OrgTreePaneTest, LibraryRequestsWithoutTheirObjectDoNothing)
{
    m_pane.SendMessage(WM_MSGCENTER_OPEN_CHAT, 0, 0);
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewMgr::NewChatDlg"));
    CQorUserItem user = Entry(CQorUserItem::kPerson, L"alice", L"Alice");
    m_pane.SendMessage(WM_MSGCENTER_OPEN_CHAT, 0, reinterpret_cast<LPARAM>(&user));
    EXPECT_EQ(std::wstring(L"alice|Alice|||1|0"), qorview_test::LastArgs(L"CQorViewMgr::NewChatDlg"));

    CString view = L"org1";
    m_pane.SendMessage(WM_MSGCENTER_LOAD_VIEW, reinterpret_cast<WPARAM>(&view), 0);
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewMgr::ReqLoadViewChild"));
    m_pane.SendMessage(WM_MSGCENTER_LOAD_VIEW, reinterpret_cast<WPARAM>(&view), reinterpret_cast<LPARAM>(&m_pane));
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::ReqLoadViewChild"));

    // An expanding request from a tree that is not the pane's is ignored.
    CSysUserTree stranger;
    m_pane.SendMessage(WM_QORVIEW_TREE_EXPANDING, 1, reinterpret_cast<LPARAM>(&stranger));
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewMgr::ReqLoadGroupChild"));
}

TEST_F(OrgTreePaneTest, WithoutTheirViewsTheShowCommandsDoNothing)
{
    CQorViewMgr::Instance()->m_UserList.RemoveAll();
    CQorMsgORGTreeDlg empty;
    empty.SetViewMgr(CQorViewMgr::Instance());
    empty.SetOwner(&m_host);
    ASSERT_TRUE(empty.Create(IDD_MSG_ORGTREE, &m_host.m_wnd));
    EXPECT_EQ(-1, empty.GetOrgEntry());
    EXPECT_EQ(-1, empty.GetViewEntry());
    empty.ShowOrgTree();
    empty.ShowViewTree();
    EXPECT_EQ(CQorMsgORGTreeDlg::kModeNone, empty.GetMode());
    EXPECT_EQ(nullptr, empty.GetOrgTree());
    EXPECT_EQ(nullptr, empty.GetViewTree());
    CString id;
    int type = 0;
    EXPECT_FALSE(empty.GetSelectedEntry(id, type));
    empty.DestroyWindow();
}

TEST_F(OrgTreePaneTest, ZeroHeightSizeChangesNothing)
{
    m_pane.ShowOrgTree();
    RECT before, after;
    m_pane.GetOrgTree()->GetWindowRect(&before);
    m_pane.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(150, 0));
    m_pane.GetOrgTree()->GetWindowRect(&after);
    EXPECT_TRUE(::EqualRect(&before, &after));
}

} // namespace
