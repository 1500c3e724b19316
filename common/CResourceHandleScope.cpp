#include "common/CResourceHandleScope.h"
#include "framework/ModuleState.h"

CResourceHandleScope::CResourceHandleScope(HINSTANCE hResource)
{
    if (!hResource)
        return;
    m_hSaved = AfxGetResourceHandle();
    AfxSetResourceHandle(hResource);
    m_bSwitched = true;
}

CResourceHandleScope::~CResourceHandleScope()
{
    if (m_bSwitched)
        AfxSetResourceHandle(m_hSaved);
}
