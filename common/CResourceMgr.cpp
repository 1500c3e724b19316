#include "common/CResourceMgr.h"

CResourceMgr::CResourceMgr(AFX_MODULE_STATE* pModuleState) : m_nMode(kModuleStateMode)
{
    m_pSavedModuleState = AfxSetModuleState(pModuleState);
}

CResourceMgr::CResourceMgr(CString strLibrary) : m_nMode(kResourceMode)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    m_hSavedResource = pState->m_hCurrentResourceHandle;
    if (strLibrary.IsEmpty())
        return;
    m_hModule = ::GetModuleHandleW(strLibrary);
    if (!m_hModule) {
        m_hModule = ::LoadLibraryW(strLibrary);
        // Only a library this guard really loaded is ever freed by it.
        m_bLoaded = m_hModule != nullptr;
    }
    if (m_hModule) {
        pState->m_hCurrentResourceHandle = m_hModule;
        m_pSwitchedState = pState;
    }
}

CResourceMgr::~CResourceMgr()
{
    if (m_nMode == kModuleStateMode) {
        if (m_pSavedModuleState)
            AfxSetModuleState(m_pSavedModuleState);
    } else if (m_pSwitchedState) {
        // Restored even when the saved handle was null: nested guards must leave things exactly
        // as they found them.
        m_pSwitchedState->m_hCurrentResourceHandle = m_hSavedResource;
    }
    if (m_bLoaded) {
        ::FreeLibrary(m_hModule);
        m_bLoaded = FALSE;
    }
}
