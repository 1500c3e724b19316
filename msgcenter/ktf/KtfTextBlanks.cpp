#include "msgcenter/ktf/KtfTextBlanks.h"
#include "msgcenter/ktf/KtfXmlScan.h"
#include <cstring>

using namespace KtfXmlScan;

namespace {

// Whether the parser would change a text: a blank at its start or end, a blank other than a
// space, or two blanks in a row.
bool WouldCondense(Ptr text, Ptr end)
{
    for (Ptr p = text; p < end; ++p) {
        if (!IsBlank(*p))
            continue;
        if (*p != ' ' || p == text || p + 1 == end || IsBlank(p[1]))
            return true;
    }
    return false;
}

void AppendText(std::string& out, Ptr text, Ptr end)
{
    bool blankOnly = true;
    for (Ptr p = text; p < end && blankOnly; ++p)
        blankOnly = IsBlank(*p);
    if (blankOnly) {
        // Blanks only cannot hold "]]>".
        out += "<![CDATA[";
        out.append(reinterpret_cast<const char*>(text), static_cast<size_t>(end - text));
        out += "]]>";
        return;
    }
    for (Ptr p = text; p < end; ++p) {
        if (IsBlank(*p)) {
            out += "&#";
            out += std::to_string(static_cast<unsigned>(*p));
            out += ';';
        } else {
            out += static_cast<char>(*p);
        }
    }
}

} // namespace

bool KtfTextBlanks::Keep(const char* pszUtf8, size_t nLength, std::string& out)
{
    const Ptr start = reinterpret_cast<Ptr>(pszUtf8);
    const Ptr stop = start + nLength;
    std::string kept;
    bool changed = false;
    Ptr copied = start; // everything before this is in kept
    Ptr p = SkipBlanks(start);
    int depth = 0;
    while (p && *p) {
        if (*p != '<') {
            // A text: up to the next '<' (or the end). At the top level the parser stops at text.
            Ptr end = reinterpret_cast<Ptr>(strchr(reinterpret_cast<const char*>(p), '<'));
            if (!end)
                end = stop;
            if (depth > 0 && WouldCondense(p, end)) {
                kept.append(reinterpret_cast<const char*>(copied), static_cast<size_t>(p - copied));
                AppendText(kept, p, end);
                copied = end;
                changed = true;
            }
            if (depth == 0)
                break;
            p = end;
            continue;
        }
        p = SkipMarkup(p, depth);
        // Between constructs at the top level, blanks are no text.
        if (p && depth == 0)
            p = SkipBlanks(p);
    }
    if (!changed)
        return false;
    kept.append(reinterpret_cast<const char*>(copied), static_cast<size_t>(stop - copied));
    out.swap(kept);
    return true;
}
