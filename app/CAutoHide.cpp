#include "app/CAutoHide.h"
#include "framework/CWnd.h"

int CAutoHide::DockForMove(POINT cursor, const RECT& rcWindow, const RECT& rcWork, int nScreenWidth, RECT& rcDrag,
                           int* pSavedHeight)
{
    const int h = rcDrag.bottom - rcDrag.top;
    const int w = rcDrag.right - rcDrag.left;
    // The top edge only docks where no taskbar sits above the work area; the bottom edge only
    // where one does (its own edge then is the work area's, not the screen's).
    if (cursor.y <= kEdgeDistance && rcWindow.top < kEdgeDistance && rcWork.top == 0) {
        rcDrag.top = -kSliver;
        rcDrag.bottom = h - kSliver;
        return DOCK_TOP;
    }
    if (cursor.y >= rcWork.bottom - kEdgeDistance && rcWork.top != 0) {
        rcDrag.bottom = rcWork.bottom - kSliver;
        rcDrag.top = rcWork.bottom - h - kSliver;
        return DOCK_BOTTOM;
    }
    const bool left = cursor.x < kEdgeDistance && rcWork.left == 0;
    const bool right = !left && cursor.x >= rcWork.right - kEdgeDistance && rcWork.right == nScreenWidth;
    if (!left && !right)
        return DOCK_NONE;
    if (left) {
        rcDrag.left = 0;
        rcDrag.right = w;
    } else {
        rcDrag.right = rcWork.right;
        rcDrag.left = rcWork.right - w;
    }
    // A side dock stretches the window down the edge: its own height is kept for later.
    if (pSavedHeight && *pSavedHeight == 0)
        *pSavedHeight = h;
    rcDrag.top = -kSliver;
    return left ? DOCK_LEFT : DOCK_RIGHT;
}

bool CAutoHide::SlideStep(int nDock, bool bHide, const RECT& r, const RECT& wa, RECT& rcNew)
{
    rcNew = r;
    const int h = r.bottom - r.top;
    const int w = r.right - r.left;
    bool done = false;
    switch (nDock) {
    case DOCK_TOP:
        if (bHide) {
            rcNew.bottom = r.bottom - h / 10;
            if (rcNew.bottom < kSliver + 1) {
                rcNew.bottom = kSliver;
                done = true;
            }
            rcNew.top = rcNew.bottom - h;
        } else {
            rcNew.top = r.top + h / 10;
            if (rcNew.top >= -kSliver) {
                rcNew.top = -kSliver;
                done = true;
            }
            rcNew.bottom = rcNew.top + h;
        }
        break;
    case DOCK_BOTTOM:
        if (bHide) {
            rcNew.top = r.top + h / 10;
            if (rcNew.top >= wa.bottom) {
                rcNew.top = wa.bottom - kSliver;
                done = true;
            }
            rcNew.bottom = rcNew.top + h;
        } else if (r.bottom > wa.bottom - kSliver) {
            rcNew.top = r.top - h / 10;
            rcNew.bottom = rcNew.top + h;
        } else {
            rcNew.bottom = wa.bottom - kSliver;
            rcNew.top = rcNew.bottom - h;
            done = true;
        }
        break;
    case DOCK_LEFT:
        if (bHide) {
            rcNew.right = r.right - w / 10;
            if (rcNew.right < kSliver + 1) {
                rcNew.right = kSliver;
                done = true;
            }
        } else {
            rcNew.right = r.right + w / 10;
            if (rcNew.right >= w) {
                rcNew.right = w;
                done = true;
            }
        }
        rcNew.left = rcNew.right - w;
        rcNew.top = wa.top;
        rcNew.bottom = wa.bottom;
        break;
    case DOCK_RIGHT:
        if (bHide) {
            rcNew.left = r.left + w / 10;
            if (rcNew.left >= wa.right - kSliver) {
                rcNew.left = wa.right - kSliver;
                done = true;
            }
        } else {
            rcNew.left = r.left - w / 10;
            if (rcNew.left <= wa.right - w) {
                rcNew.left = wa.right - w;
                done = true;
            }
        }
        rcNew.right = rcNew.left + w;
        rcNew.top = wa.top;
        rcNew.bottom = wa.bottom;
        break;
    default:
        // Not docked (any more): there is nowhere to slide, so the slide is over.
        return true;
    }
    return done;
}

int CAutoHide::RestoredBottom(const RECT& r, int nSavedHeight, const RECT& wa)
{
    int bottom = r.top + nSavedHeight;
    if (r.top + kRestoreClamp < wa.bottom && bottom > wa.bottom)
        bottom = wa.bottom;
    return bottom;
}

RECT CAutoHide::WorkArea()
{
    RECT wa = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0);
    return wa;
}

HWND CAutoHide::GetHwnd() const
{
    HWND hWnd = m_pWnd ? m_pWnd->GetSafeHwnd() : nullptr;
    return hWnd && ::IsWindow(hWnd) ? hWnd : nullptr;
}

void CAutoHide::StartTimer(UINT_PTR nId, UINT nMs)
{
    HWND hWnd = GetHwnd();
    if (!hWnd || !::SetTimer(hWnd, nId, nMs, nullptr))
        return;
    (nId == kHoverTimerId ? m_bHoverTimer : m_bSlideTimer) = TRUE;
}

void CAutoHide::StopTimer(UINT_PTR nId)
{
    if (HWND hWnd = GetHwnd())
        ::KillTimer(hWnd, nId);
    (nId == kHoverTimerId ? m_bHoverTimer : m_bSlideTimer) = FALSE;
}

void CAutoHide::Attach(CWnd* pWnd, BOOL bAutoHide)
{
    m_bAttached = TRUE;
    m_pWnd = pWnd;
    m_bAutoHide = bAutoHide;
    // Without auto-hide nothing would read the hover check's ticks: no timer at all then.
    if (bAutoHide)
        StartTimer(kHoverTimerId, kFirstHoverMs);
}

void CAutoHide::SetAutoHide(BOOL bAutoHide)
{
    m_bAutoHide = bAutoHide;
    if (bAutoHide)
        return;
    if (m_bHoverTimer)
        StopTimer(kHoverTimerId);
    if (m_bSlideTimer)
        StopTimer(kSlideTimerId);
    m_bHoverActive = FALSE;
    m_bSlideDone = TRUE;
}

void CAutoHide::OnMoving(UINT, LPRECT pRect)
{
    HWND hWnd = GetHwnd();
    if (!hWnd || !pRect)
        return;
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    RECT rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    const int dock = DockForMove(cursor, rcWindow, WorkArea(), ::GetSystemMetrics(SM_CXSCREEN), *pRect,
                                 &m_nSavedHeight);
    if (dock == DOCK_LEFT || dock == DOCK_RIGHT)
        m_bSideDocked = TRUE;
    if (dock == DOCK_NONE) {
        if (m_bSideDocked) {
            m_bSideDocked = FALSE;
            m_bRestorePending = TRUE;
        }
        if (m_bHoverActive && m_bHoverTimer) {
            StopTimer(kHoverTimerId);
            m_bHoverActive = FALSE;
        }
    }
    m_nDock = dock;
}

void CAutoHide::OnNcMouseMove(UINT, POINT point)
{
    if (m_nDock == DOCK_NONE || m_bHoverActive || point.x >= WorkArea().right + kHoverMargin)
        return;
    StartTimer(kHoverTimerId, kHoverMs);
    m_bHoverActive = TRUE;
    StartSlide(FALSE);
}

void CAutoHide::OnExitSizeMove()
{
    HWND hWnd = GetHwnd();
    if (!hWnd || !m_nSavedHeight || m_nDock != DOCK_NONE || !m_bRestorePending)
        return;
    RECT r;
    ::GetWindowRect(hWnd, &r);
    const int bottom = RestoredBottom(r, m_nSavedHeight, WorkArea());
    ::MoveWindow(hWnd, r.left, r.top, r.right - r.left, bottom - r.top, TRUE);
    m_bRestorePending = FALSE;
    m_nSavedHeight = 0;
}

void CAutoHide::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHoverTimerId) {
        HWND hWnd = GetHwnd();
        if (!hWnd)
            return;
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        RECT rcHover;
        ::GetWindowRect(hWnd, &rcHover);
        ::InflateRect(&rcHover, kHoverMargin, kHoverMargin);
        if (!::PtInRect(&rcHover, cursor)) {
            StopTimer(kHoverTimerId);
            m_bHoverActive = FALSE;
            StartSlide(TRUE);
        }
    } else if (nIDEvent == kSlideTimerId) {
        if (m_bSlideDone)
            StopTimer(kSlideTimerId);
        else
            Step();
    }
}

void CAutoHide::Slide(BOOL bShow)
{
    if (m_nDock != DOCK_NONE)
        StartSlide(!bShow);
}

void CAutoHide::StartSlide(BOOL bHide)
{
    m_bSlideDone = FALSE;
    m_bHiding = bHide;
    StartTimer(kSlideTimerId, kSlideMs);
}

void CAutoHide::Step()
{
    HWND hWnd = GetHwnd();
    if (!hWnd) {
        m_bSlideDone = TRUE;
        return;
    }
    RECT r, rcNew;
    ::GetWindowRect(hWnd, &r);
    if (SlideStep(m_nDock, m_bHiding != FALSE, r, WorkArea(), rcNew))
        m_bSlideDone = TRUE;
    if (m_nDock == DOCK_NONE) {
        // Undocked while sliding (dragged away, or the work area changed): nothing more to do,
        // so the 5 ms timer goes at once instead of ticking on for nothing.
        StopTimer(kSlideTimerId);
        return;
    }
    ::MoveWindow(hWnd, rcNew.left, rcNew.top, rcNew.right - rcNew.left, rcNew.bottom - rcNew.top, TRUE);
}
