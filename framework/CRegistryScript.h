#pragma once
// CRegistryScript: registers and unregisters a COM server from a small text script.
//
// Script format, one entry per line (blank lines and lines starting with ';' or '#' are ignored):
//
//     [+]<ROOT>\<key path> [: <value name>] [= <value>]
//
//   ROOT        HKCR, HKCU, HKLM, HKU (or their HKEY_... spellings).
//   +           the script owns this key: registering deletes any old copy of the key first, and
//               unregistering deletes the key with everything below it.
//   : name      the entry sets the named value instead of the key's default value.
//   = value     the value: text up to the end of the line, trimmed; 'quoted' keeps blanks and
//               may be empty; dword:<n> (decimal or 0x hex) writes a REG_DWORD.
//               Without "= value" the line only creates the key.
//   %NAME%      replaced before parsing by the value given with AddReplacement (%% is a percent
//               sign); an unknown name makes the whole script fail before anything is written.
//
// Unregistering walks the entries backwards: owned keys are deleted; a named value on a key the
// script does not own is deleted alone; other keys (such as HKCR\CLSID itself) are left as they
// are. Missing keys and values are not an error when unregistering.
//
// Example:
//     +HKCR\Sample.Thing.1 = Sample Thing
//     HKCR\Sample.Thing.1\CLSID = %CLSID%
//     +HKCR\CLSID\%CLSID% = Sample Thing
//     HKCR\CLSID\%CLSID%\LocalServer32 = "%MODULE%"
//     HKCR\CLSID\%CLSID% : AppID = %APPID%
#include "framework/CString.h"
#include <map>
#include <vector>

class CRegistryScript {
public:
    // Sets (or replaces) the text that %name% stands for; name is given without the percent signs
    // and is matched without regard to case.
    void AddReplacement(LPCWSTR name, LPCWSTR value);
    void ClearReplacements() { m_replacements.clear(); }
    // Adds the replacements of other that this script does not define itself.
    void Merge(const CRegistryScript& other) { m_replacements.insert(other.m_replacements.begin(), other.m_replacements.end()); }

    // Runs the script; S_OK, or the failure of the first step that failed (HRESULT_FROM_WIN32) or
    // E_INVALIDARG for a script that does not parse.
    HRESULT Register(LPCWSTR script) const;
    HRESULT Unregister(LPCWSTR script) const;

    // Loads a script stored as a resource of type "REGISTRY" (UTF-8 or ANSI text, or UTF-16 with
    // its byte-order mark); FALSE when there is no such resource.
    static BOOL LoadFromResource(HINSTANCE hInstance, UINT nResID, CString& script);

private:
    struct Entry {
        bool owned = false;
        HKEY root = nullptr;
        CString path;
        bool named = false;
        CString name;
        bool hasValue = false;
        bool isDword = false;
        CString text;
        DWORD dword = 0;
    };
    HRESULT Parse(LPCWSTR script, std::vector<Entry>& entries) const;
    BOOL Expand(const CString& line, CString& out) const;

    std::map<CString, CString> m_replacements; // upper-cased name -> text
};
