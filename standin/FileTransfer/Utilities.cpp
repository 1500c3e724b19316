#include "platform/FileTransfer/Utilities.h"
#include <cwctype>

CString Utilities::GuidToStr(const GUID& guid)
{
    CString s;
    s.Format(L"{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned long>(guid.Data1),
             guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4],
             guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return s;
}

GUID Utilities::StrToGuid(LPCWSTR pszText)
{
    GUID g;
    StrToGuid(pszText, g);
    return g;
}

bool Utilities::StrToGuid(LPCWSTR pszText, GUID& guid)
{
    guid = GUID_NULL;
    if (!pszText)
        return false;
    // Exactly 32 hex digits in groups of 8-4-4-4-12, with or without the braces.
    std::wstring t = pszText;
    if (t.size() == 38 && t.front() == L'{' && t.back() == L'}')
        t = t.substr(1, 36);
    if (t.size() != 36)
        return false;
    unsigned char b[16];
    int n = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (t[i] != L'-')
                return false;
            continue;
        }
        if (!std::iswxdigit(t[i]) || !std::iswxdigit(t[i + 1]))
            return false;
        auto hex = [](wchar_t c) { return c <= L'9' ? c - L'0' : (std::towlower(c) - L'a' + 10); };
        b[n++] = static_cast<unsigned char>(hex(t[i]) * 16 + hex(t[i + 1]));
        ++i;
    }
    if (n != 16)
        return false;
    guid.Data1 = (static_cast<unsigned long>(b[0]) << 24) | (b[1] << 16) | (b[2] << 8) | b[3];
    guid.Data2 = static_cast<unsigned short>((b[4] << 8) | b[5]);
    guid.Data3 = static_cast<unsigned short>((b[6] << 8) | b[7]);
    for (int i = 0; i < 8; ++i)
        guid.Data4[i] = b[8 + i];
    return true;
}
