#include "framework/CException.h"
#include <cwchar>

BOOL CException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (lpszError && nMaxError)
        lpszError[0] = L'\0';
    if (pnHelpContext)
        *pnHelpContext = 0;
    return FALSE;
}

BOOL CInvalidArgException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (!lpszError || !nMaxError)
        return FALSE;
    lstrcpynW(lpszError, L"Invalid argument.", static_cast<int>(nMaxError));
    return TRUE;
}

void AfxThrowInvalidArgException()
{
    throw new CInvalidArgException();
}

void AfxThrowMemoryException()
{
    throw new CMemoryException();
}
