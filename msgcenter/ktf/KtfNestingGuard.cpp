#include "msgcenter/ktf/KtfNestingGuard.h"
#include "msgcenter/ktf/KtfXmlScan.h"
#include <cstring>

// The walk mirrors how TinyXML tokenises (with UTF-8 as the encoding): where a construct ends,
// which '<' opens an element and which "</" or "/>" closes one. It never counts fewer open
// elements than the parser has at any point the parser reaches. Where the parser gives up on a
// broken tag it stops for good, and so does the walk; where it gives up on a broken reference
// in a text or value, the walk goes on, which can only find depth the parser never reaches.
using namespace KtfXmlScan;

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
        if (IsStartTag(p) && depth + 1 > nMaxDepth)
            return static_cast<size_t>(p - start);
        p = SkipMarkup(p, depth);
        if (!p)
            return nLength;
    }
}
