#pragma once
// Creates a solid brush and selects it into a DC for the life of the object.
#include "framework/CBrush.h"

class CTkBrushDC {
public:
    CTkBrushDC(HDC hDC, COLORREF clr);
    virtual ~CTkBrushDC();
    CTkBrushDC(const CTkBrushDC&) = delete;
    CTkBrushDC& operator=(const CTkBrushDC&) = delete;

    // Puts the previous brush back, deletes ours and selects a new one of this colour.
    void SetColor(COLORREF clr);

    CBrush m_brush;
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOldBrush = nullptr;
};
