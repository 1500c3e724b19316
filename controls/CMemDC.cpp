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

void CMemDC::Init(CDC* pDC, const RECT* pRect, bool bConvert)
{
    m_pDC = pDC;
    if (!pDC || !pDC->m_hDC)
        return;
    m_bMemDC = !pDC->IsPrinting();
    if (pRect)
        m_rect = *pRect;
    else
        pDC->GetClipBox(&m_rect);

    if (m_bMemDC) {
        if (!CreateCompatibleDC(pDC)) {
            m_pDC = nullptr;
            return;
        }
        CRect device = m_rect;
        if (bConvert)
            pDC->LPtoDP(&device);
        m_bitmap.CreateCompatibleBitmap(pDC, device.Width() > 0 ? device.Width() : 1,
                                        device.Height() > 0 ? device.Height() : 1);
        m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
        SetMapMode(pDC->GetMapMode());
        if (pDC->GetMapMode() == MM_ANISOTROPIC || pDC->GetMapMode() == MM_ISOTROPIC) {
            SetWindowExt(pDC->GetWindowExt());
            SetViewportExt(pDC->GetViewportExt());
        }
        if (bConvert) {
            pDC->DPtoLP(&device);
            m_rect = device;
        }
        SetWindowOrg(m_rect.left, m_rect.top);
    } else {
        m_bPrinting = pDC->m_bPrinting;
        m_hDC = pDC->m_hDC;
        m_hAttribDC = pDC->m_hAttribDC;
    }
}

CMemDC::~CMemDC()
{
    if (m_bMemDC) {
        if (m_pDC && m_hDC)
            m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left,
                          m_rect.top, SRCCOPY);
        // Without a bitmap of its own before, nothing else would give this DC one back.
        if (m_hDC)
            ::SelectObject(m_hDC, m_hOldBitmap);
    } else {
        m_hDC = nullptr;
        m_hAttribDC = nullptr;
    }
    m_pDC = nullptr;
    m_hOldBitmap = nullptr;
    m_bitmap.DeleteObject();
}
