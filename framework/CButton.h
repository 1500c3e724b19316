#pragma once
// A button: push button, check box, radio button, group box or owner-drawn button.
// https://learn.microsoft.com/windows/win32/controls/buttons
#include "framework/CWnd.h"

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    CButton() = default;

    BOOL Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const;
    void SetCheck(int nCheck);
    // The BST_* state bits: check state, BST_PUSHED (highlighted), BST_FOCUS.
    UINT GetState() const;
    void SetState(BOOL bHighlight);
    // The BS_* type and option bits of the window style.
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
    // Images shown by BS_BITMAP and BS_ICON buttons; each answers the previous one. The
    // caller keeps ownership of what it gives.
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
    // Clicks the button as the user would (the parent receives BN_CLICKED).
    void Click();

    // Paints a BS_OWNERDRAW button; called from the parent's WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
