#include "controls/CWqMemDC.h"

CWqMemDC::CWqMemDC(CDC* pDC, const RECT* pRect)
{
    Init(pDC, pRect);
    if (m_pDC && m_hDC)
        FillSolidRect(&m_rect, ::GetBkColor(m_pDC->m_hAttribDC ? m_pDC->m_hAttribDC : m_pDC->m_hDC));
}

void CWqMemDC::Init(CDC* pDC, const RECT* pRect, bool bConvert)
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
        // A zero-sized bitmap cannot be created; one pixel keeps the DC usable.
        const int width = device.Width() > 0 ? device.Width() : 1;
        const int height = device.Height() > 0 ? device.Height() : 1;
        m_bitmap.CreateCompatibleBitmap(pDC, width, height);
        m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
        SetMapMode(pDC->GetMapMode());
        // With the same mapping mode, window and viewport extents are copied too, so that one
        // logical unit here is one logical unit there.
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
        // A printer DC is drawn on directly.
        m_bPrinting = pDC->m_bPrinting;
        m_hDC = pDC->m_hDC;
        m_hAttribDC = pDC->m_hAttribDC;
    }
}

void CWqMemDC::CopyToTarget(BOOL bCopy)
{
    if (bCopy && m_bMemDC && m_pDC && m_hDC)
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left,
                      m_rect.top, SRCCOPY);
}

void CWqMemDC::Release()
{
    if (m_bMemDC) {
        if (m_hDC && m_hOldBitmap)
            ::SelectObject(m_hDC, m_hOldBitmap);
    } else {
        // The handles belong to the target: forget them so that they are not deleted.
        m_hDC = nullptr;
        m_hAttribDC = nullptr;
    }
    m_hOldBitmap = nullptr;
    m_pDC = nullptr;
    m_bitmap.DeleteObject();
}

CWqMemDC::~CWqMemDC()
{
    if (m_pDC)
        CopyToTarget(TRUE);
    Release();
    // The base deletes the off-screen DC.
}
