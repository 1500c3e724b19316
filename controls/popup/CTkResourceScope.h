#pragma once
// The module the toolkit loads its own resources from, and a scope that makes it the framework's
// current resource module while the toolkit loads something. With no module named, the scope
// does nothing and the program's resource module is used.
#include "framework/Platform.h"

class CTkResourceScope {
public:
    CTkResourceScope();
    ~CTkResourceScope();
    CTkResourceScope(const CTkResourceScope&) = delete;
    CTkResourceScope& operator=(const CTkResourceScope&) = delete;

    // Names the toolkit's resource module (null: none); hResource defaults to hInstance.
    static void SetResourceModule(HINSTANCE hInstance, HINSTANCE hResource = nullptr);
    static HINSTANCE GetResourceInstance();
    static HINSTANCE GetResourceHandle();

private:
    BOOL m_bActive = FALSE;
    HINSTANCE m_hOldResource = nullptr;
    HINSTANCE m_hOldInstance = nullptr;
};
