#include "platform/QorView/CxSplitterWnd.h"
#include "platform/QorView/QorViewMessages.h"
#include "standin/QorView/QorViewState.h"

BEGIN_MESSAGE_MAP(CxSplitterWnd, CStatic)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

namespace {
bool ChildRect(HWND hParent, UINT nID, RECT* pRect)
{
    HWND h = ::GetDlgItem(hParent, static_cast<int>(nID));
    if (!h)
        return false;
    ::GetWindowRect(h, pRect);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(pRect), 2);
    return true;
}
} // namespace

BOOL CxSplitterWnd::BindWithControl(CWnd* pParent, UINT nID)
{
    if (!pParent)
        return FALSE;
    HWND h = ::GetDlgItem(pParent->GetSafeHwnd(), static_cast<int>(nID));
    return h && SubclassWindow(h);
}

void CxSplitterWnd::SetMinHeight(int nAbove, int nBelow)
{
    m_nMinAbove = nAbove;
    m_nMinBelow = nBelow;
}

void CxSplitterWnd::AttachAsAbovePane(UINT nID, int) { m_nAbove = nID; }
void CxSplitterWnd::AttachAsBelowPane(UINT nID, int) { m_nBelow = nID; }

void CxSplitterWnd::MoveBar(int dy)
{
    HWND hParent = ::GetParent(m_hWnd);
    RECT rcBar, rcAbove, rcBelow;
    if (!hParent || !ChildRect(hParent, m_nAbove, &rcAbove) || !ChildRect(hParent, m_nBelow, &rcBelow))
        return;
    ::GetWindowRect(m_hWnd, &rcBar);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rcBar), 2);
    if (rcAbove.bottom + dy - rcAbove.top < m_nMinAbove)
        dy = m_nMinAbove - (rcAbove.bottom - rcAbove.top);
    if (rcBelow.bottom - (rcBelow.top + dy) < m_nMinBelow)
        dy = (rcBelow.bottom - rcBelow.top) - m_nMinBelow;
    if (dy == 0)
        return;
    rcAbove.bottom += dy;
    rcBelow.top += dy;
    ::OffsetRect(&rcBar, 0, dy);
    auto place = [hParent](UINT id, const RECT& rc) {
        ::MoveWindow(::GetDlgItem(hParent, static_cast<int>(id)), rc.left, rc.top, rc.right - rc.left,
                     rc.bottom - rc.top, FALSE);
    };
    place(m_nAbove, rcAbove);
    place(m_nBelow, rcBelow);
    ::MoveWindow(m_hWnd, rcBar.left, rcBar.top, rcBar.right - rcBar.left, rcBar.bottom - rcBar.top, TRUE);
    ::SendMessageW(hParent, WM_QORVIEW_RELAYOUT, 0, 0);
}

void CxSplitterWnd::OnLButtonDown(UINT, CPoint point)
{
    m_bDragging = true;
    POINT pt = {point.x, point.y};
    ::ClientToScreen(m_hWnd, &pt);
    m_nDragY = pt.y;
    ::SetCapture(m_hWnd);
}

void CxSplitterWnd::OnMouseMove(UINT, CPoint point)
{
    if (!m_bDragging)
        return;
    POINT pt = {point.x, point.y};
    ::ClientToScreen(m_hWnd, &pt);
    MoveBar(pt.y - m_nDragY);
    m_nDragY = pt.y;
}

void CxSplitterWnd::OnLButtonUp(UINT, CPoint)
{
    if (m_bDragging) {
        m_bDragging = false;
        ::ReleaseCapture();
    }
}

BOOL CxSplitterWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZENS));
    return TRUE;
}
