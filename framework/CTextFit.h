#pragma once
// Fitting a text to a width in pixels: cutting it with "..." and breaking it into rows.
//
// Measuring a text costs time in proportion to its length, so a cut that drops one character at
// a time and measures the rest again costs the square of the length: a 200 KB message body held
// a tip's paint for minutes. Here the device is asked how many characters fit
// (GetTextExtentExPointW), over a window at the start of the text that grows only while all of
// it fits; a cut then costs a handful of measurements of at most that window, however long the
// text is, and nothing is measured past the first character that no longer fits.
#include "framework/CString.h"
#include "framework/CStringArray.h"

class CTextFit {
public:
    // What a cut asks of the drawing device: the device context's font for the program, a
    // table of widths in the tests (which also count the asking).
    class IMeasure {
    public:
        virtual ~IMeasure() = default;
        // How many of the first nCount characters fit within nMaxExtent pixels.
        virtual int CountFitting(LPCWSTR psz, int nCount, int nMaxExtent) = 0;
        // The width of the first nCount characters, drawn together.
        virtual int Width(LPCWSTR psz, int nCount) = 0;
    };

    // The number of leading characters of the text that fit within nWidth with pszSuffix drawn
    // after them (0 when none do); -1 when the whole text fits and needs no cut. A surrogate
    // pair is never cut apart.
    static int FitPrefix(IMeasure& measure, LPCWSTR pszText, int nLength, LPCWSTR pszSuffix, int nWidth);

    // With the font selected into hDC: the text whole when it fits nWidth, else its longest
    // prefix that fits followed by "...", or "..." alone when nothing else fits. Without a DC
    // the text is given back whole.
    static CString Truncate(HDC hDC, const CString& strText, int nWidth);
    // True when the whole text fits nWidth.
    static bool Fits(HDC hDC, const CString& strText, int nWidth);
    // Breaks the text into rows that fit nWidth, each after its last blank where one falls
    // within the row (blanks at a break are dropped), else where the row is full; at most
    // nMaxRows rows (at least one), the last holding whatever is left.
    static void Wrap(HDC hDC, const CString& strText, int nWidth, int nMaxRows, CStringArray& rows);

private:
    CTextFit() = delete;
};
