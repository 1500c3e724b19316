#pragma once
// Where the main window meets the message centre window (CQorMsgManagerDlg, msgcenter/): the
// one place in app/ that knows its class, so the main window keeps it as a plain dialog.
#include "framework/CDialog.h"

class CKorvelBaseDlg;

class CMsgCenterHost {
public:
    CMsgCenterHost() = delete;

    // A new message centre object (no window yet).
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
    // Destroys the window (the object then deletes itself) or, without one, deletes the object.
    static void DestroyCenter(CDialog* pCenter);
};
