#include "signin/CLoginByNameMode.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "signin/CKorvelLoginByNameDlg.h"
#include "signin/ILoginByNameHost.h"
#include "signin/LoginSettings.h"
#include "signin/LoginStore.h"

CLoginByNameMode::~CLoginByNameMode()
{
    delete m_pByNameDlg;
    m_pByNameDlg = nullptr;
}

void CLoginByNameMode::Switch(bool bKeep)
{
    if (m_pByNameDlg) {
        if (bKeep)
            return;
        m_pByNameDlg->DestroyWindow();
        delete m_pByNameDlg;
        m_pByNameDlg = nullptr;
        m_host.ShowAccountRows(true);
        return;
    }
    CWnd* pPanel = m_host.GetPanelWnd();
    m_pByNameDlg = new CKorvelLoginByNameDlg(m_host.GetMainWnd(), this);
    if (!m_pByNameDlg->Create(IDD_LOGIN_BYNAME, pPanel)) {
        delete m_pByNameDlg;
        m_pByNameDlg = nullptr;
        return;
    }
    m_host.ShowAccountRows(false);
    // The by-name rows take the room between the error row and the status row.
    const HWND hPanel = pPanel->GetSafeHwnd();
    auto rectOf = [hPanel](UINT nID) {
        RECT rc = {0, 0, 0, 0};
        ::GetWindowRect(::GetDlgItem(hPanel, static_cast<int>(nID)), &rc);
        ::MapWindowPoints(HWND_DESKTOP, hPanel, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    RECT client;
    ::GetClientRect(hPanel, &client);
    int top = rectOf(IDC_ERROR_TEXT).bottom;
    int bottom = rectOf(IDC_CHECK_CAPTION).top;
    m_pByNameDlg->MoveWindow(0, top, client.right, bottom > top ? bottom - top : 0);
    const LoginSettings& settings = m_host.GetSettings();
    ApplyLoadedSettings(settings.GetLoginName(), settings.GetPassword(), LoginSettings::CanSave(),
                        m_host.IsSavePasswordChecked());
    m_pByNameDlg->ShowWindow(SW_SHOW);
}

void CLoginByNameMode::FillNames(bool bLookUp)
{
    if (!m_pByNameDlg)
        return;
    CStringArray names;
    GetLoginStore().ListSavedUsers(GetServerAddress(), GetServerPort(), names);
    m_pByNameDlg->FillNameList(names);
    if (bLookUp && names.GetSize() > 0)
        m_pByNameDlg->ChooseName(0);
}

void CLoginByNameMode::ApplyLoadedSettings(const CString& strLogin, const CString& strPassword, bool bCanSave,
                                           bool bSavePassword)
{
    if (!m_pByNameDlg)
        return;
    CString displayName, department;
    CQorViewBaseFun::LoadSettingEx(displayName, department);
    if (!displayName.IsEmpty() && !department.IsEmpty())
        m_pByNameDlg->RestoreChoice(strLogin, strPassword, displayName, department);
    FillNames(false);
    if (!bCanSave)
        m_pByNameDlg->ForgetChoice();
    if (!bSavePassword)
        m_pByNameDlg->ForgetPassword();
    m_pByNameDlg->UpdateData(FALSE);
}

void CLoginByNameMode::TakeChosenAccount()
{
    if (!m_pByNameDlg)
        return;
    // Only the password is read back: the name box's text is the poll's to notice, so that a
    // name typed just before signing in is still looked up rather than taken as looked up.
    const CString password = m_pByNameDlg->ReadPassword();
    LoginSettings& settings = m_host.GetSettings();
    settings.SetLoginName(m_pByNameDlg->GetChosenLogin());
    settings.SetPassword(password);
    m_host.ShowAccount();
}

void CLoginByNameMode::FocusName()
{
    if (m_pByNameDlg)
        m_pByNameDlg->FocusName();
}

CString CLoginByNameMode::GetDisplayName() const
{
    return m_pByNameDlg ? m_pByNameDlg->GetNameText() : CString();
}

CString CLoginByNameMode::GetDepartment() const
{
    return m_pByNameDlg ? m_pByNameDlg->GetDeptText() : CString();
}

void CLoginByNameMode::Layout(int cx)
{
    if (!m_pByNameDlg || !m_pByNameDlg->GetSafeHwnd())
        return;
    RECT rc;
    ::GetWindowRect(m_pByNameDlg->GetSafeHwnd(), &rc);
    ::MapWindowPoints(HWND_DESKTOP, m_host.GetPanelWnd()->GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
    m_pByNameDlg->MoveWindow(0, rc.top, cx, rc.bottom - rc.top);
}

CString CLoginByNameMode::GetServerAddress() const { return m_host.GetSettings().GetCurrentAddress(); }

int CLoginByNameMode::GetServerPort() const { return m_host.GetSettings().GetCurrentPort(); }

void CLoginByNameMode::ApplyChosenAccount(const CString& strLoginName, const CString& strPassword,
                                          bool bSavedPassword)
{
    LoginSettings& settings = m_host.GetSettings();
    settings.SetLoginName(strLoginName);
    settings.SetPassword(strPassword);
    m_host.SetSavePasswordChecked(bSavedPassword);
    m_host.ShowAccount();
}
