#include "controls/CTrayIcon.h"
#include "framework/CWinApp.h"
#include "framework/CWinThread.h"
#include "framework/ModuleState.h"
#include "platform/QorView/CxMenu.h"
#include <commctrl.h>
#include <cmath>

IMPLEMENT_DYNAMIC(CTrayIcon, CWnd)

int CTrayIcon::m_nMaxTooltipLength = 64;
HWND CTrayIcon::m_hWndInvisible = nullptr;
UINT CTrayIcon::m_nTaskbarCreatedMsg = 0;
CTrayIcon::ShellNotifyFn CTrayIcon::m_pfnShellNotify = ::Shell_NotifyIconW;

namespace {

// The shell-5 layout (with the balloon fields and the item GUID): 952 bytes in 32-bit code.
const DWORD kIconDataSize = NOTIFYICONDATAW_V3_SIZE;
#ifndef _WIN64
static_assert(NOTIFYICONDATAW_V3_SIZE == 952, "the shell-5 icon data of a 32-bit program");
#endif

// Copies at most maxChars - 1 characters and terminates.
void CopyTruncated(wchar_t* dest, size_t maxChars, LPCWSTR src)
{
    if (!src)
        src = L"";
    size_t i = 0;
    for (; i + 1 < maxChars && src[i]; ++i)
        dest[i] = src[i];
    dest[i] = 0;
}

// Windows 2000 and later (NT 5) accept NIF_STATE and balloons.
BOOL HasStateSupport()
{
    OSVERSIONINFOW vi = {sizeof(vi)};
    if (!::GetVersionExW(&vi))
        return FALSE;
    return vi.dwPlatformId == VER_PLATFORM_WIN32_NT && vi.dwMajorVersion >= 5;
}

} // namespace

BEGIN_MESSAGE_MAP(CTrayIcon, CWnd)
    ON_WM_TIMER()
    ON_WM_SETTINGCHANGE()
    ON_REGISTERED_MESSAGE(CTrayIcon::m_nTaskbarCreatedMsg, &CTrayIcon::OnTaskbarCreated)
END_MESSAGE_MAP()

UINT CTrayIcon::GetTaskbarCreatedMessage()
{
    if (!m_nTaskbarCreatedMsg)
        m_nTaskbarCreatedMsg = ::RegisterWindowMessageW(L"TaskbarCreated");
    return m_nTaskbarCreatedMsg;
}

CTrayIcon::ShellNotifyFn CTrayIcon::SetShellNotifyFunction(ShellNotifyFn pfn)
{
    ShellNotifyFn old = m_pfnShellNotify;
    m_pfnShellNotify = pfn ? pfn : ::Shell_NotifyIconW;
    return old;
}

CTrayIcon::CTrayIcon()
{
    Initialise();
}

CTrayIcon::CTrayIcon(CWnd* pParent, UINT uCallbackMessage, LPCWSTR szTip, HICON icon, UINT uID, BOOL bHidden,
                     LPCWSTR szBalloonTip, LPCWSTR szBalloonTitle, DWORD dwBalloonIcon, UINT uBalloonTimeout)
{
    Initialise();
    Create(pParent, uCallbackMessage, szTip, icon, uID, bHidden, szBalloonTip, szBalloonTitle, dwBalloonIcon,
           uBalloonTimeout);
}

void CTrayIcon::Initialise()
{
    ZeroMemory(&m_tnd, sizeof(m_tnd));
    m_bStateSupport = HasStateSupport();
    m_hCursor = static_cast<HCURSOR>(::CopyImage(::LoadCursorW(nullptr, IDC_ARROW), IMAGE_CURSOR, 0, 0, 0));
    GetTaskbarCreatedMessage();
}

CTrayIcon::~CTrayIcon()
{
    HideIcon();
    RemoveIcon();
    m_IconList.RemoveAll();
    DestroyWindow();
    if (m_hCursor)
        ::DestroyCursor(m_hCursor);
    if (m_wndTip.m_hWnd)
        m_wndTip.DestroyWindow();
}

BOOL CTrayIcon::Notify(DWORD dwMessage)
{
    return m_pfnShellNotify(dwMessage, &m_tnd);
}

BOOL CTrayIcon::Create(CWnd* pParent, UINT uCallbackMessage, LPCWSTR szTip, HICON icon, UINT uID, BOOL bHidden,
                       LPCWSTR szBalloonTip, LPCWSTR szBalloonTitle, DWORD dwBalloonIcon, UINT uBalloonTimeout)
{
    // The low byte of the version is the major version: 4 (Windows 95 / NT 4) brought the
    // notification area.
    m_bEnabled = LOBYTE(LOWORD(::GetVersion())) >= 4;
    if (!m_bEnabled)
        return FALSE;

    m_nMaxTooltipLength = kMaxTipLength;
    if (!m_hWnd)
        CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr);

    ZeroMemory(&m_tnd, sizeof(m_tnd));
    m_tnd.cbSize = kIconDataSize;
    m_tnd.hWnd = (pParent && pParent->GetSafeHwnd()) ? pParent->GetSafeHwnd() : m_hWnd;
    m_tnd.uID = uID;
    m_tnd.hIcon = icon;
    m_tnd.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_tnd.uCallbackMessage = uCallbackMessage;
    SetTipText(szTip);

    const bool balloon = m_bStateSupport && szBalloonTip;
    if (balloon) {
        m_tnd.uFlags |= NIF_INFO;
        CopyTruncated(m_tnd.szInfo, 256, szBalloonTip);
        CopyTruncated(m_tnd.szInfoTitle, 64, szBalloonTitle);
        m_tnd.uTimeout = uBalloonTimeout * 1000;
        m_tnd.dwInfoFlags = dwBalloonIcon;
    }

    m_bHidden = bHidden;
    m_bWantHidden = bHidden;
    if (m_bStateSupport && bHidden) {
        // Added hidden, but with its image, tip and callback, so that showing it later shows
        // a working icon and not an empty one.
        m_tnd.uFlags |= NIF_STATE;
        m_tnd.dwState = NIS_HIDDEN;
        m_tnd.dwStateMask = NIS_HIDDEN;
    }
    m_uCreationFlags = m_tnd.uFlags;

    BOOL bResult = TRUE;
    if (!bHidden || m_bStateSupport) {
        bResult = Notify(NIM_ADD);
        m_bHidden = m_bRemoved = m_bAddPending = !bResult;
        if (bResult && bHidden)
            m_bHidden = TRUE;
    } else {
        // Without state flags a hidden icon is not added at all; ShowIcon adds it.
        bResult = FALSE;
    }

    if (balloon) {
        m_tnd.szInfo[0] = 0;
        m_tnd.uFlags &= ~NIF_INFO;
    }
    return bResult;
}

void CTrayIcon::SetTipText(LPCWSTR pszTip)
{
    CopyTruncated(m_tnd.szTip, static_cast<size_t>(m_nMaxTooltipLength), pszTip);
}

// ---------------------------------------------------------------------------------------------
// Adding, removing, hiding, showing

BOOL CTrayIcon::RemoveIcon()
{
    m_bAddPending = FALSE;
    if (!m_bEnabled || m_bRemoved)
        return TRUE;
    const UINT oldFlags = m_tnd.uFlags;
    m_tnd.uFlags = 0;
    if (!Notify(NIM_DELETE)) {
        m_tnd.uFlags = oldFlags;
        return FALSE;
    }
    m_bRemoved = m_bHidden = TRUE;
    return TRUE;
}

BOOL CTrayIcon::AddIcon()
{
    if (!m_bRemoved)
        RemoveIcon();
    if (!m_bEnabled)
        return !m_bRemoved;
    m_tnd.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    if (m_bStateSupport) {
        // An icon that was once added hidden must come back visible.
        m_tnd.uFlags |= NIF_STATE;
        m_tnd.dwState = 0;
        m_tnd.dwStateMask = NIS_HIDDEN;
    }
    m_bWantHidden = FALSE;
    if (!Notify(NIM_ADD)) {
        m_bAddPending = TRUE;
        return !m_bRemoved;
    }
    m_bHidden = m_bRemoved = FALSE;
    return TRUE;
}

BOOL CTrayIcon::HideIcon()
{
    m_bWantHidden = TRUE;
    if (!m_bEnabled || m_bRemoved || m_bHidden)
        return TRUE;
    if (!m_bStateSupport) {
        RemoveIcon();
        return m_bHidden;
    }
    m_tnd.uFlags = NIF_STATE;
    m_tnd.dwState = NIS_HIDDEN;
    m_tnd.dwStateMask = NIS_HIDDEN;
    m_bHidden = Notify(NIM_MODIFY);
    return m_bHidden;
}

BOOL CTrayIcon::ShowIcon()
{
    m_bWantHidden = FALSE;
    if (m_bRemoved)
        return AddIcon();
    if (!m_bHidden)
        return TRUE;
    if (!m_bStateSupport) {
        AddIcon();
        return !m_bHidden;
    }
    // Image, tip and callback changed while hidden were only stored: send them with the state.
    m_tnd.uFlags = NIF_STATE | NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_tnd.dwState = 0;
    m_tnd.dwStateMask = NIS_HIDDEN;
    if (Notify(NIM_MODIFY))
        m_bHidden = FALSE;
    return !m_bHidden;
}

void CTrayIcon::RetryPendingAdd()
{
    // An icon that failed to go in is not shown either; what keeps it out of the retry is only
    // that its owner asked for it to be hidden.
    if (!m_bAddPending || m_bWantHidden)
        return;
    m_tnd.uFlags = m_uCreationFlags & ~(NIF_INFO | NIF_STATE);
    if (m_bStateSupport) {
        m_tnd.uFlags |= NIF_STATE;
        m_tnd.dwState = 0;
        m_tnd.dwStateMask = NIS_HIDDEN;
    }
    const BOOL bAdded = Notify(NIM_ADD);
    m_bHidden = m_bRemoved = m_bAddPending = !bAdded;
}

// ---------------------------------------------------------------------------------------------
// Image, tip, callback, window

BOOL CTrayIcon::SetIcon(HICON hIcon)
{
    if (!m_bEnabled)
        return FALSE;
    m_tnd.uFlags = NIF_ICON;
    m_tnd.hIcon = hIcon;
    if (m_bHidden)
        return TRUE;
    return Notify(NIM_MODIFY);
}

HICON CTrayIcon::LoadTrayIcon(LPCWSTR lpszName)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HICON hIcon = static_cast<HICON>(::LoadImageW(hInst, lpszName, IMAGE_ICON, 0, 0, 0));
    if (!hIcon && hInst != AfxGetInstanceHandle())
        hIcon = static_cast<HICON>(::LoadImageW(AfxGetInstanceHandle(), lpszName, IMAGE_ICON, 0, 0, 0));
    return hIcon;
}

BOOL CTrayIcon::SetIcon(LPCWSTR lpszIconName)
{
    return SetIcon(LoadTrayIcon(lpszIconName));
}

BOOL CTrayIcon::SetIcon(UINT nIDResource)
{
    return SetIcon(MAKEINTRESOURCEW(nIDResource));
}

BOOL CTrayIcon::SetStandardIcon(LPCWSTR lpIconName)
{
    return SetIcon(::LoadIconW(nullptr, lpIconName));
}

BOOL CTrayIcon::SetIconKeep(HICON hIcon)
{
    m_hSavedIcon = hIcon;
    return SetIcon(hIcon);
}

BOOL CTrayIcon::SetIconKeep(LPCWSTR lpszIconName)
{
    return SetIconKeep(LoadTrayIcon(lpszIconName));
}

BOOL CTrayIcon::SetIconKeep(UINT nIDResource)
{
    return SetIconKeep(MAKEINTRESOURCEW(nIDResource));
}

HICON CTrayIcon::GetIcon() const
{
    return m_bEnabled ? m_tnd.hIcon : nullptr;
}

BOOL CTrayIcon::SetTooltipText(LPCWSTR pszTip)
{
    if (!m_bEnabled)
        return FALSE;
    m_tnd.uFlags = NIF_TIP;
    SetTipText(pszTip);
    if (m_bHidden)
        return TRUE;
    return Notify(NIM_MODIFY);
}

BOOL CTrayIcon::SetTooltipText(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return SetTooltipText(text);
}

CString CTrayIcon::GetTooltipText() const
{
    return m_bEnabled ? CString(m_tnd.szTip) : CString();
}

BOOL CTrayIcon::ShowBalloonText(LPCWSTR szText, LPCWSTR szTitle, DWORD dwIcon, UINT uTimeout)
{
    if (!m_bStateSupport)
        return FALSE;
    m_tnd.uFlags = NIF_INFO;
    CopyTruncated(m_tnd.szInfo, 256, szText);
    CopyTruncated(m_tnd.szInfoTitle, 64, szTitle);
    m_tnd.dwInfoFlags = dwIcon;
    m_tnd.uTimeout = uTimeout * 1000;
    const BOOL bResult = Notify(NIM_MODIFY);
    // Later modifications must not raise the balloon again.
    m_tnd.szInfo[0] = 0;
    return bResult;
}

BOOL CTrayIcon::SetCallbackMessage(UINT uCallbackMessage)
{
    if (!m_bEnabled)
        return FALSE;
    m_tnd.uFlags = NIF_MESSAGE;
    m_tnd.uCallbackMessage = uCallbackMessage;
    if (m_bHidden)
        return TRUE;
    return Notify(NIM_MODIFY);
}

UINT CTrayIcon::GetCallbackMessage() const
{
    return m_tnd.uCallbackMessage;
}

BOOL CTrayIcon::SetNotifyWnd(CWnd* pWnd)
{
    if (!m_bEnabled || !pWnd || !::IsWindow(pWnd->GetSafeHwnd()))
        return FALSE;
    const HWND hNew = pWnd->GetSafeHwnd();
    // The shell knows an icon by its window and id: a modification naming another window
    // reaches no icon. The icon moves by leaving under the old window and coming back under
    // the new one, in the state it had.
    if (m_bRemoved || hNew == m_tnd.hWnd) {
        m_tnd.hWnd = hNew;
        return TRUE;
    }
    m_tnd.uFlags = 0;
    if (!Notify(NIM_DELETE))
        return FALSE;
    m_tnd.hWnd = hNew;
    return AddCurrentIcon(m_bWantHidden);
}

CWnd* CTrayIcon::GetNotifyWnd() const
{
    return CWnd::FromHandle(m_tnd.hWnd);
}

BOOL CTrayIcon::FocusIcon()
{
    if (!m_bEnabled)
        return FALSE;
    return Notify(NIM_SETFOCUS);
}

BOOL CTrayIcon::SetTargetWnd(CWnd* pTargetWnd)
{
    m_pTargetWnd = pTargetWnd;
    return TRUE;
}

CWnd* CTrayIcon::GetTargetWnd() const
{
    return m_pTargetWnd ? m_pTargetWnd : AfxGetMainWnd();
}

void CTrayIcon::ShowTipWindow(LPCWSTR szText, int nSeconds)
{
    if (!m_wndTip.m_hWnd) {
        m_wndTip.CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr);
    }
    if (!m_wndTip.m_hWnd)
        return;
    m_wndTip.MoveWindow(100, 100, 100, 100);
    TTTOOLINFOW ti = {};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    ti.hwnd = m_hWnd;
    ti.uId = 1;
    ti.lpszText = const_cast<LPWSTR>(szText ? szText : L"");
    if (!m_wndTip.SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti)) &&
        !m_wndTip.SendMessage(TTM_GETTOOLCOUNT))
        m_wndTip.SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    m_wndTip.SendMessage(TTM_TRACKPOSITION, 0, MAKELPARAM(100, 100));
    m_wndTip.SendMessage(TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    m_wndTip.ShowWindow(SW_SHOWNOACTIVATE);
    if (nSeconds >= 1 && m_hWnd)
        SetTimer(kTipTimerId, nSeconds * 1000);
}

// ---------------------------------------------------------------------------------------------
// Animation

BOOL CTrayIcon::LoadIconRange(UINT nIDStart, UINT nIDEnd)
{
    if (nIDStart > nIDEnd || !AfxGetApp())
        return FALSE;
    m_IconList.RemoveAll();
    for (UINT id = nIDStart; id <= nIDEnd; ++id) {
        HICON hIcon = LoadTrayIcon(MAKEINTRESOURCEW(id));
        if (hIcon)
            m_IconList.Add(hIcon);
        if (id == 0xFFFF)
            break;
    }
    return TRUE;
}

BOOL CTrayIcon::SetIconFrames(const HICON* phIcons, int nCount)
{
    m_IconList.RemoveAll();
    for (int i = 0; phIcons && i < nCount; ++i)
        m_IconList.Add(phIcons[i]);
    return TRUE;
}

double CTrayIcon::GetNow() const
{
    FILETIME ft;
    ::GetSystemTimeAsFileTime(&ft);
    ULARGE_INTEGER t;
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    return static_cast<double>(t.QuadPart) / (10000000.0 * 86400.0);
}

BOOL CTrayIcon::StartIconAnimation(UINT nDelayMs, int nSeconds)
{
    StopIconAnimation();
    m_nCurrentIcon = 0;
    m_StartTime = GetNow();
    m_nAnimationPeriod = nSeconds;
    m_hSavedIcon = GetIcon();
    if (!m_hWnd)
        return FALSE;
    m_uIDTimer = SetTimer(kAnimationTimerId, nDelayMs);
    return m_uIDTimer != 0;
}

BOOL CTrayIcon::StepIconAnimation()
{
    if (m_IconList.IsEmpty())
        return FALSE;
    ++m_nCurrentIcon;
    if (m_nCurrentIcon >= m_IconList.GetSize())
        m_nCurrentIcon = 0;
    return SetIcon(m_IconList[m_nCurrentIcon]);
}

BOOL CTrayIcon::StopIconAnimation()
{
    BOOL bResult = FALSE;
    if (m_uIDTimer && m_hWnd)
        bResult = KillTimer(m_uIDTimer);
    m_uIDTimer = 0;
    if (m_hSavedIcon)
        SetIcon(m_hSavedIcon);
    m_hSavedIcon = nullptr;
    return bResult;
}

// ---------------------------------------------------------------------------------------------
// Menu

BOOL CTrayIcon::SetMenuDefaultItem(UINT uItem, BOOL bByPos)
{
    if (m_DefaultMenuItemID == uItem && m_DefaultMenuItemByPos == bByPos)
        return TRUE;
    // The icon's menu (the menu resource with the icon's id) must exist; the choice is kept
    // for whoever shows that menu (GetMenuDefaultItem), since a menu loaded here would be
    // gone again on return.
    CxMenu menu;
    if (!menu.LoadMenu(m_tnd.uID))
        return FALSE;
    CMenu* pSubMenu = menu.GetSubMenu(0);
    if (!pSubMenu)
        return FALSE;
    m_DefaultMenuItemID = uItem;
    m_DefaultMenuItemByPos = bByPos;
    return TRUE;
}

void CTrayIcon::GetMenuDefaultItem(UINT& uItem, BOOL& bByPos) const
{
    uItem = m_DefaultMenuItemID;
    bByPos = m_DefaultMenuItemByPos;
}

// ---------------------------------------------------------------------------------------------
// Messages

LRESULT CTrayIcon::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // When the icon reports to the tray's own window, its callbacks arrive here.
    if (message == m_tnd.uCallbackMessage && m_tnd.uCallbackMessage != 0)
        OnTrayNotification(wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CTrayIcon::IsTargetSignedIn(CWnd* pTarget) const
{
    return pTarget && pTarget->GetSafeHwnd() && pTarget->SendMessage(WM_TRAY_QUERY_SIGNEDIN) != 0;
}

LRESULT CTrayIcon::OnTrayNotification(WPARAM wParam, LPARAM lParam)
{
    if (wParam != m_tnd.uID)
        return 0;
    CWnd* pTarget = GetTargetWnd();
    if (!pTarget || !pTarget->GetSafeHwnd())
        return 0;
    const UINT mouse = LOWORD(lParam);
    if (mouse < WM_LBUTTONDOWN || mouse > WM_RBUTTONDBLCLK)
        return 1;

    const CTrayClickAction action = m_clicks.OnMouseMessage(mouse, m_tnd.uID);
    if (action.bKillClickTimer && m_hWnd)
        KillTimer(kClickTimerId);
    if (action.bStartClickTimer && m_hWnd)
        SetTimer(kClickTimerId, CTrayClickTranslator::kClickTimerMs);
    if (action.bForegroundIfSignedIn && IsTargetSignedIn(pTarget))
        pTarget->SetForegroundWindow();
    if (action.nMessage)
        pTarget->SendMessage(action.nMessage, action.wParam, 0);
    return 1;
}

void CTrayIcon::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTipTimerId) {
        // The tip's time is up: it goes.
        KillTimer(kTipTimerId);
        if (m_wndTip.m_hWnd) {
            TTTOOLINFOW ti = {};
            ti.cbSize = sizeof(ti);
            ti.hwnd = m_hWnd;
            ti.uId = 1;
            m_wndTip.SendMessage(TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
            m_wndTip.ShowWindow(SW_HIDE);
        }
        return;
    }
    if (nIDEvent == kClickTimerId) {
        KillTimer(kClickTimerId);
        CWnd* pTarget = GetTargetWnd();
        if (!pTarget || !pTarget->GetSafeHwnd())
            return;
        const CTrayClickAction action = m_clicks.OnClickTimer();
        if (!action.nMessage)
            return;
        if (action.bForegroundIfSignedIn && IsTargetSignedIn(pTarget))
            pTarget->SetForegroundWindow();
        pTarget->SendMessage(action.nMessage, action.wParam, 0);
        return;
    }
    if (nIDEvent == m_uIDTimer && m_uIDTimer != 0) {
        const double elapsedDays = GetNow() - m_StartTime;
        const long long elapsedSeconds = std::llround(elapsedDays * 86400.0);
        if (m_nAnimationPeriod > 0 && elapsedSeconds > m_nAnimationPeriod)
            StopIconAnimation();
        else
            StepIconAnimation();
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

void CTrayIcon::OnSettingChange(UINT uFlags, LPCWSTR lpszSection)
{
    CWnd::OnSettingChange(uFlags, lpszSection);
    if (uFlags == SPI_SETWORKAREA)
        RetryPendingAdd();
}

LRESULT CTrayIcon::OnTaskbarCreated(WPARAM, LPARAM)
{
    // The shell restarted and forgot the icon: add it again, once, with the current image and
    // tip, and hidden when its owner hid it.
    if (m_bEnabled)
        AddCurrentIcon(m_bWantHidden);
    return 0;
}

BOOL CTrayIcon::AddCurrentIcon(BOOL bHidden)
{
    m_tnd.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    if (m_bStateSupport) {
        m_tnd.uFlags |= NIF_STATE;
        m_tnd.dwState = bHidden ? NIS_HIDDEN : 0;
        m_tnd.dwStateMask = NIS_HIDDEN;
    } else if (bHidden) {
        // Without the state flag a hidden icon is one that is not in the notification area.
        m_bRemoved = m_bHidden = TRUE;
        m_bAddPending = FALSE;
        return TRUE;
    }
    const BOOL bAdded = Notify(NIM_ADD);
    m_bRemoved = m_bAddPending = !bAdded;
    m_bHidden = !bAdded || bHidden;
    return bAdded;
}

// ---------------------------------------------------------------------------------------------
// Window animations

namespace {

// The notification window gives the rectangle; the clock inside it is cut off and ends the walk.
BOOL CALLBACK TrayChildProc(HWND hWnd, LPARAM lParam)
{
    RECT* pRect = reinterpret_cast<RECT*>(lParam);
    wchar_t cls[64] = {};
    ::GetClassNameW(hWnd, cls, 64);
    if (lstrcmpiW(cls, L"TrayNotifyWnd") == 0) {
        ::GetWindowRect(hWnd, pRect);
        return TRUE;
    }
    if (lstrcmpiW(cls, L"TrayClockWClass") == 0) {
        RECT clock;
        ::GetWindowRect(hWnd, &clock);
        if (clock.bottom >= pRect->bottom - 5)
            pRect->right = clock.left;
        else
            pRect->top = clock.bottom;
        return FALSE;
    }
    return TRUE;
}

} // namespace

BOOL CTrayIcon::GetTrayRect(RECT* pRect)
{
    UINT edge = 0;
    return GetTrayRect(pRect, &edge);
}

BOOL CTrayIcon::GetTrayRect(RECT* pRect, UINT* pEdge)
{
    if (!pRect)
        return FALSE;
    if (pEdge) {
        APPBARDATA abd = {sizeof(abd)};
        abd.hWnd = ::FindWindowW(L"Shell_TrayWnd", nullptr);
        *pEdge = static_cast<UINT>(-1);
        if (abd.hWnd && ::SHAppBarMessage(ABM_GETTASKBARPOS, &abd))
            *pEdge = abd.uEdge;
    }
    HWND hTray = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    if (hTray) {
        ::GetWindowRect(hTray, pRect);
        ::EnumChildWindows(hTray, TrayChildProc, reinterpret_cast<LPARAM>(pRect));
        // A taskbar window of no size (a shell without a visible bar) gives no target: the
        // app-bar query or the work area below does.
        if (pRect->right > pRect->left && pRect->bottom > pRect->top)
            return TRUE;
    }

    APPBARDATA abd = {sizeof(abd)};
    if (::SHAppBarMessage(ABM_GETTASKBARPOS, &abd)) {
        const RECT& bar = abd.rc;
        if (abd.uEdge == ABE_LEFT || abd.uEdge == ABE_RIGHT) {
            pRect->left = bar.left;
            pRect->right = bar.right;
            pRect->top = bar.bottom - 100;
            pRect->bottom = bar.bottom - 16;
        } else {
            pRect->top = bar.top;
            pRect->bottom = bar.bottom;
            pRect->left = bar.right - 100;
            pRect->right = bar.right - 16;
        }
        return TRUE;
    }

    RECT work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    work.left = work.right - 150;
    work.top = work.bottom - 30;
    *pRect = work;
    return TRUE;
}

namespace {

bool MinimiseAnimationOn()
{
    ANIMATIONINFO info = {sizeof(info)};
    ::SystemParametersInfoW(SPI_GETANIMATION, sizeof(info), &info, 0);
    return info.iMinAnimate != 0;
}

LRESULT CALLBACK InvisibleWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

} // namespace

void CTrayIcon::HideTaskbarButton(CWnd* pWnd)
{
    if (!pWnd || !pWnd->GetSafeHwnd())
        return;
    if (!m_hWndInvisible || !::IsWindow(m_hWndInvisible)) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = InvisibleWndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KorvelTrayHiddenOwner";
        ::RegisterClassW(&wc);
        m_hWndInvisible = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                            wc.hInstance, nullptr);
    }
    if (m_hWndInvisible)
        ::SetWindowLongPtrW(pWnd->GetSafeHwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(m_hWndInvisible));
}

void CTrayIcon::AnimateWindowToTray(CWnd* pWnd)
{
    if (!pWnd || !pWnd->GetSafeHwnd())
        return;
    if (MinimiseAnimationOn()) {
        RECT from, to;
        pWnd->GetWindowRect(&from);
        GetTrayRect(&to);
        ::DrawAnimatedRects(pWnd->GetSafeHwnd(), IDANI_CAPTION, &from, &to);
    }
    HideTaskbarButton(pWnd);
    pWnd->ModifyStyle(WS_VISIBLE, 0);
}

void CTrayIcon::AnimateWindowFromTray(CWnd* pWnd)
{
    if (!pWnd || !pWnd->GetSafeHwnd())
        return;
    HWND hWnd = pWnd->GetSafeHwnd();
    ::SetWindowLongPtrW(hWnd, GWLP_HWNDPARENT, 0);
    if (MinimiseAnimationOn()) {
        RECT from, to;
        GetTrayRect(&from);
        pWnd->GetWindowRect(&to);
        ::DrawAnimatedRects(hWnd, IDANI_CAPTION, &from, &to);
    }
    pWnd->ModifyStyle(0, WS_VISIBLE);
    pWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    if (m_hWndInvisible && ::IsWindow(m_hWndInvisible))
        ::SetActiveWindow(m_hWndInvisible);
    pWnd->SetActiveWindow();
    pWnd->SetForegroundWindow();
}
