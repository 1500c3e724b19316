#pragma once
// An extent (cx, cy): a SIZE with arithmetic. Usable wherever a SIZE or LPSIZE is asked for.
#include "framework/Platform.h"

class CSize : public tagSIZE {
public:
    CSize() { cx = 0; cy = 0; }
    CSize(int initCX, int initCY) { cx = initCX; cy = initCY; }
    CSize(SIZE initSize) { cx = initSize.cx; cy = initSize.cy; }
    explicit CSize(POINT initPt) { cx = initPt.x; cy = initPt.y; }
    // Low word is cx, high word cy, both signed (as in the lParam of size messages).
    explicit CSize(DWORD dwSize) { cx = static_cast<short>(LOWORD(dwSize)); cy = static_cast<short>(HIWORD(dwSize)); }

    void SetSize(int CX, int CY) { cx = CX; cy = CY; }

    bool operator==(SIZE s) const { return cx == s.cx && cy == s.cy; }
    bool operator!=(SIZE s) const { return !(*this == s); }
    CSize& operator+=(SIZE s) { cx += s.cx; cy += s.cy; return *this; }
    CSize& operator-=(SIZE s) { cx -= s.cx; cy -= s.cy; return *this; }
    CSize operator+(SIZE s) const { return CSize(cx + s.cx, cy + s.cy); }
    CSize operator-(SIZE s) const { return CSize(cx - s.cx, cy - s.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
};
