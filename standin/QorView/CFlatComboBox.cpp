#include "platform/QorView/CFlatComboBox.h"

void CFlatComboBox::SetBorderColor(COLORREF crNormal, COLORREF crHot, COLORREF crFocus)
{
    m_cr[0] = crNormal;
    m_cr[1] = crHot;
    m_cr[2] = crFocus;
}

COLORREF CFlatComboBox::GetBorderColor(int nWhich) const
{
    return (nWhich >= 0 && nWhich < 3) ? m_cr[nWhich] : m_cr[0];
}
