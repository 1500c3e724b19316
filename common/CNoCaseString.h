#pragma once
// A string whose order ignores case: the key type of ordered maps of settings, where keys that
// differ only in case are one key.
#include "framework/CString.h"

class CNoCaseString : public CString {
public:
    CNoCaseString() = default;
    CNoCaseString(const wchar_t* psz) : CString(psz) {}
    CNoCaseString(const char* psz) : CString(psz) {}
    // A null pointer gives the empty text.
    CNoCaseString(const CNoCaseString* p) : CString(p ? static_cast<const CString&>(*p) : CString()) {}
    CNoCaseString(const CString& s) : CString(s) {}
    virtual ~CNoCaseString() = default;

    CNoCaseString& operator=(const wchar_t* psz) { CString::operator=(psz); return *this; }
    CNoCaseString& operator=(const char* psz) { CString::operator=(psz); return *this; }
    CNoCaseString& operator=(const CNoCaseString* p) { CString::operator=(p ? static_cast<const CString&>(*p) : CString()); return *this; }
    CNoCaseString& operator=(const CString& s) { CString::operator=(s); return *this; }

    bool operator<(const CNoCaseString& other) const { return CompareNoCase(other) < 0; }
};
