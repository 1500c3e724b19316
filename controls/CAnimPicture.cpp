#include "controls/CAnimPicture.h"
#include "controls/CWqMemDC.h"
#include "framework/CPaintDC.h"
#include <vector>

IMPLEMENT_DYNAMIC(CAnimPicture, CStatic)

BEGIN_MESSAGE_MAP(CAnimPicture, CStatic)
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CAnimPicture::CAnimPicture() = default;

CAnimPicture::~CAnimPicture() = default;

BOOL CAnimPicture::LoadFromFile(LPCWSTR lpszPath)
{
    // Once for the size of the picture, once with every frame.
    m_image.Destroy();
    m_image.SetRetreiveAllFrames(false);
    if (!m_image.Load(lpszPath))
        return FALSE;
    m_nWidth = static_cast<int>(m_image.GetWidth());
    m_nHeight = static_cast<int>(m_image.GetHeight());
    m_image.SetRetreiveAllFrames(true);
    m_image.Load(lpszPath);
    m_image.SetFrame(0);
    if (m_hWnd)
        Invalidate();
    return m_image.IsValid();
}

BOOL CAnimPicture::LoadFromResource(LPCWSTR lpszName, LPCWSTR lpszType)
{
    HMODULE hModule = ::GetModuleHandleW(L"QorResource.dll");
    if (!hModule)
        return FALSE;
    HRSRC hRes = ::FindResourceW(hModule, lpszName, lpszType);
    if (!hRes)
        return FALSE;
    const DWORD size = ::SizeofResource(hModule, hRes);
    HGLOBAL hData = ::LoadResource(hModule, hRes);
    const void* pData = hData ? ::LockResource(hData) : nullptr;
    if (!pData || size == 0)
        return FALSE;
    // A movable copy, as the decoder may keep reading it while the resource is gone.
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!hCopy)
        return FALSE;
    BYTE* pCopy = static_cast<BYTE*>(::GlobalLock(hCopy));
    memcpy(pCopy, pData, size);
    m_image.Destroy();
    m_image.SetRetreiveAllFrames(false);
    BOOL bValid = FALSE;
    if (m_image.Decode(pCopy, size)) {
        m_nWidth = static_cast<int>(m_image.GetWidth());
        m_nHeight = static_cast<int>(m_image.GetHeight());
        m_image.SetRetreiveAllFrames(true);
        m_image.Decode(pCopy, size);
        m_image.SetFrame(0);
        bValid = m_image.IsValid();
    }
    ::GlobalUnlock(hCopy);
    ::GlobalFree(hCopy);
    return bValid;
}

void CAnimPicture::Play()
{
    m_bPlaying = TRUE;
    if (m_hWnd)
        SetTimer(kTimerId, kTimerMs);
}

void CAnimPicture::Stop()
{
    m_bPlaying = FALSE;
    if (m_hWnd)
        KillTimer(kTimerId);
}

void CAnimPicture::OnTimer(UINT_PTR nIDEvent)
{
    CStatic::OnTimer(nIDEvent);
    const long count = m_image.GetNumFrames();
    if (count > 0)
        m_image.SetFrame((m_image.GetFrame() + 1) % count);
    Invalidate();
}

void CAnimPicture::OnPaint()
{
    CPaintDC dc(this);
    if (!m_image.IsValid())
        return;
    CRect client;
    GetClientRect(&client);
    CWqMemDC mem(&dc, &client);
    m_background._Init(this);
    m_background.DrawParentBackground(this, &mem);
    m_image.Draw(mem.GetSafeHdc(), client);
}

void CAnimPicture::OnDestroy()
{
    KillTimer(kTimerId);
    m_bPlaying = FALSE;
    CStatic::OnDestroy();
}
