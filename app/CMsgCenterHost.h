#pragma once
// Where the main window meets the message centre window (CQorMsgManagerDlg, msgcenter/). This
// is the one place that names it, so the main window builds with or without it; without it
// (KORVEL_WITH_MSG_CENTER not defined) a request to open the centre does nothing.
#include "framework/CDialog.h"

class CKorvelBaseDlg;

class CMsgCenterHost {
public:
    CMsgCenterHost() = delete;

    // A new message centre object (no window yet); null when the program has none.
    static CDialog* CreateCenter();
    // Before each use: the database manager, server text, account text and owner.
    static void Prepare(CDialog* pCenter, CKorvelBaseDlg* pOwner);
    // Creates the centre's window from template 134 when it has none; false on failure.
    static bool EnsureWindow(CDialog* pCenter, CKorvelBaseDlg* pOwner);
    // The centre's list pane runs a long task (a request is dropped then).
    static bool IsBusy(CDialog* pCenter);
    static void OpenWithRequest(CDialog* pCenter, const CString& strRequest);
    // Stops the list pane's long task at exit, when there is one.
    static void CancelLongTask(CDialog* pCenter);
    // Destroys the window (when there is one) and deletes the object.
    static void DestroyCenter(CDialog* pCenter);
};
