#pragma once
// One open registry key with boolean results. The owner starts it empty and calls Close
// before dropping it: the wrapper never closes a key by itself, except the temporary keys of
// RecurseDeleteKey.
#include "framework/CString.h"

class CRegistryKey {
public:
    // RegOpenKeyExW into the held handle; a key held before is not closed first.
    BOOL Open(HKEY hRoot, LPCWSTR pszSubKey, REGSAM access = KEY_READ);
    // Reads a REG_DWORD value; any other type, or a missing value, is FALSE and dwValue keeps
    // what the caller put there.
    BOOL QueryDWORDValue(LPCWSTR pszName, DWORD& dwValue);
    // RegCloseKey's result, or 0 when nothing is held.
    LONG Close();

    BOOL Create(HKEY hRoot, LPCWSTR pszSubKey);
    static BOOL KeyExists(HKEY hRoot, LPCWSTR pszSubKey);
    BOOL SubKeyExists(LPCWSTR pszSubKey);
    BOOL ValueExists(LPCWSTR pszName);
    BOOL SetStringValue(LPCWSTR pszName, const CString& text);
    // REG_SZ only; the text read is always terminated, even when the stored value is not.
    BOOL QueryStringValue(LPCWSTR pszName, CString& text);
    BOOL SetDWORDValue(LPCWSTR pszName, DWORD dwValue);
    // As SetDWORDValue, returning the registry's error code.
    LONG WriteDWORDValue(LPCWSTR pszName, DWORD dwValue);
    LONG SetBinaryValue(LPCWSTR pszName, const void* pData, DWORD cbData);
    // cbData: the buffer's size in, the bytes read out.
    BOOL QueryBinaryValue(LPCWSTR pszName, void* pData, DWORD& cbData);
    BOOL DeleteSubKey(LPCWSTR pszSubKey);
    BOOL DeleteValue(LPCWSTR pszName);
    // Deletes a subkey of the held key with everything below it.
    BOOL RecurseDeleteKey(LPCWSTR pszSubKey);

    // "HKEY_LOCAL_MACHINE", "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER" (exact case); else null.
    static HKEY RootKeyFromName(const CString& name);
    // description = "kind,root,path,name": kind "Key" (any case) deletes the subkey tree name below
    // root\path, any other kind the value name. FALSE when a field is missing or the key does
    // not open; otherwise TRUE whatever the deletion gave.
    static BOOL DeleteByDescription(const CString& description);

    // Helpers for URL texts.
    static BOOL SplitToken(CString& text, CString& head, CString delimiter);
    // For a text with ":", the text up to and including its last "/" or "\"; else empty.
    static CString GetUrlDirectory(const CString& url);
    // The text up to and including the first "/" after "://" (or from the start without
    // "://"); the whole text when there is no such "/".
    static CString GetUrlRoot(const CString& url);

    HKEY m_hKey = nullptr;
};
