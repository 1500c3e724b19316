#include "app/CSignInFlow.h"
#include "app/CKorvelApp.h"
#include "app/CLoginPanelHost.h"
#include "app/CQorTipMgr.h"
#include "app/CSignInPanels.h"
#include "app/CWebRequest.h"
#include "app/CWebServiceIni.h"
#include "app/CWebSignIn.h"
#include "app/ISignInWindow.h"
#include "app/KorvelMessages.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorResource/SignInResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorMessageBox.h"
#include "platform/QorView/UserStatus.h"
#include <memory>

namespace {

// The codes of the sign-in road (WM_APP+1 and connection states share one number space).
enum : int {
    CODE_CONNECTION_LOST = 7,
    CODE_FAILED_RETRY = 8,
    CODE_SIGNED_IN = 12,
    CODE_REFUSED = 13,
    CODE_SOCKET_CLOSED = 17,
    CODE_REPAIRED = 18,
    CODE_FAILED_RETRY_2 = 20,
};

// Details of code 13 that the domain check gives.
const int kDomainAccountUnknown = 929;
const int kDomainPasswordWrong = 930;

CQorViewMgr* ViewMgr() { return CQorViewMgr::Instance(); }

CRITICAL_SECTION& AccountGuard(CRITICAL_SECTION& csOwn)
{
    CKorvelApp* pApp = CKorvelApp::GetApp();
    return pApp ? pApp->m_csAccount : csOwn;
}

HANDLE& AccountMutex(HANDLE& hOwn)
{
    CKorvelApp* pApp = CKorvelApp::GetApp();
    return pApp ? pApp->m_hAccountMutex : hOwn;
}

} // namespace

CSignInFlow::CSignInFlow(ISignInWindow& wnd, CSignInPanels& panels, CQorTipMgr& tips)
    : m_wnd(wnd), m_panels(panels), m_tips(tips), m_Lock(AccountGuard(m_csOwnLock), AccountMutex(m_hOwnMutex))
{
    ::InitializeCriticalSection(&m_csOwnLock);
}

CSignInFlow::~CSignInFlow()
{
    if (m_hOwnMutex)
        ::CloseHandle(m_hOwnMutex);
    ::DeleteCriticalSection(&m_csOwnLock);
}

// The code tables

CSignInFlow::NotifyDecision CSignInFlow::ClassifyLoginNotify(int nCode, bool bLoginPanel, bool bReconnectPanel,
                                                             bool bResumed)
{
    switch (nCode) {
    case CODE_CONNECTION_LOST:
        return {NOTIFY_CONNECTION_LOST, 1};
    case CODE_FAILED_RETRY:
    case CODE_FAILED_RETRY_2:
        return {bReconnectPanel || bResumed ? NOTIFY_RETRY_LATER : NOTIFY_FAILED, 1};
    case CODE_REFUSED:
        return {NOTIFY_FAILED, 1};
    case CODE_SIGNED_IN:
        return bLoginPanel ? NotifyDecision{NOTIFY_SIGNED_IN, 1} : NotifyDecision{NOTIFY_IGNORED, -1};
    default:
        return {NOTIFY_STAGE, bLoginPanel ? 1 : -1};
    }
}

CSignInFlow::StateAction CSignInFlow::ClassifyConnectState(int nCode)
{
    switch (nCode) {
    case CODE_SIGNED_IN:
        return STATE_SIGNED_IN;
    case CODE_SOCKET_CLOSED:
        return STATE_SOCKET_CLOSED;
    case CODE_REPAIRED:
        return STATE_REPAIRED;
    default:
        return STATE_NOTIFY;
    }
}

bool CSignInFlow::EndsAccountHold(int nCode)
{
    switch (nCode) {
    case CODE_CONNECTION_LOST:
    case CODE_FAILED_RETRY:
    case CODE_REFUSED:
    case CODE_SOCKET_CLOSED:
    case CODE_FAILED_RETRY_2:
        return true;
    default:
        return false;
    }
}

// Sign-in start

BOOL CSignInFlow::ShowLoginPanel(BOOL bAutoStart)
{
    if (!m_panels.ShowLoginPanel(bAutoStart != FALSE))
        return FALSE;
    // A login name from the command line signs in once, when the panel first shows.
    if (!m_fields.strLoginName.IsEmpty() && m_bAutoLoginPending) {
        StartLogin();
        return FALSE;
    }
    if (bAutoStart && CLoginPanelHost::IsAutoLoginChecked(m_panels.GetLoginPanel()))
        return CLoginPanelHost::StartLogin(m_panels.GetLoginPanel()) ? TRUE : FALSE;
    return FALSE;
}

void CSignInFlow::StartLogin()
{
    m_bAutoLoginPending = false;
    if (m_bSignedIn)
        return;
    // The account is taken now and kept through the sign-in, so that two processes starting
    // together cannot both sign in to it; a failure or a sign-out gives it back.
    const CString name = CAccountLock::MutexName(m_fields.strServerAddr, m_fields.nServerPort, m_fields.strLoginName);
    if (m_Lock.Take(name) == CAccountLock::SIGNED_IN_ELSEWHERE) {
        m_wnd.FrameWnd().PostMessage(WM_ACCOUNT_SIGNED_IN, 0, 0);
        return;
    }
    m_tips.ClearTips();
    m_panels.ShowWaitPanel(m_fields.strLoginName, m_fields.strServerAddr);
    const _PROXYINFO& proxy = m_proxy;
    ViewMgr()->SetProxy(proxy.nType, proxy.nFlag, proxy.strHost, proxy.nPort, proxy.strUser, proxy.strPassword);
    DoLogin();
}

void CSignInFlow::RetryLogin()
{
    if (m_bSignedIn)
        return;
    const CString name = CAccountLock::MutexName(m_fields.strServerAddr, m_fields.nServerPort, m_fields.strLoginName);
    if (m_Lock.Take(name) == CAccountLock::SIGNED_IN_ELSEWHERE) {
        m_wnd.FrameWnd().PostMessage(WM_ACCOUNT_SIGNED_IN, 0, 0);
        if (m_panels.GetWaitPanel())
            m_panels.GetWaitPanel()->PostMessage(WM_LOGIN_WAIT_CANCEL, 0, 0);
        return;
    }
    DoLogin();
}

void CSignInFlow::DoLogin()
{
    m_fields.nLoginFlags |= LOGIN_FLAG_MAIN_WINDOW;
    const CString url =
        CWebRequest::BuildWebLoginUrl(CWebServiceIni::GetWebServiceUrl(), m_fields.strLoginName, m_fields.strPassword);

    CString domain;
    if (CWebServiceIni::GetDomainValue(domain)) {
        CString account = m_fields.strLoginName;
        if (account.Find(L'@') < 0 && !domain.IsEmpty())
            account += L"@" + domain;
        if (!CQorViewBaseFun::ExistADUserAccount(account)) {
            OnLoginNotify(CODE_REFUSED, kDomainAccountUnknown);
            return;
        }
        // The password is checked against the plain login name, as the domain knows it.
        if (!CQorViewBaseFun::CheckUserPassword(m_fields.strLoginName, m_fields.strPassword)) {
            OnLoginNotify(CODE_REFUSED, kDomainPasswordWrong);
            return;
        }
        m_fields.nLoginFlags = LOGIN_FLAG_WINDOWS_ACCOUNT;
    }

    if (url.IsEmpty()) {
        CallLogin();
        return;
    }
    m_fields.nLoginFlags |= LOGIN_FLAG_WINDOWS_ACCOUNT;
    ++m_nWebAttempt;
    if (!CWebSignIn::Start(m_wnd.FrameWnd().GetSafeHwnd(), WM_WEB_LOGIN_REPLY, url, m_nWebAttempt))
        RefuseWebLogin(CQorViewBaseFun::LoadStringW(IDS_WEB_LOGIN_NO_ANSWER));
}

void CSignInFlow::OnWebLoginReply(CWebLoginReply* pReply)
{
    std::unique_ptr<CWebLoginReply> reply(pReply);
    // A reply to an attempt that was cancelled, superseded or has signed in meanwhile.
    if (!reply || reply->nAttempt != m_nWebAttempt || m_bSignedIn)
        return;
    if (!reply->bAnswered) {
        RefuseWebLogin(CQorViewBaseFun::LoadStringW(IDS_WEB_LOGIN_NO_ANSWER));
        return;
    }
    CString state, message;
    CWebSignIn::ParseReply(reply->strReply, state, message);
    if (CWebSignIn::IsAccepted(state)) {
        CallLogin();
        return;
    }
    message.Trim();
    RefuseWebLogin(message.IsEmpty() ? CQorViewBaseFun::LoadStringW(IDS_WEB_LOGIN_REFUSED) : message);
}

void CSignInFlow::CallLogin()
{
    // The result is not used: the outcome arrives as WM_APP+1 and connection states.
    ViewMgr()->Login(m_fields.strServerAddr, m_fields.nServerPort, m_fields.strLoginName, m_fields.strPassword,
                     m_fields.nPasswordType, m_fields.nLoginStatus, m_fields.nLoginFlags, 0);
}

void CSignInFlow::RefuseWebLogin(const CString& strText)
{
    QorMessageBox(strText, CQorViewBaseFun::LoadStringW(IDS_MSGBOX_CAPTION), &m_wnd.FrameWnd(), MB_ICONEXCLAMATION);
    // The progress panel gives up and asks for the sign-out that returns to the sign-in panel;
    // without one the account is given back here.
    if (m_panels.GetWaitPanel() && ::IsWindow(m_panels.GetWaitPanel()->GetSafeHwnd()))
        m_panels.GetWaitPanel()->PostMessage(WM_LOGIN_WAIT_CANCEL, 0, 0);
    else
        m_Lock.Release();
}

// Results

int CSignInFlow::OnLoginNotify(int nCode, int nDetail)
{
    CString line;
    line.Format(L"OnLoginNotify:%d_%d\r\n", nCode, nDetail);
    CQorViewBaseFun::WriteErrorLogFile(line);

    // A failed sign-in gives the account back at once, whichever panel comes next.
    if (nCode == CODE_FAILED_RETRY || nCode == CODE_FAILED_RETRY_2 || nCode == CODE_REFUSED)
        m_Lock.Release();

    const NotifyDecision decision = ClassifyLoginNotify(nCode, m_panels.GetLoginPanel() != nullptr,
                                                        m_panels.GetReconnectPanel() != nullptr, m_bResumed);
    switch (decision.action) {
    case NOTIFY_CONNECTION_LOST:
        m_wnd.FrameWnd().PostMessage(WM_NEW_ALERT, 0, 0);
        break;
    case NOTIFY_FAILED: {
        CLoginPanelHost::WaitProgress(m_panels.GetWaitPanel(), nCode, nDetail);
        m_bResumed = false; // a refused resume's sign-in has had its answer too
        CString caption;
        ShowLoginErrorText(nDetail, caption);
        break;
    }
    case NOTIFY_RETRY_LATER:
        m_bResumed = false; // the resume's sign-in has had its answer
        m_panels.CloseWaitPanel();
        m_panels.ShowReconnectPanel(1, nDetail);
        break;
    case NOTIFY_SIGNED_IN:
        OnLoginOK();
        break;
    case NOTIFY_IGNORED:
        break;
    case NOTIFY_STAGE:
        CLoginPanelHost::WaitProgress(m_panels.GetWaitPanel(), nCode, nDetail);
        break;
    }
    return decision.nResult;
}

int CSignInFlow::OnConnectStateChange(int nCode, int nDetail)
{
    if (EndsAccountHold(nCode))
        m_Lock.Release();
    CQorViewMgr* pMgr = ViewMgr();
    switch (ClassifyConnectState(nCode)) {
    case STATE_SIGNED_IN:
        OnLoginOK();
        if (!pMgr->m_strCompanyName.IsEmpty()) {
            m_wnd.FrameWnd().SetWindowText(pMgr->m_strCompanyName);
            CQorViewBaseFun::SetCorAddInCompanyName(pMgr->m_strCompanyKey, pMgr->m_strCompanyName);
        } else {
            m_wnd.FrameWnd().SetWindowText(CQorViewBaseFun::LoadStringW(IDS_PRODUCT_NAME));
        }
        ::RedrawWindow(m_wnd.FrameWnd().GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
        return 1;
    case STATE_SOCKET_CLOSED:
        pMgr->OnSocketClose();
        return 1;
    case STATE_REPAIRED:
        // A repair reported after a sign-out finds nobody to hold the account for.
        if (m_bSignedIn)
            TakeAccount();
        pMgr->OnConnectRepairOK();
        return 1;
    case STATE_NOTIFY:
        break;
    }
    return OnLoginNotify(nCode, nDetail);
}

void CSignInFlow::TakeAccount()
{
    m_Lock.Take(CAccountLock::MutexName(m_fields.strServerAddr, m_fields.nServerPort, m_fields.strLoginName));
    m_Lock.SetProperty(m_wnd.FrameWnd().GetSafeHwnd(),
                       CAccountLock::PropertyName(m_fields.strServerAddr, m_fields.nServerPort, m_fields.strLoginName));
}

bool CSignInFlow::OnLoginOK()
{
    // Both entries report a success; the set-up runs for the first of them only.
    if (m_bSignedIn)
        return false;
    CQorViewMgr* pMgr = ViewMgr();
    m_tips.ClearTips();
    CLoginPanelHost::StopReconnectCountdown(m_panels.GetReconnectPanel());
    pMgr->m_bUnreadPending = 0;
    SetSignedIn(true);
    m_bUpdaterDone = true;
    pMgr->m_pMainWnd = &m_wnd.FrameWnd();
    pMgr->OnLoginIsOK();
    if (pMgr->m_dwServerOption1 & SERVER_OPTION1_CLEAR_SECOND_FLAG)
        pMgr->m_bSecondFlag = 0;

    // Held since the sign-in started; taken here when that start did not take it (a retry).
    m_Lock.Take(CAccountLock::MutexName(m_fields.strServerAddr, m_fields.nServerPort, m_fields.strLoginName));
    m_wnd.InitUserDataFolder();

    if (m_panels.GetLoginPanel()) {
        CLoginPanelHost::UpdateConnectedServer(m_panels.GetLoginPanel());
        CLoginPanelHost::SaveLoginInfo(m_panels.GetLoginPanel());
    }
    m_panels.CloseLoginPanel();
    m_panels.CloseWaitPanel();
    m_panels.CloseReconnectPanel();
    m_panels.ShowMainView();

    int& status = m_fields.nLoginStatus;
    if (!IsStatusAllowed(status, pMgr->m_dwServerOption1, pMgr->m_dwServerOption2)) {
        status = USER_STATUS_ONLINE;
        pMgr->SetUserStatus(USER_STATUS_ONLINE, CString(), TRUE);
    }
    pMgr->SetUserStatus(status, CString(), FALSE);
    // The sign-out or reset before this sign-in left the tray grey; nothing else repaints it
    // until the status next changes, so it shows the status now, automatic sign-ins included.
    m_wnd.SetTrayStatusImage(status);

    m_wnd.StartUnreadLoad();
    m_wnd.StartAutoAway();

    CString tip = CQorViewBaseFun::LoadStringW(IDS_PRODUCT_NAME);
    tip += L" - ";
    tip += pMgr->m_strUserName;
    m_wnd.SetTrayTooltip(tip);

    m_wnd.RegisterHotKeys();
    if (pMgr->m_strChangePwdAccount.IsEmpty())
        m_wnd.FrameWnd().PostMessage(WM_CHANGE_PASSWORD, 0, 0);
    m_wnd.FrameWnd().PostMessage(WM_NOTHING_5003, static_cast<WPARAM>(pMgr->m_nSmallValue), 0);
    OpenCommandLineChat();

    // A sign-in of the countdown leaves the window as the user left it (perhaps hidden).
    if (!m_bReconnectAttempt)
        m_wnd.FrameWnd().ShowWindow(SW_SHOW);
    else
        m_bReconnectAttempt = false;
    m_wnd.AllowResize();
    m_Lock.SetProperty(m_wnd.FrameWnd().GetSafeHwnd(),
                       CAccountLock::PropertyName(m_fields.strServerAddr, m_fields.nServerPort, m_fields.strLoginName));
    m_bResumed = false;
    return true;
}

// The chat or group window that the command line asked for, after the first sign-in only.
void CSignInFlow::OpenCommandLineChat()
{
    CKorvelApp* pApp = CKorvelApp::GetApp();
    if (!pApp)
        return;
    CQorViewMgr* pMgr = ViewMgr();
    if (!pApp->m_strReceiver.IsEmpty()) {
        if (pApp->m_strReceiverName.IsEmpty())
            m_wnd.RequestUserName(pApp->m_strReceiver);
        else
            pMgr->NewChatDlg(pApp->m_strReceiver, pApp->m_strReceiverName, CString(), CString(), TRUE, FALSE);
        pApp->m_strReceiver.Empty();
        pApp->m_strReceiverName.Empty();
    }
    if (!pApp->m_strViewId.IsEmpty()) {
        pMgr->NewGroupDisDlgEx(pApp->m_strViewId, TRUE, FALSE);
        pMgr->m_mapPendingGroups.erase(pApp->m_strViewId);
        pApp->m_strViewId.Empty();
    }
}

void CSignInFlow::ShowLoginErrorText(int nError, CString& strCaption)
{
    CString text, extra;
    ViewMgr()->GetQorCoreErrorInfo(nError, text, extra);
    strCaption = CQorViewBaseFun::LoadStringW(IDS_LOGIN_ERROR_CAPTION);
    CString message;
    message.Format(L"%s: %s", strCaption.GetString(), text.GetString());
    CLoginPanelHost::StopWaitAnimation(m_panels.GetWaitPanel());
    if (!m_panels.GetLoginPanel())
        ShowLoginPanel(FALSE);
    if (!m_panels.GetLoginPanel())
        return;
    CLoginPanelHost::ShowLoginError(m_panels.GetLoginPanel(), TRUE, message, nError);
}

// Sign-out

void CSignInFlow::SetSignedIn(bool bSignedIn)
{
    m_bSignedIn = bSignedIn;
    m_wnd.ShowSignedIn(bSignedIn);
}

void CSignInFlow::DoLogout()
{
    ++m_nWebAttempt; // a web sign-in still under way is forgotten
    m_bResumed = false; // and so is a resume whose sign-in the user gave up
    CSignOut::DoLogout(*this);
}

void CSignInFlow::ResetForReconnect(bool bStart)
{
    ++m_nWebAttempt;
    CSignOut::ResetForReconnect(*this, bStart);
}

bool CSignInFlow::OnConnectionLost()
{
    if (!m_bSignedIn)
        return false;
    CQorViewMgr* pMgr = ViewMgr();
    m_tips.ClearTips();
    m_tips.AddTipRecord(CQorViewBaseFun::LoadStringW(IDS_CONNECTION_ENDED), CString(), 0, 0);
    const CString alert = L"QOR_NewAlert";
    if (!(pMgr->m_dwServerOption2 & SERVER_OPTION2_NO_SOUNDS) &&
        CQorViewBaseFun::EnablePlay(alert, pMgr->m_strAccount, pMgr->m_strIdentity))
        CQorViewBaseFun::PlaySoundFile(CQorViewBaseFun::GetSoundFile(alert, pMgr->m_strAccount, pMgr->m_strIdentity));
    ResetForReconnect(true);
    return true;
}

void CSignInFlow::OnPowerBroadcast(UINT nEvent)
{
    if (nEvent == PBT_APMSUSPEND) {
        m_bSignedInAtSuspend = m_bSignedIn != 0;
        DoLogout();
    } else if (nEvent == PBT_APMRESUMESUSPEND) {
        // Only a user who was signed in before the suspend, and whose login name is still
        // known, is signed in again.
        const bool bSignInAgain = m_bSignedInAtSuspend && !m_fields.strLoginName.IsEmpty();
        m_bSignedInAtSuspend = false;
        if (bSignInAgain) {
            m_bResumed = true;
            StartLogin();
        }
    }
}

// The steps of a sign-out and a reset

void CSignInFlow::CloseAllMessageBoxes() { QorCloseAllMessageBoxes(); }
void CSignInFlow::ReleaseAccount() { m_Lock.Release(); }
void CSignInFlow::MarkSignedOut() { SetSignedIn(false); }
void CSignInFlow::CloseWaitPanel() { m_panels.CloseWaitPanel(); }
void CSignInFlow::CloseReconnectPanel() { m_panels.CloseReconnectPanel(); }
void CSignInFlow::CloseMessageCentre() { m_wnd.CloseMessageCentre(); }
void CSignInFlow::StopAutoAway() { m_wnd.StopAutoAway(); }
void CSignInFlow::RemoveSessionTips() { m_tips.RemoveSessionTips(); }

void CSignInFlow::ClearViewData()
{
    ViewMgr()->ClearData();
    ViewMgr()->SendLogStatusToMsgDlg(FALSE);
}

void CSignInFlow::ForgetAccount()
{
    CSignOut::ApplyRememberedAccount(m_fields.strLoginName, m_fields.strPassword,
                                     CQorViewBaseFun::IsRememberMe() != FALSE, CQorViewBaseFun::IsSavePwd() != FALSE);
}

void CSignInFlow::CloseDatabase()
{
    if (CQorMsgDBMgr* pDB = ViewMgr()->m_pDBMgr)
        pDB->CloseConnect();
}

void CSignInFlow::ReleaseCallbacks() { m_wnd.ReleaseCallBacks(); }
void CSignInFlow::ShowOfflineTrayIcon() { m_wnd.ChangeUseStatusIcon(USER_STATUS_OFFLINE); }
void CSignInFlow::CreateCallbacks() { m_wnd.RegisterCallbacks(); }
void CSignInFlow::ShowLoginPanel() { ShowLoginPanel(FALSE); }
void CSignInFlow::ShowReconnectPanel(bool bStart) { m_panels.ShowReconnectPanel(bStart ? 1 : 0, 0); }
