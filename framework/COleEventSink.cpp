#include "framework/COleEventSink.h"

COleEventSink::COleEventSink(REFIID diid) : m_diid(diid) {}

COleEventSink::~COleEventSink()
{
    Unadvise();
}

IConnectionPoint* COleEventSink::FindConnectionPoint(IUnknown* pSource, REFIID diid)
{
    if (!pSource)
        return nullptr;
    IConnectionPointContainer* container = nullptr;
    if (FAILED(pSource->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container))))
        return nullptr;
    IConnectionPoint* point = nullptr;
    if (FAILED(container->FindConnectionPoint(diid, &point)))
        point = nullptr;
    container->Release();
    return point;
}

BOOL COleEventSink::Advise(IUnknown* pSource)
{
    if (m_pPoint)
        return FALSE;
    IConnectionPoint* point = FindConnectionPoint(pSource, m_diid);
    if (!point)
        return FALSE;
    DWORD cookie = 0;
    if (FAILED(point->Advise(static_cast<IDispatch*>(this), &cookie))) {
        point->Release();
        return FALSE;
    }
    m_pPoint = point;
    m_dwCookie = cookie;
    return TRUE;
}

void COleEventSink::Unadvise()
{
    // Cleared before the call: the source may fire a last event while it lets go.
    IConnectionPoint* point = m_pPoint;
    m_pPoint = nullptr;
    if (point) {
        point->Unadvise(m_dwCookie);
        point->Release();
    }
    m_dwCookie = 0;
}

VARIANT* COleEventSink::GetArg(DISPPARAMS* params, UINT index)
{
    if (!params || !params->rgvarg || index >= params->cArgs)
        return nullptr;
    VARIANT* v = &params->rgvarg[params->cArgs - 1 - index];
    while (v && v->vt == (VT_BYREF | VT_VARIANT))
        v = v->pvarVal;
    return v;
}

CString COleEventSink::GetArgString(DISPPARAMS* params, UINT index)
{
    VARIANT* v = GetArg(params, index);
    if (!v)
        return CString();
    if (v->vt == VT_BSTR)
        return CString(v->bstrVal ? v->bstrVal : L"");
    if (v->vt == (VT_BYREF | VT_BSTR) && v->pbstrVal)
        return CString(*v->pbstrVal ? *v->pbstrVal : L"");
    return CString();
}

long COleEventSink::GetArgLong(DISPPARAMS* params, UINT index)
{
    VARIANT* v = GetArg(params, index);
    if (!v)
        return 0;
    VARIANT converted;
    ::VariantInit(&converted);
    if (v->vt == VT_BSTR || v->vt == VT_DISPATCH || v->vt == VT_UNKNOWN ||
        FAILED(::VariantChangeType(&converted, v, 0, VT_I4)))
        return 0;
    return converted.lVal;
}

IDispatch* COleEventSink::GetArgDispatch(DISPPARAMS* params, UINT index)
{
    VARIANT* v = GetArg(params, index);
    if (!v)
        return nullptr;
    if (v->vt == VT_DISPATCH)
        return v->pdispVal;
    if (v->vt == (VT_BYREF | VT_DISPATCH) && v->ppdispVal)
        return *v->ppdispVal;
    return nullptr;
}

BOOL COleEventSink::SetArgBool(DISPPARAMS* params, UINT index, bool value)
{
    VARIANT* v = GetArg(params, index);
    if (!v || v->vt != (VT_BYREF | VT_BOOL) || !v->pboolVal)
        return FALSE;
    *v->pboolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return TRUE;
}

HRESULT STDMETHODCALLTYPE COleEventSink::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, m_diid)) {
        *ppv = static_cast<IDispatch*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE COleEventSink::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COleEventSink::Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams,
                                                 VARIANT* pVarResult, EXCEPINFO*, UINT*)
{
    if (pVarResult)
        ::VariantInit(pVarResult);
    // No exception may go back into the control that raised the event.
    try {
        if (m_handler)
            m_handler(dispIdMember, pDispParams);
    } catch (...) {
    }
    return S_OK;
}
