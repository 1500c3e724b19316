#include "app/CMsgCenterHost.h"
#include "msgcenter/manager/IMsgCenter.h"
#include "platform/QorView/CQorViewMgr.h"

void CMsgCenterHost::Open(const CString& strRequest, CWnd* pParent, IMsgCenterOwner* pOwner, const CString& strServer)
{
    if (!m_pCenter)
        m_pCenter = IMsgCenter::NewCenter();
    if (!m_pCenter)
        return;
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    m_pCenter->SetSession(pMgr->m_pDBMgr, strServer, pMgr->m_strAccount, pOwner);
    if (!m_pCenter->EnsureWindow(pParent) || m_pCenter->IsBusy())
        return;
    HWND hCenter = m_pCenter->GetCenterHwnd();
    ::ShowWindow(hCenter, ::IsIconic(hCenter) ? SW_SHOWNORMAL : SW_SHOW);
    ::SetForegroundWindow(hCenter);
    m_pCenter->OpenWithRequest(strRequest);
}

void CMsgCenterHost::OnCenterGone(IMsgCenter* pCenter)
{
    if (m_pCenter == pCenter)
        m_pCenter = nullptr;
}

void CMsgCenterHost::CancelLongTasks()
{
    if (m_pCenter)
        m_pCenter->CancelLongTasks();
}

void CMsgCenterHost::Close()
{
    IMsgCenter* pCenter = m_pCenter;
    m_pCenter = nullptr;
    if (pCenter)
        pCenter->Destroy();
}
