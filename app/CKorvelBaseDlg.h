#pragma once
// CKorvelBaseDlg: the program's one top-level window (template 15033) and its message hub.
// It hosts the sign-in panels over its client area (later the view library's panels), owns the
// tray icon, the auto-hide object and the notification manager, hands the core's events that
// its callback objects receive to the right place, and leaves the program in order.
//
// The window is a thin frame: its message map and the members the rest of the program calls
// by name forward to the collaborators beside it, each of which holds the state of its concern
// and sees the window through a small interface of its own: the sign-in road and its fields
// (CSignInFlow, ISignInWindow), the panels (CSignInPanels, ILoginOwner), the core's events
// (CCoreEventDispatch, ICoreEventOwner; CAppCommandDispatch, IAppCommandOwner), the callback
// objects (CCallbackSinks, ICoreSinkOwner), the department expansion (IDeptExpansionOwner), the
// notification manager (CQorTipMgr, ITipMgrOwner), the message centre (CMsgCenterHost), the
// tray (CTrayStatus) and the window services in their own classes (see "Window services").
#include "app/CAppCommandDispatch.h"
#include "app/CAutoAway.h"
#include "app/CAutoHide.h"
#include "app/CCallbackSinks.h"
#include "app/CCoreEventDispatch.h"
#include "app/CCoreSender.h"
#include "app/CDeptExpansion.h"
#include "app/CMsgCenterHost.h"
#include "app/CSignInFlow.h"
#include "app/CSignInPanels.h"
#include "app/CStatusMenu.h"
#include "app/CTrayStatus.h"
#include "app/IAppCommandOwner.h"
#include "app/IConsoleOwner.h"
#include "app/ICoreEventOwner.h"
#include "app/ICoreSinkOwner.h"
#include "app/IDeptExpansionOwner.h"
#include "app/ISignInWindow.h"
#include "app/ITipMgrOwner.h"
#include "framework/CBitmap.h"
#include "framework/CSize.h"
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include "framework/MessageMap.h"
#include "msgcenter/manager/IMsgCenterOwner.h"
#include "platform/QorCore/IQorCmd.h"
#include "platform/QorCore/IQorMsg.h"
#include "platform/QorView/CQorDlg.h"
#include "platform/QorView/CxFrameHelper.h"
#include "signin/ILoginOwner.h"
#include <memory>

class CQorTipMgr; // the notification manager
class IMsgCenter;
struct IMessage;

// Timer ids of the main window (the auto-away timer's is CAutoAway::kTimerId; 155 and 156
// belong to the auto-hide object).
enum KorvelMainTimer : UINT_PTR {
    TIMER_TRAY_RETRY = 102,  // 4 000 ms
    TIMER_UNREAD_LOAD = 104, // once, 3 000 ms after sign-in
};

class CKorvelBaseDlg : public CQorDlg,
                       public CxFrameHelper,
                       public ILoginOwner,
                       public IMsgCenterOwner,
                       public ISignInWindow,
                       public ICoreEventOwner,
                       public IAppCommandOwner,
                       public ICoreSinkOwner,
                       public IDeptExpansionOwner,
                       public ITipMgrOwner,
                       public IConsoleOwner {
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
    void OnLoginPanelGone(CDialog* pPanel) override { m_Panels.OnPanelGone(pPanel); }
    LoginFields GetLoginFields() const override { return m_SignIn.GetLoginFields(); }
    void SetLoginFields(const LoginFields& fields) override { m_SignIn.SetLoginFields(fields); }
    void SetProxyInfo(const _PROXYINFO& proxy) override { m_SignIn.SetProxyInfo(proxy); }
    int GetStartupFlags() const override;
    CString GetLanguage() const override;
    void RetryLogin() override { m_SignIn.RetryLogin(); }
    bool IsUpdaterDone() const override { return m_SignIn.IsUpdaterDone(); }
    int GetVersionCode() const override;
    void SetPanelSizeClass(int nClass) override { m_Panels.SetSizeClass(nClass); }
    void SetReconnectAttempt() override { m_SignIn.SetReconnectAttempt(); }
    void RequestExit() override;

// What the message centre uses of its owner (msgcenter/manager/IMsgCenterOwner.h)
    void OnMsgCenterGone(IMsgCenter* pCenter) override { m_MsgCenter.OnCenterGone(pCenter); }

    // Creates the three COM objects and hands them to the view library (again after a
    // sign-out); the two sinks get this window as their owner. Always TRUE.
    BOOL RegisterCallbacks() override;
    // Releases them: the application sink, the core sink, then the console.
    void ReleaseCallBacks() override;

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
    void CloseMessageCentre() override;
    // Signed-in set-up, once per sign-in; false when the window was signed in already.
    bool OnLoginOK();
    void ShowLoginErrorText(int nError, CString& strCaption);
    void DoLogout();
    void ResetForReconnect(bool bStart);
    bool OnConnectionLost();

// Window services (each forwards to the concern's own class: CTrayStatus, CHotKeys, CAutoAway,
// CSavedPosition, CUserDataFolder, CWebServiceIni, CStatusMenu, CSendMsgRequest, CUpdaterCheck)
    // The tray icon with the product tooltip and the status images; FALSE when the shell
    // refused it (timer 102 then tries again).
    BOOL CreateTrayIcon();
    // The tray shows the status; the shown tip is hidden (status 8, no popups) or replaced by
    // the next one.
    void ChangeUseStatusIcon(int nStatus) override;
    // One phase of the unread blink: 1 the current status's image, 0 the blank one.
    void FlashTrayIcon(int nPhase);
    // Sets the tray to image nImage of the status strip; FALSE when there is no such image.
    BOOL SetTrayImage(int nImage) override;
    // The tray image of a status, without touching the tips; FALSE when there is no such image.
    BOOL SetTrayStatusImage(int nStatus) override;
    // Registers the hot keys "ShowMain" (1000) and "RecvMsg" (1001) anew (after sign-in, and
    // on WM_USER+609).
    void RegisterHotKeys() override;
    // Auto-away: started after sign-in, stopped at sign-out, checked by timer 101.
    void StartAutoAway() override;
    void StopAutoAway() override;
    void CheckAutoAway();
    void RestorePosition();
    void SavePosition();
    // The signed-in user's data folder and database file, then the view library's tables.
    void InitUserDataFolder() override;
    BOOL CopyFolder(const CString& strFrom, const CString& strTo);
    // Unread messages in the local database (0 without a database).
    int GetUnreadCount() override;
    // Writes the unread count into the main panel's toolbar ("" for 0).
    void ShowUnreadCount(int nCount) override;
    // Marks the user signed in or out (CSignInFlow holds it); the window then repaints and shows
    // the title text only when signed in.
    void SetSignedIn(bool bSignedIn) override { m_SignIn.SetSignedIn(bSignedIn); }
    bool IsSignedIn() const override { return m_SignIn.IsSignedIn(); }
    // Hides (bShow FALSE) or brings the window to the front; a hidden window only with bForce.
    void ShowMainWindowEx(BOOL bShow, BOOL bForce);
    static CString GetWebServiceUrl();
    // The fixed domain of Windows-account sign-ins; false (and an empty text) when there is none.
    static bool GetDomainValue(CString& strDomain);
    // The text of the cross-process request block; FALSE when there is none.
    BOOL ReadProtocolSendMsg(CString& strText);
    // Selects the view tab of the stored user-list view (after the user list has loaded).
    void SelectViewTab() override;
    // Asks the view library for a user's name; the chat opens when it answers (WM_USER+319).
    void RequestUserName(const CString& strLogin) override;
    // The status menu at (x, y) (screen) with the track flags; bHideShow drops "Open".
    void ShowStatusMenu(int x, int y, UINT nTrackFlags, bool bHideShow);
    // The server's help pages in the user's browser.
    void OpenHelpPage();
    // A popup notification (code, parameter): a click on a "SHOWMANAGE:" link of the tip under
    // the cursor is taken here; everything else goes to the notification manager.
    void ParseShowManageCommand(int nCode, void* pParam);
    // Offered to the view library's option pages.
    void ShowOptAutoReplyDlg();
    void ShowOptSetCusStatusDlg();
    BOOL ChangePassword(const CString& strOldPassword, const CString& strNewPassword);

// The core bridge: events of the callback sinks (m_CoreEvents, m_AppCommands), sending through
// the core (m_CoreSender), the department expansion (m_DeptExpansion) and web requests
    void OnCoreNotify(IQorCmd* pCmd) override;     // "ERR", "COREER", "LSV"
    void OnReceiveMessage(IQorMsg* pMsg) override; // bulletins and messages
    int OnAppCommand(IQorCmd* pCmd) override;      // "OUT", "C_*"; always 1
    void OnServerSignOut(int nReason);        // "OUT": the server signs the user out
    void ShowReadReceiptTip(IQorCmd* pCmd);   // "C_OPENMSGTIP"
    void ShowSentMsgTip(IQorCmd* pCmd);       // "C_SENDMSGOK"
    // Connection-state codes (sign-in results, socket closed and repaired); 0 refuses the
    // change.
    int OnConnectStateChange(long nState, long nParam) override;
    // Copies the program's message object into a new outgoing core message held by the view
    // manager; false when there is nothing to copy or the core's message cannot be made.
    bool SendQorMsg(IMessage* pMessage) override;
    // A new held core message carrying files to users; false when the names are fewer than the
    // accounts or the core's message cannot be made.
    bool SendFilesToUsers(const CStringArray& arAccounts, const CStringArray& arNames,
                          const CStringArray& arFiles) override;
    // Posts WM_USER+2008 for the message held now, so that exactly that message is sent (the
    // console object's and the message centre's way to have the core send it).
    BOOL PostQuickSend(WPARAM wValue) override;
    // The web sign-in address for a login name and password; empty without a web service.
    static CString BuildWebLoginUrl(const CString& strLogin, const CString& strPassword);
    // Blocking GET of a whole reply (worker threads only; false on the window's thread, on a
    // non-2xx status, a time-out or a failed connection).
    static bool HttpGetString(const CString& strUrl, CStringA& strReply);

// The collaborators, for the program's tests and benchmarks (each holds its concern's state)
    CSignInFlow& GetSignIn() { return m_SignIn; }
    CSignInPanels& GetPanels() { return m_Panels; }
    CQorTipMgr& GetTipMgr() { return *m_pTipMgr; }
    CAutoHide& GetAutoHide() { return m_AutoHide; }
    CAutoAway& GetAutoAway() { return m_AutoAway; }
    CTrayStatus& GetTrayStatus() { return m_TrayStatus; }
    CCallbackSinks& GetCallbackSinks() { return m_Sinks; }
    CCoreSender& GetCoreSender() { return m_CoreSender; }
    CDeptExpansion& GetDeptExpansion() { return m_DeptExpansion; }
    CCoreEventDispatch& GetCoreEvents() { return m_CoreEvents; }
    // The message centre window, or null while there is none.
    IMsgCenter* GetMsgCenter() const { return m_MsgCenter.GetCenter(); }

// The frame's own state
    // The client size of the last WM_SIZE that was not a minimise.
    CSize GetLastClientSize() const { return CSize(m_cx, m_cy); }
    // Bit 0x200 when start-up flag 0x20 was given.
    int GetDialogStyleFlags() const { return m_nDlgStyleFlags; }
    // The ids SetTimer gave the tray-retry and unread-load timers; 0 while one does not run.
    UINT_PTR GetTrayRetryTimer() const { return m_nTrayRetryTimer; }
    UINT_PTR GetUnreadLoadTimer() const { return m_nUnreadLoadTimer; }
    // The login whose name was asked for before its chat opens.
    const CString& GetPendingChatLogin() const { return m_strPendingChatLogin; }

// What the sign-in road uses of the window beside its members above (ISignInWindow)
    CWnd& FrameWnd() override { return *this; }
    void ShowSignedIn(bool bSignedIn) override;
    void AllowResize() override { SetCanResize(true); }
    void StartUnreadLoad() override;
    void SetTrayTooltip(const CString& strText) override;

// What the core's application commands and the sinks use (IAppCommandOwner, ICoreEventOwner)
    HWND GetCommandHwnd() const override { return m_hWnd; }
    HWND GetEventHwnd() const override { return m_hWnd; }
    void SetLoginStatus(int nStatus) override { m_SignIn.SetLoginStatus(nStatus); }
    // ITipMgrOwner: the password of the sign-in.
    CString GetSignInPassword() const override { return m_SignIn.GetLoginFields().strPassword; }

protected:
    BOOL OnInitDialog() override;
    // Escape and the close box: hide (position kept), or exit when the user chose so.
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
    afx_msg LRESULT OnSwitchViewTab(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUserDetails(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNothing(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOpenMsgManager(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStopTrayFlash(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUnreadCount(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReRegisterHotKeys(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetTopmost(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNewMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnBackIntoScreen(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAccountSignedIn(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCopyDataFolder(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStatusMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnExitMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCheckUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnApplyUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQuickSendMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOpenUnreadMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTrayDblClick(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStatusMenuAtCursor(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTrayQuerySignedIn(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLogoutRequest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWebLoginReply(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRaiseReceived(WPARAM wParam, LPARAM lParam);
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
    // The status and the tray image of a status the user or the idle time chose.
    void SetUserStatus(int nStatus, const CString& strText);
    // Hot key 1000, and its share of 1001: hide a window that is in front (unless bKeepFront),
    // else show it in front.
    void ToggleMainWindow(bool bKeepFront);
    // Kills a timer of the window when it runs and forgets its id.
    void StopTimer(UINT_PTR& nTimer);

    // The frame's own state (the table of the frame; the rest lives with its collaborators)
    int m_nDlgStyleFlags = 0;
    int m_cx = 0, m_cy = 0;
    CBitmap m_bmpBackground;
    CString m_strPendingChatLogin;
    UINT_PTR m_nTrayRetryTimer = 0;
    UINT_PTR m_nUnreadLoadTimer = 0;

    // The collaborators, in the order they are built (each takes those before it)
    CAutoHide m_AutoHide;
    std::unique_ptr<CQorTipMgr> m_pTipMgr;
    CTrayStatus m_TrayStatus;
    CStatusMenu m_StatusMenu;               // with the custom statuses of the signed-in account
    CAutoAway m_AutoAway;                   // its timer id, on flag, minutes and idle limit
    CCallbackSinks m_Sinks;
    CMsgCenterHost m_MsgCenter;
    CSignInPanels m_Panels{*this};
    CSignInFlow m_SignIn{*this, m_Panels, *m_pTipMgr};
    CDeptExpansion m_DeptExpansion{*this};
    CCoreEventDispatch m_CoreEvents{*this, *m_pTipMgr, m_DeptExpansion};
    CAppCommandDispatch m_AppCommands{*this, m_CoreEvents, *m_pTipMgr};
    CCoreSender m_CoreSender;
};
