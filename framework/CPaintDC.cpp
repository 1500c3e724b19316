#include "framework/CPaintDC.h"
#include "framework/CWnd.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)

CPaintDC::CPaintDC(CWnd* pWnd)
{
    m_hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    if (m_hWnd)
        Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    // EndPaint releases the DC; the base must not delete it.
    if (m_hWnd)
        ::EndPaint(m_hWnd, &m_ps);
    Detach();
}
