#include "msgcenter/ktf/KtfTextBlanks.h"
#include "msgcenter/ktf/KtfXmlScan.h"
#include <cstdint>
#include <cstring>

using namespace KtfXmlScan;

namespace {

// The character reference of a blank byte (a tab to a carriage return, or a space).
const char* BlankReference(unsigned char c)
{
    static const char* const kReferences[] = {"&#9;", "&#10;", "&#11;", "&#12;", "&#13;"};
    return c == ' ' ? "&#32;" : kReferences[c - '\t'];
}

// The kept body so far: the body's bytes from copied up to here are yet to be appended.
class KeptBody {
public:
    KeptBody(Ptr start, size_t nLength) : m_copied(start), m_length(nLength) {}

    bool Changed() const { return m_changed; }

    // Copies the body up to upTo and leaves the bytes up to skipTo out.
    void CopyUpTo(Ptr upTo, Ptr skipTo)
    {
        if (!m_changed) {
            // References are a few bytes longer than their blanks; one allocation for most bodies.
            m_out.reserve(m_length + m_length / 8 + 16);
            m_changed = true;
        }
        m_out.append(reinterpret_cast<const char*>(m_copied), static_cast<size_t>(upTo - m_copied));
        m_copied = skipTo;
    }

    std::string& Out() { return m_out; }

    void Finish(Ptr stop) { CopyUpTo(stop, stop); }

private:
    std::string m_out;
    Ptr m_copied;
    size_t m_length;
    bool m_changed = false;
};

// Keeps the blanks of the text [text, end). The parser drops a text of blanks only, and in any
// other text drops the blanks at its ends and makes each run of blanks one space; so a text of
// blanks only becomes a CDATA section (which cannot hold "]]>" then), and each run of blanks but
// a lone space between two other characters becomes character references.
void KeepText(Ptr text, Ptr end, KeptBody& body)
{
    Ptr p = text;
    while (p < end && IsBlank(*p))
        ++p;
    if (p == end) {
        body.CopyUpTo(text, end);
        body.Out() += "<![CDATA[";
        body.Out().append(reinterpret_cast<const char*>(text), static_cast<size_t>(end - text));
        body.Out() += "]]>";
        return;
    }
    for (p = text; p < end;) {
        if (!IsBlank(*p)) {
            ++p;
            continue;
        }
        const Ptr run = p;
        while (p < end && IsBlank(*p))
            ++p;
        if (p - run == 1 && *run == ' ' && run != text && p != end)
            continue;
        body.CopyUpTo(run, p);
        for (Ptr blank = run; blank < p; ++blank)
            body.Out() += BlankReference(*blank);
    }
}

// What a byte is to the scan of a text, from a table: the scan asks it of every byte of every text.
enum ByteKind : unsigned char { kOther, kSpace, kOtherBlank, kTextEnd };

class ByteKinds {
public:
    ByteKinds()
    {
        for (int c = 0; c < 256; ++c)
            m_kinds[c] = c == ' ' ? kSpace : IsBlank(static_cast<unsigned char>(c)) ? kOtherBlank : kOther;
        m_kinds[0] = kTextEnd;
        m_kinds[static_cast<unsigned char>('<')] = kTextEnd;
    }
    const unsigned char* Kinds() const { return m_kinds; }

private:
    unsigned char m_kinds[256];
};

// 0x80 in each byte of x that is zero, 0 in the others.
inline uint32_t ZeroBytes(uint32_t x)
{
    return ~(((x & 0x7F7F7F7Fu) + 0x7F7F7F7Fu) | x | 0x7F7F7F7Fu);
}

// Past whole groups of four bytes that hold nothing the parser would change or end a text at: no
// byte below the space, no '<', no two spaces in a row (bPrevSpace: the byte before p is one).
// Most of a text, and all of a Chinese one, goes four bytes a step.
Ptr SkipPlainWords(Ptr p, Ptr stop, bool bPrevSpace)
{
    while (stop - p >= 4) {
        uint32_t word;
        memcpy(&word, p, 4);
        const uint32_t spaces = ZeroBytes(word ^ 0x20202020u);
        const uint32_t pairs = (spaces & (spaces >> 8)) | (bPrevSpace ? spaces & 0x80u : 0);
        if (ZeroBytes(word & 0xE0E0E0E0u) | ZeroBytes(word ^ 0x3C3C3C3Cu) | pairs)
            break;
        // Bytes go into the word lowest first: the last byte is the top one.
        bPrevSpace = (spaces >> 24) != 0;
        p += 4;
    }
    return p;
}

// The end of the text at p (the next '<' or the end of the body at stop), and in bChanged whether
// the parser would change one of its blanks: one at its start or end, a blank other than a space,
// or two in a row.
Ptr ScanText(Ptr p, Ptr stop, bool& bChanged)
{
    static const ByteKinds kByteKinds;
    const unsigned char* kind = kByteKinds.Kinds();
    const Ptr text = p;
    bChanged = kind[*p] == kSpace || kind[*p] == kOtherBlank;
    for (;;) {
        p = SkipPlainWords(p, stop, p > text && p[-1] == ' ');
        while (kind[*p] == kOther)
            ++p;
        switch (kind[*p]) {
        case kSpace:
            // The space before may be the last byte of a group gone past.
            if (kind[p[1]] != kOther || (p > text && p[-1] == ' '))
                bChanged = true;
            ++p;
            break;
        case kOtherBlank:
            bChanged = true;
            ++p;
            break;
        default:
            // The text ends here; a space the groups went past may be its last byte.
            if (p > text && p[-1] == ' ')
                bChanged = true;
            return p;
        }
    }
}

} // namespace

bool KtfTextBlanks::Keep(const char* pszUtf8, size_t nLength, std::string& out)
{
    const Ptr start = reinterpret_cast<Ptr>(pszUtf8);
    const Ptr stop = start + nLength;
    KeptBody kept(start, nLength);
    Ptr p = SkipBlanks(start);
    int depth = 0;
    while (p && *p) {
        if (*p != '<') {
            // A text: up to the next '<' (or the end). At the top level the parser stops at text.
            if (depth == 0)
                break;
            bool changed = false;
            const Ptr end = ScanText(p, stop, changed);
            if (changed)
                KeepText(p, end, kept);
            p = end;
            continue;
        }
        p = SkipMarkup(p, depth);
        // Between constructs at the top level, blanks are no text.
        if (p && depth == 0)
            p = SkipBlanks(p);
    }
    if (!kept.Changed())
        return false;
    kept.Finish(stop);
    out.swap(kept.Out());
    return true;
}
