#pragma once
// The view library's lock, with a scope object that holds it for a block.
#include "framework/Platform.h"

class CWqCriticalSection {
public:
    CWqCriticalSection();
    ~CWqCriticalSection();
    CWqCriticalSection(const CWqCriticalSection&) = delete;
    CWqCriticalSection& operator=(const CWqCriticalSection&) = delete;

    void Lock();
    void Unlock();
    BOOL TryLock();

    // Holds the lock from construction to destruction.
    class Owner {
    public:
        explicit Owner(CWqCriticalSection& cs) : m_cs(cs) { m_cs.Lock(); }
        ~Owner() { m_cs.Unlock(); }
        Owner(const Owner&) = delete;
        Owner& operator=(const Owner&) = delete;

    private:
        CWqCriticalSection& m_cs;
    };

private:
    CRITICAL_SECTION m_section;
};
