#pragma once
// A position (x, y): a POINT with arithmetic. Usable wherever a POINT or LPPOINT is asked for.
#include "framework/CSize.h"

class CPoint : public tagPOINT {
public:
    CPoint() { x = 0; y = 0; }
    CPoint(int initX, int initY) { x = initX; y = initY; }
    CPoint(POINT initPt) { x = initPt.x; y = initPt.y; }
    explicit CPoint(SIZE initSize) { x = initSize.cx; y = initSize.cy; }
    // Low word is x, high word y, both signed: the lParam of mouse messages, GetMessagePos.
    explicit CPoint(DWORD dwPoint) { x = static_cast<short>(LOWORD(dwPoint)); y = static_cast<short>(HIWORD(dwPoint)); }
    explicit CPoint(LPARAM lParam) : CPoint(static_cast<DWORD>(lParam)) {}

    void Offset(int xOffset, int yOffset) { x += xOffset; y += yOffset; }
    void Offset(POINT pt) { Offset(pt.x, pt.y); }
    void Offset(SIZE size) { Offset(size.cx, size.cy); }
    void SetPoint(int X, int Y) { x = X; y = Y; }

    bool operator==(POINT pt) const { return x == pt.x && y == pt.y; }
    bool operator!=(POINT pt) const { return !(*this == pt); }
    CPoint& operator+=(SIZE s) { x += s.cx; y += s.cy; return *this; }
    CPoint& operator-=(SIZE s) { x -= s.cx; y -= s.cy; return *this; }
    CPoint& operator+=(POINT pt) { x += pt.x; y += pt.y; return *this; }
    CPoint& operator-=(POINT pt) { x -= pt.x; y -= pt.y; return *this; }
    CPoint operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
    CPoint operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
    CPoint operator+(POINT pt) const { return CPoint(x + pt.x, y + pt.y); }
    // The distance between two points is a size.
    CSize operator-(POINT pt) const { return CSize(x - pt.x, y - pt.y); }
    CPoint operator-() const { return CPoint(-x, -y); }
};
