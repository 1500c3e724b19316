#pragma once
// Scope guard for the framework's resource module. Built on the stack for the length of one
// call, in one of two modes:
//  - module-state mode: makes the given framework module state the calling thread's current one
//    (every COM method and callback sink does this on entry);
//  - resource mode: makes a named library (for example "QorView.dll") the module that dialog
//    templates, menus, strings and icons are loaded from, loading the library first when the
//    process does not hold it yet.
// The destructor puts back exactly what the constructor changed, so guards ended in reverse
// order leave the process as it was. A library the guard loaded is freed at its end: nothing
// taken from it may be used afterwards unless it was copied. A library that cannot be found or
// loaded changes nothing.
#include "framework/CString.h"
#include "framework/ModuleState.h"

class CResourceMgr {
public:
    explicit CResourceMgr(AFX_MODULE_STATE* pModuleState);
    explicit CResourceMgr(CString strLibrary);
    virtual ~CResourceMgr();
    CResourceMgr(const CResourceMgr&) = delete;
    CResourceMgr& operator=(const CResourceMgr&) = delete;

private:
    enum { kResourceMode = 0, kModuleStateMode = 1 };

    AFX_MODULE_STATE* m_pSavedModuleState = nullptr; // module-state mode: the state before
    int m_nMode = kResourceMode;
    HINSTANCE m_hSavedResource = nullptr; // resource mode: the resource handle before
    HMODULE m_hModule = nullptr;          // resource mode: the library found or loaded
    BOOL m_bLoaded = FALSE;               // the guard loaded the library and must free it
    // Resource mode: the state whose resource handle was switched, so that it is the one that
    // gets its handle back even if the current state differs at the end.
    AFX_MODULE_STATE* m_pSwitchedState = nullptr;
};
