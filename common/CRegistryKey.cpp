#include "common/CRegistryKey.h"
#include "common/CWqStringMgr.h"
#include "framework/CStringArray.h"
#include <vector>

namespace {
// Read and write, as the deletions need.
const REGSAM kReadWrite = 0x2001F;
} // namespace

BOOL CRegistryKey::Open(HKEY hRoot, LPCWSTR pszSubKey, REGSAM access)
{
    HKEY h = nullptr;
    if (::RegOpenKeyExW(hRoot, pszSubKey, 0, access, &h) != ERROR_SUCCESS)
        return FALSE;
    m_hKey = h;
    return TRUE;
}

BOOL CRegistryKey::QueryDWORDValue(LPCWSTR pszName, DWORD& dwValue)
{
    DWORD type = 0, value = 0, cb = sizeof(value);
    if (!m_hKey ||
        ::RegQueryValueExW(m_hKey, pszName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &cb) != ERROR_SUCCESS)
        return FALSE;
    if (type != REG_DWORD || cb != sizeof(value))
        return FALSE;
    dwValue = value;
    return TRUE;
}

LONG CRegistryKey::Close()
{
    if (!m_hKey)
        return 0;
    LONG rc = ::RegCloseKey(m_hKey);
    m_hKey = nullptr;
    return rc;
}

BOOL CRegistryKey::Create(HKEY hRoot, LPCWSTR pszSubKey)
{
    HKEY h = nullptr;
    if (::RegCreateKeyW(hRoot, pszSubKey, &h) != ERROR_SUCCESS)
        return FALSE;
    m_hKey = h;
    return TRUE;
}

BOOL CRegistryKey::KeyExists(HKEY hRoot, LPCWSTR pszSubKey)
{
    CRegistryKey key;
    if (!key.Open(hRoot, pszSubKey, KEY_READ))
        return FALSE;
    key.Close();
    return TRUE;
}

BOOL CRegistryKey::SubKeyExists(LPCWSTR pszSubKey)
{
    return m_hKey && KeyExists(m_hKey, pszSubKey);
}

BOOL CRegistryKey::ValueExists(LPCWSTR pszName)
{
    return m_hKey && ::RegQueryValueExW(m_hKey, pszName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

BOOL CRegistryKey::SetStringValue(LPCWSTR pszName, const CString& text)
{
    const DWORD cb = static_cast<DWORD>(text.GetLength() + 1) * sizeof(wchar_t);
    return m_hKey && ::RegSetValueExW(m_hKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.GetString()),
                                      cb) == ERROR_SUCCESS;
}

BOOL CRegistryKey::QueryStringValue(LPCWSTR pszName, CString& text)
{
    text.Empty();
    DWORD type = 0, cb = 0;
    if (!m_hKey || ::RegQueryValueExW(m_hKey, pszName, nullptr, &type, nullptr, &cb) != ERROR_SUCCESS ||
        type != REG_SZ)
        return FALSE;
    // One spare character, zero-filled: a value stored without its terminator still reads as
    // a terminated text.
    std::vector<wchar_t> buffer(cb / sizeof(wchar_t) + 2, L'\0');
    DWORD cbRead = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    if (::RegQueryValueExW(m_hKey, pszName, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &cbRead) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return FALSE;
    buffer[cbRead / sizeof(wchar_t)] = L'\0';
    text = buffer.data();
    return TRUE;
}

BOOL CRegistryKey::SetDWORDValue(LPCWSTR pszName, DWORD dwValue)
{
    return WriteDWORDValue(pszName, dwValue) == ERROR_SUCCESS;
}

LONG CRegistryKey::WriteDWORDValue(LPCWSTR pszName, DWORD dwValue)
{
    if (!m_hKey)
        return ERROR_INVALID_HANDLE;
    return ::RegSetValueExW(m_hKey, pszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
}

LONG CRegistryKey::SetBinaryValue(LPCWSTR pszName, const void* pData, DWORD cbData)
{
    if (!m_hKey)
        return ERROR_INVALID_HANDLE;
    return ::RegSetValueExW(m_hKey, pszName, 0, REG_BINARY, static_cast<const BYTE*>(pData), cbData);
}

BOOL CRegistryKey::QueryBinaryValue(LPCWSTR pszName, void* pData, DWORD& cbData)
{
    return m_hKey && ::RegQueryValueExW(m_hKey, pszName, nullptr, nullptr, static_cast<BYTE*>(pData), &cbData) ==
                         ERROR_SUCCESS;
}

BOOL CRegistryKey::DeleteSubKey(LPCWSTR pszSubKey)
{
    return m_hKey && ::RegDeleteKeyW(m_hKey, pszSubKey) == ERROR_SUCCESS;
}

BOOL CRegistryKey::DeleteValue(LPCWSTR pszName)
{
    return m_hKey && ::RegDeleteValueW(m_hKey, pszName) == ERROR_SUCCESS;
}

BOOL CRegistryKey::RecurseDeleteKey(LPCWSTR pszSubKey)
{
    CRegistryKey key;
    if (!m_hKey || !key.Open(m_hKey, pszSubKey, kReadWrite))
        return FALSE;
    wchar_t name[256];
    DWORD cch = 256;
    // Each deleted child moves the next one to index 0.
    while (::RegEnumKeyExW(key.m_hKey, 0, name, &cch, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        if (!key.RecurseDeleteKey(name)) {
            key.Close();
            return FALSE;
        }
        cch = 256;
    }
    key.Close();
    return ::RegDeleteKeyW(m_hKey, pszSubKey) == ERROR_SUCCESS;
}

HKEY CRegistryKey::RootKeyFromName(const CString& name)
{
    if (name == L"HKEY_LOCAL_MACHINE")
        return HKEY_LOCAL_MACHINE;
    if (name == L"HKEY_CLASSES_ROOT")
        return HKEY_CLASSES_ROOT;
    if (name == L"HKEY_CURRENT_USER")
        return HKEY_CURRENT_USER;
    return nullptr;
}

BOOL CRegistryKey::DeleteByDescription(const CString& description)
{
    CStringArray fields;
    CWqStringMgr::TokenizeString(description, &fields, L",");
    if (fields.GetSize() < 4)
        return FALSE;
    for (int i = 0; i < 4; ++i) {
        if (fields[i].IsEmpty())
            return FALSE;
    }
    HKEY root = RootKeyFromName(fields[1]);
    CRegistryKey key;
    if (!root || !key.Open(root, fields[2], kReadWrite))
        return FALSE;
    if (fields[0].CompareNoCase(L"Key") == 0)
        key.RecurseDeleteKey(fields[3]);
    else
        key.DeleteValue(fields[3]);
    key.Close();
    return TRUE;
}

BOOL CRegistryKey::SplitToken(CString& text, CString& head, CString delimiter)
{
    return CWqStringMgr::SplitFirst(text, head, delimiter);
}

CString CRegistryKey::GetUrlDirectory(const CString& url)
{
    if (url.Find(L':') < 0)
        return CString();
    int slash = std::max(url.ReverseFind(L'/'), url.ReverseFind(L'\\'));
    return url.Left(slash + 1);
}

CString CRegistryKey::GetUrlRoot(const CString& url)
{
    int from = 0;
    int scheme = url.Find(L"://");
    if (scheme >= 0)
        from = scheme + 3;
    int slash = url.Find(L'/', from);
    if (slash < 0)
        return url;
    return url.Left(slash + 1);
}
