#include "signin/LoginSettings.h"
#include "common/CRegistryKey.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "signin/LoginStore.h"

namespace {

// The password the server expects with a Windows-account sign-in.
const wchar_t kWindowsAccountPassword[] = L"plomevarkit";

CString ReadEnvironment(LPCWSTR pszName)
{
    wchar_t buffer[1024] = {};
    DWORD n = ::GetEnvironmentVariableW(pszName, buffer, 1024);
    return n > 0 && n < 1024 ? CString(buffer) : CString();
}

// The computer's host name; empty when it cannot be had.
CString GetLocalHostName()
{
    WSADATA wsa;
    bool started = ::WSAStartup(MAKEWORD(2, 2), &wsa) == 0;
    char name[256] = {};
    CString result;
    if (::gethostname(name, sizeof(name)) == 0) {
        name[sizeof(name) - 1] = '\0';
        wchar_t wide[256] = {};
        if (::MultiByteToWideChar(CP_ACP, 0, name, -1, wide, 256) > 0)
            result = wide;
    }
    if (started)
        ::WSACleanup();
    return result;
}

// A status read from the settings: one of the menu's values, else online (a damaged or
// foreign settings file must not send the server a status it does not know).
int KnownStatusOrOnline(int nStatus)
{
    for (const LoginStatusChoice& choice : LoginSettings::StatusChoices()) {
        if (choice.nStatus == nStatus)
            return nStatus;
    }
    return USER_STATUS_ONLINE;
}

// A port read from the settings (the last server, the server list): nothing stored (0) or a
// value no server can listen on gives the default port.
int StoredPortOrDefault(int nPort) { return nPort >= 1 && nPort <= 65535 ? nPort : KORVEL_DEFAULT_PORT; }

bool FileExists(const CString& strPath)
{
    DWORD attr = ::GetFileAttributesW(strPath);
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

const std::array<LoginStatusChoice, 5>& LoginSettings::StatusChoices()
{
    static const std::array<LoginStatusChoice, 5> choices = {{
        {ID_LOGIN_STATUS_ONLINE, USER_STATUS_ONLINE,
         L"file='i.button.main.dlg.status.icons' source='0,0,11,11' align='2' "},
        {ID_LOGIN_STATUS_AWAY, USER_STATUS_AWAY,
         L"file='i.button.main.dlg.status.icons' source='11,0,22,11' align='2' "},
        {ID_LOGIN_STATUS_INVISIBLE, USER_STATUS_INVISIBLE,
         L"file='i.button.main.dlg.status.icons' source='22,0,33,11' align='2' "},
        {ID_LOGIN_STATUS_DND, USER_STATUS_NO_POPUPS,
         L"file='i.button.main.dlg.status.icons' source='33,0,44,11' align='2' "},
        {ID_LOGIN_STATUS_BUSY, USER_STATUS_BUSY,
         L"file='i.button.main.dlg.status.icons' source='55,0,66,11' align='2' "},
    }};
    return choices;
}

const LoginStatusChoice* LoginSettings::FindStatusChoice(UINT nCommand)
{
    for (const LoginStatusChoice& choice : StatusChoices()) {
        if (choice.nCommand == nCommand)
            return &choice;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Loading

LoadedLogin LoginSettings::Load(const LoginFields& owned, int nStartupFlags)
{
    LoadedLogin loaded;
    BOOL bRememberMe = TRUE;
    BOOL bSavePwd = FALSE;
    BOOL bAutoLogin = FALSE;
    loaded.bCanSave = CanSave();

    CQorViewBaseFun::LoadServerList(m_arServers);
    for (INT_PTR i = 0; i < m_arServers.GetSize(); ++i)
        m_arServers[i].nPort = StoredPortOrDefault(m_arServers[i].nPort);
    loaded.bSavedUsers = CQorViewBaseFun::LoadLoginedUsers(m_arSavedUsers) != 0;

    CString storedLogin;
    CString storedPassword;
    int index = -1;
    if (m_LastServer.strServer.IsEmpty()) {
        CQorViewBaseFun::LoadSetting(m_LastServer, storedLogin, storedPassword, bSavePwd, bAutoLogin, bRememberMe,
                                     m_nStatus);
        m_nStatus = KnownStatusOrOnline(m_nStatus);
        m_LastServer.nPort = StoredPortOrDefault(m_LastServer.nPort);
        GetLoginStore().LoadLoginStore(m_LastServer.strServer, m_LastServer.nPort);
        if (!loaded.bCanSave) {
            storedLogin.Empty();
            storedPassword.Empty();
            bSavePwd = bAutoLogin = bRememberMe = FALSE;
        }
        m_nCurrentPort = m_LastServer.nPort;
        index = FindServer(m_LastServer.strServer);
        loaded.bStoredRead = true;
        loaded.strStoredLogin = storedLogin;
        loaded.strStoredPassword = storedPassword;
    } else {
        bSavePwd = CQorViewBaseFun::IsSavePwd();
        bAutoLogin = CQorViewBaseFun::IsAutoLogin();
        index = FindServer(m_LastServer.strServer);
    }

    if (!owned.strLoginName.IsEmpty()) {
        // A sign-in is already under way (the command line named the account).
        loaded.bUnderWay = true;
        m_strLoginName = owned.strLoginName;
        if (owned.nPasswordType == 0)
            m_strPassword = owned.strPassword;
        m_strCurrentAddr = owned.strServerAddr;
        m_nCurrentPort = owned.nServerPort;
    } else {
        m_strLoginName = storedLogin;
        m_strPassword = bSavePwd ? storedPassword : CString();
        if (!m_LastServer.strServer.IsEmpty()) {
            // The server of the last sign-in takes its entry's place (or the first entry's,
            // when the list does not hold it), and the chooser shows it there.
            if (index < 0 && m_arServers.GetSize() > 0)
                index = 0;
            if (index >= 0) {
                m_arServers[index] = m_LastServer;
                m_strCurrentAddr = m_LastServer.strServer;
                m_nCurrentPort = m_LastServer.nPort;
            }
        } else if (m_arServers.GetSize() > 0) {
            // Nothing was signed in to yet: offer the first saved server as it is stored.
            index = 0;
            m_strCurrentAddr = m_arServers[0].strServer;
            m_nCurrentPort = m_arServers[0].nPort;
        }
        loaded.nShownServer = index;
    }

    if (bRememberMe && !(nStartupFlags & STARTUP_NO_REMEMBERED_ACCOUNT)) {
        CQorViewMgr* pMgr = CQorViewMgr::Instance();
        if (pMgr && !pMgr->m_strLastAccount.IsEmpty()) {
            CString second;
            CQorViewBaseFun::SeparateAID(pMgr->m_strLastAccount, m_strLoginName, second);
            if (bSavePwd && owned.nPasswordType == 0)
                m_strPassword = pMgr->m_strLastPassword;
        }
    } else {
        m_strLoginName.Empty();
        m_strPassword.Empty();
    }

    if (nStartupFlags & STARTUP_TRY_WINDOWS_ACCOUNT) {
        CString windowsUser = ReadEnvironment(L"USERNAME");
        CString domain = ReadEnvironment(L"USERDOMAIN");
        if (domain.CompareNoCase(GetLocalHostName()) != 0) {
            m_nLoginFlags |= LOGIN_FLAG_WINDOWS_ACCOUNT;
            m_strLoginName = windowsUser;
            m_strPassword = kWindowsAccountPassword;
            loaded.bWindowsAccount = true;
        }
    }

    loaded.checks.bRememberMe = bRememberMe != FALSE;
    loaded.checks.bSavePassword = bSavePwd != FALSE;
    loaded.checks.bAutoLogin = bAutoLogin != FALSE;
    CQorViewBaseFun::LoadProxy(loaded.proxy);
    if (CQorViewBaseFun::IsAutoRun() && !CQorViewBaseFun::IsWindowsAutoRunKorvel())
        CQorViewBaseFun::SetAutoRun(1);
    return loaded;
}

bool LoginSettings::CanSave()
{
    DWORD value = 1;
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\KorvelSoft\\Korvel", KEY_READ)) {
        key.QueryDWORDValue(L"CantSaveLoginInfo", value);
        key.Close();
    }
    return value != 0;
}

// ---------------------------------------------------------------------------------------------
// Saving

int LoginSettings::Save(const LoginChecks& checks, const LoginFields* pOwned, bool bByName,
                        const CString& strDisplayName, const CString& strDepartment)
{
    CString user = m_strLoginName;
    user.TrimRight();
    // The company may forbid keeping anything of a sign-in: then no saved user, no password
    // and no by-name record is written, only the server list and the status.
    const bool bCanSave = CanSave();
    if (bCanSave) {
        int at = FindSavedUser(user);
        if (at >= 0)
            m_arSavedUsers.RemoveAt(at);
        m_arSavedUsers.InsertAt(0, user);
        CQorViewBaseFun::SaveLoginedUsers(m_arSavedUsers);
    }
    CQorViewBaseFun::SaveServerList(m_arServers);

    if (pOwned && pOwned->nPasswordType != 0)
        return 1;
    if (!bCanSave) {
        CQorViewBaseFun::SaveSetting(m_LastServer, CString(), CString(), FALSE, FALSE, 0, m_nStatus);
        CQorViewBaseFun::SaveSettingEx(CString(), CString());
        return 1;
    }

    // The by-name record of this account on the server it signed in to.
    SavedLoginRecord record;
    record.strUserKey = user;
    record.strUserName = strDisplayName;
    record.strDepartment = strDepartment;
    record.strPassword = checks.bSavePassword ? m_strPassword : CString();
    record.nSavePassword = checks.bSavePassword ? 1 : 0;
    CString address = pOwned ? pOwned->strServerAddr : m_strCurrentAddr;
    int port = pOwned ? pOwned->nServerPort : m_nCurrentPort;
    GetLoginStore().SetLoginRecord(address, port, record);
    GetLoginStore().SaveLoginStore(address, port);

    if (checks.bRememberMe) {
        CQorViewBaseFun::SaveSetting(m_LastServer, user, m_strPassword, checks.bSavePassword, checks.bAutoLogin, 1,
                                     m_nStatus);
        if (bByName)
            CQorViewBaseFun::SaveSettingEx(record.strUserName, record.strDepartment);
    } else {
        CQorViewBaseFun::SaveSetting(m_LastServer, CString(), CString(), checks.bSavePassword, checks.bAutoLogin, 0,
                                     m_nStatus);
        CQorViewBaseFun::SaveSettingEx(CString(), CString());
    }
    return 1;
}

void LoginSettings::InstallLanguageFile(const CString& strLanguage)
{
    CString source = CQorViewBaseFun::GetWorkDir() + L"\\BaseData";
    if (strLanguage == L"CHS")
        source += L"\\chs_lang.ini";
    else if (strLanguage == L"CHT")
        source += L"\\cht_lang.ini";
    else
        source += L"\\enu_lang.ini";
    CString target = CQorViewBaseFun::GetKorvelOptionFolder() + L"\\langex.ini";
    // Never replaces a language file the user already has.
    ::CopyFileW(source, target, TRUE);
}

// ---------------------------------------------------------------------------------------------
// Servers

int LoginSettings::FindServer(const CString& strAddress) const
{
    for (INT_PTR i = 0; i < m_arServers.GetSize(); ++i) {
        if (m_arServers[i].strServer.CompareNoCase(strAddress) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

CString LoginSettings::ServerNameOf(const CString& strAddress) const
{
    int index = strAddress.IsEmpty() ? -1 : FindServer(strAddress);
    return index >= 0 ? m_arServers[index].strName : CString();
}

void LoginSettings::UpdateConnectedServer()
{
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    if (!pMgr)
        return;
    if (pMgr->m_nUseAltServer == 0)
        SetCurrentServer(pMgr->m_strServerAddr, pMgr->m_nServerPort & 0xFFFF, pMgr->m_strServerName);
    else
        SetCurrentServer(pMgr->m_strAltServerAddr, pMgr->m_nAltServerPort & 0xFFFF, pMgr->m_strServerName);
}

void LoginSettings::SetCurrentServer(const CString& strAddress, int nPort, const CString& strName)
{
    m_LastServer.strServer = strAddress;
    m_LastServer.strName = strName;
    m_LastServer.nPort = nPort;
    AddOrUpdateServer(m_LastServer);
}

int LoginSettings::AddOrUpdateServer(const _SERVERITEM& item)
{
    int index = FindServer(item.strServer);
    if (index >= 0) {
        m_arServers[index] = item;
        return -1;
    }
    return static_cast<int>(m_arServers.Add(item));
}

void LoginSettings::ForgetServersAndUsers()
{
    m_arServers.RemoveAll();
    m_arSavedUsers.RemoveAll();
    m_LastServer = _SERVERITEM();
}

// ---------------------------------------------------------------------------------------------
// The server the next sign-in goes to. What the chooser shows is where the next sign-in goes: a
// chosen entry, or a typed text that matches one, makes that entry current; any other typed
// text is a new address on the default port.

void LoginSettings::SetCurrentAddress(const CString& strAddress, int nPort)
{
    m_strCurrentAddr = strAddress;
    m_nCurrentPort = nPort;
}

void LoginSettings::ChooseServer(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetServerCount())
        return;
    m_strCurrentAddr = m_arServers[nIndex].strServer;
    m_nCurrentPort = m_arServers[nIndex].nPort;
}

int LoginSettings::TypeServer(const CString& strText)
{
    // Blanks around a pasted address are not part of it.
    CString text = strText;
    text.Trim();
    int index = FindServer(text);
    if (index >= 0) {
        ChooseServer(index);
    } else {
        m_strCurrentAddr = text;
        m_nCurrentPort = KORVEL_DEFAULT_PORT;
    }
    return index;
}

bool LoginSettings::LoadPresetServer()
{
    CString file = CQorViewBaseFun::GetWorkDir() + L"\\WebServiceUrl.ini";
    if (!FileExists(file))
        return false;
    wchar_t address[1024] = {};
    ::GetPrivateProfileStringW(L"SERVERIP", L"IpAddr", L"", address, 1024, file);
    if (address[0] == L'\0')
        return false;
    m_strCurrentAddr = address;
    m_bPresetLocked = ::GetPrivateProfileIntW(L"SERVERIP", L"Disable", 0, file) != 0;
    return true;
}

// ---------------------------------------------------------------------------------------------
// The account

int LoginSettings::FindSavedUser(const CString& strUser) const
{
    for (INT_PTR i = 0; i < m_arSavedUsers.GetSize(); ++i) {
        if (m_arSavedUsers[i].CompareNoCase(strUser) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

LoginSettings::Refusal LoginSettings::CheckSignIn() const
{
    if (m_strLoginName.IsEmpty())
        return REFUSED_NO_LOGIN_NAME;
    if (m_strCurrentAddr.IsEmpty())
        return REFUSED_NO_SERVER;
    return REFUSED_NONE;
}

LoginFields LoginSettings::SignInFields() const
{
    LoginFields fields;
    fields.strLoginName = m_strLoginName;
    fields.strLoginName.TrimRight();
    fields.strPassword = m_strPassword;
    fields.nPasswordType = 0;
    fields.strServerAddr = m_strCurrentAddr;
    fields.nServerPort = m_nCurrentPort;
    fields.strServerName = ServerNameOf(m_strCurrentAddr);
    fields.nLoginStatus = m_nStatus;
    fields.nLoginFlags = m_nLoginFlags;
    return fields;
}

LoginChecks LoginSettings::ApplyCheck(LoginCheckBox box, LoginChecks checks)
{
    switch (box) {
    case CHECK_SAVE_PASSWORD:
        if (checks.bSavePassword) {
            CQorViewBaseFun::SetSavePassword(1);
            checks.bRememberMe = true;
            CQorViewBaseFun::SetRememberMeInfo(1);
        } else {
            checks.bAutoLogin = false;
            CQorViewBaseFun::SetAutoLoginInfo(0);
            CQorViewBaseFun::SetSavePassword(0);
            m_strPassword.Empty();
        }
        break;
    case CHECK_AUTO_LOGIN:
        if (checks.bAutoLogin) {
            checks.bSavePassword = true;
            checks.bRememberMe = true;
            CQorViewBaseFun::SetSavePassword(1);
            CQorViewBaseFun::SetAutoLoginInfo(1);
            CQorViewBaseFun::SetRememberMeInfo(1);
        } else {
            CQorViewBaseFun::SetAutoLoginInfo(0);
        }
        break;
    case CHECK_REMEMBER_ME:
        if (checks.bRememberMe) {
            CQorViewBaseFun::SetRememberMeInfo(1);
        } else {
            CQorViewBaseFun::SetRememberMeInfo(0);
            CQorViewBaseFun::SetAutoLoginInfo(0);
            CQorViewBaseFun::SetSavePassword(0);
            checks.bAutoLogin = false;
            checks.bSavePassword = false;
        }
        break;
    }
    return checks;
}
