#pragma once
// CAnimPicture: an earlier form of the animated picture, over an animated image file (GIF)
// decoded by the image library, stepping one frame every 150 ms.
#include "framework/CStatic.h"
#include "platform/QorView/CTransparentBkHelper.h"
#include "platform/cximage/CxImage.h"

class CAnimPicture : public CStatic {
    DECLARE_DYNAMIC(CAnimPicture)
public:
    enum { kTimerId = 1, kTimerMs = 150 };

    CAnimPicture();
    ~CAnimPicture() override;

    // Loads the image with all its frames and shows frame 0; TRUE when it is valid.
    BOOL LoadFromFile(LPCWSTR lpszPath);
    // The same from a resource of QorResource.dll; FALSE when the module has no such resource.
    BOOL LoadFromResource(LPCWSTR lpszName, LPCWSTR lpszType);

    CSize GetImageSize() const { return CSize(m_nWidth, m_nHeight); }
    int GetFrameCount() const { return static_cast<int>(m_image.GetNumFrames()); }
    int GetCurrentFrame() const { return static_cast<int>(m_image.GetFrame()); }
    BOOL IsPlaying() const { return m_bPlaying; }
    void Play();
    void Stop();

protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CxImage m_image;
    int m_nWidth = 0;
    int m_nHeight = 0;
    BOOL m_bPlaying = FALSE;
    CTransparentBkHelper m_background;
};
