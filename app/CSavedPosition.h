#pragma once
// Where the main window was: saved as left, top, width and height by the view library when the
// window is hidden, minimised or destroyed, and restored at start.
#include "framework/Platform.h"

class CSavedPosition {
public:
    CSavedPosition() = delete;

    // The rectangle to keep: the window's, or its restored rectangle while it is minimised or
    // maximised; the height capped at nMaxHeight when a maximum is set (above 0).
    static RECT RectToSave(const RECT& rcWindow, bool bMinOrMax, const RECT& rcRestored, int nMaxHeight);
    // Where the window goes at start: the saved rectangle (a missing or empty width or height
    // takes the window's own), fitted to the screen by the view library; without a saved left,
    // the window's own size centred on the screen. bSaved tells which.
    static RECT RectToRestore(int nLeft, int nTop, int nWidth, int nHeight, SIZE own, SIZE screen, bool& bSaved);

    static void Save(HWND hWnd, int nMaxHeight);
    // Places the window; bKeepHidden places it without showing it.
    static void Restore(HWND hWnd, bool bKeepHidden);
};
