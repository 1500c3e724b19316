#include "platform/QorView/CHeadPic.h"
#include "framework/CPaintDC.h"
#include "framework/ModuleState.h"

BEGIN_MESSAGE_MAP(CHeadPic, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CHeadPic::~CHeadPic()
{
    if (m_hDefault)
        ::DeleteObject(m_hDefault);
}

BOOL CHeadPic::LoadBitmap(UINT nID)
{
    HBITMAP bmp = ::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nID));
    if (!bmp)
        return FALSE;
    if (m_hDefault)
        ::DeleteObject(m_hDefault);
    m_hDefault = bmp;
    if (::IsWindow(m_hWnd))
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return TRUE;
}

void CHeadPic::LoadPic(CQorPicture* pPicture)
{
    m_pPicture = pPicture;
    if (::IsWindow(m_hWnd))
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

// The loaded picture, or the default one, stretched over the control.
void CHeadPic::OnPaint()
{
    CPaintDC dc(this);
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    if (m_pPicture && m_pPicture->IsLoaded()) {
        m_pPicture->Draw(dc.GetSafeHdc(), 0, 0, rc.right, rc.bottom);
        return;
    }
    if (!m_hDefault)
        return;
    BITMAP bm = {};
    ::GetObjectW(m_hDefault, sizeof(bm), &bm);
    HDC mem = ::CreateCompatibleDC(dc.GetSafeHdc());
    HGDIOBJ old = ::SelectObject(mem, m_hDefault);
    ::StretchBlt(dc.GetSafeHdc(), 0, 0, rc.right, rc.bottom, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
}
