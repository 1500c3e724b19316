#pragma once
// What the content pane needs of the pane that holds it (the message centre's base pane, or a
// test's host): the conversation of the shown message, and the main window's sending of files
// (for "send to a recent contact" and "forward"). The holder implements it.
#include "framework/CString.h"
#include "framework/CStringArray.h"

class IMsgContentOwner {
public:
    virtual ~IMsgContentOwner() = default;

    // Shows the history with one person, starting at a message.
    virtual void ShowContactHistory(const CString& strMsgID, const CString& strSendDate, const CString& strPeer) = 0;
    // The main window's SendFilesToUsers; false when the message could not be made.
    virtual bool SendFilesToUsers(const CStringArray& arIds, const CStringArray& arNames,
                                  const CStringArray& arFiles) = 0;
    // The main window, told WM_QUICK_SEND_MSG after files were handed over; null when none.
    virtual HWND GetMainWindowHwnd() = 0;
};
