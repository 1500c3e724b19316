#include "framework/CWindowDC.h"
#include "framework/CWnd.h"

IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CWindowDC::CWindowDC(CWnd* pWnd)
{
    m_hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    HDC hDC = Detach();
    if (hDC)
        ::ReleaseDC(m_hWnd, hDC);
}
