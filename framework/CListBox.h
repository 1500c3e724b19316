#pragma once
// A list box, single or multiple selection. Indexes are zero-based; LB_ERR (-1) means none or failure.
// https://learn.microsoft.com/windows/win32/controls/list-boxes
#include "framework/CWnd.h"

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    CListBox() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Items
    int GetCount() const;
    int AddString(LPCWSTR lpszItem);
    int InsertString(int nIndex, LPCWSTR lpszItem);
    // Answers the number of items left, LB_ERR for a bad index.
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetText(int nIndex, LPWSTR lpszBuffer) const;
    // The item's text; empty for a bad index.
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const;
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    void* GetItemDataPtr(int nIndex) const;
    int SetItemDataPtr(int nIndex, void* pData);
    int GetItemRect(int nIndex, LPRECT lpRect) const;
    int GetItemHeight(int nIndex) const;
    int SetItemHeight(int nIndex, UINT cyItemHeight);
    // The item nearest to pt (client coordinates); bOutside is set when pt lies outside every item.
    UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const;

    // Search, as the combo box searches: prefix or whole text, without case, wrapping round.
    int FindString(int nStartAfter, LPCWSTR lpszItem) const;
    int FindStringExact(int nIndexStart, LPCWSTR lpszFind) const;
    int SelectString(int nStartAfter, LPCWSTR lpszItem);

    // Selection of a single-selection list
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    // Selection of a multiple-selection list
    int GetSel(int nIndex) const;
    int SetSel(int nIndex, BOOL bSelect = TRUE);
    int GetSelCount() const;
    int GetSelItems(int nMaxItems, LPINT rgIndex) const;
    int SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem);
    int GetCaretIndex() const;
    int SetCaretIndex(int nIndex, BOOL bScroll = TRUE);
    int GetAnchorIndex() const;
    void SetAnchorIndex(int nIndex);

    // Scrolling
    int GetTopIndex() const;
    int SetTopIndex(int nIndex);
    int GetHorizontalExtent() const;
    void SetHorizontalExtent(int cxExtent);

    // Owner-drawn lists; called from the parent's WM_DRAWITEM, WM_MEASUREITEM,
    // WM_COMPAREITEM and WM_DELETEITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
