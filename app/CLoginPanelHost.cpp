#include "app/CLoginPanelHost.h"
#include "app/CKorvelBaseDlg.h"
#include "platform/QorResource/ResourceIds.h"

#if defined(KORVEL_WITH_SIGNIN_PANEL)
#include "signin/CKorvelLoginDlg.h"

CDialog* CLoginPanelHost::CreatePanel(CKorvelBaseDlg* pOwner, bool bAutoStart)
{
    auto* pPanel = new CKorvelLoginDlg();
    pPanel->m_pOwner = pOwner;
    pPanel->m_bAutoStart = bAutoStart;
    if (!pPanel->Create(IDD_LOGIN_DIALOG, pOwner)) {
        delete pPanel;
        return nullptr;
    }
    return pPanel;
}

void CLoginPanelHost::SetAutoStart(CDialog* pPanel, bool bAutoStart)
{
    if (pPanel)
        static_cast<CKorvelLoginDlg*>(pPanel)->m_bAutoStart = bAutoStart;
}

bool CLoginPanelHost::IsAutoLoginChecked(CDialog* pPanel)
{
    return pPanel && static_cast<CKorvelLoginDlg*>(pPanel)->IsAutoLoginChecked();
}

HWND CLoginPanelHost::GetByNameWnd(CDialog* pPanel)
{
    if (!pPanel)
        return nullptr;
    CWnd* pByName = reinterpret_cast<CWnd*>(static_cast<CKorvelLoginDlg*>(pPanel)->m_pByNameDlg);
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

#else

namespace {

// The stand-in panel: the sign-in template as a plain child dialog. Enter and Escape do not
// close it, and it goes away with its window.
class CPlainLoginPanel : public CDialog {
public:
    explicit CPlainLoginPanel(CKorvelBaseDlg* pOwner) : CDialog(IDD_LOGIN_DIALOG), m_pOwner(pOwner) {}

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
    CKorvelBaseDlg* m_pOwner;
};

} // namespace

CDialog* CLoginPanelHost::CreatePanel(CKorvelBaseDlg* pOwner, bool)
{
    auto* pPanel = new CPlainLoginPanel(pOwner);
    if (!pPanel->Create(IDD_LOGIN_DIALOG, pOwner)) {
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

#endif
