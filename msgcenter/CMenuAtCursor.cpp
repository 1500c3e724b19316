#include "msgcenter/CMenuAtCursor.h"
#include "framework/CMenu.h"
#include "framework/CPoint.h"
#include "platform/QorView/CxMenu.h"

bool CMenuAtCursor::Track(UINT nIDMenu, CWnd* pOwner)
{
    CxMenu menu;
    if (!menu.LoadMenu(nIDMenu))
        return false;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (!pPopup)
        return false;
    CPoint pt;
    ::GetCursorPos(&pt);
    pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, pt.x, pt.y, pOwner);
    return true;
}
