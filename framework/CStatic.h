#pragma once
// A static control: a label, a picture (bitmap, icon, cursor) or an owner-drawn area.
// https://learn.microsoft.com/windows/win32/controls/static-controls
#include "framework/CWnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    CStatic() = default;

    BOOL Create(LPCWSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF);

    // Each answers the image shown before (the control does not own what it is given:
    // the caller keeps and later deletes its bitmap or icon).
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;
    HCURSOR SetCursor(HCURSOR hCursor);
    HCURSOR GetCursor() const;
    HENHMETAFILE SetEnhMetaFile(HENHMETAFILE hMetaFile);
    HENHMETAFILE GetEnhMetaFile() const;

    // Paints an SS_OWNERDRAW control; called from the parent's WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
