#include "framework/CImageList.h"
#include "framework/CBitmap.h"
#include "framework/CDC.h"
#include "framework/HandleMap.h"
#include "framework/ModuleState.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)

HIMAGELIST __attribute__((optimize("no-delete-null-pointer-checks"))) CImageList::GetSafeHandle() const
{
    return this ? m_hImageList : nullptr;
}

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    return AfxFromHandle<CImageList>(
        AfxHandleKind::ImageList, hImageList, [](CImageList* p, HIMAGELIST h) { p->m_hImageList = h; },
        [](CImageList* p) { p->m_hImageList = nullptr; });
}

int CImageList::GetImageCount() const
{
    return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0;
}

BOOL CImageList::SetImageCount(UINT uNewCount)
{
    return m_hImageList ? ImageList_SetImageCount(m_hImageList, uNewCount) : FALSE;
}

COLORREF CImageList::SetBkColor(COLORREF cr)
{
    return m_hImageList ? ImageList_SetBkColor(m_hImageList, cr) : CLR_NONE;
}

COLORREF CImageList::GetBkColor() const
{
    return m_hImageList ? ImageList_GetBkColor(m_hImageList) : CLR_NONE;
}

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    return m_hImageList && pImageInfo ? ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo) : FALSE;
}

CSize CImageList::GetIconSize() const
{
    int cx = 0, cy = 0;
    if (m_hImageList)
        ImageList_GetIconSize(m_hImageList, &cx, &cy);
    return CSize(cx, cy);
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    if (m_hImageList)
        return FALSE;
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCEW(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCWSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    if (m_hImageList || !lpszBitmapID)
        return FALSE;
    // A DIB section keeps the bitmap's own colour depth instead of the screen's.
    HIMAGELIST h = ImageList_LoadImageW(AfxGetResourceHandle(), lpszBitmapID, cx, nGrow, crMask,
                                        IMAGE_BITMAP, LR_CREATEDIBSECTION);
    return Attach(h);
}

BOOL CImageList::Create(CImageList* pImageList)
{
    if (m_hImageList || !pImageList || !pImageList->m_hImageList)
        return FALSE;
    return Attach(ImageList_Duplicate(pImageList->m_hImageList));
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (!hImageList || m_hImageList)
        return FALSE;
    m_hImageList = hImageList;
    AfxMapPermanentHandle(AfxHandleKind::ImageList, hImageList, this);
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    if (h)
        AfxUnmapPermanentHandle(AfxHandleKind::ImageList, h, this);
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    return ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (!m_hImageList || !pbmImage || !pbmImage->m_hObject)
        return -1;
    HBITMAP mask = pbmMask ? static_cast<HBITMAP>(pbmMask->m_hObject) : nullptr;
    return ImageList_Add(m_hImageList, static_cast<HBITMAP>(pbmImage->m_hObject), mask);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    if (!m_hImageList || !pbmImage || !pbmImage->m_hObject)
        return -1;
    return ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(pbmImage->m_hObject), crMask);
}

int CImageList::Add(HICON hIcon)
{
    if (!m_hImageList || !hIcon)
        return -1;
    return ImageList_ReplaceIcon(m_hImageList, -1, hIcon);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (!m_hImageList || !pbmImage || !pbmImage->m_hObject)
        return FALSE;
    HBITMAP mask = pbmMask ? static_cast<HBITMAP>(pbmMask->m_hObject) : nullptr;
    return ImageList_Replace(m_hImageList, nImage, static_cast<HBITMAP>(pbmImage->m_hObject), mask);
}

int CImageList::Replace(int nImage, HICON hIcon)
{
    // -1 would append; a replacement must name an existing image.
    if (!m_hImageList || !hIcon || nImage < 0 || nImage >= GetImageCount())
        return -1;
    return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon);
}

BOOL CImageList::Remove(int nImage)
{
    return m_hImageList ? ImageList_Remove(m_hImageList, nImage) : FALSE;
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    if (!m_hImageList || !pDC || !pDC->m_hDC)
        return FALSE;
    return ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle)
{
    if (!m_hImageList || !pDC || !pDC->m_hDC)
        return FALSE;
    return ImageList_DrawEx(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, sz.cx, sz.cy, clrBk, clrFg, nStyle);
}

BOOL CImageList::DrawIndirect(IMAGELISTDRAWPARAMS* pimldp)
{
    if (!m_hImageList || !pimldp)
        return FALSE;
    pimldp->himl = m_hImageList;
    return ImageList_DrawIndirect(pimldp);
}

HICON CImageList::ExtractIcon(int nImage)
{
    return m_hImageList ? ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL) : nullptr;
}

BOOL CImageList::SetOverlayImage(int nImage, int nOverlay)
{
    return m_hImageList ? ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay) : FALSE;
}
