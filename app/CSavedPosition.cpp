#include "app/CSavedPosition.h"
#include "platform/QorView/CQorViewBaseFun.h"

RECT CSavedPosition::RectToSave(const RECT& rcWindow, bool bMinOrMax, const RECT& rcRestored, int nMaxHeight)
{
    RECT rc = bMinOrMax ? rcRestored : rcWindow;
    // A maximum of 0 is no maximum: destruction clears it before the last save, and a cap of 0
    // would bring the window back with no height at all.
    if (nMaxHeight > 0 && rc.bottom - rc.top > nMaxHeight)
        rc.bottom = rc.top + nMaxHeight;
    return rc;
}

RECT CSavedPosition::RectToRestore(int nLeft, int nTop, int nWidth, int nHeight, SIZE own, SIZE screen, bool& bSaved)
{
    bSaved = nLeft != -1;
    if (!bSaved) {
        const int left = (screen.cx - own.cx) / 2, top = (screen.cy - own.cy) / 2;
        return RECT{left, top, left + own.cx, top + own.cy};
    }
    const int width = nWidth > 0 ? nWidth : own.cx;
    const int height = nHeight > 0 ? nHeight : own.cy;
    RECT rc = {nLeft, nTop, nLeft + width, nTop + height};
    CQorViewBaseFun::CalculateRect(rc);
    return rc;
}

void CSavedPosition::Save(HWND hWnd, int nMaxHeight)
{
    if (!::IsWindow(hWnd))
        return;
    RECT rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    WINDOWPLACEMENT placement = {sizeof(placement)};
    const bool bMinOrMax = ::IsIconic(hWnd) || ::IsZoomed(hWnd);
    if (bMinOrMax)
        ::GetWindowPlacement(hWnd, &placement);
    RECT rc = RectToSave(rcWindow, bMinOrMax, placement.rcNormalPosition, nMaxHeight);
    CQorViewBaseFun::SaveKorvelBaseDlgPro(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

void CSavedPosition::Restore(HWND hWnd, bool bKeepHidden)
{
    if (!::IsWindow(hWnd))
        return;
    int left = -1, top = -1, width = -1, height = -1;
    CQorViewBaseFun::GetKorvelBaseDlgPro(left, top, width, height);
    RECT rcOwn;
    ::GetWindowRect(hWnd, &rcOwn);
    const SIZE own = {rcOwn.right - rcOwn.left, rcOwn.bottom - rcOwn.top};
    const SIZE screen = {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    bool bSaved = false;
    RECT rc = RectToRestore(left, top, width, height, own, screen, bSaved);
    ::SetWindowPos(hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | (bKeepHidden ? SWP_HIDEWINDOW : SWP_SHOWWINDOW));
}
