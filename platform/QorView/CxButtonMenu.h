#pragma once
// A skinned button that drops down a menu from the resource module; the chosen command
// goes to the button's parent as WM_COMMAND, as a menu of the parent would send it.
#include "framework/MessageMap.h"
#include "platform/QorView/CxButtonBase.h"
#include <map>

class CxButtonMenu : public CxButtonBase {
public:
    // The menu resource whose first popup the button shows.
    void SetButtonMenu(UINT nMenuID) { m_nMenuID = nMenuID; }
    UINT GetButtonMenu() const { return m_nMenuID; }
    // The skin image text of a menu item ("file='...' source='0,0,11,11' align='2' ").
    void SetMenuItemImage(UINT nCommand, const CString& strImage) { m_images[nCommand] = strImage; }
    CString GetMenuItemImage(UINT nCommand) const;
    // Drops the menu down under the button; returns the chosen command (0 = none) after
    // sending it to the parent.
    UINT ShowMenu();
    // The look of the button and its menu: a font of the skin by name ("f.user.name"), the
    // drop-down's item height and width, and which of its images the button shows.
    void SetTextFont(LPCWSTR lpszFontName) { m_strFont = lpszFontName ? lpszFontName : L""; }
    const CString& GetTextFont() const { return m_strFont; }
    void SetMenuItemSize(int nHeight, int nWidth) { m_nItemHeight = nHeight; m_nItemWidth = nWidth; }
    int GetMenuItemHeight() const { return m_nItemHeight; }
    int GetMenuItemWidth() const { return m_nItemWidth; }
    void SetIconIndex(int nIndex) { m_nIconIndex = nIndex; }
    int GetIconIndex() const { return m_nIconIndex; }

protected:
    afx_msg void OnClicked();
    DECLARE_MESSAGE_MAP()

    UINT m_nMenuID = 0;
    std::map<UINT, CString> m_images;
    CString m_strFont;
    int m_nItemHeight = 0;
    int m_nItemWidth = 0;
    int m_nIconIndex = 0;
};
