#pragma once
// CKorvelBaseDlg: the program's one top-level window (template 15033) and its message hub.
// It hosts the sign-in panels over its client area (later the view library's panels), owns the
// tray icon, the auto-hide object and the notification manager, hands the core's events that
// its callback objects receive to the right place, and leaves the program in order.
//
// Handlers marked "seam" below belong to later work on the window (core events, window
// services, message centre); their bodies here are the least the frame needs. The sign-in road
// (start, results, sign-out, power events) lives in CSignInFlow and CSignInPanels; the members
// of that road here forward to them.
#include "app/CAutoHide.h"
#include "app/CSignInFlow.h"
#include "app/CSignInPanels.h"
#include "controls/CTrayIcon.h"
#include "framework/CArray.h"
#include "framework/CBitmap.h"
#include "framework/CImageList.h"
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include "framework/MessageMap.h"
#include "platform/QorCore/IQorCmd.h"
#include "platform/QorCore/IQorMsg.h"
#include "platform/QorView/CQorDlg.h"
#include "platform/QorView/CxFrameHelper.h"
#include "platform/QorView/_PROXYINFO.h"
#include "signin/ILoginOwner.h"

class CConsole;
class CCoreCallBack;
class CTheCallback;
class CQorTipMgr; // the notification manager (see m_pTipMgr)
struct IMessage;

// Timer ids of the main window (155 and 156 belong to the auto-hide object).
enum KorvelMainTimer : UINT_PTR {
    TIMER_AUTO_AWAY = 101,   // 10 000 ms, 2 000 ms while away
    TIMER_TRAY_RETRY = 102,  // 4 000 ms
    TIMER_UNREAD_LOAD = 104, // once, 3 000 ms after sign-in
};

class CKorvelBaseDlg : public CQorDlg, public CxFrameHelper, public ILoginOwner {
public:
    CKorvelBaseDlg();
    ~CKorvelBaseDlg() override;

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

// Operations offered to the rest of the program
    // Exit: stops the message centre's long task and the view library's audio, then destroys
    // the window (the message loop ends after it).
    void OnExit();

// What the sign-in panels use of their owner (signin/ILoginOwner.h)
    CWnd* GetLoginOwnerWnd() override { return this; }
    CxFrameHelper* GetFrameHelper() override { return this; }
    // Dialog base size limits, switched by the sign-in panel.
    void EnableMaximumSize(bool bEnable) override { CWqCoolDlg::EnableMaximumSize(bEnable); }
    void OnLoginPanelGone(CDialog* pPanel) override;
    LoginFields GetLoginFields() const override;
    void SetLoginFields(const LoginFields& fields) override;
    void SetProxyInfo(int nType, int nFlag, const CString& strHost, int nPort, const CString& strUser,
                      const CString& strPassword, const CString& strThird) override;
    int GetStartupFlags() const override;
    CString GetLanguage() const override;
    void RetryLogin() override { m_SignIn.RetryLogin(); }
    bool IsUpdaterDone() const override { return m_SignIn.IsUpdaterDone(); }
    int GetVersionCode() const override;
    void SetPanelSizeClass(int nClass) override { m_nPanelSizeClass = nClass; }
    void SetReconnectAttempt() override { m_SignIn.SetReconnectAttempt(); }

    // Creates the three COM objects and hands them to the view library (again after a
    // sign-out); the two sinks get this window as their owner. Always TRUE.
    BOOL RegisterCallbacks();
    // Releases them: the application sink, the core sink, then the console.
    void ReleaseCallBacks();

// The sign-in road (CSignInFlow, CSignInPanels)
    // WM_LOGIN_START: signs in with the sign-in fields below. Returns 0.
    afx_msg LRESULT StartLogin(WPARAM wParam, LPARAM lParam);
    // Domain check, web sign-in, then the view library's Login.
    void DoLogin();
    // The sign-in panel on its first use, laid over the client area and shown; may start the
    // sign-in at once (command-line login name, or the panel's automatic sign-in). TRUE when a
    // sign-in was started by the panel.
    BOOL ShowLoginPanel(BOOL bAutoStart);
    void ShowWaitPanel();
    void ShowReconnectPanel(int nStart, int nError);
    void ShowMainView();
    void CloseLoginPanel();
    void CloseWaitPanel();
    void CloseReconnectPanel();
    void CloseMessageCentre();
    // Signed-in set-up, once per sign-in; false when the window was signed in already.
    bool OnLoginOK();
    void ShowLoginErrorText(int nError, CString& strCaption);
    void DoLogout();
    void ResetForReconnect(bool bStart);
    bool OnConnectionLost();

// Window services the sign-in road calls
    void SetSignedIn(bool bSignedIn);
    void StartAutoAway();
    void StopAutoAway();
    void RegisterHotKeys();
    void InitUserDataFolder();
    void ChangeUseStatusIcon(int nStatus);
    void RequestUserName(const CString& strLogin);
    bool GetDomainValue(CString& strValue);
    CString BuildWebLoginUrl(const CString& strLogin, const CString& strPassword);
    // The tray icon with the product tooltip (and the status images); FALSE when the shell
    // refused it.
    BOOL CreateTrayIcon();
    // Index of the tray image of a user status: 1 -> 0, 4 -> 1, 3 -> 2, 6 -> 3, 5 and 7 -> 4,
    // 8 -> 5, anything else 0.
    static int TrayImageForStatus(int nStatus);
    // Sets the tray icon to the image of the status; FALSE when there is no such image.
    BOOL SetTrayStatusImage(int nStatus);
    void RestorePosition();
    void SavePosition();
    // The frame's usable client rectangle (where the panels lie).
    void GetPanelRect(RECT* pRect) const;

// Receiving side of the callback sinks and the console (seams)
    void OnCoreNotify(IQorCmd* pCmd);         // "ERR", "COREER", "LSV"
    void OnReceiveMessage(IQorMsg* pMsg);     // bulletins and messages
    void OnAppCommand(IQorCmd* pCmd);         // "OUT", "C_*"
    // Connection-state codes (sign-in results, socket closed and repaired); 0 refuses the
    // change.
    int OnConnectStateChange(long nState, long nParam);
    // Copies the program's message object into a new outgoing core message held by the view
    // manager; false when there is nothing to copy or the core's message cannot be made.
    bool SendQorMsg(IMessage* pMessage);

// Fields (see the table of the frame; public: the panels, sinks and COM objects use them)
    CAutoHide m_AutoHide;
    int m_nLoginState = 3;
    int m_nDlgStyleFlags = 0;
    int m_cx = 0, m_cy = 0;
    CQorTipMgr* m_pTipMgr = nullptr;        // notification manager; owned
    _PROXYINFO m_ProxyInfo;
    int m_bSignedIn = 0;
    CTrayIcon m_TrayIcon;
    CDialog* m_pLoginDlg = nullptr;         // sign-in panel (CKorvelLoginDlg); it clears this when it goes
    CDialog* m_pLoginWaitDlg = nullptr;     // sign-in progress panel
    CDialog* m_pConnectErrDlg = nullptr;    // reconnect countdown panel
    CBitmap m_bmpBackground;
    CImageList m_ImageList;                 // tray status images
    CString m_strLoginName;
    CString m_strPassword;
    int m_nPasswordType = 0;
    CString m_strServerAddr;
    int m_nServerPort = 0;
    CString m_strServerName;                // display name of the server of the next sign-in
    int m_nLoginStatus = 3;                 // initial status of the next sign-in
    int m_nLoginFlags = 0;                  // 0x200 Windows-account sign-in
    CDialog* m_pMsgManagerDlg = nullptr;    // message centre window, created on first use
    CString m_strPendingChatLogin;
    CStringArray m_arCusStatusText;
    CArray<int, int> m_arCusStatusType;
    UINT_PTR m_nAwayTimer = 0;
    UINT_PTR m_nTrayRetryTimer = 0;
    UINT_PTR m_nUnreadLoadTimer = 0;
    BYTE m_bAutoAway = 1;
    int m_nAutoAwayMinutes = 10;
    DWORD m_dwIdleLimit = 600000;
    CConsole* m_pConsole = nullptr;         // one reference each
    CCoreCallBack* m_pCoreCallBack = nullptr;
    CTheCallback* m_pTheCallback = nullptr;
    int m_nPanelSizeClass = 0;              // 0, 1, 2 by the panels' client height (set by the panels)
    CSignInFlow m_SignIn;                   // the sign-in road and its flags
    CSignInPanels m_Panels;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMoving(UINT fwSide, LPRECT pRect);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnExitSizeMove();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnSettingChange(UINT uFlags, LPCWSTR lpszSection);
    afx_msg void OnHotKey(UINT nHotKeyId, UINT nKey1, UINT nKey2);
    afx_msg UINT OnPowerBroadcast(UINT nPowerEvent, LPARAM nEventData);

    afx_msg LRESULT OnLoginNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTrayCallback(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeptExpanded(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUserDetails(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNothing(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOpenMsgManager(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStopTipFlash(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUnreadCount(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReRegisterHotKeys(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetTopmost(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNewMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnBackIntoScreen(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAccountSignedIn(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCopyDataFolder(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnShowStatusMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnExitMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCheckUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnApplyUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQuickSendMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTrayClick(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTrayDblClick(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTrayRClick(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTrayQuerySignedIn(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLogoutRequest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWebLoginReply(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnChangePassword(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNewAlert(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnProtocolSendMsg(WPARAM wParam, LPARAM lParam);
    afx_msg void OnOptions();
    afx_msg void OnMenuNothing();
    afx_msg void OnLogoutCommand();
    afx_msg void OnStatusCommand(UINT nID);
    afx_msg void OnAbout();
    afx_msg void OnHelp();
public:
    afx_msg void OnLoginCommand();
protected:
    afx_msg void OnShowMainWindow();
    afx_msg void OnExitCommand();
    afx_msg void OnCustomStatus(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    // Asks the view library whether the window hides at a screen edge and tells the helper.
    BOOL RefreshAutoHide();

    HICON m_hTrayStatusIcon = nullptr; // the status image last given to the tray; owned
};
