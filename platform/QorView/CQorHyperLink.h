#pragma once
// The view library's link label: a static control with link colours and an underline that
// tells its parent when it is clicked (STN_CLICKED through WM_COMMAND, as a notify static).
#include "framework/CStatic.h"
#include "framework/CString.h"

class CQorHyperLink : public CStatic {
public:
    void SetColors(COLORREF crLink, COLORREF crHover) { m_crLink = crLink; m_crHover = crHover; }
    COLORREF GetLinkColor() const { return m_crLink; }
    void SetUnderline(BOOL bUnderline) { m_bUnderline = bUnderline; }
    BOOL GetUnderline() const { return m_bUnderline; }
    void SetWindowTextEx(const CString& strText);

protected:
    COLORREF m_crLink = RGB(0, 0, 255);
    COLORREF m_crHover = RGB(0, 0, 255);
    BOOL m_bUnderline = FALSE;
};
