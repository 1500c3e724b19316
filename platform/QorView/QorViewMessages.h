#pragma once
// The window messages by which the view library reaches the program. The numbers are part of
// the interface between the two and never change; the main window's own list
// (app/KorvelMessages.h) and the message centre's (msgcenter/MsgCenterMessages.h) take them
// from here and never spell them again.
#include "framework/Platform.h"

// To its owner window, the main window (CQorViewMgr::m_pMainWnd).
enum QorViewMessage : UINT {
    WM_LOGIN_NOTIFY = WM_APP + 1,         // sign-in progress and results (wParam code, lParam detail)
    WM_OPEN_MSG_MANAGER = WM_USER + 604,  // open the message centre (wParam: the request text, "" for
                                          // the centre's own first view)
    WM_UNREAD_COUNT = WM_USER + 606,      // the number of unread messages changed (wParam: a text
                                          // for the tip's count line, or 0)
    WM_NEW_MESSAGE = WM_USER + 611,       // a new chat or group message (wParam: its CQorMsgItem,
                                          // lent for the call)
};

// From the library's controls to the window that owns them.
enum QorViewControlMessage : UINT {
    WM_QORVIEW_TREE_EXPANDING = WM_USER + 505, // a tree item whose children are not loaded yet
                                               // opens (wParam: the item, lParam: the CQorViewTree)
    WM_QORVIEW_RELAYOUT = WM_USER + 1000,      // the splitter moved the panes beside it: re-place
                                               // the rest (sent to the splitter's parent)
    WM_QORVIEW_SKIN_CLICK = WM_USER + 1001,    // 2025: a skinned control was clicked (wParam: its
                                               // window)
    WM_QORVIEW_TOOLBAR = WM_USER + 4980,       // a toolbar item was clicked (wParam: its id)
};

// The library's reports of its own attachment downloads (CQorViewMgr::DownloadAttach), to the
// window it was given.
enum QorViewDownloadMessage : UINT {
    WM_QORVIEW_ATTACH_DONE = WM_USER + 337,   // wParam: _ATTACH_ITEM* (local path, file name, message id)
    WM_QORVIEW_ATTACH_FAILED = WM_USER + 338, // wParam: CString* (the file name)
};
