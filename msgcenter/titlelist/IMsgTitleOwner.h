#pragma once
// What the title list needs of the pane that holds it (the message centre's base pane, or a
// test's host): showing a message below the list, the shown message, and the manager window's
// commands the list's keys reach. The holder implements it; the list never includes it.
#include "framework/CString.h"

class CWnd;

class IMsgTitleOwner {
public:
    virtual ~IMsgTitleOwner() = default;

    // The selected row, shown in the content pane.
    virtual void ShowMessageContent(const CString& strID, const CString& strSender, const CString& strDate,
                                    const CString& strReceivers, bool bHasAttach, int nFlags, bool bFromSearch) = 0;
    // The id of the message the content pane shows ("" when none) and its clearing.
    virtual CString GetShownMessageID() = 0;
    virtual void ClearMessageContent() = 0;
    // The manager window, disabled while a long task runs; null when there is none.
    virtual CWnd* GetManagerWindow() = 0;
    // Ctrl+F and F5 in the list.
    virtual void SearchMessages() = 0;
    virtual void RefreshCurrentNode() = 0;
};
