#pragma once
// The view library's flat list view (a list control with its look); our library keeps the
// framework list control's behaviour.
#include "framework/CListCtrl.h"

class CFlatListCtrl : public CListCtrl {
public:
    void SetHeaderColor(COLORREF cr) { m_crHeader = cr; }
    COLORREF GetHeaderColor() const { return m_crHeader; }

protected:
    COLORREF m_crHeader = RGB(0xF7, 0xF7, 0xF4);
};
