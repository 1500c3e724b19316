#pragma once
// The core component's web control (ProgID "QorCore.QorWebCtl"): a child window that
// shows a web page. Fixed by position: IUnknown (0-2) and IDispatch (3-6) first.
#include "framework/Platform.h"
#include "platform/QorCore/IWebExt.h"
#include <oaidl.h>

// {55AC987B-B1DF-4422-8CEE-7DDD3D89554B}
static const IID IID_IQorWebCtl = {0x55ac987b, 0xb1df, 0x4422, {0x8c, 0xee, 0x7d, 0xdd, 0x3d, 0x89, 0x55, 0x4b}};

struct IQorWebCtl : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE CreateCtlWindow(LONG_PTR hParent, long x, long y, long cx, long cy,
                                                      long style, long* pResult) = 0;  // 7
    virtual HRESULT STDMETHODCALLTYPE DestroyCtlWindow() = 0;                          // 8
    virtual HRESULT STDMETHODCALLTYPE MoveCtlWindow(long x, long y, long cx, long cy) = 0; // 9
    virtual HRESULT STDMETHODCALLTYPE ShowCtlWindow(long show) = 0;                    // 10
    virtual HRESULT STDMETHODCALLTYPE get_Url(BSTR* pVal) = 0;                         // 11
    virtual HRESULT STDMETHODCALLTYPE SetColors(long foreground, long background) = 0; // 12
    virtual HRESULT STDMETHODCALLTYPE Navigate(BSTR url) = 0;                          // 13
    virtual HRESULT STDMETHODCALLTYPE SetWebExt(IWebExt* pExt) = 0;                    // 14
    virtual HRESULT STDMETHODCALLTYPE GetCtlState(long* pState) = 0;                   // 15
};

__CRT_UUID_DECL(IQorWebCtl, 0x55ac987b, 0xb1df, 0x4422, 0x8c, 0xee, 0x7d, 0xdd, 0x3d, 0x89, 0x55, 0x4b)
