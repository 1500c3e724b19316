#pragma once
// The view library's flat edit box; it keeps its border colour.
#include "framework/CEdit.h"

class CFlatEdit : public CEdit {
public:
    void SetBorderColor(COLORREF cr) { m_crBorder = cr; }
    COLORREF GetBorderColor() const { return m_crBorder; }

protected:
    COLORREF m_crBorder = RGB(255, 255, 255);
};
