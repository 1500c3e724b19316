#pragma once
// What the tests of hosted browser controls share: whether this machine has an HTML engine, the control's own way
// of raising an event (its connection point, every connected sink), a page-like object with
// named properties, and the document host that the engine would ask for window.external.
#include "framework/CComPtr.h"
#include "framework/CString.h"
#include <oaidl.h>
#include <ocidl.h>
#include <mshtmhst.h>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

// The reason the tests that need a rendered page give when they cannot run.
extern const char* const kNoHtmlEngine;

// TRUE when an HTML document can be made here (Wine needs its Gecko package for it).
bool HtmlEngineAvailable();

// Raises a DWebBrowserEvents2 event on a control the way the control does: through its
// connection point, to every sink connected to it. Arguments in declared order; the caller
// owns them (and what they point to). Returns how many sinks were called.
int FireBrowserEvent(IUnknown* control, DISPID dispid, std::vector<VARIANT> args);

// Variant builders for event arguments.
VARIANT Dispatch(IDispatch* p);
VARIANT RefVariant(VARIANT* p);
VARIANT RefBool(VARIANT_BOOL* p);
VARIANT Long(long n);

// The document host of a hosted control (its client site's IDocHostUIHandler).
CComPtr<IDocHostUIHandler> DocHostOf(IUnknown* control);
// window.external as a page would get it (null when it gets none).
CComPtr<IDispatch> ExternalOf(IUnknown* control);

// An automation object with named properties (a page's window or document, as far as the
// program reads them). Lives on the stack; references do not own it.
class NamedDispatch : public IDispatch {
public:
    std::map<std::wstring, VARIANT> properties; // values owned by the caller

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override;

private:
    std::vector<std::wstring> m_names; // dispatch id - 1
};

} // namespace testsupport
