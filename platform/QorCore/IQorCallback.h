#pragma once
// The callback interface through which the core component reports events to the program.
// The program implements it in its two sinks; slots 7 to 17 after IUnknown and IDispatch,
// by position (numbered in the comments).
#include "framework/Platform.h"
#include "platform/QorCore/IQorCmd.h"
#include "platform/QorCore/IQorMsg.h"
#include <oaidl.h>

// {A8EE57E2-9C5C-4E6F-8760-2D50B7CB73E2}
static const IID IID_IQorCallback = {0xa8ee57e2, 0x9c5c, 0x4e6f, {0x87, 0x60, 0x2d, 0x50, 0xb7, 0xcb, 0x73, 0xe2}};

struct IQorCallback : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE GetCallbackName(BSTR* pName) = 0;                 // 7
    virtual HRESULT STDMETHODCALLTYPE GetCallbackVersion(long* pVersion) = 0;           // 8
    virtual HRESULT STDMETHODCALLTYPE OnQorCmdRec(IQorCmd* pCmd) = 0;                   // 9
    virtual HRESULT STDMETHODCALLTYPE OnQorMsgRec(IQorMsg* pMsg) = 0;                   // 10
    virtual HRESULT STDMETHODCALLTYPE OnConnectStateChange(long state, long detail,
                                                           long param, BOOL* pResult) = 0; // 11
    virtual HRESULT STDMETHODCALLTYPE OnQorNteRec(IQorCmd* pNotice) = 0;                // 12
    virtual HRESULT STDMETHODCALLTYPE OnQorProgress(long stage, long value) = 0;        // 13
    virtual HRESULT STDMETHODCALLTYPE OnQorAddInMsgRec(BSTR addInName, IQorMsg* pMsg) = 0; // 14
    virtual HRESULT STDMETHODCALLTYPE QueryHostInfo(long what, BSTR* pInfo) = 0;        // 15
    virtual HRESULT STDMETHODCALLTYPE OnQorFileEvent(long code, IQorCmd* pCmd) = 0;     // 16
    virtual HRESULT STDMETHODCALLTYPE OnQorDataRec(long kind, BSTR data) = 0;           // 17
};

__CRT_UUID_DECL(IQorCallback, 0xa8ee57e2, 0x9c5c, 0x4e6f, 0x87, 0x60, 0x2d, 0x50, 0xb7, 0xcb, 0x73, 0xe2)
