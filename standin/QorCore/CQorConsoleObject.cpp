#include "standin/QorCore/CQorConsoleObject.h"
#include "standin/QorCore/CQorEventHub.h"
#include <string>

CQorConsoleObject::~CQorConsoleObject()
{
    m_pClient.reset();
    CQorEventHub::Instance().ForgetOwner(this);
}

HRESULT CQorConsoleObject::get_Version(BSTR* pVal)
{
    QorCoreRecord(L"Console.get_Version", L"");
    return OutBstr(pVal, L"1.0");
}

HRESULT CQorConsoleObject::Login(BSTR server, long port, BSTR loginName, BSTR password, long passwordType,
                                 long status, long flags, long reserved)
{
    // The password is not recorded: the call log may end up in test output.
    QorCoreRecord(L"Console.Login", BstrText(server) + L"|" + std::to_wstring(port) + L"|" + BstrText(loginName) +
                                        L"|" + std::to_wstring(passwordType) + L"|" + std::to_wstring(status) +
                                        L"|" + std::to_wstring(flags) + L"|" + std::to_wstring(reserved));
    if (!m_pClient)
        m_pClient = std::make_unique<CQorCoreClient>();
    m_pClient->Login(BstrText(server), port, BstrText(loginName), BstrText(password), status);
    return S_OK;
}

HRESULT CQorConsoleObject::Logout()
{
    QorCoreRecord(L"Console.Logout", L"");
    if (m_pClient)
        m_pClient->Logout();
    return S_OK;
}

HRESULT CQorConsoleObject::Repair()
{
    QorCoreRecord(L"Console.Repair", L"");
    if (!m_pClient)
        m_pClient = std::make_unique<CQorCoreClient>();
    m_pClient->Repair();
    return S_OK;
}

HRESULT CQorConsoleObject::SetStatus(long status, BSTR text)
{
    QorCoreRecord(L"Console.SetStatus", std::to_wstring(status) + L"|" + BstrText(text));
    if (m_pClient)
        m_pClient->SetStatus(status, BstrText(text));
    return S_OK;
}

HRESULT CQorConsoleObject::SetCallbacks(IQorCallback* pCore, IQorCallback* pApp)
{
    QorCoreRecord(L"Console.SetCallbacks", std::wstring(pCore ? L"core" : L"") + L"|" + (pApp ? L"app" : L""));
    // The calling thread is the program's user-interface thread: events are delivered there.
    CQorEventHub::Instance().SetSinks(this, pCore, pApp);
    return S_OK;
}

// Recorded as "id|subject|account:name,...|file,...|type", so that a test sees what went out.
HRESULT CQorConsoleObject::SendMsg(IQorMsg* pMsg)
{
    if (!pMsg) {
        QorCoreRecord(L"Console.SendMsg", L"");
        return E_POINTER;
    }
    auto text = [&](HRESULT (STDMETHODCALLTYPE IQorMsg::*getter)(BSTR*)) {
        BSTR b = nullptr;
        (pMsg->*getter)(&b);
        std::wstring s = BstrText(b);
        ::SysFreeString(b);
        return s;
    };
    std::wstring receivers, files;
    long n = 0;
    pMsg->get_ReceiverCount(&n);
    for (long i = 0; i < n; ++i) {
        BSTR account = nullptr, name = nullptr;
        pMsg->GetReceiver(i, &account, &name);
        receivers += (i ? L"," : L"") + BstrText(account) + L":" + BstrText(name);
        ::SysFreeString(account);
        ::SysFreeString(name);
    }
    n = 0;
    pMsg->get_FileCount(&n);
    for (long i = 0; i < n; ++i) {
        BSTR path = nullptr;
        pMsg->GetFile(i, &path);
        files += (i ? L"," : L"") + BstrText(path);
        ::SysFreeString(path);
    }
    long type = 0;
    pMsg->get_MsgType(&type);
    QorCoreRecord(L"Console.SendMsg", text(&IQorMsg::get_MsgID) + L"|" + text(&IQorMsg::get_Subject) + L"|" +
                                          receivers + L"|" + files + L"|" + std::to_wstring(type));
    // Not signed in: the message cannot go out (S_FALSE tells the caller so).
    return m_pClient && m_pClient->Send(pMsg) ? S_OK : S_FALSE;
}

HRESULT CQorConsoleObject::OpenMsg(BSTR noticeId, BSTR msgKey, BSTR* pResult)
{
    QorCoreRecord(L"Console.OpenMsg", BstrText(noticeId) + L"|" + BstrText(msgKey));
    if (pResult)
        return OutBstr(pResult, std::wstring());
    return S_OK;
}

HRESULT CQorConsoleObject::UnreadLoaded(long value)
{
    QorCoreRecord(L"Console.UnreadLoaded", std::to_wstring(value));
    return S_OK;
}
