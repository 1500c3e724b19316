#pragma once
// The off-screen DC of the link text and the hover button: CWqMemDC with the initial fill
// optional. The two-argument form keeps the rectangle as given (no conversion of its size to
// device units) and always starts white.
#include "controls/CWqMemDC.h"

class CMemDC : public CWqMemDC {
public:
    // bFill: start with the covered area filled with the target's background colour.
    CMemDC(CDC* pDC, const RECT* pRect, BOOL bFill);
    // Rectangle taken as device-sized; the covered area starts white (0xFFFFFF).
    CMemDC(CDC* pDC, const RECT* pRect);
};
