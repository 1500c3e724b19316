#pragma once
// The view library's skinned toolbar, laid over a placeholder static of its parent. Items are
// drawn left to right, each with its image and text; a click on an item posts WM_QORVIEW_TOOLBAR
// (wParam = the item's id) to the toolbar's owner.
#include "framework/CStatic.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include <vector>

class CxToolbar : public CStatic {
public:
    struct Item {
        int nId = 0;
        CString strImage;   // skin image name ("xToolbarRefresh")
        CString strText;
        CString strTip;
        int nWidth = 0;     // width of the image part, in pixels
        bool bFlag = false;
        int nStyle = 0;     // 1: the item shows its text beside the image
        int nConst = 0;
        RECT rcMargins = {0, 0, 0, 0};
    };

    // The window that receives the item clicks (the parent when none is set).
    void SetOwner(CWnd* pOwner) { m_pOwner = pOwner; }
    CWnd* GetOwner() const { return m_pOwner; }
    void SetItemClass(LPCWSTR lpszClass) { m_strItemClass = lpszClass ? lpszClass : L""; }
    const CString& GetItemClass() const { return m_strItemClass; }

    BOOL AddItem(int nId, LPCWSTR lpszImage, const CString& strText, const CString& strTip, int nWidth, bool bFlag,
                 int nStyle, int nConst, int nLeft, int nTop, int nRight, int nBottom);
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    const Item* GetItemAt(int nIndex) const;
    // The item's rectangle in the toolbar's client coordinates; FALSE for an unknown id.
    BOOL GetItemRect(int nId, RECT* pRect) const;

protected:
    afx_msg void OnPaint();
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg UINT OnGetDlgCode() { return DLGC_STATIC; }
    DECLARE_MESSAGE_MAP()

    CWnd* m_pOwner = nullptr; // not owned
    CString m_strItemClass;
    std::vector<Item> m_items;
};
