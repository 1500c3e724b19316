#pragma once
// What the content pane needs of the pane that holds it (the message centre's base pane, or a
// test's host): the conversation of the shown message, and the main window's sending of files
// (for "send to a recent contact" and "forward"). The holder implements it; the pane never
// reaches the main window by itself.
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
    // Has the main window send the message that SendFilesToUsers just made (wValue as the view
    // library's quick-send argument: 0 to the receivers given, 0x1000 to receivers the user
    // chooses); asynchronous, false when there is nothing to send or nobody to send it.
    virtual bool QuickSend(WPARAM wValue) = 0;
};
