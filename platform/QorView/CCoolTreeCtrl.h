#pragma once
// The view library's skinned tree control; our library keeps the framework tree's
// behaviour and remembers the look it was given.
#include "framework/CTreeCtrl.h"

class CCoolTreeCtrl : public CTreeCtrl {
public:
    void SetItemHeightEx(int nHeight) { m_nItemHeight = nHeight; }
    int GetItemHeightEx() const { return m_nItemHeight; }

protected:
    int m_nItemHeight = 0;

public:
    // The look its owner sets before the window exists.
    int m_nMinRowWidth = 0;                              // rows are filled at least this wide
    COLORREF m_crSelectedBk = RGB(0xBF, 0xCA, 0xE0);     // background of the selected row
    COLORREF m_crHotBk = RGB(0xF3, 0xE2, 0xA6);          // background of the row under the mouse
    BOOL m_bFullRowFill = FALSE;                         // fill those rows across the whole width
    int m_nExtraIndent = 0;                              // added to the tree's indent
};
