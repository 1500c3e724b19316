#pragma once
// The file-transfer store's path as the transfer library takes it: a UTF-8 narrow string.
#include "framework/CString.h"
#include <string>

class CRSDatabasePath {
public:
    // From a wide text (UTF-16 to UTF-8).
    void Set(const CString& strPath);
    // From a text in the local code page (to wide first, then to UTF-8).
    void SetLocal(const char* pszPath);
    // A failed conversion leaves the path as it was.
    const char* Get() const { return m_strPath.c_str(); }

private:
    std::string m_strPath;
};
