#pragma once
// IMsgCenter: what the main window (app/) needs of the message centre window it makes on first
// use and keeps. CQorMsgManagerDlg implements it; the main window knows the centre only through
// it, never its class or its panes.
#include "framework/CString.h"
#include "framework/Platform.h"

class CQorMsgDBMgr;
class CWnd;
class IMsgCenterOwner;

class IMsgCenter {
public:
    // A new centre, without its window yet. It deletes itself when its window goes (Destroy
    // deletes one that never had a window).
    static IMsgCenter* NewCenter();

    // Before each use: the view library's database manager (not owned), the server and the
    // account signed in to, and the owner told when the centre goes.
    virtual void SetSession(CQorMsgDBMgr* pDBMgr, const CString& strServer, const CString& strAccount,
                            IMsgCenterOwner* pOwner) = 0;
    // Creates the window from its template, owned by pParent, unless it has one; false when it
    // could not be made.
    virtual bool EnsureWindow(CWnd* pParent) = 0;
    // The centre's window; null while there is none.
    virtual HWND GetCenterHwnd() const = 0;
    // A long task of its lists (deletion or export of the title list, the contact history's
    // work) is under way: a new request waits for nobody and is dropped.
    virtual bool IsBusy() const = 0;
    // Opens the window on what the caller asked for (see CQorMsgManagerDlg::OpenWithRequest).
    virtual void OpenWithRequest(CString strRequest) = 0;
    // Stops the long tasks of its lists at exit; the contact history's worker is waited for, so
    // that the database may close after this.
    virtual void CancelLongTasks() = 0;
    // Destroys the window (the object then deletes itself) or, without one, deletes the object.
    virtual void Destroy() = 0;

protected:
    // Never deleted through this interface: Destroy ends it.
    ~IMsgCenter() = default;
};
