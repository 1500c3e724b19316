#include "controls/CMemDC.h"

CMemDC::CMemDC(CDC* pDC, const RECT* pRect, BOOL bFill)
{
    Init(pDC, pRect, true);
    if (bFill && m_pDC && m_hDC)
        FillSolidRect(&m_rect, ::GetBkColor(m_pDC->m_hAttribDC ? m_pDC->m_hAttribDC : m_pDC->m_hDC));
}

CMemDC::CMemDC(CDC* pDC, const RECT* pRect)
{
    Init(pDC, pRect, false);
    if (m_pDC && m_hDC)
        FillSolidRect(&m_rect, RGB(255, 255, 255));
}
