#pragma once
// A small window that shows one bitmap of the resource module (the row icons of the
// sign-in panel), or nothing.
#include "framework/CWnd.h"

class CIconWnd : public CWnd {
public:
    ~CIconWnd() override;
    // Creates the window as a child; nBitmapID 0 = no picture.
    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID, UINT nBitmapID = 0);
    HBITMAP GetBitmap() const { return m_hBitmap; }

private:
    HBITMAP m_hBitmap = nullptr;
};
