#pragma once
// The user's presence as the view library keeps it (CQorViewMgr::m_nUserStatus, SetUserStatus,
// the status a sign-in starts with) and as the sign-in panel, the status menu, the tray and the
// tips read it, and the one rule on which of them the user may choose.
#include "platform/QorView/ServerOptions.h"

enum UserStatus : int {
    USER_STATUS_OFFLINE = 1,   // signed out: the tray's grey image
    USER_STATUS_ONLINE = 3,
    USER_STATUS_BUSY = 4,
    USER_STATUS_AWAY = 5,      // chosen by the user
    USER_STATUS_INVISIBLE = 6,
    USER_STATUS_AUTO_AWAY = 7, // set by the idle time, undone by the next input
    USER_STATUS_NO_POPUPS = 8, // "do not disturb": no popup and no sound, the tray tells instead
};

// Whether the server's option words let the user take this status: a server may withhold busy
// (first word) and away (second word); every other status is always allowed.
inline bool IsStatusAllowed(int nStatus, DWORD dwServerOption1, DWORD dwServerOption2)
{
    if (nStatus == USER_STATUS_BUSY)
        return !(dwServerOption1 & SERVER_OPTION1_NO_BUSY);
    if (nStatus == USER_STATUS_AWAY)
        return !(dwServerOption2 & SERVER_OPTION2_NO_AWAY);
    return true;
}
