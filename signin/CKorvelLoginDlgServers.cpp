// CKorvelLoginDlg: the server chooser with the title and head picture that follow it, and the
// settings the panel loads, saves and shows (LoginSettings).
#include "signin/CKorvelLoginDlg.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "signin/CKorvelLoginByNameDlg.h"
#include "signin/LoginStore.h"

// ---------------------------------------------------------------------------------------------
// Server chooser. What the chooser shows is where the next sign-in goes (LoginSettings).

CString CKorvelLoginDlg::GetServerText() const
{
    CString text;
    if (m_cbServer.GetSafeHwnd())
        m_cbServer.GetWindowText(text);
    return text;
}

void CKorvelLoginDlg::FillServerChooser()
{
    for (int i = 0; i < m_Settings.GetServerCount(); ++i) {
        int item = m_cbServer.AddString(m_Settings.GetServer(i).strServer);
        if (item >= 0)
            m_cbServer.SetItemData(item, static_cast<DWORD_PTR>(i + 1));
    }
}

// The chooser shows where the next sign-in goes: the list entry of that address when there is
// one, else the address as text. Only the display changes; the current port stays.
void CKorvelLoginDlg::ShowServerInChooser(const CString& strAddress)
{
    if (!m_cbServer.GetSafeHwnd())
        return;
    int index = m_Settings.FindServer(strAddress);
    bool shownByEntry = false;
    for (int item = 0; index >= 0 && item < m_cbServer.GetCount() && !shownByEntry; ++item) {
        if (m_cbServer.GetItemData(item) == static_cast<DWORD_PTR>(index + 1)) {
            m_cbServer.SetCurSel(item);
            shownByEntry = true;
        }
    }
    if (!shownByEntry) {
        m_cbServer.SetCurSel(-1);
        m_cbServer.SetWindowText(strAddress);
    }
    OnUserNameChange();
    RefreshBrandingForServerText();
}

void CKorvelLoginDlg::ShowServerPrompt()
{
    m_cbServer.SetWindowText(L"<" + CQorViewBaseFun::LoadStringW(IDS_ENTER_SERVER) + L">");
}

int CKorvelLoginDlg::GetSelectedServer() const
{
    int sel = m_cbServer.GetCurSel();
    if (sel == CB_ERR)
        return -1;
    int index = static_cast<int>(m_cbServer.GetItemData(sel)) - 1;
    return index >= 0 && index < m_Settings.GetServerCount() ? index : -1;
}

void CKorvelLoginDlg::OnServerSelChange()
{
    UpdateData(TRUE);
    const int index = GetSelectedServer();
    if (index < 0)
        return;
    const _SERVERITEM item = m_Settings.GetServer(index);
    m_Settings.ChooseServer(index);
    UpdateData(FALSE);
    LoadHeadPicture(item.strName, m_Settings.GetLoginName());
    RefreshBranding(item.strName);
}

void CKorvelLoginDlg::OnServerEditChange()
{
    OnUserNameChange();
    m_Settings.TypeServer(GetServerText());
    RefreshBrandingForServerText();
}

void CKorvelLoginDlg::AddOrUpdateServer(const _SERVERITEM& item, bool bAddToChooser)
{
    const int added = m_Settings.AddOrUpdateServer(item);
    if (added >= 0 && bAddToChooser && m_cbServer.GetSafeHwnd()) {
        int pos = m_cbServer.InsertString(0, item.strServer);
        if (pos >= 0)
            m_cbServer.SetItemData(pos, static_cast<DWORD_PTR>(added + 1));
    }
}

void CKorvelLoginDlg::SetCurrentServer(const CString& strAddress, int nPort, const CString& strName)
{
    m_Settings.SetCurrentServer(strAddress, nPort, strName);
}

void CKorvelLoginDlg::UpdateConnectedServer() { m_Settings.UpdateConnectedServer(); }

void CKorvelLoginDlg::ForgetServersAndUsers()
{
    m_Settings.ForgetServersAndUsers();
    m_edUser.RemoveAllSearchStrings();
    // The chooser keeps showing the current address, now as plain text.
    CString shown = GetServerText();
    m_cbServer.ResetContent();
    m_cbServer.SetWindowText(shown);
}

// ---------------------------------------------------------------------------------------------
// The title and the head picture follow the server shown

void CKorvelLoginDlg::OnUserNameChange()
{
    if (!m_edUser.GetSafeHwnd())
        return;
    CString user;
    m_edUser.GetWindowText(user);
    int index = m_Settings.FindServer(GetServerText());
    ShowHeadPicture(index >= 0 ? CQorViewBaseFun::GetUserPicFile(m_Settings.GetServer(index).strName, user)
                               : CString());
}

void CKorvelLoginDlg::LoadHeadPicture(const CString& strServerName, const CString& strUserName)
{
    ShowHeadPicture(CQorViewBaseFun::GetUserPicFile(strServerName, strUserName));
}

void CKorvelLoginDlg::ShowHeadPicture(const CString& file)
{
    if (file == m_strHeadPicFile)
        return;
    m_strHeadPicFile = file;
    m_HeadPicture.UnLoad();
    if (!file.IsEmpty())
        m_HeadPicture.Load(file);
    if (m_HeadPic.GetSafeHwnd()) {
        m_HeadPic.LoadPic(&m_HeadPicture);
        RECT rc = GetControlRect(IDC_HEAD_PIC);
        InvalidateRect(&rc);
    }
}

bool CKorvelLoginDlg::IsHeadPictureShown() const
{
    return m_HeadPicture.IsLoaded() && m_HeadPic.GetPicture() == &m_HeadPicture;
}

void CKorvelLoginDlg::RefreshBranding(const CString& strServerName)
{
    CString company = CQorViewBaseFun::GetCorAddInCompanyName(strServerName);
    if (company.IsEmpty())
        company = CQorViewBaseFun::LoadStringW(IDS_PRODUCT_NAME);
    CWnd* pMain = GetMainWnd();
    if (!pMain || !pMain->GetSafeHwnd())
        return;
    CString title;
    pMain->GetWindowText(title);
    if (title != company) {
        pMain->SetWindowText(company);
        ::RedrawWindow(pMain->GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    }
}

void CKorvelLoginDlg::RefreshBrandingForServerText()
{
    int index = m_Settings.FindServer(GetServerText());
    RefreshBranding(index >= 0 ? m_Settings.GetServer(index).strName : CString());
}

// ---------------------------------------------------------------------------------------------
// Settings: loading and saving

bool CKorvelLoginDlg::LoadLoginSettings()
{
    if (!m_pOwner) {
        if (!LoginSettings::CanSave())
            HideCheckBoxes();
        return false;
    }
    UpdateData(TRUE);
    const LoadedLogin loaded = m_Settings.Load(m_pOwner->GetLoginFields(), StartupFlags());
    if (!loaded.bCanSave)
        HideCheckBoxes();
    FillServerChooser();
    if (loaded.bSavedUsers) {
        const CStringArray& users = m_Settings.GetSavedUsers();
        for (INT_PTR i = 0; i < users.GetSize(); ++i)
            m_edUser.AddSearchString(users[i]);
    }
    if (loaded.bStoredRead)
        m_ByNameMode.ApplyLoadedSettings(loaded.strStoredLogin, loaded.strStoredPassword, loaded.bCanSave,
                                         loaded.checks.bSavePassword);

    if (loaded.bUnderWay) {
        m_cbServer.SetWindowText(m_Settings.GetCurrentAddress());
    } else {
        m_cbServer.SetCurSel(loaded.nShownServer);
        // No server to select (a first run): the deselection emptied the chooser, which asks
        // for an address again.
        if (loaded.nShownServer < 0 && GetServerText().IsEmpty())
            ShowServerPrompt();
    }
    if (StartupFlags() & STARTUP_SERVER_FIXED)
        m_cbServer.EnableWindow(FALSE);
    if (loaded.bWindowsAccount) {
        m_edUser.EnableWindow(FALSE);
        m_edPassword.EnableWindow(FALSE);
    }

    SetStatus(m_Settings.GetStatus());
    ShowChecks(loaded.checks);
    m_pOwner->SetProxyInfo(loaded.proxy);
    UpdateData(FALSE);
    return true;
}

int CKorvelLoginDlg::SaveLoginInfo()
{
    const LoginFields owned = m_pOwner ? m_pOwner->GetLoginFields() : LoginFields();
    return m_Settings.Save(ReadChecks(), m_pOwner ? &owned : nullptr, GetByNameDlg() != nullptr,
                           m_ByNameMode.GetDisplayName(), m_ByNameMode.GetDepartment());
}

// ---------------------------------------------------------------------------------------------
// Preset server, first run, network settings, language file

bool CKorvelLoginDlg::LoadPresetServer()
{
    if (!m_Settings.LoadPresetServer())
        return false;
    ShowServerInChooser(m_Settings.GetCurrentAddress());
    return true;
}

void CKorvelLoginDlg::CheckServerSetup()
{
    if (!LoadPresetServer() && m_Settings.GetServerCount() == 0)
        OpenNetSettings();
}

void CKorvelLoginDlg::OnNetSettings() { OpenNetSettings(); }

void CKorvelLoginDlg::OpenNetSettings()
{
    if (!m_pOwner)
        return;
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    if (!pMgr || pMgr->m_bNetSetOpen)
        return;
    pMgr->m_bNetSetOpen = 1;
    CString address = m_Settings.GetCurrentAddress();
    int port = m_Settings.GetCurrentPort();
    bool deleted = false;
    INT_PTR result = s_pfnNetSettings
                         ? s_pfnNetSettings(this, m_pOwner, address, port, m_Settings.IsPresetLocked(), deleted)
                         : IDCANCEL;
    if (deleted)
        ForgetServersAndUsers();
    if (result == IDOK) {
        m_Settings.SetCurrentAddress(address, port);
        ShowServerInChooser(address);
    }
    pMgr->m_bNetSetOpen = 0;
    if (result == IDOK && GetByNameDlg()) {
        GetLoginStore().LoadLoginStore(m_Settings.GetCurrentAddress(), m_Settings.GetCurrentPort());
        m_ByNameMode.FillNames(true);
    }
}

void CKorvelLoginDlg::InstallLanguageFile()
{
    LoginSettings::InstallLanguageFile(m_pOwner ? m_pOwner->GetLanguage() : CString(L"CHS"));
}
