#pragma once
// How TinyXML (with UTF-8 as the encoding) tokenises a text, for the walks over KTF bytes that must
// see them as the parser will: where white space, a name, an attribute or a declaration ends, and
// where a construct closed by a given text ends. Every function takes a zero-terminated text.
namespace KtfXmlScan {

typedef const unsigned char* Ptr;

// The parser's white space: isspace in the C locale, plus CR and LF. (Inline: the walks ask it of
// every byte of a text.)
inline bool IsBlank(unsigned char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}
// Letters as the parser sees them: ASCII letters and every byte from 127 up.
inline bool IsNameStart(unsigned char c)
{
    return c >= 127 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
inline bool IsNameChar(unsigned char c)
{
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == ':';
}
// Past white space and the three byte-order-mark-like sequences the parser skips with it.
Ptr SkipBlanks(Ptr p);
bool StartsWith(Ptr p, const char* pszTag);
bool StartsWithNoCase(Ptr p, const char* pszTag);
// Past the next occurrence of pszEnd, or null when the text ends first.
Ptr SkipPast(Ptr p, const char* pszEnd);
Ptr SkipName(Ptr p);
// name = value, quoted or not; null where the parser gives up.
Ptr SkipAttribute(Ptr p);
// After "<?xml": past the declaration's '>', or null.
Ptr SkipDeclaration(Ptr p);
// Whether the '<' at p opens an element (a start tag), as the parser decides.
bool IsStartTag(Ptr p);
// Past the construct that begins with the '<' at p (an end tag, the declaration, a comment, a
// CDATA section, a start tag or anything else up to its '>'), or null where the parser gives up.
// nDepth follows the elements open: one more after a start tag that is not empty ("/>"), one
// less after an end tag.
Ptr SkipMarkup(Ptr p, int& nDepth);

} // namespace KtfXmlScan
