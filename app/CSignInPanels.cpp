#include "app/CSignInPanels.h"
#include "app/CKorvelBaseDlg.h"
#include "app/CLoginPanelHost.h"
#include "app/CMsgCenterHost.h"
#include "platform/QorView/CQorViewMgr.h"

BOOL CSignInPanels::ShowLoginPanel(BOOL bAutoStart)
{
    HideOthers(m_dlg.m_pLoginDlg);
    if (!m_dlg.m_pLoginDlg)
        m_dlg.m_pLoginDlg = CLoginPanelHost::CreatePanel(&m_dlg, bAutoStart != FALSE);
    else
        CLoginPanelHost::SetAutoStart(m_dlg.m_pLoginDlg, bAutoStart != FALSE);
    if (!m_dlg.m_pLoginDlg)
        return FALSE;
    PlaceAndShow(m_dlg.m_pLoginDlg, false);

    if (HWND hByName = CLoginPanelHost::GetByNameWnd(m_dlg.m_pLoginDlg))
        ::PostMessageW(hByName, WM_SHOWWINDOW, TRUE, 0);

    // A login name from the command line signs in once, when the panel first shows.
    if (!m_dlg.m_strLoginName.IsEmpty() && m_dlg.m_SignIn.IsAutoLoginPending()) {
        m_dlg.StartLogin(0, 0);
        return FALSE;
    }
    if (bAutoStart && CLoginPanelHost::IsAutoLoginChecked(m_dlg.m_pLoginDlg))
        return CLoginPanelHost::StartLogin(m_dlg.m_pLoginDlg) ? TRUE : FALSE;
    return FALSE;
}

void CSignInPanels::ShowWaitPanel()
{
    HideOthers(m_dlg.m_pLoginWaitDlg);
    if (!m_dlg.m_pLoginWaitDlg)
        m_dlg.m_pLoginWaitDlg = CLoginPanelHost::CreateWaitPanel(&m_dlg);
    if (!m_dlg.m_pLoginWaitDlg)
        return;
    CLoginPanelHost::SetWaitLoginStrings(m_dlg.m_pLoginWaitDlg, m_dlg.m_strLoginName, m_dlg.m_strServerAddr);
    CLoginPanelHost::UpdateWaitLogo(m_dlg.m_pLoginWaitDlg, CString());
    PlaceAndShow(m_dlg.m_pLoginWaitDlg, true);
    ::InvalidateRect(m_dlg.m_pLoginWaitDlg->GetSafeHwnd(), nullptr, TRUE);
}

void CSignInPanels::ShowReconnectPanel(int nStart, int nError)
{
    HideOthers(m_dlg.m_pConnectErrDlg);
    if (!m_dlg.m_pConnectErrDlg)
        m_dlg.m_pConnectErrDlg = CLoginPanelHost::CreateReconnectPanel(&m_dlg);
    if (!m_dlg.m_pConnectErrDlg)
        return;
    CLoginPanelHost::SetReconnectError(m_dlg.m_pConnectErrDlg, nError);
    CLoginPanelHost::StartReconnectCountdown(m_dlg.m_pConnectErrDlg, nStart, 0);
    PlaceAndShow(m_dlg.m_pConnectErrDlg, true);
}

void CSignInPanels::ShowMainView()
{
    RECT rc;
    m_dlg.GetPanelRect(&rc);
    CQorViewMgr::Instance()->ShowKorvelDlg(&m_dlg, rc);
}

void CSignInPanels::CloseLoginPanel() { Close(m_dlg.m_pLoginDlg); }
void CSignInPanels::CloseWaitPanel() { Close(m_dlg.m_pLoginWaitDlg); }
void CSignInPanels::CloseReconnectPanel() { Close(m_dlg.m_pConnectErrDlg); }

void CSignInPanels::CloseMessageCentre()
{
    CDialog* pCenter = m_dlg.m_pMsgManagerDlg;
    m_dlg.m_pMsgManagerDlg = nullptr;
    if (pCenter)
        CMsgCenterHost::DestroyCenter(pCenter);
}

void CSignInPanels::LayoutPanels()
{
    RECT rc;
    m_dlg.GetPanelRect(&rc);
    // Each panel then lays out its own children on its WM_SIZE.
    for (CDialog* pPanel : {m_dlg.m_pLoginDlg, m_dlg.m_pLoginWaitDlg, m_dlg.m_pConnectErrDlg}) {
        if (pPanel && ::IsWindow(pPanel->GetSafeHwnd()))
            ::MoveWindow(pPanel->GetSafeHwnd(), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    }
    CQorViewMgr::Instance()->SetSize(rc);
}

void CSignInPanels::HideOthers(const CDialog* pKeep)
{
    for (CDialog* pPanel : {m_dlg.m_pLoginDlg, m_dlg.m_pLoginWaitDlg, m_dlg.m_pConnectErrDlg}) {
        if (pPanel && pPanel != pKeep && ::IsWindow(pPanel->GetSafeHwnd()))
            pPanel->ShowWindow(SW_HIDE);
    }
}

void CSignInPanels::PlaceAndShow(CDialog* pPanel, bool bRedraw)
{
    HWND hPanel = pPanel->GetSafeHwnd();
    RECT rc;
    m_dlg.GetPanelRect(&rc);
    ::SetWindowPos(hPanel, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    pPanel->ShowWindow(SW_SHOW);
    if (bRedraw) {
        ::UpdateWindow(hPanel);
        ::RedrawWindow(hPanel, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

void CSignInPanels::Close(CDialog*& pPanel)
{
    CDialog* p = pPanel;
    pPanel = nullptr;
    if (!p)
        return;
    // A panel with a window deletes itself when the window goes.
    if (::IsWindow(p->GetSafeHwnd()))
        p->DestroyWindow();
    else
        delete p;
}
