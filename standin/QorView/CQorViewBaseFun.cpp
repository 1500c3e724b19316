#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CWqCriticalSection.h"
#include "framework/Platform.h"
#include "framework/CTextFit.h"
#include "standin/QorView/CWebExtObject.h"
#include "standin/QorView/QorViewRes.h"
#include "standin/QorView/QorViewState.h"
#include <mmsystem.h>
#include <shlobj.h>
#include <wininet.h>
#include <vector>

using namespace qorview_detail;

namespace {

// Sections of the per-user settings file.
const wchar_t kServers[] = L"Servers";
const wchar_t kUsers[] = L"Users";
const wchar_t kLogin[] = L"Login";
const wchar_t kLoginEx[] = L"LoginEx";
const wchar_t kProxy[] = L"Proxy";
const wchar_t kOption[] = L"Option";
const wchar_t kHotKeys[] = L"HotKeys";
const wchar_t kSounds[] = L"Sounds";
const wchar_t kWindowPos[] = L"WindowPos";
const wchar_t kCompany[] = L"Company";
const wchar_t kCompanyLogo[] = L"CompanyLogo";

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kRunValue[] = L"Korvel";

CString ModuleFolder(HMODULE module)
{
    wchar_t buf[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameW(module, buf, MAX_PATH);
    CString path(buf, static_cast<int>(n));
    int slash = path.ReverseFind(L'\\');
    return slash >= 0 ? path.Left(slash) : CString();
}

HMODULE ThisModule()
{
    return qorview_detail::OwnModule();
}

// The resource module of the program: the loaded QorResource.dll, or the one beside us.
HMODULE ResourceModule()
{
    HMODULE module = ::GetModuleHandleW(L"QorResource.dll");
    if (!module) {
        static HMODULE loaded = ::LoadLibraryW(ModuleFolder(ThisModule()) + L"\\QorResource.dll");
        module = loaded;
    }
    return module;
}

CString LoadFrom(HMODULE module, UINT id)
{
    if (!module)
        return CString();
    // With a zero buffer size LoadStringW hands out a pointer into the resource itself,
    // so texts of any length come out whole.
    const wchar_t* text = nullptr;
    int n = ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    return (n > 0 && text) ? CString(text, n) : CString();
}

CWqCriticalSection g_logLock;

CString HotKeyName(const CString& name, const CString& account)
{
    return account.IsEmpty() ? name : account + L"." + name;
}

// Reads the whole reply of an open request.
bool ReadReply(HINTERNET request, CStringA& reply)
{
    std::string bytes;
    char buf[4096];
    for (;;) {
        DWORD got = 0;
        if (!::InternetReadFile(request, buf, sizeof(buf), &got))
            return false;
        if (got == 0)
            break;
        bytes.append(buf, got);
    }
    reply = CStringA(bytes.c_str(), static_cast<int>(bytes.size()));
    return true;
}

} // namespace

// Folders

CString CQorViewBaseFun::GetWorkDir()
{
    CString dir;
    LockScript();
    dir = GetScript().workDir.c_str();
    UnlockScript();
    if (dir.IsEmpty())
        dir = ModuleFolder(nullptr);
    dir.TrimRight(L"\\");
    return dir;
}

CString CQorViewBaseFun::GetKorvelRootFolder() { return ProfileRoot(); }

CString CQorViewBaseFun::GetKorvelOptionFolder() { return EnsureFolder(ProfileRoot() + L"\\Option"); }

CString CQorViewBaseFun::GetMySkinFilePathInfo()
{
    CString root = ProfileRoot();
    return root.IsEmpty() ? CString() : EnsureFolder(root + L"\\Skin");
}

CString CQorViewBaseFun::GetMyDataSavePathInfo()
{
    CString folder = ReadString(kOption, L"DataSavePath");
    if (folder.IsEmpty() || EnsureFolder(folder).IsEmpty())
        folder = EnsureFolder(ProfileRoot() + L"\\Received");
    return folder;
}

void CQorViewBaseFun::SetMyDataSavePathInfo(const CString& strFolder)
{
    Record(L"CQorViewBaseFun::SetMyDataSavePathInfo", strFolder);
    CString folder = strFolder;
    folder.TrimRight(L"\\");
    WriteString(kOption, L"DataSavePath", folder);
}

CString CQorViewBaseFun::GetKorvelDataFolder() { return EnsureFolder(ProfileRoot() + L"\\Data"); }

CString CQorViewBaseFun::GetLogFolder() { return EnsureFolder(ProfileRoot() + L"\\Log"); }

CString CQorViewBaseFun::GetMyConfigFile(const CString& strAccount)
{
    CString folder = GetKorvelOptionFolder();
    if (folder.IsEmpty())
        return CString();
    CString name = strAccount.IsEmpty() ? CString(L"default") : SafeFileName(strAccount);
    CString file = folder + L"\\" + name + L".ini";
    EnsureUnicodeIni(file);
    return file;
}

CString CQorViewBaseFun::GetUserInfoFile(const CString& strAccount)
{
    CString folder = GetKorvelDataFolder();
    if (folder.IsEmpty())
        return CString();
    CString name = strAccount.IsEmpty() ? CString(L"default") : SafeFileName(strAccount);
    folder = EnsureFolder(folder + L"\\" + name);
    return folder.IsEmpty() ? CString() : folder + L"\\UserInfo.ini";
}

// The picture of a user, when one has been stored: Data\<identity>\Pic\<user>.bmp.
CString CQorViewBaseFun::GetUserPicFile(const CString& strUser, const CString& strIdentity)
{
    if (strUser.IsEmpty())
        return CString();
    CString identity = strIdentity.IsEmpty() ? CString(L"default") : SafeFileName(strIdentity);
    CString file = ProfileRoot() + L"\\Data\\" + identity + L"\\Pic\\" + SafeFileName(strUser) + L".bmp";
    return ::GetFileAttributesW(file) != INVALID_FILE_ATTRIBUTES ? file : CString();
}

CString CQorViewBaseFun::GetPathName(const CString& strPath)
{
    int slash = max(strPath.ReverseFind(L'\\'), strPath.ReverseFind(L'/'));
    return slash >= 0 ? strPath.Left(slash) : CString();
}

CString CQorViewBaseFun::GetFileType(const CString& strPath)
{
    int slash = max(strPath.ReverseFind(L'\\'), strPath.ReverseFind(L'/'));
    int dot = strPath.ReverseFind(L'.');
    if (dot <= slash)
        return CString();
    CString ext = strPath.Mid(dot);
    ext.MakeLower();
    return ext;
}

BOOL CQorViewBaseFun::ExistDir(const CString& strPath)
{
    DWORD attr = ::GetFileAttributesW(strPath);
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL CQorViewBaseFun::GetSelectedFolder(HWND hOwner, const CString& strTitle, CString& strFolder)
{
    Record(L"CQorViewBaseFun::GetSelectedFolder", strTitle);
    LockScript();
    Script& s = GetScript();
    bool scripted = !s.selectedFolders.empty();
    std::wstring answer;
    if (scripted) {
        answer = s.selectedFolders.front();
        s.selectedFolders.pop_front();
    }
    UnlockScript();
    if (scripted) {
        if (answer.empty())
            return FALSE;
        strFolder = answer.c_str();
        return TRUE;
    }
    BROWSEINFOW bi = {};
    bi.hwndOwner = hOwner;
    bi.lpszTitle = strTitle;
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE pidl = ::SHBrowseForFolderW(&bi);
    if (!pidl)
        return FALSE;
    wchar_t buf[MAX_PATH] = {};
    BOOL ok = ::SHGetPathFromIDListW(pidl, buf);
    ::CoTaskMemFree(pidl);
    if (ok)
        strFolder = buf;
    return ok;
}

CString CQorViewBaseFun::CreateGUIDStr()
{
    GUID g = {};
    if (FAILED(::CoCreateGuid(&g)))
        return CString();
    wchar_t buf[64] = {};
    ::StringFromGUID2(g, buf, 64);
    return buf;
}

// Skins of older versions are kept apart by their folders; the archive is never removed
// here, so a start-up without a copy to restore from still finds its skin.
BOOL CQorViewBaseFun::DeleteSkin(const CString& strArchivePath)
{
    Record(L"CQorViewBaseFun::DeleteSkin", strArchivePath);
    return FALSE;
}

// Server list, saved users, sign-in settings

int CQorViewBaseFun::LoadServerList(CServerItemArray& arServers)
{
    arServers.RemoveAll();
    int count = ReadInt(kServers, L"Count", 0);
    for (int i = 0; i < count && i < 1000; ++i) {
        _SERVERITEM item;
        item.strServer = ReadString(kServers, L"Server" + Num(i) + L"_Addr");
        item.strName = ReadString(kServers, L"Server" + Num(i) + L"_Name");
        item.nPort = ReadInt(kServers, L"Server" + Num(i) + L"_Port", 0);
        if (!item.strServer.IsEmpty())
            arServers.Add(item);
    }
    return static_cast<int>(arServers.GetSize());
}

BOOL CQorViewBaseFun::SaveServerList(const CServerItemArray& arServers)
{
    Record(L"CQorViewBaseFun::SaveServerList", Num(arServers.GetSize()));
    DeleteSection(kServers);
    BOOL ok = TRUE;
    for (INT_PTR i = 0; i < arServers.GetSize(); ++i) {
        const _SERVERITEM& item = arServers[i];
        ok &= WriteString(kServers, L"Server" + Num(i) + L"_Addr", item.strServer);
        ok &= WriteString(kServers, L"Server" + Num(i) + L"_Name", item.strName);
        ok &= WriteInt(kServers, L"Server" + Num(i) + L"_Port", item.nPort);
    }
    ok &= WriteInt(kServers, L"Count", static_cast<int>(arServers.GetSize()));
    return ok;
}

int CQorViewBaseFun::LoadLoginedUsers(CStringArray& arUsers)
{
    arUsers.RemoveAll();
    int count = ReadInt(kUsers, L"Count", 0);
    for (int i = 0; i < count && i < 1000; ++i) {
        CString user = ReadString(kUsers, L"User" + Num(i));
        if (!user.IsEmpty())
            arUsers.Add(user);
    }
    return static_cast<int>(arUsers.GetSize());
}

BOOL CQorViewBaseFun::SaveLoginedUsers(const CStringArray& arUsers)
{
    Record(L"CQorViewBaseFun::SaveLoginedUsers", Num(arUsers.GetSize()));
    DeleteSection(kUsers);
    BOOL ok = TRUE;
    for (INT_PTR i = 0; i < arUsers.GetSize(); ++i)
        ok &= WriteString(kUsers, L"User" + Num(i), arUsers[i]);
    ok &= WriteInt(kUsers, L"Count", static_cast<int>(arUsers.GetSize()));
    return ok;
}

BOOL CQorViewBaseFun::LoadSetting(_SERVERITEM& lastServer, CString& strUser, CString& strPassword, BOOL& bSavePwd,
                                  BOOL& bAutoLogin, BOOL& bRememberMe, int& nStatus)
{
    CString server = ReadString(kLogin, L"Server");
    int stored = ReadInt(kLogin, L"Stored", 0);
    lastServer.strServer = server;
    lastServer.strName = ReadString(kLogin, L"ServerName");
    lastServer.nPort = ReadInt(kLogin, L"Port", 0);
    strUser = ReadString(kLogin, L"User");
    bSavePwd = ReadInt(kLogin, L"SavePwd", 0) != 0;
    bAutoLogin = ReadInt(kLogin, L"AutoLogin", 0) != 0;
    bRememberMe = ReadInt(kLogin, L"RememberMe", 1) != 0;
    nStatus = ReadInt(kLogin, L"Status", 3);
    strPassword = bSavePwd ? UnprotectText(ReadString(kLogin, L"Password")) : CString();
    return stored != 0;
}

BOOL CQorViewBaseFun::SaveSetting(const _SERVERITEM& lastServer, const CString& strUser, const CString& strPassword,
                                  BOOL bSavePwd, BOOL bAutoLogin, BOOL bRememberMe, int nStatus)
{
    Record(L"CQorViewBaseFun::SaveSetting",
           Join({lastServer.strServer, Num(lastServer.nPort), strUser, Num(bSavePwd), Num(bAutoLogin), Num(bRememberMe),
                 Num(nStatus)}));
    BOOL ok = WriteString(kLogin, L"Server", lastServer.strServer);
    ok &= WriteString(kLogin, L"ServerName", lastServer.strName);
    ok &= WriteInt(kLogin, L"Port", lastServer.nPort);
    ok &= WriteString(kLogin, L"User", strUser);
    // The password is kept only when the user asked for it, and then enciphered.
    ok &= WriteString(kLogin, L"Password", bSavePwd ? ProtectText(strPassword) : CString());
    ok &= WriteInt(kLogin, L"SavePwd", bSavePwd ? 1 : 0);
    ok &= WriteInt(kLogin, L"AutoLogin", bAutoLogin ? 1 : 0);
    ok &= WriteInt(kLogin, L"RememberMe", bRememberMe ? 1 : 0);
    ok &= WriteInt(kLogin, L"Status", nStatus);
    ok &= WriteInt(kLogin, L"Stored", 1);
    return ok;
}

BOOL CQorViewBaseFun::LoadSettingEx(CString& strDisplayName, CString& strDepartment)
{
    strDisplayName = ReadString(kLoginEx, L"DisplayName");
    strDepartment = ReadString(kLoginEx, L"Department");
    return !strDisplayName.IsEmpty() || !strDepartment.IsEmpty();
}

BOOL CQorViewBaseFun::SaveSettingEx(const CString& strDisplayName, const CString& strDepartment)
{
    Record(L"CQorViewBaseFun::SaveSettingEx", Join({strDisplayName, strDepartment}));
    BOOL ok = WriteString(kLoginEx, L"DisplayName", strDisplayName);
    ok &= WriteString(kLoginEx, L"Department", strDepartment);
    return ok;
}

BOOL CQorViewBaseFun::LoadProxy(_PROXYINFO& proxy)
{
    proxy = _PROXYINFO();
    if (ReadInt(kProxy, L"Stored", 0) == 0)
        return FALSE;
    proxy.nType = ReadInt(kProxy, L"Type", 0);
    proxy.strHost = ReadString(kProxy, L"Host");
    proxy.nPort = ReadInt(kProxy, L"Port", 0);
    proxy.strUser = ReadString(kProxy, L"User");
    proxy.strPassword = UnprotectText(ReadString(kProxy, L"Password"));
    proxy.strDomain = ReadString(kProxy, L"Domain");
    proxy.nFlag = ReadInt(kProxy, L"Flag", 0);
    return TRUE;
}

BOOL CQorViewBaseFun::SaveProxy(const _PROXYINFO& proxy)
{
    Record(L"CQorViewBaseFun::SaveProxy", Join({Num(proxy.nType), proxy.strHost, Num(proxy.nPort), proxy.strUser,
                                                proxy.strDomain, Num(proxy.nFlag)}));
    BOOL ok = WriteInt(kProxy, L"Type", proxy.nType);
    ok &= WriteString(kProxy, L"Host", proxy.strHost);
    ok &= WriteInt(kProxy, L"Port", proxy.nPort);
    ok &= WriteString(kProxy, L"User", proxy.strUser);
    ok &= WriteString(kProxy, L"Password", ProtectText(proxy.strPassword));
    ok &= WriteString(kProxy, L"Domain", proxy.strDomain);
    ok &= WriteInt(kProxy, L"Flag", proxy.nFlag);
    ok &= WriteInt(kProxy, L"Stored", 1);
    return ok;
}

BOOL CQorViewBaseFun::IsSavePwd() { return ReadInt(kLogin, L"SavePwd", 0) != 0; }
BOOL CQorViewBaseFun::IsAutoLogin() { return ReadInt(kLogin, L"AutoLogin", 0) != 0; }
BOOL CQorViewBaseFun::IsRememberMe() { return ReadInt(kLogin, L"RememberMe", 1) != 0; }

void CQorViewBaseFun::SetSavePassword(BOOL bSave)
{
    Record(L"CQorViewBaseFun::SetSavePassword", Num(bSave));
    WriteInt(kLogin, L"SavePwd", bSave ? 1 : 0);
    if (!bSave)
        WriteString(kLogin, L"Password", CString());
}

void CQorViewBaseFun::SetAutoLoginInfo(BOOL bAuto)
{
    Record(L"CQorViewBaseFun::SetAutoLoginInfo", Num(bAuto));
    WriteInt(kLogin, L"AutoLogin", bAuto ? 1 : 0);
}

void CQorViewBaseFun::SetRememberMeInfo(BOOL bRemember)
{
    Record(L"CQorViewBaseFun::SetRememberMeInfo", Num(bRemember));
    WriteInt(kLogin, L"RememberMe", bRemember ? 1 : 0);
}

void CQorViewBaseFun::SetLoginStatus(int nStatus)
{
    Record(L"CQorViewBaseFun::SetLoginStatus", Num(nStatus));
    WriteInt(kLogin, L"Status", nStatus);
}

int CQorViewBaseFun::GetLoginStatus() { return ReadInt(kLogin, L"Status", 3); }

BOOL CQorViewBaseFun::DeleteServerAndUserInfo()
{
    Record(L"CQorViewBaseFun::DeleteServerAndUserInfo");
    BOOL ok = DeleteSection(kServers);
    ok &= DeleteSection(kUsers);
    ok &= DeleteSection(kLogin);
    ok &= DeleteSection(kLoginEx);
    return ok;
}

// Start with Windows

BOOL CQorViewBaseFun::IsAutoRun() { return ReadInt(kOption, L"AutoRun", 0) != 0; }

void CQorViewBaseFun::SetAutoRun(BOOL bAutoRun)
{
    Record(L"CQorViewBaseFun::SetAutoRun", Num(bAutoRun));
    WriteInt(kOption, L"AutoRun", bAutoRun ? 1 : 0);
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    if (bAutoRun) {
        wchar_t exe[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
        CString value = L"\"" + CString(exe) + L"\"";
        ::RegSetValueExW(key, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.GetString()),
                         static_cast<DWORD>((value.GetLength() + 1) * sizeof(wchar_t)));
    } else {
        ::RegDeleteValueW(key, kRunValue);
    }
    ::RegCloseKey(key);
}

// Whether the Run key names the running program.
BOOL CQorViewBaseFun::IsWindowsAutoRunKorvel()
{
    wchar_t value[MAX_PATH * 2] = {};
    DWORD size = sizeof(value) - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return FALSE;
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    CString stored(value);
    stored.Trim(L"\" ");
    return stored.CompareNoCase(exe) == 0;
}

// Main window options

BOOL CQorViewBaseFun::IsCloseExit() { return ReadInt(kOption, L"CloseExit", 0) != 0; }
void CQorViewBaseFun::SetCloseExit(BOOL bExit) { WriteInt(kOption, L"CloseExit", bExit ? 1 : 0); }
BOOL CQorViewBaseFun::IsAutoHideMainWindow() { return ReadInt(kOption, L"AutoHide", 0) != 0; }
void CQorViewBaseFun::SetAutoHideMainWindow(BOOL bHide) { WriteInt(kOption, L"AutoHide", bHide ? 1 : 0); }
BOOL CQorViewBaseFun::IsTopMain() { return ReadInt(kOption, L"TopMain", 0) != 0; }
void CQorViewBaseFun::SetTopMain(BOOL bTop) { WriteInt(kOption, L"TopMain", bTop ? 1 : 0); }

void CQorViewBaseFun::GetAutoAwayInfo(BOOL& bOn, int& nMinutes)
{
    bOn = ReadInt(kOption, L"AutoAway", 1) != 0;
    nMinutes = ReadInt(kOption, L"AutoAwayMinutes", 10);
}

void CQorViewBaseFun::SetAutoAwayInfo(BOOL bOn, int nMinutes)
{
    WriteInt(kOption, L"AutoAway", bOn ? 1 : 0);
    WriteInt(kOption, L"AutoAwayMinutes", nMinutes);
}

CString CQorViewBaseFun::GetHotKeys(const CString& strName, const CString& strAccount, const CString& strIdentity)
{
    return ReadString(kHotKeys, HotKeyName(strName, strAccount));
}

void CQorViewBaseFun::SetHotKeys(const CString& strName, const CString& strAccount, const CString& strIdentity,
                                 const CString& strValue)
{
    WriteString(kHotKeys, HotKeyName(strName, strAccount), strValue);
}

int CQorViewBaseFun::GetSettingInt(const CString& strKey, int nDefault) { return ReadInt(kOption, strKey, nDefault); }
void CQorViewBaseFun::SetSettingInt(const CString& strKey, int nValue) { WriteInt(kOption, strKey, nValue); }

BOOL CQorViewBaseFun::GetKorvelBaseDlgPro(int& nLeft, int& nTop, int& nWidth, int& nHeight)
{
    nLeft = ReadInt(kWindowPos, L"Left", -1);
    nTop = ReadInt(kWindowPos, L"Top", -1);
    nWidth = ReadInt(kWindowPos, L"Width", -1);
    nHeight = ReadInt(kWindowPos, L"Height", -1);
    return nLeft != -1;
}

void CQorViewBaseFun::SaveKorvelBaseDlgPro(int nLeft, int nTop, int nWidth, int nHeight)
{
    Record(L"CQorViewBaseFun::SaveKorvelBaseDlgPro", Join({Num(nLeft), Num(nTop), Num(nWidth), Num(nHeight)}));
    WriteInt(kWindowPos, L"Left", nLeft);
    WriteInt(kWindowPos, L"Top", nTop);
    WriteInt(kWindowPos, L"Width", nWidth);
    WriteInt(kWindowPos, L"Height", nHeight);
}

// Keeps the size where it fits and moves the rectangle wholly onto the nearest work area.
void CQorViewBaseFun::CalculateRect(RECT& rect)
{
    HMONITOR monitor = ::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi = {sizeof(mi)};
    RECT work = {};
    if (monitor && ::GetMonitorInfoW(monitor, &mi))
        work = mi.rcWork;
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    LONG width = min(rect.right - rect.left, work.right - work.left);
    LONG height = min(rect.bottom - rect.top, work.bottom - work.top);
    width = max(width, 0L);
    height = max(height, 0L);
    LONG left = min(max(rect.left, work.left), work.right - width);
    LONG top = min(max(rect.top, work.top), work.bottom - height);
    rect = RECT{left, top, left + width, top + height};
}

BOOL CQorViewBaseFun::IsShowEmoticons() { return ReadInt(kOption, L"ShowEmoticons", 1) != 0; }
void CQorViewBaseFun::GetNoShowSubjectInfo(bool& bNoShow) { bNoShow = ReadInt(kOption, L"NoShowSubject", 0) != 0; }
bool CQorViewBaseFun::IsExpandmyDeptMainWindow() { return ReadInt(kOption, L"ExpandMyDept", 0) != 0; }

// The stored view is "type;text1;text2;text3".
BOOL CQorViewBaseFun::ParseUserListView(int& nType, CString& strText1, CString& strText2, CString& strText3)
{
    CString stored = ReadString(kOption, L"UserListView");
    if (stored.IsEmpty())
        return FALSE;
    CStringArray parts;
    StringToArray(stored, parts, L";", -1);
    nType = parts.GetSize() > 0 ? _wtoi(parts[0]) : 0;
    strText1 = parts.GetSize() > 1 ? parts[1] : CString();
    strText2 = parts.GetSize() > 2 ? parts[2] : CString();
    strText3 = parts.GetSize() > 3 ? parts[3] : CString();
    return TRUE;
}

// Sounds

BOOL CQorViewBaseFun::EnablePlay(const CString& strAlias, const CString& strAccount, const CString& strIdentity)
{
    return ReadInt(kSounds, strAlias + L"_Enable", 1) != 0;
}

CString CQorViewBaseFun::GetSoundFile(const CString& strAlias, const CString& strAccount, const CString& strIdentity)
{
    CString file = ReadString(kSounds, strAlias);
    if (file.IsEmpty())
        file = GetWorkDir() + L"\\Sound\\" + SafeFileName(strAlias) + L".wav";
    return file;
}

void CQorViewBaseFun::SetSoundFile(const CString& strAlias, const CString& strFile, BOOL bEnable)
{
    WriteString(kSounds, strAlias, strFile);
    WriteInt(kSounds, strAlias + L"_Enable", bEnable ? 1 : 0);
}

BOOL CQorViewBaseFun::PlaySoundFile(const CString& strFile)
{
    Record(L"CQorViewBaseFun::PlaySoundFile", strFile);
    LockScript();
    bool mute = GetScript().muteSounds;
    UnlockScript();
    if (mute || strFile.IsEmpty())
        return FALSE;
    return ::PlaySoundW(strFile, nullptr, SND_FILENAME | SND_NODEFAULT | SND_ASYNC);
}

// Company add-in branding

CString CQorViewBaseFun::GetCorAddInCompanyName(const CString& strServerName)
{
    return strServerName.IsEmpty() ? CString() : ReadString(kCompany, strServerName);
}

void CQorViewBaseFun::SetCorAddInCompanyName(const CString& strKey, const CString& strName)
{
    Record(L"CQorViewBaseFun::SetCorAddInCompanyName", Join({strKey, strName}));
    if (!strKey.IsEmpty())
        WriteString(kCompany, strKey, strName);
}

void CQorViewBaseFun::GetCorAddInLogoInfo(const CString& strKey, int& nType, CString& strPath)
{
    strPath = strKey.IsEmpty() ? CString() : ReadString(kCompanyLogo, strKey);
    if (strPath.IsEmpty() || ::GetFileAttributesW(strPath) == INVALID_FILE_ATTRIBUTES) {
        nType = 0;
        strPath.Empty();
    } else {
        nType = 11;
    }
}

// Texts

CString CQorViewBaseFun::LoadStringW(UINT nID)
{
    CString text = LoadFrom(ResourceModule(), nID);
    if (text.IsEmpty())
        text = LoadFrom(ThisModule(), nID);
    return text;
}

CString CQorViewBaseFun::GetUserStatusStr(int nStatus)
{
    CString text = LoadFrom(ThisModule(), IDS_QORVIEW_STATUS_BASE + static_cast<UINT>(nStatus));
    if (text.IsEmpty() || nStatus < 0 || nStatus > 15)
        text = LoadFrom(ThisModule(), IDS_QORVIEW_STATUS_BASE);
    return text;
}

// The version code 41362 reads "4.1.362".
CString CQorViewBaseFun::GetAppVerInfo(DWORD dwVersion)
{
    CString s;
    s.Format(L"%lu.%lu.%lu", dwVersion / 10000, (dwVersion / 1000) % 10, dwVersion % 1000);
    return s;
}

void CQorViewBaseFun::UTF8ToString(const char* pszUtf8, CString& strOut)
{
    strOut.Empty();
    if (!pszUtf8 || !*pszUtf8)
        return;
    int n = ::MultiByteToWideChar(CP_UTF8, 0, pszUtf8, -1, nullptr, 0);
    if (n <= 1)
        return;
    std::vector<wchar_t> buf(n);
    ::MultiByteToWideChar(CP_UTF8, 0, pszUtf8, -1, buf.data(), n);
    strOut = buf.data();
}

// Stored dates are "%Y-%m-%d %H:%M:%S" in local time already; the display form is the
// same text, normalised. Anything else is shown as it is.
CString CQorViewBaseFun::ToDefaultLocalTime(const CString& strStored)
{
    SYSTEMTIME st = {};
    return ParseTime(strStored, st) ? FormatTime(st) : strStored;
}

void CQorViewBaseFun::UTCTimeToLocalTime(CString& strTime)
{
    SYSTEMTIME utc = {}, local = {};
    if (ParseTime(strTime, utc) && ::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        strTime = FormatTime(local);
}

void CQorViewBaseFun::SeparateAID(const CString& strAID, CString& strUser, CString& strSecond)
{
    int at = strAID.Find(L'@');
    if (at < 0) {
        strUser = strAID;
        strSecond.Empty();
    } else {
        strUser = strAID.Left(at);
        strSecond = strAID.Mid(at + 1);
    }
}

// Splits at every separator, keeping empty fields; nMax > 0 limits the number of fields
// (the last one keeps the rest), -1 means no limit.
void CQorViewBaseFun::StringToArray(const CString& strText, CStringArray& arOut, const CString& strSep, int nMax)
{
    arOut.RemoveAll();
    if (strText.IsEmpty())
        return;
    if (strSep.IsEmpty()) {
        arOut.Add(strText);
        return;
    }
    int start = 0;
    for (;;) {
        if (nMax > 0 && arOut.GetSize() == nMax - 1) {
            arOut.Add(strText.Mid(start));
            return;
        }
        int pos = strText.Find(strSep, start);
        if (pos < 0) {
            arOut.Add(strText.Mid(start));
            return;
        }
        arOut.Add(strText.Mid(start, pos - start));
        start = pos + strSep.GetLength();
    }
}

// TRUE when every character is a half-width one (ASCII or half-width forms).
BOOL CQorViewBaseFun::IsHalfWideChar(const CString& strText)
{
    for (int i = 0; i < strText.GetLength(); ++i) {
        wchar_t c = strText[i];
        if (c >= 0x80 && !(c >= 0xFF61 && c <= 0xFFDC))
            return FALSE;
    }
    return TRUE;
}

void CQorViewBaseFun::GetTruncatedString(HDC hDC, const RECT& rect, const CString& strText, CString& strResult)
{
    strResult = CTextFit::Truncate(hDC, strText, rect.right - rect.left);
}

int CQorViewBaseFun::GetIniFileIntValue(const CString& strSection, const CString& strKey, const CString& strFile,
                                        int nDefault)
{
    return static_cast<int>(::GetPrivateProfileIntW(strSection, strKey, nDefault, strFile));
}

CString CQorViewBaseFun::GetIniFileStrValue(const CString& strSection, const CString& strKey, const CString& strFile,
                                            const CString& strDefault)
{
    return ReadString(strSection, strKey, strDefault, strFile);
}

// Accounts: our library has no directory service; the answers are the ones tests set.

BOOL CQorViewBaseFun::ExistADUserAccount(const CString& strAccount)
{
    Record(L"CQorViewBaseFun::ExistADUserAccount", strAccount);
    LockScript();
    bool exists = GetScript().domainAccountExists;
    UnlockScript();
    return exists ? TRUE : FALSE;
}

BOOL CQorViewBaseFun::CheckUserPassword(const CString& strLogin, const CString& strPassword)
{
    Record(L"CQorViewBaseFun::CheckUserPassword", strLogin);
    LockScript();
    bool ok = GetScript().domainPasswordOk;
    UnlockScript();
    return ok ? TRUE : FALSE;
}

// Error log

CString CQorViewBaseFun::GetErrorLogFile()
{
    CString folder = GetLogFolder();
    return folder.IsEmpty() ? CString() : folder + L"\\Error.log";
}

// One line in UTF-8, ended by "\r\n"; lines from several threads never interleave.
void CQorViewBaseFun::WriteErrorLogFile(const CString& strLine)
{
    CString file = GetErrorLogFile();
    if (file.IsEmpty())
        return;
    CString line = strLine;
    if (line.GetLength() < 2 || line.Right(2) != L"\r\n")
        line += L"\r\n";
    int n = ::WideCharToMultiByte(CP_UTF8, 0, line, line.GetLength(), nullptr, 0, nullptr, nullptr);
    std::vector<char> bytes(n > 0 ? n : 1);
    if (n > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, line, line.GetLength(), bytes.data(), n, nullptr, nullptr);
    CWqCriticalSection::Owner lock(g_logLock);
    HANDLE h = ::CreateFileW(file, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    if (n > 0)
        ::WriteFile(h, bytes.data(), static_cast<DWORD>(n), &written, nullptr);
    ::CloseHandle(h);
}

void CQorViewBaseFun::WriteErrorLogFileEx(const CString& strLine) { WriteErrorLogFile(strLine); }

// HTTP

int CQorViewBaseFun::GetResultByHttpPost(const CString& strUrl, CStringA& strReply)
{
    Record(L"CQorViewBaseFun::GetResultByHttpPost", strUrl);
    strReply.Empty();
    LockScript();
    Script& s = GetScript();
    if (s.hasHttpReply) {
        strReply = CStringA(s.httpReply.c_str(), static_cast<int>(s.httpReply.size()));
        int result = s.httpResult;
        UnlockScript();
        return result;
    }
    UnlockScript();

    URL_COMPONENTSW parts = {sizeof(parts)};
    wchar_t host[256] = {}, path[2048] = {}, extra[4096] = {};
    parts.lpszHostName = host;
    parts.dwHostNameLength = 256;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = 2048;
    parts.lpszExtraInfo = extra;
    parts.dwExtraInfoLength = 4096;
    if (!::InternetCrackUrlW(strUrl, 0, 0, &parts) ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS))
        return 0;

    int result = 0;
    HINTERNET session = ::InternetOpenW(L"Korvel", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!session)
        return 0;
    // Bounded waits: a server that never answers must not hang the caller.
    DWORD timeout = 15000;
    ::InternetSetOptionW(session, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof(timeout));
    ::InternetSetOptionW(session, INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof(timeout));
    ::InternetSetOptionW(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));
    HINTERNET connection = ::InternetConnectW(session, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    if (connection) {
        CString object = CString(path) + extra;
        if (object.IsEmpty())
            object = L"/";
        DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES |
                      INTERNET_FLAG_NO_UI | (parts.nScheme == INTERNET_SCHEME_HTTPS ? INTERNET_FLAG_SECURE : 0);
        HINTERNET request = ::HttpOpenRequestW(connection, L"POST", object, nullptr, nullptr, nullptr, flags, 0);
        if (request) {
            static const wchar_t headers[] = L"Content-Type: application/x-www-form-urlencoded\r\n";
            if (::HttpSendRequestW(request, headers, static_cast<DWORD>(-1), nullptr, 0) &&
                ReadReply(request, strReply))
                result = 1;
            ::InternetCloseHandle(request);
        }
        ::InternetCloseHandle(connection);
    }
    ::InternetCloseHandle(session);
    return result;
}

// Drawing

void CQorViewBaseFun::WqGradientFill(HDC hDC, const RECT& rect, COLORREF crFrom, COLORREF crTo, BOOL bVertical)
{
    if (!hDC)
        return;
    TRIVERTEX v[2] = {};
    v[0].x = rect.left;
    v[0].y = rect.top;
    v[0].Red = static_cast<COLOR16>(GetRValue(crFrom) << 8);
    v[0].Green = static_cast<COLOR16>(GetGValue(crFrom) << 8);
    v[0].Blue = static_cast<COLOR16>(GetBValue(crFrom) << 8);
    v[1].x = rect.right;
    v[1].y = rect.bottom;
    v[1].Red = static_cast<COLOR16>(GetRValue(crTo) << 8);
    v[1].Green = static_cast<COLOR16>(GetGValue(crTo) << 8);
    v[1].Blue = static_cast<COLOR16>(GetBValue(crTo) << 8);
    GRADIENT_RECT r = {0, 1};
    ::GradientFill(hDC, v, 2, &r, 1, bVertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

IWebExt* CQorViewBaseFun::CreateWebExt(HWND hHost)
{
    Record(L"CQorViewBaseFun::CreateWebExt");
    return new CWebExtObject(hHost);
}
