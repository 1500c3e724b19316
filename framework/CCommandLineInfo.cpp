#include "framework/CCommandLineInfo.h"

void CCommandLineInfo::ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL)
{
    if (!pszParam)
        return;
    if (bFlag) {
        if (::lstrcmpiW(pszParam, L"Embedding") == 0) {
            m_bRunEmbedded = TRUE;
            m_bShowSplash = FALSE;
        } else if (::lstrcmpiW(pszParam, L"Automation") == 0) {
            m_bRunAutomated = TRUE;
            m_bShowSplash = FALSE;
        } else if (::lstrcmpiW(pszParam, L"RegServer") == 0) {
            m_nShellCommand = AppRegister;
        } else if (::lstrcmpiW(pszParam, L"UnregServer") == 0 || ::lstrcmpiW(pszParam, L"Unregister") == 0) {
            m_nShellCommand = AppUnregister;
        } else if (::lstrcmpiW(pszParam, L"nologo") == 0) {
            m_bShowSplash = FALSE;
        }
        return;
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    }
}
