#pragma once
// Turns the shell's mouse callbacks for a notification-area icon into the tray's four click
// messages. A left press waits for the 500 ms click timer so that a double click that follows
// yields only the double-click message. Plain state, no window: the tray icon owns the timer
// and does what the returned action asks.
#include "framework/Platform.h"

// Messages the tray icon sends to its target window.
enum : UINT {
    WM_TRAY_LBUTTONCLICK = WM_USER + 2901,   // 3925: single left click, wParam 0
    WM_TRAY_LBUTTONDBLCLK = WM_USER + 2902,  // 3926: left double click, wParam = icon id
    WM_TRAY_RBUTTONDOWN = WM_USER + 2903,    // 3927: right button press
    WM_TRAY_RBUTTONDBLCLK = WM_USER + 2904,  // 3928: right double click
    // Sent by the tray to its target before a click that brings the target forward: a non-zero
    // answer means the user is signed in. A window that does not handle it answers 0.
    WM_TRAY_QUERY_SIGNEDIN = WM_USER + 2905,
};

struct CTrayClickAction {
    bool bStartClickTimer = false;  // (re)start the 500 ms single-click timer
    bool bKillClickTimer = false;
    bool bForegroundIfSignedIn = false; // bring the target forward when the user is signed in
    UINT nMessage = 0;              // message to send to the target, 0 for none
    WPARAM wParam = 0;
};

class CTrayClickTranslator {
public:
    enum { kClickTimerId = 3, kClickTimerMs = 500 };

    // One mouse message of the icon (WM_LBUTTONDOWN to WM_RBUTTONDBLCLK); others do nothing.
    CTrayClickAction OnMouseMessage(UINT nMouseMsg, UINT nIconId);
    // The click timer expired.
    CTrayClickAction OnClickTimer();

    bool IsClickPending() const { return m_bClickPending; }

private:
    bool m_bClickPending = false;
};
