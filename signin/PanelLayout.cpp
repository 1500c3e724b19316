#include "signin/PanelLayout.h"

void CenterPanelControls(HWND hDlg, int cx, std::initializer_list<UINT> controlIds)
{
    for (UINT id : controlIds) {
        HWND hCtrl = ::GetDlgItem(hDlg, static_cast<int>(id));
        if (!hCtrl)
            continue;
        RECT rc;
        ::GetWindowRect(hCtrl, &rc);
        ::MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rc), 2);
        const int width = rc.right - rc.left;
        ::SetWindowPos(hCtrl, nullptr, (cx - width) / 2, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

int PanelSizeClass(int cy)
{
    if (cy >= 494)
        return 0;
    return cy > 409 ? 1 : 2;
}

HBRUSH PanelTextBrush(HDC hDC, UINT nCtlColor)
{
    if (nCtlColor != CTLCOLOR_STATIC || !hDC)
        return nullptr;
    ::SetBkMode(hDC, TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
}
