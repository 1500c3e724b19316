#pragma once
// The core component's objects as the program makes them (by ProgID through COM), for the tests
// of the core.
#include "framework/Platform.h"
#include "platform/QorCore/IQorCmd.h"
#include "platform/QorCore/IQorMsg.h"
#include "platform/QorCore/QorCoreIds.h"
#include <string>

// The text of a BSTR, which is freed.
inline std::wstring Take(BSTR b)
{
    std::wstring s = b ? std::wstring(b, ::SysStringLen(b)) : std::wstring();
    ::SysFreeString(b);
    return s;
}

template <class I>
I* Create(const wchar_t* progId, const IID& iid)
{
    CLSID clsid = {};
    I* p = nullptr;
    if (FAILED(::CLSIDFromProgID(progId, &clsid)) ||
        FAILED(::CoCreateInstance(clsid, nullptr, kQorCoreClsCtx, iid, reinterpret_cast<void**>(&p))))
        return nullptr;
    return p;
}

inline IQorCmd* NewCmd(const wchar_t* name)
{
    IQorCmd* cmd = Create<IQorCmd>(kProgIdQorCmd, IID_IQorCmd);
    if (cmd) {
        BSTR b = ::SysAllocString(name);
        cmd->put_Name(b);
        ::SysFreeString(b);
    }
    return cmd;
}

inline IQorMsg* NewMsg(const wchar_t* subject)
{
    IQorMsg* msg = Create<IQorMsg>(kProgIdQorMsg, IID_IQorMsg);
    if (msg) {
        BSTR b = ::SysAllocString(subject);
        msg->put_Subject(b);
        ::SysFreeString(b);
    }
    return msg;
}

inline ULONG RefCount(IUnknown* p)
{
    p->AddRef();
    return p->Release();
}
