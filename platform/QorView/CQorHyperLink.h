#pragma once
// The view library's link label: a static control drawn in its link colour, underlined when
// asked. A click is reported to its owner as the skin-child message WM_QORVIEW_SKIN_CLICK (2025) with
// the link's window in wParam; the parent also hears STN_CLICKED, as from any notify static.
#include "framework/CStatic.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"

class CQorHyperLink : public CStatic {
public:
    ~CQorHyperLink() override;

    // The window told of clicks (null: nobody); the link becomes a notify static.
    void SetOwner(CWnd* pOwner);
    HWND GetOwnerWnd() const { return m_hOwner; }
    // The colours of a link not yet and already visited.
    void SetColors(COLORREF crLink, COLORREF crHover) { m_crLink = crLink; m_crHover = crHover; }
    COLORREF GetLinkColor() const { return m_crLink; }
    void SetUnderline(BOOL bUnderline);
    BOOL GetUnderline() const { return m_bUnderline; }
    void SetWindowTextEx(const CString& strText);

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    COLORREF m_crLink = RGB(0, 0, 255);
    COLORREF m_crHover = RGB(0, 0, 255);
    BOOL m_bUnderline = FALSE;
    HWND m_hOwner = nullptr;
    HFONT m_hUnderlineFont = nullptr; // owned
};
