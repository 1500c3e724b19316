#include "msgcenter/manager/CMsgMgrViews.h"
#include "msgcenter/manager/CQorMsgBaseDlg.h"
#include "msgcenter/historyviewer/CQorMsgGroupDisDlg.h"
#include "msgcenter/manager/CQorMsgManagerDlg.h"
#include "msgcenter/grouptalk/CQorMsgMeetingDlg.h"
#include "msgcenter/manager/CQorMsgORGTreeDlg.h"
#include "msgcenter/manager/CQorMsgWebMsgDlg.h"
#include "msgcenter/MsgCenterMessages.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"

namespace {

bool HasWindow(CWnd* pWnd) { return pWnd && ::IsWindow(pWnd->GetSafeHwnd()); }

void ShowIfWindow(CWnd* pWnd, int nCmd)
{
    if (HasWindow(pWnd))
        pWnd->ShowWindow(nCmd);
}

const UINT kViewButtonTexts[] = {IDS_MSG_VIEW_ORG, IDS_MSG_VIEW_FOLDERS, IDS_MSG_USER_VIEWS};

} // namespace

void CMsgMgrViews::ShowOrgView(bool bUserViews)
{
    CQorMsgORGTreeDlg* pOrg = m_dlg.orgPane;
    if (!pOrg)
        return;
    pOrg->hideComboInViewMode = bUserViews;
    m_dlg.m_tree.ShowWindow(SW_HIDE);
    if (HasWindow(pOrg)) {
        if (bUserViews)
            pOrg->ShowViewTree();
        else
            pOrg->ShowOrgTree();
        pOrg->ShowWindow(SW_SHOW);
    }
    EnableTabs(true);
    SelectTab(1);
    m_dlg.localMode = 1;
    ShowHistoryViewer();
    SetViewButtonState(bUserViews ? 2 : 0);
    m_dlg.orgViewActive = 1;
    m_dlg.UpdateWindow();
    m_dlg.Invalidate();
}

bool CMsgMgrViews::IsUserViewShown() const
{
    const CQorMsgORGTreeDlg* pOrg = m_dlg.orgPane;
    if (!pOrg || pOrg->m_nMode != CQorMsgORGTreeDlg::kModeView)
        return false;
    const CQorViewTree* pTree = pOrg->GetCurrentTree();
    return pTree && ::IsWindow(pTree->GetSafeHwnd()) && pTree->GetCount() > 0;
}

void CMsgMgrViews::ShowFolderView()
{
    if (m_dlg.orgPane) {
        m_dlg.orgPane->hideComboInViewMode = false;
        ShowIfWindow(m_dlg.orgPane, SW_HIDE);
    }
    m_dlg.m_tree.ShowWindow(SW_SHOW);
    EnableTabs(false);
    SelectTab(0);
    m_dlg.localMode = 1;
    ShowBasePane();
    SetViewButtonState(1);
    m_dlg.orgViewActive = 0;
    if (m_dlg.receivedRoot)
        m_dlg.m_tree.SelectItem(m_dlg.receivedRoot);
    m_dlg.UpdateWindow();
    m_dlg.Invalidate();
}

void CMsgMgrViews::EnableTabs(bool bEnable)
{
    for (CxRadioButton* pTab : m_dlg.m_tabGroup) {
        if (HasWindow(pTab))
            pTab->EnableWindow(bEnable);
    }
}

void CMsgMgrViews::SelectTab(int nTab)
{
    for (size_t i = 0; i < m_dlg.m_tabGroup.size(); ++i) {
        if (HasWindow(m_dlg.m_tabGroup[i]))
            m_dlg.m_tabGroup[i]->SetChecked(static_cast<int>(i) + 1 == nTab);
    }
}

void CMsgMgrViews::OnLocalTab()
{
    m_dlg.localMode = 1;
    SelectTab(1);
    ShowHistoryViewer();
    OpenLocalHistoryForSelection();
}

void CMsgMgrViews::OnRoamingTab()
{
    m_dlg.localMode = 0;
    SelectTab(2);
    ShowWebPane();
    OpenRoamingHistoryForSelection();
}

void CMsgMgrViews::ShowPanes(CWnd* pShow, CWnd* pHide1, CWnd* pHide2)
{
    ShowIfWindow(pHide1, SW_HIDE);
    ShowIfWindow(pHide2, SW_HIDE);
    // The group-talk pane shares the pane area with the three.
    if (pShow != m_dlg.meetingPane)
        ShowIfWindow(m_dlg.meetingPane, SW_HIDE);
    ShowIfWindow(pShow, SW_SHOW);
}

void CMsgMgrViews::ShowHistoryViewer() { ShowPanes(m_dlg.historyViewer, m_dlg.basePane, m_dlg.webPane); }
void CMsgMgrViews::ShowBasePane() { ShowPanes(m_dlg.basePane, m_dlg.webPane, m_dlg.historyViewer); }
void CMsgMgrViews::ShowWebPane() { ShowPanes(m_dlg.webPane, m_dlg.historyViewer, m_dlg.basePane); }

void CMsgMgrViews::OpenLocalHistoryForSelection()
{
    CQorMsgORGTreeDlg* pOrg = m_dlg.orgPane;
    if (!HasWindow(pOrg))
        return;
    CString strId;
    int nKind = 0;
    if (!pOrg->GetSelectedEntry(strId, nKind) || !HasWindow(m_dlg.historyViewer))
        return;
    m_dlg.historyViewer->SendMessage(WM_MSGCENTER_SHOW_PERSON, 0, reinterpret_cast<LPARAM>(&strId));
}

void CMsgMgrViews::OpenRoamingHistoryForSelection()
{
    CQorMsgORGTreeDlg* pOrg = m_dlg.orgPane;
    if (!HasWindow(pOrg) || (pOrg->m_nMode != 1 && pOrg->m_nMode != 2) || !HasWindow(m_dlg.webPane))
        return;
    CString strId;
    int nKind = 0;
    if (!pOrg->HasSelection()) {
        m_dlg.webPane->SendMessage(WM_MSGCENTER_SHOW_PERSON, 0, 0);
        return;
    }
    if (!pOrg->GetSelectedEntry(strId, nKind))
        return;
    const bool bPerson = nKind == CQorMsgORGTreeDlg::kEntryPerson;
    m_dlg.webPane->SendMessage(WM_MSGCENTER_SHOW_PERSON, 0, bPerson ? reinterpret_cast<LPARAM>(&strId) : 0);
}

void CMsgMgrViews::InitViewButton()
{
    CxButtonMenu& button = m_dlg.m_viewButton;
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
    CxButtonMenu& button = m_dlg.m_viewButton;
    if (!HasWindow(&button))
        return;
    button.SetWindowText(CQorViewBaseFun::LoadStringW(kViewButtonTexts[nIndex]));
    button.SetIconIndex(nIndex);
    RECT rc;
    button.GetWindowRect(&rc);
    m_dlg.ScreenToClient(&rc);
    m_dlg.InvalidateRect(&rc);
}
