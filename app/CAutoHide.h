#pragma once
// Screen-edge docking of the main window: what the main window frame keeps and asks of it.
// The docking itself (sliding in and out at an edge, timers 155 and 156) comes with the window
// services; until then the object only keeps its state, and its handlers leave the window as
// it is.
#include "framework/Platform.h"

class CWnd;

class CAutoHide {
public:
    enum DockSide { DOCK_NONE = 0, DOCK_TOP = 1, DOCK_BOTTOM = 2, DOCK_LEFT = 3, DOCK_RIGHT = 4 };

    // Starts the object's own timers on the window (none yet).
    void Start(CWnd* pWnd) { m_pWnd = pWnd; }
    void SetAutoHide(BOOL bAutoHide) { m_bAutoHide = bAutoHide; }
    BOOL IsAutoHide() const { return m_bAutoHide; }
    int GetDockSide() const { return m_nDockSide; }
    void SetDockSide(int nSide) { m_nDockSide = nSide; }
    // The height the window had before it was docked at the left or right edge.
    int GetSavedHeight() const { return m_nSavedHeight; }
    void SetSavedHeight(int nHeight) { m_nSavedHeight = nHeight; }

    void OnTimer(UINT_PTR) {}
    void OnMoving(UINT, LPRECT) {}
    void OnNcMouseMove(UINT, POINT) {}
    void OnExitSizeMove() {}

private:
    CWnd* m_pWnd = nullptr; // the main window; not owned
    BOOL m_bAutoHide = FALSE;
    int m_nDockSide = DOCK_NONE;
    int m_nSavedHeight = 0;
};
