#include "platform/QorView/CTransparentBkHelper.h"
#include "framework/CDC.h"
#include "framework/CWnd.h"

void CTransparentBkHelper::_Init(CWnd* pWnd) { m_hHelperWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr; }

void CTransparentBkHelper::DrawParentBackground(CWnd* pChild, CDC* pDC)
{
    DrawParentBackground(pChild ? pChild->GetSafeHwnd() : HWND(nullptr), pDC ? pDC->GetSafeHdc() : HDC(nullptr));
}

void CTransparentBkHelper::DrawParentBackground(HWND hChild, HDC hDC)
{
    if (!hChild || !hDC)
        return;
    RECT rc;
    ::GetClientRect(hChild, &rc);
    HBRUSH brush = ::CreateSolidBrush(m_crBk);
    ::FillRect(hDC, &rc, brush);
    ::DeleteObject(brush);
}
