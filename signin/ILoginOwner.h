#pragma once
// ILoginOwner: what the sign-in panels need of the window that owns them. The main window
// (CKorvelBaseDlg, app/) implements it and hands itself to each panel it creates; the panels
// know their owner only through it, so app/ depends on signin/ and never the other way round.
//
// Every operation is pure: the owner is always the whole main window, and a panel that needs
// one more thing of it adds one virtual here (with a one-line contract), implements it in
// CKorvelBaseDlg, and in the tests' stand-in owner (tests/signin/TestLoginOwner.h).
// The owner outlives its panels; a panel holds it as a borrowed pointer, null meaning "no
// main window" (several panel operations then do nothing).
#include "framework/CString.h"
#include "platform/QorView/_PROXYINFO.h"
#include "signin/LoginFields.h"

class CDialog;
class CWnd;
class CxFrameHelper;

class ILoginOwner {
public:
// The owner's window
    // The main window itself: the panels' parent, the receiver of their messages
    // (signin/LoginMessages.h, the caption drag), and its title shows the company's name.
    virtual CWnd* GetLoginOwnerWnd() = 0;
    // Its skinned frame (title icon and text, resizing), switched on by the sign-in panel.
    virtual CxFrameHelper* GetFrameHelper() = 0;
    // Makes the frame apply its stored maximum size on layout.
    virtual void EnableMaximumSize(bool bEnable) = 0;
    // A panel's window has gone: the owner forgets every pointer it keeps to that panel.
    virtual void OnLoginPanelGone(CDialog* pPanel) = 0;

// The next sign-in
    virtual LoginFields GetLoginFields() const = 0;
    virtual void SetLoginFields(const LoginFields& fields) = 0;
    // The proxy setting handed to the view library before the next sign-in.
    virtual void SetProxyInfo(const _PROXYINFO& proxy) = 0;

// The application
    // Start-up flags (signin/StartupFlags.h).
    virtual int GetStartupFlags() const = 0;
    // Language code, "CHS" unless the application was told otherwise.
    virtual CString GetLanguage() const = 0;

// The sign-in road (progress and reconnect panels)
    // Runs the sign-in again with the current fields and server (the progress panel's retry).
    virtual void RetryLogin() = 0;
    // The first successful sign-in of this run has happened (the updater is asked only before).
    virtual bool IsUpdaterDone() const = 0;
    // The client's version code, handed to the updater.
    virtual int GetVersionCode() const = 0;
    // The panels' size class from their client height: 0 at 494 or more, 1 above 409, else 2.
    virtual void SetPanelSizeClass(int nClass) = 0;
    // The countdown starts this sign-in: after it succeeds the window stays as the user left it.
    virtual void SetReconnectAttempt() = 0;
    // The program ends so that the updater can replace it. Asynchronous: the panel that asks is
    // still inside its own handler.
    virtual void RequestExit() = 0;

protected:
    // Never deleted through this interface: the panels only borrow their owner.
    ~ILoginOwner() = default;
};
