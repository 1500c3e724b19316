#pragma once
// The view library's skinned edit box.
#include "framework/CString.h"
#include "platform/QorView/CFlatEdit.h"

class CSkinEdit : public CFlatEdit {
public:
    // The skin element the box is drawn with ("xNormalEdit").
    void SetSkin(LPCWSTR lpszSkinName) { m_strSkin = lpszSkinName ? lpszSkinName : L""; }
    const CString& GetSkin() const { return m_strSkin; }
    // Makes the box exactly one line of its font high (keeping its top).
    void FitToFontHeigt();

private:
    CString m_strSkin;
};
