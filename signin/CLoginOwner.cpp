#include "signin/CLoginOwner.h"
#include "app/CKorvelApp.h"
#include "app/CKorvelBaseDlg.h"

CLoginOwner& CLoginOwner::operator=(CKorvelBaseDlg* pMainDlg)
{
    *this = CLoginOwner();
    if (!pMainDlg)
        return *this;
    m_pWnd = pMainDlg;
    m_pLoginName = &pMainDlg->m_strLoginName;
    m_pPassword = &pMainDlg->m_strPassword;
    m_pPasswordType = &pMainDlg->m_nPasswordType;
    m_pServerAddr = &pMainDlg->m_strServerAddr;
    m_pServerPort = &pMainDlg->m_nServerPort;
    m_pServerName = &pMainDlg->m_strServerName;
    m_pLoginStatus = &pMainDlg->m_nLoginStatus;
    m_pLoginFlags = &pMainDlg->m_nLoginFlags;
    m_pProxyInfo = &pMainDlg->m_ProxyInfo;
    m_ppLoginDlg = &pMainDlg->m_pLoginDlg;
    m_pCoolDlg = pMainDlg;
    m_pFrameHelper = pMainDlg;
    if (CKorvelApp* pApp = CKorvelApp::GetApp()) {
        m_pStartupFlags = &pApp->m_nStartupFlags;
        m_pLanguage = &pApp->m_strLanguage;
    }
    return *this;
}
