#include "app/CSignInPanels.h"
#include "app/CLoginPanelHost.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/CxFrameHelper.h"
#include "signin/ILoginOwner.h"

bool CSignInPanels::ShowLoginPanel(bool bAutoStart)
{
    HideOthers(m_pLoginDlg);
    if (!m_pLoginDlg)
        m_pLoginDlg = CLoginPanelHost::CreatePanel(&m_owner, bAutoStart);
    else
        CLoginPanelHost::SetAutoStart(m_pLoginDlg, bAutoStart);
    if (!m_pLoginDlg)
        return false;
    PlaceAndShow(m_pLoginDlg, false);

    if (HWND hByName = CLoginPanelHost::GetByNameWnd(m_pLoginDlg))
        ::PostMessageW(hByName, WM_SHOWWINDOW, TRUE, 0);
    return true;
}

void CSignInPanels::ShowWaitPanel(const CString& strLoginName, const CString& strServer)
{
    HideOthers(m_pLoginWaitDlg);
    if (!m_pLoginWaitDlg)
        m_pLoginWaitDlg = CLoginPanelHost::CreateWaitPanel(&m_owner);
    if (!m_pLoginWaitDlg)
        return;
    CLoginPanelHost::SetWaitLoginStrings(m_pLoginWaitDlg, strLoginName, strServer);
    CLoginPanelHost::UpdateWaitLogo(m_pLoginWaitDlg, CString());
    PlaceAndShow(m_pLoginWaitDlg, true);
    ::InvalidateRect(m_pLoginWaitDlg->GetSafeHwnd(), nullptr, TRUE);
}

void CSignInPanels::ShowReconnectPanel(int nStart, int nError)
{
    HideOthers(m_pConnectErrDlg);
    if (!m_pConnectErrDlg)
        m_pConnectErrDlg = CLoginPanelHost::CreateReconnectPanel(&m_owner);
    if (!m_pConnectErrDlg)
        return;
    CLoginPanelHost::SetReconnectError(m_pConnectErrDlg, nError);
    CLoginPanelHost::StartReconnectCountdown(m_pConnectErrDlg, nStart, 0);
    PlaceAndShow(m_pConnectErrDlg, true);
}

void CSignInPanels::ShowMainView()
{
    RECT rc;
    GetPanelRect(&rc);
    CQorViewMgr::Instance()->ShowKorvelDlg(m_owner.GetLoginOwnerWnd(), rc);
}

void CSignInPanels::CloseLoginPanel() { Close(m_pLoginDlg); }
void CSignInPanels::CloseWaitPanel() { Close(m_pLoginWaitDlg); }
void CSignInPanels::CloseReconnectPanel() { Close(m_pConnectErrDlg); }

void CSignInPanels::OnPanelGone(CDialog* pPanel)
{
    for (CDialog** ppPanel : {&m_pLoginDlg, &m_pLoginWaitDlg, &m_pConnectErrDlg}) {
        if (*ppPanel == pPanel)
            *ppPanel = nullptr;
    }
}

void CSignInPanels::LayoutPanels()
{
    RECT rc;
    GetPanelRect(&rc);
    // Each panel then lays out its own children on its WM_SIZE.
    for (CDialog* pPanel : {m_pLoginDlg, m_pLoginWaitDlg, m_pConnectErrDlg}) {
        if (pPanel && ::IsWindow(pPanel->GetSafeHwnd()))
            ::MoveWindow(pPanel->GetSafeHwnd(), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    }
    CQorViewMgr::Instance()->SetSize(rc);
}

void CSignInPanels::GetPanelRect(RECT* pRect) const
{
    m_owner.GetFrameHelper()->GetClientRectEx(pRect);
}

void CSignInPanels::HideOthers(const CDialog* pKeep)
{
    for (CDialog* pPanel : {m_pLoginDlg, m_pLoginWaitDlg, m_pConnectErrDlg}) {
        if (pPanel && pPanel != pKeep && ::IsWindow(pPanel->GetSafeHwnd()))
            pPanel->ShowWindow(SW_HIDE);
    }
}

void CSignInPanels::PlaceAndShow(CDialog* pPanel, bool bRedraw)
{
    HWND hPanel = pPanel->GetSafeHwnd();
    RECT rc;
    GetPanelRect(&rc);
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
