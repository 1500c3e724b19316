#pragma once
// Selects a font into a DC for the life of the object and puts the previous one back.
#include "framework/CDC.h"

class CTkFontDC {
public:
    // A null font selects nothing, and then nothing is restored.
    CTkFontDC(CDC* pDC, CFont* pFont);
    CTkFontDC(HDC hDC, HFONT hFont);
    virtual ~CTkFontDC();
    CTkFontDC(const CTkFontDC&) = delete;
    CTkFontDC& operator=(const CTkFontDC&) = delete;

    // Puts the previous font back, then selects this one, keeping what it replaced.
    void SetFont(CFont* pFont);
    void SetFont(HFONT hFont);

    HDC m_hDC = nullptr;
    HGDIOBJ m_hOldFont = nullptr;
};
