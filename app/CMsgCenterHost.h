#pragma once
// Where the main window meets the message centre window (msgcenter/): the centre is made on
// first use (WM_USER+604) and kept, handed the session and each request, asked to stop its long
// tasks at exit and ended at sign-out. The centre is known only through IMsgCenter.
#include "framework/CString.h"

class CWnd;
class IMsgCenter;
class IMsgCenterOwner;

class CMsgCenterHost {
public:
    CMsgCenterHost() = default;
    CMsgCenterHost(const CMsgCenterHost&) = delete;
    CMsgCenterHost& operator=(const CMsgCenterHost&) = delete;

    // Makes the centre on first use, hands it the session (the view library's database manager
    // and account, the server signed in to, pOwner), creates its window owned by pParent, and
    // shows it in front with the request; a request while its lists are busy is dropped.
    void Open(const CString& strRequest, CWnd* pParent, IMsgCenterOwner* pOwner, const CString& strServer);
    // The centre's window has gone and the object deletes itself: forgotten here.
    void OnCenterGone(IMsgCenter* pCenter);
    // Stops the centre's long tasks, when there is a centre (exit).
    void CancelLongTasks();
    // Ends the centre (its window, or the object without one) and forgets it.
    void Close();
    // The centre, or null while there is none.
    IMsgCenter* GetCenter() const { return m_pCenter; }

private:
    IMsgCenter* m_pCenter = nullptr; // made on first use; it deletes itself with its window
};
