#include "controls/popup/CTkPopupAnimation.h"
#include <cstdlib>

namespace {

int MoveTowards(int nCurrent, int nTarget, int nSteps)
{
    if (nCurrent == nTarget)
        return nCurrent;
    int nDelta = std::abs(nCurrent - nTarget) / nSteps;
    if (nDelta < 1)
        nDelta = 1;
    return nCurrent < nTarget ? nCurrent + nDelta : nCurrent - nDelta;
}

} // namespace

int CTkPopupAnimation::StepCount(int nAnimationTime, int nAnimationStep)
{
    if (nAnimationStep <= 0)
        return 1;
    const int n = nAnimationTime / nAnimationStep;
    return n < 1 ? 1 : n;
}

void CTkPopupAnimation::Reverse(int nTotalSteps)
{
    Start(nTotalSteps - m_nStepsLeft);
}

void CTkPopupAnimation::MoveOneStep()
{
    const int n = m_nStepsLeft;
    if (n < 1) {
        m_rcCurrent = m_rcTarget;
        m_nCurrentAlpha = m_nTargetAlpha;
        return;
    }
    m_rcCurrent.top = MoveTowards(m_rcCurrent.top, m_rcTarget.top, n);
    m_rcCurrent.left = MoveTowards(m_rcCurrent.left, m_rcTarget.left, n);
    m_rcCurrent.right = MoveTowards(m_rcCurrent.right, m_rcTarget.right, n);
    m_rcCurrent.bottom = MoveTowards(m_rcCurrent.bottom, m_rcTarget.bottom, n);
    m_nCurrentAlpha = MoveTowards(m_nCurrentAlpha, m_nTargetAlpha, n);
}

BOOL CTkPopupAnimation::Step()
{
    MoveOneStep();
    --m_nStepsLeft;
    return m_nStepsLeft < 1;
}

BOOL CTkPopupAnimation::IsAtTarget() const
{
    // Field by field: EqualRect treats two different empty rectangles alike on some systems.
    return m_rcCurrent.left == m_rcTarget.left && m_rcCurrent.top == m_rcTarget.top &&
           m_rcCurrent.right == m_rcTarget.right && m_rcCurrent.bottom == m_rcTarget.bottom &&
           m_nCurrentAlpha == m_nTargetAlpha;
}
