#include "platform/QorView/CxStatusButton.h"

// Room for the status icon (11 pixels and a gap) before the text, and a margin after it.
void CxStatusButton::SetSize()
{
    if (!::IsWindow(m_hWnd))
        return;
    wchar_t text[128] = {};
    int len = ::GetWindowTextW(m_hWnd, text, 128);
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)));
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text, len, &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx + 11 + 4 + 16, rc.bottom - rc.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
