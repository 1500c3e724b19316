#include "common/CCommFun.h"
#include "common/CRegistryKey.h"
#include <mmsystem.h>
#include <shlobj.h>

CString CCommFun::GetAppPath()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return GetDirectory(path);
}

CString CCommFun::GetDirectory(const CString& path)
{
    int slash = path.ReverseFind(L'\\');
    return slash < 0 ? CString() : path.Left(slash);
}

CString CCommFun::GetMyConfigPath(const CString& name)
{
    CString out;
    out.Format(L"%s\\Data\\%s\\%s", GetAppPath().GetString(), name.GetString(), L"MyConfig.ini");
    return out;
}

CString CCommFun::GetConfigPath()
{
    CString out;
    out.Format(L"%s\\Data\\%s", GetAppPath().GetString(), L"Config.ini");
    return out;
}

CString CCommFun::GetAttachFolder(const CString& base, const CString& name)
{
    CString out;
    out.Format(L"%s\\Attach\\%s\\", base.GetString(), name.GetString());
    return out;
}

CString CCommFun::GetWebSearchFolder(const CString& base)
{
    CString out;
    out.Format(L"%s\\WebSearch", base.GetString());
    return out;
}

CString CCommFun::GetTempFolder()
{
    wchar_t path[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, path);
    CString out(path);
    if (!out.IsEmpty() && out[out.GetLength() - 1] != L'\\')
        out += L'\\';
    return out;
}

CString CCommFun::GetFavoritesFolder()
{
    wchar_t path[MAX_PATH] = {};
    if (::SHGetSpecialFolderPathW(nullptr, path, CSIDL_FAVORITES, FALSE) && path[0])
        return path;
    ::GetWindowsDirectoryW(path, MAX_PATH);
    return CString(path) + L"\\favorites";
}

CString CCommFun::GetSoundSetting(const CString& file, const CString& key)
{
    return CBaseFun::GetIniString(file, L"SOUND", key);
}

BOOL CCommFun::SetSoundCount(const CString& file, int count)
{
    return CBaseFun::WriteIniInt(file, L"SOUND", L"SOUNDCOUNT", count);
}

int CCommFun::GetUseHoldSoundPath(const CString& file)
{
    return CBaseFun::GetIniInt(file, L"MyIEProp", L"UseHodeSoundPath", 0);
}

BOOL CCommFun::PlaySoundFile(const CString& path)
{
    // Played asynchronously, a missing file would only be noticed by nobody.
    if (path.IsEmpty() || ::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES)
        return FALSE;
    return ::PlaySoundW(path, nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

BOOL CCommFun::IsEnterSend()
{
    CString path;
    path.Format(L"%s\\%s", L"Software\\KorvelSoft\\KorvelMessenger", L"Setting");
    CRegistryKey key;
    if (!key.Open(HKEY_CURRENT_USER, path, KEY_READ))
        return FALSE;
    DWORD value = 0;
    BOOL found = key.QueryDWORDValue(L"EnterSend", value);
    key.Close();
    return found && value == 1;
}

int CCommFun::GetPictureSize(const CString& text, const CString& tagName)
{
    CString upper = text, tag = tagName;
    upper.MakeUpper();
    tag.MakeUpper();
    int p = tag.IsEmpty() ? -1 : upper.Find(tag);
    if (p < 0)
        return 0;
    CString value = text.Mid(p + tag.GetLength());
    int blank = value.Find(L' ');
    if (blank >= 0)
        value = value.Left(blank);
    value.Trim(L"\"'");
    return _wtoi(value);
}

BOOL CCommFun::IsPageScript(const CString& text)
{
    return text.Find(L"document.write") >= 0;
}

CString CCommFun::JoinAddresses(const CStringArray& addresses)
{
    CString out;
    for (INT_PTR i = 0; i < addresses.GetSize(); ++i) {
        if (i > 0)
            out += L";";
        out += addresses[i];
    }
    return out;
}

CString CCommFun::AddWebScheme(const CString& address)
{
    if (address.IsEmpty() || address.Find(L"://") >= 0)
        return address;
    return L"http://" + address;
}
