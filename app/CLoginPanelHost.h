#pragma once
// Where the main window meets the sign-in panels. The panel classes (CKorvelLoginDlg,
// CKorvelLoginWaitDlg, CConnectErrDlg) live in signin/; this is the one place that names them,
// so the main window builds with or without them. Without them (KORVEL_WITH_SIGNIN_PANEL not
// defined) the sign-in panel is a plain child dialog from the same template 15035, which shows
// the sign-in fields but does not sign in, and there is no progress or reconnect panel.
// Every call accepts a null panel and then does nothing.
#include "framework/CDialog.h"
#include "framework/CString.h"

class ILoginOwner;

class CLoginPanelHost {
public:
    CLoginPanelHost() = delete;

    // A new panel object with its owner and its automatic-start permission set, its window
    // created from template 15035 as a child of the owner; null when the window could not be made.
    static CDialog* CreatePanel(ILoginOwner* pOwner, bool bAutoStart);
    // Updates the automatic-start permission of an existing panel.
    static void SetAutoStart(CDialog* pPanel, bool bAutoStart);
    // The panel's automatic sign-in box is checked.
    static bool IsAutoLoginChecked(CDialog* pPanel);
    // The window of the panel's by-name dialog, or null.
    static HWND GetByNameWnd(CDialog* pPanel);
    // The panel's own sign-in start: true when it asked the main window to sign in.
    static bool StartLogin(CDialog* pPanel);
    // First-run check of the server setup (preset server or network settings).
    static void CheckServerSetup(CDialog* pPanel);
    // Makes the sign-in panels open the real dialogs they offer (the network settings); done
    // once by the program's start. Without it those offers open nothing, as in the main window's
    // own tests, where nobody could answer a modal dialog.
    static void InstallDialogs();
    // The error text of a failed sign-in (bShow FALSE hides it); the focus goes to the field
    // that the error number names.
    static void ShowLoginError(CDialog* pPanel, BOOL bShow, const CString& strText, int nError);
    // After a successful sign-in: the server reached becomes the panel's, and its settings are
    // saved.
    static void UpdateConnectedServer(CDialog* pPanel);
    static void SaveLoginInfo(CDialog* pPanel);

// The progress panel
    static CDialog* CreateWaitPanel(ILoginOwner* pOwner);
    static void WaitProgress(CDialog* pPanel, int nCode, int nDetail);
    static void StopWaitAnimation(CDialog* pPanel);
    static void SetWaitLoginStrings(CDialog* pPanel, const CString& strFirst, const CString& strSecond);
    static void UpdateWaitLogo(CDialog* pPanel, const CString& strCompanyKey);

// The reconnect panel
    static CDialog* CreateReconnectPanel(ILoginOwner* pOwner);
    static void SetReconnectError(CDialog* pPanel, int nError);
    static void StartReconnectCountdown(CDialog* pPanel, int nStart, int nReset);
    static void StopReconnectCountdown(CDialog* pPanel);
};
