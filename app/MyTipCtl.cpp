#include "app/MyTipCtl.h"
#include "app/CTipMgr.h"

LRESULT MyTipCtl::Notify(WPARAM wParam, LPARAM lParam)
{
    if (m_pOwner)
        m_pOwner->OnTipClick(static_cast<int>(wParam), reinterpret_cast<void*>(lParam));
    return 0;
}
