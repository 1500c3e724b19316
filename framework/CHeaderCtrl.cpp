#include "framework/CHeaderCtrl.h"
#include "framework/CImageList.h"
#include "framework/ControlMessage.h"
#include "framework/HandleMap.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

CHeaderCtrl* CHeaderCtrl::FromHandle(HWND hWnd)
{
    CObject* pOwner = AfxLookupPermanentHandle(AfxHandleKind::Window, hWnd);
    if (pOwner && !dynamic_cast<CHeaderCtrl*>(pOwner))
        return nullptr;
    return AfxFromHandle<CHeaderCtrl>(
        AfxHandleKind::Window, hWnd, [](CHeaderCtrl* p, HWND h) { p->m_hWnd = h; },
        [](CHeaderCtrl* p) { p->m_hWnd = nullptr; });
}

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    return CWnd::Create(WC_HEADERW, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CHeaderCtrl::GetItemCount() const { return AfxSendTyped(m_hWnd, HDM_GETITEMCOUNT); }
BOOL CHeaderCtrl::GetItem(int nPos, HDITEMW* pHeaderItem) const { return AfxSendTyped<BOOL>(m_hWnd, HDM_GETITEMW, nPos, pHeaderItem); }
BOOL CHeaderCtrl::SetItem(int nPos, HDITEMW* pHeaderItem) { return AfxSendTyped<BOOL>(m_hWnd, HDM_SETITEMW, nPos, pHeaderItem); }
int CHeaderCtrl::InsertItem(int nPos, HDITEMW* phdi) { return AfxSendTyped(m_hWnd, HDM_INSERTITEMW, nPos, phdi); }
BOOL CHeaderCtrl::DeleteItem(int nPos) { return AfxSendTyped<BOOL>(m_hWnd, HDM_DELETEITEM, nPos); }
BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const { return AfxSendTyped<BOOL>(m_hWnd, HDM_GETITEMRECT, nIndex, lpRect); }

BOOL CHeaderCtrl::GetOrderArray(LPINT piArray, int iCount) const
{
    if (!piArray)
        return FALSE;
    if (iCount < 0)
        iCount = GetItemCount();
    return AfxSendTyped<BOOL>(m_hWnd, HDM_GETORDERARRAY, iCount, piArray);
}

BOOL CHeaderCtrl::SetOrderArray(int iCount, LPINT piArray) { return AfxSendTyped<BOOL>(m_hWnd, HDM_SETORDERARRAY, iCount, piArray); }
int CHeaderCtrl::OrderToIndex(int nOrder) const { return AfxSendTyped(m_hWnd, HDM_ORDERTOINDEX, nOrder); }
int CHeaderCtrl::HitTest(LPHDHITTESTINFO pHeaderHitTestInfo) { return AfxSendTyped(m_hWnd, HDM_HITTEST, 0, pHeaderHitTestInfo); }
BOOL CHeaderCtrl::Layout(HDLAYOUT* pHeaderLayout) { return AfxSendTyped<BOOL>(m_hWnd, HDM_LAYOUT, 0, pHeaderLayout); }
CImageList* CHeaderCtrl::GetImageList() const { return CImageList::FromHandle(AfxSendTyped<HIMAGELIST>(m_hWnd, HDM_GETIMAGELIST)); }

CImageList* CHeaderCtrl::SetImageList(CImageList* pImageList)
{
    HIMAGELIST h = pImageList ? pImageList->m_hImageList : nullptr;
    return CImageList::FromHandle(AfxSendTyped<HIMAGELIST>(m_hWnd, HDM_SETIMAGELIST, 0, h));
}

int CHeaderCtrl::GetBitmapMargin() const { return AfxSendTyped(m_hWnd, HDM_GETBITMAPMARGIN); }
int CHeaderCtrl::SetBitmapMargin(int nWidth) { return AfxSendTyped(m_hWnd, HDM_SETBITMAPMARGIN, nWidth); }

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult)
        *pResult = TRUE;
    return TRUE;
}
