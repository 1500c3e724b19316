#pragma once
// Screen-edge docking of the main window. Dragged to the top, bottom, left or right edge of the
// primary work area, the window docks there; once the mouse leaves it, it slides away until a
// 2-pixel sliver is left on screen, and the mouse on its frame slides it back in.
//
// The main window feeds four messages: WM_MOVING (after its default handling), WM_NCMOUSEMOVE
// (before it), WM_EXITSIZEMOVE and WM_TIMER, the first three and the last only while the user's
// auto-hide setting is on. The object then drives two timers on that window: 155 checks whether
// the mouse is still near the window (the hover check), 156 moves the window one step of a slide.
// The arithmetic of docking and sliding is in static functions, so that it can be checked without
// a window.
#include "framework/Platform.h"

class CWnd;

class CAutoHide {
public:
    enum DockSide { DOCK_NONE = 0, DOCK_TOP = 1, DOCK_BOTTOM = 2, DOCK_LEFT = 3, DOCK_RIGHT = 4 };
    enum : UINT_PTR { kHoverTimerId = 155, kSlideTimerId = 156 };
    enum : UINT {
        kFirstHoverMs = 50,   // the hover check from Attach
        kHoverMs = 200,       // the hover check after a slide-in started
        kSlideMs = 5,         // one slide step
    };
    enum : int {
        kEdgeDistance = 30,   // how near an edge the cursor docks the window
        kSliver = 2,          // what stays on screen of a hidden window
        kHoverMargin = 10,    // the hover box is the window grown by this on every side
        kRestoreClamp = 590,  // a restored height is clamped to the work area only below this top
    };

    CAutoHide() = default;
    virtual ~CAutoHide() = default;
    CAutoHide(const CAutoHide&) = delete;
    CAutoHide& operator=(const CAutoHide&) = delete;

// Pure decisions
    // Where a drag to (cursor) docks the window whose current rectangle is rcWindow: rewrites
    // rcDrag (the rectangle being dragged) for a dock and answers the dock side (DOCK_NONE
    // leaves rcDrag as it is). A side dock keeps its height in *pSavedHeight when that is 0.
    static int DockForMove(POINT cursor, const RECT& rcWindow, const RECT& rcWork, int nScreenWidth, RECT& rcDrag,
                           int* pSavedHeight);
    // One step of a slide of a window docked at nDock: rcNew is where the window goes next.
    // Answers true when the slide has reached its end (always for DOCK_NONE, which moves
    // nothing: rcNew is rcWindow).
    static bool SlideStep(int nDock, bool bHide, const RECT& rcWindow, const RECT& rcWork, RECT& rcNew);
    // The bottom of a window that left a side dock: its top plus the height it had before,
    // clamped to the work area when the window starts high enough to fit a full-size frame.
    static int RestoredBottom(const RECT& rcWindow, int nSavedHeight, const RECT& rcWork);

// The window's messages
    // Remembers the window (not owned) and, when auto-hide is on, starts the first hover check.
    void Attach(CWnd* pWnd, BOOL bAutoHide);
    // The user's setting as the window last read it. Switching it off stops the hover check and
    // any slide, since the window no longer forwards their ticks.
    void SetAutoHide(BOOL bAutoHide);
    BOOL IsAutoHide() const { return m_bAutoHide; }
    void OnMoving(UINT fwSide, LPRECT pRect);
    void OnNcMouseMove(UINT nHitTest, POINT point);
    void OnExitSizeMove();
    void OnTimer(UINT_PTR nIDEvent);
    // Slides a docked window in (bShow) or out; nothing when it is not docked.
    void Slide(BOOL bShow);

// State
    int GetDockSide() const { return m_nDock; }
    void SetDockSide(int nSide) { m_nDock = nSide; }
    // The height the window had before a side dock stretched it; 0 when none is kept.
    int GetSavedHeight() const { return m_nSavedHeight; }
    void SetSavedHeight(int nHeight) { m_nSavedHeight = nHeight; }
    BOOL IsHoverActive() const { return m_bHoverActive; }
    BOOL IsSliding() const { return m_bSlideTimer; }
    BOOL IsHiding() const { return m_bHiding; }

private:
    HWND GetHwnd() const;
    void StartTimer(UINT_PTR nId, UINT nMs);
    void StopTimer(UINT_PTR nId);
    void StartSlide(BOOL bHide);
    void Step();
    static RECT WorkArea();

    BOOL m_bAttached = FALSE;
    CWnd* m_pWnd = nullptr;         // the main window; not owned
    int m_nSavedHeight = 0;
    BOOL m_bRestorePending = FALSE; // left a side dock: restore the height at the end of the drag
    BOOL m_bSideDocked = FALSE;
    BOOL m_bHoverActive = FALSE;
    int m_nDock = DOCK_NONE;
    BOOL m_bSlideDone = TRUE;
    BOOL m_bHiding = FALSE;
    BOOL m_bAutoHide = FALSE;
    BOOL m_bHoverTimer = FALSE;     // which of the two timers runs
    BOOL m_bSlideTimer = FALSE;
};
