#include "controls/CLinkText.h"
#include "controls/CMemDC.h"
#include "framework/CClientDC.h"
#include "framework/CPaintDC.h"
#include "framework/ModuleState.h"

IMPLEMENT_DYNAMIC(CLinkText, CStatic)

BEGIN_MESSAGE_MAP(CLinkText, CStatic)
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CREATE()
END_MESSAGE_MAP()

CLinkText::CLinkText()
{
    // The owner normally sets margins; until then the text starts at the corner.
    m_layout.SetMargins(0, 0);
}

CLinkText::~CLinkText() = default;

void CLinkText::SetBkColor(COLORREF color)
{
    m_crBackground = color;
    m_bOwnBackground = true;
}

int CLinkText::SetMargins(int nLeft, int nTop)
{
    m_layout.SetMargins(nLeft, nTop);
    return nLeft;
}

void CLinkText::SetNotify(CWnd* pWnd, UINT nMessage)
{
    m_pNotifyWnd = pWnd;
    m_nNotifyMessage = nMessage;
}

void CLinkText::InitFont()
{
    LOGFONTW lf = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    m_layout.SetFont(lf);
}

void CLinkText::LayoutWindowText()
{
    CString text;
    if (m_hWnd)
        GetWindowText(text);
    HDC hdc = ::GetDC(nullptr);
    m_layout.LayoutText(hdc, 0, 0, text, true);
    ::ReleaseDC(nullptr, hdc);
    if (text.IsEmpty())
        m_layout.Clear();
}

int CLinkText::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CStatic::OnCreate(lpCreateStruct) == -1)
        return -1;
    InitFont();
    LayoutWindowText();
    return 0;
}

void CLinkText::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    InitFont();
    LayoutWindowText();
    // Clicks reach a static control only with SS_NOTIFY.
    ModifyStyle(0, SS_NOTIFY);
}

LRESULT CLinkText::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_SETTEXT)
        return CStatic::DefWindowProc(message, wParam, lParam);
    // The control would paint the raw markup: store the text with drawing off, then lay it
    // out and paint it our way.
    SetRedraw(FALSE);
    CStatic::DefWindowProc(message, wParam, lParam);
    SetRedraw(TRUE);
    LayoutWindowText();
    Invalidate();
    return TRUE;
}

void CLinkText::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CMemDC mem(&dc, &rc, FALSE);
    // The off-screen DC starts with a default font and colour: take the paint DC's.
    mem.SetTextColor(dc.GetTextColor());
    DrawContent(&mem, rc);
}

void CLinkText::DrawContent(CDC* pDC, const CRect& rc)
{
    if (m_bOwnBackground) {
        pDC->FillSolidRect(&rc, m_crBackground);
    } else if (CWnd* pParent = GetParent()) {
        HBRUSH hBrush = reinterpret_cast<HBRUSH>(
            pParent->SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()),
                                 reinterpret_cast<LPARAM>(m_hWnd)));
        if (hBrush)
            ::FillRect(pDC->GetSafeHdc(), &rc, hBrush);
    }
    CString text;
    GetWindowText(text);
    m_layout.LayoutText(pDC->GetSafeHdc(), rc.left, rc.top, text, false);
}

BOOL CLinkText::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    const BOOL bDefault = CStatic::OnSetCursor(pWnd, nHitTest, message);
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (!m_layout.HitTest(pt))
        return bDefault;
    HCURSOR hCursor = nullptr;
    if (m_nCursorId) {
        hCursor = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nCursorId));
        if (!hCursor)
            hCursor = ::LoadCursorW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_nCursorId));
    }
    if (!hCursor)
        hCursor = ::LoadCursorW(nullptr, IDC_HAND);
    ::SetCursor(hCursor);
    return TRUE;
}

void CLinkText::OnLButtonDown(UINT nFlags, CPoint point)
{
    CLinkInfo* pLink = m_layout.HitTest(point);
    if (!pLink) {
        CStatic::OnLButtonDown(nFlags, point);
        return;
    }
    if (m_pNotifyWnd && m_pNotifyWnd->GetSafeHwnd() && m_nNotifyMessage)
        m_pNotifyWnd->SendMessage(m_nNotifyMessage, 0, reinterpret_cast<LPARAM>(pLink));
}

void CLinkText::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CStatic::OnLButtonDblClk(nFlags, point);
    if (m_pDblClickWnd && m_pDblClickWnd->GetSafeHwnd())
        m_pDblClickWnd->SendMessage(WM_LBUTTONDBLCLK, nFlags, MAKELPARAM(point.x, point.y));
}
