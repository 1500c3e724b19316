#include "app/CKorvelBaseDlg.h"
#include "app/CHotKeys.h"
#include "app/CKorvelApp.h"
#include "app/CLoginPanelHost.h"
#include "app/CStartupTrace.h"
#include "app/CQorTipMgr.h"
#include "app/KorvelMessages.h"
#include "common/CResourceMgr.h"
#include "controls/CWqMemDC.h"
#include "controls/ScaleByDpi.h"
#include "framework/CPaintDC.h"
#include "platform/QorCore/QorCoreIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorMessageBox.h"

namespace {

const UINT kTrayRetryMs = 4000;

// Minimum and maximum tracking sizes of the frame at 96 dots per inch.
const int kMinWidth = 280, kMinHeight = 590;
const int kMaxWidth = 420, kMaxHeight = 2000;

} // namespace

BEGIN_MESSAGE_MAP(CKorvelBaseDlg, CQorDlg)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_MOVING()
    ON_WM_NCMOUSEMOVE()
    ON_WM_EXITSIZEMOVE()
    ON_WM_SYSCOMMAND()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SETTINGCHANGE()
    ON_WM_HOTKEY()
    ON_WM_POWERBROADCAST()
    ON_MESSAGE(WM_LOGIN_NOTIFY, &CKorvelBaseDlg::OnLoginNotify)
    ON_MESSAGE(WM_TRAY_CALLBACK, &CKorvelBaseDlg::OnTrayCallback)
    ON_MESSAGE(WM_DEPT_EXPANDED, &CKorvelBaseDlg::OnSwitchViewTab)
    ON_MESSAGE(WM_USER_DETAILS, &CKorvelBaseDlg::OnUserDetails)
    ON_MESSAGE(WM_NOTHING_603, &CKorvelBaseDlg::OnNothing)
    ON_MESSAGE(WM_OPEN_MSG_MANAGER, &CKorvelBaseDlg::OnOpenMsgManager)
    ON_MESSAGE(WM_STOP_TIP_FLASH, &CKorvelBaseDlg::OnStopTrayFlash)
    ON_MESSAGE(WM_UNREAD_COUNT, &CKorvelBaseDlg::OnUnreadCount)
    ON_MESSAGE(WM_REREGISTER_HOTKEYS, &CKorvelBaseDlg::OnReRegisterHotKeys)
    ON_MESSAGE(WM_SET_TOPMOST, &CKorvelBaseDlg::OnSetTopmost)
    ON_MESSAGE(WM_NEW_MESSAGE, &CKorvelBaseDlg::OnNewMessage)
    ON_MESSAGE(WM_BACK_INTO_SCREEN, &CKorvelBaseDlg::OnBackIntoScreen)
    ON_MESSAGE(WM_LOGIN_START, &CKorvelBaseDlg::StartLogin)
    ON_MESSAGE(WM_ACCOUNT_SIGNED_IN, &CKorvelBaseDlg::OnAccountSignedIn)
    ON_MESSAGE(WM_COPY_DATA_FOLDER, &CKorvelBaseDlg::OnCopyDataFolder)
    ON_MESSAGE(WM_SHOW_STATUS_MENU, &CKorvelBaseDlg::OnStatusMenu)
    ON_MESSAGE(WM_KORVEL_EXIT, &CKorvelBaseDlg::OnExitMessage)
    ON_MESSAGE(WM_CHECK_UPDATE, &CKorvelBaseDlg::OnCheckUpdate)
    ON_MESSAGE(WM_APPLY_UPDATE, &CKorvelBaseDlg::OnApplyUpdate)
    ON_MESSAGE(WM_QUICK_SEND_MSG, &CKorvelBaseDlg::OnQuickSendMsg)
    ON_MESSAGE(WM_TRAY_LBUTTONCLICK, &CKorvelBaseDlg::OnOpenUnreadMsg)
    ON_MESSAGE(WM_TRAY_LBUTTONDBLCLK, &CKorvelBaseDlg::OnTrayDblClick)
    ON_MESSAGE(WM_TRAY_RBUTTONDOWN, &CKorvelBaseDlg::OnStatusMenuAtCursor)
    ON_MESSAGE(WM_TRAY_QUERY_SIGNEDIN, &CKorvelBaseDlg::OnTrayQuerySignedIn)
    ON_MESSAGE(WM_LOGIN_CANCEL, &CKorvelBaseDlg::OnLogoutRequest)
    ON_MESSAGE(WM_WEB_LOGIN_REPLY, &CKorvelBaseDlg::OnWebLoginReply)
    ON_MESSAGE(WM_RAISE_RECEIVED, &CKorvelBaseDlg::OnRaiseReceived)
    ON_MESSAGE(WM_CHANGE_PASSWORD, &CKorvelBaseDlg::OnChangePassword)
    ON_MESSAGE(WM_NOTHING_5003, &CKorvelBaseDlg::OnNothing)
    ON_MESSAGE(WM_NEW_ALERT, &CKorvelBaseDlg::OnNewAlert)
    ON_REGISTERED_MESSAGE(g_uProtocolSendMsg, &CKorvelBaseDlg::OnProtocolSendMsg)
    ON_COMMAND(ID_MENU_OPTIONS, &CKorvelBaseDlg::OnOptions)
    ON_COMMAND(ID_MENU_NOTHING, &CKorvelBaseDlg::OnMenuNothing)
    ON_COMMAND(ID_MENU_SIGN_OUT, &CKorvelBaseDlg::OnLogoutCommand)
    ON_COMMAND_RANGE(ID_STATUS_BUSY, ID_STATUS_BUSY, &CKorvelBaseDlg::OnStatusCommand)
    ON_COMMAND_RANGE(ID_STATUS_DND, ID_STATUS_DND, &CKorvelBaseDlg::OnStatusCommand)
    ON_COMMAND_RANGE(ID_STATUS_ONLINE, ID_STATUS_ONLINE, &CKorvelBaseDlg::OnStatusCommand)
    ON_COMMAND_RANGE(ID_STATUS_INVISIBLE, ID_STATUS_INVISIBLE, &CKorvelBaseDlg::OnStatusCommand)
    ON_COMMAND_RANGE(ID_STATUS_AWAY, ID_STATUS_AWAY, &CKorvelBaseDlg::OnStatusCommand)
    ON_COMMAND(ID_MENU_ABOUT, &CKorvelBaseDlg::OnAbout)
    ON_COMMAND(ID_MENU_ABOUT2, &CKorvelBaseDlg::OnAbout)
    ON_COMMAND(ID_MENU_HELP, &CKorvelBaseDlg::OnHelp)
    ON_COMMAND(ID_MENU_SIGN_IN, &CKorvelBaseDlg::OnLoginCommand)
    ON_COMMAND(ID_MENU_SHOW_MAIN, &CKorvelBaseDlg::OnShowMainWindow)
    ON_COMMAND(ID_MENU_EXIT, &CKorvelBaseDlg::OnExitCommand)
    ON_COMMAND_RANGE(ID_CUSTOM_STATUS_FIRST, ID_CUSTOM_STATUS_LAST, &CKorvelBaseDlg::OnCustomStatus)
END_MESSAGE_MAP()

CKorvelBaseDlg::CKorvelBaseDlg() : CQorDlg(IDD_MAIN_WINDOW, nullptr), m_pTipMgr(new CQorTipMgr)
{
    SetMinimumSize(ScaleByDpi(kMinWidth), ScaleByDpi(kMinHeight));
    SetMaximumSize(ScaleByDpi(kMaxWidth), ScaleByDpi(kMaxHeight));
    EnableMinimumSize(true);
    CWqCoolDlg::EnableMaximumSize(false);
    CQorViewMgr::Instance()->m_pMainWnd = this;
    SetRoundCorner(3, 3);
    m_pTipMgr->SetMainWindow(this);
}

CKorvelBaseDlg::~CKorvelBaseDlg()
{
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    if (pMgr->m_pMainWnd == this)
        pMgr->m_pMainWnd = nullptr;
    // The notification manager goes first: its popup may still report to this window, whose
    // other members must then still be there.
    m_pTipMgr.reset();
}

int CKorvelBaseDlg::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CQorDlg::OnCreate(lpCreateStruct);
}

BOOL CKorvelBaseDlg::OnInitDialog()
{
    CQorDlg::OnInitDialog();
    _Init(this);
    CKorvelApp* pApp = CKorvelApp::GetApp();
    const int startupFlags = pApp ? pApp->m_nStartupFlags : 0;

    SetWindowText(CQorViewBaseFun::LoadStringW(IDS_PRODUCT_TITLE));
    HICON hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_MAINFRAME));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));

    // No taskbar button: the window lives in the tray.
    LONG_PTR exStyle = ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, (exStyle & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW)) | WS_EX_TOOLWINDOW);

    if (CQorViewBaseFun::IsTopMain())
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    pMgr->m_dwVersion = pApp ? pApp->m_dwVersion : 0;
    pMgr->InitSkin();
    CStartupTrace::Mark(L"window-skin");

    // The notification manager (tips and the unread box) reports its clicks to this window.
    m_pTipMgr->SetOwner(this);

    RegisterCallbacks();
    CStartupTrace::Mark(L"window-callbacks");

    m_bmpBackground.LoadBitmap(IDB_MAIN_BK);

    if (startupFlags & STARTUP_DIALOG_STYLE_200)
        m_nDlgStyleFlags |= 0x200;

    if (!(startupFlags & STARTUP_NO_TRAY_ICON)) {
        if (!CreateTrayIcon())
            m_nTrayRetryTimer = SetTimer(TIMER_TRAY_RETRY, kTrayRetryMs, nullptr);
    }
    CStartupTrace::Mark(L"window-tray");

    if (!ShowLoginPanel(TRUE)) {
        if (pApp)
            pApp->m_nStartupFlags &= ~STARTUP_NO_SAVED_POSITION;
        RestorePosition();
    } else if (!(startupFlags & STARTUP_NO_SAVED_POSITION) && !CQorViewBaseFun::IsAutoHideMainWindow()) {
        RestorePosition();
    }

    CStartupTrace::Mark(L"window-sign-in-panel");
    m_AutoHide.Attach(this, CQorViewBaseFun::IsAutoHideMainWindow());

    SetTitleTextPadding(0, -2, 0, 0);
    ApplyMinimumSize();

    CDialog* pLoginPanel = m_Panels.GetLoginPanel();
    if (pApp && (!pApp->m_lpCmdLine || !*pApp->m_lpCmdLine) && pLoginPanel && ::IsWindow(pLoginPanel->GetSafeHwnd()))
        CLoginPanelHost::CheckServerSetup(pLoginPanel);
    return TRUE;
}

void CKorvelBaseDlg::ReleaseCallBacks()
{
    m_Sinks.Release();
}

// What the sign-in road's panels use of their owner

int CKorvelBaseDlg::GetVersionCode() const
{
    CKorvelApp* pApp = CKorvelApp::GetApp();
    return pApp ? static_cast<int>(pApp->m_dwVersion) : 41362;
}

// Posted: the progress panel that asks is still inside its own handler.
void CKorvelBaseDlg::RequestExit() { PostMessage(WM_KORVEL_EXIT, 0, 0); }

// The sign-in road: each member forwards to the flow or the panels.

LRESULT CKorvelBaseDlg::StartLogin(WPARAM, LPARAM)
{
    m_SignIn.StartLogin();
    return 0;
}

void CKorvelBaseDlg::DoLogin() { m_SignIn.DoLogin(); }
BOOL CKorvelBaseDlg::ShowLoginPanel(BOOL bAutoStart) { return m_SignIn.ShowLoginPanel(bAutoStart); }

void CKorvelBaseDlg::ShowWaitPanel()
{
    const LoginFields& fields = m_SignIn.GetLoginFields();
    m_Panels.ShowWaitPanel(fields.strLoginName, fields.strServerAddr);
}

void CKorvelBaseDlg::ShowReconnectPanel(int nStart, int nError) { m_Panels.ShowReconnectPanel(nStart, nError); }
void CKorvelBaseDlg::ShowMainView() { m_Panels.ShowMainView(); }
void CKorvelBaseDlg::CloseLoginPanel() { m_Panels.CloseLoginPanel(); }
void CKorvelBaseDlg::CloseWaitPanel() { m_Panels.CloseWaitPanel(); }
void CKorvelBaseDlg::CloseReconnectPanel() { m_Panels.CloseReconnectPanel(); }
void CKorvelBaseDlg::CloseMessageCentre() { m_MsgCenter.Close(); }
bool CKorvelBaseDlg::OnLoginOK() { return m_SignIn.OnLoginOK(); }
void CKorvelBaseDlg::ShowLoginErrorText(int nError, CString& strCaption) { m_SignIn.ShowLoginErrorText(nError, strCaption); }
void CKorvelBaseDlg::DoLogout() { m_SignIn.DoLogout(); }
void CKorvelBaseDlg::ResetForReconnect(bool bStart) { m_SignIn.ResetForReconnect(bStart); }
bool CKorvelBaseDlg::OnConnectionLost() { return m_SignIn.OnConnectionLost(); }

LRESULT CKorvelBaseDlg::OnLoginNotify(WPARAM wParam, LPARAM lParam)
{
    return m_SignIn.OnLoginNotify(static_cast<int>(wParam), static_cast<int>(lParam));
}

int CKorvelBaseDlg::OnConnectStateChange(long nState, long nParam)
{
    return m_SignIn.OnConnectStateChange(static_cast<int>(nState), static_cast<int>(nParam));
}

// WM_LOGIN_CANCEL: a cancelled or failed sign-in, or a sign-out asked for by the core; wParam 1
// also moves the data folder.
LRESULT CKorvelBaseDlg::OnLogoutRequest(WPARAM wParam, LPARAM)
{
    DoLogout();
    if (wParam == 1)
        PostMessage(WM_COPY_DATA_FOLDER, 0, 0);
    return 0;
}

LRESULT CKorvelBaseDlg::OnWebLoginReply(WPARAM, LPARAM lParam)
{
    m_SignIn.OnWebLoginReply(reinterpret_cast<CWebLoginReply*>(lParam));
    return 0;
}

LRESULT CKorvelBaseDlg::OnNewAlert(WPARAM, LPARAM)
{
    OnConnectionLost();
    return 0;
}

UINT CKorvelBaseDlg::OnPowerBroadcast(UINT nPowerEvent, LPARAM)
{
    m_SignIn.OnPowerBroadcast(nPowerEvent);
    return static_cast<UINT>(Default());
}

void CKorvelBaseDlg::OnLoginCommand() { StartLogin(0, 0); }
void CKorvelBaseDlg::OnLogoutCommand() { DoLogout(); }

int CKorvelBaseDlg::GetStartupFlags() const
{
    CKorvelApp* pApp = CKorvelApp::GetApp();
    return pApp ? pApp->m_nStartupFlags : 0;
}

CString CKorvelBaseDlg::GetLanguage() const
{
    CKorvelApp* pApp = CKorvelApp::GetApp();
    return pApp ? pApp->m_strLanguage : CString(L"CHS");
}

BOOL CKorvelBaseDlg::RefreshAutoHide()
{
    BOOL bAutoHide = CQorViewBaseFun::IsAutoHideMainWindow();
    m_AutoHide.SetAutoHide(bAutoHide);
    return bAutoHide;
}

// Layout

void CKorvelBaseDlg::OnSize(UINT nType, int cx, int cy)
{
    CQorDlg::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED)
        return;
    m_cx = cx;
    m_cy = cy;
    m_Panels.LayoutPanels();
    ::UpdateWindow(m_hWnd);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CKorvelBaseDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    // Drawn off screen and copied once, so that resizing does not flicker.
    CWqMemDC mem(&dc, &rc);
    _PaintBk(&mem);
}

BOOL CKorvelBaseDlg::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// Timers

void CKorvelBaseDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (m_AutoAway.GetTimerId() && nIDEvent == m_AutoAway.GetTimerId()) {
        CheckAutoAway();
    } else if (m_nTrayRetryTimer && nIDEvent == m_nTrayRetryTimer) {
        if (CreateTrayIcon()) {
            m_TrayStatus.ShowStatus(CQorViewMgr::Instance()->m_nUserStatus);
            StopTimer(m_nTrayRetryTimer);
        }
    } else if (m_nUnreadLoadTimer && nIDEvent == m_nUnreadLoadTimer) {
        CQorViewMgr* pMgr = CQorViewMgr::Instance();
        pMgr->LoadUnReadMsg();
        pMgr->m_nUnreadMark = 0;
        if (pMgr->m_pQorConsole)
            pMgr->m_pQorConsole->UnreadLoaded(0);
        StopTimer(m_nUnreadLoadTimer);
    }
    if (RefreshAutoHide())
        m_AutoHide.OnTimer(nIDEvent);
    Default();
}

// Auto-hide hooks

void CKorvelBaseDlg::OnMoving(UINT fwSide, LPRECT pRect)
{
    Default();
    if (RefreshAutoHide())
        m_AutoHide.OnMoving(fwSide, pRect);
}

void CKorvelBaseDlg::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (RefreshAutoHide())
        m_AutoHide.OnNcMouseMove(nHitTest, POINT{point.x, point.y});
    Default();
}

void CKorvelBaseDlg::OnExitSizeMove()
{
    m_AutoHide.OnExitSizeMove();
    Default();
}

void CKorvelBaseDlg::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) == SC_MINIMIZE) {
        SavePosition();
        ShowWindow(SW_HIDE);
        return;
    }
    Default();
}

void CKorvelBaseDlg::OnWindowPosChanged(WINDOWPOS*)
{
    Default();
    const bool docked = m_AutoHide.GetDockSide() != CAutoHide::DOCK_NONE;
    const bool topmost = docked || CQorViewBaseFun::IsTopMain();
    const bool isTopmost = (::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (topmost != isTopmost)
        ::SetWindowPos(m_hWnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The work area changed (a taskbar moved or resized): keep the visible window on it.
void CKorvelBaseDlg::OnSettingChange(UINT uFlags, LPCWSTR)
{
    if (uFlags != SPI_SETWORKAREA || !::IsWindowVisible(m_hWnd))
        return;
    RECT work, rc;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ::GetWindowRect(m_hWnd, &rc);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    const bool inside = rc.left >= 1 && rc.right < work.right + 30;
    if (rc.bottom > work.bottom && inside) {
        rc.top = work.bottom - height;
        rc.bottom = work.bottom;
    }
    if (rc.top < work.top && inside) {
        rc.top = work.top;
        rc.bottom = work.top + height;
    }
    const int side = m_AutoHide.GetDockSide();
    if (work.left != 0 && side == CAutoHide::DOCK_LEFT) {
        rc.left = work.left;
        m_AutoHide.SetDockSide(CAutoHide::DOCK_NONE);
    } else if (work.left == 0 && work.right != screenWidth && side == CAutoHide::DOCK_RIGHT) {
        rc.left = rc.left + work.right - width - screenWidth;
        m_AutoHide.SetDockSide(CAutoHide::DOCK_NONE);
    } else if (work.top != 0 && side == CAutoHide::DOCK_TOP) {
        rc.top = work.top;
        m_AutoHide.SetDockSide(CAutoHide::DOCK_NONE);
    } else if (work.bottom != screenHeight && side == CAutoHide::DOCK_BOTTOM) {
        rc.top = work.bottom - height;
        m_AutoHide.SetDockSide(CAutoHide::DOCK_NONE);
    }
    ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

// Private messages

LRESULT CKorvelBaseDlg::OnTrayCallback(WPARAM wParam, LPARAM lParam)
{
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    return m_TrayStatus.GetTrayIcon().OnTrayNotification(wParam, lParam);
}

LRESULT CKorvelBaseDlg::OnNothing(WPARAM, LPARAM) { return 0; }
// The tray brings this window forward on a click only while the user is signed in.
LRESULT CKorvelBaseDlg::OnTrayQuerySignedIn(WPARAM, LPARAM) { return IsSignedIn() ? 1 : 0; }

LRESULT CKorvelBaseDlg::OnSetTopmost(WPARAM wParam, LPARAM)
{
    ::SetWindowPos(m_hWnd, wParam ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return 0;
}

// Back onto the screen after the window was docked at an edge.
LRESULT CKorvelBaseDlg::OnBackIntoScreen(WPARAM, LPARAM)
{
    const int side = m_AutoHide.GetDockSide();
    if (side == CAutoHide::DOCK_NONE)
        return 0;
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    const int width = rc.right - rc.left;
    int height = rc.bottom - rc.top;
    int left = rc.left, top = 8;
    if (side == CAutoHide::DOCK_LEFT || side == CAutoHide::DOCK_RIGHT) {
        left = side == CAutoHide::DOCK_LEFT ? 8 : ::GetSystemMetrics(SM_CXSCREEN) - 8 - width;
        // The height from before the window was docked at the side; a window that never had
        // one (docked before any height was saved) keeps its own rather than collapse.
        if (m_AutoHide.GetSavedHeight() > 0)
            height = m_AutoHide.GetSavedHeight();
    }
    ::MoveWindow(m_hWnd, left, top, width, height, TRUE);
    return 1;
}

LRESULT CKorvelBaseDlg::OnAccountSignedIn(WPARAM, LPARAM)
{
    CString format = CQorViewBaseFun::LoadStringW(IDS_ACCOUNT_SIGNED_IN);
    CString text = format;
    const LoginFields& fields = m_SignIn.GetLoginFields();
    DWORD_PTR args[] = {reinterpret_cast<DWORD_PTR>(fields.strServerAddr.GetString()),
                        reinterpret_cast<DWORD_PTR>(fields.strLoginName.GetString())};
    wchar_t* buffer = nullptr;
    if (!format.IsEmpty() &&
        ::FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                         format.GetString(), 0, 0, reinterpret_cast<LPWSTR>(&buffer), 0,
                         reinterpret_cast<va_list*>(args))) {
        text = buffer;
        ::LocalFree(buffer);
    }
    QorMessageBox(text, CQorViewBaseFun::LoadStringW(IDS_MSGBOX_CAPTION), this, MB_OK);
    ShowWindow(SW_SHOW);
    return 0;
}

// The message centre, created on first use and kept; a request while its lists are busy with
// a long task is dropped.
LRESULT CKorvelBaseDlg::OnOpenMsgManager(WPARAM wParam, LPARAM)
{
    const CString request = wParam ? CString(reinterpret_cast<LPCWSTR>(wParam)) : CString();
    m_MsgCenter.Open(request, this, this, m_SignIn.GetLoginFields().strServerAddr);
    return 0;
}

LRESULT CKorvelBaseDlg::OnExitMessage(WPARAM, LPARAM)
{
    OnExit();
    return 0;
}

// Commands

void CKorvelBaseDlg::OnMenuNothing() {}

void CKorvelBaseDlg::OnExitCommand()
{
    OnExit();
}

// Way out

void CKorvelBaseDlg::OnExit()
{
    m_MsgCenter.CancelLongTasks();
    CQorViewMgr::Instance()->StopAudioEnginee();
    DestroyWindow();
}

BOOL CKorvelBaseDlg::DestroyWindow()
{
    StopTimer(m_nTrayRetryTimer);
    StopTimer(m_nUnreadLoadTimer);
    if (::IsWindow(m_hWnd))
        CHotKeys::UnregisterAll(m_hWnd);
    return CQorDlg::DestroyWindow();
}

void CKorvelBaseDlg::StopTimer(UINT_PTR& nTimer)
{
    if (!nTimer)
        return;
    KillTimer(nTimer);
    nTimer = 0;
}

void CKorvelBaseDlg::PostNcDestroy()
{
    CQorDlg::PostNcDestroy();
    if (CKorvelApp* pApp = CKorvelApp::GetApp()) {
        if (pApp->m_pMainDlg == this)
            pApp->m_pMainDlg = nullptr;
    }
    delete this;
}

// Typing while the frame itself holds the focus (nothing inside it was clicked) goes to the text
// box of the view library's main panel, as if the user had clicked there first. A key goes to the
// window with the focus, so the message's own window tells where the focus is.
BOOL CKorvelBaseDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && m_hWnd && pMsg->hwnd == m_hWnd) {
        CQorViewMgr* pMgr = CQorViewMgr::Instance();
        HWND hPanel = pMgr->m_pKorvelDlg ? pMgr->m_pKorvelDlg->GetSafeHwnd() : nullptr;
        HWND hEdit = pMgr->m_pKorvelDlgEdit ? pMgr->m_pKorvelDlgEdit->GetSafeHwnd() : nullptr;
        if (hPanel && ::IsWindow(hPanel) && hEdit && ::IsWindow(hEdit)) {
            ::SetFocus(hEdit);
            ::PostMessageW(hEdit, pMsg->message, pMsg->wParam, pMsg->lParam);
            return TRUE;
        }
    }
    return CQorDlg::PreTranslateMessage(pMsg);
}
