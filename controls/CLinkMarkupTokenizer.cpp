#include "controls/CLinkMarkupTokenizer.h"
#include <cwchar>

CLinkToken CLinkMarkupTokenizer::Next()
{
    CLinkToken token;
    if (m_bEnded || AtEnd())
        return token;

    token.strText = ReadRun();
    if (!token.strText.IsEmpty()) {
        token.kind = CLinkToken::Text;
        return token;
    }
    if (AtEnd())
        return token;

    // A tag, a raw tab or a raw line feed starts here.
    const bool bTag = At(m_pos) == L'<';
    if (bTag)
        ++m_pos;
    const CString name = ReadTagName(true);
    if (name == L"\t" || name == L"\n") {
        token.kind = name == L"\t" ? CLinkToken::Tabs : CLinkToken::Breaks;
        token.nCount = 1;
        return token;
    }

    CString lower = name;
    lower.MakeLower();
    if (lower == L"b") {
        token.kind = CLinkToken::BoldOn;
    } else if (lower == L"/b") {
        token.kind = CLinkToken::BoldOff;
    } else if (lower == L"a") {
        token.kind = CLinkToken::LinkOpen;
        CString attribute = ReadTagName(false);
        if (attribute.CompareNoCase(L"href") == 0) {
            CString value = ReadAttributeValue();
            if (value.GetLength() > 0 && value[0] == L'"')
                value.Delete(0);
            if (value.GetLength() > 0 && value[value.GetLength() - 1] == L'"')
                value.Truncate(value.GetLength() - 1);
            token.strText = value;
        }
    } else if (lower == L"/a") {
        token.kind = CLinkToken::LinkClose;
    } else if (lower == L"br" || lower == L"t") {
        token.kind = lower == L"br" ? CLinkToken::Breaks : CLinkToken::Tabs;
        token.nCount = ReadCount(ReadAttributeValue());
    } else {
        token.kind = CLinkToken::Skipped;
    }

    if (!SkipTagEnd()) {
        // The tag never closes: the rest of the text is not shown.
        m_bEnded = true;
        return CLinkToken();
    }
    return token;
}

CString CLinkMarkupTokenizer::ReadRun()
{
    CString run;
    while (!AtEnd()) {
        const wchar_t c = At(m_pos);
        if (c == L'\t' || c == L'\n')
            break;
        if (c == L'\r') {
            ++m_pos;
            continue;
        }
        if (c == L'<') {
            if (At(m_pos + 1) == L'<') {
                run += L'<';
                m_pos += 2;
                continue;
            }
            if (m_pos + 1 < m_text.GetLength())
                break;
            // A "<" that ends the text starts no tag.
        }
        run += c;
        ++m_pos;
    }
    return run;
}

// Tag and attribute names. A tab or line feed met before any character is the name itself
// when bKeepTabAndBreak (that is how raw tabs and line feeds become tokens); later ones, and
// every one for attribute names, are dropped.
CString CLinkMarkupTokenizer::ReadTagName(bool bKeepTabAndBreak)
{
    while (!AtEnd() && At(m_pos) == L' ')
        ++m_pos;
    CString name;
    while (!AtEnd()) {
        const wchar_t c = At(m_pos);
        if (c == L' ') {
            ++m_pos;
            break;
        }
        if (c == L'=' || c == L'>')
            break;
        ++m_pos;
        if (c == L'\r')
            continue;
        if (c == L'\t' || c == L'\n') {
            if (bKeepTabAndBreak && name.IsEmpty())
                return CString(c);
            continue;
        }
        name += c;
    }
    return name;
}

CString CLinkMarkupTokenizer::ReadAttributeValue()
{
    while (!AtEnd() && (At(m_pos) == L'\t' || At(m_pos) == L'\n' || At(m_pos) == L'\r'))
        ++m_pos;
    CString value;
    if (AtEnd() || At(m_pos) != L'=')
        return value;
    ++m_pos;
    while (!AtEnd()) {
        const wchar_t c = At(m_pos);
        if (c == L' ') {
            ++m_pos;
            break;
        }
        if (c == L'>')
            break;
        value += c;
        ++m_pos;
    }
    return value;
}

// Skips to the tag's ">" (consumed) or to a tab or line feed (left for the next token).
// False when the text ends first.
bool CLinkMarkupTokenizer::SkipTagEnd()
{
    while (!AtEnd()) {
        const wchar_t c = At(m_pos);
        if (c == L'>') {
            ++m_pos;
            return true;
        }
        if (c == L'\t' || c == L'\n')
            return true;
        ++m_pos;
    }
    return false;
}

// A break or tab count: default 1; 0 and negative counts also mean 1.
int CLinkMarkupTokenizer::ReadCount(const CString& value)
{
    if (value.IsEmpty())
        return 1;
    wchar_t* stop = nullptr;
    const long n = std::wcstol(value.GetString(), &stop, 0);
    if (n <= 0)
        return 1;
    return n > kMaxCount ? static_cast<int>(kMaxCount) : static_cast<int>(n);
}
