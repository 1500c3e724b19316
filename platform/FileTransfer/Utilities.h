#pragma once
// GUID text conversions of the file-transfer library. The text form is the registry form
// with braces and upper-case digits, "{8-4-4-4-12}"; StrToGuid also reads it without braces
// and in any letter case.
#include "framework/CString.h"

class Utilities {
public:
    static CString GuidToStr(const GUID& guid);
    // GUID_NULL for a text that is no GUID.
    static GUID StrToGuid(LPCWSTR pszText);
    // False (and guid = GUID_NULL) for a text that is no GUID.
    static bool StrToGuid(LPCWSTR pszText, GUID& guid);

private:
    Utilities() = delete;
};
