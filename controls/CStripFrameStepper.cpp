#include "controls/CStripFrameStepper.h"

void CStripFrameStepper::SetCount(int nCount)
{
    m_nCount = nCount > 0 ? nCount : 0;
    m_nFrame = 0;
}

void CStripFrameStepper::Step()
{
    if (m_nCount < 2) {
        m_nFrame = 0;
        return;
    }
    m_nFrame = m_nFrame % (m_nCount - 1) + 1;
}
