#include "msgcenter/ktf/XmlEscape.h"
#include <string>

namespace {

// The characters the XML parser treats as white space (the C library's isspace in the C
// locale plus CR and LF).
bool IsParserBlank(wchar_t ch)
{
    return ch == L' ' || (ch >= L'\t' && ch <= L'\r');
}

// U+FEFF, U+FFFE and U+FFFF: skipped like white space at the start of an element's text.
bool IsMarkLike(wchar_t ch)
{
    return ch == 0xFEFF || ch == 0xFFFE || ch == 0xFFFF;
}

bool AppendMarkupEntity(std::wstring& out, wchar_t ch)
{
    switch (ch) {
    case L'&': out += L"&amp;"; return true;
    case L'<': out += L"&lt;"; return true;
    case L'>': out += L"&gt;"; return true;
    case L'\'': out += L"&apos;"; return true;
    case L'"': out += L"&quot;"; return true;
    default: return false;
    }
}

void AppendCharRef(std::wstring& out, wchar_t ch)
{
    out += L"&#";
    out += std::to_wstring(static_cast<unsigned>(ch));
    out += L';';
}

} // namespace

CString XmlEscape(const CString& strText)
{
    const std::wstring& in = strText.str();
    std::wstring out;
    out.reserve(in.size() + 16);
    for (wchar_t ch : in) {
        if (!AppendMarkupEntity(out, ch))
            out += ch;
    }
    return CString(out);
}

CString XmlEscapeAttribute(const CString& strValue)
{
    const std::wstring& in = strValue.str();
    std::wstring out;
    out.reserve(in.size() + 16);
    for (wchar_t ch : in) {
        if (AppendMarkupEntity(out, ch))
            continue;
        if (ch != L' ' && IsParserBlank(ch))
            AppendCharRef(out, ch);
        else
            out += ch;
    }
    return CString(out);
}

CString XmlEscapeText(const CString& strText)
{
    const std::wstring& in = strText.str();
    const size_t n = in.size();
    bool blankOnly = n > 0;
    for (wchar_t ch : in) {
        if (!IsParserBlank(ch)) {
            blankOnly = false;
            break;
        }
    }
    // White space only cannot hold "]]>", so the section needs no splitting.
    if (blankOnly)
        return L"<![CDATA[" + strText + L"]]>";

    std::wstring out;
    out.reserve(n + 16);
    for (size_t i = 0; i < n; ++i) {
        wchar_t ch = in[i];
        if (AppendMarkupEntity(out, ch))
            continue;
        if (ch == L' ') {
            // A raw blank survives only alone between two characters that are not raw blanks.
            bool keeps = i > 0 && i + 1 < n && in[i - 1] != L' ' && in[i + 1] != L' ';
            if (keeps)
                out += ch;
            else
                AppendCharRef(out, ch);
        } else if (IsParserBlank(ch) || IsMarkLike(ch)) {
            AppendCharRef(out, ch);
        } else {
            out += ch;
        }
    }
    return CString(out);
}
