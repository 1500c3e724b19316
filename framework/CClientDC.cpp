#include "framework/CClientDC.h"
#include "framework/CWnd.h"

IMPLEMENT_DYNAMIC(CClientDC, CDC)

CClientDC::CClientDC(CWnd* pWnd)
{
    m_hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    // ReleaseDC gives the DC back; the base must not delete it.
    HDC hDC = Detach();
    if (hDC)
        ::ReleaseDC(m_hWnd, hDC);
}
