#include "framework/CCmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

DWORD CCmdTarget::InternalAddRef()
{
    return static_cast<DWORD>(::InterlockedIncrement(&m_dwRef));
}

DWORD CCmdTarget::InternalRelease()
{
    // A release past zero (an unbalanced caller) must not delete the object twice.
    if (m_dwRef <= 0)
        return 0;
    LONG n = ::InterlockedDecrement(&m_dwRef);
    if (n == 0)
        OnFinalRelease();
    return static_cast<DWORD>(n);
}

void CCmdTarget::OnFinalRelease()
{
    delete this;
}

BOOL CCmdTarget::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}
