#include "standin/QorDB/SqlText.h"
#include <cwctype>

std::wstring DoubleQuotesAsText(const wchar_t* pszSql)
{
    std::wstring out;
    if (!pszSql)
        return out;
    const wchar_t* p = pszSql;
    while (*p) {
        const wchar_t c = *p;
        if (c == L'\'' || c == L'[' || c == L'`') {
            // Copy the literal or name whole: a double quote inside it is no delimiter.
            const wchar_t close = c == L'[' ? L']' : c;
            out += *p++;
            while (*p) {
                out += *p;
                if (*p++ == close) {
                    if (close != L']' && *p == close) { // doubled: still inside
                        out += *p++;
                        continue;
                    }
                    break;
                }
            }
        } else if (c == L'-' && p[1] == L'-') {
            while (*p && *p != L'\n')
                out += *p++;
        } else if (c == L'/' && p[1] == L'*') {
            out += *p++;
            out += *p++;
            while (*p && !(p[0] == L'*' && p[1] == L'/'))
                out += *p++;
            for (int i = 0; i < 2 && *p; ++i)
                out += *p++;
        } else if (c == L'"') {
            ++p;
            out += L'\'';
            while (*p) {
                if (*p == L'"') {
                    if (p[1] != L'"')
                        break;
                    ++p; // "" stands for one quote
                }
                if (*p == L'\'')
                    out += L'\'';
                out += *p++;
            }
            if (*p == L'"')
                ++p;
            out += L'\'';
        } else {
            out += *p++;
        }
    }
    return out;
}

bool IsBlankSql(const wchar_t* pszSql)
{
    for (const wchar_t* p = pszSql; p && *p; ++p)
        if (!iswspace(*p) && *p != L';')
            return false;
    return true;
}
