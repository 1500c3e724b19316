#include "controls/popup/CTkBufferDC.h"

CTkBufferDC::CTkBufferDC(HDC hDestDC, const CRect& rcPaint) : m_hDestDC(hDestDC), m_rect(rcPaint)
{
    Attach(::CreateCompatibleDC(hDestDC));
    if (!m_hDC)
        return;
    if (m_bitmap.Attach(::CreateCompatibleBitmap(hDestDC, std::max(static_cast<int>(m_rect.right), 1),
                                                 std::max(static_cast<int>(m_rect.bottom), 1))))
        m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.GetSafeHandle());
}

CTkBufferDC::~CTkBufferDC()
{
    if (m_hDC && m_hOldBitmap) {
        ::BitBlt(m_hDestDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top,
                 SRCCOPY);
        ::SelectObject(m_hDC, m_hOldBitmap);
    }
    m_bitmap.DeleteObject();
    // The memory DC itself is deleted by CDC.
}
