#pragma once
// A critical section: a lock between the threads of this process, taken recursively by its owner.
#include "framework/CSyncObject.h"

class CCriticalSection : public CSyncObject {
public:
    CCriticalSection() { ::InitializeCriticalSection(&m_sect); }
    ~CCriticalSection() override { ::DeleteCriticalSection(&m_sect); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    operator CRITICAL_SECTION*() { return &m_sect; }
    BOOL Lock() { ::EnterCriticalSection(&m_sect); return TRUE; }
    // A critical section cannot wait with a time limit: any timeout other than INFINITE is a
    // single attempt.
    BOOL Lock(DWORD dwTimeout) override
    {
        if (dwTimeout == INFINITE)
            return Lock();
        return ::TryEnterCriticalSection(&m_sect);
    }
    BOOL Unlock() override { ::LeaveCriticalSection(&m_sect); return TRUE; }

    CRITICAL_SECTION m_sect;
};
