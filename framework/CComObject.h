#pragma once
// CComObject<Base>: the creatable form of a COM class of ours. It supplies IUnknown over Base's
// COM map, keeps the module locked while it lives (see CComModule) and deletes itself when its
// last reference goes.
#include "framework/CComModule.h"
#include "framework/CComObjectRootBase.h"
#include <new>

template <class Base>
class CComObject : public Base {
public:
    CComObject()
    {
        if (CComModule* module = CComModule::GetModule())
            module->Lock();
    }
    ~CComObject() override
    {
        // A stray AddRef/Release pair inside FinalRelease must not delete the object twice.
        this->m_dwRef = -(LONG_MAX / 2);
        this->FinalRelease();
        if (CComModule* module = CComModule::GetModule())
            module->Unlock();
    }

    ULONG STDMETHODCALLTYPE AddRef() override { return this->InternalAddRef(); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ULONG n = this->InternalRelease();
        if (n == 0)
            delete this;
        return n;
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** ppvObject) override
    {
        return this->_InternalQueryInterface(iid, ppvObject);
    }

    // A new object with a reference count of 0 (the caller's first QueryInterface or AddRef
    // takes it to 1), or a failure of FinalConstruct, in which case nothing is left behind.
    static HRESULT WINAPI CreateInstance(CComObject<Base>** pp)
    {
        if (!pp)
            return E_POINTER;
        *pp = nullptr;
        auto p = new (std::nothrow) CComObject<Base>();
        if (!p)
            return E_OUTOFMEMORY;
        // Guard the object against a reference taken and dropped inside FinalConstruct.
        p->InternalAddRef();
        HRESULT hr = p->FinalConstruct();
        p->InternalRelease();
        if (FAILED(hr)) {
            delete p;
            return hr;
        }
        *pp = p;
        return S_OK;
    }
};
