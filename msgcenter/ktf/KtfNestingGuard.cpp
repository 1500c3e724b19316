#include "msgcenter/ktf/KtfNestingGuard.h"
#include <cstring>

// The walk mirrors how TinyXML tokenises (with UTF-8 as the encoding): where a construct ends,
// which '<' opens an element and which "</" or "/>" closes one. It never counts fewer open
// elements than the parser has at any point the parser reaches. Where the parser gives up on a
// broken tag it stops for good, and so does the walk; where it gives up on a broken reference
// in a text or value, the walk goes on, which can only find depth the parser never reaches.
namespace {

typedef const unsigned char* Ptr;

// The parser's white space: isspace in the C locale, plus CR and LF.
bool IsBlank(unsigned char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Letters as the parser sees them: ASCII letters and every byte from 127 up.
bool IsNameStart(unsigned char c)
{
    return c >= 127 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsNameChar(unsigned char c)
{
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == ':';
}

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

} // namespace

size_t KtfNestingGuard::SafeLength(const char* pszUtf8, size_t nLength, int nMaxDepth)
{
    // An element needs a '<' of its own: with no more of them than the limit, nothing to walk.
    size_t opens = 0;
    for (const char* p = pszUtf8; (p = static_cast<const char*>(memchr(p, '<', nLength - (p - pszUtf8)))); ++p) {
        if (++opens > static_cast<size_t>(nMaxDepth))
            break;
    }
    if (opens <= static_cast<size_t>(nMaxDepth))
        return nLength;

    const Ptr start = reinterpret_cast<Ptr>(pszUtf8);
    Ptr p = start;
    int depth = 0;
    for (;;) {
        p = SkipBlanks(p);
        if (!*p)
            return nLength;
        if (*p != '<') {
            // Text ends at the next '<'; at the top level the parser stops at text.
            if (depth == 0)
                return nLength;
            p = reinterpret_cast<Ptr>(strchr(reinterpret_cast<const char*>(p), '<'));
            if (!p)
                return nLength;
            continue;
        }
        if (p[1] == '/' && depth > 0) {
            --depth;
            p = SkipPast(p, ">");
        } else if (StartsWithNoCase(p, "<?xml")) {
            p = SkipDeclaration(p + 5);
        } else if (StartsWith(p, "<!--")) {
            p = SkipPast(p + 4, "-->");
        } else if (StartsWith(p, "<![CDATA[")) {
            p = SkipPast(p + 9, "]]>");
        } else if (p[1] != '!' && (IsNameStart(p[1]))) {
            if (depth + 1 > nMaxDepth)
                return static_cast<size_t>(p - start);
            Ptr q = SkipName(SkipBlanks(p + 1));
            while (q) {
                q = SkipBlanks(q);
                if (!*q) {
                    q = nullptr;
                } else if (*q == '/') {
                    q = q[1] == '>' ? q + 2 : nullptr;
                    break;
                } else if (*q == '>') {
                    ++depth;
                    ++q;
                    break;
                } else {
                    q = SkipAttribute(q);
                }
            }
            p = q;
        } else {
            // Anything else up to '>' is one node the parser does not understand.
            p = SkipPast(p + 1, ">");
        }
        if (!p)
            return nLength;
    }
}
