#pragma once
// Per-thread module state: which module the framework takes dialog templates, strings,
// menus, bitmaps and icons from.
#include "framework/Platform.h"

struct AFX_MODULE_STATE {
    HINSTANCE m_hCurrentInstanceHandle = nullptr; // the program (or DLL) itself
    HINSTANCE m_hCurrentResourceHandle = nullptr; // where resources are looked up
};

// The state of the calling thread (created on first use from the static state).
AFX_MODULE_STATE* AfxGetModuleState();
// Makes pNew the calling thread's state and returns the previous one.
AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pNew);
// The framework's static (process-wide) module state.
AFX_MODULE_STATE* AfxGetStaticModuleState();

HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hResource);
HINSTANCE AfxGetInstanceHandle();
