#include "framework/CComClassFactory.h"
#include "framework/CComModule.h"

HRESULT STDMETHODCALLTYPE CComClassFactory::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CComClassFactory::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_dwRef));
}

ULONG STDMETHODCALLTYPE CComClassFactory::Release()
{
    LONG n = ::InterlockedDecrement(&m_dwRef);
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

HRESULT STDMETHODCALLTYPE CComClassFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!m_pfnCreate)
        return E_UNEXPECTED;
    return m_pfnCreate(pUnkOuter, riid, ppv);
}

HRESULT STDMETHODCALLTYPE CComClassFactory::LockServer(BOOL fLock)
{
    CComModule* module = CComModule::GetModule();
    if (!module)
        return E_UNEXPECTED;
    if (fLock)
        module->Lock();
    else
        module->Unlock();
    return S_OK;
}
