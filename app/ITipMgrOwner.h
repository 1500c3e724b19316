#pragma once
// ITipMgrOwner: what the notification manager (CQorTipMgr) needs of the main window when a tip
// is opened: the password the user signed in with, which the prompt of a protected message
// checks. The main window (CKorvelBaseDlg) implements it; while the manager has none, it hands
// nothing to the view library.
#include "framework/CString.h"

class ITipMgrOwner {
public:
    virtual CString GetSignInPassword() const = 0;

protected:
    // Never deleted through this interface.
    ~ITipMgrOwner() = default;
};
