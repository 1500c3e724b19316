#include "app/CCoreCallBack.h"
#include "app/CKorvelApp.h"
#include "common/CResourceMgr.h"
#include "platform/QorView/CQorViewMgr.h"

HRESULT STDMETHODCALLTYPE CCoreCallBack::CCallback::OnQorCmdRec(IQorCmd* pCmd)
{
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    if (!m_pOwner)
        return S_FALSE;
    CQorViewMgr::Instance()->GetEventMgr()->OnQorCmdRec(pCmd);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CCoreCallBack::CCallback::OnQorMsgRec(IQorMsg* pMsg)
{
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    if (!m_pOwner)
        return S_FALSE;
    CQorViewMgr::Instance()->GetEventMgr()->OnQorMsgRec(pMsg);
    return S_OK;
}

// The out value says whether the program took the state change: 1 unless the main window's
// handler refused it.
HRESULT STDMETHODCALLTYPE CCoreCallBack::CCallback::OnConnectStateChange(long state, long, long param, BOOL* pResult)
{
    if (!pResult)
        return E_POINTER;
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    if (!m_pOwner)
        return S_FALSE;
    *pResult = 1;
    if (m_pOwner->OnConnectStateChange(state, param) == 0)
        *pResult = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CCoreCallBack::CCallback::OnQorNteRec(IQorCmd* pNotice)
{
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    if (!m_pOwner)
        return S_FALSE;
    CQorViewMgr::Instance()->GetEventMgr()->OnQorNteRec(pNotice);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CCoreCallBack::CCallback::OnQorAddInMsgRec(BSTR addInName, IQorMsg* pMsg)
{
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    if (!m_pOwner)
        return S_FALSE;
    CString name = addInName ? CString(addInName, static_cast<int>(::SysStringLen(addInName))) : CString();
    CQorViewMgr::Instance()->GetEventMgr()->OnQorAddInMsgRec(name, pMsg);
    return S_OK;
}
