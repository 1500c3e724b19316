#include "app/CCoreSender.h"
#include "app/KorvelMessages.h"
#include "framework/CComBSTR.h"
#include "platform/QorCore/QorCoreIds.h"
#include "platform/QorView/CQorViewMgr.h"
#include "KorvelLib.h"

CCoreSender::~CCoreSender()
{
    for (auto& pending : m_pending)
        pending.second->Release();
}

IQorMsg* CCoreSender::NewHeldCoreMsg()
{
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    pMgr->SetQorMsg(nullptr);
    CLSID clsid = {};
    IQorMsg* pMsg = nullptr;
    if (FAILED(::CLSIDFromProgID(kProgIdQorMsg, &clsid)) ||
        FAILED(::CoCreateInstance(clsid, nullptr, kQorCoreClsCtx, IID_IQorMsg, reinterpret_cast<void**>(&pMsg))) ||
        !pMsg)
        return nullptr;
    pMgr->SetQorMsg(pMsg);
    pMsg->Release(); // the view manager holds it
    return pMsg;
}

bool CCoreSender::SendQorMsg(IMessage* pMessage)
{
    IQorMsg* pMsg = NewHeldCoreMsg();
    if (!pMsg || !pMessage)
        return false;
    LONG n = 0;
    pMessage->GetReceiverCount(&n);
    for (LONG i = 0; i < n; ++i) {
        CComBSTR account, name;
        pMessage->GetReceiver(i, &account);
        pMessage->GetReceiverName(i, &name);
        pMsg->AddReceiver(account, name);
    }
    n = 0;
    pMessage->GetItemCount(&n);
    for (LONG i = 0; i < n; ++i) {
        CComBSTR item;
        pMessage->GetItem(i, &item);
        pMsg->AddFile(item);
    }
    CComBSTR text;
    pMessage->GetText3(&text);
    pMsg->put_Subject(text);
    pMessage->GetText1(&text);
    pMsg->put_Text4(text);
    pMessage->GetText2(&text);
    pMsg->put_Text3(text);
    pMessage->GetText4(&text);
    pMsg->put_ContentType(text);
    n = 0;
    pMessage->GetValueCount(&n);
    for (LONG i = 0; i < n; ++i) {
        CComBSTR key, value;
        pMessage->GetKeyAt(i, &key);
        pMessage->GetValueAt(i, &value);
        pMsg->SetProperty(key, value);
    }
    LONG number = 0;
    pMessage->GetNumber(&number);
    pMsg->put_MsgType(number);
    return true;
}

bool CCoreSender::SendFilesToUsers(const CStringArray& arAccounts, const CStringArray& arNames,
                                   const CStringArray& arFiles)
{
    // Every receiver needs its display name; a shorter list is the caller's mistake and must
    // not leave a half-made message behind.
    if (arNames.GetSize() < arAccounts.GetSize())
        return false;
    IQorMsg* pMsg = NewHeldCoreMsg();
    if (!pMsg)
        return false;
    for (INT_PTR i = 0; i < arAccounts.GetSize(); ++i)
        pMsg->AddReceiver(CComBSTR(arAccounts[i]), CComBSTR(arNames[i]));
    for (INT_PTR i = 0; i < arFiles.GetSize(); ++i)
        pMsg->AddFile(CComBSTR(arFiles[i]));
    pMsg->put_MsgType(0);
    return true;
}

BOOL CCoreSender::PostQuickSend(HWND hWnd, WPARAM wValue)
{
    IQorMsg* pMsg = CQorViewMgr::Instance()->m_pQorMsg;
    if (!pMsg)
        return FALSE;
    // A number, not the pointer, travels in the message: a WM_USER+2008 from anywhere else can
    // never make the window use an object it does not hold.
    const LPARAM ticket = ++m_nLastTicket;
    if (!::PostMessageW(hWnd, WM_QUICK_SEND_MSG, wValue, ticket))
        return FALSE;
    pMsg->AddRef();
    m_pending[ticket] = pMsg;
    return TRUE;
}

void CCoreSender::OnQuickSendMsg(WPARAM wValue, LPARAM lParam)
{
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    auto it = m_pending.find(lParam);
    if (it != m_pending.end()) {
        pMgr->SetQorMsg(it->second);
        it->second->Release();
        m_pending.erase(it);
    }
    pMgr->QuickSendMsg(wValue, CString());
}
