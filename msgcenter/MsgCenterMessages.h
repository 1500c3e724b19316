#pragma once
// Window messages between the message centre's windows. The numbers are part of the interface
// between the panes and the main window, so they are fixed. Those of the controls (the waiting
// dialog's cancel, a list's sort request) are the controls' own, and those the view library's
// controls send (a skinned control's click, the splitter, the tree, the toolbar, a finished
// download) the view library's.
#include "framework/Platform.h"

enum : UINT {
    WM_MSGCENTER_TASK_DONE = WM_USER + 101,    // a long task ended, posted to its pane
    WM_MSGCENTER_RICHEDIT_MENU = WM_USER + 102, // the rich edit asks its parent for a menu
    WM_MSGCENTER_SHOW_PERSON = WM_USER + 114,  // lParam: the person's id string, or 0
    WM_MSGCENTER_OPEN_CHAT = WM_USER + 309,    // lParam: the view library's user item, or 0
    WM_MSGCENTER_LOAD_VIEW = WM_USER + 504,    // wParam: view id string, lParam: the window
    WM_MSGCENTER_KEYDOWN = WM_USER + 2020,     // a key press a pane's filter posted to itself
    WM_MSGCENTER_COMMAND = WM_USER + 5980,     // run a manager command (wParam 1..5)
};

// The manager's commands (WM_MSGCENTER_COMMAND and the toolbar's item ids).
enum : int {
    kMsgCmdExport = 1,
    kMsgCmdDelete = 2,
    kMsgCmdRefresh = 3,
    kMsgCmdSearch = 4,
    kMsgCmdAddPersons = 5,
};
