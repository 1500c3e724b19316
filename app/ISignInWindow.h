#pragma once
// ISignInWindow: what the sign-in road (CSignInFlow) needs of the main window beside the panels
// and the notification manager it is given: the frame itself (messages posted to it, its title,
// the parent of message boxes), and the window's services that a sign-in starts and a sign-out
// stops. The main window (CKorvelBaseDlg) implements it; tests can stand in for it.
#include "framework/CString.h"
#include "framework/Platform.h"

class CWnd;

class ISignInWindow {
public:
// The frame
    // The main window: the receiver of the road's own messages, the parent of its boxes.
    virtual CWnd& FrameWnd() = 0;
    // Shows the signed-in state just set: the title text, a repaint, and (signed out) the
    // account's custom statuses forgotten.
    virtual void ShowSignedIn(bool bSignedIn) = 0;
    // The frame may be resized by the user (the signed-in view).
    virtual void AllowResize() = 0;

// The signed-in session
    // The signed-in user's data folder and database.
    virtual void InitUserDataFolder() = 0;
    // The unread messages are loaded a little after the sign-in (once: a timer already
    // running is kept).
    virtual void StartUnreadLoad() = 0;
    virtual void StartAutoAway() = 0;
    virtual void StopAutoAway() = 0;
    virtual void RegisterHotKeys() = 0;
    // Asks the view library for a user's name; the chat opens when it answers.
    virtual void RequestUserName(const CString& strLogin) = 0;
    virtual void CloseMessageCentre() = 0;

// The tray
    // The tray image of a status, without touching the tips.
    virtual BOOL SetTrayStatusImage(int nStatus) = 0;
    // The tray shows the status; the shown tip hides or gives way to the next.
    virtual void ChangeUseStatusIcon(int nStatus) = 0;
    virtual void SetTrayTooltip(const CString& strText) = 0;

// The core's callback objects, made anew for every sign-in
    virtual BOOL RegisterCallbacks() = 0;
    virtual void ReleaseCallBacks() = 0;

protected:
    // Never deleted through this interface.
    ~ISignInWindow() = default;
};
