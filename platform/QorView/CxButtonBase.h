#pragma once
// The view library's skinned push button. It keeps its skin element name ("xButtonLogin"),
// its text colour and its tooltip; our library draws it as a plain Win32 button.
#include "framework/CButton.h"
#include "framework/CString.h"

class CxButtonBase : public CButton {
public:
    void SetSkin(LPCWSTR lpszSkinName) { m_strSkin = lpszSkinName ? lpszSkinName : L""; }
    const CString& GetSkin() const { return m_strSkin; }
    void SetTextColor(COLORREF cr) { m_crText = cr; }
    // A colour of the skin by name ("c.font.normal").
    void SetTextColor(LPCWSTR lpszColorName);
    COLORREF GetTextColor() const { return m_crText; }
    void SetToolTipText(const CString& strTip) { m_strToolTip = strTip; }
    const CString& GetToolTipText() const { return m_strToolTip; }
    void SetTransparent(BOOL bTransparent) { m_bTransparent = bTransparent; }
    BOOL IsTransparent() const { return m_bTransparent; }

protected:
    CString m_strSkin;
    CString m_strToolTip;
    COLORREF m_crText = RGB(0, 0, 0);
    BOOL m_bTransparent = FALSE;
};
