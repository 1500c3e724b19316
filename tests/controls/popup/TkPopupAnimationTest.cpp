// The popup's step arithmetic, apart from any window.
#include "controls/popup/CTkPopupAnimation.h"
#include "TkRectPrinting.h"
#include <gtest/gtest.h>
#include <vector>

TEST(TkPopupAnimation, StepCountIsTimeOverStepAndNeverZero)
{
    struct Case {
        int time, step, expected;
    } cases[] = {
        {256, 16, 16}, // the defaults
        {100, 16, 6},
        {10, 16, 1},   // below one step
        {0, 16, 1},
        {100, 0, 1},   // a step of 0 counts as one step instead of dividing by zero
        {100, -5, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CTkPopupAnimation::StepCount(c.time, c.step)) << c.time << "/" << c.step;
}

TEST(TkPopupAnimation, SlideOver116PixelsInSixSteps)
{
    CTkPopupAnimation a;
    a.m_rcTarget = CRect(100, 884, 270, 1000);
    a.m_rcCurrent = CRect(100, 1000, 270, 1000);
    a.m_nTargetAlpha = a.m_nCurrentAlpha = 255;
    a.Start(CTkPopupAnimation::StepCount(100, 16));

    std::vector<int> moves;
    BOOL bEnded = FALSE;
    while (!bEnded) {
        const int top = a.m_rcCurrent.top;
        bEnded = a.Step();
        moves.push_back(top - a.m_rcCurrent.top);
    }
    EXPECT_EQ((std::vector<int>{19, 19, 19, 19, 20, 20}), moves);
    EXPECT_TRUE(a.IsAtTarget());
}

TEST(TkPopupAnimation, EveryValueMovesAtLeastOneAndNeverOvershoots)
{
    CTkPopupAnimation a;
    a.m_rcTarget = CRect(0, 0, 3, 100);
    a.m_rcCurrent = CRect(2, 50, 3, 100);
    a.m_nCurrentAlpha = 0;
    a.m_nTargetAlpha = 255;
    a.Start(10);
    a.Step();
    EXPECT_EQ(1, a.m_rcCurrent.left);   // 2/10 rounds to 0: moves by 1
    EXPECT_EQ(45, a.m_rcCurrent.top);   // 50/10
    EXPECT_EQ(25, a.m_nCurrentAlpha);   // 255/10
    for (int i = 0; i < 9; ++i)
        a.Step();
    EXPECT_TRUE(a.IsAtTarget());
    EXPECT_EQ(0, a.m_rcCurrent.left);
}

TEST(TkPopupAnimation, NoStepsLeftLandsOnTheTarget)
{
    CTkPopupAnimation a;
    a.m_rcTarget = CRect(10, 10, 20, 20);
    a.m_nTargetAlpha = 200;
    a.m_nStepsLeft = 0;
    a.MoveOneStep();
    EXPECT_TRUE(a.IsAtTarget());
}

TEST(TkPopupAnimation, ReverseRunsTheStepsAlreadyMade)
{
    CTkPopupAnimation a;
    a.Start(6);
    a.Step();
    a.Step();
    ASSERT_EQ(4, a.m_nStepsLeft);
    a.Reverse(6);
    EXPECT_EQ(2, a.m_nStepsLeft);
    a.m_nStepsLeft = 6; // nothing made yet: still one step
    a.Reverse(6);
    EXPECT_EQ(1, a.m_nStepsLeft);
}
