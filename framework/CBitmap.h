#pragma once
// A GDI bitmap. Bitmap resources are loaded from the current resource module
// (AfxGetResourceHandle), the same module that dialogs, menus and strings come from.
#include "framework/CGdiObject.h"
#include "framework/CSize.h"

class CDC;

class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    static CBitmap* FromHandle(HBITMAP hBitmap);
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }

    // FALSE when the resource is missing or this wrapper already holds a bitmap.
    BOOL LoadBitmap(UINT nIDResource);
    BOOL LoadBitmap(LPCWSTR lpszResourceName);
    BOOL LoadOEMBitmap(UINT nIDBitmap);
    // A bitmap in the format of pDC's device (colour, not the 1x1 monochrome of a fresh memory DC
    // when pDC is a window or screen DC).
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    BOOL CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight) { return CreateCompatibleBitmap(pDC, nWidth, nHeight); }
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
    BOOL CreateBitmapIndirect(LPBITMAP lpBitmap);

    // The BITMAP description; 0 on failure.
    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
    // Width and height in pixels, (0, 0) when there is no bitmap.
    CSize GetBitmapSize() const;
    DWORD SetBitmapBits(DWORD dwCount, const void* lpBits);
    DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const;
    CSize SetBitmapDimension(int nWidth, int nHeight);
    CSize GetBitmapDimension() const;
};
