#include "framework/CRgn.h"
#include "framework/HandleMap.h"

IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

CRgn* CRgn::FromHandle(HRGN hRgn)
{
    return AfxFromHandle<CRgn>(
        AfxHandleKind::GdiObject, hRgn, [](CRgn* p, HRGN h) { p->m_hObject = h; },
        [](CRgn* p) { p->m_hObject = nullptr; });
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return AttachNew(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    return lpRect ? AttachNew(::CreateRectRgnIndirect(lpRect)) : FALSE;
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return AttachNew(::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect)
{
    return lpRect ? AttachNew(::CreateEllipticRgnIndirect(lpRect)) : FALSE;
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return AttachNew(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode)
{
    return lpPoints && nCount > 0 ? AttachNew(::CreatePolygonRgn(lpPoints, nCount, nMode)) : FALSE;
}

BOOL CRgn::CreatePolyPolygonRgn(const POINT* lpPoints, const INT* lpPolyCounts, int nCount, int nPolyFillMode)
{
    if (!lpPoints || !lpPolyCounts || nCount <= 0)
        return FALSE;
    return AttachNew(::CreatePolyPolygonRgn(lpPoints, lpPolyCounts, nCount, nPolyFillMode));
}

BOOL CRgn::CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData)
{
    return pRgnData ? AttachNew(::ExtCreateRegion(lpXForm, nCount, pRgnData)) : FALSE;
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    if (!m_hObject || !pRgn1 || !pRgn1->m_hObject)
        return ERROR;
    HRGN h2 = pRgn2 ? static_cast<HRGN>(pRgn2->m_hObject) : nullptr;
    if (!h2 && nCombineMode != RGN_COPY)
        return ERROR;
    return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn1->m_hObject), h2, nCombineMode);
}

int CRgn::CopyRgn(const CRgn* pRgnSrc)
{
    return CombineRgn(pRgnSrc, nullptr, RGN_COPY);
}

BOOL CRgn::EqualRgn(const CRgn* pRgn) const
{
    if (!m_hObject || !pRgn || !pRgn->m_hObject)
        return FALSE;
    return ::EqualRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn->m_hObject));
}

int CRgn::OffsetRgn(int x, int y)
{
    return m_hObject ? ::OffsetRgn(static_cast<HRGN>(m_hObject), x, y) : ERROR;
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    if (m_hObject)
        ::SetRectRgn(static_cast<HRGN>(m_hObject), x1, y1, x2, y2);
}

void CRgn::SetRectRgn(LPCRECT lpRect)
{
    if (lpRect)
        SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
    return m_hObject && lpRect ? ::GetRgnBox(static_cast<HRGN>(m_hObject), lpRect) : ERROR;
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    return m_hObject ? ::PtInRegion(static_cast<HRGN>(m_hObject), x, y) : FALSE;
}

BOOL CRgn::RectInRegion(LPCRECT lpRect) const
{
    return m_hObject && lpRect ? ::RectInRegion(static_cast<HRGN>(m_hObject), lpRect) : FALSE;
}

int CRgn::GetRegionData(LPRGNDATA lpRgnData, int nCount) const
{
    return m_hObject ? static_cast<int>(::GetRegionData(static_cast<HRGN>(m_hObject), nCount, lpRgnData)) : 0;
}
