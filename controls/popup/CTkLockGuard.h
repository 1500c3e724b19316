#pragma once
// Holds a critical section for the life of the object. The toolkit's own lock is created and
// deleted by TkCreateLock and TkDeleteLock; the toolkit itself runs on the user-interface thread
// only and does not take it, but callers on other threads may.
#include "framework/Platform.h"

class CTkLockGuard {
public:
    // Enters pLock (the toolkit's lock when null and created; nothing when there is none).
    explicit CTkLockGuard(CRITICAL_SECTION* pLock = nullptr);
    ~CTkLockGuard();
    CTkLockGuard(const CTkLockGuard&) = delete;
    CTkLockGuard& operator=(const CTkLockGuard&) = delete;

private:
    CRITICAL_SECTION* m_pLock;
};

// Creates the toolkit's lock (once); TkDeleteLock deletes it. TkGetLock: null while none exists.
void TkCreateLock();
void TkDeleteLock();
CRITICAL_SECTION* TkGetLock();
