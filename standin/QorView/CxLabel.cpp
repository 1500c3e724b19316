#include "platform/QorView/CxLabel.h"
#include "framework/CDC.h"
#include "standin/QorView/QorViewState.h"

BEGIN_MESSAGE_MAP(CxLabel, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

void CxLabel::SetTextColor(COLORREF cr)
{
    m_crText = cr;
    m_bColorSet = true;
    if (::IsWindow(m_hWnd))
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CxLabel::SetTextColor(LPCWSTR lpszColorName) { SetTextColor(qorview_detail::SkinColor(lpszColorName)); }

// The label paints its text in its own colour on the parent's background.
HBRUSH CxLabel::CtlColor(CDC* pDC, UINT nCtlColor)
{
    if (!m_bColorSet || !pDC)
        return nullptr;
    ::SetTextColor(pDC->GetSafeHdc(), m_crText);
    ::SetBkMode(pDC->GetSafeHdc(), TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
}
