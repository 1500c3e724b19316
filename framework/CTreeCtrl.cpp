#include "framework/CTreeCtrl.h"
#include "framework/CEdit.h"
#include "framework/CImageList.h"
#include "framework/ControlMessage.h"

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    return CWnd::Create(WC_TREEVIEWW, nullptr, dwStyle, rect, pParentWnd, nID);
}

CImageList* CTreeCtrl::GetImageList(int nImageList) const
{
    return CImageList::FromHandle(AfxSendTyped<HIMAGELIST>(m_hWnd, TVM_GETIMAGELIST, nImageList));
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    HIMAGELIST h = pImageList ? pImageList->m_hImageList : nullptr;
    return CImageList::FromHandle(AfxSendTyped<HIMAGELIST>(m_hWnd, TVM_SETIMAGELIST, nImageListType, h));
}

UINT CTreeCtrl::GetIndent() const { return AfxSendTyped<UINT>(m_hWnd, TVM_GETINDENT); }
void CTreeCtrl::SetIndent(UINT nIndent) { AfxSendTyped(m_hWnd, TVM_SETINDENT, nIndent); }
SHORT CTreeCtrl::GetItemHeight() const { return AfxSendTyped<SHORT>(m_hWnd, TVM_GETITEMHEIGHT); }
SHORT CTreeCtrl::SetItemHeight(SHORT cyHeight) { return AfxSendTyped<SHORT>(m_hWnd, TVM_SETITEMHEIGHT, cyHeight); }
COLORREF CTreeCtrl::GetBkColor() const { return AfxSendTyped<COLORREF>(m_hWnd, TVM_GETBKCOLOR); }
COLORREF CTreeCtrl::SetBkColor(COLORREF clr) { return AfxSendTyped<COLORREF>(m_hWnd, TVM_SETBKCOLOR, 0, clr); }
COLORREF CTreeCtrl::GetTextColor() const { return AfxSendTyped<COLORREF>(m_hWnd, TVM_GETTEXTCOLOR); }
COLORREF CTreeCtrl::SetTextColor(COLORREF clr) { return AfxSendTyped<COLORREF>(m_hWnd, TVM_SETTEXTCOLOR, 0, clr); }
UINT CTreeCtrl::GetCount() const { return AfxSendTyped<UINT>(m_hWnd, TVM_GETCOUNT); }
UINT CTreeCtrl::GetVisibleCount() const { return AfxSendTyped<UINT>(m_hWnd, TVM_GETVISIBLECOUNT); }
HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCTW lpInsertStruct) { return AfxSendTyped<HTREEITEM>(m_hWnd, TVM_INSERTITEMW, 0, lpInsertStruct); }

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCWSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTW tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = nMask;
    tvis.item.pszText = const_cast<LPWSTR>(lpszItem ? lpszItem : L"");
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    tvis.item.state = nState;
    tvis.item.stateMask = nStateMask;
    tvis.item.lParam = lParam;
    return InsertItem(&tvis);
}

HTREEITEM CTreeCtrl::InsertItem(LPCWSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCWSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0,
                      hParent, hInsertAfter);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem) { return hItem && AfxSendTyped<BOOL>(m_hWnd, TVM_DELETEITEM, 0, hItem); }
BOOL CTreeCtrl::DeleteAllItems() { return AfxSendTyped<BOOL>(m_hWnd, TVM_DELETEITEM, 0, TVI_ROOT); }
BOOL CTreeCtrl::GetItem(TVITEMW* pItem) const { return AfxSendTyped<BOOL>(m_hWnd, TVM_GETITEMW, 0, pItem); }
BOOL CTreeCtrl::SetItem(TVITEMW* pItem) { return AfxSendTyped<BOOL>(m_hWnd, TVM_SETITEMW, 0, pItem); }

BOOL CTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCWSTR lpszItem, int nImage, int nSelectedImage,
                        UINT nState, UINT nStateMask, LPARAM lParam)
{
    TVITEMW item = {};
    item.hItem = hItem;
    item.mask = nMask;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    // No message tells the length: grow the buffer until the text fits with room to spare.
    CString text;
    if (!hItem)
        return text;
    for (int size = 256;; size *= 2) {
        TVITEMW item = {};
        item.hItem = hItem;
        item.mask = TVIF_TEXT;
        item.cchTextMax = size;
        item.pszText = text.GetBuffer(size);
        item.pszText[0] = L'\0';
        if (!GetItem(&item)) {
            text.ReleaseBuffer(0);
            return text;
        }
        if (item.pszText != text.GetString() && item.pszText) {
            CString own(item.pszText);
            text.ReleaseBuffer(0);
            return own;
        }
        text.ReleaseBuffer(-1);
        if (text.GetLength() < size - 1 || size >= (1 << 20))
            return text;
    }
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCWSTR lpszItem)
{
    return SetItem(hItem, TVIF_TEXT, lpszItem ? lpszItem : L"", 0, 0, 0, 0, 0);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    TVITEMW item = {};
    item.hItem = hItem;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    BOOL ok = hItem && GetItem(&item);
    if (ok) {
        nImage = item.iImage;
        nSelectedImage = item.iSelectedImage;
    }
    return ok;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, nullptr, nImage, nSelectedImage, 0, 0, 0);
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const
{
    return hItem ? AfxSendTyped<UINT>(m_hWnd, TVM_GETITEMSTATE, hItem, nStateMask) : 0;
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    return SetItem(hItem, TVIF_STATE, nullptr, 0, 0, nState, nStateMask, 0);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEMW item = {};
    item.hItem = hItem;
    item.mask = TVIF_PARAM;
    return hItem && GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    return SetItem(hItem, TVIF_PARAM, nullptr, 0, 0, 0, 0, static_cast<LPARAM>(dwData));
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    TVITEMW item = {};
    item.hItem = hItem;
    item.mask = TVIF_CHILDREN;
    return hItem && GetItem(&item) && item.cChildren != 0;
}

BOOL CTreeCtrl::GetCheck(HTREEITEM hItem) const
{
    // State image 1 is the empty box, 2 the checked one.
    return ((GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12) - 1) > 0;
}

BOOL CTreeCtrl::SetCheck(HTREEITEM hItem, BOOL fCheck)
{
    return SetItemState(hItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), TVIS_STATEIMAGEMASK);
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const { return AfxSendTyped<HTREEITEM>(m_hWnd, TVM_GETNEXTITEM, nCode, hItem); }
HTREEITEM CTreeCtrl::GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const { return hItem ? GetNextItem(hItem, TVGN_NEXT) : nullptr; }
HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM hItem) const { return hItem ? GetNextItem(hItem, TVGN_PREVIOUS) : nullptr; }
HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const { return hItem ? GetNextItem(hItem, TVGN_PARENT) : nullptr; }
HTREEITEM CTreeCtrl::GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM hItem) const { return hItem ? GetNextItem(hItem, TVGN_NEXTVISIBLE) : nullptr; }
HTREEITEM CTreeCtrl::GetPrevVisibleItem(HTREEITEM hItem) const { return hItem ? GetNextItem(hItem, TVGN_PREVIOUSVISIBLE) : nullptr; }
HTREEITEM CTreeCtrl::GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
HTREEITEM CTreeCtrl::GetDropHilightItem() const { return GetNextItem(nullptr, TVGN_DROPHILITE); }
BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode) { return hItem && AfxSendTyped<BOOL>(m_hWnd, TVM_EXPAND, nCode, hItem); }
BOOL CTreeCtrl::Select(HTREEITEM hItem, UINT nCode) { return AfxSendTyped<BOOL>(m_hWnd, TVM_SELECTITEM, nCode, hItem); }
BOOL CTreeCtrl::SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
BOOL CTreeCtrl::SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
BOOL CTreeCtrl::SelectSetFirstVisible(HTREEITEM hItem) { return Select(hItem, TVGN_FIRSTVISIBLE); }
BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem) { return hItem && AfxSendTyped<BOOL>(m_hWnd, TVM_ENSUREVISIBLE, 0, hItem); }

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    if (!hItem || !lpRect)
        return FALSE;
    // The item handle travels in the rectangle itself.
    *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
    return AfxSendTyped<BOOL>(m_hWnd, TVM_GETITEMRECT, bTextOnly, lpRect);
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO info = {};
    info.pt = pt;
    HTREEITEM h = HitTest(&info);
    if (pFlags)
        *pFlags = info.flags;
    return h;
}

CEdit* CTreeCtrl::EditLabel(HTREEITEM hItem) { return hItem ? CEdit::FromHandle(AfxSendTyped<HWND>(m_hWnd, TVM_EDITLABELW, 0, hItem)) : nullptr; }
CEdit* CTreeCtrl::GetEditControl() const { return CEdit::FromHandle(AfxSendTyped<HWND>(m_hWnd, TVM_GETEDITCONTROL)); }

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* pHitTestInfo) const { return AfxSendTyped<HTREEITEM>(m_hWnd, TVM_HITTEST, 0, pHitTestInfo); }
BOOL CTreeCtrl::SortChildren(HTREEITEM hItem) { return AfxSendTyped<BOOL>(m_hWnd, TVM_SORTCHILDREN, 0, hItem); }
BOOL CTreeCtrl::SortChildrenCB(LPTVSORTCB pSort) { return pSort && AfxSendTyped<BOOL>(m_hWnd, TVM_SORTCHILDRENCB, 0, pSort); }
