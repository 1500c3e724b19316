#pragma once
// A memory DC compatible with a DC (the screen when null) with a bitmap selected into it for the
// life of the object; the previous bitmap is put back and the DC deleted at the end.
#include "framework/CDC.h"

class CTkCompatibleDC : public CDC {
public:
    CTkCompatibleDC(CDC* pDC, HBITMAP hBitmap);
    ~CTkCompatibleDC() override;

    HGDIOBJ m_hOldBitmap = nullptr;
};
