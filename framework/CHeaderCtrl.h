#pragma once
// A header control: the column titles of a report list, or a stand-alone header.
// https://learn.microsoft.com/windows/win32/controls/header-controls
#include "framework/CWnd.h"
#include <commctrl.h>

class CImageList;

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    CHeaderCtrl() = default;

    // The owning CHeaderCtrl (for a subclassed header, the derived object), or a temporary one
    // until the loop next goes idle; nullptr for a null handle or an owner of another class.
    static CHeaderCtrl* FromHandle(HWND hWnd);

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Items are addressed by index (the order of insertion); the display order may differ.
    int GetItemCount() const;
    BOOL GetItem(int nPos, HDITEMW* pHeaderItem) const;
    BOOL SetItem(int nPos, HDITEMW* pHeaderItem);
    int InsertItem(int nPos, HDITEMW* phdi);
    BOOL DeleteItem(int nPos);
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
    // The item indexes in display order; iCount -1 means all items.
    BOOL GetOrderArray(LPINT piArray, int iCount = -1) const;
    BOOL SetOrderArray(int iCount, LPINT piArray);
    // The index of the item shown at display position nOrder.
    int OrderToIndex(int nOrder) const;
    int HitTest(LPHDHITTESTINFO pHeaderHitTestInfo);
    BOOL Layout(HDLAYOUT* pHeaderLayout);
    CImageList* GetImageList() const;
    CImageList* SetImageList(CImageList* pImageList);
    int GetBitmapMargin() const;
    int SetBitmapMargin(int nWidth);

    // Paints an HDF_OWNERDRAW item; called from the parent's WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
