#pragma once
// CComPtr<T>: holds one reference to a COM interface and releases it when it goes.
#include "framework/Platform.h"
#include <objbase.h>
#include <memory>

template <class T>
class CComPtr {
public:
    CComPtr() = default;
    CComPtr(T* p) : p(p)
    {
        if (p)
            p->AddRef();
    }
    CComPtr(const CComPtr& src) : CComPtr(src.p) {}
    CComPtr(CComPtr&& src) noexcept : p(src.p) { src.p = nullptr; }
    ~CComPtr() { Release(); }

    CComPtr& operator=(T* src)
    {
        if (src != p) {
            if (src)
                src->AddRef();
            Release();
            p = src;
        }
        return *this;
    }
    CComPtr& operator=(const CComPtr& src) { return *this = src.p; }
    CComPtr& operator=(CComPtr&& src) noexcept
    {
        if (std::addressof(src) != this) {
            Release();
            p = src.p;
            src.p = nullptr;
        }
        return *this;
    }

    operator T*() const { return p; }
    T* operator->() const { return p; }
    T& operator*() const { return *p; }
    // For an out-argument: the pointer must be empty (an old reference would leak otherwise),
    // so it is released first.
    T** operator&()
    {
        Release();
        return &p;
    }
    bool operator!() const { return p == nullptr; }
    bool operator==(T* other) const { return p == other; }
    bool operator!=(T* other) const { return p != other; }

    void Release()
    {
        T* old = p;
        p = nullptr;
        if (old)
            old->Release();
    }
    void Attach(T* src)
    {
        Release();
        p = src;
    }
    T* Detach()
    {
        T* old = p;
        p = nullptr;
        return old;
    }
    HRESULT CopyTo(T** ppT) const
    {
        if (!ppT)
            return E_POINTER;
        *ppT = p;
        if (p)
            p->AddRef();
        return S_OK;
    }
    template <class Q>
    HRESULT QueryInterface(Q** pp) const
    {
        if (!pp)
            return E_POINTER;
        *pp = nullptr;
        return p ? p->QueryInterface(__uuidof(Q), reinterpret_cast<void**>(pp)) : E_POINTER;
    }
    HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL)
    {
        Release();
        return ::CoCreateInstance(rclsid, pUnkOuter, dwClsContext, __uuidof(T), reinterpret_cast<void**>(&p));
    }
    HRESULT CoCreateInstance(LPCOLESTR szProgID, IUnknown* pUnkOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL)
    {
        CLSID clsid;
        HRESULT hr = ::CLSIDFromProgID(szProgID, &clsid);
        return FAILED(hr) ? hr : CoCreateInstance(clsid, pUnkOuter, dwClsContext);
    }

    T* p = nullptr;
};
