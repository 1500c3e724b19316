#include "controls/popup/CTkBrushDC.h"

CTkBrushDC::CTkBrushDC(HDC hDC, COLORREF clr) : m_hDC(hDC)
{
    SetColor(clr);
}

CTkBrushDC::~CTkBrushDC()
{
    if (m_hDC && m_hOldBrush)
        ::SelectObject(m_hDC, m_hOldBrush);
    m_brush.DeleteObject();
}

void CTkBrushDC::SetColor(COLORREF clr)
{
    if (!m_hDC)
        return;
    if (m_hOldBrush) {
        ::SelectObject(m_hDC, m_hOldBrush);
        m_hOldBrush = nullptr;
    }
    m_brush.DeleteObject();
    if (m_brush.CreateSolidBrush(clr))
        m_hOldBrush = ::SelectObject(m_hDC, m_brush.GetSafeHandle());
}
