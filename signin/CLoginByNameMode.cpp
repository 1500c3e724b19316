#include "signin/CLoginByNameMode.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "signin/CKorvelLoginByNameDlg.h"
#include "signin/CKorvelLoginDlg.h"
#include "signin/LoginStore.h"

CLoginByNameMode::~CLoginByNameMode()
{
    delete m_panel.m_pByNameDlg;
    m_panel.m_pByNameDlg = nullptr;
}

void CLoginByNameMode::ShowAccountRows(bool bShow)
{
    int show = bShow ? SW_SHOW : SW_HIDE;
    m_panel.m_edPassword.ShowWindow(show);
    m_panel.m_edUser.ShowWindow(show);
    m_panel.m_lblPasswordCaption.ShowWindow(show);
    m_panel.m_lblUserCaption.ShowWindow(show);
    // The icons of the two rows (the server row's icon stays).
    for (int i = 1; i < 5; ++i) {
        if (m_panel.m_pIconWnds[i])
            m_panel.m_pIconWnds[i]->ShowWindow(show);
    }
}

void CLoginByNameMode::Switch(bool bKeep)
{
    CKorvelLoginByNameDlg*& pByName = m_panel.m_pByNameDlg;
    if (pByName) {
        if (bKeep)
            return;
        pByName->DestroyWindow();
        delete pByName;
        pByName = nullptr;
        ShowAccountRows(true);
        return;
    }
    CWnd* pMain = m_panel.m_pOwner ? m_panel.m_pOwner->GetLoginOwnerWnd() : nullptr;
    pByName = new CKorvelLoginByNameDlg(pMain, &m_panel);
    if (!pByName->Create(IDD_LOGIN_BYNAME, &m_panel)) {
        delete pByName;
        pByName = nullptr;
        return;
    }
    ShowAccountRows(false);
    // The by-name rows take the room between the error row and the status row.
    auto rectOf = [this](UINT nID) {
        RECT rc = {0, 0, 0, 0};
        HWND hCtrl = ::GetDlgItem(m_panel.GetSafeHwnd(), static_cast<int>(nID));
        ::GetWindowRect(hCtrl, &rc);
        ::MapWindowPoints(HWND_DESKTOP, m_panel.GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    RECT client;
    ::GetClientRect(m_panel.GetSafeHwnd(), &client);
    int top = rectOf(IDC_ERROR_TEXT).bottom;
    int bottom = rectOf(IDC_CHECK_CAPTION).top;
    pByName->MoveWindow(0, top, client.right, bottom > top ? bottom - top : 0);
    ApplyLoadedSettings(m_panel.m_strUserName, m_panel.m_strPassword, CanSaveLoginInfo(),
                        m_panel.m_chkSavePassword.IsChecked());
    pByName->ShowWindow(SW_SHOW);
}

void CLoginByNameMode::FillNames(bool bLookUp)
{
    CKorvelLoginByNameDlg* pByName = m_panel.m_pByNameDlg;
    if (!pByName)
        return;
    CStringArray names;
    GetLoginStore().ListSavedUsers(m_panel.m_strCurrentAddr, m_panel.m_nCurrentPort, names);
    pByName->FillNameList(names);
    if (bLookUp && names.GetSize() > 0) {
        pByName->m_cbName.SetCurSel(0);
        pByName->OnNameSelChange();
    }
}

void CLoginByNameMode::ApplyLoadedSettings(const CString& strLogin, const CString& strPassword, bool bCanSave,
                                           bool bSavePassword)
{
    CKorvelLoginByNameDlg* pByName = m_panel.m_pByNameDlg;
    if (!pByName)
        return;
    CString displayName, department;
    CQorViewBaseFun::LoadSettingEx(displayName, department);
    if (!displayName.IsEmpty() && !department.IsEmpty()) {
        pByName->m_strPassword = strPassword;
        pByName->m_strChosenLogin = strLogin;
        pByName->m_strQueriedName = displayName;
        pByName->SetDeptText(department);
    }
    FillNames(false);
    if (!bCanSave) {
        pByName->m_strQueriedName.Empty();
        pByName->SetDeptText(CString());
        pByName->m_strPassword.Empty();
    }
    if (!bSavePassword)
        pByName->m_strPassword.Empty();
    pByName->UpdateData(FALSE);
}

void CLoginByNameMode::TakeChosenAccount()
{
    CKorvelLoginByNameDlg* pByName = m_panel.m_pByNameDlg;
    if (!pByName)
        return;
    // Only the password is read back: the name box's text is the poll's to notice, so that a
    // name typed just before signing in is still looked up rather than taken as looked up.
    pByName->m_edPassword.GetWindowText(pByName->m_strPassword);
    m_panel.m_strUserName = pByName->m_strChosenLogin;
    m_panel.m_strPassword = pByName->m_strPassword;
    m_panel.UpdateData(FALSE);
}

CString CLoginByNameMode::GetDisplayName() const
{
    CString text;
    if (m_panel.m_pByNameDlg)
        m_panel.m_pByNameDlg->m_cbName.GetWindowText(text);
    return text;
}

CString CLoginByNameMode::GetDepartment() const
{
    CString text;
    if (m_panel.m_pByNameDlg)
        m_panel.m_pByNameDlg->m_cbDept.GetWindowText(text);
    return text;
}

void CLoginByNameMode::Layout(int cx)
{
    CKorvelLoginByNameDlg* pByName = m_panel.m_pByNameDlg;
    if (!pByName || !pByName->GetSafeHwnd())
        return;
    RECT rc;
    ::GetWindowRect(pByName->GetSafeHwnd(), &rc);
    ::MapWindowPoints(HWND_DESKTOP, m_panel.GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
    pByName->MoveWindow(0, rc.top, cx, rc.bottom - rc.top);
}
