#include "controls/popup/CTkCompatibleDC.h"

CTkCompatibleDC::CTkCompatibleDC(CDC* pDC, HBITMAP hBitmap)
{
    CreateCompatibleDC(pDC);
    if (m_hDC && hBitmap)
        m_hOldBitmap = ::SelectObject(m_hDC, hBitmap);
}

CTkCompatibleDC::~CTkCompatibleDC()
{
    if (m_hDC && m_hOldBitmap)
        ::SelectObject(m_hDC, m_hOldBitmap);
}
