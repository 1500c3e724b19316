#include "app/CMsgCenterHost.h"
#include "app/CKorvelBaseDlg.h"
#include "msgcenter/CQorMsgBaseDlg.h"
#include "msgcenter/CQorMsgManagerDlg.h"
#include "msgcenter/CQorMsgTitleDlg.h"
#include "msgcenter/CQorMsgTitleExDlg.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewMgr.h"

namespace {
CQorMsgTitleDlg* TitleList(CDialog* pCenter)
{
    auto* p = static_cast<CQorMsgManagerDlg*>(pCenter);
    return p && p->basePane ? p->basePane->titlePane : nullptr;
}

CQorMsgTitleExDlg* ContactHistory(CDialog* pCenter)
{
    auto* p = static_cast<CQorMsgManagerDlg*>(pCenter);
    return p && p->basePane ? p->basePane->titleExPane : nullptr;
}
} // namespace

CDialog* CMsgCenterHost::CreateCenter()
{
    return new CQorMsgManagerDlg(nullptr);
}

void CMsgCenterHost::Prepare(CDialog* pCenter, CKorvelBaseDlg* pOwner)
{
    auto* p = static_cast<CQorMsgManagerDlg*>(pCenter);
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    p->m_pDBMgr = pMgr->m_pDBMgr;
    p->m_strServer = pOwner->m_strServerAddr;
    p->m_strAccount = pMgr->m_strAccount;
    p->titleName = pMgr->m_strAccount;
    p->mainWindow = pOwner;
}

bool CMsgCenterHost::EnsureWindow(CDialog* pCenter, CKorvelBaseDlg* pOwner)
{
    return ::IsWindow(pCenter->GetSafeHwnd()) || pCenter->Create(IDD_MSG_MANAGER, pOwner);
}

bool CMsgCenterHost::IsBusy(CDialog* pCenter)
{
    CQorMsgTitleDlg* pTitle = TitleList(pCenter);
    CQorMsgTitleExDlg* pHistory = ContactHistory(pCenter);
    return (pTitle && pTitle->IsLongTaskRunning()) || (pHistory && pHistory->IsBusy());
}

void CMsgCenterHost::OpenWithRequest(CDialog* pCenter, const CString& strRequest)
{
    static_cast<CQorMsgManagerDlg*>(pCenter)->OpenWithRequest(strRequest);
}

void CMsgCenterHost::CancelLongTask(CDialog* pCenter)
{
    if (CQorMsgTitleDlg* pTitle = TitleList(pCenter))
        pTitle->CancelLongTask();
    // The contact-history worker is stopped and waited for: the database closes after this.
    if (CQorMsgTitleExDlg* pHistory = ContactHistory(pCenter))
        pHistory->CancelLongTask();
}

void CMsgCenterHost::DestroyCenter(CDialog* pCenter)
{
    if (!pCenter)
        return;
    if (::IsWindow(pCenter->GetSafeHwnd()))
        pCenter->DestroyWindow();
    else
        delete static_cast<CQorMsgManagerDlg*>(pCenter);
}
