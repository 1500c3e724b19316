#include "controls/popup/CTkResourceScope.h"
#include "framework/ModuleState.h"

namespace {
HINSTANCE s_hResourceInstance = nullptr;
HINSTANCE s_hResourceHandle = nullptr;
} // namespace

void CTkResourceScope::SetResourceModule(HINSTANCE hInstance, HINSTANCE hResource)
{
    s_hResourceInstance = hInstance;
    s_hResourceHandle = hResource ? hResource : hInstance;
}

HINSTANCE CTkResourceScope::GetResourceInstance()
{
    return s_hResourceInstance;
}

HINSTANCE CTkResourceScope::GetResourceHandle()
{
    return s_hResourceHandle;
}

CTkResourceScope::CTkResourceScope()
{
    if (!s_hResourceHandle)
        return;
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    m_hOldResource = pState->m_hCurrentResourceHandle;
    m_hOldInstance = pState->m_hCurrentInstanceHandle;
    pState->m_hCurrentResourceHandle = s_hResourceHandle;
    if (!pState->m_hCurrentInstanceHandle)
        pState->m_hCurrentInstanceHandle = s_hResourceInstance;
    m_bActive = TRUE;
}

CTkResourceScope::~CTkResourceScope()
{
    if (!m_bActive)
        return;
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_hCurrentResourceHandle = m_hOldResource;
    pState->m_hCurrentInstanceHandle = m_hOldInstance;
}
