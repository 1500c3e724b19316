#pragma once
// Handle-to-object maps behind the FromHandle functions of the GDI, device-context, menu and
// image-list wrappers.
//
// A handle that a wrapper object owns (Attach, Create..., Load...) is "permanent": FromHandle
// answers that very object. Any other handle gets a temporary wrapper made on demand, kept per
// thread and per wrapper type, so asking twice for one handle answers one object. Temporary
// wrappers never destroy their handle; they are released by AfxDeleteTempMaps(), which the
// message loop calls when it goes idle, so a pointer from FromHandle is good until then.
#include "framework/CObject.h"
#include <typeinfo>

// The handle families: the same numeric value may be a GDI object in one and a menu in another.
enum class AfxHandleKind { GdiObject, DeviceContext, Menu, ImageList, Window };

// Permanent map (process-wide, locked). Unmap only removes the entry when it still names pObject.
void AfxMapPermanentHandle(AfxHandleKind kind, const void* handle, CObject* pObject);
void AfxUnmapPermanentHandle(AfxHandleKind kind, const void* handle, CObject* pObject);
CObject* AfxLookupPermanentHandle(AfxHandleKind kind, const void* handle);

// Temporary map of the calling thread. pfnRelease frees one temporary wrapper without touching
// its handle.
using AfxTempReleaseFn = void (*)(CObject*);
CObject* AfxLookupTempHandle(AfxHandleKind kind, const void* handle, const std::type_info& type);
void AfxAddTempHandle(AfxHandleKind kind, const void* handle, const std::type_info& type,
                      CObject* pObject, AfxTempReleaseFn pfnRelease);

// Frees every temporary wrapper of the calling thread (their handles stay as they are).
void AfxDeleteTempMaps();

// The FromHandle of wrapper type T: the permanent object when it is a T, else the thread's
// temporary T for the handle, made with T's default constructor and given the handle by
// setHandle(T*, handle); nullptr for a null handle. clearHandle empties the temporary before
// it is deleted, so the wrapper's destructor leaves the handle alone.
template <class T, class H, class SetFn, class ClearFn>
T* AfxFromHandle(AfxHandleKind kind, H handle, SetFn setHandle, ClearFn clearHandle)
{
    if (!handle)
        return nullptr;
    if (T* p = dynamic_cast<T*>(AfxLookupPermanentHandle(kind, handle)))
        return p;
    if (CObject* p = AfxLookupTempHandle(kind, handle, typeid(T)))
        return static_cast<T*>(p);
    T* pTemp = new T;
    setHandle(pTemp, handle);
    // The release function must be a plain function pointer; the handle setters are captureless
    // lambdas, so one stored copy per instantiation serves every call.
    static ClearFn s_clear = clearHandle;
    AfxAddTempHandle(kind, handle, typeid(T), pTemp, [](CObject* p) {
        T* t = static_cast<T*>(p);
        s_clear(t);
        delete t;
    });
    return pTemp;
}
