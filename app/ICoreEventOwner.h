#pragma once
// ICoreEventOwner: what the dispatch of the core's events (CCoreEventDispatch) needs of the main
// window beside the notification manager and the department expansion it is given: the window
// its own messages go to, the signed-in state, the view tab, the tray image and the unread
// count. The main window (CKorvelBaseDlg) implements it.
#include "framework/Platform.h"

class ICoreEventOwner {
public:
    // The main window: WM_RAISE_RECEIVED and WM_LOGIN_CANCEL go to it, "LSV" repaints it.
    virtual HWND GetEventHwnd() const = 0;
    virtual bool IsSignedIn() const = 0;
    // Marks the user signed out by the server's "OUT" (false), as a sign-in marks it in.
    virtual void SetSignedIn(bool bSignedIn) = 0;
    // Selects the view tab of the stored user-list view.
    virtual void SelectViewTab() = 0;
    // Sets the tray to image nImage of the status strip; FALSE when there is no such image.
    virtual BOOL SetTrayImage(int nImage) = 0;
    // Unread messages in the local database, and their count shown in the main panel.
    virtual int GetUnreadCount() = 0;
    virtual void ShowUnreadCount(int nCount) = 0;

protected:
    // Never deleted through this interface.
    ~ICoreEventOwner() = default;
};
