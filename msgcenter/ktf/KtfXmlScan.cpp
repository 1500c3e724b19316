#include "msgcenter/ktf/KtfXmlScan.h"
#include <cstring>

namespace KtfXmlScan {

// White space and the three byte-order-mark-like sequences the parser skips with it.
Ptr SkipBlanks(Ptr p)
{
    for (;;) {
        if (p[0] == 0xEF && ((p[1] == 0xBB && p[2] == 0xBF) || (p[1] == 0xBF && (p[2] == 0xBE || p[2] == 0xBF)))) {
            p += 3;
        } else if (*p && IsBlank(*p)) {
            ++p;
        } else {
            return p;
        }
    }
}

bool StartsWith(Ptr p, const char* pszTag)
{
    return strncmp(reinterpret_cast<const char*>(p), pszTag, strlen(pszTag)) == 0;
}

bool StartsWithNoCase(Ptr p, const char* pszTag)
{
    for (; *pszTag; ++p, ++pszTag) {
        unsigned char a = *p, b = static_cast<unsigned char>(*pszTag);
        if (a >= 'A' && a <= 'Z')
            a = static_cast<unsigned char>(a - 'A' + 'a');
        if (a != b)
            return false;
    }
    return true;
}

// Past the next occurrence of pszEnd, or null when the text ends first.
Ptr SkipPast(Ptr p, const char* pszEnd)
{
    const char* found = strstr(reinterpret_cast<const char*>(p), pszEnd);
    return found ? reinterpret_cast<Ptr>(found) + strlen(pszEnd) : nullptr;
}

Ptr SkipName(Ptr p)
{
    if (!IsNameStart(*p))
        return nullptr;
    while (IsNameChar(*p))
        ++p;
    return p;
}

// name = value, quoted or not; null where the parser gives up.
Ptr SkipAttribute(Ptr p)
{
    p = SkipName(p);
    if (!p)
        return nullptr;
    p = SkipBlanks(p);
    if (*p != '=')
        return nullptr;
    p = SkipBlanks(p + 1);
    if (!*p)
        return nullptr;
    if (*p == '"' || *p == '\'') {
        const char* end = strchr(reinterpret_cast<const char*>(p + 1), *p);
        return end ? reinterpret_cast<Ptr>(end) + 1 : nullptr;
    }
    while (*p && !IsBlank(*p) && *p != '/' && *p != '>') {
        if (*p == '"' || *p == '\'')
            return nullptr;
        ++p;
    }
    return p;
}

// After "<?xml": the three known attributes are read as attributes (their values may hold
// '>'), anything else is skipped word by word up to '>'.
Ptr SkipDeclaration(Ptr p)
{
    for (;;) {
        if (!*p)
            return nullptr;
        if (*p == '>')
            return p + 1;
        p = SkipBlanks(p);
        if (!*p)
            return nullptr;
        if (StartsWithNoCase(p, "version") || StartsWithNoCase(p, "encoding") || StartsWithNoCase(p, "standalone")) {
            p = SkipAttribute(p);
            if (!p)
                return nullptr;
        } else {
            while (*p && *p != '>' && !IsBlank(*p))
                ++p;
        }
    }
}

bool IsStartTag(Ptr p)
{
    return p[0] == '<' && p[1] != '!' && IsNameStart(p[1]);
}

Ptr SkipMarkup(Ptr p, int& nDepth)
{
    if (p[1] == '/' && nDepth > 0) {
        --nDepth;
        return SkipPast(p, ">");
    }
    // The second byte tells the few kinds apart before any comparison of whole tags.
    if (p[1] == '?' && StartsWithNoCase(p, "<?xml"))
        return SkipDeclaration(p + 5);
    if (p[1] == '!' && StartsWith(p, "<!--"))
        return SkipPast(p + 4, "-->");
    if (p[1] == '!' && StartsWith(p, "<![CDATA["))
        return SkipPast(p + 9, "]]>");
    if (!IsStartTag(p))
        return SkipPast(p + 1, ">"); // one node the parser does not understand
    // The name, the attributes and the end of the start tag.
    for (Ptr q = SkipName(SkipBlanks(p + 1)); q;) {
        q = SkipBlanks(q);
        if (!*q)
            return nullptr;
        if (*q == '/')
            return q[1] == '>' ? q + 2 : nullptr;
        if (*q == '>') {
            ++nDepth;
            return q + 1;
        }
        q = SkipAttribute(q);
    }
    return nullptr;
}

} // namespace KtfXmlScan
