#pragma once
// The toolkit's drawing layer: two-colour gradient fills (through msimg32's GradientFill when
// the system has it, line by line otherwise), work-area queries for placing and dragging the
// popup, and small pixel and font utilities. One instance lives for the whole process.
#include "framework/CDC.h"
#include "framework/CString.h"
#include "controls/popup/CTkColorGradient.h"
#include <commctrl.h>

class CTkDrawHelpers {
public:
    typedef BOOL(WINAPI* PFNGRADIENTFILL)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

    // Loads the gradient library ("msimg32.dll"; another name lets a caller try the fallback)
    // and looks up its "GradientFill"; both stay null when missing.
    explicit CTkDrawHelpers(LPCWSTR lpszGradientLibrary = L"msimg32.dll");
    // Frees the library when it was loaded.
    virtual ~CTkDrawHelpers();
    CTkDrawHelpers(const CTkDrawHelpers&) = delete;
    CTkDrawHelpers& operator=(const CTkDrawHelpers&) = delete;

    // The process-wide instance built by the static initialisation.
    static CTkDrawHelpers* Instance();

    BOOL HasGradientFunction() const { return m_pfnGradientFill != nullptr; }

    // Fills lpRect from the light colour to the dark one: left to right when bHorz, else top to
    // bottom. The pair form takes each colour's custom value when set. A null or empty rectangle
    // draws nothing; equal colours or a display of 8 bits or less give one solid fill.
    void GradientFill(CDC* pDC, LPCRECT lpRect, const CTkColorGradient& grc, BOOL bHorz);
    void GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF clrLight, COLORREF clrDark, BOOL bHorz);

    // TRUE when the DC (the desktop window's when null) has 1 to 8 bits per pixel; FALSE when no
    // desktop DC can be had.
    static BOOL IsLowColor(HDC hdc);
    // Per channel trunc(a·t + b·(1 − t)), at most 255.
    static COLORREF MixByFactor(COLORREF clrA, COLORREF clrB, double t);

    // The work area of the monitor under the mouse cursor (the primary one as a fallback).
    static CRect GetWorkAreaAtCursor();
    // The work area of a window's, a rectangle's or a point's monitor, or of a monitor.
    static CRect GetWorkArea(HWND hWnd);
    static CRect GetWorkArea(const RECT& rect);
    static CRect GetWorkArea(POINT point);
    static CRect GetWorkArea(HMONITOR hMonitor);

    // Takes the four corner pixels of the rectangle out of the DC's clip region.
    static void ExcludeCorners(CDC* pDC, const CRect& rc);
    // For each of the ((nCount − 1) / 2) + 1 pairs (px, py) in pPoints, the pixel at
    // (x + px, y + py) becomes the per-channel average of itself and the pixel (dx, dy) away.
    static void AveragePixels(CDC* pDC, const int* pPoints, int nCount, int x, int y, int dx, int dy);
    // TRUE when an installed font family has this face name (case ignored).
    static BOOL FontExists(LPCWSTR lpszFaceName);
    // Face name of the default GUI font.
    static CString GetDefaultFontFace();
    // The default GUI face for far-eastern character sets or when Arial is missing; else Tahoma
    // when preferred and installed; else Arial.
    static CString ChooseFontFace(BOOL bPreferTahoma);
    // TRUE when comctl32 is version 6 or later.
    static BOOL IsComctl6();
    // TRUE when a bitmap file or a bitmap resource has 32 bits per pixel.
    static BOOL IsAlphaBitmapFile(LPCWSTR lpszPath);
    static BOOL IsAlphaBitmapResource(HINSTANCE hInst, LPCWSTR lpszResource);
    // Colour of a pixel of a bitmap; −1 when there is no bitmap.
    static COLORREF GetTopLeftPixel(HBITMAP hBitmap);
    static COLORREF GetBitmapPixel(HBITMAP hBitmap, POINT pt);
    static COLORREF GetResourceBitmapPixel(HINSTANCE hInst, LPCWSTR lpszResource, POINT pt);
    // An image list of the bitmap's size holding it masked by its top-left colour; the caller
    // destroys it. Null on failure.
    static HIMAGELIST CreateMaskedImageList(HBITMAP hBitmap);
    // Each channel trunc(c·(1 − f) + 255·f).
    static COLORREF LightenColor(COLORREF clr, double dFactor);

private:
    void FillLineByLine(CDC* pDC, const CRect& rc, COLORREF clrLight, COLORREF clrDark, BOOL bHorz);

    HMODULE m_hGradientLibrary = nullptr;
    PFNGRADIENTFILL m_pfnGradientFill = nullptr;
};

// The current Windows colour scheme as the colour manager sees it (0 none, 1 blue, 2 olive, 3 silver).
int TkGetCurrentColorScheme();
// The resolved colour of one index of the colour manager.
COLORREF TkGetColor(UINT nIndex);
