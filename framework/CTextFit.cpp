#include "framework/CTextFit.h"
#include <algorithm>
#include <string>

namespace {

// The first stretch of text asked about: wider than any row a window of ours draws in most
// fonts, so an ordinary text is settled by one measurement of it.
const int kFirstWindow = 256;

class CDCMeasure : public CTextFit::IMeasure {
public:
    explicit CDCMeasure(HDC hDC) : m_hDC(hDC) {}
    int CountFitting(LPCWSTR psz, int nCount, int nMaxExtent) override
    {
        INT fit = 0;
        SIZE size = {};
        if (nCount <= 0 || nMaxExtent < 0 || !::GetTextExtentExPointW(m_hDC, psz, nCount, nMaxExtent, &fit, nullptr, &size))
            return 0;
        return std::max(0, std::min(static_cast<int>(fit), nCount));
    }
    int Width(LPCWSTR psz, int nCount) override
    {
        SIZE size = {};
        if (nCount <= 0 || !::GetTextExtentPoint32W(m_hDC, psz, nCount, &size))
            return 0;
        return size.cx;
    }

private:
    HDC m_hDC;
};

bool IsHighSurrogate(wchar_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; }

// A cut after nKeep characters, moved back so that it does not split a surrogate pair.
int WholeCharacters(LPCWSTR pszText, int nKeep)
{
    return nKeep > 0 && IsHighSurrogate(pszText[nKeep - 1]) ? nKeep - 1 : nKeep;
}

// 0 when the whole text fits; else the length of a window at its start that does not fit (the
// cut lies inside it). The window grows only while every character in it fits, so a long text
// is measured no further than a little past the width.
int OverflowWindow(CTextFit::IMeasure& measure, LPCWSTR pszText, int nLength, int nWidth)
{
    int window = std::min(nLength, kFirstWindow);
    for (;;) {
        if (measure.CountFitting(pszText, window, nWidth) < window)
            return window;
        if (window == nLength)
            return 0;
        window = window > nLength / 4 ? nLength : window * 4;
    }
}

bool FitsWithSuffix(CTextFit::IMeasure& measure, LPCWSTR pszText, int nKeep, LPCWSTR pszSuffix, int nWidth)
{
    std::wstring candidate(pszText, static_cast<size_t>(nKeep));
    candidate += pszSuffix;
    return measure.Width(candidate.c_str(), static_cast<int>(candidate.size())) <= nWidth;
}

} // namespace

int CTextFit::FitPrefix(IMeasure& measure, LPCWSTR pszText, int nLength, LPCWSTR pszSuffix, int nWidth)
{
    if (!pszText || nLength <= 0)
        return -1;
    if (!pszSuffix)
        pszSuffix = L"";
    const int window = OverflowWindow(measure, pszText, nLength, nWidth);
    if (window == 0)
        return -1;
    // The cut lies inside the window: what fits in the room the suffix leaves.
    const int suffixLength = static_cast<int>(wcslen(pszSuffix));
    const int room = nWidth - (suffixLength > 0 ? measure.Width(pszSuffix, suffixLength) : 0);
    int keep = room > 0 ? WholeCharacters(pszText, measure.CountFitting(pszText, window, room)) : 0;
    // Widths added one by one are not always the width of the joined text (kerning, an
    // overhang where the suffix joins): the cut is checked as it will be drawn and, should it
    // not fit, found again by halving.
    if (keep == 0 || FitsWithSuffix(measure, pszText, keep, pszSuffix, nWidth))
        return keep;
    int lo = 0, hi = keep - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (FitsWithSuffix(measure, pszText, mid, pszSuffix, nWidth))
            lo = mid;
        else
            hi = mid - 1;
    }
    return WholeCharacters(pszText, lo);
}

CString CTextFit::Truncate(HDC hDC, const CString& strText, int nWidth)
{
    if (!hDC || strText.IsEmpty())
        return strText;
    CDCMeasure measure(hDC);
    const int keep = FitPrefix(measure, strText.GetString(), strText.GetLength(), L"...", nWidth);
    if (keep < 0)
        return strText;
    return CString(strText.GetString(), keep) + L"...";
}

bool CTextFit::Fits(HDC hDC, const CString& strText, int nWidth)
{
    if (!hDC || strText.IsEmpty())
        return true;
    CDCMeasure measure(hDC);
    return OverflowWindow(measure, strText.GetString(), strText.GetLength(), nWidth) == 0;
}

void CTextFit::Wrap(HDC hDC, const CString& strText, int nWidth, int nMaxRows, CStringArray& rows)
{
    rows.RemoveAll();
    if (strText.IsEmpty())
        return;
    const int maxRows = std::max(1, nMaxRows);
    if (!hDC) {
        rows.Add(strText);
        return;
    }
    CDCMeasure measure(hDC);
    const LPCWSTR text = strText.GetString();
    const int length = strText.GetLength();
    int start = 0;
    while (start < length) {
        const int rest = length - start;
        const int keep = rows.GetSize() + 1 < maxRows ? FitPrefix(measure, text + start, rest, L"", nWidth) : -1;
        if (keep < 0) {
            rows.Add(CString(text + start, rest));
            break;
        }
        // The row ends after its last blank; a row with none (one long word) is cut where it is
        // full, and a row that holds nothing at all still takes one character, so every row
        // moves the text on.
        int end = start + keep;
        while (end > start && text[end] != L' ')
            --end;
        int next = end;
        if (end == start) {
            end = start + std::max(keep, IsHighSurrogate(text[start]) && rest > 1 ? 2 : 1);
            next = end;
        }
        CString row(text + start, end - start);
        row.TrimRight(L' ');
        rows.Add(row);
        while (next < length && text[next] == L' ')
            ++next;
        start = next;
    }
}
