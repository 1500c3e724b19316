#pragma once
// The host extension object that CQorViewBaseFun::CreateWebExt hands to the core's web
// control and to the program's web dialog: it knows its host window and records the page's
// commands. A page's script reaches it by name (window.external.OnWebCommand(command,
// argument), window.external.HostWindow), so it answers GetIDsOfNames itself.
#include "framework/Platform.h"
#include "platform/QorCore/IWebExt.h"

class CWebExtObject : public IWebExt {
public:
    static const DISPID kDispIdHostWindow = 1;
    static const DISPID kDispIdOnWebCommand = 2;

    explicit CWebExtObject(HWND hHost) : m_hHost(hHost) {}
    virtual ~CWebExtObject() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
    HRESULT STDMETHODCALLTYPE get_HostWindow(LONG_PTR* pHwnd) override;
    HRESULT STDMETHODCALLTYPE OnWebCommand(BSTR command, BSTR argument) override;

private:
    HWND m_hHost;
    LONG m_refs = 1;
};
