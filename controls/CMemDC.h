#pragma once
// The off-screen DC of the link text and the hover button: the same as CWqMemDC, with the
// initial fill optional. The two-argument form keeps the rectangle as given (no conversion
// of its size to device units) and always starts white.
#include "framework/CDC.h"

class CMemDC : public CDC {
public:
    // bFill: start with the covered area filled with the target's background colour.
    CMemDC(CDC* pDC, const RECT* pRect, BOOL bFill);
    // Rectangle taken as device-sized; the covered area starts white (0xFFFFFF).
    CMemDC(CDC* pDC, const RECT* pRect);
    ~CMemDC() override;
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    const CRect& GetRect() const { return m_rect; }
    BOOL IsOffScreen() const { return m_bMemDC; }

private:
    void Init(CDC* pDC, const RECT* pRect, bool bConvert);

    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
    CDC* m_pDC = nullptr; // not owned
    CRect m_rect;
    BOOL m_bMemDC = FALSE;
};
