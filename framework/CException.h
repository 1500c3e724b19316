#pragma once
// Framework exceptions. As in the library the program was written against, they are thrown by
// pointer and the catcher calls Delete(): catch (CException* e) { e->Delete(); }
// No exception may leave a DLL entry point or a window procedure.
#include "framework/Platform.h"

class CException {
public:
    virtual ~CException() = default;
    void Delete() { delete this; }
    // Fills the caller's buffer with a short description; FALSE when there is none.
    virtual BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
};

// An argument out of range, such as a bad index into a framework array.
class CInvalidArgException : public CException {
public:
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class CMemoryException : public CException {};

[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowMemoryException();
