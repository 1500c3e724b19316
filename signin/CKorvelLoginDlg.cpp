#include "signin/CKorvelLoginDlg.h"
#include "controls/ScaleByDpi.h"
#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "framework/FormatString.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/CWqCoolDlg.h"
#include "platform/QorView/CxFrameHelper.h"
#include "platform/QorView/QorMessageBox.h"
#include "platform/QorView/_PROXYINFO.h"
#include "signin/CKorvelLoginByNameDlg.h"
#include "signin/LoginStore.h"

namespace {

// The status menu: command, status value, icon cell of "i.button.main.dlg.status.icons".
struct StatusChoice {
    UINT nCommand;
    int nStatus;
    const wchar_t* pszImage;
};
const StatusChoice kStatusChoices[] = {
    {ID_LOGIN_STATUS_ONLINE, 3, L"file='i.button.main.dlg.status.icons' source='0,0,11,11' align='2' "},
    {ID_LOGIN_STATUS_AWAY, 5, L"file='i.button.main.dlg.status.icons' source='11,0,22,11' align='2' "},
    {ID_LOGIN_STATUS_INVISIBLE, 6, L"file='i.button.main.dlg.status.icons' source='22,0,33,11' align='2' "},
    {ID_LOGIN_STATUS_DND, 8, L"file='i.button.main.dlg.status.icons' source='33,0,44,11' align='2' "},
    {ID_LOGIN_STATUS_BUSY, 4, L"file='i.button.main.dlg.status.icons' source='55,0,66,11' align='2' "},
};

const int kStartupWindowsAccount = 0x02;
const int kStartupNoServerChoice = 0x08;
const int kStartupNoRememberedAccount = 0x10;
const int kLoginFlagWindowsAccount = 0x200;

// The password the server expects with a Windows-account sign-in.
const wchar_t kWindowsAccountPassword[] = L"plomevarkit";

// Error codes the main window reports, and the field each one concerns.
const int kErrorServerUnreachable = 10060;
const int kErrorUnknownUser = 205;
const int kErrorWrongPassword = 208;

CString ReadEnvironment(LPCWSTR pszName)
{
    wchar_t buffer[1024] = {};
    DWORD n = ::GetEnvironmentVariableW(pszName, buffer, 1024);
    return n > 0 && n < 1024 ? CString(buffer) : CString();
}

// The computer's host name; empty when it cannot be had.
CString GetLocalHostName()
{
    WSADATA wsa;
    bool started = ::WSAStartup(MAKEWORD(2, 2), &wsa) == 0;
    char name[256] = {};
    CString result;
    if (::gethostname(name, sizeof(name)) == 0) {
        name[sizeof(name) - 1] = '\0';
        wchar_t wide[256] = {};
        if (::MultiByteToWideChar(CP_ACP, 0, name, -1, wide, 256) > 0)
            result = wide;
    }
    if (started)
        ::WSACleanup();
    return result;
}

// A status read from the settings: one of the menu's values, else online (a damaged or
// foreign settings file must not send the server a status it does not know).
int KnownStatusOr3(int nStatus)
{
    for (const StatusChoice& choice : kStatusChoices) {
        if (choice.nStatus == nStatus)
            return nStatus;
    }
    return 3;
}

// A port read from the settings (the last server, the server list): nothing stored (0) or a
// value no server can listen on gives the default port.
int StoredPortOrDefault(int nPort) { return nPort >= 1 && nPort <= 65535 ? nPort : KORVEL_DEFAULT_PORT; }

bool FileExists(const CString& strPath)
{
    DWORD attr = ::GetFileAttributesW(strPath);
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

CKorvelLoginDlg::NetSettingsRunner CKorvelLoginDlg::s_pfnNetSettings = nullptr;

BEGIN_MESSAGE_MAP(CKorvelLoginDlg, CDialog)
    ON_BN_CLICKED(IDC_LOGIN_BUTTON, &CKorvelLoginDlg::OnLoginButton)
    ON_WM_SIZE()
    ON_MESSAGE(WM_USER + 1001, &CKorvelLoginDlg::OnSkinChildNotify)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_CONTROL(CBN_SELCHANGE, IDC_SERVER_COMBO, &CKorvelLoginDlg::OnServerSelChange)
    ON_CONTROL(CBN_EDITCHANGE, IDC_SERVER_COMBO, &CKorvelLoginDlg::OnServerEditChange)
    ON_EN_CHANGE(IDC_USER_EDIT, &CKorvelLoginDlg::OnUserNameChange)
    ON_EN_UPDATE(IDC_USER_EDIT, &CKorvelLoginDlg::OnUserNameChange)
    ON_BN_CLICKED(IDC_SAVE_PASSWORD, &CKorvelLoginDlg::OnSavePasswordCheck)
    ON_BN_CLICKED(IDC_AUTO_LOGIN, &CKorvelLoginDlg::OnAutoLoginCheck)
    ON_BN_CLICKED(IDC_REMEMBER_ME, &CKorvelLoginDlg::OnRememberMeCheck)
    ON_BN_CLICKED(IDC_SWITCH_MODE, &CKorvelLoginDlg::OnSwitchLoginMode)
    ON_COMMAND_RANGE(ID_LOGIN_STATUS_ONLINE, ID_LOGIN_STATUS_DND, &CKorvelLoginDlg::OnStatusChoice)
    ON_BN_CLICKED(IDC_NET_SETTINGS, &CKorvelLoginDlg::OnNetSettings)
END_MESSAGE_MAP()

CKorvelLoginDlg::CKorvelLoginDlg() : CDialog(IDD_LOGIN_DIALOG) {}

CKorvelLoginDlg::~CKorvelLoginDlg()
{
    for (CIconWnd*& pIcon : m_pIconWnds) {
        delete pIcon;
        pIcon = nullptr;
    }
}

void CKorvelLoginDlg::SetNetSettingsRunner(NetSettingsRunner pfnRunner) { s_pfnNetSettings = pfnRunner; }

void CKorvelLoginDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SERVER_COMBO, m_cbServer);
    DDX_Control(pDX, IDC_USER_EDIT, m_edUser);
    DDX_Control(pDX, IDC_PASSWORD_EDIT, m_edPassword);
    DDX_Control(pDX, IDC_LOGIN_BUTTON, m_btnLogin);
    DDX_Control(pDX, IDC_REMEMBER_ME, m_chkRememberMe);
    DDX_Control(pDX, IDC_SAVE_PASSWORD, m_chkSavePassword);
    DDX_Control(pDX, IDC_AUTO_LOGIN, m_chkAutoLogin);
    DDX_Control(pDX, IDC_STATUS_BUTTON, m_btnStatus);
    DDX_Control(pDX, IDC_NET_SETTINGS, m_btnNetSettings);
    DDX_Control(pDX, IDC_SWITCH_MODE, m_btnSwitchMode);
    DDX_Control(pDX, IDC_ERROR_TEXT, m_lblErrorText);
    DDX_Control(pDX, IDC_ERROR_MARK, m_lblErrorMark);
    DDX_Control(pDX, IDC_USER_CAPTION, m_lblUserCaption);
    DDX_Control(pDX, IDC_PASSWORD_CAPTION, m_lblPasswordCaption);
    DDX_Control(pDX, IDC_SERVER_CAPTION, m_lblServerCaption);
    DDX_Control(pDX, IDC_CHECK_CAPTION, m_lblCheckCaption);
    DDX_Control(pDX, IDC_LOGO_STRIP, m_lblLogo);
    DDX_Control(pDX, IDC_HEAD_PIC, m_HeadPic);
    DDX_Text(pDX, IDC_USER_EDIT, m_strUserName);
    DDX_Text(pDX, IDC_PASSWORD_EDIT, m_strPassword);
}

void CKorvelLoginDlg::PostNcDestroy()
{
    m_Resizer.DeleteAll();
    if (m_pOwner)
        m_pOwner->OnLoginPanelGone(this);
    delete this;
}

BOOL CKorvelLoginDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_BkHelper._Init(this);
    m_HeadPic.LoadBitmap(IDB_HEAD_DEFAULT);
    SkinControls();
    PlaceHeadPicture(21, 21);

    m_btnLogin.SetFocus();
    CString tip;
    AfxFormatString1(tip, IDS_LOGIN_BUTTON_TIP, CQorViewBaseFun::LoadStringW(IDS_PRODUCT_NAME));
    m_btnLogin.SetToolTipText(tip);
    m_btnLogin.SetTextColor(RGB(0x33, 0x33, 0x33));

    CString server = GetServerText();
    if (m_strPassword.IsEmpty())
        m_edPassword.SetFocus();
    if (m_strUserName.IsEmpty())
        m_edUser.SetFocus();
    if (server.IsEmpty()) {
        InstallLanguageFile();
        ShowServerPrompt();
        m_cbServer.SetFocus();
    }

    OnUserNameChange();
    RefreshBrandingForServerText();
    ShowLoginError(FALSE, CString(), 0);

    if (StartupFlags() & kStartupNoRememberedAccount) {
        m_chkRememberMe.ShowWindow(SW_HIDE);
        m_chkSavePassword.ShowWindow(SW_HIDE);
        m_chkAutoLogin.ShowWindow(SW_HIDE);
    }

    // Skins of the buttons and labels
    for (CxCheckButton* pCheck : {&m_chkRememberMe, &m_chkSavePassword, &m_chkAutoLogin}) {
        pCheck->SetSkin(L"xCheckBox");
        pCheck->SetTextColor(L"c.font.normal");
    }
    m_btnLogin.SetSkin(L"xButtonLogin");
    m_btnNetSettings.SetSkin(L"xButtonSettings");
    m_btnNetSettings.SetTextColor(L"c.font.normal");
    m_btnNetSettings.SetWindowText(CQorViewBaseFun::LoadStringW(IDS_NET_SETTINGS));
    m_btnNetSettings.SetToolTipText(CQorViewBaseFun::LoadStringW(IDS_NET_SETTINGS));
    m_lblErrorMark.SetSkin(L"xLabelLoginErr");
    m_btnSwitchMode.SetSkin(L"xButtonSwitch");
    m_btnSwitchMode.SetTextColor(L"c.font.normal");
    m_btnSwitchMode.SetWindowText(CQorViewBaseFun::LoadStringW(IDS_SWITCH_LOGIN_MODE));
    m_btnSwitchMode.SetToolTipText(CQorViewBaseFun::LoadStringW(IDS_SWITCH_LOGIN_MODE_TIP));
    m_edUser.SetLimitText(18);
    m_edPassword.SetLimitText(18);
    m_btnStatus.SetButtonMenu(IDR_MENU_LOGIN_STATUS);
    m_btnStatus.SetTransparent(TRUE);
    m_btnStatus.SetSkin(L"xMainDlgStatusButton");
    m_btnStatus.SetIconIndexByStatus(m_nStatus);
    for (const StatusChoice& choice : kStatusChoices)
        m_btnStatus.SetMenuItemImage(choice.nCommand, choice.pszImage);
    m_lblLogo.SetSkin(L"xLabelLogoTopLoginDlg");
    m_lblErrorText.SetTextAlign(1);
    m_lblErrorText.SetTextColor(static_cast<COLORREF>(0xFF2525));
    for (CxLabel* pCaption : {&m_lblServerCaption, &m_lblUserCaption, &m_lblPasswordCaption}) {
        pCaption->SetTextAlign(0x11);
        pCaption->SetTextColor(L"c.font.normal");
    }
    m_lblCheckCaption.SetTextColor(L"c.font.normal");

    if (m_pOwner) {
        if (CxFrameHelper* pFrame = m_pOwner->GetFrameHelper()) {
            pFrame->SetCanResize(true);
            pFrame->EnableTitleIcon(true);
            pFrame->EnableTitleText(true);
        }
        m_pOwner->EnableMaximumSize(true);
    }

    CreateIconWindows();
    ModifyStyle(0, WS_CLIPCHILDREN);
    m_HeadPic.ShowWindow(SW_HIDE);
    // The switch to the sign-in by display name stays offered: it is the way in for a user who
    // knows a display name but not the login name.

    LoadLoginSettings();
    // The chooser now shows the loaded server: the title and the head picture follow it.
    OnUserNameChange();
    RefreshBrandingForServerText();
    return TRUE;
}

void CKorvelLoginDlg::SkinControls()
{
    if (!m_pOwner)
        return;
    m_cbServer.SetBorderColor(RGB(255, 255, 255), RGB(255, 255, 255), static_cast<COLORREF>(0xBE6E29));
    m_edUser.SetBorderColor(RGB(255, 255, 255));
    m_edPassword.SetBorderColor(RGB(255, 255, 255));
    m_edUser.Init();
    m_edPassword.Init();
}

void CKorvelLoginDlg::PlaceHeadPicture(int cx, int cy)
{
    RECT rc = GetControlRect(IDC_HEAD_PIC);
    m_HeadPic.MoveWindow(rc.left, rc.top, cx, cy);
}

void CKorvelLoginDlg::CreateIconWindows()
{
    const UINT bitmaps[5] = {IDB_ICON_SERVER, IDB_ICON_USER, 0, IDB_ICON_PASSWORD, 0};
    for (int i = 0; i < 5; ++i) {
        delete m_pIconWnds[i];
        m_pIconWnds[i] = new CIconWnd();
        RECT empty = {0, 0, 0, 0};
        m_pIconWnds[i]->Create(empty, this, IDC_ICON_SERVER + i, bitmaps[i]);
    }
    m_pIconWnds[0]->ShowWindow(SW_HIDE);
}

// ---------------------------------------------------------------------------------------------
// Signing in

void CKorvelLoginDlg::OnLoginButton()
{
    ShowLoginError(FALSE, CString(), 0);
    StartLogin();
}

bool CKorvelLoginDlg::StartLogin()
{
    // The by-name panel (when shown) has chosen the account.
    if (m_pByNameDlg)
        m_ByNameMode.TakeChosenAccount();

    CString serverName;
    int index = m_strCurrentAddr.IsEmpty() ? -1 : FindServer(m_strCurrentAddr);
    if (index >= 0)
        serverName = m_arServers[index].strName;

    UpdateData(TRUE);
    if (m_strUserName.IsEmpty()) {
        m_edUser.SetFocus();
        if (m_pByNameDlg)
            m_pByNameDlg->m_cbName.SetFocus();
        return false;
    }
    if (m_strCurrentAddr.IsEmpty()) {
        QorMessageBox(CQorViewBaseFun::LoadStringW(IDS_ENTER_SERVER), CQorViewBaseFun::LoadStringW(IDS_LOGIN_CAPTION),
                      this, MB_OK, MB_ICONWARNING);
        return false;
    }
    if (!m_pOwner)
        return true;

    LoginFields fields;
    fields.strLoginName = m_strUserName;
    fields.strLoginName.TrimRight();
    fields.strPassword = m_strPassword;
    fields.nPasswordType = 0;
    fields.strServerAddr = m_strCurrentAddr;
    fields.nServerPort = m_nCurrentPort;
    fields.strServerName = serverName;
    fields.nLoginStatus = m_nStatus;
    fields.nLoginFlags = m_nLoginFlags;
    m_pOwner->SetLoginFields(fields);
    ::PostMessageW(OwnerHwnd(), WM_LOGIN_START, 0, 0);
    return true;
}

void CKorvelLoginDlg::ShowLoginError(BOOL bShow, const CString& strText, int nCode)
{
    m_ErrorRow.Show(strText, bShow != FALSE);
    switch (nCode) {
    case kErrorServerUnreachable:
        m_cbServer.SetFocus();
        break;
    case kErrorUnknownUser:
        m_edUser.SetFocus();
        break;
    case kErrorWrongPassword:
        m_edPassword.SetFocus();
        break;
    default:
        break;
    }
}

bool CKorvelLoginDlg::IsAutoLoginChecked() const
{
    return m_chkAutoLogin.GetSafeHwnd() && m_chkAutoLogin.IsChecked();
}

// ---------------------------------------------------------------------------------------------
// Check boxes: each change reaches the view library's settings at once.

void CKorvelLoginDlg::OnSavePasswordCheck()
{
    if (m_chkSavePassword.IsChecked()) {
        CQorViewBaseFun::SetSavePassword(1);
        m_chkRememberMe.SetChecked(true);
        CQorViewBaseFun::SetRememberMeInfo(1);
    } else {
        m_chkAutoLogin.SetChecked(false);
        CQorViewBaseFun::SetAutoLoginInfo(0);
        CQorViewBaseFun::SetSavePassword(0);
        m_strPassword.Empty();
        m_edPassword.SetWindowText(L"");
        if (m_pOwner) {
            LoginFields fields = m_pOwner->GetLoginFields();
            fields.strPassword.Empty();
            m_pOwner->SetLoginFields(fields);
        }
    }
}

void CKorvelLoginDlg::OnAutoLoginCheck()
{
    if (m_chkAutoLogin.IsChecked()) {
        m_chkSavePassword.SetChecked(true);
        m_chkRememberMe.SetChecked(true);
        CQorViewBaseFun::SetSavePassword(1);
        CQorViewBaseFun::SetAutoLoginInfo(1);
        CQorViewBaseFun::SetRememberMeInfo(1);
    } else {
        CQorViewBaseFun::SetAutoLoginInfo(0);
    }
}

void CKorvelLoginDlg::OnRememberMeCheck()
{
    if (m_chkRememberMe.IsChecked()) {
        CQorViewBaseFun::SetRememberMeInfo(1);
    } else {
        CQorViewBaseFun::SetRememberMeInfo(0);
        CQorViewBaseFun::SetAutoLoginInfo(0);
        CQorViewBaseFun::SetSavePassword(0);
        m_chkAutoLogin.SetChecked(false);
        m_chkSavePassword.SetChecked(false);
        if (m_pOwner) {
            LoginFields fields = m_pOwner->GetLoginFields();
            fields.strLoginName.Empty();
            m_pOwner->SetLoginFields(fields);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Server chooser. What the chooser shows is where the next sign-in goes: a chosen entry, or a
// typed text that matches one, makes that entry current; any other typed text is a new
// address on the default port.

CString CKorvelLoginDlg::GetServerText() const
{
    CString text;
    if (m_cbServer.GetSafeHwnd())
        m_cbServer.GetWindowText(text);
    return text;
}

// The chooser shows where the next sign-in goes: the list entry of that address when there is
// one, else the address as text. Only the display changes; the current port stays.
void CKorvelLoginDlg::ShowServerInChooser(const CString& strAddress)
{
    if (!m_cbServer.GetSafeHwnd())
        return;
    int index = FindServer(strAddress);
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

const _SERVERITEM* CKorvelLoginDlg::GetSelectedServer() const
{
    int sel = m_cbServer.GetCurSel();
    if (sel == CB_ERR)
        return nullptr;
    INT_PTR index = static_cast<INT_PTR>(m_cbServer.GetItemData(sel)) - 1;
    if (index < 0 || index >= m_arServers.GetSize())
        return nullptr;
    return &m_arServers[index];
}

void CKorvelLoginDlg::OnServerSelChange()
{
    UpdateData(TRUE);
    const _SERVERITEM* pItem = GetSelectedServer();
    if (!pItem)
        return;
    _SERVERITEM item = *pItem;
    m_strCurrentAddr = item.strServer;
    m_nCurrentPort = item.nPort;
    UpdateData(FALSE);
    LoadHeadPicture(item.strName, m_strUserName);
    RefreshBranding(item.strName);
}

void CKorvelLoginDlg::OnServerEditChange()
{
    OnUserNameChange();
    // Blanks around a pasted address are not part of it.
    CString text = GetServerText();
    text.Trim();
    int index = FindServer(text);
    if (index >= 0) {
        m_strCurrentAddr = m_arServers[index].strServer;
        m_nCurrentPort = m_arServers[index].nPort;
    } else {
        m_strCurrentAddr = text;
        m_nCurrentPort = KORVEL_DEFAULT_PORT;
    }
    RefreshBrandingForServerText();
}

void CKorvelLoginDlg::OnUserNameChange()
{
    if (!m_edUser.GetSafeHwnd())
        return;
    CString user;
    m_edUser.GetWindowText(user);
    int index = FindServer(GetServerText());
    ShowHeadPicture(index >= 0 ? CQorViewBaseFun::GetUserPicFile(m_arServers[index].strName, user) : CString());
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

void CKorvelLoginDlg::RefreshBranding(const CString& strServerName)
{
    CString company = CQorViewBaseFun::GetCorAddInCompanyName(strServerName);
    if (company.IsEmpty())
        company = CQorViewBaseFun::LoadStringW(IDS_PRODUCT_NAME);
    CWnd* pMain = m_pOwner ? m_pOwner->GetLoginOwnerWnd() : nullptr;
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
    int index = FindServer(GetServerText());
    RefreshBranding(index >= 0 ? m_arServers[index].strName : CString());
}

int CKorvelLoginDlg::FindServer(const CString& strAddress) const
{
    for (INT_PTR i = 0; i < m_arServers.GetSize(); ++i) {
        if (m_arServers[i].strServer.CompareNoCase(strAddress) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

int CKorvelLoginDlg::FindSavedUser(const CString& strUser) const
{
    for (INT_PTR i = 0; i < m_arSavedUsers.GetSize(); ++i) {
        if (m_arSavedUsers[i].CompareNoCase(strUser) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

// ---------------------------------------------------------------------------------------------
// Status, mode, mouse

void CKorvelLoginDlg::OnStatusChoice(UINT nID)
{
    for (const StatusChoice& choice : kStatusChoices) {
        if (choice.nCommand == nID) {
            m_nStatus = choice.nStatus;
            SetStatus(choice.nStatus);
            return;
        }
    }
}

void CKorvelLoginDlg::SetStatus(int nStatus)
{
    if (!m_btnStatus.GetSafeHwnd())
        return;
    RECT before = GetControlRect(IDC_STATUS_BUTTON);
    m_btnStatus.SetWindowText(CQorViewBaseFun::GetUserStatusStr(nStatus));
    m_btnStatus.SetSize();
    m_btnStatus.SetIconIndexByStatus(nStatus);
    RECT after = GetControlRect(IDC_STATUS_BUTTON);
    RECT both;
    ::UnionRect(&both, &before, &after);
    InvalidateRect(&both, TRUE);
}

void CKorvelLoginDlg::OnSwitchLoginMode() { SwitchLoginMode(false); }

void CKorvelLoginDlg::SwitchLoginMode(bool bKeep) { m_ByNameMode.Switch(bKeep); }

void CKorvelLoginDlg::ShowServerPrompt()
{
    m_cbServer.SetWindowText(L"<" + CQorViewBaseFun::LoadStringW(IDS_ENTER_SERVER) + L">");
}

HWND CKorvelLoginDlg::OwnerHwnd() const
{
    CWnd* pMain = m_pOwner ? m_pOwner->GetLoginOwnerWnd() : nullptr;
    return pMain ? pMain->GetSafeHwnd() : nullptr;
}

LRESULT CKorvelLoginDlg::OnSkinChildNotify(WPARAM, LPARAM) { return 0; }

void CKorvelLoginDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    CDialog::OnLButtonDown(nFlags, point);
    // Dragging the panel drags the main window.
    if (m_pOwner)
        ::PostMessageW(OwnerHwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
}

void CKorvelLoginDlg::OnNetSettings() { OpenNetSettings(); }

// ---------------------------------------------------------------------------------------------
// Layout and painting

RECT CKorvelLoginDlg::GetControlRect(UINT nID) const
{
    RECT rc = {0, 0, 0, 0};
    HWND hCtrl = ::GetDlgItem(m_hWnd, static_cast<int>(nID));
    if (hCtrl) {
        ::GetWindowRect(hCtrl, &rc);
        ::MapWindowPoints(HWND_DESKTOP, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    }
    return rc;
}

void CKorvelLoginDlg::MoveControl(UINT nID, int x, int y, int cx, int cy)
{
    HWND hCtrl = ::GetDlgItem(m_hWnd, static_cast<int>(nID));
    if (hCtrl)
        ::MoveWindow(hCtrl, x, y, cx, cy, TRUE);
}

void CKorvelLoginDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (!::GetDlgItem(m_hWnd, IDC_LOGIN_BUTTON))
        return;
    auto width = [](const RECT& rc) { return static_cast<int>(rc.right - rc.left); };
    auto height = [](const RECT& rc) { return static_cast<int>(rc.bottom - rc.top); };

    // Network settings in the bottom-right corner, the mode switch right above it.
    RECT rcNet = GetControlRect(IDC_NET_SETTINGS);
    int netX = cx - ScaleByDpi(4) - width(rcNet);
    int netY = cy - ScaleByDpi(4) - height(rcNet);
    MoveControl(IDC_NET_SETTINGS, netX, netY, width(rcNet), height(rcNet));
    int switchLeft = netX + ScaleByDpi(26);
    int switchRight = netX + width(rcNet) - ScaleByDpi(2);
    MoveControl(IDC_SWITCH_MODE, switchLeft, netY - ScaleByDpi(2) - height(rcNet), switchRight - switchLeft,
                height(rcNet));

    // Logo and sign-in button centred.
    for (UINT nID : {static_cast<UINT>(IDC_LOGO_STRIP), static_cast<UINT>(IDC_LOGIN_BUTTON)}) {
        RECT rc = GetControlRect(nID);
        MoveControl(nID, (cx - width(rc)) / 2, rc.top, width(rc), height(rc));
    }

    // The three rows, centred with a square of their own height for the icon on the left.
    RECT rcServer = GetControlRect(IDC_SERVER_COMBO);
    RECT rcUser = GetControlRect(IDC_USER_EDIT);
    RECT rcPassword = GetControlRect(IDC_PASSWORD_EDIT);
    auto rowLeft = [&](const RECT& rc) { return (cx - width(rc) - height(rc)) / 2 + height(rc); };
    int serverLeft = rowLeft(rcServer);
    int userLeft = rowLeft(rcUser);
    int passwordLeft = rowLeft(rcPassword);
    MoveControl(IDC_SERVER_COMBO, serverLeft, rcServer.top, width(rcServer), height(rcServer));
    MoveControl(IDC_USER_EDIT, userLeft, rcUser.top, width(rcUser), height(rcUser));
    MoveControl(IDC_PASSWORD_EDIT, passwordLeft, rcPassword.top, width(rcPassword), height(rcPassword));
    int serverIconLeft = serverLeft - height(rcServer);
    int userIconLeft = userLeft - height(rcUser);
    int passwordIconLeft = passwordLeft - height(rcPassword);
    MoveControl(IDC_ICON_SERVER, serverIconLeft, rcServer.top, height(rcServer), height(rcServer) + 1);
    MoveControl(IDC_ICON_USER, userIconLeft, rcUser.top - 2, height(rcUser), height(rcUser) + 2);
    MoveControl(IDC_ICON_USER_LINE, userLeft, rcUser.top - 2, width(rcUser), 2);
    MoveControl(IDC_ICON_PASSWORD, passwordIconLeft, rcPassword.top - 2, height(rcPassword), height(rcPassword) + 2);
    MoveControl(IDC_ICON_PASSWORD_LINE, passwordLeft, rcPassword.top - 2, width(rcPassword), 2);

    // Captions follow the server row's icon; check boxes and the error row the password row's.
    for (UINT nID : {static_cast<UINT>(IDC_SERVER_CAPTION), static_cast<UINT>(IDC_PASSWORD_CAPTION),
                     static_cast<UINT>(IDC_USER_CAPTION)}) {
        RECT rc = GetControlRect(nID);
        MoveControl(nID, serverIconLeft, rc.top, width(rc), height(rc));
    }
    for (UINT nID : {static_cast<UINT>(IDC_REMEMBER_ME), static_cast<UINT>(IDC_SAVE_PASSWORD),
                     static_cast<UINT>(IDC_AUTO_LOGIN), static_cast<UINT>(IDC_ERROR_MARK),
                     static_cast<UINT>(IDC_CHECK_CAPTION)}) {
        RECT rc = GetControlRect(nID);
        MoveControl(nID, passwordIconLeft, rc.top, width(rc), height(rc));
    }
    RECT rcCaption = GetControlRect(IDC_CHECK_CAPTION);
    RECT rcStatus = GetControlRect(IDC_STATUS_BUTTON);
    MoveControl(IDC_STATUS_BUTTON, rcCaption.right, rcStatus.top, width(rcStatus), height(rcStatus));
    RECT rcMark = GetControlRect(IDC_ERROR_MARK);
    RECT rcError = GetControlRect(IDC_ERROR_TEXT);
    MoveControl(IDC_ERROR_TEXT, rcMark.right, rcError.top, width(rcError), height(rcError));
    m_ByNameMode.Layout(cx);
}

void CKorvelLoginDlg::OnPaint()
{
    CPaintDC dc(this);
    m_BkHelper.DrawParentBackground(this, &dc);
}

BOOL CKorvelLoginDlg::OnEraseBkgnd(CDC*) { return TRUE; }

// ---------------------------------------------------------------------------------------------
// Settings: loading

bool CKorvelLoginDlg::LoadLoginSettings()
{
    BOOL bRememberMe = TRUE;
    BOOL bSavePwd = FALSE;
    BOOL bAutoLogin = FALSE;
    bool bCanSave = CanSaveLoginInfo();
    if (!bCanSave) {
        m_chkRememberMe.ShowWindow(SW_HIDE);
        m_chkSavePassword.ShowWindow(SW_HIDE);
        m_chkAutoLogin.ShowWindow(SW_HIDE);
    }
    if (!m_pOwner)
        return false;

    UpdateData(TRUE);
    CQorViewBaseFun::LoadServerList(m_arServers);
    for (INT_PTR i = 0; i < m_arServers.GetSize(); ++i) {
        m_arServers[i].nPort = StoredPortOrDefault(m_arServers[i].nPort);
        int item = m_cbServer.AddString(m_arServers[i].strServer);
        if (item >= 0)
            m_cbServer.SetItemData(item, static_cast<DWORD_PTR>(i + 1));
    }
    if (CQorViewBaseFun::LoadLoginedUsers(m_arSavedUsers)) {
        for (INT_PTR i = 0; i < m_arSavedUsers.GetSize(); ++i)
            m_edUser.AddSearchString(m_arSavedUsers[i]);
    }

    CString loadedUser;
    CString loadedPassword;
    int index = -1;
    if (m_LastServer.strServer.IsEmpty()) {
        CQorViewBaseFun::LoadSetting(m_LastServer, loadedUser, loadedPassword, bSavePwd, bAutoLogin, bRememberMe,
                                     m_nStatus);
        m_nStatus = KnownStatusOr3(m_nStatus);
        m_LastServer.nPort = StoredPortOrDefault(m_LastServer.nPort);
        GetLoginStore().LoadLoginStore(m_LastServer.strServer, m_LastServer.nPort);
        if (!bCanSave) {
            loadedUser.Empty();
            loadedPassword.Empty();
            bSavePwd = bAutoLogin = bRememberMe = FALSE;
        }
        m_nCurrentPort = m_LastServer.nPort;
        index = FindServer(m_LastServer.strServer);
        if (m_pByNameDlg)
            m_ByNameMode.ApplyLoadedSettings(loadedUser, loadedPassword, bCanSave, bSavePwd != FALSE);
    } else {
        bSavePwd = CQorViewBaseFun::IsSavePwd();
        bAutoLogin = CQorViewBaseFun::IsAutoLogin();
        index = FindServer(m_LastServer.strServer);
    }

    const LoginFields owned = m_pOwner->GetLoginFields();
    if (!owned.strLoginName.IsEmpty()) {
        // A sign-in is already under way (the command line named the account).
        m_cbServer.SetWindowText(owned.strServerAddr);
        m_strUserName = owned.strLoginName;
        if (owned.nPasswordType == 0)
            m_strPassword = owned.strPassword;
        m_strCurrentAddr = owned.strServerAddr;
        m_nCurrentPort = owned.nServerPort;
    } else {
        m_strUserName = loadedUser;
        m_strPassword = bSavePwd ? loadedPassword : CString();
        if (!m_LastServer.strServer.IsEmpty()) {
            // The server of the last sign-in takes its entry's place (or the first entry's,
            // when the list does not hold it), and the chooser shows it there.
            if (index < 0 && m_arServers.GetSize() > 0)
                index = 0;
            if (index >= 0) {
                m_arServers[index] = m_LastServer;
                DWORD_PTR data = static_cast<DWORD_PTR>(index + 1);
                for (int item = 0; item < m_cbServer.GetCount(); ++item) {
                    if (m_cbServer.GetItemData(item) == data) {
                        m_cbServer.DeleteString(item);
                        m_cbServer.InsertString(item, m_LastServer.strServer);
                        m_cbServer.SetItemData(item, data);
                        index = item;
                        break;
                    }
                }
                m_strCurrentAddr = m_LastServer.strServer;
                m_nCurrentPort = m_LastServer.nPort;
            }
        } else if (m_arServers.GetSize() > 0) {
            // Nothing was signed in to yet: offer the first saved server as it is stored.
            index = 0;
            m_strCurrentAddr = m_arServers[0].strServer;
            m_nCurrentPort = m_arServers[0].nPort;
        }
        m_cbServer.SetCurSel(index);
        // No server to select (a first run): the deselection emptied the chooser, which asks
        // for an address again.
        if (index < 0 && GetServerText().IsEmpty())
            ShowServerPrompt();
    }

    int startupFlags = StartupFlags();
    if (bRememberMe && !(startupFlags & kStartupNoRememberedAccount)) {
        CQorViewMgr* pMgr = CQorViewMgr::Instance();
        if (pMgr && !pMgr->m_strLastAccount.IsEmpty()) {
            CString second;
            CQorViewBaseFun::SeparateAID(pMgr->m_strLastAccount, m_strUserName, second);
            if (bSavePwd && owned.nPasswordType == 0)
                m_strPassword = pMgr->m_strLastPassword;
        }
    } else {
        m_strUserName.Empty();
        m_strPassword.Empty();
    }

    if (startupFlags & kStartupNoServerChoice)
        m_cbServer.EnableWindow(FALSE);

    if (startupFlags & kStartupWindowsAccount) {
        CString windowsUser = ReadEnvironment(L"USERNAME");
        CString domain = ReadEnvironment(L"USERDOMAIN");
        if (domain.CompareNoCase(GetLocalHostName()) != 0) {
            m_nLoginFlags |= kLoginFlagWindowsAccount;
            m_strUserName = windowsUser;
            m_strPassword = kWindowsAccountPassword;
            m_edUser.EnableWindow(FALSE);
            m_edPassword.EnableWindow(FALSE);
        }
    }

    SetStatus(m_nStatus);
    m_chkRememberMe.SetChecked(bRememberMe != FALSE);
    m_chkSavePassword.SetChecked(bSavePwd != FALSE);
    m_chkAutoLogin.SetChecked(bAutoLogin != FALSE);

    _PROXYINFO proxy;
    CQorViewBaseFun::LoadProxy(proxy);
    m_pOwner->SetProxyInfo(proxy.nType, proxy.nFlag, proxy.strHost, proxy.nPort, proxy.strUser, proxy.strPassword,
                           proxy.strDomain);
    if (CQorViewBaseFun::IsAutoRun() && !CQorViewBaseFun::IsWindowsAutoRunKorvel())
        CQorViewBaseFun::SetAutoRun(1);

    UpdateData(FALSE);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Settings: after a successful sign-in

void CKorvelLoginDlg::UpdateConnectedServer()
{
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    if (!pMgr)
        return;
    if (pMgr->m_nUseAltServer == 0)
        SetCurrentServer(pMgr->m_strServerAddr, pMgr->m_nServerPort & 0xFFFF, pMgr->m_strServerName);
    else
        SetCurrentServer(pMgr->m_strAltServerAddr, pMgr->m_nAltServerPort & 0xFFFF, pMgr->m_strServerName);
}

void CKorvelLoginDlg::SetCurrentServer(const CString& strAddress, int nPort, const CString& strName)
{
    m_LastServer.strServer = strAddress;
    m_LastServer.strName = strName;
    m_LastServer.nPort = nPort;
    AddOrUpdateServer(m_LastServer, false);
}

void CKorvelLoginDlg::AddOrUpdateServer(const _SERVERITEM& item, bool bAddToChooser)
{
    int index = FindServer(item.strServer);
    if (index >= 0) {
        m_arServers[index] = item;
        return;
    }
    INT_PTR added = m_arServers.Add(item);
    if (bAddToChooser && m_cbServer.GetSafeHwnd()) {
        int pos = m_cbServer.InsertString(0, item.strServer);
        if (pos >= 0)
            m_cbServer.SetItemData(pos, static_cast<DWORD_PTR>(added + 1));
    }
}

int CKorvelLoginDlg::SaveLoginInfo()
{
    CString user = m_strUserName;
    user.TrimRight();
    // The company may forbid keeping anything of a sign-in: then no saved user, no password
    // and no by-name record is written, only the server list and the status.
    bool bCanSave = CanSaveLoginInfo();
    if (bCanSave) {
        int at = FindSavedUser(user);
        if (at >= 0)
            m_arSavedUsers.RemoveAt(at);
        m_arSavedUsers.InsertAt(0, user);
        CQorViewBaseFun::SaveLoginedUsers(m_arSavedUsers);
    }
    CQorViewBaseFun::SaveServerList(m_arServers);

    bool bRememberMe = m_chkRememberMe.IsChecked();
    bool bSavePwd = m_chkSavePassword.IsChecked();
    bool bAutoLogin = m_chkAutoLogin.IsChecked();

    const LoginFields owned = m_pOwner ? m_pOwner->GetLoginFields() : LoginFields();
    if (m_pOwner && owned.nPasswordType != 0)
        return 1;
    if (!bCanSave) {
        CQorViewBaseFun::SaveSetting(m_LastServer, CString(), CString(), FALSE, FALSE, 0, m_nStatus);
        CQorViewBaseFun::SaveSettingEx(CString(), CString());
        return 1;
    }

    // The by-name record of this account on the server it signed in to.
    SavedLoginRecord record;
    record.strUserKey = user;
    record.strUserName = m_ByNameMode.GetDisplayName();
    record.strDepartment = m_ByNameMode.GetDepartment();
    record.strPassword = bSavePwd ? m_strPassword : CString();
    record.nSavePassword = bSavePwd ? 1 : 0;
    CString address = m_pOwner ? owned.strServerAddr : m_strCurrentAddr;
    int port = m_pOwner ? owned.nServerPort : m_nCurrentPort;
    GetLoginStore().SetLoginRecord(address, port, record);
    GetLoginStore().SaveLoginStore(address, port);

    if (bRememberMe) {
        CQorViewBaseFun::SaveSetting(m_LastServer, user, m_strPassword, bSavePwd, bAutoLogin, 1, m_nStatus);
        if (m_pByNameDlg)
            CQorViewBaseFun::SaveSettingEx(record.strUserName, record.strDepartment);
    } else {
        CQorViewBaseFun::SaveSetting(m_LastServer, CString(), CString(), bSavePwd, bAutoLogin, 0, m_nStatus);
        CQorViewBaseFun::SaveSettingEx(CString(), CString());
    }
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Preset server, first run, network settings, language file

bool CKorvelLoginDlg::LoadPresetServer()
{
    CString file = CQorViewBaseFun::GetWorkDir() + L"\\WebServiceUrl.ini";
    if (!FileExists(file))
        return false;
    wchar_t address[1024] = {};
    ::GetPrivateProfileStringW(L"SERVERIP", L"IpAddr", L"", address, 1024, file);
    if (address[0] == L'\0')
        return false;
    m_strCurrentAddr = address;
    m_bPresetLocked = ::GetPrivateProfileIntW(L"SERVERIP", L"Disable", 0, file) != 0;
    ShowServerInChooser(m_strCurrentAddr);
    return true;
}

void CKorvelLoginDlg::CheckServerSetup()
{
    if (!LoadPresetServer() && m_arServers.GetSize() == 0)
        OpenNetSettings();
}

void CKorvelLoginDlg::OpenNetSettings()
{
    if (!m_pOwner)
        return;
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    if (!pMgr || pMgr->m_bNetSetOpen)
        return;
    pMgr->m_bNetSetOpen = 1;
    CString address = m_strCurrentAddr;
    int port = m_nCurrentPort;
    bool deleted = false;
    INT_PTR result = s_pfnNetSettings ? s_pfnNetSettings(this, address, port, m_bPresetLocked, deleted) : IDCANCEL;
    if (deleted)
        ForgetServersAndUsers();
    if (result == IDOK) {
        m_nCurrentPort = port;
        m_strCurrentAddr = address;
        ShowServerInChooser(m_strCurrentAddr);
    }
    pMgr->m_bNetSetOpen = 0;
    if (result == IDOK && m_pByNameDlg) {
        GetLoginStore().LoadLoginStore(m_strCurrentAddr, m_nCurrentPort);
        m_ByNameMode.FillNames(true);
    }
}

void CKorvelLoginDlg::ForgetServersAndUsers()
{
    m_arServers.RemoveAll();
    m_arSavedUsers.RemoveAll();
    m_LastServer = _SERVERITEM();
    m_edUser.RemoveAllSearchStrings();
    // The chooser keeps showing the current address, now as plain text.
    CString shown = GetServerText();
    m_cbServer.ResetContent();
    m_cbServer.SetWindowText(shown);
}

void CKorvelLoginDlg::InstallLanguageFile()
{
    CString language = m_pOwner ? m_pOwner->GetLanguage() : CString(L"CHS");
    CString source = CQorViewBaseFun::GetWorkDir() + L"\\BaseData";
    if (language == L"CHS")
        source += L"\\chs_lang.ini";
    else if (language == L"CHT")
        source += L"\\cht_lang.ini";
    else
        source += L"\\enu_lang.ini";
    CString target = CQorViewBaseFun::GetKorvelOptionFolder() + L"\\langex.ini";
    // Never replaces a language file the user already has.
    ::CopyFileW(source, target, TRUE);
}
