#include "platform/QorView/CQorResizer.h"

void CQorResizer::SetParent(HWND hParent)
{
    m_hParent = hParent;
    RECT rc = {};
    if (hParent)
        ::GetClientRect(hParent, &rc);
    m_szRef = SIZE{rc.right, rc.bottom};
}

BOOL CQorResizer::AddControl(HWND hChild, UINT nAnchors)
{
    if (!m_hParent || !hChild || ::GetParent(hChild) != m_hParent)
        return FALSE;
    Item item = {hChild, nAnchors, {}};
    ::GetWindowRect(hChild, &item.rc);
    ::MapWindowPoints(nullptr, m_hParent, reinterpret_cast<POINT*>(&item.rc), 2);
    m_items.push_back(item);
    return TRUE;
}

BOOL CQorResizer::AddControl(UINT nID, UINT nAnchors)
{
    return m_hParent ? AddControl(::GetDlgItem(m_hParent, static_cast<int>(nID)), nAnchors) : FALSE;
}

void CQorResizer::DeleteAll() { m_items.clear(); }

// An edge anchored to the right or bottom keeps its distance from that edge; a control
// anchored on both sides stretches.
void CQorResizer::Resize(int cx, int cy)
{
    int dx = cx - m_szRef.cx, dy = cy - m_szRef.cy;
    for (const Item& item : m_items) {
        if (!::IsWindow(item.hWnd))
            continue;
        RECT rc = item.rc;
        if (item.anchors & AnchorRight) {
            rc.right += dx;
            if (!(item.anchors & AnchorLeft))
                rc.left += dx;
        }
        if (item.anchors & AnchorBottom) {
            rc.bottom += dy;
            if (!(item.anchors & AnchorTop))
                rc.top += dy;
        }
        ::SetWindowPos(item.hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
