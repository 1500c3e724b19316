#pragma once
// The host-side extension object that the program hands to the core's web control
// (made by the view library's CreateWebExt): the page reaches its host window through it.
#include "framework/Platform.h"
#include <oaidl.h>

// {7B0C4E51-3F2A-4C8E-9D41-6A2E5B8C1F12}
static const IID IID_IWebExt = {0x7b0c4e51, 0x3f2a, 0x4c8e, {0x9d, 0x41, 0x6a, 0x2e, 0x5b, 0x8c, 0x1f, 0x12}};

struct IWebExt : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_HostWindow(LONG_PTR* pHwnd) = 0;   // 7
    virtual HRESULT STDMETHODCALLTYPE OnWebCommand(BSTR command, BSTR argument) = 0; // 8
};

__CRT_UUID_DECL(IWebExt, 0x7b0c4e51, 0x3f2a, 0x4c8e, 0x9d, 0x41, 0x6a, 0x2e, 0x5b, 0x8c, 0x1f, 0x12)
