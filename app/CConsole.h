#pragma once
// CConsole (Korvel.Console): a small facade over the running client for the core component,
// add-ins and other programs. It holds nothing itself; everything comes from the main window
// and the view manager, and the methods that need the client answer S_FALSE while there is
// no main window.
#include "framework/CArray.h"
#include "framework/CComCoClass.h"
#include "framework/CComObjectRootBase.h"
#include "framework/CStringArray.h"
#include "framework/IDispatchImpl.h"
#include "KorvelLib.h"

class CConsole : public CComObjectRootBase,
                 public CComCoClass<CConsole, &CLSID_Console>,
                 public IDispatchImpl<IConsole, &IID_IConsole> {
public:
    DECLARE_REGISTRY_RESOURCEID(109)

    BEGIN_COM_MAP(CConsole)
        COM_INTERFACE_ENTRY(IConsole)
        COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    HRESULT STDMETHODCALLTYPE GetRecentContacts(BSTR* contacts) override;                   // 7
    HRESULT STDMETHODCALLTYPE Notify(LONG code, LONG value, BSTR text) override;            // 8
    HRESULT STDMETHODCALLTYPE IsSignedIn(LONG* signedIn) override;                          // 9
    HRESULT STDMETHODCALLTYPE SendMsg(IMessage* message, LONG quickSend, LONG reserved) override; // 10
    HRESULT STDMETHODCALLTYPE CreateMsg(IDispatch** message) override;                      // 11
    HRESULT STDMETHODCALLTYPE GetSelectedUsers(BSTR* users) override;                       // 12
    HRESULT STDMETHODCALLTYPE GetSelectedUsersWithIds(BSTR* users) override;                // 13
    HRESULT STDMETHODCALLTYPE GetADSServer(BSTR* server) override;                          // 14
    HRESULT STDMETHODCALLTYPE GetADSPort(LONG* port) override;                              // 15
    HRESULT STDMETHODCALLTYPE GetSessionString1(BSTR* text) override;                       // 16
    HRESULT STDMETHODCALLTYPE GetSessionString2(BSTR* text) override;                       // 17
    HRESULT STDMETHODCALLTYPE GetSelectedUsersAll(BSTR* users) override;                    // 18
    HRESULT STDMETHODCALLTYPE OpenChatDlg(BSTR account, BSTR name) override;                // 19

    // The selected users as GetSelectedUsers(All) hand them out: "first,second;" for each user,
    // without the last ";".
    static CString JoinSelectedUsers(const CStringArray& arFirst, const CStringArray& arSecond);
    // As GetSelectedUsersWithIds hands them out: "id,first,second;" for each user, as far as
    // the shortest list goes, without the last ";".
    static CString JoinSelectedUsersWithIds(const CArray<int, int>& arIds, const CStringArray& arFirst,
                                            const CStringArray& arSecond);

private:
    HRESULT SelectedUsers(BOOL bOptions, BSTR* users);
};
