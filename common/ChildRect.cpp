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
