#include "msgcenter/titlelist/CMsgListLayout.h"
#include "framework/CWnd.h"

void CMsgListLayout::Start(CWnd& pane)
{
    CRect rc;
    pane.GetClientRect(&rc);
    m_nWidth = rc.Width();
    m_nHeight = rc.Height();
}

bool CMsgListLayout::Resize(CWnd& pane, CWnd& label, CWnd& list, int cx, int cy, int& dx)
{
    dx = cx - m_nWidth;
    const int dy = cy - m_nHeight;
    m_nWidth = cx;
    m_nHeight = cy;
    if (!label.GetSafeHwnd() || !list.GetSafeHwnd())
        return false;
    CRect rc;
    label.GetWindowRect(&rc);
    pane.ScreenToClient(&rc);
    rc.right += dx;
    label.MoveWindow(&rc);
    list.GetWindowRect(&rc);
    pane.ScreenToClient(&rc);
    rc.right += dx;
    rc.bottom += dy;
    list.MoveWindow(&rc);
    return true;
}
