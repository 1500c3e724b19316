#include "framework/CBitmap.h"
#include "framework/CDC.h"
#include "framework/HandleMap.h"
#include "framework/ModuleState.h"

IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap)
{
    return AfxFromHandle<CBitmap>(
        AfxHandleKind::GdiObject, hBitmap, [](CBitmap* p, HBITMAP h) { p->m_hObject = h; },
        [](CBitmap* p) { p->m_hObject = nullptr; });
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return LoadBitmap(MAKEINTRESOURCEW(nIDResource));
}

BOOL CBitmap::LoadBitmap(LPCWSTR lpszResourceName)
{
    if (!lpszResourceName || m_hObject)
        return FALSE;
    return AttachNew(::LoadBitmapW(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap)
{
    return AttachNew(::LoadBitmapW(nullptr, MAKEINTRESOURCEW(nIDBitmap)));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    if (!pDC || !pDC->m_hDC)
        return FALSE;
    return AttachNew(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return AttachNew(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap)
{
    return lpBitmap ? AttachNew(::CreateBitmapIndirect(lpBitmap)) : FALSE;
}

CSize CBitmap::GetBitmapSize() const
{
    BITMAP bm = {};
    if (!GetBitmap(&bm))
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits)
{
    return m_hObject && lpBits ? ::SetBitmapBits(static_cast<HBITMAP>(m_hObject), dwCount, lpBits) : 0;
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
{
    return m_hObject && lpBits ? ::GetBitmapBits(static_cast<HBITMAP>(m_hObject), dwCount, lpBits) : 0;
}

CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight)
{
    SIZE old = {0, 0};
    if (m_hObject)
        ::SetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), nWidth, nHeight, &old);
    return CSize(old);
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size = {0, 0};
    if (m_hObject)
        ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &size);
    return CSize(size);
}
