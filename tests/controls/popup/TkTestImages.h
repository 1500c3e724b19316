#pragma once
// Small icons and alpha bitmaps made on the fly for the image tests.
#include "framework/Platform.h"
#include "controls/popup/TkAlphaBitmap.h"
#include <vector>

namespace tkimages {

// A plain (masked) icon of one colour; the caller destroys it.
inline HICON MakeIcon(int w, int h, COLORREF clr)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP hColor = ::CreateCompatibleBitmap(screen, w, h);
    HDC mem = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(mem, hColor);
    HBRUSH brush = ::CreateSolidBrush(clr);
    RECT rc = {0, 0, w, h};
    ::FillRect(mem, &rc, brush);
    ::DeleteObject(brush);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    std::vector<BYTE> maskBits(((w + 15) / 16) * 2 * h, 0); // all opaque
    HBITMAP hMask = ::CreateBitmap(w, h, 1, 1, maskBits.data());
    ICONINFO ii = {TRUE, 0, 0, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    return hIcon;
}

// A 32-bit bitmap with per-pixel alpha, all pixels one colour and alpha; the caller deletes it.
inline HBITMAP MakeAlphaBitmap(int w, int h, COLORREF clr, BYTE alpha = 255)
{
    BYTE* bits = nullptr;
    HBITMAP hBitmap = TkCreateAlphaBitmap(w, h, reinterpret_cast<void**>(&bits));
    for (int i = 0; i < w * h; ++i) {
        bits[i * 4 + 0] = GetBValue(clr);
        bits[i * 4 + 1] = GetGValue(clr);
        bits[i * 4 + 2] = GetRValue(clr);
        bits[i * 4 + 3] = alpha;
    }
    ::GdiFlush();
    return hBitmap;
}

} // namespace tkimages
