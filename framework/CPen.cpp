#include "framework/CPen.h"
#include "framework/HandleMap.h"

IMPLEMENT_DYNAMIC(CPen, CGdiObject)

CPen* CPen::FromHandle(HPEN hPen)
{
    return AfxFromHandle<CPen>(
        AfxHandleKind::GdiObject, hPen, [](CPen* p, HPEN h) { p->m_hObject = h; },
        [](CPen* p) { p->m_hObject = nullptr; });
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return AttachNew(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle)
{
    return pLogBrush ? AttachNew(::ExtCreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle)) : FALSE;
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen)
{
    return lpLogPen ? AttachNew(::CreatePenIndirect(lpLogPen)) : FALSE;
}
