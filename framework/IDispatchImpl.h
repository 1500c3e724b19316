#pragma once
// IDispatchImpl<T, piid, plibid, major, minor>: IDispatch for the dual interface T, answered from
// T's description in a type library: the library *plibid of that version as registered, or, for
// the module's own library (plibid null or equal to the module's), the copy embedded in the
// module file as resource TYPELIB 1. Invoke then calls the matching vtable slot of T through
// ITypeInfo::Invoke, so the class only implements T's methods.
#include "framework/CComModule.h"
#include <oleauto.h>

template <class T, const IID* piid, const GUID* plibid = nullptr, WORD wMajor = 1, WORD wMinor = 0>
class IDispatchImpl : public T {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override
    {
        if (!pctinfo)
            return E_POINTER;
        *pctinfo = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID, ITypeInfo** ppTInfo) override
    {
        if (!ppTInfo)
            return E_POINTER;
        *ppTInfo = nullptr;
        if (iTInfo != 0)
            return DISP_E_BADINDEX;
        ITypeInfo* info = nullptr;
        HRESULT hr = GetTI(&info);
        if (SUCCEEDED(hr)) {
            info->AddRef();
            *ppTInfo = info;
        }
        return hr;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID,
                                            DISPID* rgDispId) override
    {
        ITypeInfo* info = nullptr;
        HRESULT hr = GetTI(&info);
        return FAILED(hr) ? hr : info->GetIDsOfNames(rgszNames, cNames, rgDispId);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pDispParams,
                                     VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override
    {
        if (!IsEqualIID(riid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        ITypeInfo* info = nullptr;
        HRESULT hr = GetTI(&info);
        if (FAILED(hr))
            return hr;
        return info->Invoke(static_cast<T*>(this), dispIdMember, wFlags, pDispParams, pVarResult, pExcepInfo,
                            puArgErr);
    }

protected:
    // The cached description (owned by the module; not to be released).
    static HRESULT GetTI(ITypeInfo** ppInfo)
    {
        CComModule* module = CComModule::GetModule();
        if (!module)
            return E_UNEXPECTED;
        return module->GetTypeInfo(plibid, wMajor, wMinor, *piid, ppInfo);
    }
};
