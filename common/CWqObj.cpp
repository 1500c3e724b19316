#include "common/CWqObj.h"

LONG CWqObj::Release()
{
    if (m_nRef == 0)
        return 0;
    LONG n = ::InterlockedDecrement(&m_nRef);
    if (n > 0)
        return n;
    delete this;
    return 0;
}

LONG CWqObj::AddRef()
{
    return ::InterlockedIncrement(&m_nRef);
}
