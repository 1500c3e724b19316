#pragma once
// The step arithmetic of the popup's expansion and collapse, apart from any window: where the
// popup is now (current state), where the running animation ends (target state), and how many
// steps are left. The popup window runs a timer and calls Step() on each tick.
#include "framework/CRect.h"

class CTkPopupAnimation {
public:
    // Number of steps of an animation: time / step, at least 1. A step of 0 or less counts as a
    // single step instead of dividing by zero.
    static int StepCount(int nAnimationTime, int nAnimationStep);

    // Starts a run of nSteps steps (at least 1) towards the target state.
    void Start(int nSteps) { m_nStepsLeft = nSteps < 1 ? 1 : nSteps; }
    // A run that goes back the way the interrupted one came, in as many steps as that one had
    // made: nTotalSteps − steps still left, at least 1.
    void Reverse(int nTotalSteps);

    // Moves the current state one step towards the target with the steps left (n): every value
    // that differs moves by |current − target| / n, at least 1 and never past its target;
    // n below 1 lands on the target. Does not count the step.
    void MoveOneStep();
    // One tick: MoveOneStep, then one step fewer. TRUE when the run has ended (no step left).
    BOOL Step();

    BOOL IsAtTarget() const;

    CRect m_rcTarget;
    int m_nTargetAlpha = 0;
    CRect m_rcCurrent;
    int m_nCurrentAlpha = 0;
    int m_nStepsLeft = 0;
};
