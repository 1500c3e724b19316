#include "standin/QorView/CWebExtObject.h"
#include "standin/QorView/QorViewState.h"
#include "framework/CComBSTR.h"

HRESULT CWebExtObject::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IWebExt)) {
        *ppv = static_cast<IWebExt*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG CWebExtObject::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

ULONG CWebExtObject::Release()
{
    LONG n = ::InterlockedDecrement(&m_refs);
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

HRESULT CWebExtObject::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT CWebExtObject::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

namespace {

// The members a page reaches by name through window.external; script engines match names
// without regard to case.
const struct {
    const wchar_t* name;
    DISPID id;
} kMembers[] = {
    {L"HostWindow", CWebExtObject::kDispIdHostWindow},
    {L"OnWebCommand", CWebExtObject::kDispIdOnWebCommand},
};

// The argument at position index in declared order, as text; FALSE when it cannot be text.
bool ArgText(DISPPARAMS* params, UINT index, CComBSTR& text)
{
    VARIANT converted;
    ::VariantInit(&converted);
    if (FAILED(::VariantChangeType(&converted, &params->rgvarg[params->cArgs - 1 - index], 0, VT_BSTR)))
        return false;
    text.Attach(converted.bstrVal);
    return true;
}

} // namespace

HRESULT CWebExtObject::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId)
{
    if (!rgszNames || !rgDispId || cNames == 0)
        return E_INVALIDARG;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < cNames; ++i)
        rgDispId[i] = DISPID_UNKNOWN;
    // Only the member name is looked up; the methods take no named arguments.
    for (const auto& member : kMembers) {
        if (rgszNames[0] && ::lstrcmpiW(rgszNames[0], member.name) == 0)
            rgDispId[0] = member.id;
    }
    if (rgDispId[0] == DISPID_UNKNOWN || cNames > 1)
        hr = DISP_E_UNKNOWNNAME;
    return hr;
}

HRESULT CWebExtObject::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams,
                              VARIANT* pVarResult, EXCEPINFO*, UINT* puArgErr)
{
    if (pVarResult)
        ::VariantInit(pVarResult);
    const UINT argc = pDispParams ? pDispParams->cArgs : 0;
    if (argc && !pDispParams->rgvarg)
        return E_INVALIDARG;
    switch (dispIdMember) {
    case kDispIdHostWindow: {
        if (!(wFlags & DISPATCH_PROPERTYGET) || argc != 0)
            return DISP_E_MEMBERNOTFOUND;
        LONG_PTR hwnd = 0;
        get_HostWindow(&hwnd);
        if (pVarResult) {
            pVarResult->vt = VT_I4;
            pVarResult->lVal = static_cast<LONG>(hwnd); // window handles fit 32 bits
        }
        return S_OK;
    }
    case kDispIdOnWebCommand: {
        if (!(wFlags & DISPATCH_METHOD))
            return DISP_E_MEMBERNOTFOUND;
        if (argc < 1 || argc > 2)
            return DISP_E_BADPARAMCOUNT;
        CComBSTR command, argument;
        for (UINT i = 0; i < argc; ++i) {
            if (!ArgText(pDispParams, i, i == 0 ? command : argument)) {
                if (puArgErr)
                    *puArgErr = argc - 1 - i;
                return DISP_E_TYPEMISMATCH;
            }
        }
        return OnWebCommand(command, argument);
    }
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT CWebExtObject::get_HostWindow(LONG_PTR* pHwnd)
{
    if (!pHwnd)
        return E_POINTER;
    *pHwnd = reinterpret_cast<LONG_PTR>(m_hHost);
    return S_OK;
}

HRESULT CWebExtObject::OnWebCommand(BSTR command, BSTR argument)
{
    qorview_detail::Record(L"IWebExt::OnWebCommand",
                           qorview_detail::Join({CString(command ? command : L""), CString(argument ? argument : L"")}));
    return S_OK;
}
