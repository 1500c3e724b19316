#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "framework/CWnd.h"
#include "platform/QorCore/QorCoreIds.h"
#include "platform/QorCore/QorCoreErrors.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/QorViewMessages.h"
#include "platform/QorView/CASRichEdit.h"
#include "platform/QorView/ILinkDataSink.h"
#include "platform/QorView/CQorViewTree.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "standin/QorView/CQorMainPanel.h"
#include "standin/QorView/CQorMsgInbox.h"
#include "standin/QorView/CQorMsgStore.h"
#include "standin/QorView/QorViewRes.h"
#include "standin/QorView/QorViewState.h"

using namespace qorview_detail;

namespace {

template <class T>
void Hold(T*& slot, T* p)
{
    if (p == slot)
        return;
    if (p)
        p->AddRef();
    if (slot)
        slot->Release();
    slot = p;
}

// The core's console, made on first use; false when the component cannot be had.
bool EnsureConsole(CQorViewMgr* pMgr)
{
    if (!pMgr->m_pQorConsole) {
        CLSID clsid = {};
        if (FAILED(::CLSIDFromProgID(kProgIdQorConsole, &clsid)) ||
            FAILED(::CoCreateInstance(clsid, nullptr, kQorCoreClsCtx, IID_IQorConsole,
                                      reinterpret_cast<void**>(&pMgr->m_pQorConsole)))) {
            pMgr->m_pQorConsole = nullptr;
            return false;
        }
    }
    return true;
}

// The core reports its events to the sinks that its console holds: they are handed over
// whenever the program gives new ones.
void HandSinksToCore(CQorViewMgr* pMgr)
{
    if (!pMgr->m_pQorConsole && !pMgr->m_pCoreCallback && !pMgr->m_pAppCallback)
        return;
    if (EnsureConsole(pMgr))
        pMgr->m_pQorConsole->SetCallbacks(pMgr->m_pCoreCallback, pMgr->m_pAppCallback);
}

// The error texts of the core's numbers; 0 for a number it has none for.
UINT CoreErrorTextId(int nError)
{
    switch (nError) {
    case QorErrLoginName: return IDS_QORVIEW_ERR_LOGIN_NAME;
    case QorErrPassword: return IDS_QORVIEW_ERR_PASSWORD;
    case QorErrNeedsTls: return IDS_QORVIEW_ERR_NEEDS_TLS;
    case QorErrNoMechanism: return IDS_QORVIEW_ERR_NO_MECHANISM;
    case QorErrProtocol: return IDS_QORVIEW_ERR_PROTOCOL;
    case QorErrNoAnswer: return IDS_QORVIEW_ERR_NO_ANSWER;
    case QorErrTlsUntrusted: return IDS_QORVIEW_ERR_TLS_UNTRUSTED;
    case QorErrTlsWrongName: return IDS_QORVIEW_ERR_TLS_WRONG_NAME;
    case QorErrTlsExpired: return IDS_QORVIEW_ERR_TLS_EXPIRED;
    case QorErrTlsHandshake: return IDS_QORVIEW_ERR_TLS_HANDSHAKE;
    case QorErrTlsCertificate: return IDS_QORVIEW_ERR_TLS_CERTIFICATE;
    case QorErrUnreachable:
    case QorErrRefused: return IDS_QORVIEW_ERR_UNREACHABLE;
    default: return 0;
    }
}

} // namespace

// The core component registers itself on first use: when its ProgID is unknown, run the
// registration of the QorCore.dll that lies beside this library. The server path it
// registers is the bare file name, so every copy of the program loads its own core.
BOOL qorview_detail::EnsureCoreRegistered()
{
    CLSID clsid = {};
    if (SUCCEEDED(::CLSIDFromProgID(kProgIdQorMsg, &clsid)))
        return TRUE;
    wchar_t path[MAX_PATH] = {};
    HMODULE self = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&qorview_detail::EnsureCoreRegistered), &self);
    ::GetModuleFileNameW(self, path, MAX_PATH);
    CString file = CQorViewBaseFun::GetPathName(path) + L"\\QorCore.dll";
    HMODULE core = ::LoadLibraryW(file);
    if (!core)
        return FALSE;
    using RegisterFn = HRESULT(WINAPI*)();
    auto reg = reinterpret_cast<RegisterFn>(::GetProcAddress(core, "DllRegisterServer"));
    if (reg)
        reg();
    ::FreeLibrary(core);
    return SUCCEEDED(::CLSIDFromProgID(kProgIdQorMsg, &clsid)) ? TRUE : FALSE;
}

namespace {

// The signed-in panel: one for the process, made on the first sign-in.
CQorMainPanel& MainPanel()
{
    static CQorMainPanel* panel = new CQorMainPanel;
    return *panel;
}

void ShowPanelAccount(CQorViewMgr* pMgr)
{
    CString server;
    server.Format(L"%s:%d", pMgr->m_strServerAddr.GetString(), pMgr->m_nServerPort);
    MainPanel().ShowAccount(pMgr->m_strUserName, CQorViewBaseFun::GetUserStatusStr(pMgr->m_nUserStatus), server);
}

CString CmdName(IQorCmd* pCmd)
{
    BSTR b = nullptr;
    CString name;
    if (pCmd && SUCCEEDED(pCmd->get_Name(&b)) && b)
        name = b;
    ::SysFreeString(b);
    return name;
}

// The main window counts the unread messages afresh.
void TellUnreadCount()
{
    if (HWND hMain = MainWindow())
        ::PostMessageW(hMain, WM_UNREAD_COUNT, 0, 0);
}

// Messages the user opened (a conversation of the unread tips) are read now.
void MarkOpened(CQorViewMgr* pMgr, const CStringArray& arMsgIds)
{
    if (pMgr->m_pDBMgr && CQorMsgStore::MarkRead(*pMgr->m_pDBMgr, arMsgIds) > 0)
        TellUnreadCount();
}

CString ArrayText(const CStringArray& ar)
{
    CString out;
    for (INT_PTR i = 0; i < ar.GetSize(); ++i) {
        if (i)
            out += L",";
        out += ar[i];
    }
    return out;
}

} // namespace

CQorViewMgr* CQorViewMgr::Instance()
{
    // Never destroyed: windows and COM objects may still reach it while the process ends.
    static CQorViewMgr* instance = new CQorViewMgr;
    return instance;
}

CQorViewMgr::CQorViewMgr()
{
    Record(L"CQorViewMgr::CQorViewMgr");
    EnsureCoreRegistered();
}

CQorViewMgr::~CQorViewMgr() = default;

void CQorViewMgr::SetCoreCallback(IQorCallback* pCallback)
{
    Record(L"CQorViewMgr::SetCoreCallback", pCallback ? L"set" : L"null");
    Hold(m_pCoreCallback, pCallback);
    HandSinksToCore(this);
}

void CQorViewMgr::SetAppCallback(IQorCallback* pCallback)
{
    Record(L"CQorViewMgr::SetAppCallback", pCallback ? L"set" : L"null");
    Hold(m_pAppCallback, pCallback);
    HandSinksToCore(this);
}

void CQorViewMgr::SetConsole(IDispatch* pConsole)
{
    Record(L"CQorViewMgr::SetConsole", pConsole ? L"set" : L"null");
    Hold(m_pConsole, pConsole);
}

void CQorViewMgr::SetQorMsg(IQorMsg* pMsg)
{
    Hold(m_pQorMsg, pMsg);
}

// Sign-in

BOOL CQorViewMgr::SetProxy(int nType, int nFlag, const CString& strHost, int nPort, const CString& strUser,
                           const CString& strPassword)
{
    Record(L"CQorViewMgr::SetProxy", Join({Num(nType), Num(nFlag), strHost, Num(nPort), strUser}));
    return TRUE;
}

// The sign-in goes through the core component, whose connection states report the outcome to
// the program's core sink. A test may instead script the outcome, posted to the owner window as
// WM_APP+1, or have no answer at all.
BOOL CQorViewMgr::Login(const CString& strServer, int nPort, const CString& strLoginName, const CString& strPassword,
                        int nPasswordType, int nStatus, int nLoginFlags, int nReserved)
{
    // The password stays out of the log.
    Record(L"CQorViewMgr::Login", Join({strServer, Num(nPort), strLoginName, Num(nPasswordType), Num(nStatus),
                                        Num(nLoginFlags), Num(nReserved)}));
    m_strServerAddr = strServer;
    m_nServerPort = nPort;
    m_nUseAltServer = 0;
    m_strServerName.Empty();
    CServerItemArray servers;
    CQorViewBaseFun::LoadServerList(servers);
    for (INT_PTR i = 0; i < servers.GetSize(); ++i) {
        if (servers[i].strServer.CompareNoCase(strServer) == 0) {
            m_strServerName = servers[i].strName;
            break;
        }
    }

    LockScript();
    Script& s = GetScript();
    const Script::LoginMode mode = s.loginMode;
    int code = s.loginCode, detail = s.loginDetail;
    UnlockScript();
    if (mode == Script::LoginSilent)
        return TRUE;
    // The user's data folder is Data\<server>\User\<login>: texts that can stand in a path.
    m_strSessionText1 = SafeFileName(strLoginName);
    m_strSessionText3 = SafeFileName(strServer);
    if (mode == Script::LoginThroughCore) {
        m_strAccount = strLoginName;
        m_strUserName = strLoginName;
        // An XMPP server never asks for a new password at sign-in, so the shell's prompt for
        // one has no reason to appear after a sign-in through the core.
        m_strChangePwdAccount = strLoginName;
        m_nUserStatus = nStatus;
        m_strLastAccount = strLoginName;
        if (!EnsureConsole(this))
            return FALSE;
        BSTR server = ::SysAllocString(strServer), login = ::SysAllocString(strLoginName);
        BSTR password = ::SysAllocString(strPassword);
        const HRESULT hr = m_pQorConsole->Login(server, nPort, login, password, nPasswordType, nStatus, nLoginFlags,
                                                nReserved);
        ::SecureZeroMemory(password, ::SysStringByteLen(password));
        ::SysFreeString(server);
        ::SysFreeString(login);
        ::SysFreeString(password);
        return SUCCEEDED(hr);
    }
    if (code == 12) {
        m_strAccount = strLoginName;
        m_strUserName = strLoginName;
        m_nUserStatus = nStatus;
        m_strLastAccount = strLoginName;
    }
    HWND owner = m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr;
    if (owner)
        ::PostMessageW(owner, WM_LOGIN_NOTIFY, static_cast<WPARAM>(code), static_cast<LPARAM>(detail));
    return TRUE;
}

void CQorViewMgr::OnLoginIsOK()
{
    Record(L"CQorViewMgr::OnLoginIsOK");
    m_bPanelsReady = 1;
}

// The connection dropped while signed in: the core tries once to sign in again; it reports 18
// when that worked and 7 (connection lost, to the reconnect countdown) when not.
void CQorViewMgr::OnSocketClose()
{
    Record(L"CQorViewMgr::OnSocketClose");
    if (m_pQorConsole)
        m_pQorConsole->Repair();
}
void CQorViewMgr::OnConnectRepairOK() { Record(L"CQorViewMgr::OnConnectRepairOK"); }

BOOL CQorViewMgr::GetQorCoreErrorInfo(int nError, CString& strText, CString& strExtra)
{
    Record(L"CQorViewMgr::GetQorCoreErrorInfo", Num(nError));
    const UINT known = CoreErrorTextId(nError);
    strText = known ? CQorViewBaseFun::LoadStringW(known) : CString();
    if (strText.IsEmpty()) {
        CString format = CQorViewBaseFun::LoadStringW(IDS_QORVIEW_CORE_ERROR);
        strText.Format(format.IsEmpty() ? CString(L"Error %d").GetString() : format.GetString(), nError);
    }
    strExtra.Empty();
    return TRUE;
}

CString CQorViewMgr::GetQorLoginPropInfo(const CString& strName)
{
    Record(L"CQorViewMgr::GetQorLoginPropInfo", strName);
    return CString();
}

int CQorViewMgr::GetQorLoginPropInfoInt(const CString& strName)
{
    Record(L"CQorViewMgr::GetQorLoginPropInfoInt", strName);
    return 0;
}

bool CQorViewMgr::OnReceiveCmd_RCM_Err(IQorCmd* pCmd) { Record(L"CQorViewMgr::OnReceiveCmd_RCM_Err", CmdName(pCmd)); return true; }
bool CQorViewMgr::OnReceiveCmd_DNF_Err(IQorCmd* pCmd) { Record(L"CQorViewMgr::OnReceiveCmd_DNF_Err", CmdName(pCmd)); return true; }
bool CQorViewMgr::OnReceiveCmd_PSW_Err(IQorCmd* pCmd) { Record(L"CQorViewMgr::OnReceiveCmd_PSW_Err", CmdName(pCmd)); return true; }
bool CQorViewMgr::OnReceiveCmd_AIT_Err(IQorCmd* pCmd) { Record(L"CQorViewMgr::OnReceiveCmd_AIT_Err", CmdName(pCmd)); return true; }
bool CQorViewMgr::OnReceiveCmd_UPF_Err(IQorCmd* pCmd) { Record(L"CQorViewMgr::OnReceiveCmd_UPF_Err", CmdName(pCmd)); return true; }
bool CQorViewMgr::OnReceiveCmd_MSG_Err(IQorCmd* pCmd) { Record(L"CQorViewMgr::OnReceiveCmd_MSG_Err", CmdName(pCmd)); return true; }
bool CQorViewMgr::OnReceiveCmd_UVF_Err(IQorCmd* pCmd) { Record(L"CQorViewMgr::OnReceiveCmd_UVF_Err", CmdName(pCmd)); return true; }
bool CQorViewMgr::OnReceiveCmd_DVF_Err(IQorCmd* pCmd) { Record(L"CQorViewMgr::OnReceiveCmd_DVF_Err", CmdName(pCmd)); return true; }
bool CQorViewMgr::OnReceiveCmd_RVF_Err(IQorCmd* pCmd) { Record(L"CQorViewMgr::OnReceiveCmd_RVF_Err", CmdName(pCmd)); return true; }

// Signed-in state

void CQorViewMgr::InitSkin() { Record(L"CQorViewMgr::InitSkin"); }

void CQorViewMgr::SetSize(const RECT& rc)
{
    Record(L"CQorViewMgr::SetSize", Join({Num(rc.left), Num(rc.top), Num(rc.right), Num(rc.bottom)}));
    if (m_pKorvelDlg)
        MainPanel().Place(rc);
}

void CQorViewMgr::ShowKorvelDlg(CWnd* pParent, const RECT& rc)
{
    Record(L"CQorViewMgr::ShowKorvelDlg", Join({Num(rc.left), Num(rc.top), Num(rc.right), Num(rc.bottom)}));
    if (!pParent || !pParent->GetSafeHwnd() || !MainPanel().Open(pParent, rc))
        return;
    m_pKorvelDlg = &MainPanel();
    m_pKorvelDlgEdit = MainPanel().GetEdit();
    ShowPanelAccount(this);
}

void CQorViewMgr::SetUserStatus(int nStatus, const CString& strText, BOOL bNotify)
{
    Record(L"CQorViewMgr::SetUserStatus", Join({Num(nStatus), strText, Num(bNotify)}));
    m_nUserStatus = nStatus;
    if (m_pKorvelDlg)
        ShowPanelAccount(this);
    if (m_pQorConsole) {
        BSTR text = ::SysAllocString(strText);
        m_pQorConsole->SetStatus(nStatus, text);
        ::SysFreeString(text);
    }
}

// Opens the signed-in user's message database (the file handed over in m_strDBPath) on the
// one connection the message centre shares, and creates its missing tables.
BOOL CQorViewMgr::InitDBTable()
{
    Record(L"CQorViewMgr::InitDBTable", m_strDBPath);
    if (!m_pDBMgr)
        m_pDBMgr = new CQorMsgDBMgr; // kept for the process, like the manager itself
    if (m_strDBPath.IsEmpty())
        return FALSE;
    if (!m_pDBMgr->IsConnected() || m_pDBMgr->GetConnect()->GetPath().CompareNoCase(m_strDBPath) != 0) {
        if (!m_pDBMgr->OpenConnect(m_strDBPath))
            return FALSE;
    }
    m_pConnect = m_pDBMgr->GetConnect();
    if (!m_pDBMgr->InitDBTable())
        return FALSE;
    // Messages that came before the database was open are kept now.
    CQorMsgInbox::Instance().Schedule();
    return TRUE;
}

// Forgets everything of the signed-in session; the settings on disk stay.
void CQorViewMgr::ClearData()
{
    Record(L"CQorViewMgr::ClearData");
    // The session's messages are kept while its account and database are still known.
    CQorMsgInbox::Instance().Clear();
    // The session ends with the data: the server sees the account go offline.
    if (m_pQorConsole)
        m_pQorConsole->Logout();
    if (m_pKorvelDlg == &MainPanel()) {
        MainPanel().Close();
        m_pKorvelDlg = nullptr;
        m_pKorvelDlgEdit = nullptr;
    }
    m_strAccount.Empty();
    m_strIdentity.Empty();
    m_strUserName.Empty();
    m_strSessionText1.Empty();
    m_strSessionText2.Empty();
    m_strSessionText3.Empty();
    m_strDBPath.Empty();
    m_strCompanyKey.Empty();
    m_strCompanyName.Empty();
    m_nUserStatus = 0;
    m_dwServerOption1 = m_dwServerOption2 = 0;
    m_bUnreadPending = m_bUnreadFlash = m_bPanelsReady = 0;
    m_nBusyCount = 0;
    m_nServerAwayMinutes = 0;
    m_mapPendingGroups.clear();
    m_UserList.RemoveAll();
    SetQorMsg(nullptr);
}

void CQorViewMgr::SendLogStatusToMsgDlg(BOOL bSignedIn) { Record(L"CQorViewMgr::SendLogStatusToMsgDlg", Num(bSignedIn)); }
void CQorViewMgr::StopAudioEnginee() { Record(L"CQorViewMgr::StopAudioEnginee"); }

void CQorViewMgr::ShowOptionDlg(const CString& strText1, const CString& strText2)
{
    Record(L"CQorViewMgr::ShowOptionDlg", Join({strText1, strText2}));
}

// The option dialogs are the library's own; ours only record that they were asked for.
void CQorViewMgr::ShowAboutDlg() { Record(L"CQorViewMgr::ShowAboutDlg"); }
void CQorViewMgr::ShowOptChangePwdDlg() { Record(L"CQorViewMgr::ShowOptChangePwdDlg"); }
void CQorViewMgr::ShowOptAutoReplyDlg() { Record(L"CQorViewMgr::ShowOptAutoReplyDlg"); }
void CQorViewMgr::ShowOptSetCusStatusDlg() { Record(L"CQorViewMgr::ShowOptSetCusStatusDlg"); }

// The password travels to the server with the next sign-in: nothing to check here.
BOOL CQorViewMgr::ChangePassword(const CString&, const CString&)
{
    Record(L"CQorViewMgr::ChangePassword");
    return TRUE;
}

void CQorViewMgr::SetActiveViewTab(int nType, const CString& strText, int nFlag)
{
    Record(L"CQorViewMgr::SetActiveViewTab", Join({Num(nType), strText, Num(nFlag)}));
}

// Per-account settings go to the account's own file.
int CQorViewMgr::SetMyConfigPro(const CString& strSection, const CString& strKey, const CString& strValue)
{
    Record(L"CQorViewMgr::SetMyConfigPro", Join({strSection, strKey, strValue}));
    CString file = CQorViewBaseFun::GetMyConfigFile(m_strAccount);
    return WriteString(strSection, strKey, strValue, file) ? 1 : 0;
}

CString CQorViewMgr::GetMyConfigPro(const CString& strSection, const CString& strKey)
{
    return ReadString(strSection, strKey, CString(), CQorViewBaseFun::GetMyConfigFile(m_strAccount));
}

CString CQorViewMgr::GetUserInfoFile() { return CQorViewBaseFun::GetUserInfoFile(m_strAccount); }

// Our library configures no program for application commands; tests name one.
CString CQorViewMgr::XX_GetAppPathName(const CString& strApp)
{
    Record(L"CQorViewMgr::XX_GetAppPathName", strApp);
    LockScript();
    const CString path = GetScript().appPathName.c_str();
    UnlockScript();
    return path;
}

void qorview_test::SetAppPathName(const std::wstring& path)
{
    LockScript();
    GetScript().appPathName = path;
    UnlockScript();
}

// The template's placeholders: "%PERSON%", "%ACCOUNT%", "%SERVER%".
void CQorViewMgr::ReplaceSysValue(CString& strText, const CString& strPerson)
{
    strText.Replace(L"%PERSON%", strPerson);
    strText.Replace(L"%ACCOUNT%", m_strAccount);
    strText.Replace(L"%SERVER%", m_strServerHost.IsEmpty() ? m_strServerAddr : m_strServerHost);
}

// Conversations: our library opens no windows; each request is recorded.

BOOL CQorViewMgr::NewChatDlg(const CString& strAccount, const CString& strName, const CString& strText1,
                             const CString& strText2, BOOL bShow, BOOL bFlag)
{
    Record(L"CQorViewMgr::NewChatDlg", Join({strAccount, strName, strText1, strText2, Num(bShow), Num(bFlag)}));
    return TRUE;
}

BOOL CQorViewMgr::NewGroupDisDlgEx(const CString& strViewId, BOOL bShow, BOOL bFlag)
{
    Record(L"CQorViewMgr::NewGroupDisDlgEx", Join({strViewId, Num(bShow), Num(bFlag)}));
    return TRUE;
}

BOOL CQorViewMgr::NewSendMsg(const CString& strReceivers, const CString& strMsgId, int n1, int n2,
                             const CString& strText1, const CString& strText2, int n3, bool bFlag)
{
    Record(L"CQorViewMgr::NewSendMsg",
           Join({strReceivers, strMsgId, Num(n1), Num(n2), strText1, strText2, Num(n3), Num(bFlag)}));
    return TRUE;
}

void CQorViewMgr::DoUnReadChatMsg(const CString& strKey, const CString& strName, const CStringArray& arMsgKeys,
                                  const CStringArray& arMsgIds)
{
    Record(L"CQorViewMgr::DoUnReadChatMsg", Join({strKey, strName, ArrayText(arMsgKeys), ArrayText(arMsgIds)}));
    MarkOpened(this, arMsgIds);
}

void CQorViewMgr::DoUnReadTalkMsg(const CString& strKey, const CString& strName, const CStringArray& arMsgKeys,
                                  const CStringArray& arMsgIds)
{
    Record(L"CQorViewMgr::DoUnReadTalkMsg", Join({strKey, strName, ArrayText(arMsgKeys), ArrayText(arMsgIds)}));
    MarkOpened(this, arMsgIds);
}

void CQorViewMgr::DoUnReadGroupDisMsg(const CString& strKey, const CStringArray& arMsgKeys,
                                      const CStringArray& arMsgIds)
{
    Record(L"CQorViewMgr::DoUnReadGroupDisMsg", Join({strKey, ArrayText(arMsgKeys), ArrayText(arMsgIds)}));
    MarkOpened(this, arMsgIds);
}

void CQorViewMgr::DoUnReadChatFromDB(const CString& strSender, const CString& strSenderName)
{
    Record(L"CQorViewMgr::DoUnReadChatFromDB", Join({strSender, strSenderName}));
}

void CQorViewMgr::DoUnReadGroupFromDB(const CString& strTalkId) { Record(L"CQorViewMgr::DoUnReadGroupFromDB", strTalkId); }
void CQorViewMgr::ShowUnreadMsg() { Record(L"CQorViewMgr::ShowUnreadMsg"); }
// The unread messages are those the database marks unread: the main window reads their count.
void CQorViewMgr::LoadUnReadMsg()
{
    Record(L"CQorViewMgr::LoadUnReadMsg");
    TellUnreadCount();
}

// Hands the held outgoing message to the core console when there is one.
BOOL CQorViewMgr::QuickSendMsg(WPARAM wValue, const CString& strText)
{
    Record(L"CQorViewMgr::QuickSendMsg", Join({Num(static_cast<long long>(wValue)), strText}));
    if (!m_pQorMsg)
        return FALSE;
    // The message goes out under the id it is kept under.
    if (CQorMsgStore::Text(m_pQorMsg, &IQorMsg::get_MsgID).IsEmpty()) {
        BSTR id = ::SysAllocString(CQorViewBaseFun::CreateGUIDStr());
        m_pQorMsg->put_MsgID(id);
        ::SysFreeString(id);
    }
    // What went out is kept among the sent messages.
    if (m_pQorConsole && m_pQorConsole->SendMsg(m_pQorMsg) == S_OK)
        CQorMsgInbox::Instance().Add(m_pQorMsg, true);
    return TRUE;
}

void CQorViewMgr::ShowBulletin(const CString& strNoticeId) { Record(L"CQorViewMgr::ShowBulletin", strNoticeId); }

void CQorViewMgr::InsertBulletin(const CString& strSubject, const CString& strMsgId, const CString& strSenderName,
                                 const CString& strTime, int nFlag)
{
    Record(L"CQorViewMgr::InsertBulletin", Join({strSubject, strMsgId, strSenderName, strTime, Num(nFlag)}));
}

void CQorViewMgr::AddChatDlgNudge(const CString& strLogin, const CString& strName)
{
    Record(L"CQorViewMgr::AddChatDlgNudge", Join({strLogin, strName}));
}

void CQorViewMgr::ProcessGroupOPT(CQorMsgItem* pItem, bool bShow)
{
    Record(L"CQorViewMgr::ProcessGroupOPT", Join({pItem ? pItem->strTalkID : CString(), pItem ? pItem->strMsgID : CString(),
                                                 Num(bShow)}));
    delete pItem;
}

void CQorViewMgr::GetUserInfo(CWnd* pNotify, const CString& strLogin, const CString& strFields)
{
    Record(L"CQorViewMgr::GetUserInfo", Join({strLogin, strFields}));
}

namespace {
// The people the user wrote to last, as the library hands them out: "id,name;id,name".
std::wstring g_recentContacts;
} // namespace

void qorview_test::SetRecentContacts(const std::wstring& text) { g_recentContacts = text; }

CString CQorViewMgr::GetRecentContacts()
{
    Record(L"CQorViewMgr::GetRecentContacts");
    return CString(g_recentContacts.c_str());
}

BOOL CQorViewMgr::GetSelectedUsers(CStringArray& arFirst, CStringArray& arSecond, BOOL bOption1, BOOL bOption2)
{
    Record(L"CQorViewMgr::GetSelectedUsers", Join({Num(bOption1), Num(bOption2)}));
    arFirst.RemoveAll();
    arSecond.RemoveAll();
    return FALSE;
}

BOOL CQorViewMgr::GetSelectedUsers(CArray<int, int>& arIds, CStringArray& arFirst, CStringArray& arSecond,
                                   BOOL bOption1, BOOL bOption2)
{
    Record(L"CQorViewMgr::GetSelectedUsersWithIds", Join({Num(bOption1), Num(bOption2)}));
    arIds.RemoveAll();
    arFirst.RemoveAll();
    arSecond.RemoveAll();
    return FALSE;
}

void CQorViewMgr::RemoveMsgDlgItemByWnd(HWND hWnd) { Record(L"CQorViewMgr::RemoveMsgDlgItemByWnd"); }
// Our library answers at once, from its organisation data.
void CQorViewMgr::ReqLoadGroupChild(const CString& strViewId, int nParentType, const CString& strParentId,
                                    int nItemType, const CString& strItemId, const CString& strItemText,
                                    const CString& strHandle, CWnd* pTree)
{
    Record(L"CQorViewMgr::ReqLoadGroupChild", Join({strViewId, Num(nParentType), strParentId, Num(nItemType), strItemId,
                                                    strItemText, strHandle}));
    auto* pViewTree = dynamic_cast<CQorViewTree*>(pTree);
    if (!pViewTree || !::IsWindow(pViewTree->GetSafeHwnd()))
        return;
    auto hItem = reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(wcstoull(strHandle, nullptr, 16)));
    pViewTree->FillChildren(hItem, m_UserList.GetOrgChildren(strViewId, strItemId));
}

void CQorViewMgr::ReqLoadViewChild(const CString& strViewId, CWnd* pNotify)
{
    Record(L"CQorViewMgr::ReqLoadViewChild", strViewId);
}

// A talk's view number is the one its id ends in, after the last "_".
CString CQorViewMgr::GetViewID(const CString& strId)
{
    Record(L"CQorViewMgr::GetViewID", strId);
    const int nUnderscore = strId.ReverseFind(L'_');
    return nUnderscore >= 0 ? strId.Mid(nUnderscore + 1) : CString();
}

// Downloads: CQorViewMgrDownloads.cpp

BOOL CQorViewMgr::HaveReceiveFileACE()
{
    Record(L"CQorViewMgr::HaveReceiveFileACE");
    return GetScript().receiveFileAllowed ? TRUE : FALSE;
}

void qorview_test::SetReceiveFileAllowed(bool allowed) { GetScript().receiveFileAllowed = allowed; }

// Rendering helpers

void CQorViewMgr::AppendUserDefineLink(CASRichEdit* pEdit, ILinkDataSink* pLinks, const CString& strCommand)
{
    Record(L"CQorViewMgr::AppendUserDefineLink", strCommand);
    if (!pEdit || !pEdit->GetSafeHwnd() || strCommand.IsEmpty())
        return;
    pEdit->AppendRTF(L"\r\n", false, CString());
    long start = 0, end = 0;
    pEdit->SetSel(-1, -1);
    pEdit->GetSel(start, end);
    CString text = L"[" + strCommand + L"]";
    pEdit->AppendRTF(text, false, CString());
    long stop = 0;
    pEdit->SetSel(-1, -1);
    pEdit->GetSel(stop, end);
    pEdit->SetLink(start, stop, true);
    if (pLinks)
        pLinks->AddLink(start, stop, text, 31, L"_XXAppCommand", strCommand);
}

BOOL CQorViewMgr::PrintRichEditContent(CASRichEdit* pEdit)
{
    Record(L"CQorViewMgr::PrintRichEditContent");
    return FALSE;
}

void CQorViewMgr::SinkWindowScrollbar(HWND hWnd) { Record(L"CQorViewMgr::SinkWindowScrollbar"); }
void CQorViewMgr::UnSinkWindowScrollbar(HWND hWnd) { Record(L"CQorViewMgr::UnSinkWindowScrollbar"); }
