#include "platform/QorView/CxButtonMenu.h"
#include "framework/CMenu.h"
#include "standin/QorView/QorViewState.h"

BEGIN_MESSAGE_MAP(CxButtonMenu, CxButtonBase)
    ON_CONTROL_REFLECT(BN_CLICKED, &CxButtonMenu::OnClicked)
END_MESSAGE_MAP()

CString CxButtonMenu::GetMenuItemImage(UINT nCommand) const
{
    auto it = m_images.find(nCommand);
    return it != m_images.end() ? it->second : CString();
}

void CxButtonMenu::OnClicked() { ShowMenu(); }

UINT CxButtonMenu::ShowMenu()
{
    qorview_detail::Record(L"CxButtonMenu::ShowMenu", qorview_detail::Num(m_nMenuID));
    if (!m_nMenuID || !::IsWindow(m_hWnd))
        return 0;
    CMenu menu;
    if (!menu.LoadMenu(m_nMenuID))
        return 0;
    HMENU popup = ::GetSubMenu(menu.GetSafeHmenu(), 0);
    if (!popup)
        return 0;
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    HWND parent = ::GetParent(m_hWnd);
    UINT cmd = static_cast<UINT>(::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, rc.left,
                                                  rc.bottom, 0, parent ? parent : m_hWnd, nullptr));
    if (cmd && parent)
        ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(cmd, 0), 0);
    return cmd;
}
