#pragma once
// The two ways the signed-in state ends, as orders of steps: a full sign-out that returns to
// the sign-in panel, and the reset after a lost connection that keeps the database open and
// counts down to a new sign-in. The window carries each step out (ISignOutSteps); the order
// lives here, once, so it can be checked without a window.
#include "framework/CString.h"

class ISignOutSteps {
public:
    virtual void CloseAllMessageBoxes() = 0;
    // Closes the account mutex and removes the account's window property.
    virtual void ReleaseAccount() = 0;
    virtual void MarkSignedOut() = 0;
    virtual void CloseWaitPanel() = 0;
    virtual void CloseReconnectPanel() = 0;
    virtual void CloseMessageCentre() = 0;
    virtual void StopAutoAway() = 0;
    // Drops the signed-in user's records from the notification queue.
    virtual void RemoveSessionTips() = 0;
    // The view library forgets the session and tells its message windows.
    virtual void ClearViewData() = 0;
    // Forgets the login name and password as the remember-me and save-password settings say.
    virtual void ForgetAccount() = 0;
    virtual void CloseDatabase() = 0;
    // Releases the console object and the two callback sinks.
    virtual void ReleaseCallbacks() = 0;
    virtual void ShowOfflineTrayIcon() = 0;
    // Fresh callback objects for the next sign-in, handed to the view library.
    virtual void CreateCallbacks() = 0;
    virtual void ShowLoginPanel() = 0;
    virtual void ShowReconnectPanel(bool bStart) = 0;

protected:
    ~ISignOutSteps() = default;
};

class CSignOut {
public:
    CSignOut() = delete;

    // Full sign-out: message boxes, account, signed-out mark, panels and message centre,
    // auto-away, tips, view data, remembered account, database, callbacks, tray, fresh
    // callbacks, sign-in panel.
    static void DoLogout(ISignOutSteps& steps);
    // After a lost connection: like a sign-out, but the database stays open and the reconnect
    // panel (counting down when bStart) takes the sign-in panel's place. The account's lock is
    // released too, whatever way the loss was reported, so the reconnect never finds its own
    // process holding it; the login name and password stay for the reconnect.
    static void ResetForReconnect(ISignOutSteps& steps, bool bStart);

    // The remembered account after a sign-out: without remember-me the login name and the
    // password go; without save-password the password goes.
    static void ApplyRememberedAccount(CString& strLogin, CString& strPassword, bool bRememberMe, bool bSavePassword);
};
