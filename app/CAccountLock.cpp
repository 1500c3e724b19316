#include "app/CAccountLock.h"

namespace {

// One part of a mutex name: the separator, the escape character and the backslash are
// written as "%" and two hexadecimal digits, so that the parts can be told apart again.
CString EscapePart(const CString& strPart)
{
    CString out;
    for (int i = 0; i < strPart.GetLength(); ++i) {
        const wchar_t ch = strPart[i];
        if (ch == L'%')
            out += L"%25";
        else if (ch == L'-')
            out += L"%2D";
        else if (ch == L'\\')
            out += L"%5C";
        else
            out += ch;
    }
    return out;
}

// Holds the account guard for one scope.
class CGuard {
public:
    explicit CGuard(CRITICAL_SECTION& cs) : m_cs(cs) { ::EnterCriticalSection(&m_cs); }
    ~CGuard() { ::LeaveCriticalSection(&m_cs); }
    CGuard(const CGuard&) = delete;
    CGuard& operator=(const CGuard&) = delete;

private:
    CRITICAL_SECTION& m_cs;
};

} // namespace

CString CAccountLock::MutexName(const CString& strServer, int nPort, const CString& strLogin)
{
    CString name;
    name.Format(L"%s-%d-%s", EscapePart(strServer).GetString(), nPort, EscapePart(strLogin).GetString());
    name.MakeUpper();
    return name;
}

CString CAccountLock::PropertyName(const CString& strServer, int nPort, const CString& strLogin)
{
    CString name;
    name.Format(L"%s-%d-%s", strServer.GetString(), nPort, strLogin.GetString());
    return name;
}

CAccountLock::TakeResult CAccountLock::Take(const CString& strName)
{
    CGuard guard(m_csLock);
    if (m_hMutex) {
        if (m_strHeldName == strName)
            return ALREADY_HELD;
        ::CloseHandle(m_hMutex);
        m_hMutex = nullptr;
        RemovePropertyLocked();
    }
    HANDLE hMutex = ::CreateMutexW(nullptr, FALSE, strName);
    if (!hMutex)
        return NOT_CREATED;
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(hMutex);
        return SIGNED_IN_ELSEWHERE;
    }
    m_hMutex = hMutex;
    m_strHeldName = strName;
    return TAKEN;
}

bool CAccountLock::Release()
{
    CGuard guard(m_csLock);
    RemovePropertyLocked();
    if (!m_hMutex)
        return false;
    ::CloseHandle(m_hMutex);
    m_hMutex = nullptr;
    m_strHeldName.Empty();
    return true;
}

bool CAccountLock::IsHeld() const
{
    CGuard guard(m_csLock);
    return m_hMutex != nullptr;
}

void CAccountLock::SetProperty(HWND hWnd, const CString& strName)
{
    CGuard guard(m_csLock);
    RemovePropertyLocked();
    if (!hWnd || !::SetPropW(hWnd, strName, reinterpret_cast<HANDLE>(1)))
        return;
    m_hPropertyWnd = hWnd;
    m_strProperty = strName;
}

void CAccountLock::RemovePropertyLocked()
{
    if (m_hPropertyWnd && ::IsWindow(m_hPropertyWnd))
        ::RemovePropW(m_hPropertyWnd, m_strProperty);
    m_hPropertyWnd = nullptr;
    m_strProperty.Empty();
}
