#include "signin/LoginStore.h"
#include "common/HexCipher.h"

namespace {

const wchar_t kStoreRoot[] = L"Software\\KorvelSoft\\KorvelMessenger";
const wchar_t kStoreSetting[] = L"Setting";
// The key under which saved passwords are enciphered; changing it makes every saved password
// unreadable.
const wchar_t kPasswordKey[] = L"Kv7rQ2m9Xw4Lp1";
// The registry's limit on the length of a key name.
const DWORD kMaxKeyNameChars = 255;

CString ServerKeyPath(const CString& strServerKey)
{
    CString path;
    path.Format(L"%s\\%s\\%s", kStoreRoot, kStoreSetting, static_cast<LPCWSTR>(strServerKey));
    return path;
}

// A string value of the open key (REG_SZ or REG_EXPAND_SZ, at most 256 characters with its
// null); anything else reads as empty.
CString ReadStoreString(HKEY hKey, LPCWSTR pszName)
{
    wchar_t buffer[256] = {};
    DWORD type = 0;
    DWORD cb = sizeof(buffer) - sizeof(wchar_t);
    if (::RegQueryValueExW(hKey, pszName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &cb) != ERROR_SUCCESS)
        return CString();
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return CString();
    buffer[cb / sizeof(wchar_t)] = L'\0';
    return CString(buffer);
}

void WriteStoreString(HKEY hKey, LPCWSTR pszName, const CString& text)
{
    ::RegSetValueExW(hKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<LPCWSTR>(text)),
                     static_cast<DWORD>((text.GetLength() + 1) * sizeof(wchar_t)));
}

} // namespace

CString MakeServerKey(const CString& strHost, int nPort)
{
    CString key;
    key.Format(L"%s:%d", static_cast<LPCWSTR>(strHost), nPort);
    key.MakeLower();
    return key;
}

void LoginStore::LoadLoginStore(const CString& strAddress, int nPort)
{
    CString serverKey = MakeServerKey(strAddress, nPort);
    RecordMap& records = m_servers[serverKey];
    records.clear();
    HKEY hServer = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, ServerKeyPath(serverKey), 0, KEY_READ, &hServer) != ERROR_SUCCESS)
        return;
    for (DWORD index = 0;; ++index) {
        // Room for the longest key name the registry allows, so that every login name saved
        // loads back; should one still not fit, only that record is passed over.
        wchar_t name[kMaxKeyNameChars + 1] = {};
        DWORD cch = kMaxKeyNameChars + 1;
        LONG rc = ::RegEnumKeyExW(hServer, index, name, &cch, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc != ERROR_SUCCESS)
            continue;
        HKEY hUser = nullptr;
        if (::RegOpenKeyExW(hServer, name, 0, KEY_READ, &hUser) != ERROR_SUCCESS)
            continue;
        SavedLoginRecord record;
        record.strUserName = ReadStoreString(hUser, L"username");
        record.strDepartment = ReadStoreString(hUser, L"deptment");
        record.strPassword = ReadStoreString(hUser, L"password");
        DecryptHexString(record.strPassword, kPasswordKey);
        DWORD type = 0, flag = 0, cb = sizeof(flag);
        if (::RegQueryValueExW(hUser, L"issavepassword", nullptr, &type, reinterpret_cast<BYTE*>(&flag), &cb) ==
                ERROR_SUCCESS &&
            type == REG_DWORD) {
            record.strUserKey = name;
            record.strUserKey.MakeLower();
            record.nSavePassword = static_cast<int>(flag);
            records[record.strUserKey] = record;
        }
        ::RegCloseKey(hUser);
    }
    ::RegCloseKey(hServer);
}

int LoginStore::SaveLoginStore(const CString& strAddress, int nPort)
{
    CString serverKey = MakeServerKey(strAddress, nPort);
    auto it = m_servers.find(serverKey);
    if (it == m_servers.end())
        return 1;
    HKEY hServer = nullptr;
    CString path = ServerKeyPath(serverKey);
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_WRITE, &hServer) != ERROR_SUCCESS &&
        ::RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &hServer, nullptr) !=
            ERROR_SUCCESS)
        return 0;
    for (const auto& entry : it->second) {
        const SavedLoginRecord& record = entry.second;
        HKEY hUser = nullptr;
        if (::RegOpenKeyExW(hServer, record.strUserKey, 0, KEY_WRITE, &hUser) != ERROR_SUCCESS &&
            ::RegCreateKeyExW(hServer, record.strUserKey, 0, nullptr, 0, KEY_WRITE, nullptr, &hUser, nullptr) !=
                ERROR_SUCCESS)
            continue;
        CString cipher = record.strPassword;
        EncryptHexString(cipher, kPasswordKey);
        WriteStoreString(hUser, L"username", record.strUserName);
        WriteStoreString(hUser, L"deptment", record.strDepartment);
        WriteStoreString(hUser, L"password", cipher);
        DWORD flag = static_cast<DWORD>(record.nSavePassword);
        ::RegSetValueExW(hUser, L"issavepassword", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flag), sizeof(flag));
        ::RegCloseKey(hUser);
    }
    ::RegCloseKey(hServer);
    return 1;
}

void LoginStore::SetLoginRecord(const CString& strAddress, int nPort, SavedLoginRecord& record)
{
    record.strUserKey.MakeLower();
    m_servers[MakeServerKey(strAddress, nPort)][record.strUserKey] = record;
}

bool LoginStore::GetSavedPassword(const CString& strAddress, int nPort, CString strUserKey,
                                  CString& strPassword) const
{
    strUserKey.MakeLower();
    strPassword.Empty();
    auto server = m_servers.find(MakeServerKey(strAddress, nPort));
    if (server == m_servers.end())
        return false;
    auto record = server->second.find(strUserKey);
    if (record == server->second.end() || record->second.nSavePassword != 1)
        return false;
    strPassword = record->second.strPassword;
    return true;
}

void LoginStore::ListSavedUsers(const CString& strAddress, int nPort, CStringArray& arNames) const
{
    auto server = m_servers.find(MakeServerKey(strAddress, nPort));
    if (server == m_servers.end())
        return;
    for (const auto& entry : server->second) {
        CString name = entry.second.strUserName;
        name.MakeLower();
        bool present = false;
        for (INT_PTR i = 0; i < arNames.GetSize() && !present; ++i)
            present = arNames[i] == name;
        if (!present)
            arNames.Add(name);
    }
}

void LoginStore::DeleteAll()
{
    m_servers.clear();
    CString setting;
    setting.Format(L"%s\\%s", kStoreRoot, kStoreSetting);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, setting);
}

LoginStore& GetLoginStore()
{
    static LoginStore store;
    return store;
}
