#include "msgcenter/manager/CMsgMgrViews.h"
#include "common/ChildRect.h"
#include "framework/CDataExchange.h"
#include "framework/CRichEditCtrl.h"
#include "framework/CWaitCursor.h"
#include "msgcenter/grouptalk/CQorMsgMeetingDlg.h"
#include "msgcenter/historyviewer/CQorMsgGroupDisDlg.h"
#include "msgcenter/manager/CMsgFolderTree.h"
#include "msgcenter/manager/CMsgMgrRequest.h"
#include "msgcenter/manager/CMsgSearchCriteria.h"
#include "msgcenter/manager/CQorMsgBaseDlg.h"
#include "msgcenter/manager/CQorMsgORGTreeDlg.h"
#include "msgcenter/manager/CQorMsgWebMsgDlg.h"
#include "msgcenter/manager/IMsgMgrViewsOwner.h"
#include "msgcenter/MsgCenterMessages.h"
#include "msgcenter/MsgDb.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"

namespace {

bool HasWindow(const CWnd* pWnd) { return pWnd && ::IsWindow(pWnd->GetSafeHwnd()); }

void ShowIfWindow(CWnd* pWnd, int nCmd)
{
    if (HasWindow(pWnd))
        pWnd->ShowWindow(nCmd);
}

void HideIfWindow(CWnd* pWnd) { ShowIfWindow(pWnd, SW_HIDE); }

void MoveOnto(CWnd* pWnd, const RECT& rc)
{
    if (HasWindow(pWnd))
        pWnd->MoveWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

// A pane made on the manager: the object when missing, its window when missing, placed on rc.
template <class TPane, class SetOwner>
TPane* EnsurePane(TPane*& pPane, UINT nTemplate, CWnd* pParent, const RECT& rc, SetOwner setOwner)
{
    if (!pPane)
        pPane = new TPane(nullptr);
    setOwner(pPane);
    // The panes' templates hold rich edit controls, whose window class exists only once the
    // rich edit library is loaded; the program loads it at start, but the manager must not rely on that.
    CRichEditCtrl::LoadRichEdit();
    if (!HasWindow(pPane))
        pPane->Create(nTemplate, pParent);
    MoveOnto(pPane, rc);
    return pPane;
}

template <class TPane>
void DestroyPane(TPane*& pPane)
{
    if (!pPane)
        return;
    if (HasWindow(pPane))
        pPane->DestroyWindow();
    delete pPane;
    pPane = nullptr;
}

const UINT kViewButtonTexts[] = {IDS_MSG_VIEW_ORG, IDS_MSG_VIEW_FOLDERS, IDS_MSG_USER_VIEWS};

} // namespace

// Controls and panes

void CMsgMgrViews::BindControls(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_MGR_TAB_LOCAL, m_tabLocal);
    DDX_Control(pDX, IDC_MGR_TAB_ROAM, m_tabRoam);
    DDX_Control(pDX, IDC_MGR_VIEW_BUTTON, m_viewButton);
}

void CMsgMgrViews::InitTabs()
{
    m_tabLocal.SetSkin(L"xMsgManageLocal");
    m_tabRoam.SetSkin(L"xMsgManageRoam");
    m_tabLocal.SetTextColor(L"c.font.normal");
    m_tabRoam.SetTextColor(L"c.font.normal");
    m_tabGroup = {&m_tabLocal, &m_tabRoam};
}

bool CMsgMgrViews::ControlRect(UINT nID, RECT* pRect) const
{
    return GetChildRect(m_owner.FrameWnd().GetSafeHwnd(), nID, pRect);
}

void CMsgMgrViews::CreatePanes()
{
    CWnd* pFrame = &m_owner.FrameWnd();
    IMsgMgrHost* pHost = &m_owner.PaneHost();
    RECT rc = {};
    ControlRect(IDC_MGR_PANE_AREA, &rc);
    EnsurePane(basePane, IDD_MSG_BASE, pFrame, rc, [pHost](CQorMsgBaseDlg* p) { p->SetOwner(pHost); });
    EnsurePane(meetingPane, CQorMsgMeetingDlg::IDD, pFrame, rc, [pHost](CQorMsgMeetingDlg* p) { p->SetOwner(pHost); });
    EnsurePane(historyViewer, CQorMsgGroupDisDlg::IDD, pFrame, rc,
               [pHost](CQorMsgGroupDisDlg* p) { p->SetOwner(pHost); });
}

void CMsgMgrViews::CreateOrgPane()
{
    RECT rcTree = {};
    ControlRect(IDC_MGR_TREE, &rcTree);
    m_folders.Tree().ShowWindow(SW_HIDE);
    IMsgMgrHost* pHost = &m_owner.PaneHost();
    EnsurePane(orgPane, IDD_MSG_ORGTREE, &m_owner.FrameWnd(), rcTree, [pHost](CQorMsgORGTreeDlg* p) {
        p->SetViewMgr(CQorViewMgr::Instance());
        p->SetOwner(pHost);
    });
}

void CMsgMgrViews::CreateWebPane()
{
    RECT rcArea = {};
    ControlRect(IDC_MGR_PANE_AREA, &rcArea);
    EnsurePane(webPane, IDD_WEB_MSG, &m_owner.FrameWnd(), rcArea, [](CQorMsgWebMsgDlg*) {});
    HideIfWindow(webPane);
}

void CMsgMgrViews::RepositionPanes()
{
    RECT rcArea, rcTree;
    if (ControlRect(IDC_MGR_PANE_AREA, &rcArea)) {
        MoveOnto(basePane, rcArea);
        MoveOnto(meetingPane, rcArea);
        MoveOnto(historyViewer, rcArea);
        MoveOnto(webPane, rcArea);
    }
    if (ControlRect(IDC_MGR_TREE, &rcTree))
        MoveOnto(orgPane, rcTree);
}

void CMsgMgrViews::DestroyPanes()
{
    DestroyPane(basePane);
    DestroyPane(meetingPane);
    DestroyPane(historyViewer);
    DestroyPane(orgPane);
    // The web pane deletes itself with its window, which goes with the manager's.
    webPane = nullptr;
}

// Views

void CMsgMgrViews::UpdateFrame()
{
    m_owner.FrameWnd().UpdateWindow();
    m_owner.FrameWnd().Invalidate();
}

void CMsgMgrViews::ShowOrgView(bool bUserViews)
{
    CQorMsgORGTreeDlg* pOrg = orgPane;
    if (!pOrg)
        return;
    pOrg->SetHideComboInViewMode(bUserViews);
    m_folders.Tree().ShowWindow(SW_HIDE);
    if (HasWindow(pOrg)) {
        if (bUserViews)
            pOrg->ShowViewTree();
        else
            pOrg->ShowOrgTree();
        pOrg->ShowWindow(SW_SHOW);
    }
    EnableTabs(true);
    SelectTab(1);
    localMode = 1;
    ShowHistoryViewer();
    SetViewButtonState(bUserViews ? 2 : 0);
    orgViewActive = 1;
    UpdateFrame();
}

bool CMsgMgrViews::IsUserViewShown() const
{
    const CQorMsgORGTreeDlg* pOrg = orgPane;
    if (!pOrg || pOrg->GetMode() != CQorMsgORGTreeDlg::kModeView)
        return false;
    const CQorViewTree* pTree = pOrg->GetCurrentTree();
    return pTree && ::IsWindow(pTree->GetSafeHwnd()) && pTree->GetCount() > 0;
}

void CMsgMgrViews::ShowFolderView()
{
    if (orgPane) {
        orgPane->SetHideComboInViewMode(false);
        HideIfWindow(orgPane);
    }
    m_folders.Tree().ShowWindow(SW_SHOW);
    EnableTabs(false);
    SelectTab(0);
    localMode = 1;
    ShowBasePane();
    SetViewButtonState(1);
    orgViewActive = 0;
    if (m_folders.GetReceivedRoot())
        m_folders.Tree().SelectItem(m_folders.GetReceivedRoot());
    UpdateFrame();
}

void CMsgMgrViews::EnableTabs(bool bEnable)
{
    for (CxRadioButton* pTab : m_tabGroup) {
        if (HasWindow(pTab))
            pTab->EnableWindow(bEnable);
    }
}

void CMsgMgrViews::SelectTab(int nTab)
{
    for (size_t i = 0; i < m_tabGroup.size(); ++i) {
        if (HasWindow(m_tabGroup[i]))
            m_tabGroup[i]->SetChecked(static_cast<int>(i) + 1 == nTab);
    }
}

void CMsgMgrViews::OnLocalTab()
{
    localMode = 1;
    SelectTab(1);
    ShowHistoryViewer();
    OpenLocalHistoryForSelection();
}

void CMsgMgrViews::OnRoamingTab()
{
    localMode = 0;
    SelectTab(2);
    ShowWebPane();
    OpenRoamingHistoryForSelection();
}

void CMsgMgrViews::ShowPanes(CWnd* pShow, CWnd* pHide1, CWnd* pHide2)
{
    HideIfWindow(pHide1);
    HideIfWindow(pHide2);
    // The group-talk pane shares the pane area with the three.
    if (pShow != meetingPane)
        HideIfWindow(meetingPane);
    ShowIfWindow(pShow, SW_SHOW);
}

void CMsgMgrViews::ShowHistoryViewer() { ShowPanes(historyViewer, basePane, webPane); }
void CMsgMgrViews::ShowBasePane() { ShowPanes(basePane, webPane, historyViewer); }
void CMsgMgrViews::ShowWebPane() { ShowPanes(webPane, historyViewer, basePane); }

void CMsgMgrViews::OpenLocalHistoryForSelection()
{
    CQorMsgORGTreeDlg* pOrg = orgPane;
    if (!HasWindow(pOrg))
        return;
    CString strId;
    int nKind = 0;
    if (!pOrg->GetSelectedEntry(strId, nKind) || !HasWindow(historyViewer))
        return;
    historyViewer->SendMessage(WM_MSGCENTER_SHOW_PERSON, 0, reinterpret_cast<LPARAM>(&strId));
}

void CMsgMgrViews::OpenRoamingHistoryForSelection()
{
    CQorMsgORGTreeDlg* pOrg = orgPane;
    if (!HasWindow(pOrg) || (pOrg->GetMode() != 1 && pOrg->GetMode() != 2) || !HasWindow(webPane))
        return;
    CString strId;
    int nKind = 0;
    if (!pOrg->HasSelection()) {
        webPane->SendMessage(WM_MSGCENTER_SHOW_PERSON, 0, 0);
        return;
    }
    if (!pOrg->GetSelectedEntry(strId, nKind))
        return;
    const bool bPerson = nKind == CQorMsgORGTreeDlg::kEntryPerson;
    webPane->SendMessage(WM_MSGCENTER_SHOW_PERSON, 0, bPerson ? reinterpret_cast<LPARAM>(&strId) : 0);
}

void CMsgMgrViews::InitViewButton()
{
    CxButtonMenu& button = m_viewButton;
    button.SetButtonMenu(IDR_MENU_MSG_VIEWS);
    button.SetTransparent(TRUE);
    button.SetSkin(L"xMsgManageViewListButton");
    button.SetTextFont(L"f.user.name");
    RECT rc = {};
    if (HasWindow(&button))
        button.GetClientRect(&rc);
    button.SetMenuItemSize(30, rc.right - rc.left - 18);
    button.SetMenuItemImage(ID_MSG_VIEW_ORG,
                            L"file='i.button.msg.manager.view.icons' source='0,0,20,20' align='2' ");
    button.SetMenuItemImage(ID_MSG_VIEW_FOLDERS,
                            L"file='i.button.msg.manager.view.icons' source='20,0,40,20' align='2' ");
    button.SetMenuItemImage(ID_MSG_VIEW_USER_VIEWS,
                            L"file='i.button.msg.manager.view.icons' source='40,0,60,20' align='2' ");
}

void CMsgMgrViews::SetViewButtonState(int nIndex)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(sizeof(kViewButtonTexts) / sizeof(kViewButtonTexts[0])))
        return;
    CxButtonMenu& button = m_viewButton;
    if (!HasWindow(&button))
        return;
    button.SetWindowText(CQorViewBaseFun::LoadStringW(kViewButtonTexts[nIndex]));
    button.SetIconIndex(nIndex);
    RECT rc;
    button.GetWindowRect(&rc);
    m_owner.FrameWnd().ScreenToClient(&rc);
    m_owner.FrameWnd().InvalidateRect(&rc);
}

// Requests

void CMsgMgrViews::OpenRequest(const CMsgMgrRequest& request)
{
    CFolderTreeCtrl& tree = m_folders.Tree();
    tree.SendMessage(WM_SETREDRAW, FALSE, 0);
    m_folders.Rebuild();
    switch (request.kind) {
    case CMsgMgrRequest::kUserViews:
        // The user's views when there are any; otherwise the received messages, so that the
        // window never opens on an empty page whose only way out is a menu.
        ShowOrgView(true);
        if (!IsUserViewShown())
            ShowFolderView();
        break;
    case CMsgMgrRequest::kUnreadByRecipients: {
        ShowFolderView();
        HTREEITEM hUnread = m_folders.FindRootItemByImage(nullptr, CMsgFolderTree::kUnreadByRecipients);
        if (!hUnread)
            hUnread = m_folders.AppendNode(nullptr, CQorViewBaseFun::LoadStringW(IDS_MSG_UNREAD_BY_RECIPIENTS),
                                           CMsgFolderTree::kUnreadByRecipients, 6);
        tree.SelectItem(hUnread);
        break;
    }
    case CMsgMgrRequest::kGroupTalk:
        ShowFolderView();
        m_folders.SelectTalk(request.talkId);
        break;
    case CMsgMgrRequest::kPerson: {
        ShowFolderView();
        CStringArray ids, names;
        ids.Add(request.personId);
        names.Add(request.personName);
        m_folders.ListPersons(ids, names);
        break;
    }
    }
    tree.SendMessage(WM_SETREDRAW, TRUE, 0);
    tree.Invalidate();
}

// Folder-tree nodes

void CMsgMgrViews::LoadSearchResults()
{
    const CMsgSearchCriteria& c = m_owner.GetSearchCriteria();
    basePane->ShowSearchResults(c.keyword, c.person, c.firstDate, c.lastDate);
}

void CMsgMgrViews::ShowSelectedNode()
{
    CMsgFolderTree::Node node;
    if (!m_folders.GetSelectedNode(node))
        return;
    CWaitCursor wait;
    switch (node.nImage) {
    case CMsgFolderTree::kPerson:
        HideIfWindow(meetingPane);
        HideIfWindow(historyViewer);
        // An index outside the person list (a stale node) shows nothing.
        if (basePane && m_folders.HasPersonAt(node.nData)) {
            basePane->ShowWindow(SW_SHOW);
            m_folders.SetCurrentPersonId(m_folders.PersonIdAt(node.nData));
            basePane->ShowTalkHistory(m_folders.GetCurrentPersonId());
        }
        break;
    case CMsgFolderTree::kSearchResults:
    case CMsgFolderTree::kUnreadByRecipients:
    case CMsgFolderTree::kUserFolders:
    case CMsgFolderTree::kUserFolder:
        HideIfWindow(meetingPane);
        HideIfWindow(historyViewer);
        if (!basePane)
            break;
        basePane->ShowWindow(SW_SHOW);
        if (node.nImage == CMsgFolderTree::kSearchResults)
            LoadSearchResults();
        else if (node.nImage == CMsgFolderTree::kUnreadByRecipients)
            basePane->ShowReadState();
        else if (node.nImage == CMsgFolderTree::kUserFolders) {
            basePane->ShowUserFolder(CString());
            m_folders.LoadUserFolders(m_folders.GetUserFolderRoot());
        } else
            basePane->ShowUserFolder(m_folders.Tree().GetItemText(node.hItem));
        break;
    case CMsgFolderTree::kTalk: {
        CString talkId = m_folders.GetTalkIdByViewId(static_cast<int>(node.nData));
        HideIfWindow(basePane);
        HideIfWindow(meetingPane);
        if (HasWindow(historyViewer)) {
            historyViewer->ShowWindow(SW_SHOW);
            historyViewer->OpenTalkHistory(talkId);
        }
        break;
    }
    case CMsgFolderTree::kReceived:
    case CMsgFolderTree::kSent:
        HideIfWindow(meetingPane);
        HideIfWindow(historyViewer);
        if (HasWindow(basePane)) {
            basePane->ShowWindow(SW_SHOW);
            basePane->ShowFolderMessages(static_cast<int>(node.nData));
        }
        break;
    case CMsgFolderTree::kTalkRoot:
        // The discussion root lists the talks in the group-talk pane, where several can be
        // looked through and deleted at once; the list is read each time it is shown.
        HideIfWindow(basePane);
        HideIfWindow(historyViewer);
        if (HasWindow(meetingPane)) {
            // The discussions the tree lists under the root, of both kinds.
            meetingPane->SetTalkKind(MsgDb::kTalkDiscussionOther, MsgDb::kTalkDiscussion);
            meetingPane->ShowWindow(SW_SHOW);
            meetingPane->LoadTalkList();
        }
        break;
    default: break;
    }
}

void CMsgMgrViews::RefreshSelectedNode()
{
    CMsgFolderTree::Node node;
    if (!m_folders.GetSelectedNode(node))
        return;
    CWaitCursor wait;
    if (node.nImage == CMsgFolderTree::kTalkRoot) {
        if (HasWindow(meetingPane))
            meetingPane->LoadTalkList();
        return;
    }
    if (!basePane)
        return;
    switch (node.nImage) {
    case CMsgFolderTree::kPerson:
        if (m_folders.HasPersonAt(node.nData))
            basePane->ShowTalkHistory(m_folders.PersonIdAt(node.nData));
        break;
    case CMsgFolderTree::kSearchResults: LoadSearchResults(); break;
    case CMsgFolderTree::kUnreadByRecipients: basePane->ShowReadState(); break;
    case CMsgFolderTree::kUserFolders:
    case CMsgFolderTree::kUserFolder:
        HideIfWindow(meetingPane);
        if (HasWindow(basePane))
            basePane->ShowWindow(SW_SHOW);
        if (node.nImage == CMsgFolderTree::kUserFolders) {
            basePane->ShowUserFolder(CString());
            m_folders.LoadUserFolders(m_folders.GetUserFolderRoot());
        } else {
            basePane->ShowUserFolder(m_folders.Tree().GetItemText(node.hItem));
        }
        break;
    case CMsgFolderTree::kReceived:
    case CMsgFolderTree::kSent: basePane->ShowFolderMessages(static_cast<int>(node.nData)); break;
    default: break;
    }
}
