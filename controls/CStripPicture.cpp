#include "controls/CStripPicture.h"
#include "controls/CWqMemDC.h"
#include "framework/CPaintDC.h"

IMPLEMENT_DYNAMIC(CStripPicture, CStatic)

BEGIN_MESSAGE_MAP(CStripPicture, CStatic)
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CStripPicture::CStripPicture() = default;

CStripPicture::~CStripPicture()
{
    Stop();
    m_strip.Destroy();
}

BOOL CStripPicture::Load(LPCWSTR lpszSkinName)
{
    const BOOL bLoaded = m_strip.Load(xDuiLib::CDuiString(lpszSkinName));
    m_stepper.SetCount(m_strip.GetImageCount());
    return bLoaded;
}

CSize CStripPicture::GetImageSize() const
{
    const SIZE size = m_strip.GetItemSize();
    return CSize(size.cx, size.cy);
}

void CStripPicture::Play()
{
    if (m_bPlaying)
        return;
    m_bPlaying = TRUE;
    if (m_hWnd)
        SetTimer(kTimerId, kTimerMs);
}

void CStripPicture::AdvanceFrame()
{
    NextFrame();
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CStripPicture::Stop()
{
    if (m_bStopped)
        return;
    m_bStopped = TRUE;
    m_bPlaying = FALSE;
    if (m_hWnd)
        KillTimer(kTimerId);
}

void CStripPicture::OnTimer(UINT_PTR nIDEvent)
{
    CStatic::OnTimer(nIDEvent);
    // Two frames a tick: the animation moves at the pace the skin's strips were drawn for.
    NextFrame();
    NextFrame();
    Invalidate(TRUE);
    UpdateWindow();
}

void CStripPicture::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CWqMemDC mem(&dc, &client);
    m_background._Init(this);
    m_background.DrawParentBackground(this, &mem);
    m_strip.Draw(mem.GetSafeHdc(), m_stepper.GetFrame(), client);
}

void CStripPicture::OnDestroy()
{
    Stop();
    CStatic::OnDestroy();
}
