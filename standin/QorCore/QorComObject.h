#pragma once
// The IUnknown and IDispatch part shared by every object of our core component. The
// program calls the objects by vtable position only, so IDispatch answers "no type
// information" and late-bound calls fail cleanly.
#include "framework/Platform.h"
#include <oaidl.h>

// Process-wide count of live objects and of server locks (DllCanUnloadNow).
void QorCoreObjectCreated();
void QorCoreObjectDestroyed();
// Keeps the module loaded (true) or lets it go again (false), like IClassFactory::LockServer.
void QorCoreLockModule(bool bLock);
// The module's own instance handle (window classes are registered with it).
HINSTANCE QorCoreModuleHandle();

template <class Interface>
class QorComObject : public Interface {
public:
    QorComObject(const IID& iid) : m_iid(iid) { QorCoreObjectCreated(); }
    virtual ~QorComObject() { QorCoreObjectDestroyed(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, m_iid)) {
            *ppv = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG n = ::InterlockedDecrement(&m_refs);
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override
    {
        if (!pctinfo)
            return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo)
            *ppTInfo = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    const IID m_iid;
    LONG m_refs = 1;
};

// Helpers for texts: a copy of a BSTR as a wide string, and an out BSTR from one.
#include <string>
inline std::wstring BstrText(BSTR b) { return b ? std::wstring(b, ::SysStringLen(b)) : std::wstring(); }
inline HRESULT OutBstr(BSTR* pOut, const std::wstring& s)
{
    if (!pOut)
        return E_POINTER;
    *pOut = ::SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
    return *pOut ? S_OK : E_OUTOFMEMORY;
}
inline HRESULT OutLong(long* pOut, long v)
{
    if (!pOut)
        return E_POINTER;
    *pOut = v;
    return S_OK;
}

// Records one call in the component's call log (QorCoreTestHooks.h).
void QorCoreRecord(const wchar_t* operation, const std::wstring& args);
