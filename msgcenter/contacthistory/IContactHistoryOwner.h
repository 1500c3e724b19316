#pragma once
// What the contact-history pane needs of the pane that holds it (the message centre's base
// pane, or a test's host): the content pane below it, the manager window that a running export
// or deletion disables, and the way back to the title list.
#include "framework/CString.h"

class CWnd;

class IContactHistoryOwner {
public:
    virtual ~IContactHistoryOwner() = default;

    virtual void ShowMessageContent(const CString& strID, const CString& strSender, const CString& strDate,
                                    const CString& strReceivers, bool bHasAttach, int nFlags, bool bFromSearch) = 0;
    // The id of the message the content pane shows ("" when none) and its clearing.
    virtual CString GetShownMessageID() = 0;
    virtual void ClearMessageContent() = 0;
    // The manager window; null when there is none.
    virtual CWnd* GetManagerWindow() = 0;
    // Hides the contact-history pane and shows the title list again.
    virtual void ShowTitleList() = 0;
};
