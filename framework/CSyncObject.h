#pragma once
// The base of the framework's lock objects, so that CSingleLock can hold any of them.
#include "framework/CObject.h"

class CSyncObject : public CObject {
public:
    // TRUE when the lock was taken within dwTimeout milliseconds.
    virtual BOOL Lock(DWORD dwTimeout = INFINITE) = 0;
    virtual BOOL Unlock() = 0;
};
