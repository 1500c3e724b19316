#include "framework/CListCtrl.h"
#include "framework/CEdit.h"
#include "framework/CHeaderCtrl.h"
#include "framework/CImageList.h"
#include "framework/ControlMessage.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    return CWnd::Create(WC_LISTVIEWW, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CListCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    return CWnd::CreateEx(dwExStyle, WC_LISTVIEWW, nullptr, dwStyle, rect, pParentWnd, nID);
}

COLORREF CListCtrl::GetBkColor() const { return AfxSendTyped<COLORREF>(m_hWnd, LVM_GETBKCOLOR); }
BOOL CListCtrl::SetBkColor(COLORREF cr) { return AfxSendTyped<BOOL>(m_hWnd, LVM_SETBKCOLOR, 0, cr); }
COLORREF CListCtrl::GetTextColor() const { return AfxSendTyped<COLORREF>(m_hWnd, LVM_GETTEXTCOLOR); }
BOOL CListCtrl::SetTextColor(COLORREF cr) { return AfxSendTyped<BOOL>(m_hWnd, LVM_SETTEXTCOLOR, 0, cr); }
COLORREF CListCtrl::GetTextBkColor() const { return AfxSendTyped<COLORREF>(m_hWnd, LVM_GETTEXTBKCOLOR); }
BOOL CListCtrl::SetTextBkColor(COLORREF cr) { return AfxSendTyped<BOOL>(m_hWnd, LVM_SETTEXTBKCOLOR, 0, cr); }
DWORD CListCtrl::GetExtendedStyle() const { return AfxSendTyped<DWORD>(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE); }
DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle) { return AfxSendTyped<DWORD>(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle); }

CImageList* CListCtrl::GetImageList(int nImageList) const
{
    return CImageList::FromHandle(AfxSendTyped<HIMAGELIST>(m_hWnd, LVM_GETIMAGELIST, nImageList));
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    HIMAGELIST h = pImageList ? pImageList->m_hImageList : nullptr;
    return CImageList::FromHandle(AfxSendTyped<HIMAGELIST>(m_hWnd, LVM_SETIMAGELIST, nImageListType, h));
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    return CHeaderCtrl::FromHandle(AfxSendTyped<HWND>(m_hWnd, LVM_GETHEADER));
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMNW* pColumn)
{
    return AfxSendTyped(m_hWnd, LVM_INSERTCOLUMNW, nCol, pColumn);
}

int CListCtrl::InsertColumn(int nCol, LPCWSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPWSTR>(lpszColumnHeading ? lpszColumnHeading : L"");
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::DeleteColumn(int nCol) { return AfxSendTyped<BOOL>(m_hWnd, LVM_DELETECOLUMN, nCol); }
BOOL CListCtrl::GetColumn(int nCol, LVCOLUMNW* pColumn) const { return AfxSendTyped<BOOL>(m_hWnd, LVM_GETCOLUMNW, nCol, pColumn); }
BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMNW* pColumn) { return AfxSendTyped<BOOL>(m_hWnd, LVM_SETCOLUMNW, nCol, pColumn); }
int CListCtrl::GetColumnWidth(int nCol) const { return AfxSendTyped(m_hWnd, LVM_GETCOLUMNWIDTH, nCol); }
BOOL CListCtrl::SetColumnWidth(int nCol, int cx) { return AfxSendTyped<BOOL>(m_hWnd, LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0)); }

BOOL CListCtrl::GetColumnOrderArray(LPINT piArray, int iCount) const
{
    if (!piArray)
        return FALSE;
    if (iCount < 0) {
        HWND header = AfxSendTyped<HWND>(m_hWnd, LVM_GETHEADER);
        iCount = header ? AfxSendTyped(header, HDM_GETITEMCOUNT) : 0;
    }
    return AfxSendTyped<BOOL>(m_hWnd, LVM_GETCOLUMNORDERARRAY, iCount, piArray);
}

BOOL CListCtrl::SetColumnOrderArray(int iCount, LPINT piArray)
{
    return AfxSendTyped<BOOL>(m_hWnd, LVM_SETCOLUMNORDERARRAY, iCount, piArray);
}

int CListCtrl::GetItemCount() const { return AfxSendTyped(m_hWnd, LVM_GETITEMCOUNT); }
BOOL CListCtrl::SetItemCount(int nItems) { return AfxSendTyped<BOOL>(m_hWnd, LVM_SETITEMCOUNT, nItems); }
BOOL CListCtrl::SetItemCountEx(int iCount, DWORD dwFlags) { return AfxSendTyped<BOOL>(m_hWnd, LVM_SETITEMCOUNT, iCount, dwFlags); }
int CListCtrl::InsertItem(const LVITEMW* pItem) { return AfxSendTyped(m_hWnd, LVM_INSERTITEMW, 0, pItem); }

int CListCtrl::InsertItem(int nItem, LPCWSTR lpszItem)
{
    return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int nItem, LPCWSTR lpszItem, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCWSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam)
{
    LVITEMW item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = const_cast<LPWSTR>(lpszItem ? lpszItem : L"");
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL CListCtrl::DeleteItem(int nItem) { return AfxSendTyped<BOOL>(m_hWnd, LVM_DELETEITEM, nItem); }
BOOL CListCtrl::DeleteAllItems() { return AfxSendTyped<BOOL>(m_hWnd, LVM_DELETEALLITEMS); }
BOOL CListCtrl::GetItem(LVITEMW* pItem) const { return AfxSendTyped<BOOL>(m_hWnd, LVM_GETITEMW, 0, pItem); }
BOOL CListCtrl::SetItem(const LVITEMW* pItem) { return AfxSendTyped<BOOL>(m_hWnd, LVM_SETITEMW, 0, pItem); }

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCWSTR lpszItem, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam)
{
    LVITEMW item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // The control answers how many characters it copied, never how long the text is: grow
    // the buffer until the text fits with room to spare.
    CString text;
    for (int size = 256;; size *= 2) {
        LVITEMW item = {};
        item.iSubItem = nSubItem;
        item.cchTextMax = size;
        item.pszText = text.GetBuffer(size);
        int n = AfxSendTyped(m_hWnd, LVM_GETITEMTEXTW, nItem, &item);
        // The control may answer with its own buffer instead of filling ours.
        if (item.pszText != text.GetString() && item.pszText) {
            CString own(item.pszText);
            text.ReleaseBuffer(0);
            return own;
        }
        if (n < size - 1 || size >= (1 << 20)) {
            text.ReleaseBuffer(n);
            return text;
        }
        text.ReleaseBuffer(0);
    }
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPWSTR lpszText, int nLen) const
{
    if (!lpszText || nLen <= 0)
        return 0;
    LVITEMW item = {};
    item.iSubItem = nSubItem;
    item.cchTextMax = nLen;
    item.pszText = lpszText;
    lpszText[0] = L'\0';
    int n = AfxSendTyped(m_hWnd, LVM_GETITEMTEXTW, nItem, &item);
    if (item.pszText != lpszText && item.pszText) {
        ::lstrcpynW(lpszText, item.pszText, nLen);
        n = ::lstrlenW(lpszText);
    }
    return n;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCWSTR lpszText)
{
    LVITEMW item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPWSTR>(lpszText);
    return AfxSendTyped<BOOL>(m_hWnd, LVM_SETITEMTEXTW, nItem, &item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, static_cast<LPARAM>(dwData));
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const { return AfxSendTyped<UINT>(m_hWnd, LVM_GETITEMSTATE, nItem, nMask); }

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMW item = {};
    item.state = nState;
    item.stateMask = nMask;
    return SetItemState(nItem, &item);
}

BOOL CListCtrl::SetItemState(int nItem, LVITEMW* pItem) { return AfxSendTyped<BOOL>(m_hWnd, LVM_SETITEMSTATE, nItem, pItem); }

BOOL CListCtrl::GetCheck(int nItem) const
{
    // State image 1 is the empty box, 2 the checked one.
    return ((GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) - 1) > 0;
}

BOOL CListCtrl::SetCheck(int nItem, BOOL fCheck)
{
    return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
}

int CListCtrl::GetSelectedCount() const { return AfxSendTyped(m_hWnd, LVM_GETSELECTEDCOUNT); }
int CListCtrl::GetSelectionMark() const { return AfxSendTyped(m_hWnd, LVM_GETSELECTIONMARK); }
int CListCtrl::SetSelectionMark(int iIndex) { return AfxSendTyped(m_hWnd, LVM_SETSELECTIONMARK, 0, iIndex); }
int CListCtrl::GetHotItem() const { return AfxSendTyped(m_hWnd, LVM_GETHOTITEM); }
int CListCtrl::SetHotItem(int iIndex) { return AfxSendTyped(m_hWnd, LVM_SETHOTITEM, iIndex); }
int CListCtrl::GetNextItem(int nItem, int nFlags) const { return AfxSendTyped(m_hWnd, LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)); }

// A position is the item index plus one, so that null means "no more".
POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    return reinterpret_cast<POSITION>(static_cast<INT_PTR>(1 + GetNextItem(-1, LVNI_SELECTED)));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int nItem = static_cast<int>(reinterpret_cast<INT_PTR>(pos)) - 1;
    pos = reinterpret_cast<POSITION>(static_cast<INT_PTR>(1 + GetNextItem(nItem, LVNI_SELECTED)));
    return nItem;
}

int CListCtrl::FindItem(LVFINDINFOW* pFindInfo, int nStart) const { return AfxSendTyped(m_hWnd, LVM_FINDITEMW, nStart, pFindInfo); }

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    if (!lpRect)
        return FALSE;
    lpRect->left = static_cast<LONG>(nCode);
    return AfxSendTyped<BOOL>(m_hWnd, LVM_GETITEMRECT, nItem, lpRect);
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const
{
    ref.top = iSubItem;
    ref.left = nArea;
    return AfxSendTyped<BOOL>(m_hWnd, LVM_GETSUBITEMRECT, iItem, static_cast<LPRECT>(ref));
}

BOOL CListCtrl::GetItemPosition(int nItem, LPPOINT lpPoint) const { return AfxSendTyped<BOOL>(m_hWnd, LVM_GETITEMPOSITION, nItem, lpPoint); }
BOOL CListCtrl::SetItemPosition(int nItem, POINT pt) { return AfxSendTyped<BOOL>(m_hWnd, LVM_SETITEMPOSITION32, nItem, &pt); }
BOOL CListCtrl::GetViewRect(LPRECT lpRect) const { return AfxSendTyped<BOOL>(m_hWnd, LVM_GETVIEWRECT, 0, lpRect); }
BOOL CListCtrl::GetOrigin(LPPOINT lpPoint) const { return AfxSendTyped<BOOL>(m_hWnd, LVM_GETORIGIN, 0, lpPoint); }
int CListCtrl::GetStringWidth(LPCWSTR lpsz) const { return AfxSendTyped(m_hWnd, LVM_GETSTRINGWIDTHW, 0, lpsz); }
int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const { return AfxSendTyped(m_hWnd, LVM_HITTEST, 0, pHitTestInfo); }

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info = {};
    info.pt = pt;
    int nItem = HitTest(&info);
    if (pFlags)
        *pFlags = info.flags;
    return nItem;
}

int CListCtrl::SubItemHitTest(LVHITTESTINFO* pInfo) { return AfxSendTyped(m_hWnd, LVM_SUBITEMHITTEST, 0, pInfo); }
int CListCtrl::GetTopIndex() const { return AfxSendTyped(m_hWnd, LVM_GETTOPINDEX); }
int CListCtrl::GetCountPerPage() const { return AfxSendTyped(m_hWnd, LVM_GETCOUNTPERPAGE); }
BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK) { return AfxSendTyped<BOOL>(m_hWnd, LVM_ENSUREVISIBLE, nItem, MAKELPARAM(bPartialOK, 0)); }
BOOL CListCtrl::Scroll(CSize size) { return AfxSendTyped<BOOL>(m_hWnd, LVM_SCROLL, size.cx, size.cy); }
BOOL CListCtrl::RedrawItems(int nFirst, int nLast) { return AfxSendTyped<BOOL>(m_hWnd, LVM_REDRAWITEMS, nFirst, nLast); }
BOOL CListCtrl::Update(int nItem) { return AfxSendTyped<BOOL>(m_hWnd, LVM_UPDATE, nItem); }
BOOL CListCtrl::Arrange(UINT nCode) { return AfxSendTyped<BOOL>(m_hWnd, LVM_ARRANGE, nCode); }
BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return pfnCompare && AfxSendTyped<BOOL>(m_hWnd, LVM_SORTITEMS, dwData, pfnCompare); }
BOOL CListCtrl::SortItemsEx(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return pfnCompare && AfxSendTyped<BOOL>(m_hWnd, LVM_SORTITEMSEX, dwData, pfnCompare); }

CEdit* CListCtrl::EditLabel(int nItem) { return CEdit::FromHandle(AfxSendTyped<HWND>(m_hWnd, LVM_EDITLABELW, nItem)); }
CEdit* CListCtrl::GetEditControl() const { return CEdit::FromHandle(AfxSendTyped<HWND>(m_hWnd, LVM_GETEDITCONTROL)); }

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult)
        *pResult = TRUE;
    return TRUE;
}
