// CKorvelBaseDlg: the core bridge. The callback objects' registration, and the short forwarders
// to the classes that hold each concern: core events (CCoreEventDispatch), application commands
// (CAppCommandDispatch), sending through the core (CCoreSender), the department expansion
// (CDeptExpansion) and web requests (CWebRequest).
#include "app/CConsole.h"
#include "app/CCoreCallBack.h"
#include "app/CKorvelBaseDlg.h"
#include "app/CQorTipMgr.h"
#include "app/CTheCallback.h"
#include "app/CWebRequest.h"
#include "common/CResourceMgr.h"
#include "framework/CComObject.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"

namespace {

// Creates one sink with this window as its owner and hands its callback interface to the view
// library; FALSE (logged) when the interface cannot be had.
template <class Sink>
BOOL MakeSink(CKorvelBaseDlg* pOwner, Sink*& pHeld, void (CQorViewMgr::*pfnSet)(IQorCallback*), const wchar_t* pszName)
{
    CComObject<Sink>* pSink = nullptr;
    if (FAILED(CComObject<Sink>::CreateInstance(&pSink)) || !pSink) {
        CQorViewBaseFun::WriteErrorLogFile(CString(L"RegisterCallbacks: cannot create ") + pszName);
        return FALSE;
    }
    pSink->AddRef();
    pSink->SetOwner(pOwner);
    pHeld = pSink;
    IQorCallback* pCallback = nullptr;
    const HRESULT hr = pSink->QueryInterface(IID_IQorCallback, reinterpret_cast<void**>(&pCallback));
    if (FAILED(hr) || !pCallback) {
        CString line;
        line.Format(L"RegisterCallbacks: %s answers no callback interface (0x%08lX)", pszName,
                    static_cast<unsigned long>(hr));
        CQorViewBaseFun::WriteErrorLogFile(line);
        return FALSE;
    }
    (CQorViewMgr::Instance()->*pfnSet)(pCallback);
    pCallback->Release();
    return TRUE;
}

} // namespace

BOOL CKorvelBaseDlg::RegisterCallbacks()
{
    // The objects are made for the view library and may load its resources.
    CResourceMgr scope(CString(L"QorView.dll"));
    ReleaseCallBacks();
    // Registration runs on the window's thread: web requests must never wait there.
    CWebRequest::SetUiThread(::GetCurrentThreadId());
    m_CoreEvents.ResetSession();
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    CComObject<CConsole>* pConsole = nullptr;
    if (SUCCEEDED(CComObject<CConsole>::CreateInstance(&pConsole)) && pConsole) {
        pConsole->AddRef();
        m_pConsole = pConsole;
    }
    pMgr->SetConsole(m_pConsole ? static_cast<IDispatch*>(static_cast<IConsole*>(m_pConsole)) : nullptr);
    BOOL bOk = m_pConsole != nullptr;
    bOk &= MakeSink(this, m_pCoreCallBack, &CQorViewMgr::SetCoreCallback, L"the core sink");
    bOk &= MakeSink(this, m_pTheCallback, &CQorViewMgr::SetAppCallback, L"the application sink");
    return bOk;
}

void CKorvelBaseDlg::OnCoreNotify(IQorCmd* pCmd) { m_CoreEvents.OnCoreNotify(pCmd); }
void CKorvelBaseDlg::OnReceiveMessage(IQorMsg* pMsg) { m_CoreEvents.OnReceiveMessage(pMsg); }
int CKorvelBaseDlg::OnAppCommand(IQorCmd* pCmd) { return m_AppCommands.OnAppCommand(pCmd); }
LRESULT CKorvelBaseDlg::OnRaiseReceived(WPARAM, LPARAM)
{
    m_CoreEvents.OnRaiseReceived();
    return 0;
}
void CKorvelBaseDlg::OnServerSignOut(int nReason) { m_CoreEvents.OnServerSignOut(nReason); }
void CKorvelBaseDlg::ShowReadReceiptTip(IQorCmd* pCmd) { m_CoreEvents.ShowReadReceiptTip(pCmd); }
void CKorvelBaseDlg::ShowSentMsgTip(IQorCmd* pCmd) { m_CoreEvents.ShowSentMsgTip(pCmd); }

bool CKorvelBaseDlg::SendQorMsg(IMessage* pMessage) { return CCoreSender::SendQorMsg(pMessage); }

bool CKorvelBaseDlg::SendFilesToUsers(const CStringArray& arAccounts, const CStringArray& arNames,
                                      const CStringArray& arFiles)
{
    return CCoreSender::SendFilesToUsers(arAccounts, arNames, arFiles);
}

BOOL CKorvelBaseDlg::PostQuickSend(WPARAM wValue) { return m_CoreSender.PostQuickSend(m_hWnd, wValue); }

LRESULT CKorvelBaseDlg::OnQuickSendMsg(WPARAM wParam, LPARAM lParam)
{
    m_CoreSender.OnQuickSendMsg(wParam, lParam);
    return 0;
}

LRESULT CKorvelBaseDlg::OnSwitchViewTab(WPARAM wParam, LPARAM) { return m_DeptExpansion.OnSwitchViewTab(wParam); }

CString CKorvelBaseDlg::BuildWebLoginUrl(const CString& strLogin, const CString& strPassword)
{
    return CWebRequest::BuildWebLoginUrl(GetWebServiceUrl(), strLogin, strPassword);
}

bool CKorvelBaseDlg::HttpGetString(const CString& strUrl, CStringA& strReply)
{
    return CWebRequest::HttpGetString(strUrl, strReply);
}
