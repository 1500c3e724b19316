#include "signin/CKorvelLoginDlg.h"
#include "framework/CDataExchange.h"
#include "framework/FormatString.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CxFrameHelper.h"
#include "platform/QorView/QorMessageBox.h"
#include "platform/QorView/QorViewMessages.h"
#include "signin/CKorvelLoginByNameDlg.h"

namespace {

// Error codes the main window reports, and the field each one concerns.
const int kErrorServerUnreachable = 10060;
const int kErrorUnknownUser = 205;
const int kErrorWrongPassword = 208;

} // namespace

CKorvelLoginDlg::NetSettingsRunner CKorvelLoginDlg::s_pfnNetSettings = nullptr;

BEGIN_MESSAGE_MAP(CKorvelLoginDlg, CDialog)
    ON_BN_CLICKED(IDC_LOGIN_BUTTON, &CKorvelLoginDlg::OnLoginButton)
    ON_WM_SIZE()
    ON_MESSAGE(WM_QORVIEW_SKIN_CLICK, &CKorvelLoginDlg::OnSkinChildNotify)
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

CKorvelLoginDlg::CKorvelLoginDlg(ILoginOwner* pOwner, bool bAutoStart)
    : CDialog(IDD_LOGIN_DIALOG), m_pOwner(pOwner), m_bAutoStart(bAutoStart)
{
}

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
    // The boxes show the model's account; what the user typed goes back into it.
    CString loginName = m_Settings.GetLoginName();
    CString password = m_Settings.GetPassword();
    DDX_Text(pDX, IDC_USER_EDIT, loginName);
    DDX_Text(pDX, IDC_PASSWORD_EDIT, password);
    if (pDX->m_bSaveAndValidate) {
        m_Settings.SetLoginName(loginName);
        m_Settings.SetPassword(password);
    }
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
    if (m_Settings.GetPassword().IsEmpty())
        m_edPassword.SetFocus();
    if (m_Settings.GetLoginName().IsEmpty())
        m_edUser.SetFocus();
    if (server.IsEmpty()) {
        InstallLanguageFile();
        ShowServerPrompt();
        m_cbServer.SetFocus();
    }

    OnUserNameChange();
    RefreshBrandingForServerText();
    ShowLoginError(FALSE, CString(), 0);

    if (StartupFlags() & STARTUP_NO_REMEMBERED_ACCOUNT)
        HideCheckBoxes();

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
    m_btnStatus.SetIconIndexByStatus(m_Settings.GetStatus());
    for (const LoginStatusChoice& choice : LoginSettings::StatusChoices())
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
    m_ByNameMode.TakeChosenAccount();

    UpdateData(TRUE);
    switch (m_Settings.CheckSignIn()) {
    case LoginSettings::REFUSED_NO_LOGIN_NAME:
        m_edUser.SetFocus();
        m_ByNameMode.FocusName();
        return false;
    case LoginSettings::REFUSED_NO_SERVER:
        QorMessageBox(CQorViewBaseFun::LoadStringW(IDS_ENTER_SERVER), CQorViewBaseFun::LoadStringW(IDS_LOGIN_CAPTION),
                      this, MB_OK, MB_ICONWARNING);
        return false;
    case LoginSettings::REFUSED_NONE:
        break;
    }
    if (!m_pOwner)
        return true;
    m_pOwner->SetLoginFields(m_Settings.SignInFields());
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

// ---------------------------------------------------------------------------------------------
// Check boxes: each change reaches the view library's settings at once (LoginSettings).

bool CKorvelLoginDlg::IsAutoLoginChecked() const
{
    return m_chkAutoLogin.GetSafeHwnd() && m_chkAutoLogin.IsChecked();
}

void CKorvelLoginDlg::HideCheckBoxes()
{
    m_chkRememberMe.ShowWindow(SW_HIDE);
    m_chkSavePassword.ShowWindow(SW_HIDE);
    m_chkAutoLogin.ShowWindow(SW_HIDE);
}

LoginChecks CKorvelLoginDlg::ReadChecks() const
{
    LoginChecks checks;
    checks.bRememberMe = m_chkRememberMe.IsChecked();
    checks.bSavePassword = m_chkSavePassword.IsChecked();
    checks.bAutoLogin = m_chkAutoLogin.IsChecked();
    return checks;
}

void CKorvelLoginDlg::ShowChecks(const LoginChecks& checks)
{
    m_chkRememberMe.SetChecked(checks.bRememberMe);
    m_chkSavePassword.SetChecked(checks.bSavePassword);
    m_chkAutoLogin.SetChecked(checks.bAutoLogin);
}

void CKorvelLoginDlg::OnCheckChanged(LoginCheckBox box)
{
    const LoginChecks checks = m_Settings.ApplyCheck(box, ReadChecks());
    ShowChecks(checks);
    if (!m_pOwner)
        return;
    LoginFields fields = m_pOwner->GetLoginFields();
    if (box == CHECK_SAVE_PASSWORD && !checks.bSavePassword) {
        // The password goes from the box and from the next sign-in too.
        m_edPassword.SetWindowText(L"");
        fields.strPassword.Empty();
        m_pOwner->SetLoginFields(fields);
    } else if (box == CHECK_REMEMBER_ME && !checks.bRememberMe) {
        fields.strLoginName.Empty();
        m_pOwner->SetLoginFields(fields);
    }
}

void CKorvelLoginDlg::OnSavePasswordCheck() { OnCheckChanged(CHECK_SAVE_PASSWORD); }
void CKorvelLoginDlg::OnAutoLoginCheck() { OnCheckChanged(CHECK_AUTO_LOGIN); }
void CKorvelLoginDlg::OnRememberMeCheck() { OnCheckChanged(CHECK_REMEMBER_ME); }

// ---------------------------------------------------------------------------------------------
// Status, mode, mouse

void CKorvelLoginDlg::OnStatusChoice(UINT nID)
{
    if (const LoginStatusChoice* pChoice = LoginSettings::FindStatusChoice(nID)) {
        m_Settings.SetStatus(pChoice->nStatus);
        SetStatus(pChoice->nStatus);
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

// ---------------------------------------------------------------------------------------------
// What the by-name mode uses of the panel

CWnd* CKorvelLoginDlg::GetMainWnd() { return m_pOwner ? m_pOwner->GetLoginOwnerWnd() : nullptr; }

void CKorvelLoginDlg::ShowAccountRows(bool bShow)
{
    int show = bShow ? SW_SHOW : SW_HIDE;
    m_edPassword.ShowWindow(show);
    m_edUser.ShowWindow(show);
    m_lblPasswordCaption.ShowWindow(show);
    m_lblUserCaption.ShowWindow(show);
    // The icons of the two rows (the server row's icon stays).
    for (int i = 1; i < 5; ++i) {
        if (m_pIconWnds[i])
            m_pIconWnds[i]->ShowWindow(show);
    }
}

bool CKorvelLoginDlg::IsSavePasswordChecked() const { return m_chkSavePassword.IsChecked(); }

void CKorvelLoginDlg::SetSavePasswordChecked(bool bChecked)
{
    if (m_chkSavePassword.GetSafeHwnd())
        m_chkSavePassword.SetChecked(bChecked);
}

void CKorvelLoginDlg::ShowAccount()
{
    if (GetSafeHwnd())
        UpdateData(FALSE);
}
