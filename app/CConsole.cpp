#include "app/CConsole.h"
#include "app/CKorvelApp.h"
#include "app/IConsoleOwner.h"
#include "app/KorvelMessages.h"
#include "common/CResourceMgr.h"
#include "framework/CArray.h"
#include "framework/CStringArray.h"
#include "platform/QorCore/QorCoreIds.h"
#include "platform/QorView/CQorViewMgr.h"

namespace {

HRESULT Out(const CString& text, BSTR* out)
{
    *out = ::SysAllocStringLen(text.GetString(), static_cast<UINT>(text.GetLength()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

CString FromBstr(BSTR text)
{
    return text ? CString(text, static_cast<int>(::SysStringLen(text))) : CString();
}

} // namespace

HRESULT STDMETHODCALLTYPE CConsole::GetRecentContacts(BSTR* contacts)
{
    if (!contacts)
        return E_POINTER;
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    if (!CKorvelApp::GetConsoleOwner())
        return S_OK;
    return Out(CQorViewMgr::Instance()->GetRecentContacts(), contacts);
}

HRESULT STDMETHODCALLTYPE CConsole::Notify(LONG, LONG, BSTR)
{
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CConsole::IsSignedIn(LONG* signedIn)
{
    if (!signedIn)
        return E_POINTER;
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    IConsoleOwner* pMain = CKorvelApp::GetConsoleOwner();
    *signedIn = pMain && pMain->IsSignedIn() ? 1 : 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CConsole::SendMsg(IMessage* message, LONG quickSend, LONG)
{
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    IConsoleOwner* pMain = CKorvelApp::GetConsoleOwner();
    if (!pMain || !pMain->SendQorMsg(message))
        return S_FALSE;
    pMain->PostQuickSend(static_cast<WPARAM>(quickSend));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CConsole::CreateMsg(IDispatch** message)
{
    if (!message)
        return E_POINTER;
    *message = nullptr;
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    // A caller that is told S_OK uses the object at once: the reason the core's message class
    // could not be made goes back instead (not registered, not creatable, no IDispatch).
    CLSID clsid = {};
    HRESULT hr = ::CLSIDFromProgID(kProgIdQorMsg, &clsid);
    if (SUCCEEDED(hr))
        hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch, reinterpret_cast<void**>(message));
    if (SUCCEEDED(hr) && !*message)
        hr = E_FAIL;
    if (FAILED(hr))
        *message = nullptr;
    return FAILED(hr) ? hr : S_OK;
}

// "first,second;" for each selected user, without the last ";".
HRESULT CConsole::SelectedUsers(BOOL bOptions, BSTR* users)
{
    if (!users)
        return E_POINTER;
    *users = nullptr;
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    if (!CKorvelApp::GetConsoleOwner())
        return S_FALSE;
    CStringArray first, second;
    if (!CQorViewMgr::Instance()->GetSelectedUsers(first, second, bOptions, bOptions))
        return S_FALSE;
    return Out(JoinSelectedUsers(first, second), users);
}

CString CConsole::JoinSelectedUsers(const CStringArray& arFirst, const CStringArray& arSecond)
{
    CString text;
    for (INT_PTR i = 0; i < arFirst.GetSize(); ++i) {
        text += arFirst[i];
        text += L",";
        text += i < arSecond.GetSize() ? arSecond[i] : CString();
        text += L";";
    }
    if (!text.IsEmpty())
        text.Delete(text.GetLength() - 1);
    return text;
}

CString CConsole::JoinSelectedUsersWithIds(const CArray<int, int>& arIds, const CStringArray& arFirst,
                                           const CStringArray& arSecond)
{
    INT_PTR count = arIds.GetSize();
    if (arFirst.GetSize() < count)
        count = arFirst.GetSize();
    if (arSecond.GetSize() < count)
        count = arSecond.GetSize();
    CString text;
    for (INT_PTR i = 0; i < count; ++i) {
        CString one;
        one.Format(L"%d,%s,%s;", arIds[i], arFirst[i].GetString(), arSecond[i].GetString());
        text += one;
    }
    if (!text.IsEmpty())
        text.Delete(text.GetLength() - 1);
    return text;
}

HRESULT STDMETHODCALLTYPE CConsole::GetSelectedUsers(BSTR* users)
{
    return SelectedUsers(TRUE, users);
}

HRESULT STDMETHODCALLTYPE CConsole::GetSelectedUsersAll(BSTR* users)
{
    return SelectedUsers(FALSE, users);
}

HRESULT STDMETHODCALLTYPE CConsole::GetSelectedUsersWithIds(BSTR* users)
{
    if (!users)
        return E_POINTER;
    *users = nullptr;
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    if (!CKorvelApp::GetConsoleOwner())
        return S_FALSE;
    CArray<int, int> ids;
    CStringArray first, second;
    if (!CQorViewMgr::Instance()->GetSelectedUsers(ids, first, second, TRUE, TRUE))
        return S_FALSE;
    return Out(JoinSelectedUsersWithIds(ids, first, second), users);
}

HRESULT STDMETHODCALLTYPE CConsole::GetADSServer(BSTR* server)
{
    if (!server)
        return E_POINTER;
    *server = nullptr;
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    if (!CKorvelApp::GetConsoleOwner())
        return S_FALSE;
    return Out(CQorViewMgr::Instance()->GetQorLoginPropInfo(L"ADSServer"), server);
}

HRESULT STDMETHODCALLTYPE CConsole::GetADSPort(LONG* port)
{
    if (!port)
        return E_POINTER;
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    if (!CKorvelApp::GetConsoleOwner())
        return S_FALSE;
    *port = CQorViewMgr::Instance()->GetQorLoginPropInfoInt(L"ADSPort");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CConsole::GetSessionString1(BSTR* text)
{
    if (!text)
        return E_POINTER;
    *text = nullptr;
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    if (!CKorvelApp::GetConsoleOwner())
        return S_FALSE;
    return Out(CQorViewMgr::Instance()->m_strSessionText1, text);
}

HRESULT STDMETHODCALLTYPE CConsole::GetSessionString2(BSTR* text)
{
    if (!text)
        return E_POINTER;
    *text = nullptr;
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    if (!CKorvelApp::GetConsoleOwner())
        return S_FALSE;
    return Out(CQorViewMgr::Instance()->m_strSessionText2, text);
}

HRESULT STDMETHODCALLTYPE CConsole::OpenChatDlg(BSTR account, BSTR name)
{
    CResourceMgr scope(CKorvelApp::GetCallModuleState());
    if (!CKorvelApp::GetConsoleOwner())
        return S_FALSE;
    CQorViewMgr::Instance()->NewChatDlg(FromBstr(account), FromBstr(name), CString(), CString(), TRUE, FALSE);
    return S_OK;
}
