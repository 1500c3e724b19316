#include "platform/QorView/CxMenu.h"

CString CxMenu::GetMenuItemImage(UINT nCommand) const
{
    auto it = m_images.find(nCommand);
    return it != m_images.end() ? it->second : CString();
}
