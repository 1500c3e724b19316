#include "tests/support/BrowserSupport.h"
#include "framework/CComQIPtr.h"
#include <exdisp.h>
#include <mshtml.h>

namespace testsupport {

const char* const kNoHtmlEngine =
    "no HTML engine here: Wine renders pages only with its Gecko package, which Debian does not ship";

bool HtmlEngineAvailable()
{
    // The HTML document class (the import libraries do not carry its id).
    static const CLSID kHtmlDocument = {0x25336920, 0x03f9, 0x11cf, {0x8f, 0xd0, 0x00, 0xaa, 0x00, 0x68, 0x6f, 0x13}};
    IHTMLDocument2* doc = nullptr;
    if (FAILED(::CoCreateInstance(kHtmlDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IHTMLDocument2,
                                  reinterpret_cast<void**>(&doc))) ||
        !doc)
        return false;
    doc->Release();
    return true;
}

int FireBrowserEvent(IUnknown* control, DISPID dispid, std::vector<VARIANT> args)
{
    CComQIPtr<IConnectionPointContainer> container(control);
    CComPtr<IConnectionPoint> point;
    CComPtr<IEnumConnections> connections;
    if (!container || FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point)) ||
        FAILED(point->EnumConnections(&connections)))
        return 0;
    std::vector<VARIANT> lastFirst(args.rbegin(), args.rend());
    DISPPARAMS params = {lastFirst.empty() ? nullptr : lastFirst.data(), nullptr, static_cast<UINT>(lastFirst.size()),
                         0};
    int called = 0;
    CONNECTDATA data;
    while (connections->Next(1, &data, nullptr) == S_OK) {
        CComQIPtr<IDispatch> sink(data.pUnk);
        data.pUnk->Release();
        if (sink && SUCCEEDED(sink->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                                           nullptr, nullptr)))
            ++called;
    }
    return called;
}

VARIANT Dispatch(IDispatch* p)
{
    VARIANT v;
    v.vt = VT_DISPATCH;
    v.pdispVal = p;
    return v;
}

VARIANT RefVariant(VARIANT* p)
{
    VARIANT v;
    v.vt = VT_BYREF | VT_VARIANT;
    v.pvarVal = p;
    return v;
}

VARIANT RefBool(VARIANT_BOOL* p)
{
    VARIANT v;
    v.vt = VT_BYREF | VT_BOOL;
    v.pboolVal = p;
    return v;
}

VARIANT Long(long n)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = n;
    return v;
}

CComPtr<IDocHostUIHandler> DocHostOf(IUnknown* control)
{
    CComQIPtr<IOleObject> ole(control);
    CComPtr<IOleClientSite> site;
    CComPtr<IDocHostUIHandler> handler;
    if (ole && SUCCEEDED(ole->GetClientSite(&site)) && site)
        site->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&handler));
    return handler;
}

CComPtr<IDispatch> ExternalOf(IUnknown* control)
{
    CComPtr<IDispatch> external;
    CComPtr<IDocHostUIHandler> handler = DocHostOf(control);
    if (handler)
        handler->GetExternal(&external);
    return external;
}

HRESULT NamedDispatch::QueryInterface(REFIID riid, void** ppv)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
        *ppv = static_cast<IDispatch*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT NamedDispatch::GetTypeInfoCount(UINT* n)
{
    *n = 0;
    return S_OK;
}

HRESULT NamedDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (count != 1 || properties.find(names[0]) == properties.end()) {
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    m_names.push_back(names[0]);
    ids[0] = static_cast<DISPID>(m_names.size());
    return S_OK;
}

HRESULT NamedDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*)
{
    if (id < 1 || static_cast<size_t>(id) > m_names.size() || !(flags & DISPATCH_PROPERTYGET) || !result)
        return DISP_E_MEMBERNOTFOUND;
    return ::VariantCopy(result, &properties[m_names[static_cast<size_t>(id) - 1]]);
}

} // namespace testsupport
