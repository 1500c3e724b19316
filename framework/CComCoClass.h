#pragma once
// CComCoClass<T, pclsid>: what the object map needs of a creatable class: its CLSID and a creator
// (no aggregation). The class also declares how it is registered, with one of:
//
//   DECLARE_REGISTRY(T, L"Korvel.Console.1", L"Korvel.Console", L"Console Class", L"Apartment")
//       the standard entries (see CComModule::UpdateRegistryClass): ProgID, version-independent
//       ProgID with CurVer, description, server path, AppID and TypeLib of the module;
//   DECLARE_REGISTRY_RESOURCEID(104)
//       a registry script of the module's resources (type "REGISTRY", see CRegistryScript);
//   DECLARE_NO_REGISTRY()
//       nothing.
#include "framework/CComModule.h"
#include "framework/CComObject.h"

template <class T, const CLSID* pclsid = &CLSID_NULL>
class CComCoClass {
public:
    static const CLSID& WINAPI GetObjectCLSID() { return *pclsid; }

    // The object map's creator: a new CComObject<T> answering riid.
    static HRESULT WINAPI _CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv)
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (pUnkOuter)
            return CLASS_E_NOAGGREGATION;
        CComObject<T>* p = nullptr;
        HRESULT hr = CComObject<T>::CreateInstance(&p);
        if (FAILED(hr))
            return hr;
        p->AddRef();
        hr = p->QueryInterface(riid, ppv);
        p->Release();
        return hr;
    }

    // A new object of this class, answering interface Q; the caller owns the reference.
    template <class Q>
    static HRESULT CreateInstance(Q** pp)
    {
        return _CreateInstance(nullptr, __uuidof(Q), reinterpret_cast<void**>(pp));
    }
};

#define DECLARE_REGISTRY(class_name, progid, viprogid, description, threading)                      \
    static HRESULT WINAPI UpdateRegistry(BOOL bRegister)                                             \
    {                                                                                                \
        CComModule* module = CComModule::GetModule();                                                \
        return module ? module->UpdateRegistryClass(GetObjectCLSID(), progid, viprogid, description, \
                                                    threading, bRegister)                            \
                      : E_UNEXPECTED;                                                                \
    }

#define DECLARE_REGISTRY_RESOURCEID(id)                                                              \
    static HRESULT WINAPI UpdateRegistry(BOOL bRegister)                                             \
    {                                                                                                \
        CComModule* module = CComModule::GetModule();                                                \
        return module ? module->UpdateRegistryFromResource(id, bRegister) : E_UNEXPECTED;            \
    }

#define DECLARE_NO_REGISTRY()                                                                        \
    static HRESULT WINAPI UpdateRegistry(BOOL) { return S_OK; }
