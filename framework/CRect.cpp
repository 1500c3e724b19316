#include "framework/CRect.h"

void CRect::InflateRect(LPCRECT lpRect)
{
    if (lpRect)
        InflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

void CRect::DeflateRect(LPCRECT lpRect)
{
    if (lpRect)
        DeflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

void CRect::NormalizeRect()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

// The operands are copied first: either may be this rectangle itself.
BOOL CRect::IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2)
{
    RECT a = lpRect1 ? *lpRect1 : RECT{}, b = lpRect2 ? *lpRect2 : RECT{};
    return ::IntersectRect(this, &a, &b);
}

BOOL CRect::UnionRect(LPCRECT lpRect1, LPCRECT lpRect2)
{
    RECT a = lpRect1 ? *lpRect1 : RECT{}, b = lpRect2 ? *lpRect2 : RECT{};
    return ::UnionRect(this, &a, &b);
}

BOOL CRect::SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2)
{
    RECT a = lpRectSrc1 ? *lpRectSrc1 : RECT{}, b = lpRectSrc2 ? *lpRectSrc2 : RECT{};
    return ::SubtractRect(this, &a, &b);
}

CRect CRect::MulDiv(int nMultiplier, int nDivisor) const
{
    return CRect(::MulDiv(left, nMultiplier, nDivisor), ::MulDiv(top, nMultiplier, nDivisor),
                 ::MulDiv(right, nMultiplier, nDivisor), ::MulDiv(bottom, nMultiplier, nDivisor));
}
