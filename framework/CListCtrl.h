#pragma once
// A list-view control: icon, small-icon, list or report view of items with sub-items.
// Items and columns are zero-based; -1 means none or failure.
// https://learn.microsoft.com/windows/win32/controls/list-view-controls-overview
#include "framework/CString.h"
#include "framework/CWnd.h"
#include "framework/Position.h"
#include <commctrl.h>

class CEdit;
class CHeaderCtrl;
class CImageList;

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    using CWnd::CreateEx;

    // Look
    COLORREF GetBkColor() const;
    BOOL SetBkColor(COLORREF cr);
    COLORREF GetTextColor() const;
    BOOL SetTextColor(COLORREF cr);
    COLORREF GetTextBkColor() const;
    BOOL SetTextBkColor(COLORREF cr);
    // LVS_EX_* bits. SetExtendedStyle replaces all of them and answers the previous set.
    DWORD GetExtendedStyle() const;
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    // nImageList: LVSIL_NORMAL, LVSIL_SMALL or LVSIL_STATE. The list does not own the image
    // list (unless LVS_SHAREIMAGELISTS is off and the control is destroyed: then it does).
    CImageList* GetImageList(int nImageList) const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    // The list's header (report view), a temporary wrapper unless the header was subclassed.
    CHeaderCtrl* GetHeaderCtrl() const;

    // Columns
    int InsertColumn(int nCol, const LVCOLUMNW* pColumn);
    // nWidth -1 leaves the width to the control; nSubItem -1 leaves the sub-item unset.
    int InsertColumn(int nCol, LPCWSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
    BOOL DeleteColumn(int nCol);
    BOOL GetColumn(int nCol, LVCOLUMNW* pColumn) const;
    BOOL SetColumn(int nCol, const LVCOLUMNW* pColumn);
    int GetColumnWidth(int nCol) const;
    // cx may be LVSCW_AUTOSIZE or LVSCW_AUTOSIZE_USEHEADER.
    BOOL SetColumnWidth(int nCol, int cx);
    // The column indexes in display order; iCount -1 means all columns.
    BOOL GetColumnOrderArray(LPINT piArray, int iCount = -1) const;
    BOOL SetColumnOrderArray(int iCount, LPINT piArray);

    // Items
    int GetItemCount() const;
    // A virtual list (LVS_OWNERDATA) is told how many items it has; others preallocate.
    BOOL SetItemCount(int nItems);
    BOOL SetItemCountEx(int iCount, DWORD dwFlags = LVSICF_NOINVALIDATEALL);
    int InsertItem(const LVITEMW* pItem);
    int InsertItem(int nItem, LPCWSTR lpszItem);
    int InsertItem(int nItem, LPCWSTR lpszItem, int nImage);
    int InsertItem(UINT nMask, int nItem, LPCWSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    BOOL GetItem(LVITEMW* pItem) const;
    BOOL SetItem(const LVITEMW* pItem);
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCWSTR lpszItem, int nImage, UINT nState,
                 UINT nStateMask, LPARAM lParam);
    // The text of a cell, however long; empty for a bad item.
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPWSTR lpszText, int nLen) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCWSTR lpszText);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    // State bits (LVIS_SELECTED, LVIS_FOCUSED, ...) under nMask; nItem -1 sets every item.
    UINT GetItemState(int nItem, UINT nMask) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL SetItemState(int nItem, LVITEMW* pItem);
    // Check boxes (LVS_EX_CHECKBOXES).
    BOOL GetCheck(int nItem) const;
    BOOL SetCheck(int nItem, BOOL fCheck = TRUE);

    // Selection and navigation
    int GetSelectedCount() const;
    int GetSelectionMark() const;
    int SetSelectionMark(int iIndex);
    int GetHotItem() const;
    int SetHotItem(int iIndex);
    // The next item after nItem (-1: from the start) with the LVNI_* relation or state.
    int GetNextItem(int nItem, int nFlags) const;
    // Walks the selected items in index order: pos is null when there is none (left).
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    int FindItem(LVFINDINFOW* pFindInfo, int nStart = -1) const;

    // Geometry and hit testing
    // nCode: LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL or LVIR_SELECTBOUNDS.
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const;
    BOOL GetItemPosition(int nItem, LPPOINT lpPoint) const;
    BOOL SetItemPosition(int nItem, POINT pt);
    BOOL GetViewRect(LPRECT lpRect) const;
    BOOL GetOrigin(LPPOINT lpPoint) const;
    int GetStringWidth(LPCWSTR lpsz) const;
    int HitTest(LVHITTESTINFO* pHitTestInfo) const;
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    // Fills in the item and the sub-item under pInfo->pt; answers the item or -1.
    int SubItemHitTest(LVHITTESTINFO* pInfo);

    // Scrolling and painting
    int GetTopIndex() const;
    int GetCountPerPage() const;
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    BOOL Scroll(CSize size);
    BOOL RedrawItems(int nFirst, int nLast);
    BOOL Update(int nItem);
    BOOL Arrange(UINT nCode);

    // Sorting. The comparison receives the two items' data (SortItems) or their indexes
    // (SortItemsEx) and dwData; it answers negative, zero or positive.
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);
    BOOL SortItemsEx(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);

    // In-place editing of an item's label (LVS_EDITLABELS); the edit is a temporary wrapper,
    // nullptr when no edit is open. The list must have the focus for EditLabel to open one.
    CEdit* EditLabel(int nItem);
    CEdit* GetEditControl() const;

    // Paints an LVS_OWNERDRAWFIXED report row; called from the parent's WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
