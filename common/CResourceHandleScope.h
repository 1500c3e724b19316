#pragma once
// Makes a given module the resource module (AfxSetResourceHandle) for the length of a scope and
// puts the previous one back at its end. Used where a caller has switched to another library's
// resources (CResourceMgr) but what it then shows is its own: the handle it held before the
// switch is made current again inside.
#include "framework/Platform.h"

class CResourceHandleScope {
public:
    // A null handle changes nothing.
    explicit CResourceHandleScope(HINSTANCE hResource);
    ~CResourceHandleScope();
    CResourceHandleScope(const CResourceHandleScope&) = delete;
    CResourceHandleScope& operator=(const CResourceHandleScope&) = delete;

private:
    HINSTANCE m_hSaved = nullptr;
    bool m_bSwitched = false;
};
