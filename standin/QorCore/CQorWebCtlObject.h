#pragma once
// "QorCore.QorWebCtl": the core's web control. It shows a plain child window carrying the
// address it was asked to navigate to; every call is recorded (QorCoreTestHooks.h).
#include "platform/QorCore/IQorWebCtl.h"
#include "standin/QorCore/QorComObject.h"
#include <string>

class CQorWebCtlObject : public QorComObject<IQorWebCtl> {
public:
    CQorWebCtlObject() : QorComObject<IQorWebCtl>(IID_IQorWebCtl) {}
    ~CQorWebCtlObject() override;

    HRESULT STDMETHODCALLTYPE CreateCtlWindow(LONG_PTR hParent, long x, long y, long cx, long cy, long style,
                                              long* pResult) override;
    HRESULT STDMETHODCALLTYPE DestroyCtlWindow() override;
    HRESULT STDMETHODCALLTYPE MoveCtlWindow(long x, long y, long cx, long cy) override;
    HRESULT STDMETHODCALLTYPE ShowCtlWindow(long show) override;
    HRESULT STDMETHODCALLTYPE get_Url(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE SetColors(long foreground, long background) override;
    HRESULT STDMETHODCALLTYPE Navigate(BSTR url) override;
    HRESULT STDMETHODCALLTYPE SetWebExt(IWebExt* pExt) override;
    HRESULT STDMETHODCALLTYPE GetCtlState(long* pState) override;

private:
    HWND m_hWnd = nullptr;
    std::wstring m_url;
    IWebExt* m_pExt = nullptr;
};
