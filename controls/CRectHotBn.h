#pragma once
// CRectHotBn: an owner-drawn push button with a hover state, per-state bitmaps or icons,
// colours, a tooltip, its own cursor, an optional check mode and an optional drop-down menu.
// A click tells its target window with WM_HOTBN_CLICKED (wParam = the button, lParam = its
// command text) or, in menu mode, opens the menu under the button.
#include "framework/CBitmap.h"
#include "framework/CButton.h"
#include "framework/CDC.h"
#include "framework/CFont.h"
#include "framework/CImageList.h"
#include "framework/CMenu.h"
#include "framework/CToolTipCtrl.h"

#define WM_HOTBN_CLICKED (WM_USER + 400)

class CRectHotBn : public CButton {
    DECLARE_DYNAMIC(CRectHotBn)
public:
    enum ColorIndex { kBkActive = 0, kTextActive, kBkInactive, kTextInactive, kColorCount };
    enum { kCheckedBk = 0xD8D8D8, kFrameCorner = 0xD6AE8C, kFrameLight = 0xFFF3DE };

    CRectHotBn();
    ~CRectHotBn() override;

// Images: bitmaps by resource id for the normal, hover and pressed states (0: as normal);
// crMask is their transparent colour (CLR_NONE: none). Icons for normal and hover.
    BOOL SetBitmaps(UINT nIdNormal, UINT nIdHover = 0, UINT nIdPressed = 0, COLORREF crMask = CLR_NONE);
    BOOL SetIcons(UINT nIdNormal, UINT nIdHover = 0);
// Colours
    void SetColor(ColorIndex index, COLORREF color, BOOL bRedraw = TRUE);
    COLORREF GetColor(ColorIndex index) const { return m_colors[index]; }
    void SetDefaultColors(BOOL bRedraw = TRUE);
// Behaviour
    BOOL SetBtnCursor(UINT nCursorId);
    void SetTooltipText(LPCWSTR lpszText, BOOL bActivate = TRUE);
    void ResetFont();
    // Forgets the cached copy of the parent's background so that it is taken again.
    void RefreshParentBackground();
    void SetCheckMode(BOOL bOn) { m_bCheckMode = bOn; }
    BOOL IsChecked() const { return m_bChecked; }
    void SetChecked(BOOL bChecked) { m_bChecked = bChecked; if (m_hWnd) Invalidate(); }
    void SetTarget(CWnd* pTarget, LPCWSTR lpszCommand) { m_pTarget = pTarget; m_strCommand = lpszCommand; }
    BOOL SetMenu(UINT nMenuId);
    void SetHoverTracking(BOOL bOn) { m_bTracking = bOn; }
    BOOL IsHovering() const { return m_bHover; }

    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void EnsureTooltip();
    void FreeBackground();
    void DrawImage(CDC* pDC, const CRect& rc, bool hover, bool pressed);

    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSysColorChange();
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg BOOL OnClicked();
    DECLARE_MESSAGE_MAP()

    BOOL m_bTracking = TRUE;
    BOOL m_bHover = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bCheckMode = FALSE;
    BOOL m_bChecked = FALSE;
    CWnd* m_pTarget = nullptr; // not owned
    CString m_strCommand;
    CMenu m_menu;
    BOOL m_bMenuMode = FALSE;
    CToolTipCtrl m_tooltip;
    HCURSOR m_hCursor = nullptr;
    CFont m_font;
    CBitmap m_bitmaps[3];       // normal, hover, pressed
    CSize m_bitmapSize;
    COLORREF m_crMask = CLR_NONE;
    HICON m_hIcons[2] = {};     // normal, hover; owned
    CSize m_iconSize;
    CImageList m_imageList;
    CDC m_dcBk;                 // cached copy of the parent's background
    CBitmap m_bmpBk;
    HGDIOBJ m_hOldBk = nullptr;
    COLORREF m_colors[kColorCount];
};
