#include "controls/popup/CTkLockGuard.h"

namespace {
CRITICAL_SECTION s_lock;
BOOL s_bLockCreated = FALSE;
} // namespace

void TkCreateLock()
{
    if (!s_bLockCreated) {
        ::InitializeCriticalSection(&s_lock);
        s_bLockCreated = TRUE;
    }
}

void TkDeleteLock()
{
    if (s_bLockCreated) {
        ::DeleteCriticalSection(&s_lock);
        s_bLockCreated = FALSE;
    }
}

CRITICAL_SECTION* TkGetLock()
{
    return s_bLockCreated ? &s_lock : nullptr;
}

CTkLockGuard::CTkLockGuard(CRITICAL_SECTION* pLock) : m_pLock(pLock ? pLock : TkGetLock())
{
    if (m_pLock)
        ::EnterCriticalSection(m_pLock);
}

CTkLockGuard::~CTkLockGuard()
{
    if (m_pLock)
        ::LeaveCriticalSection(m_pLock);
}
