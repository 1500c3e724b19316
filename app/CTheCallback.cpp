#include "app/CTheCallback.h"
#include "app/CKorvelApp.h"
#include "common/CResourceMgr.h"

// A null object from the core is refused (E_POINTER) rather than handed on.
// The core reports its notifications here; the answer tells it the slot is not one it should
// rely on, so the forwarding is followed by E_NOTIMPL.
HRESULT STDMETHODCALLTYPE CTheCallback::CCallback::OnQorCmdRec(IQorCmd* pCmd)
{
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    if (!m_pOwner || !pCmd)
        return E_POINTER;
    m_pOwner->OnCoreNotify(pCmd);
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CTheCallback::CCallback::OnQorMsgRec(IQorMsg* pMsg)
{
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    if (!m_pOwner || !pMsg)
        return E_POINTER;
    m_pOwner->OnReceiveMessage(pMsg);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CTheCallback::CCallback::OnConnectStateChange(long, long, long, BOOL*)
{
    return m_pOwner ? E_NOTIMPL : E_POINTER;
}

HRESULT STDMETHODCALLTYPE CTheCallback::CCallback::OnQorNteRec(IQorCmd* pNotice)
{
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    if (!m_pOwner || !pNotice)
        return E_POINTER;
    m_pOwner->OnAppCommand(pNotice);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CTheCallback::CCallback::OnQorAddInMsgRec(BSTR, IQorMsg*)
{
    return E_NOTIMPL;
}
