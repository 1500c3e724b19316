#include "app/CMsgCenterHost.h"
#include "app/CKorvelBaseDlg.h"

#if defined(KORVEL_WITH_MSG_CENTER)
#include "msgcenter/CQorMsgManagerDlg.h"
#include "msgcenter/CQorMsgTitleDlg.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewMgr.h"

CDialog* CMsgCenterHost::CreateCenter()
{
    return new CQorMsgManagerDlg();
}

void CMsgCenterHost::Prepare(CDialog* pCenter, CKorvelBaseDlg* pOwner)
{
    auto* p = static_cast<CQorMsgManagerDlg*>(pCenter);
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    p->m_pDBMgr = pMgr->m_pDBMgr;
    p->m_strServer = pOwner->m_strServerAddr;
    p->m_strAccount = pMgr->m_strAccount;
    p->m_pOwner = pOwner;
}

bool CMsgCenterHost::EnsureWindow(CDialog* pCenter, CKorvelBaseDlg* pOwner)
{
    return ::IsWindow(pCenter->GetSafeHwnd()) || pCenter->Create(IDD_MSG_MANAGER, pOwner);
}

bool CMsgCenterHost::IsBusy(CDialog* pCenter)
{
    auto* p = static_cast<CQorMsgManagerDlg*>(pCenter);
    return p->m_pTitleDlg && p->m_pTitleDlg->m_bRunning;
}

void CMsgCenterHost::OpenWithRequest(CDialog* pCenter, const CString& strRequest)
{
    static_cast<CQorMsgManagerDlg*>(pCenter)->OpenWithRequest(strRequest);
}

void CMsgCenterHost::CancelLongTask(CDialog* pCenter)
{
    auto* p = static_cast<CQorMsgManagerDlg*>(pCenter);
    if (p && p->m_pTitleDlg)
        p->m_pTitleDlg->CancelLongTask();
}

void CMsgCenterHost::DestroyCenter(CDialog* pCenter)
{
    if (!pCenter)
        return;
    if (::IsWindow(pCenter->GetSafeHwnd()))
        pCenter->DestroyWindow();
    delete static_cast<CQorMsgManagerDlg*>(pCenter);
}

#else

CDialog* CMsgCenterHost::CreateCenter() { return nullptr; }
void CMsgCenterHost::Prepare(CDialog*, CKorvelBaseDlg*) {}
bool CMsgCenterHost::EnsureWindow(CDialog*, CKorvelBaseDlg*) { return false; }
bool CMsgCenterHost::IsBusy(CDialog*) { return false; }
void CMsgCenterHost::OpenWithRequest(CDialog*, const CString&) {}
void CMsgCenterHost::CancelLongTask(CDialog*) {}

void CMsgCenterHost::DestroyCenter(CDialog* pCenter)
{
    if (pCenter && ::IsWindow(pCenter->GetSafeHwnd()))
        pCenter->DestroyWindow();
    delete pCenter;
}

#endif
