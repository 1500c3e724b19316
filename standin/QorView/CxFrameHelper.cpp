#include "platform/QorView/CxFrameHelper.h"
#include "framework/CDC.h"
#include "platform/QorView/CQorViewBaseFun.h"

void CxFrameHelper::SetTitleTextPadding(int left, int top, int right, int bottom)
{
    m_rcTitlePadding = RECT{left, top, right, bottom};
}

void CxFrameHelper::GetClientRectEx(RECT* pRect) const
{
    if (!pRect)
        return;
    *pRect = RECT{0, 0, 0, 0};
    if (m_hHelperWnd)
        ::GetClientRect(m_hHelperWnd, pRect);
}

void CxFrameHelper::_PaintBk(CDC* pDC) { _PaintBk(pDC ? pDC->GetSafeHdc() : HDC(nullptr)); }

// A blue band fading into the background at the top, plain background below.
void CxFrameHelper::_PaintBk(HDC hDC)
{
    if (!hDC || !m_hHelperWnd)
        return;
    RECT rc;
    ::GetClientRect(m_hHelperWnd, &rc);
    HBRUSH brush = ::CreateSolidBrush(m_crBk);
    ::FillRect(hDC, &rc, brush);
    ::DeleteObject(brush);
    RECT band = rc;
    band.bottom = band.top + min(static_cast<LONG>(120), rc.bottom - rc.top);
    CQorViewBaseFun::WqGradientFill(hDC, band, RGB(41, 110, 190), m_crBk, TRUE);
}
