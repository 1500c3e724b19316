#include "app/CSignOut.h"

void CSignOut::DoLogout(ISignOutSteps& steps)
{
    steps.CloseAllMessageBoxes();
    steps.ReleaseAccount();
    steps.MarkSignedOut();
    steps.CloseWaitPanel();
    steps.CloseReconnectPanel();
    steps.CloseMessageCentre();
    steps.StopAutoAway();
    steps.RemoveSessionTips();
    steps.ClearViewData();
    steps.ForgetAccount();
    steps.CloseDatabase();
    steps.ReleaseCallbacks();
    steps.ShowOfflineTrayIcon();
    steps.CreateCallbacks();
    steps.ShowLoginPanel();
}

void CSignOut::ResetForReconnect(ISignOutSteps& steps, bool bStart)
{
    steps.CloseAllMessageBoxes();
    steps.ReleaseAccount();
    steps.MarkSignedOut();
    steps.StopAutoAway();
    steps.RemoveSessionTips();
    steps.ClearViewData();
    // The account is not forgotten here: the countdown signs in again with it. Giving up
    // signs out, and that forgets it as the settings say.
    steps.ReleaseCallbacks();
    steps.ShowOfflineTrayIcon();
    steps.CreateCallbacks();
    steps.CloseMessageCentre();
    steps.ShowReconnectPanel(bStart);
}

void CSignOut::ApplyRememberedAccount(CString& strLogin, CString& strPassword, bool bRememberMe, bool bSavePassword)
{
    if (!bRememberMe)
        strLogin.Empty();
    if (!bRememberMe || !bSavePassword)
        strPassword.Empty();
}
