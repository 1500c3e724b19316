#pragma once
// The sign-in fields of the next sign-in, as the main window keeps them: the sign-in panel
// writes them before it posts WM_LOGIN_START, reads them back when a sign-in is already under
// way (the command line named the account), and clears single fields when the user unchecks
// "remember me" or "save password".
#include "framework/CString.h"
#include "platform/QorView/UserStatus.h"

// nLoginFlags, as the view library's Login takes them.
enum LoginFlag : int {
    // The account is vouched for before the server sees it: the Windows account signs in, or
    // the domain or the web service has checked it.
    LOGIN_FLAG_WINDOWS_ACCOUNT = 0x200,
    // Set by the main window on every sign-in it starts.
    LOGIN_FLAG_MAIN_WINDOW = 0x800,
};

struct LoginFields {
    CString strLoginName;
    CString strPassword;
    int nPasswordType = 0;      // 0 = typed in the sign-in panel, else taken from the command line
    CString strServerAddr;
    int nServerPort = 0;
    CString strServerName;      // display name of the server
    int nLoginStatus = USER_STATUS_ONLINE; // the status to sign in with (the panel's choices)
    int nLoginFlags = 0;        // LoginFlag
};
