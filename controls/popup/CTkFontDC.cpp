#include "controls/popup/CTkFontDC.h"

CTkFontDC::CTkFontDC(CDC* pDC, CFont* pFont) : CTkFontDC(pDC ? pDC->GetSafeHdc() : nullptr,
                                                         pFont ? static_cast<HFONT>(pFont->GetSafeHandle()) : nullptr)
{
}

CTkFontDC::CTkFontDC(HDC hDC, HFONT hFont) : m_hDC(hDC)
{
    if (m_hDC && hFont)
        m_hOldFont = ::SelectObject(m_hDC, hFont);
}

CTkFontDC::~CTkFontDC()
{
    if (m_hDC && m_hOldFont)
        ::SelectObject(m_hDC, m_hOldFont);
}

void CTkFontDC::SetFont(CFont* pFont)
{
    SetFont(pFont ? static_cast<HFONT>(pFont->GetSafeHandle()) : nullptr);
}

void CTkFontDC::SetFont(HFONT hFont)
{
    if (!m_hDC)
        return;
    if (m_hOldFont) {
        ::SelectObject(m_hDC, m_hOldFont);
        m_hOldFont = nullptr;
    }
    if (hFont)
        m_hOldFont = ::SelectObject(m_hDC, hFont);
}
