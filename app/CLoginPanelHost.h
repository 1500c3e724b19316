#pragma once
// Where the main window meets the sign-in panel. The panel class (CKorvelLoginDlg) lives in
// signin/; this is the one place that names it, so the main window builds with or without it.
// Without it (KORVEL_WITH_SIGNIN_PANEL not defined) the panel is a plain child dialog from the
// same template 15035, which shows the sign-in fields but does not sign in.
#include "framework/CDialog.h"

class CKorvelBaseDlg;

class CLoginPanelHost {
public:
    CLoginPanelHost() = delete;

    // A new panel object with its owner and its automatic-start permission set, its window
    // created from template 15035 as a child of the owner; null when the window could not be made.
    static CDialog* CreatePanel(CKorvelBaseDlg* pOwner, bool bAutoStart);
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
};
