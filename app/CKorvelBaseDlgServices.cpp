// The main window's services beside the sign-in road and the core events: the tray and its
// status images, hot keys, auto-away, the saved position, the user's data folder, the unread
// count and new-message tips, the status menu and the status commands, the cross-process chat
// request, the update, close, destroy and help, and the thin handlers that hand a command to the
// view library. Each member forwards to the class that holds the concern's state and logic.
#include "app/CKorvelBaseDlg.h"
#include "app/CHotKeys.h"
#include "app/CKorvelApp.h"
#include "app/CQorTipMgr.h"
#include "app/CQorUpdatePromptDlg.h"
#include "app/CSavedPosition.h"
#include "app/CSendMsgRequest.h"
#include "app/CTipRecordMap.h"
#include "app/CUnreadMsg.h"
#include "app/CUserDataFolder.h"
#include "app/CWebServiceIni.h"
#include "app/KorvelMessages.h"
#include "common/CBaseFun.h"
#include "common/CRegistryKey.h"
#include "common/CWqStringMgr.h"
#include "controls/popup/CTkPopupItem.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/CxDuiToolbar.h"
#include "platform/QorView/QorMessageBox.h"
#include "platform/QorView/UserStatus.h"
#include "platform/WqUpApi/WqUpApi.h"
#include "signin/CUpdaterCheck.h"

namespace {

CQorViewMgr* ViewMgr()
{
    return CQorViewMgr::Instance();
}

const int kUnreadCountItem = 8892; // the main panel's toolbar item that shows the count
const int kDockedEdgeSlack = 30;   // a docked window this far beyond its edge is slid in
const UINT kUnreadLoadMs = 3000;   // the unread messages are loaded this long after a sign-in

void ShowBox(UINT nText, UINT nCaption, CWnd* pOwner)
{
    QorMessageBox(CQorViewBaseFun::LoadStringW(nText), CQorViewBaseFun::LoadStringW(nCaption), pOwner, MB_OK);
}

} // namespace

// Tray

BOOL CKorvelBaseDlg::CreateTrayIcon()
{
    return m_TrayStatus.Create(this, WM_TRAY_CALLBACK);
}

BOOL CKorvelBaseDlg::SetTrayImage(int nImage)
{
    return m_TrayStatus.SetImage(nImage);
}

BOOL CKorvelBaseDlg::SetTrayStatusImage(int nStatus)
{
    return m_TrayStatus.ShowStatus(nStatus);
}

void CKorvelBaseDlg::ChangeUseStatusIcon(int nStatus)
{
    // No popups: the tip only hides, and comes back with another status.
    if (nStatus == USER_STATUS_NO_POPUPS)
        m_pTipMgr->HideTip();
    else
        m_pTipMgr->CloseAndShowNext();
    m_TrayStatus.ShowStatus(nStatus);
}

void CKorvelBaseDlg::SetTrayTooltip(const CString& strText)
{
    m_TrayStatus.GetTrayIcon().SetTooltipText(strText);
}

void CKorvelBaseDlg::FlashTrayIcon(int nPhase)
{
    m_TrayStatus.Flash(nPhase, ViewMgr()->m_nUserStatus);
}

LRESULT CKorvelBaseDlg::OnTrayDblClick(WPARAM, LPARAM)
{
    const int dock = m_AutoHide.GetDockSide();
    if (dock == CAutoHide::DOCK_NONE) {
        OnShowMainWindow();
        return 0;
    }
    ShowMainWindowEx(TRUE, TRUE);
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    const bool beyond = (dock == CAutoHide::DOCK_TOP && rc.top < 1 - kDockedEdgeSlack) ||
                        (dock == CAutoHide::DOCK_BOTTOM && rc.bottom >= cy + kDockedEdgeSlack) ||
                        (dock == CAutoHide::DOCK_LEFT && rc.left < 1 - kDockedEdgeSlack) ||
                        (dock == CAutoHide::DOCK_RIGHT && rc.right >= cx + kDockedEdgeSlack);
    // A window slid away comes in and takes the focus; one still (partly) in view only slides.
    if (beyond)
        ::SetForegroundWindow(m_hWnd);
    m_AutoHide.Slide(TRUE);
    return 0;
}

// Hot keys

void CKorvelBaseDlg::RegisterHotKeys()
{
    CHotKeys::RegisterAll(m_hWnd);
}

LRESULT CKorvelBaseDlg::OnReRegisterHotKeys(WPARAM, LPARAM)
{
    RegisterHotKeys();
    return 0;
}

void CKorvelBaseDlg::ToggleMainWindow(bool bKeepFront)
{
    const bool inFront = !::IsIconic(m_hWnd) && ::IsWindowVisible(m_hWnd) && ::GetForegroundWindow() == m_hWnd;
    if (inFront) {
        if (!bKeepFront)
            ShowWindow(SW_HIDE);
        return;
    }
    ShowWindow(::IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOWNORMAL);
    ::SetForegroundWindow(m_hWnd);
}

void CKorvelBaseDlg::OnHotKey(UINT nHotKeyId, UINT, UINT)
{
    if (nHotKeyId == CHotKeys::kShowMainId) {
        ToggleMainWindow(false);
    } else if (nHotKeyId == CHotKeys::kRecvMsgId) {
        if (ViewMgr()->m_bOwnUnreadHandling) {
            const int count = GetUnreadCount();
            if (count == 1)
                m_pTipMgr->OpenNewestUnread();
            else if (count > 1)
                ViewMgr()->ShowUnreadMsg();
        } else if (!m_pTipMgr->GetCurrentRecord() && m_pTipMgr->GetRecordCount() == 0) {
            ToggleMainWindow(true);
        } else {
            m_pTipMgr->OpenCurrentTip();
            m_pTipMgr->GetTipWnd().Close();
        }
    }
}

// Auto-away

void CKorvelBaseDlg::StartAutoAway()
{
    BOOL bOn = TRUE;
    int minutes = CAutoAway::kDefaultMinutes;
    CQorViewBaseFun::GetAutoAwayInfo(bOn, minutes);
    if (!m_AutoAway.Configure(ViewMgr()->m_nServerAwayMinutes, bOn, minutes))
        return;
    m_AutoAway.SetTimerId(SetTimer(CAutoAway::kTimerId, CAutoAway::kCheckMs, nullptr));
}

void CKorvelBaseDlg::StopAutoAway()
{
    if (m_AutoAway.GetTimerId()) {
        KillTimer(m_AutoAway.GetTimerId());
        m_AutoAway.SetTimerId(0);
    }
}

void CKorvelBaseDlg::CheckAutoAway()
{
    DWORD idle = 0;
    if (!m_AutoAway.IsOn() || !IsSignedIn() || !CAutoAway::QueryIdleMs(idle))
        return;
    const CAutoAway::Change change = m_AutoAway.Decide(idle, ViewMgr()->m_nUserStatus);
    if (change == CAutoAway::kNoChange)
        return;
    const bool away = change == CAutoAway::kGoAway;
    SetUserStatus(away ? USER_STATUS_AUTO_AWAY : USER_STATUS_ONLINE, CString());
    // Away, the first input must bring the user back soon: the check runs more often.
    m_AutoAway.SetTimerId(SetTimer(CAutoAway::kTimerId, away ? CAutoAway::kAwayCheckMs : CAutoAway::kCheckMs, nullptr));
}

void CKorvelBaseDlg::SetUserStatus(int nStatus, const CString& strText)
{
    ViewMgr()->SetUserStatus(nStatus, strText, TRUE);
    m_TrayStatus.ShowStatus(nStatus);
}

void CKorvelBaseDlg::StartUnreadLoad()
{
    if (!m_nUnreadLoadTimer)
        m_nUnreadLoadTimer = SetTimer(TIMER_UNREAD_LOAD, kUnreadLoadMs, nullptr);
}

// Position

void CKorvelBaseDlg::SavePosition()
{
    CSavedPosition::Save(m_hWnd, GetMaximumSize().cy);
}

void CKorvelBaseDlg::RestorePosition()
{
    CKorvelApp* pApp = CKorvelApp::GetApp();
    CSavedPosition::Restore(m_hWnd, pApp && (pApp->m_nStartupFlags & STARTUP_NO_SAVED_POSITION));
}

// Data folder and unread messages

void CKorvelBaseDlg::InitUserDataFolder()
{
    CQorViewMgr* pMgr = ViewMgr();
    const CString database = CUserDataFolder::Prepare(CQorViewBaseFun::GetKorvelDataFolder(), pMgr->m_strSessionText3,
                                                      pMgr->m_strSessionText1);
    if (database.IsEmpty())
        return;
    pMgr->m_strDBPath = database;
    pMgr->InitDBTable();
}

BOOL CKorvelBaseDlg::CopyFolder(const CString& strFrom, const CString& strTo)
{
    return CUserDataFolder::CopyFolder(m_hWnd, strFrom, strTo);
}

LRESULT CKorvelBaseDlg::OnCopyDataFolder(WPARAM, LPARAM)
{
    CQorViewMgr* pMgr = ViewMgr();
    if (pMgr->m_strPrevDataFolder.IsEmpty())
        return 0;
    CopyFolder(pMgr->m_strPrevDataFolder, CQorViewBaseFun::GetMyDataSavePathInfo());
    return 1;
}

int CKorvelBaseDlg::GetUnreadCount()
{
    CYqConnect* pConnect = ViewMgr()->m_pConnect;
    if (!pConnect)
        return 0;
    CYqRecordset rs;
    if (!rs.Open(L"SELECT count(*) FROM qor_Msg_UnRead WHERE Col_RecvLogin = '' AND Col_Favourite = 0", pConnect))
        return 0;
    int count = 0;
    if (!rs.IsEOF())
        rs.GetValue(0, count);
    return count;
}

void CKorvelBaseDlg::ShowUnreadCount(int nCount)
{
    CxDuiToolbar* pToolbar = ViewMgr()->m_pMainToolbar;
    if (!pToolbar)
        return;
    CString text;
    if (nCount)
        text.Format(L"%d", nCount);
    pToolbar->UpdateItemText(kUnreadCountItem, text);
}

LRESULT CKorvelBaseDlg::OnUnreadCount(WPARAM wParam, LPARAM)
{
    ShowUnreadCount(GetUnreadCount());
    const LPCWSTR pszText = reinterpret_cast<LPCWSTR>(wParam);
    if (pszText && *pszText && ::IsWindow(m_pTipMgr->GetTipWnd().GetSafeHwnd())) {
        m_pTipMgr->SetCaptionText(pszText);
        m_pTipMgr->RefreshTipCountCaption();
        m_pTipMgr->GetTipWnd().SendMessage(WM_CLOSE, 0, 0);
    }
    return 0;
}

// wParam: the view library's message item (CQorMsgItem), lent for the call.
LRESULT CKorvelBaseDlg::OnNewMessage(WPARAM wParam, LPARAM)
{
    const CQorMsgItem* pItem = reinterpret_cast<const CQorMsgItem*>(wParam);
    if (!pItem)
        return 0;
    const bool group = CUnreadMsg::IsGroupType(pItem->nMsgType);
    // A group operation that announces an update is the updater's business, not a tip.
    if (pItem->nMsgType == CUnreadMsg::kTypeGroupOpt && pItem->strMsgInfo.Left(12) == L"UPDATENOTICE")
        return 0;
    // The core hands a message to the program's own sink as well: one that already has its tip
    // (merged into the unread box too) is not counted twice.
    if (m_pTipMgr->FindMessageRecord(pItem->strMsgID, group ? pItem->strTalkID : pItem->strSender))
        return 0;
    bool bNoSubject = false;
    if (!group)
        CQorViewBaseFun::GetNoShowSubjectInfo(bNoSubject);
    CUnreadMsg* pRecord = CTipRecordMap::FromViewItem(*pItem, bNoSubject);
    m_pTipMgr->MergeIntoUnreadBox(pRecord);
    m_pTipMgr->CloseAndShowNext();
    return 0;
}

// Signed-in state and showing

void CKorvelBaseDlg::ShowSignedIn(bool bSignedIn)
{
    // The custom statuses belong to the account: the next one reads its own.
    if (!bSignedIn)
        m_StatusMenu.ClearCustom();
    EnableTitleText(bSignedIn);
    if (::IsWindow(m_hWnd))
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CKorvelBaseDlg::ShowMainWindowEx(BOOL bShow, BOOL bForce)
{
    if (!bShow) {
        ShowWindow(SW_HIDE);
        return;
    }
    const bool visible = ::IsWindowVisible(m_hWnd) != FALSE;
    if (!visible && !bForce)
        return;
    ShowWindow(SW_SHOWNORMAL);
    ShowWindow(SW_SHOW);
    if (!visible)
        ShowWindow(SW_RESTORE);
    // Topmost and back brings the window in front of every other without keeping it there
    // (WM_WINDOWPOSCHANGED puts it back on top when it is docked or the user wants it so).
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CKorvelBaseDlg::OnShowMainWindow()
{
    ShowWindow(::IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOWNORMAL);
    ::SetForegroundWindow(m_hWnd);
}

CString CKorvelBaseDlg::GetWebServiceUrl()
{
    return CWebServiceIni::GetWebServiceUrl();
}

bool CKorvelBaseDlg::GetDomainValue(CString& strDomain)
{
    return CWebServiceIni::GetDomainValue(strDomain) != FALSE;
}

// Views, users and the cross-process request

void CKorvelBaseDlg::SelectViewTab()
{
    CQorViewMgr* pMgr = ViewMgr();
    int type = 0;
    CQorViewBaseFun::ParseUserListView(type, pMgr->m_strViewText1, pMgr->m_strViewText2, pMgr->m_strViewText3);
    // Views the server or the options do not offer fall back to the organisation.
    if (type == 3 && (pMgr->m_dwServerOption1 & SERVER_OPTION1_NO_VIEW_3))
        type = 2;
    if (type == 10 && !(pMgr->m_dwOptionFlags & VIEW_OPTION_USER_FOLDER_VIEW))
        type = 2;
    pMgr->m_nViewType = type;
    pMgr->SetActiveViewTab(type, pMgr->m_strViewText1, type == 10 ? 1 : 0);
}

void CKorvelBaseDlg::RequestUserName(const CString& strLogin)
{
    m_strPendingChatLogin = strLogin;
    ViewMgr()->GetUserInfo(this, strLogin, CString(L"USERNAME") + L",");
}

// wParam: the key text, lParam: the value text.
LRESULT CKorvelBaseDlg::OnUserDetails(WPARAM wParam, LPARAM lParam)
{
    const LPCWSTR pszKey = reinterpret_cast<LPCWSTR>(wParam);
    const LPCWSTR pszValue = reinterpret_cast<LPCWSTR>(lParam);
    if (!pszKey || !pszValue)
        return 0;
    CString key = pszKey;
    key.MakeUpper();
    if (key != L"USERNAME")
        return 0;
    const CString name = pszValue;
    CKorvelApp* pApp = CKorvelApp::GetApp();
    if (pApp && !pApp->m_strReceiver.IsEmpty()) {
        // The chat the command line asked for; a receiver name there means it is open already.
        if (pApp->m_strReceiverName.IsEmpty())
            ViewMgr()->NewChatDlg(pApp->m_strReceiver, name, CString(), CString(), TRUE, FALSE);
        pApp->m_strReceiver.Empty();
        pApp->m_strReceiverName.Empty();
        return 0;
    }
    ViewMgr()->NewChatDlg(m_strPendingChatLogin, name, CString(), CString(), TRUE, FALSE);
    return 0;
}

BOOL CKorvelBaseDlg::ReadProtocolSendMsg(CString& strText)
{
    return CSendMsgRequest::ReadShared(strText);
}

LRESULT CKorvelBaseDlg::OnProtocolSendMsg(WPARAM, LPARAM)
{
    // Signed out there is no user list and no session for a chat window: the request waits
    // for nobody and is dropped.
    if (!IsSignedIn())
        return -1;
    CString text;
    ReadProtocolSendMsg(text);
    const CSendMsgRequest request = CSendMsgRequest::Parse(text);
    if (request.m_strLoginName.IsEmpty())
        return -1;
    const bool forMe = request.m_strLoginName.CompareNoCase(m_SignIn.GetLoginFields().strLoginName) == 0;
    CQorViewMgr* pMgr = ViewMgr();
    if (!request.m_strViewId.IsEmpty()) {
        if (forMe && pMgr->m_UserList.FindViewItem(request.m_strViewId)) {
            pMgr->NewGroupDisDlgEx(request.m_strViewId, TRUE, FALSE);
            pMgr->m_mapPendingGroups.erase(request.m_strViewId);
        }
    } else if (!request.m_strReceiver.IsEmpty() && forMe) {
        const CString name = pMgr->m_UserList.GetUserNameW(request.m_strReceiver);
        if (name.IsEmpty())
            RequestUserName(request.m_strReceiver);
        else
            pMgr->NewChatDlg(request.m_strReceiver, name, CString(), CString(), TRUE, FALSE);
    }
    return 1;
}

// Status menu and status commands

void CKorvelBaseDlg::ShowStatusMenu(int x, int y, UINT nTrackFlags, bool bHideShow)
{
    CQorViewMgr* pMgr = ViewMgr();
    CStatusMenu::State state;
    state.bModal = pMgr->m_bModal != 0;
    state.bSignedIn = IsSignedIn();
    state.bSigningIn = m_Panels.GetWaitPanel() != nullptr;
    state.dwOption1 = pMgr->m_dwServerOption1;
    state.dwOption2 = pMgr->m_dwServerOption2;
    if (state.bSignedIn)
        state.strConfigFile = CQorViewBaseFun::GetMyConfigFile(pMgr->m_strAccount);
    m_StatusMenu.Show(this, x, y, nTrackFlags, bHideShow, state);
}

// wParam: the track flags; lParam: the point, x and y signed 16-bit.
LRESULT CKorvelBaseDlg::OnStatusMenu(WPARAM wParam, LPARAM lParam)
{
    const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
    ShowStatusMenu(x, y, static_cast<UINT>(wParam), true);
    return 0;
}

LRESULT CKorvelBaseDlg::OnStatusMenuAtCursor(WPARAM, LPARAM)
{
    POINT pt = {};
    ::GetCursorPos(&pt);
    ShowStatusMenu(pt.x, pt.y, 0, false);
    return 0;
}

void CKorvelBaseDlg::OnStatusCommand(UINT nID)
{
    CQorViewMgr* pMgr = ViewMgr();
    int status;
    switch (nID) {
    case ID_STATUS_ONLINE: status = USER_STATUS_ONLINE; break;
    case ID_STATUS_BUSY: status = USER_STATUS_BUSY; break;
    case ID_STATUS_AWAY: status = USER_STATUS_AWAY; break;
    case ID_STATUS_INVISIBLE: status = USER_STATUS_INVISIBLE; break;
    case ID_STATUS_DND: status = USER_STATUS_NO_POPUPS; break;
    default: return;
    }
    if (!IsStatusAllowed(status, pMgr->m_dwServerOption1, pMgr->m_dwServerOption2))
        return;
    pMgr->SetUserStatus(status, CString(), TRUE);
    ChangeUseStatusIcon(status);
}

void CKorvelBaseDlg::OnCustomStatus(UINT nID)
{
    int type = 0;
    CString text;
    if (m_StatusMenu.GetCustom(nID, type, text))
        SetUserStatus(type, text);
}

// Thin handlers

void CKorvelBaseDlg::OnOptions()
{
    CQorViewMgr* pMgr = ViewMgr();
    if (pMgr->m_dwServerOption1 & SERVER_OPTION1_NO_OPTIONS) {
        ShowBox(IDS_OPTIONS_DENIED, IDS_PROXY_CAPTION, this);
        return;
    }
    pMgr->ShowOptionDlg(pMgr->m_strAccount, pMgr->m_strIdentity);
}

void CKorvelBaseDlg::OnAbout()
{
    ViewMgr()->ShowAboutDlg();
}

LRESULT CKorvelBaseDlg::OnChangePassword(WPARAM, LPARAM)
{
    ShowBox(IDS_CHANGE_PASSWORD, IDS_PROXY_CAPTION, this);
    ViewMgr()->ShowOptChangePwdDlg();
    return 0;
}

void CKorvelBaseDlg::ShowOptAutoReplyDlg()
{
    ViewMgr()->ShowOptAutoReplyDlg();
}

void CKorvelBaseDlg::ShowOptSetCusStatusDlg()
{
    ViewMgr()->ShowOptSetCusStatusDlg();
}

BOOL CKorvelBaseDlg::ChangePassword(const CString& strOldPassword, const CString& strNewPassword)
{
    return ViewMgr()->ChangePassword(strOldPassword, strNewPassword);
}

// Update

LRESULT CKorvelBaseDlg::OnCheckUpdate(WPARAM, LPARAM)
{
    CKorvelApp* pApp = CKorvelApp::GetApp();
    CUpdaterCheck::Request request;
    request.strServer = m_SignIn.GetLoginFields().strServerAddr;
    request.nPort = m_SignIn.GetLoginFields().nServerPort;
    request.nVersion = pApp ? static_cast<int>(pApp->m_dwVersion) : 0;
    request.hOwner = m_hWnd;
    const int result = CUpdaterCheck().Run(request);
    if (result == WQUP_UPDATE_OFFERED || result == WQUP_UPDATE_FORCED)
        CQorUpdatePromptDlg::ShowPrompt();
    return 0;
}

LRESULT CKorvelBaseDlg::OnApplyUpdate(WPARAM, LPARAM)
{
    // The user has agreed already (the prompt), so the updater asks nothing more.
    CUpdaterCheck().StartUpdate(true);
    PostMessage(WM_KORVEL_EXIT, 0, 0);
    return 0;
}

// Close, destroy, help and the tray's unread handlers

void CKorvelBaseDlg::OnCancel()
{
    // Closing only hides the window unless the user chose that closing ends the program.
    if (CQorViewBaseFun::IsCloseExit()) {
        OnExit();
        return;
    }
    SavePosition();
    ShowWindow(SW_HIDE);
}

void CKorvelBaseDlg::OnDestroy()
{
    m_SignIn.GetAccountLock().Release();
    m_pTipMgr->ClearTips();
    StopAutoAway();
    // The tray-retry and unread-load timers are normally gone already (DestroyWindow); a window
    // destroyed another way loses them here.
    StopTimer(m_nTrayRetryTimer);
    StopTimer(m_nUnreadLoadTimer);
    m_AutoHide.SetAutoHide(FALSE);
    SetSignedIn(false);
    // The saved position below no longer caps the height: the maximum is gone with the window.
    SetMaximumSize(0, 0);
    CQorViewMgr* pMgr = ViewMgr();
    pMgr->ClearData();
    CloseLoginPanel();
    CloseWaitPanel();
    CloseReconnectPanel();
    CloseMessageCentre();
    pMgr->SetAppCallback(nullptr);
    pMgr->SetCoreCallback(nullptr);
    pMgr->SetConsole(nullptr);
    ReleaseCallBacks();
    CTrayIcon& tray = m_TrayStatus.GetTrayIcon();
    if (::IsWindow(tray.GetSafeHwnd()) || !tray.IsRemoved())
        tray.RemoveIcon();
    SavePosition();
    CQorDlg::OnDestroy();
}

void CKorvelBaseDlg::OnHelp()
{
    OpenHelpPage();
}

void CKorvelBaseDlg::OpenHelpPage()
{
    // Without a server (nobody signed in yet) there is no host for the help pages.
    const CString server = m_SignIn.GetLoginFields().strServerAddr;
    if (server.IsEmpty()) {
        ShowBox(IDS_HELP_NO_SERVER, IDS_MSGBOX_CAPTION, this);
        return;
    }
    int port = 8000;
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, L"Software\\KorvelSoft\\KorvelMessenger\\Setting", KEY_READ)) {
        CString value;
        // Only a text holds a port; any other kind of value is as good as none.
        if (key.QueryStringValue(L"ServerPort", value) && !value.IsEmpty())
            port = _wtoi(value);
        key.Close();
    }
    CString url;
    url.Format(L"http://%s:%d/help/", server.GetString(), port);
    CBaseFun::OpenAddress(url);
}

void CKorvelBaseDlg::ParseShowManageCommand(int nCode, void* pParam)
{
    if (nCode && pParam) {
        CTkPopupControl& tip = m_pTipMgr->GetTipWnd();
        POINT pt = {};
        ::GetCursorPos(&pt);
        if (tip.GetSafeHwnd())
            ::ScreenToClient(tip.GetSafeHwnd(), &pt);
        if (CTkPopupItem* pItem = tip.GetSafeHwnd() ? tip.HitTest(CPoint(pt.x, pt.y)) : nullptr) {
            CString text = pItem->GetCaption(), head;
            CWqStringMgr::SplitFirst(text, head, L":");
            if (head == L"SHOWMANAGE") {
                // Four comma-separated fields follow; nothing acts on them.
                CString field;
                for (int i = 0; i < 4; ++i)
                    CWqStringMgr::SplitFirst(text, field, L",");
                return;
            }
        }
    }
    m_pTipMgr->OnTipClick(nCode, pParam);
}

LRESULT CKorvelBaseDlg::OnOpenUnreadMsg(WPARAM, LPARAM)
{
    if (!IsSignedIn())
        return 0;
    CQorViewMgr* pMgr = ViewMgr();
    if (!pMgr->m_bUnreadFlash) {
        ShowMainWindowEx(TRUE, TRUE);
        if (pMgr->m_nUserStatus == USER_STATUS_NO_POPUPS) {
            m_pTipMgr->CloseAndShowNext();
            ChangeUseStatusIcon(USER_STATUS_NO_POPUPS);
        }
        return 0;
    }
    const int count = GetUnreadCount();
    if (count == 1) {
        m_pTipMgr->OpenNewestUnread();
        FlashTrayIcon(1);
    } else if (count > 1) {
        pMgr->ShowUnreadMsg();
    }
    return 0;
}

LRESULT CKorvelBaseDlg::OnStopTrayFlash(WPARAM, LPARAM)
{
    if (ViewMgr()->m_bUnreadFlash)
        FlashTrayIcon(1);
    m_pTipMgr->DismissAllTips();
    return 0;
}
