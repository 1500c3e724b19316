#include "signin/CLoginErrorRow.h"
#include "platform/QorResource/ResourceIds.h"
#include "framework/CWnd.h"

namespace {

RECT RectInParent(HWND hWnd, HWND hParent)
{
    RECT rc = {0, 0, 0, 0};
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(HWND_DESKTOP, hParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

} // namespace

void CLoginErrorRow::Show(const CString& strText, bool bShow)
{
    if (strText.IsEmpty())
        bShow = false;
    const HWND hLabel = ::GetDlgItem(m_panel.GetSafeHwnd(), IDC_ERROR_TEXT);
    const HWND hMark = ::GetDlgItem(m_panel.GetSafeHwnd(), IDC_ERROR_MARK);
    if (hLabel && !m_nOneLine) {
        const RECT rc = RectInParent(hLabel, m_panel.GetSafeHwnd());
        m_nOneLine = rc.bottom - rc.top;
    }
    if (hLabel) {
        ::SetWindowTextW(hLabel, strText);
        Fit(hLabel, bShow ? NeededHeight(hLabel, strText) : m_nOneLine);
        ::ShowWindow(hLabel, bShow ? SW_SHOW : SW_HIDE);
    }
    if (hMark)
        ::ShowWindow(hMark, bShow ? SW_SHOW : SW_HIDE);
}

int CLoginErrorRow::NeededHeight(HWND hLabel, const CString& strText) const
{
    const RECT label = RectInParent(hLabel, m_panel.GetSafeHwnd());
    RECT rc = {0, 0, label.right - label.left, 0};
    HDC hdc = ::GetDC(hLabel);
    if (!hdc)
        return m_nOneLine;
    HGDIOBJ old = ::SelectObject(hdc, reinterpret_cast<HGDIOBJ>(::SendMessageW(hLabel, WM_GETFONT, 0, 0)));
    // As the static control wraps its text when it paints it.
    UINT format = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS;
    if (::GetWindowLongW(hLabel, GWL_STYLE) & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    ::DrawTextW(hdc, strText.GetString(), strText.GetLength(), &rc, format);
    ::SelectObject(hdc, old);
    ::ReleaseDC(hLabel, hdc);
    return rc.bottom > m_nOneLine ? static_cast<int>(rc.bottom) : m_nOneLine;
}

void CLoginErrorRow::Fit(HWND hLabel, int nHeight)
{
    HWND hPanel = m_panel.GetSafeHwnd();
    const RECT label = RectInParent(hLabel, hPanel);
    const int delta = nHeight - (label.bottom - label.top);
    if (!delta)
        return;
    ::MoveWindow(hLabel, label.left, label.top, label.right - label.left, nHeight, TRUE);
    for (HWND hChild = ::GetWindow(hPanel, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(hChild);
        if (hChild == hLabel || id == IDC_ERROR_MARK || id == IDC_NET_SETTINGS || id == IDC_SWITCH_MODE)
            continue;
        const RECT rc = RectInParent(hChild, hPanel);
        if (rc.top >= label.bottom)
            ::MoveWindow(hChild, rc.left, rc.top + delta, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    }
    // The panel and its see-through controls paint again as a whole, so that nothing of the
    // rows' old places stays on the screen.
    ::RedrawWindow(hPanel, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
