// Fitting a text to a width: the cut is the longest prefix that fits with "...", found in a few
// measurements whatever the length of the text; rows break at blanks. A table of widths stands
// in for the font where the measurements are counted, a real DC where the text is drawn.
#include "framework/CTextFit.h"
#include <gtest/gtest.h>
#include <string>

namespace {

// Widths from a table ('i' 2 pixels, a zero-width space 0, '.' 3, anything else 7), each
// measurement counted with the characters it covered. Text is measured as the sum of its
// characters, as a font without kerning does.
class TableMeasure : public CTextFit::IMeasure {
public:
    static int CharWidth(wchar_t ch)
    {
        switch (ch) {
        case L'i': return 2;
        case 0x200B: return 0;
        case L'.': return 3;
        default: return 7;
        }
    }
    int CountFitting(LPCWSTR psz, int nCount, int nMaxExtent) override
    {
        ++calls;
        covered += nCount;
        int width = 0;
        for (int i = 0; i < nCount; ++i) {
            width += CharWidth(psz[i]);
            if (width > nMaxExtent)
                return i;
        }
        return nCount;
    }
    int Width(LPCWSTR psz, int nCount) override
    {
        ++calls;
        covered += nCount;
        int width = 0;
        for (int i = 0; i < nCount; ++i)
            width += CharWidth(psz[i]);
        return width;
    }
    int calls = 0;
    long long covered = 0;
};

int SumWidth(const std::wstring& s)
{
    int w = 0;
    for (wchar_t c : s)
        w += TableMeasure::CharWidth(c);
    return w;
}

// The cut the old way: drop one character at a time until prefix + "..." fits.
int PlainCut(const std::wstring& text, int width)
{
    if (SumWidth(text) <= width)
        return -1;
    for (int keep = static_cast<int>(text.size()) - 1; keep > 0; --keep)
        if (SumWidth(text.substr(0, keep) + L"...") <= width)
            return keep;
    return 0;
}

} // namespace

TEST(TextFit, CutIsTheLongestPrefixThatFitsWithTheEllipsis)
{
    struct Case {
        const wchar_t* text;
        int width;
    } cases[] = {
        {L"", 50},                  // nothing to cut
        {L"short", 35},             // fits exactly
        {L"shorter", 35},           // one pixel past: cut
        {L"iiiiiiiiiiiiiiiiiiii", 30}, // narrow letters
        {L"abcdefghij", 8},         // room for the dots only
        {L"abcdefghij", 2},         // not even for them
        {L"a b c d e f g h i j k l m n o p", 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text " << std::string(c.text, c.text + wcslen(c.text)) << " width " << c.width);
        TableMeasure m;
        const std::wstring text = c.text;
        const int n = static_cast<int>(text.size());
        const int expected = n == 0 ? -1 : PlainCut(text, c.width);
        EXPECT_EQ(expected, CTextFit::FitPrefix(m, text.c_str(), n, L"...", c.width));
    }
}

TEST(TextFit, AMegabyteTakesAFewMeasurementsOfLittleMoreThanTheWidth)
{
    std::wstring body(1 << 20, L'w');
    TableMeasure m;
    const int keep = CTextFit::FitPrefix(m, body.c_str(), static_cast<int>(body.size()), L"...", 150);
    EXPECT_EQ((150 - 9) / 7, keep);
    EXPECT_LE(m.calls, 6);
    EXPECT_LE(m.covered, 1000) << "nothing is measured past the first character that no longer fits";

    // A text that begins with a megabyte of zero-width characters is measured in growing
    // windows: still a handful of measurements, together a few times the text, never its square.
    std::wstring hidden(1 << 20, wchar_t(0x200B));
    hidden += L"visible words that are wider than the row";
    TableMeasure z;
    const int cut = CTextFit::FitPrefix(z, hidden.c_str(), static_cast<int>(hidden.size()), L"...", 60);
    EXPECT_LE(SumWidth(hidden.substr(0, cut) + L"..."), 60);
    EXPECT_GT(SumWidth(hidden.substr(0, cut + 1) + L"..."), 60);
    EXPECT_LE(z.calls, 20);
    EXPECT_LE(z.covered, 6LL * static_cast<long long>(hidden.size()));
}

TEST(TextFit, ASurrogatePairIsNeverCutApart)
{
    // "ab" and then emoji, each a pair of two code units measured 7 + 7.
    std::wstring text = L"ab";
    for (int i = 0; i < 10; ++i)
        text += L"\xD83D\xDE00";
    for (int width = 9; width < 120; ++width) {
        TableMeasure m;
        const int keep = CTextFit::FitPrefix(m, text.c_str(), static_cast<int>(text.size()), L"...", width);
        ASSERT_GE(keep, 0);
        EXPECT_TRUE(keep < 2 || (keep % 2) == 0) << "width " << width << " keeps " << keep;
    }
}

// On a real DC with the GUI font: the cut of a megabyte is a prefix with "..." that fits, and one
// character more would not.
TEST(TextFit, TruncateOnAScreenDcFitsAndIsAPrefix)
{
    HDC dc = ::GetDC(nullptr);
    ASSERT_NE(nullptr, dc);
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    CString body(L'x', 1 << 20);
    body.SetAt(0, L'H');
    const CString cut = CTextFit::Truncate(dc, body, 150);
    ASSERT_GT(cut.GetLength(), 3);
    EXPECT_EQ(L"...", std::wstring(cut.Right(3).GetString()));
    const CString kept = cut.Left(cut.GetLength() - 3);
    EXPECT_EQ(body.Left(kept.GetLength()), kept);
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, cut, cut.GetLength(), &size);
    EXPECT_LE(size.cx, 150);
    const CString longer = body.Left(kept.GetLength() + 1) + L"...";
    ::GetTextExtentPoint32W(dc, longer, longer.GetLength(), &size);
    EXPECT_GT(size.cx, 150);
    EXPECT_EQ(CString(L"fits"), CTextFit::Truncate(dc, L"fits", 150));
    EXPECT_TRUE(CTextFit::Fits(dc, L"fits", 150));
    EXPECT_FALSE(CTextFit::Fits(dc, body, 150));
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
}

TEST(TextFit, WrapBreaksAtBlanksAndTheLastRowKeepsTheRest)
{
    HDC dc = ::GetDC(nullptr);
    ASSERT_NE(nullptr, dc);
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE word = {};
    ::GetTextExtentPoint32W(dc, L"connection", 10, &word);
    const int width = word.cx + 4;

    CStringArray rows;
    CTextFit::Wrap(dc, L"Your connection to the server has ended.", width, 10, rows);
    ASSERT_GE(rows.GetSize(), 2);
    CString joined;
    for (INT_PTR i = 0; i < rows.GetSize(); ++i) {
        EXPECT_TRUE(CTextFit::Fits(dc, rows[i], width)) << CStringA(rows[i]).GetString();
        EXPECT_NE(L' ', rows[i].GetAt(0));
        joined += (i ? L" " : L"") + rows[i];
    }
    EXPECT_EQ(CString(L"Your connection to the server has ended."), joined) << "every word, in order, once";

    // A word longer than the row is cut where the row is full; at most the rows asked for.
    CTextFit::Wrap(dc, CString(L'm', 500) + L" tail", width, 3, rows);
    ASSERT_EQ(3, rows.GetSize());
    EXPECT_TRUE(CTextFit::Fits(dc, rows[0], width));
    EXPECT_EQ(CString(L" tail"), rows[2].Right(5)) << "the last row keeps what is left";

    CTextFit::Wrap(dc, L"fits", width, 3, rows);
    ASSERT_EQ(1, rows.GetSize());
    EXPECT_EQ(CString(L"fits"), rows[0]);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
}
