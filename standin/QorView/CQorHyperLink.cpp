#include "platform/QorView/CQorHyperLink.h"
#include "framework/CDC.h"
#include "platform/QorView/QorViewMessages.h"

namespace {

void MakeNotify(HWND hWnd)
{
    if (::IsWindow(hWnd))
        ::SetWindowLongPtrW(hWnd, GWL_STYLE, ::GetWindowLongPtrW(hWnd, GWL_STYLE) | SS_NOTIFY);
}

} // namespace

BEGIN_MESSAGE_MAP(CQorHyperLink, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CQorHyperLink::~CQorHyperLink()
{
    if (m_hUnderlineFont)
        ::DeleteObject(m_hUnderlineFont);
}

void CQorHyperLink::SetOwner(CWnd* pOwner)
{
    m_hOwner = pOwner ? pOwner->GetSafeHwnd() : nullptr;
    MakeNotify(m_hWnd);
}

void CQorHyperLink::SetUnderline(BOOL bUnderline)
{
    m_bUnderline = bUnderline;
    if (!::IsWindow(m_hWnd))
        return;
    if (bUnderline && !m_hUnderlineFont) {
        HFONT hFont = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
        LOGFONTW lf = {};
        if (::GetObjectW(hFont ? static_cast<HGDIOBJ>(hFont) : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf)) {
            lf.lfUnderline = TRUE;
            m_hUnderlineFont = ::CreateFontIndirectW(&lf);
        }
        if (m_hUnderlineFont)
            ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_hUnderlineFont), FALSE);
    }
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CQorHyperLink::SetWindowTextEx(const CString& strText)
{
    if (::IsWindow(m_hWnd)) {
        ::SetWindowTextW(m_hWnd, strText);
        // The parent hears clicks only from a notify static.
        MakeNotify(m_hWnd);
    }
}

HBRUSH CQorHyperLink::CtlColor(CDC* pDC, UINT)
{
    if (!pDC)
        return nullptr;
    ::SetTextColor(pDC->GetSafeHdc(), m_crLink);
    ::SetBkMode(pDC->GetSafeHdc(), TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
}

void CQorHyperLink::OnLButtonUp(UINT, CPoint)
{
    const HWND hSelf = m_hWnd;
    Default();
    // The owner may hide or destroy the link in its answer, so it is told last.
    if (m_hOwner && ::IsWindow(m_hOwner))
        ::SendMessageW(m_hOwner, WM_QORVIEW_SKIN_CLICK, reinterpret_cast<WPARAM>(hSelf), 0);
}
