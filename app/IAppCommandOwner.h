#pragma once
// IAppCommandOwner: what the table of the core's application commands (CAppCommandDispatch)
// needs of the main window beside the core event dispatch and the notification manager it is
// given: the window the sign-out request goes to, the tray image and the status of the next
// sign-in. The main window (CKorvelBaseDlg) implements it.
#include "framework/Platform.h"

class IAppCommandOwner {
public:
    // The main window: the sign-out request (WM_LOGIN_CANCEL) is posted to it.
    virtual HWND GetCommandHwnd() const = 0;
    // The tray image of a status, without touching the tips.
    virtual BOOL SetTrayStatusImage(int nStatus) = 0;
    // The status the next sign-in starts with.
    virtual void SetLoginStatus(int nStatus) = 0;

protected:
    // Never deleted through this interface.
    ~IAppCommandOwner() = default;
};
