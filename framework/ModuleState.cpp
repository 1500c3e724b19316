#include "framework/ModuleState.h"

namespace {

AFX_MODULE_STATE& StaticState()
{
    static AFX_MODULE_STATE state = [] {
        AFX_MODULE_STATE s;
        s.m_hCurrentInstanceHandle = ::GetModuleHandleW(nullptr);
        s.m_hCurrentResourceHandle = s.m_hCurrentInstanceHandle;
        return s;
    }();
    return state;
}

thread_local AFX_MODULE_STATE* t_current = nullptr;

} // namespace

AFX_MODULE_STATE* AfxGetStaticModuleState()
{
    return &StaticState();
}

AFX_MODULE_STATE* AfxGetModuleState()
{
    return t_current ? t_current : &StaticState();
}

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pNew)
{
    AFX_MODULE_STATE* old = AfxGetModuleState();
    t_current = pNew;
    return old;
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

void AfxSetResourceHandle(HINSTANCE hResource)
{
    AfxGetModuleState()->m_hCurrentResourceHandle = hResource;
}

HINSTANCE AfxGetInstanceHandle()
{
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}
