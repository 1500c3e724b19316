#include "platform/QorView/CQorHyperLink.h"

void CQorHyperLink::SetWindowTextEx(const CString& strText)
{
    if (::IsWindow(m_hWnd)) {
        ::SetWindowTextW(m_hWnd, strText);
        // The parent hears clicks only from a notify static.
        ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, ::GetWindowLongPtrW(m_hWnd, GWL_STYLE) | SS_NOTIFY);
    }
}
