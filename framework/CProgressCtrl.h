#pragma once
// A progress bar.
// https://learn.microsoft.com/windows/win32/controls/progress-bar-control
#include "framework/CWnd.h"
#include <commctrl.h>

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    CProgressCtrl() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The range is 0..100 until set.
    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    int GetPos() const;
    // Each answers the previous position; positions outside the range are clamped.
    int SetPos(int nPos);
    int OffsetPos(int nPos);
    int SetStep(int nStep);
    // Advances by the step, wrapping to the lower bound past the upper one.
    int StepIt();
    COLORREF SetBarColor(COLORREF clrBar);
    COLORREF SetBkColor(COLORREF clrNew);
    // PBS_MARQUEE bars: animate every nInterval milliseconds while bOn.
    BOOL SetMarquee(BOOL bOn, UINT nInterval);
};
