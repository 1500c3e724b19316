#include "standin/QorCore/CQorConsoleObject.h"
#include "standin/QorCore/CQorEventHub.h"
#include <string>

CQorConsoleObject::~CQorConsoleObject()
{
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
    return S_OK;
}

HRESULT CQorConsoleObject::Logout()
{
    QorCoreRecord(L"Console.Logout", L"");
    return S_OK;
}

HRESULT CQorConsoleObject::SetCallbacks(IQorCallback* pCore, IQorCallback* pApp)
{
    QorCoreRecord(L"Console.SetCallbacks", std::wstring(pCore ? L"core" : L"") + L"|" + (pApp ? L"app" : L""));
    // The calling thread is the program's user-interface thread: events are delivered there.
    CQorEventHub::Instance().SetSinks(this, pCore, pApp);
    return S_OK;
}

HRESULT CQorConsoleObject::SendMsg(IQorMsg* pMsg)
{
    std::wstring id;
    if (pMsg) {
        BSTR b = nullptr;
        if (SUCCEEDED(pMsg->get_MsgID(&b)))
            id = BstrText(b);
        ::SysFreeString(b);
    }
    QorCoreRecord(L"Console.SendMsg", id);
    return pMsg ? S_OK : E_POINTER;
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
