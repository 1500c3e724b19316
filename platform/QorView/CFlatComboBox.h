#pragma once
// The view library's flat combo box; it keeps its three border colours (normal, hot, focus).
#include "framework/CComboBox.h"

class CFlatComboBox : public CComboBox {
public:
    void SetBorderColor(COLORREF crNormal, COLORREF crHot, COLORREF crFocus);
    COLORREF GetBorderColor(int nWhich) const; // 0 normal, 1 hot, 2 focus

private:
    COLORREF m_cr[3] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
};
