#pragma once
// CStripPicture: a static control that shows one frame of a horizontal image strip of the
// skin and steps through the frames, by its own 50 ms timer (two frames a tick) or one frame
// at a time on request. Each frame is drawn over the parent's background, so the control is
// transparent around the image. The sign-in progress panel plays "i.animation.wait" with it.
#include "framework/CStatic.h"
#include "controls/CStripFrameStepper.h"
#include "platform/QorView/CTransparentBkHelper.h"
#include "platform/xDUI/CxImageList.h"

class CStripPicture : public CStatic {
    DECLARE_DYNAMIC(CStripPicture)
public:
    enum { kTimerId = 1, kTimerMs = 50 };

    CStripPicture();
    ~CStripPicture() override;

    // Loads the strip of that skin image name; FALSE when the skin has none.
    BOOL Load(LPCWSTR lpszSkinName);
    // The size of one frame.
    CSize GetImageSize() const;
    // Starts the frame timer unless it already runs.
    void Play();
    // One frame step, then an immediate redraw.
    void AdvanceFrame();
    // Stops the timer; only the first call in the control's life acts.
    void Stop();

    BOOL IsAnimated() const { return m_strip.GetImageCount() > 1; }
    int GetFrameCount() const { return IsAnimated() ? m_strip.GetImageCount() : 0; }
    BOOL IsPlaying() const { return m_bPlaying; }
    int GetCurrentFrame() const { return m_stepper.GetFrame(); }

protected:
    void NextFrame() { m_stepper.Step(); }

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    xDuiLib::CxImageList m_strip;
    BOOL m_bPlaying = FALSE;
    CStripFrameStepper m_stepper; // the current frame
    BOOL m_bStopped = FALSE;
    CTransparentBkHelper m_background;
};
