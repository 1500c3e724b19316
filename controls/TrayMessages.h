#pragma once
// The messages the tray icon sends to its target window (the main window). The numbers are part
// of the interface between the tray and its target; the main window's list
// (app/KorvelMessages.h) takes them from here.
#include "framework/Platform.h"

enum TrayMessage : UINT {
    WM_TRAY_LBUTTONCLICK = WM_USER + 2901,   // 3925: single left click, wParam 0
    WM_TRAY_LBUTTONDBLCLK = WM_USER + 2902,  // 3926: left double click, wParam = icon id
    WM_TRAY_RBUTTONDOWN = WM_USER + 2903,    // 3927: right button press (the target shows its menu)
    WM_TRAY_RBUTTONDBLCLK = WM_USER + 2904,  // 3928: right double click
    // Sent by the tray to its target before a click that brings the target forward: a non-zero
    // answer means the user is signed in. A window that does not handle it answers 0.
    WM_TRAY_QUERY_SIGNEDIN = WM_USER + 2905,
};
