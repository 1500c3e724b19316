#pragma once
// The bits of the view manager's option words that the program tests: the two words the server
// grants at sign-in (CQorViewMgr::m_dwServerOption1 and m_dwServerOption2) and the user's own
// option flags (m_dwOptionFlags). What the other bits mean is the view library's.
#include "framework/Platform.h"

enum ServerOption1 : DWORD {
    SERVER_OPTION1_CLEAR_SECOND_FLAG = 0x800, // the view manager's second flag is cleared at sign-in
    SERVER_OPTION1_NO_BUSY = 0x10000,         // the status "busy" is withheld
    SERVER_OPTION1_NO_VIEW_3 = 0x20000,       // the user-list view of type 3 is not offered
    SERVER_OPTION1_NO_OPTIONS = 0x100000,     // the options dialog is withheld
};

enum ServerOption2 : DWORD {
    SERVER_OPTION2_NO_SIGN_OUT = 0x400,       // the menu's "sign out" is greyed
    SERVER_OPTION2_NO_EXIT = 0x800,           // the menu's "exit" is greyed
    SERVER_OPTION2_NO_SOUNDS = 0x1000,        // no sound for a lost connection
    SERVER_OPTION2_NO_AWAY = 0x400000,        // the status "away" is withheld
};

enum ViewOptionFlag : DWORD {
    VIEW_OPTION_USER_FOLDER_VIEW = 0x1,       // the user-list view of type 10 is offered
    VIEW_OPTION_NO_SOUNDS = 0x1000,           // no sound for the core's events
};
