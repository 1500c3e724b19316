#pragma once
// The window messages by which the view library reaches the program: it posts or sends them to
// its owner window, the main window (CQorViewMgr::m_pMainWnd). The numbers are part of the
// interface between the two and never change; the main window's own list (app/KorvelMessages.h)
// takes them from here.
#include "framework/Platform.h"

enum QorViewMessage : UINT {
    WM_LOGIN_NOTIFY = WM_APP + 1,         // sign-in progress and results (wParam code, lParam detail)
    WM_OPEN_MSG_MANAGER = WM_USER + 604,  // open the message centre (wParam: the request text, "" for
                                          // the centre's own first view)
    WM_UNREAD_COUNT = WM_USER + 606,      // the number of unread messages changed (wParam: a text
                                          // for the tip's count line, or 0)
    WM_NEW_MESSAGE = WM_USER + 611,       // a new chat or group message (wParam: its CQorMsgItem,
                                          // lent for the call)
};
