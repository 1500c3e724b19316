#pragma once
// An off-screen DC over a rectangle of a target DC, for flicker-free painting: the paint
// handler draws into this object, and the image is copied onto the target (SRCCOPY) when the
// object ends. Drawing uses the target's logical coordinates. Over a printer DC it draws on the
// target's own handles directly and copies nothing.
//     CPaintDC dc(this);
//     CWqMemDC mem(&dc, nullptr);   // the paint DC's clip box, filled with its background colour
//     ... draw into mem ...
#include "framework/CDC.h"

class CWqMemDC : public CDC {
public:
    // A null rectangle covers the target's clip box. The covered area starts filled with the
    // target's background colour.
    CWqMemDC(CDC* pDC, const RECT* pRect = nullptr);
    ~CWqMemDC() override;
    CWqMemDC(const CWqMemDC&) = delete;
    CWqMemDC& operator=(const CWqMemDC&) = delete;

    // Copies the image to the target now (when bCopy and the DC is off-screen).
    void CopyToTarget(BOOL bCopy);
    // Ends the off-screen drawing without copying: the old bitmap goes back (or the shared
    // printer handles are forgotten), the target is forgotten and the bitmap deleted.
    void Release();

    const CRect& GetRect() const { return m_rect; }
    BOOL IsOffScreen() const { return m_bMemDC; }

protected:
    // For a derived class that sets itself up with Init.
    CWqMemDC() = default;
    // bConvert: the rectangle is in the target's logical units (its size is converted to device
    // pixels for the bitmap); otherwise its size is taken as pixels as it stands.
    void Init(CDC* pDC, const RECT* pRect, bool bConvert = true);

    CBitmap m_bitmap;               // the off-screen bitmap, owned
    HGDIOBJ m_hOldBitmap = nullptr; // selected into the new DC at first, put back at the end
    CDC* m_pDC = nullptr;            // the target, not owned
    CRect m_rect;                    // the covered area, in the target's logical coordinates
    BOOL m_bMemDC = FALSE;           // off-screen (the target is not a printer DC)
};
