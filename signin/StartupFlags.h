#pragma once
// The start-up flags: the command line's "startup" ORed with boot.ini [StartUp] "Value"
// (CKorvelApp), read by the main window and, through ILoginOwner::GetStartupFlags, by the
// sign-in panel. Other bits are carried and not tested.

enum StartupFlag : int {
    STARTUP_NO_SAVED_POSITION = 0x01,     // the main window does not go to its saved position at start
    STARTUP_TRY_WINDOWS_ACCOUNT = 0x02,   // sign in with the Windows account outside its own domain
    STARTUP_NO_TRAY_ICON = 0x04,          // no tray icon
    STARTUP_SERVER_FIXED = 0x08,          // the server chooser is disabled
    STARTUP_NO_REMEMBERED_ACCOUNT = 0x10, // no remembered account; the three check boxes hidden
    STARTUP_DIALOG_STYLE_200 = 0x20,      // the main window's dialog style flag 0x200
};
