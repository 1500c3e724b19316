#include "platform/QorView/CSkinEdit.h"

void CSkinEdit::FitToFontHeigt()
{
    if (!::IsWindow(m_hWnd))
        return;
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)));
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    int border = ::GetSystemMetrics(SM_CYEDGE) * 2 + 2;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, rc.right - rc.left, tm.tmHeight + border,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
