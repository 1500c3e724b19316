#pragma once
// CSignInFlow: the main window's side of signing in and out. It starts a sign-in (account lock,
// progress panel, proxy, domain check, web sign-in, the view library's Login), turns the codes
// that come back (WM_APP+1 from the view library, connection states from the core) into panel
// changes, error texts and the reconnect countdown, sets up the signed-in window once per
// sign-in, and ends the signed-in state by a sign-out or a reset after a lost connection.
//
// It holds the state of the road: the sign-in fields of the next sign-in, the proxy, whether
// the user is signed in, and the road's flags (automatic sign-in pending, updater done,
// reconnect attempt, resumed). The main window keeps the members the rest of the program calls
// by name and forwards each to this object; the flow sees the window through ISignInWindow,
// the panels through CSignInPanels and the tips through the notification manager. Everything
// runs on the user-interface thread, except the web sign-in's request, which runs on a worker
// and comes back as WM_WEB_LOGIN_REPLY.
#include "app/CAccountLock.h"
#include "app/CSignOut.h"
#include "framework/CString.h"
#include "platform/QorView/_PROXYINFO.h"
#include "signin/LoginFields.h"

class CQorTipMgr;
class CSignInPanels;
class ISignInWindow;
struct CWebLoginReply;

class CSignInFlow : private ISignOutSteps {
public:
    CSignInFlow(ISignInWindow& wnd, CSignInPanels& panels, CQorTipMgr& tips);
    ~CSignInFlow();
    CSignInFlow(const CSignInFlow&) = delete;
    CSignInFlow& operator=(const CSignInFlow&) = delete;

// The code tables
    enum NotifyAction {
        NOTIFY_CONNECTION_LOST, // 7: the connection of a signed-in user was lost
        NOTIFY_FAILED,          // 13, and 8 or 20 on a first sign-in: the error on the sign-in panel
        NOTIFY_RETRY_LATER,     // 8 or 20 while reconnecting or after a resume: the countdown again
        NOTIFY_SIGNED_IN,       // 12
        NOTIFY_IGNORED,         // 12 with no sign-in panel: not acted on
        NOTIFY_STAGE,           // every other code: a stage for the progress panel
    };
    struct NotifyDecision {
        NotifyAction action;
        int nResult; // what WM_APP+1 answers: 1 handled, -1 no sign-in panel
    };
    // What a WM_APP+1 code does, given which panels exist and whether a resume happened.
    // Stages reach the progress panel even without a sign-in panel (during a reconnect there
    // is none), so its final stages always end the attempt.
    static NotifyDecision ClassifyLoginNotify(int nCode, bool bLoginPanel, bool bReconnectPanel, bool bResumed);

    enum StateAction {
        STATE_SIGNED_IN,     // 12
        STATE_SOCKET_CLOSED, // 17: the view library repairs the connection
        STATE_REPAIRED,      // 18
        STATE_NOTIFY,        // every other code: as WM_APP+1
    };
    static StateAction ClassifyConnectState(int nCode);
    // Codes that end a sign-in or a connection and with it the hold on the account: 7, 8, 13,
    // 17, 20. Stages of a sign-in under way keep it; 12 and 18 take it.
    static bool EndsAccountHold(int nCode);

// The next sign-in
    const LoginFields& GetLoginFields() const { return m_fields; }
    void SetLoginFields(const LoginFields& fields) { m_fields = fields; }
    // The status the next sign-in starts with (the core's "C_STATUS" rewrites it).
    void SetLoginStatus(int nStatus) { m_fields.nLoginStatus = nStatus; }
    const _PROXYINFO& GetProxyInfo() const { return m_proxy; }
    void SetProxyInfo(const _PROXYINFO& proxy) { m_proxy = proxy; }

// Sign-in start
    // The sign-in panel; then, when allowed, starts a sign-in at once: the window's own (a login
    // name from the command line, once after start) or the panel's (its automatic sign-in box,
    // with bAutoStart). TRUE when the panel started one.
    BOOL ShowLoginPanel(BOOL bAutoStart);
    // WM_LOGIN_START: lock the account, show the progress panel, hand the proxy over, sign in.
    void StartLogin();
    // Domain check, web sign-in, then the view library's Login.
    void DoLogin();
    // The progress panel's retry: the account is taken again (a failure gave it back), then
    // DoLogin.
    void RetryLogin();
    // The web sign-in's reply arrived (the reply is taken over).
    void OnWebLoginReply(CWebLoginReply* pReply);

// Results
    int OnLoginNotify(int nCode, int nDetail);
    int OnConnectStateChange(int nCode, int nDetail);
    // Signed-in set-up; runs once per sign-in: false when the window was already signed in.
    bool OnLoginOK();
    // The core's text for an error number on the sign-in panel; strCaption receives the caption.
    void ShowLoginErrorText(int nError, CString& strCaption);

// Sign-out
    void DoLogout();
    void ResetForReconnect(bool bStart);
    // WM_NEW_ALERT: tip, sound, reset and countdown; false when nobody was signed in.
    bool OnConnectionLost();
    void OnPowerBroadcast(UINT nEvent);

// The signed-in state
    bool IsSignedIn() const { return m_bSignedIn; }
    // Marks the user signed in or out and has the window show it.
    void SetSignedIn(bool bSignedIn);
    // The state word of the road (3 from the start; nothing else sets it).
    int GetLoginState() const { return m_nLoginState; }

// State the panels and the window read
    bool IsAutoLoginPending() const { return m_bAutoLoginPending; }
    bool IsUpdaterDone() const { return m_bUpdaterDone; }
    void SetReconnectAttempt() { m_bReconnectAttempt = true; }
    bool IsReconnectAttempt() const { return m_bReconnectAttempt; }
    bool IsResumed() const { return m_bResumed; }
    CAccountLock& GetAccountLock() { return m_Lock; }

private:
    // ISignOutSteps: each step of a sign-out or reset.
    void CloseAllMessageBoxes() override;
    void ReleaseAccount() override;
    void MarkSignedOut() override;
    void CloseWaitPanel() override;
    void CloseReconnectPanel() override;
    void CloseMessageCentre() override;
    void StopAutoAway() override;
    void RemoveSessionTips() override;
    void ClearViewData() override;
    void ForgetAccount() override;
    void CloseDatabase() override;
    void ReleaseCallbacks() override;
    void ShowOfflineTrayIcon() override;
    void CreateCallbacks() override;
    void ShowLoginPanel() override;
    void ShowReconnectPanel(bool bStart) override;

    // The view library's Login with the sign-in fields.
    void CallLogin();
    // The web sign-in refused or did not answer: tell the user, let the progress panel give up.
    void RefuseWebLogin(const CString& strText);
    void TakeAccount();
    void OpenCommandLineChat();

    ISignInWindow& m_wnd;
    CSignInPanels& m_panels;
    CQorTipMgr& m_tips;
    LoginFields m_fields;             // the next sign-in's, or the one made
    _PROXYINFO m_proxy;               // handed to the view library before each sign-in
    bool m_bSignedIn = false;
    int m_nLoginState = 3;
    // The account mutex and its guard: the application's, or these when there is none.
    CRITICAL_SECTION m_csOwnLock;
    HANDLE m_hOwnMutex = nullptr;
    CAccountLock m_Lock;

    bool m_bAutoLoginPending = true;  // until the first sign-in start
    bool m_bUpdaterDone = false;      // after the first successful sign-in of the process
    bool m_bReconnectAttempt = false; // the countdown started this sign-in
    bool m_bResumed = false;          // a sign-in after a resume is under way
    bool m_bSignedInAtSuspend = false;
    unsigned m_nWebAttempt = 0;       // a reply of another attempt is dropped
};
