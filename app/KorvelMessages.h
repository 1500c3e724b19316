#pragma once
// The window messages between the program's windows, the view library, the tray icon and other
// processes. The numbers are part of the interface between them and never change. Each has one
// definition: those of the tray icon, of the sign-in panels and of the view library live beside
// them and are included here.
#include "controls/TrayMessages.h"
#include "framework/CString.h"
#include "framework/CWnd.h"
#include "platform/QorView/QorViewMessages.h"
#include "signin/LoginMessages.h"

enum KorvelMessage : UINT {
    WM_TRAY_CALLBACK = WM_APP + 29,         // tray icon callback
    WM_WEB_LOGIN_REPLY = WM_APP + 40,       // the web sign-in's worker: its reply (lParam CWebLoginReply*)
    WM_RAISE_RECEIVED = WM_APP + 41,        // received messages are queued: show their popup once
    WM_DEPT_EXPANDED = WM_USER + 150,       // department-expansion worker is done
    WM_USER_DETAILS = WM_USER + 319,        // view library: user details arrived
    WM_NOTHING_603 = WM_USER + 603,
    WM_STOP_TIP_FLASH = WM_USER + 605,
    WM_REREGISTER_HOTKEYS = WM_USER + 609,
    WM_SET_TOPMOST = WM_USER + 610,
    WM_BACK_INTO_SCREEN = WM_USER + 612,
    WM_ACCOUNT_SIGNED_IN = WM_USER + 824,   // the account is signed in elsewhere on this machine
    WM_COPY_DATA_FOLDER = WM_USER + 825,
    WM_SHOW_STATUS_MENU = WM_USER + 826,
    WM_KORVEL_EXIT = WM_USER + 2000,
    WM_CHECK_UPDATE = WM_USER + 2001,
    WM_APPLY_UPDATE = WM_USER + 2002,
    WM_QUICK_SEND_MSG = WM_USER + 2008,     // 3032
    WM_CHANGE_PASSWORD = WM_USER + 5002,
    WM_NOTHING_5003 = WM_USER + 5003,
    WM_NEW_ALERT = WM_USER + 5004,
};

// Registered by name once at start-up (static initialisers); 0 only if registration failed.
extern const UINT g_uProtocolSendMsg;      // "WM_PROTOCOL_SEND_MSG"
extern const UINT g_uTaskbarCreatedMsg;    // "TaskbarCreated"
extern const UINT g_uFileClientNotifyMsg;  // "WM_FILE_CLIENT_NOTIFY"
// An empty text and an unattached window object shared by the program.
extern const CString g_strEmpty;
extern CWnd g_wndNull;
