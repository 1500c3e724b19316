#include "common/ChildRect.h"

bool GetChildRect(HWND hParent, UINT nID, RECT* pRect)
{
    HWND hChild = hParent ? ::GetDlgItem(hParent, static_cast<int>(nID)) : nullptr;
    if (!hChild || !pRect)
        return false;
    ::GetWindowRect(hChild, pRect);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(pRect), 2);
    return true;
}

void SetSeeThroughLabelText(HWND hLabel, LPCWSTR pszText)
{
    HWND hParent = ::IsWindow(hLabel) ? ::GetParent(hLabel) : nullptr;
    if (!hParent)
        return;
    const bool visible = ::IsWindowVisible(hLabel) != FALSE;
    RECT rc;
    ::GetWindowRect(hLabel, &rc);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rc), 2);
    ::ShowWindow(hLabel, SW_HIDE);
    ::SetWindowTextW(hLabel, pszText ? pszText : L"");
    ::RedrawWindow(hParent, &rc, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (visible)
        ::ShowWindow(hLabel, SW_SHOW);
}
