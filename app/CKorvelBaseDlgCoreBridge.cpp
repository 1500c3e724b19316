// CKorvelBaseDlg: the core bridge. The callback objects' registration (CCallbackSinks), and the
// short forwarders to the classes that hold each concern: core events (CCoreEventDispatch),
// application commands (CAppCommandDispatch), sending through the core (CCoreSender), the
// department expansion (CDeptExpansion) and web requests (CWebRequest).
#include "app/CKorvelBaseDlg.h"
#include "app/CWebRequest.h"
#include "common/CResourceMgr.h"
#include "platform/QorView/CQorViewMgr.h"

BOOL CKorvelBaseDlg::RegisterCallbacks()
{
    // The objects are made for the view library and may load its resources.
    CResourceMgr scope(CString(L"QorView.dll"));
    ReleaseCallBacks();
    // Registration runs on the window's thread: web requests must never wait there.
    CWebRequest::SetUiThread(::GetCurrentThreadId());
    m_CoreEvents.ResetSession();
    return m_Sinks.Create(this) ? TRUE : FALSE;
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
