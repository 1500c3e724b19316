#pragma once
// CWqListHeaderCtrl: the header of CWqListCtrl, painted flat in a chosen background colour,
// with each column title (or a bitmap in its place) and a sort arrow on the sorted column.
// https://learn.microsoft.com/windows/win32/controls/header-controls
#include "framework/CFont.h"
#include "framework/CHeaderCtrl.h"

class CWqListHeaderCtrl : public CHeaderCtrl {
    DECLARE_DYNAMIC(CWqListHeaderCtrl)
public:
    CWqListHeaderCtrl();
    ~CWqListHeaderCtrl() override;

    // Background colour; the header then paints itself entirely, flat. TRUE.
    BOOL SetBkColor(COLORREF color);
    // A copy of the system's message font, bold or normal weight, becomes the header's font.
    void SetHeaderFont(BOOL bBold);
    // Shows the arrow on nColumn; answers the column that showed it before (-1 for none).
    int SetSortArrow(int nColumn, BOOL bAscending);
    int GetSortColumn() const { return m_nSortColumn; }
    BOOL IsSortAscending() const { return m_bSortAscending; }
    COLORREF GetBkColor() const { return m_crBackground; }

    // Draws an item's image from the header's image list centred vertically, or an empty
    // 13 x 13 box when there is none.
    void DrawHeaderImage(CDC* pDC, int nItem, const CRect& rcItem);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    static const int kDefaultArrowSize = 6;

protected:
    void PaintItems(CDC* pDC);
    void DrawItemContent(CDC* pDC, int nItem, BOOL bPressed);
    void DrawFlatBorder(CDC* pDC);
    // The owning list's offset of header bitmaps (0 when the parent is not a CWqListCtrl).
    int GetBitmapOffset() const;

    afx_msg void OnPaint();
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()

    COLORREF m_crHighlight;
    COLORREF m_crShadow;
    COLORREF m_crTextBackground;
    COLORREF m_crText;
    BOOL m_bFlat = FALSE;
    BOOL m_bOwnFont = FALSE;
    CFont m_font;
    int m_nArrowSize = kDefaultArrowSize;
    COLORREF m_crBackground;
    BOOL m_bCustomBackground = FALSE;
    int m_nSortColumn = -1;
    BOOL m_bSortAscending = TRUE;
};
