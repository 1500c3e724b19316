#include "framework/CBrush.h"
#include "framework/CBitmap.h"
#include "framework/HandleMap.h"

IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

CBrush* CBrush::FromHandle(HBRUSH hBrush)
{
    return AfxFromHandle<CBrush>(
        AfxHandleKind::GdiObject, hBrush, [](CBrush* p, HBRUSH h) { p->m_hObject = h; },
        [](CBrush* p) { p->m_hObject = nullptr; });
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return AttachNew(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    return AttachNew(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
    return lpLogBrush ? AttachNew(::CreateBrushIndirect(lpLogBrush)) : FALSE;
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    if (!pBitmap || !pBitmap->GetSafeHandle())
        return FALSE;
    return AttachNew(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->GetSafeHandle())));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    // Deleting a system colour brush is ignored by the system, so owning it is harmless.
    return AttachNew(::GetSysColorBrush(nIndex));
}
