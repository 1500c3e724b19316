#pragma once
// The view library's skinned label: a static control with a skin name, a text colour
// (used when it paints) and a text alignment (DT_* flags: 1 centre, 0x11 centre
// vertically and horizontally... as the skin reads them).
#include "framework/CStatic.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"

class CxLabel : public CStatic {
public:
    void SetSkin(LPCWSTR lpszSkinName) { m_strSkin = lpszSkinName ? lpszSkinName : L""; }
    const CString& GetSkin() const { return m_strSkin; }
    void SetTextColor(COLORREF cr);
    void SetTextColor(LPCWSTR lpszColorName);
    COLORREF GetTextColor() const { return m_crText; }
    void SetTextAlign(UINT nAlign) { m_nAlign = nAlign; }
    UINT GetTextAlign() const { return m_nAlign; }

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    CString m_strSkin;
    COLORREF m_crText = RGB(0, 0, 0);
    bool m_bColorSet = false;
    UINT m_nAlign = 0;
};
