#include "framework/CGdiObject.h"
#include "framework/HandleMap.h"

IMPLEMENT_DYNAMIC(CGdiObject, CObject)

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

HGDIOBJ __attribute__((optimize("no-delete-null-pointer-checks"))) CGdiObject::GetSafeHandle() const
{
    return this ? m_hObject : nullptr;
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return m_hObject ? ::GetObjectW(m_hObject, nCount, lpObject) : 0;
}

UINT CGdiObject::GetObjectType() const
{
    return m_hObject ? ::GetObjectType(m_hObject) : 0;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return AfxFromHandle<CGdiObject>(
        AfxHandleKind::GdiObject, hObject, [](CGdiObject* p, HGDIOBJ h) { p->m_hObject = h; },
        [](CGdiObject* p) { p->m_hObject = nullptr; });
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject || m_hObject)
        return FALSE;
    m_hObject = hObject;
    AfxMapPermanentHandle(AfxHandleKind::GdiObject, m_hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    if (h)
        AfxUnmapPermanentHandle(AfxHandleKind::GdiObject, h, this);
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    // Deleting a stock object is a harmless no-op in GDI, so wrappers of them need no care.
    return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return Attach(::GetStockObject(nIndex));
}

BOOL CGdiObject::UnrealizeObject()
{
    return m_hObject ? ::UnrealizeObject(m_hObject) : FALSE;
}

BOOL CGdiObject::AttachNew(HGDIOBJ hObject)
{
    if (!hObject)
        return FALSE;
    if (m_hObject) {
        ::DeleteObject(hObject);
        return FALSE;
    }
    return Attach(hObject);
}
