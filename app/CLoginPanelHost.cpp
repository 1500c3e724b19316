#include "app/CLoginPanelHost.h"
#include "platform/QorResource/ResourceIds.h"
#include "signin/ILoginOwner.h"

#if defined(KORVEL_WITH_SIGNIN_PANEL)
#include "signin/CConnectErrDlg.h"
#include "signin/CKorvelLoginByNameDlg.h"
#include "signin/CKorvelLoginDlg.h"
#include "signin/CKorvelLoginWaitDlg.h"
#include "signin/CNetCheckDlg.h"
#include "signin/CNetSetDlg.h"

CDialog* CLoginPanelHost::CreatePanel(ILoginOwner* pOwner, bool bAutoStart)
{
    auto* pPanel = new CKorvelLoginDlg(pOwner, bAutoStart);
    if (!pPanel->Create(IDD_LOGIN_DIALOG, pOwner->GetLoginOwnerWnd())) {
        delete pPanel;
        return nullptr;
    }
    return pPanel;
}

void CLoginPanelHost::SetAutoStart(CDialog* pPanel, bool bAutoStart)
{
    if (pPanel)
        static_cast<CKorvelLoginDlg*>(pPanel)->SetAutoStart(bAutoStart);
}

bool CLoginPanelHost::IsAutoLoginChecked(CDialog* pPanel)
{
    return pPanel && static_cast<CKorvelLoginDlg*>(pPanel)->IsAutoLoginChecked();
}

HWND CLoginPanelHost::GetByNameWnd(CDialog* pPanel)
{
    if (!pPanel)
        return nullptr;
    CKorvelLoginByNameDlg* pByName = static_cast<CKorvelLoginDlg*>(pPanel)->GetByNameDlg();
    return pByName ? pByName->GetSafeHwnd() : nullptr;
}

bool CLoginPanelHost::StartLogin(CDialog* pPanel)
{
    return pPanel && static_cast<CKorvelLoginDlg*>(pPanel)->StartLogin();
}

void CLoginPanelHost::CheckServerSetup(CDialog* pPanel)
{
    if (pPanel)
        static_cast<CKorvelLoginDlg*>(pPanel)->CheckServerSetup();
}

void CLoginPanelHost::ShowLoginError(CDialog* pPanel, BOOL bShow, const CString& strText, int nError)
{
    if (pPanel)
        static_cast<CKorvelLoginDlg*>(pPanel)->ShowLoginError(bShow, strText, nError);
}

void CLoginPanelHost::UpdateConnectedServer(CDialog* pPanel)
{
    if (pPanel)
        static_cast<CKorvelLoginDlg*>(pPanel)->UpdateConnectedServer();
}

void CLoginPanelHost::SaveLoginInfo(CDialog* pPanel)
{
    if (pPanel)
        static_cast<CKorvelLoginDlg*>(pPanel)->SaveLoginInfo();
}

CDialog* CLoginPanelHost::CreateWaitPanel(ILoginOwner* pOwner)
{
    // The panel's network-check link opens the network check for the failed sign-in's server.
    CKorvelLoginWaitDlg::SetNetCheckRunner(&CNetCheckDlg::RunModal);
    auto* pPanel = new CKorvelLoginWaitDlg(pOwner);
    if (!pPanel->Create(IDD_LOGIN_WAIT, pOwner->GetLoginOwnerWnd())) {
        delete pPanel;
        return nullptr;
    }
    return pPanel;
}

void CLoginPanelHost::WaitProgress(CDialog* pPanel, int nCode, int nDetail)
{
    if (pPanel)
        static_cast<CKorvelLoginWaitDlg*>(pPanel)->OnLoginProgress(nCode, nDetail);
}

void CLoginPanelHost::StopWaitAnimation(CDialog* pPanel)
{
    if (pPanel)
        static_cast<CKorvelLoginWaitDlg*>(pPanel)->StopAttemptTimer();
}

void CLoginPanelHost::SetWaitLoginStrings(CDialog* pPanel, const CString& strFirst, const CString& strSecond)
{
    if (pPanel)
        static_cast<CKorvelLoginWaitDlg*>(pPanel)->SetLoginStrings(strFirst, strSecond);
}

void CLoginPanelHost::UpdateWaitLogo(CDialog* pPanel, const CString& strCompanyKey)
{
    if (pPanel)
        static_cast<CKorvelLoginWaitDlg*>(pPanel)->UpdateAddInLogo(strCompanyKey);
}

CDialog* CLoginPanelHost::CreateReconnectPanel(ILoginOwner* pOwner)
{
    auto* pPanel = new CConnectErrDlg(pOwner);
    if (!pPanel->Create(IDD_CONNECT_ERR, pOwner->GetLoginOwnerWnd())) {
        delete pPanel;
        return nullptr;
    }
    return pPanel;
}

void CLoginPanelHost::SetReconnectError(CDialog* pPanel, int nError)
{
    if (pPanel)
        static_cast<CConnectErrDlg*>(pPanel)->SetErrorCode(nError);
}

void CLoginPanelHost::StartReconnectCountdown(CDialog* pPanel, int nStart, int nReset)
{
    if (pPanel)
        static_cast<CConnectErrDlg*>(pPanel)->StartReconnectCountdown(nStart, nReset);
}

void CLoginPanelHost::StopReconnectCountdown(CDialog* pPanel)
{
    if (pPanel)
        static_cast<CConnectErrDlg*>(pPanel)->StopReconnectCountdown();
}

void CLoginPanelHost::InstallDialogs()
{
    // The panel's "Network settings" button and its first-run check open the settings dialog.
    CKorvelLoginDlg::SetNetSettingsRunner(&CNetSetDlg::RunModal);
}

#else

namespace {

// The stand-in panel: the sign-in template as a plain child dialog. Enter and Escape do not
// close it, and it goes away with its window.
class CPlainLoginPanel : public CDialog {
public:
    explicit CPlainLoginPanel(ILoginOwner* pOwner) : CDialog(IDD_LOGIN_DIALOG), m_pOwner(pOwner) {}

protected:
    void OnOK() override {}
    void OnCancel() override {}
    void PostNcDestroy() override
    {
        if (m_pOwner)
            m_pOwner->OnLoginPanelGone(this);
        delete this;
    }

private:
    ILoginOwner* m_pOwner;
};

} // namespace

CDialog* CLoginPanelHost::CreatePanel(ILoginOwner* pOwner, bool)
{
    auto* pPanel = new CPlainLoginPanel(pOwner);
    if (!pPanel->Create(IDD_LOGIN_DIALOG, pOwner->GetLoginOwnerWnd())) {
        delete pPanel;
        return nullptr;
    }
    return pPanel;
}

void CLoginPanelHost::SetAutoStart(CDialog*, bool) {}
bool CLoginPanelHost::IsAutoLoginChecked(CDialog*) { return false; }
HWND CLoginPanelHost::GetByNameWnd(CDialog*) { return nullptr; }
bool CLoginPanelHost::StartLogin(CDialog*) { return false; }
void CLoginPanelHost::CheckServerSetup(CDialog*) {}
void CLoginPanelHost::ShowLoginError(CDialog*, BOOL, const CString&, int) {}
void CLoginPanelHost::UpdateConnectedServer(CDialog*) {}
void CLoginPanelHost::SaveLoginInfo(CDialog*) {}
CDialog* CLoginPanelHost::CreateWaitPanel(ILoginOwner*) { return nullptr; }
void CLoginPanelHost::WaitProgress(CDialog*, int, int) {}
void CLoginPanelHost::StopWaitAnimation(CDialog*) {}
void CLoginPanelHost::SetWaitLoginStrings(CDialog*, const CString&, const CString&) {}
void CLoginPanelHost::UpdateWaitLogo(CDialog*, const CString&) {}
CDialog* CLoginPanelHost::CreateReconnectPanel(ILoginOwner*) { return nullptr; }
void CLoginPanelHost::SetReconnectError(CDialog*, int) {}
void CLoginPanelHost::StartReconnectCountdown(CDialog*, int, int) {}
void CLoginPanelHost::StopReconnectCountdown(CDialog*) {}
}

void CLoginPanelHost::InstallDialogs() {}

#endif
