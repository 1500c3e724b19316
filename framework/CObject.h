#pragma once
// The root of the framework's class tree: a virtual destructor plus run-time class information,
// so that code can ask an object what it is (IsKindOf) and create classes by description
// (DECLARE_DYNCREATE). Objects derived from CObject are deleted through a base pointer.
#include "framework/Platform.h"

class CObject;

// Describes one class: its name, its size, its base and (for dynamically creatable classes)
// a factory. One static instance exists per class that uses DECLARE_DYNAMIC or DECLARE_DYNCREATE.
struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)(); // null unless the class is dynamically creatable
    const CRuntimeClass* m_pBaseClass;

    // A new object of this class, or nullptr when the class cannot be created by description.
    CObject* CreateObject() const;
    // TRUE when this class is pBaseClass or derives from it.
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    // TRUE when the object's class is pClass or one derived from it.
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

// Non-const like the library the program was written against, so callers may keep a CRuntimeClass*.
#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

// In the class body: run-time class information for IsKindOf and GetRuntimeClass.
#define DECLARE_DYNAMIC(class_name)                                                               \
public:                                                                                           \
    static const CRuntimeClass class##class_name;                                                 \
    CRuntimeClass* GetRuntimeClass() const override;

// In the class body: as DECLARE_DYNAMIC, and the class can be created by RUNTIME_CLASS(x)->CreateObject().
#define DECLARE_DYNCREATE(class_name)                                                             \
    DECLARE_DYNAMIC(class_name)                                                                   \
    static CObject* CreateObject();

#define KORVEL_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, pfnNew)                        \
    const CRuntimeClass class_name::class##class_name = {                                         \
        #class_name, static_cast<int>(sizeof(class_name)), 0xFFFF, pfnNew,                        \
        RUNTIME_CLASS(base_class_name)};                                                          \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

// In one source file: the definitions behind DECLARE_DYNAMIC.
#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                            \
    KORVEL_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, nullptr)

// In one source file: the definitions behind DECLARE_DYNCREATE.
#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                          \
    CObject* class_name::CreateObject() { return new class_name; }                                \
    KORVEL_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, class_name::CreateObject)
