#pragma once
// A combo box: a list with an edit field (CBS_DROPDOWN) or a plain drop-down list.
// Indexes are zero-based; CB_ERR (-1) means none or failure.
// https://learn.microsoft.com/windows/win32/controls/combo-boxes
#include "framework/CWnd.h"

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    CComboBox() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Items
    int GetCount() const;
    int AddString(LPCWSTR lpszString);
    int InsertString(int nIndex, LPCWSTR lpszString);
    // Answers the number of items left, CB_ERR for a bad index.
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetLBText(int nIndex, LPWSTR lpszText) const;
    // The item's text; empty for a bad index.
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    void* GetItemDataPtr(int nIndex) const;
    int SetItemDataPtr(int nIndex, void* pData);
    int GetItemHeight(int nIndex) const;
    int SetItemHeight(int nIndex, UINT cyItemHeight);

    // Search: from the item after nStartAfter (-1: the whole list), wrapping round; FindString
    // matches a prefix, FindStringExact the whole text, both ignoring case.
    int FindString(int nStartAfter, LPCWSTR lpszString) const;
    int FindStringExact(int nIndexStart, LPCWSTR lpszFind) const;
    // Selects the first item found as FindString does; answers its index or CB_ERR.
    int SelectString(int nStartAfter, LPCWSTR lpszString);

    // Selection
    int GetCurSel() const;
    // -1 clears the selection; answers CB_ERR for a bad index (and for -1).
    int SetCurSel(int nSelect);
    int GetTopIndex() const;
    int SetTopIndex(int nIndex);

    // Drop-down list
    void ShowDropDown(BOOL bShowIt = TRUE);
    BOOL GetDroppedState() const;
    void GetDroppedControlRect(LPRECT lprect) const;
    int GetDroppedWidth() const;
    int SetDroppedWidth(UINT nWidth);
    BOOL GetComboBoxInfo(PCOMBOBOXINFO pcbi) const;

    // Edit field
    // Low word start, high word end of the selection.
    DWORD GetEditSel() const;
    BOOL SetEditSel(int nStartChar, int nEndChar);
    BOOL LimitText(int nMaxChars);
    void Clear();
    void Copy();
    void Cut();
    void Paste();

    // Owner-drawn lists; called from the parent's WM_DRAWITEM, WM_MEASUREITEM,
    // WM_COMPAREITEM and WM_DELETEITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
