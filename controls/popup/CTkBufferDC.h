#pragma once
// A flicker-free buffer for one paint routine: the caller draws into this memory DC with the
// target's coordinates, and the destructor copies the rectangle to the target in one BitBlt.
// Must end before the target DC does.
#include "framework/CDC.h"

class CTkBufferDC : public CDC {
public:
    // The bitmap covers (0, 0) to the rectangle's right and bottom edges, so that the target's
    // coordinates can be used unchanged.
    CTkBufferDC(HDC hDestDC, const CRect& rcPaint);
    ~CTkBufferDC() override;

    HDC m_hDestDC = nullptr;
    CBitmap m_bitmap;
    CRect m_rect;
    HGDIOBJ m_hOldBitmap = nullptr;
};
