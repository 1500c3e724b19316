#pragma once
// A reference-counted base: AddRef and Release are interlocked, so an object may be handed
// between threads by reference. A new object starts at a count of 0.
#include "framework/Platform.h"

class CWqObj {
public:
    CWqObj() = default;
    CWqObj(const CWqObj&) = delete;
    CWqObj& operator=(const CWqObj&) = delete;

    // At a count of 0 nothing is released (the object was never added to): returns 0 and the
    // object stays alive. Otherwise decrements; the object deletes itself when the count
    // reaches 0.
    virtual LONG Release();
    virtual LONG AddRef();
    virtual ~CWqObj() = default;

    LONG GetRefCount() const { return m_nRef; }

private:
    volatile LONG m_nRef = 0;
};
