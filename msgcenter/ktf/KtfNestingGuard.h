#pragma once
// Keeps the XML parser's recursion bounded. TinyXML parses nested elements by recursion, so a
// body of a few hundred thousand nested elements (a hostile or corrupt stored message) would
// overflow the thread's stack and take the whole program down each time the message is shown.
// A KTF body nests two levels deep; this walks the bytes the way the parser tokenises them and
// finds where an element would open deeper than a limit, so that the caller can end the text
// there (what the parser built before that point is kept, as for any malformed tail).
#include <cstddef>

class KtfNestingGuard {
public:
    enum { kMaxDepth = 256 };

    // The byte offset at which an element opens deeper than nMaxDepth, or nLength when none
    // does. pszUtf8 is zero-terminated, valid UTF-8 of nLength bytes.
    static size_t SafeLength(const char* pszUtf8, size_t nLength, int nMaxDepth = kMaxDepth);

private:
    KtfNestingGuard() = delete;
};
