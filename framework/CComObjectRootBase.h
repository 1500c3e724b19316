#pragma once
// CComObjectRootBase: the reference count and interface table of a COM class of ours.
//
// A class lists the interfaces it answers in a COM map; CComObject<T> then supplies IUnknown:
//
//     class CConsole : public CComObjectRootBase,
//                      public CComCoClass<CConsole, &CLSID_Console>,
//                      public IDispatchImpl<IConsole, &IID_IConsole> {
//     public:
//         BEGIN_COM_MAP(CConsole)
//             COM_INTERFACE_ENTRY(IConsole)
//             COM_INTERFACE_ENTRY(IDispatch)
//         END_COM_MAP()
//         ...
//     };
//
// The first entry also answers IID_IUnknown (the object's identity). COM_INTERFACE_ENTRY needs
// the interface's __uuidof (widl headers declare it); COM_INTERFACE_ENTRY_IID names the IID
// instead; COM_INTERFACE_ENTRY2(I, Via) resolves an interface inherited along several paths
// (IDispatch of two dual interfaces) through the base Via. COM_INTERFACE_ENTRY_MEMBER(iid, m)
// answers iid with the data member m, a sub-object that derives from that interface first (single
// inheritance) and forwards its IUnknown methods to the object that holds it.
#include "framework/Platform.h"
#include <objbase.h>
#include <cstddef>

struct _COM_INTMAP_ENTRY {
    const IID* piid; // nullptr ends the table
    DWORD_PTR dw;    // offset of the interface within the object
};

// Offset of base interface I within class C.
#define KORVEL_OFFSETOFCLASS(I, C) \
    (reinterpret_cast<DWORD_PTR>(static_cast<I*>(reinterpret_cast<C*>(8))) - 8)
#define KORVEL_OFFSETOFCLASS2(I, Via, C) \
    (reinterpret_cast<DWORD_PTR>(static_cast<I*>(static_cast<Via*>(reinterpret_cast<C*>(8)))) - 8)

#define BEGIN_COM_MAP(x)                                                                            \
public:                                                                                             \
    typedef x _ComMapClass;                                                                         \
    HRESULT _InternalQueryInterface(REFIID iid, void** ppvObject)                                   \
    {                                                                                               \
        return InternalQueryInterface(this, _GetEntries(), iid, ppvObject);                         \
    }                                                                                               \
    IUnknown* GetUnknown()                                                                          \
    {                                                                                               \
        return reinterpret_cast<IUnknown*>(reinterpret_cast<DWORD_PTR>(this) + _GetEntries()->dw);  \
    }                                                                                               \
    static const _COM_INTMAP_ENTRY* _GetEntries()                                                   \
    {                                                                                               \
        static const _COM_INTMAP_ENTRY _entries[] = {
#define COM_INTERFACE_ENTRY(x) {&__uuidof(x), KORVEL_OFFSETOFCLASS(x, _ComMapClass)},
#define COM_INTERFACE_ENTRY_IID(iid, x) {&(iid), KORVEL_OFFSETOFCLASS(x, _ComMapClass)},
#define COM_INTERFACE_ENTRY2(x, x2) {&__uuidof(x), KORVEL_OFFSETOFCLASS2(x, x2, _ComMapClass)},
#define COM_INTERFACE_ENTRY2_IID(iid, x, x2) {&(iid), KORVEL_OFFSETOFCLASS2(x, x2, _ComMapClass)},
#define COM_INTERFACE_ENTRY_MEMBER(iid, member) {&(iid), static_cast<DWORD_PTR>(offsetof(_ComMapClass, member))},
#define END_COM_MAP()                                                                               \
        {nullptr, 0}};                                                                              \
        return _entries;                                                                            \
    }                                                                                               \
    /* Supplied by CComObject<T>; declared here so that calls inside the class are unambiguous. */ \
    virtual ULONG STDMETHODCALLTYPE AddRef() = 0;                                                   \
    virtual ULONG STDMETHODCALLTYPE Release() = 0;                                                  \
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) = 0;

class CComObjectRootBase {
public:
    CComObjectRootBase() = default;
    // Virtual, so that the creatable CComObject<T> that derives from a class of ours is always
    // destroyed whole.
    virtual ~CComObjectRootBase() = default;
    CComObjectRootBase(const CComObjectRootBase&) = delete;
    CComObjectRootBase& operator=(const CComObjectRootBase&) = delete;

    // Overridables: called once after construction (a failure destroys the object again) and
    // once before destruction.
    HRESULT FinalConstruct() { return S_OK; }
    void FinalRelease() {}

    ULONG InternalAddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_dwRef)); }
    ULONG InternalRelease() { return static_cast<ULONG>(::InterlockedDecrement(&m_dwRef)); }

    // Looks iid up in the table; IID_IUnknown answers the first entry.
    static HRESULT InternalQueryInterface(void* pThis, const _COM_INTMAP_ENTRY* pEntries, REFIID iid,
                                          void** ppvObject);

    volatile LONG m_dwRef = 0;
};
