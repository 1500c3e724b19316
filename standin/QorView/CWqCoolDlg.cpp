#include "platform/QorView/CWqCoolDlg.h"
#include "standin/QorView/QorViewState.h"

BEGIN_MESSAGE_MAP(CWqCoolDlg, CDialog)
    ON_WM_GETMINMAXINFO()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CWqCoolDlg::CWqCoolDlg(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}

void CWqCoolDlg::SetMinimumSize(int cx, int cy) { m_szMin = SIZE{cx, cy}; }
void CWqCoolDlg::SetMaximumSize(int cx, int cy) { m_szMax = SIZE{cx, cy}; }

void CWqCoolDlg::ApplyMinimumSize()
{
    if (!m_bMinSize || !::IsWindow(m_hWnd))
        return;
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    int cx = max(static_cast<int>(rc.right - rc.left), static_cast<int>(m_szMin.cx));
    int cy = max(static_cast<int>(rc.bottom - rc.top), static_cast<int>(m_szMin.cy));
    if (cx != rc.right - rc.left || cy != rc.bottom - rc.top)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWqCoolDlg::SetRoundCorner(int cx, int cy)
{
    m_nRoundX = cx;
    m_nRoundY = cy;
    ApplyRegion();
}

BOOL CWqCoolDlg::OnInitDialog()
{
    BOOL result = CDialog::OnInitDialog();
    ApplyRegion();
    return result;
}

void CWqCoolDlg::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CDialog::OnGetMinMaxInfo(lpMMI);
    if (m_bMinSize && m_szMin.cx > 0 && m_szMin.cy > 0)
        lpMMI->ptMinTrackSize = POINT{m_szMin.cx, m_szMin.cy};
    if (m_bMaxSize && m_szMax.cx > 0 && m_szMax.cy > 0)
        lpMMI->ptMaxTrackSize = POINT{m_szMax.cx, m_szMax.cy};
}

void CWqCoolDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        ApplyRegion();
}

// Round corners are a window region over the whole window rectangle.
void CWqCoolDlg::ApplyRegion()
{
    if (!::IsWindow(m_hWnd) || (m_nRoundX <= 0 && m_nRoundY <= 0))
        return;
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    HRGN rgn = ::CreateRoundRectRgn(0, 0, rc.right - rc.left + 1, rc.bottom - rc.top + 1, m_nRoundX, m_nRoundY);
    if (rgn && !::SetWindowRgn(m_hWnd, rgn, TRUE))
        ::DeleteObject(rgn); // the system owns the region only when it was taken
}
