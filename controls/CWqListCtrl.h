#pragma once
// CWqListCtrl: the report list of the message panes and dialogs.
// https://learn.microsoft.com/windows/win32/controls/list-view-controls-overview
//
// Beside the platform list view it offers: a flat coloured header (CWqListHeaderCtrl) with a
// sort arrow and bitmaps in place of titles; sorting by a click on a column header, in place
// (rows exchanged whole) or by asking the parent to re-query (WM_LIST_SORT_COLUMN); column
// widths kept in the application profile as one "%d," list; a text kept as each row's item
// data and owned by the control; a one-pixel frame; per-row colours through custom draw.
#include "framework/CImageList.h"
#include "framework/CListCtrl.h"
#include "framework/CObList.h"
#include "framework/CStringArray.h"
#include "framework/CUIntArray.h"
#include "controls/CWqListHeaderCtrl.h"

// Posted to the parent of an owner-sorted list after a click on a column header:
// wParam = the column, lParam = 1 for a descending order, 0 for an ascending one.
#define WM_LIST_SORT_COLUMN (WM_USER + 2009)

class CWqListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CWqListCtrl)
public:
    CWqListCtrl();
    ~CWqListCtrl() override;

// Set-up
    void SetListColor(COLORREF color) { m_crFrame = color; }
    // Where the column widths are kept; turns saving on.
    void SetColumnSettingKey(LPCWSTR lpszSection, LPCWSTR lpszKey);
    void AddExtendedStyle(DWORD dwBits);
    void SetFullRowSelect(BOOL bOn);
    void SetHeaderBkColor(COLORREF color);
    void SetSortingEnabled(BOOL bOn) { m_bSortingEnabled = bOn; }
    void SetOwnerSorted(BOOL bOn) { m_bOwnerSorted = bOn; }
    int GetHeaderBitmapOffset() const { return m_nHeaderBitmapOffset; }
    CWqListHeaderCtrl& GetHeader() { return m_header; }

// Columns
    // One left-aligned column per title with the width at the same index; a bitmap id above 0
    // shows that bitmap instead of the title. With bRestore and saving on, the saved widths
    // are applied afterwards. TRUE.
    BOOL InsertColumns(const CUIntArray& widths, const CStringArray& titles, const CUIntArray& bitmaps,
                       BOOL bRestore);
    BOOL InsertColumnsFromResources(int nCount, const UINT* pWidths, const UINT* pStringIds, BOOL bRestore);
    void AddColumnDef(LPCWSTR lpszTitle, UINT nWidth, UINT nBitmapId, LPCWSTR lpszKey);
    void CreateColumns();
    void SetImageBitmap(UINT nBitmapId, COLORREF crMask = 0xFF00FF) { m_nImageBitmapId = nBitmapId; m_crImageMask = crMask; }
    BOOL SetHeaderBitmap(int nColumn, UINT nBitmapId, int nFormatClear);
    void SaveColumnWidths();
    void RestoreColumnWidths();
    void RestoreColumnWidth(int nColumn);
    void AutoSizeColumn(int nColumn);

// Rows
    // Keeps a heap copy of the text as the row's item data (freeing the one it replaces).
    BOOL SetItemDataString(int nRow, LPCWSTR lpszText);
    CString GetItemDataText(int nRow) const;
    BOOL DeleteItem(int nRow);
    BOOL DeleteAllItems();
    int AppendItem(LPCWSTR lpszText);
    CString GetItemTextByKey(int nRow, LPCWSTR lpszKey) const;
    void SelectAndShow(int nRow);
    int GetSelectedItem() const;
    void ClearSelection();
    void AddRowBkColor(int nRow, COLORREF color);
    void AddRowTextColor(int nRow, COLORREF color);

// Sorting (in place)
    BOOL SortItemsByText(int nColumn, BOOL bAscending, int nLow = 0, int nHigh = -1);
    BOOL SortItemsByImage(int nColumn, BOOL bAscending, int nLow = 0, int nHigh = -1);
    int GetSortColumn() const { return m_nSortColumn; }
    BOOL IsSortAscending() const { return m_bAscending; }

    void PreSubclassWindow() override;

    // The profile file where widths are kept; by default "<program>.ini" beside the program.
    static void SetProfilePath(LPCWSTR lpszPath);
    static CString GetProfilePath();

protected:
    // Subclasses the list view's header into m_header (once); FALSE when that fails.
    BOOL InitHeader();
    void FreeItemData(int nRow);
    COLORREF GetRowColor(int nKind, int nRow, COLORREF crDefault) const;
    virtual CString ReadProfileString(LPCWSTR lpszSection, LPCWSTR lpszKey) const;
    virtual void WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszValue) const;

    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnDeleteItemNotify(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    BOOL m_bNormalHeaderFont = FALSE;
    UINT m_nImageBitmapId = 0;
    COLORREF m_crImageMask = 0xFF00FF;
    CImageList m_imageList;
    BOOL m_bRowColors = FALSE;
    CStringArray m_arrColumnTitles;
    CUIntArray m_arrColumnWidths;
    CUIntArray m_arrHeaderBitmapIds;
    CStringArray m_arrColumnKeys;
    int m_nHeaderBitmapOffset = 0;
    int m_nSortColumn = -1;
    BOOL m_bAscending = TRUE;
    BOOL m_bSaveWidths = FALSE;
    CString m_strSection;
    CString m_strKey;
    CWqListHeaderCtrl m_header;
    COLORREF m_crFrame = 0xFFFFFF;
    CObList m_listHeaderBitmaps; // CBitmap*, owned
    CObList m_listAttribs;       // CWqListAttribItem*, owned
    BOOL m_bSortingEnabled = FALSE;
    BOOL m_bOwnerSorted = FALSE;
    int m_nImageWidth = 16;
    int m_nImageHeight = 16;
};
