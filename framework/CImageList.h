#pragma once
// An image list (comctl32): same-sized images, optionally masked, drawn by index. The list is
// destroyed with its wrapper unless it was detached first; temporary wrappers from FromHandle
// never destroy theirs. Bitmap resources come from the current resource module.
// https://learn.microsoft.com/windows/win32/controls/image-lists
#include "framework/CObject.h"
#include "framework/CPoint.h"
#include "framework/CSize.h"
#include "framework/Platform.h"
#include <commctrl.h>

class CBitmap;
class CDC;

class CImageList : public CObject {
    DECLARE_DYNAMIC(CImageList)
public:
    CImageList() = default;
    ~CImageList() override;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // Attributes
    HIMAGELIST m_hImageList = nullptr;
    // Safe to call through a null pointer (answers null).
    HIMAGELIST GetSafeHandle() const;
    operator HIMAGELIST() const { return m_hImageList; }
    static CImageList* FromHandle(HIMAGELIST hImageList);

    int GetImageCount() const;
    BOOL SetImageCount(UINT uNewCount);
    COLORREF SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const;
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;
    // The size of one image, (0, 0) without a list.
    CSize GetIconSize() const;

    // Creation. Each answers FALSE when this wrapper already holds a list or creation fails.
    // nFlags: ILC_COLOR* | ILC_MASK; nGrow: images added at once when the list fills up.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // From a bitmap strip in the resource module, cut into images cx wide; crMask is the
    // transparent colour (CLR_NONE: no mask).
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(LPCWSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);
    // An independent copy of another list.
    BOOL Create(CImageList* pImageList);
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    // Operations. Add answers the index of the first new image, -1 on failure.
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    // Every pixel of crMask colour becomes transparent.
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon);
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    // Answers the index replaced, -1 on failure.
    int Replace(int nImage, HICON hIcon);
    // nImage -1 removes every image.
    BOOL Remove(int nImage);
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    BOOL DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle);
    BOOL DrawIndirect(IMAGELISTDRAWPARAMS* pimldp);
    // A new icon of the image; the caller destroys it (DestroyIcon). Null on failure.
    HICON ExtractIcon(int nImage);
    BOOL SetOverlayImage(int nImage, int nOverlay);
};
