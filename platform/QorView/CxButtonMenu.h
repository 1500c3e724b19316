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

protected:
    afx_msg void OnClicked();
    DECLARE_MESSAGE_MAP()

    UINT m_nMenuID = 0;
    std::map<UINT, CString> m_images;
};
