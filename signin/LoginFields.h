#pragma once
// The sign-in fields of the next sign-in, as the main window keeps them: the sign-in panel
// writes them before it posts WM_LOGIN_START, reads them back when a sign-in is already under
// way (the command line named the account), and clears single fields when the user unchecks
// "remember me" or "save password".
#include "framework/CString.h"

// nLoginFlags: the Windows account signs in.
const int LOGIN_FLAG_WINDOWS_ACCOUNT = 0x200;

struct LoginFields {
    CString strLoginName;
    CString strPassword;
    int nPasswordType = 0;      // 0 = typed in the sign-in panel, else taken from the command line
    CString strServerAddr;
    int nServerPort = 0;
    CString strServerName;      // display name of the server
    int nLoginStatus = 3;       // initial status: 3, 4, 5, 6 or 8
    int nLoginFlags = 0;        // LOGIN_FLAG_WINDOWS_ACCOUNT
};
