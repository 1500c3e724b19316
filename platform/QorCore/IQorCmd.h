#pragma once
// The core component's command object: one event (a command name, integer and string
// arguments by index, and named fields). Fixed by position: IUnknown (0-2) and IDispatch
// (3-6) first, then the slots numbered in the comments.
#include "framework/Platform.h"
#include <oaidl.h>

// {7B0C4E51-3F2A-4C8E-9D41-6A2E5B8C1F10}
static const IID IID_IQorCmd = {0x7b0c4e51, 0x3f2a, 0x4c8e, {0x9d, 0x41, 0x6a, 0x2e, 0x5b, 0x8c, 0x1f, 0x10}};

struct IQorCmd : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* pVal) = 0;                   // 7 command name
    virtual HRESULT STDMETHODCALLTYPE put_Name(BSTR newVal) = 0;                  // 8
    virtual HRESULT STDMETHODCALLTYPE get_IntArgCount(long* pVal) = 0;            // 9
    virtual HRESULT STDMETHODCALLTYPE get_StrArgCount(long* pVal) = 0;            // 10
    virtual HRESULT STDMETHODCALLTYPE GetIntArg(long index, long* pVal) = 0;      // 11
    virtual HRESULT STDMETHODCALLTYPE GetStrArg(long index, BSTR* pVal) = 0;      // 12
    virtual HRESULT STDMETHODCALLTYPE AddIntArg(long value) = 0;                  // 13
    virtual HRESULT STDMETHODCALLTYPE AddStrArg(BSTR value) = 0;                  // 14
    virtual HRESULT STDMETHODCALLTYPE SetField(BSTR name, BSTR value) = 0;        // 15
    virtual HRESULT STDMETHODCALLTYPE get_FieldCount(long* pVal) = 0;             // 16
    virtual HRESULT STDMETHODCALLTYPE Clear() = 0;                                // 17
    virtual HRESULT STDMETHODCALLTYPE GetField(BSTR name, BSTR* pVal) = 0;        // 18 named field
};

__CRT_UUID_DECL(IQorCmd, 0x7b0c4e51, 0x3f2a, 0x4c8e, 0x9d, 0x41, 0x6a, 0x2e, 0x5b, 0x8c, 0x1f, 0x10)
