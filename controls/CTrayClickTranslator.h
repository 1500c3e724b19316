#pragma once
// Turns the shell's mouse callbacks for a notification-area icon into the tray's four click
// messages. A left press waits for the 500 ms click timer so that a double click that follows
// yields only the double-click message. Plain state, no window: the tray icon owns the timer
// and does what the returned action asks.
#include "controls/TrayMessages.h"
#include "framework/Platform.h"

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
