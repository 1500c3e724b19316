#include "framework/CToolTipCtrl.h"
#include "framework/ControlMessage.h"
#include "framework/ModuleState.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    BOOL ok = CWnd::CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | dwStyle,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, nullptr);
    if (ok)
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return ok;
}

// The structure size of comctl32 5.x: later sizes are refused by libraries without a
// version 6 manifest, and nothing here needs the fields added since.
void CToolTipCtrl::FillInToolInfo(TTTOOLINFOW& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    ZeroMemory(&ti, sizeof(ti));
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    HWND hwnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    if (nIDTool == 0) {
        ti.hwnd = ::GetParent(hwnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = reinterpret_cast<UINT_PTR>(hwnd);
    } else {
        ti.hwnd = hwnd;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCWSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (!pWnd || !pWnd->GetSafeHwnd())
        return FALSE;
    TTTOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool)
        ti.rect = *lpRectTool;
    ti.hinst = AfxGetResourceHandle();
    ti.lpszText = const_cast<LPWSTR>(lpszText);
    return AfxSendTyped<BOOL>(m_hWnd, TTM_ADDTOOLW, 0, &ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    return AddTool(pWnd, MAKEINTRESOURCEW(nIDText), lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    AfxSendTyped(m_hWnd, TTM_DELTOOLW, 0, &ti);
}

void CToolTipCtrl::UpdateTipText(LPCWSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.hinst = AfxGetResourceHandle();
    ti.lpszText = const_cast<LPWSTR>(lpszText ? lpszText : L"");
    AfxSendTyped(m_hWnd, TTM_UPDATETIPTEXTW, 0, &ti);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    if (!lpRect)
        return;
    TTTOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    AfxSendTyped(m_hWnd, TTM_NEWTOOLRECTW, 0, &ti);
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    str.Empty();
    TTTOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (!AfxSendTyped<BOOL>(m_hWnd, TTM_GETTOOLINFOW, 0, &ti))
        return;
    // TTM_GETTEXT has no buffer size (before version 6): give it the documented maximum.
    wchar_t buffer[1024] = {};
    ti.lpszText = buffer;
    AfxSendTyped(m_hWnd, TTM_GETTEXTW, 0, &ti);
    buffer[1023] = L'\0';
    str = buffer;
}

BOOL CToolTipCtrl::GetToolInfo(TTTOOLINFOW* lpToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const
{
    if (!lpToolInfo)
        return FALSE;
    FillInToolInfo(*lpToolInfo, pWnd, nIDTool);
    return AfxSendTyped<BOOL>(m_hWnd, TTM_GETTOOLINFOW, 0, lpToolInfo);
}

int CToolTipCtrl::GetToolCount() const { return AfxSendTyped(m_hWnd, TTM_GETTOOLCOUNT); }
void CToolTipCtrl::RelayEvent(LPMSG lpMsg) { if (lpMsg) AfxSendTyped(m_hWnd, TTM_RELAYEVENT, 0, lpMsg); }
void CToolTipCtrl::Activate(BOOL bActivate) { AfxSendTyped(m_hWnd, TTM_ACTIVATE, bActivate); }
int CToolTipCtrl::SetMaxTipWidth(int iWidth) { return AfxSendTyped(m_hWnd, TTM_SETMAXTIPWIDTH, 0, iWidth); }
void CToolTipCtrl::SetDelayTime(UINT nDelay) { AfxSendTyped(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(nDelay, 0)); }
void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime) { AfxSendTyped(m_hWnd, TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
int CToolTipCtrl::GetDelayTime(DWORD dwDuration) const { return AfxSendTyped(m_hWnd, TTM_GETDELAYTIME, dwDuration); }
void CToolTipCtrl::SetTipBkColor(COLORREF clr) { AfxSendTyped(m_hWnd, TTM_SETTIPBKCOLOR, clr); }
void CToolTipCtrl::SetTipTextColor(COLORREF clr) { AfxSendTyped(m_hWnd, TTM_SETTIPTEXTCOLOR, clr); }
void CToolTipCtrl::Pop() { AfxSendTyped(m_hWnd, TTM_POP); }
void CToolTipCtrl::Update() { AfxSendTyped(m_hWnd, TTM_UPDATE); }
