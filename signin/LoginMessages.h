#pragma once
// The window messages between the sign-in panels and the window that owns them. The numbers
// are part of the interface between the windows and never change; the owner's own list
// (app/KorvelMessages.h) takes them from here.
#include "framework/Platform.h"

enum LoginMessage : UINT {
    WM_LOGIN_START = WM_USER + 823,         // 1847, panel -> owner: sign in with the sign-in fields
    WM_LOGIN_CANCEL = WM_USER + 5001,       // 6025, panel -> owner: cancel the sign-in / sign out
    WM_LOGIN_WAIT_CANCEL = WM_USER + 6001,  // 7025, owner -> progress panel: the sign-in gave up
};
