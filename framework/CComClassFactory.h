#pragma once
// CComClassFactory: the class object of one class of a CComModule's object map. It creates
// instances through the map entry's creator and maps LockServer to the module's lock count.
// Its own references do not lock the module (COM holds them while the class is registered).
#include "framework/Platform.h"
#include <objbase.h>

class CComClassFactory : public IClassFactory {
public:
    typedef HRESULT(WINAPI* PFNCREATE)(IUnknown* pUnkOuter, REFIID riid, void** ppv);

    explicit CComClassFactory(PFNCREATE pfnCreate) : m_pfnCreate(pfnCreate) {}
    virtual ~CComClassFactory() = default;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IClassFactory
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override;

private:
    volatile LONG m_dwRef = 0;
    PFNCREATE m_pfnCreate;
};
