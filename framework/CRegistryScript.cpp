#include "framework/CRegistryScript.h"
#include <cwchar>

namespace {

HKEY RootFromName(const CString& name)
{
    CString n(name);
    n.MakeUpper();
    if (n == L"HKCR" || n == L"HKEY_CLASSES_ROOT")
        return HKEY_CLASSES_ROOT;
    if (n == L"HKCU" || n == L"HKEY_CURRENT_USER")
        return HKEY_CURRENT_USER;
    if (n == L"HKLM" || n == L"HKEY_LOCAL_MACHINE")
        return HKEY_LOCAL_MACHINE;
    if (n == L"HKU" || n == L"HKEY_USERS")
        return HKEY_USERS;
    return nullptr;
}

// TRUE when path lies at or below parent (key names compare without case).
bool IsAtOrBelow(const CString& path, const CString& parent)
{
    if (path.GetLength() < parent.GetLength())
        return false;
    if (path.Left(parent.GetLength()).CompareNoCase(parent) != 0)
        return false;
    return path.GetLength() == parent.GetLength() || path[parent.GetLength()] == L'\\';
}

HRESULT DeleteTree(HKEY root, const CString& path)
{
    LONG rc = ::RegDeleteTreeW(root, path);
    if (rc == ERROR_SUCCESS)
        rc = ::RegDeleteKeyW(root, path);
    if (rc == ERROR_FILE_NOT_FOUND || rc == ERROR_PATH_NOT_FOUND)
        return S_OK;
    return rc == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(rc);
}

} // namespace

void CRegistryScript::AddReplacement(LPCWSTR name, LPCWSTR value)
{
    CString key(name);
    key.MakeUpper();
    m_replacements[key] = value;
}

BOOL CRegistryScript::Expand(const CString& line, CString& out) const
{
    out.Empty();
    for (int i = 0; i < line.GetLength(); ++i) {
        wchar_t ch = line[i];
        if (ch != L'%') {
            out += ch;
            continue;
        }
        int close = line.Find(L'%', i + 1);
        if (close < 0)
            return FALSE;
        CString name = line.Mid(i + 1, close - i - 1);
        if (name.IsEmpty()) {
            out += L'%';
        } else {
            name.MakeUpper();
            auto it = m_replacements.find(name);
            if (it == m_replacements.end())
                return FALSE;
            out += it->second;
        }
        i = close;
    }
    return TRUE;
}

HRESULT CRegistryScript::Parse(LPCWSTR script, std::vector<Entry>& entries) const
{
    entries.clear();
    if (!script)
        return E_INVALIDARG;
    CString all(script);
    int start = 0;
    while (start <= all.GetLength()) {
        int nl = all.Find(L'\n', start);
        CString raw = nl < 0 ? all.Mid(start) : all.Mid(start, nl - start);
        start = nl < 0 ? all.GetLength() + 1 : nl + 1;
        raw.Trim();
        if (raw.IsEmpty() || raw[0] == L';' || raw[0] == L'#')
            continue;
        // Split the line before expanding it, so that replacement texts (a program path with
        // its drive colon, a description with an equals sign) never change its structure.
        Entry e;
        CString line = raw;
        if (line[0] == L'+') {
            e.owned = true;
            line = line.Mid(1);
            line.TrimLeft();
        }
        // The key part ends at the first '=' (values may contain anything); within it, a ':'
        // introduces the value name (key paths never contain one).
        int eq = line.Find(L'=');
        CString left = eq < 0 ? line : line.Left(eq);
        if (eq >= 0) {
            CString value;
            if (!Expand(line.Mid(eq + 1), value))
                return E_INVALIDARG;
            value.Trim();
            e.hasValue = true;
            if (value.GetLength() >= 2 && value[0] == L'\'' && value[value.GetLength() - 1] == L'\'') {
                e.text = value.Mid(1, value.GetLength() - 2);
            } else if (value.Left(6).CompareNoCase(L"dword:") == 0) {
                CString number = value.Mid(6);
                number.Trim();
                wchar_t* end = nullptr;
                unsigned long n = wcstoul(number, &end, 0);
                if (number.IsEmpty() || !end || *end)
                    return E_INVALIDARG;
                e.isDword = true;
                e.dword = static_cast<DWORD>(n);
            } else {
                e.text = value;
            }
        }
        int colon = left.Find(L':');
        if (colon >= 0) {
            e.named = true;
            if (!Expand(left.Mid(colon + 1), e.name))
                return E_INVALIDARG;
            e.name.Trim();
            left = left.Left(colon);
            if (e.name.IsEmpty() || !e.hasValue)
                return E_INVALIDARG;
        }
        CString expanded;
        if (!Expand(left, expanded))
            return E_INVALIDARG;
        left = expanded;
        left.Trim();
        left.TrimRight(L'\\');
        int slash = left.Find(L'\\');
        e.root = RootFromName(slash < 0 ? left : left.Left(slash));
        e.path = slash < 0 ? CString() : left.Mid(slash + 1);
        // The roots themselves are never created or deleted by a script.
        if (!e.root || e.path.IsEmpty() || e.path.Find(L"\\\\") >= 0)
            return E_INVALIDARG;
        if (e.owned && e.named)
            return E_INVALIDARG;
        entries.push_back(e);
    }
    return S_OK;
}

HRESULT CRegistryScript::Register(LPCWSTR script) const
{
    std::vector<Entry> entries;
    HRESULT hr = Parse(script, entries);
    if (FAILED(hr))
        return hr;
    for (const Entry& e : entries) {
        if (e.owned) {
            hr = DeleteTree(e.root, e.path);
            if (FAILED(hr))
                return hr;
        }
        HKEY key = nullptr;
        LONG rc = ::RegCreateKeyExW(e.root, e.path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                                    nullptr, &key, nullptr);
        if (rc != ERROR_SUCCESS)
            return HRESULT_FROM_WIN32(rc);
        if (e.hasValue) {
            LPCWSTR name = e.named ? e.name.GetString() : nullptr;
            if (e.isDword)
                rc = ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&e.dword), sizeof(DWORD));
            else
                rc = ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(e.text.GetString()),
                                      static_cast<DWORD>((e.text.GetLength() + 1) * sizeof(wchar_t)));
        }
        ::RegCloseKey(key);
        if (rc != ERROR_SUCCESS)
            return HRESULT_FROM_WIN32(rc);
    }
    return S_OK;
}

HRESULT CRegistryScript::Unregister(LPCWSTR script) const
{
    std::vector<Entry> entries;
    HRESULT hr = Parse(script, entries);
    if (FAILED(hr))
        return hr;
    HRESULT result = S_OK;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        const Entry& e = *it;
        if (e.owned) {
            hr = DeleteTree(e.root, e.path);
            if (FAILED(hr) && SUCCEEDED(result))
                result = hr;
            continue;
        }
        if (!e.named)
            continue;
        // A value below an owned key goes with that key.
        bool underOwned = false;
        for (const Entry& o : entries)
            if (o.owned && o.root == e.root && IsAtOrBelow(e.path, o.path))
                underOwned = true;
        if (underOwned)
            continue;
        HKEY key = nullptr;
        LONG rc = ::RegOpenKeyExW(e.root, e.path, 0, KEY_SET_VALUE, &key);
        if (rc == ERROR_SUCCESS) {
            rc = ::RegDeleteValueW(key, e.name);
            ::RegCloseKey(key);
        }
        if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND && rc != ERROR_PATH_NOT_FOUND && SUCCEEDED(result))
            result = HRESULT_FROM_WIN32(rc);
    }
    return result;
}

BOOL CRegistryScript::LoadFromResource(HINSTANCE hInstance, UINT nResID, CString& script)
{
    script.Empty();
    HRSRC res = ::FindResourceW(hInstance, MAKEINTRESOURCEW(nResID), L"REGISTRY");
    if (!res)
        return FALSE;
    HGLOBAL mem = ::LoadResource(hInstance, res);
    DWORD size = ::SizeofResource(hInstance, res);
    auto bytes = mem ? static_cast<const BYTE*>(::LockResource(mem)) : nullptr;
    if (!bytes)
        return FALSE;
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        script = CString(reinterpret_cast<const wchar_t*>(bytes + 2), static_cast<int>((size - 2) / 2));
        int zero = script.Find(L'\0');
        if (zero >= 0)
            script.Truncate(zero);
        return TRUE;
    }
    UINT cp = CP_ACP;
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        bytes += 3;
        size -= 3;
        cp = CP_UTF8;
    } else if (::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(bytes),
                                     static_cast<int>(size), nullptr, 0) > 0) {
        cp = CP_UTF8;
    }
    int n = ::MultiByteToWideChar(cp, 0, reinterpret_cast<const char*>(bytes), static_cast<int>(size), nullptr, 0);
    if (n > 0) {
        ::MultiByteToWideChar(cp, 0, reinterpret_cast<const char*>(bytes), static_cast<int>(size),
                              script.GetBufferSetLength(n), n);
        script.ReleaseBuffer(n);
    }
    // A resource compiler may pad the text with zeros.
    int zero = script.Find(L'\0');
    if (zero >= 0)
        script.Truncate(zero);
    return TRUE;
}
