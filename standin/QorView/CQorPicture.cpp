#include "platform/QorView/CQorPicture.h"

BOOL CQorPicture::Load(const CString& strFile)
{
    UnLoad();
    if (strFile.IsEmpty())
        return FALSE;
    m_hBitmap = static_cast<HBITMAP>(::LoadImageW(nullptr, strFile, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!m_hBitmap)
        return FALSE;
    BITMAP bm = {};
    ::GetObjectW(m_hBitmap, sizeof(bm), &bm);
    m_size = SIZE{bm.bmWidth, bm.bmHeight};
    m_strFile = strFile;
    return TRUE;
}

void CQorPicture::UnLoad()
{
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_size = SIZE{0, 0};
    m_strFile.Empty();
}

BOOL CQorPicture::Draw(HDC hDC, int x, int y, int cx, int cy) const
{
    if (!hDC || !m_hBitmap)
        return FALSE;
    HDC mem = ::CreateCompatibleDC(hDC);
    HGDIOBJ old = ::SelectObject(mem, m_hBitmap);
    ::SetStretchBltMode(hDC, HALFTONE);
    BOOL ok = ::StretchBlt(hDC, x, y, cx, cy, mem, 0, 0, m_size.cx, m_size.cy, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    return ok;
}
