#pragma once
// CComQIPtr<T, piid>: a CComPtr that is filled by QueryInterface from any other interface.
#include "framework/CComPtr.h"

// The IID a CComQIPtr asks for: the given one, or the interface's own __uuidof.
template <class T, const IID* piid>
struct CComQIPtrIid {
    static REFIID Get() { return *piid; }
};
template <class T>
struct CComQIPtrIid<T, nullptr> {
    static REFIID Get() { return __uuidof(T); }
};

template <class T, const IID* piid = nullptr>
class CComQIPtr : public CComPtr<T> {
public:
    CComQIPtr() = default;
    CComQIPtr(T* p) : CComPtr<T>(p) {}
    CComQIPtr(const CComQIPtr& src) : CComPtr<T>(src.p) {}
    CComQIPtr(IUnknown* unk) { Query(unk); }
    CComQIPtr& operator=(T* p)
    {
        CComPtr<T>::operator=(p);
        return *this;
    }
    CComQIPtr& operator=(const CComQIPtr& src)
    {
        CComPtr<T>::operator=(src.p);
        return *this;
    }
    CComQIPtr& operator=(IUnknown* unk)
    {
        Query(unk);
        return *this;
    }

private:
    static REFIID Iid() { return CComQIPtrIid<T, piid>::Get(); }
    void Query(IUnknown* unk)
    {
        T* q = nullptr;
        if (unk)
            unk->QueryInterface(Iid(), reinterpret_cast<void**>(&q));
        this->Attach(q);
    }
};
