#pragma once
// Paints a child window's background the way its parent shows behind it, so that
// skinned children look transparent. A mixin: the window class derives from it beside its
// window base and calls _Init with itself.
#include "framework/Platform.h"

class CWnd;
class CDC;

class CTransparentBkHelper {
public:
    virtual ~CTransparentBkHelper() = default;

    void _Init(CWnd* pWnd);
    void _Init(HWND hWnd) { m_hHelperWnd = hWnd; }
    HWND GetHelperWnd() const { return m_hHelperWnd; }
    // Fills the child's rectangle of pDC with what its parent shows there (the parent's
    // background colour; our library draws no skin images).
    void DrawParentBackground(CWnd* pChild, CDC* pDC);
    void DrawParentBackground(HWND hChild, HDC hDC);
    void SetBkColor(COLORREF cr) { m_crBk = cr; }
    COLORREF GetBkColor() const { return m_crBk; }

protected:
    HWND m_hHelperWnd = nullptr; // the window being helped; not owned
    COLORREF m_crBk = RGB(255, 255, 255);
};
