#pragma once
// CTheCallback (Korvel.TheCallback): the application sink. The core's notifications, messages
// and application commands reach the main window through it; without an owner its forwarding
// slots answer E_POINTER.
#include "app/CQorCallbackImpl.h"
#include "framework/CComCoClass.h"
#include "framework/CComObjectRootBase.h"
#include "framework/IDispatchImpl.h"
#include "KorvelLib.h"

class CTheCallback : public CComObjectRootBase,
                     public CComCoClass<CTheCallback, &CLSID_TheCallback>,
                     public IDispatchImpl<ITheCallback, &IID_ITheCallback> {
public:
    DECLARE_REGISTRY_RESOURCEID(104)

    BEGIN_COM_MAP(CTheCallback)
        COM_INTERFACE_ENTRY(ITheCallback)
        COM_INTERFACE_ENTRY(IDispatch)
        COM_INTERFACE_ENTRY_MEMBER(IID_IQorCallback, m_callback)
    END_COM_MAP()

    class CCallback : public CQorCallbackImpl {
    public:
        explicit CCallback(IUnknown* pOuter) : CQorCallbackImpl(pOuter) {}
        HRESULT STDMETHODCALLTYPE OnQorCmdRec(IQorCmd* pCmd) override;                           // 9 OnCoreNotify
        HRESULT STDMETHODCALLTYPE OnQorMsgRec(IQorMsg* pMsg) override;                           // 10 OnReceiveMessage
        HRESULT STDMETHODCALLTYPE OnConnectStateChange(long state, long detail, long param, BOOL* pResult) override; // 11
        HRESULT STDMETHODCALLTYPE OnQorNteRec(IQorCmd* pNotice) override;                        // 12 OnAppCommand
        HRESULT STDMETHODCALLTYPE OnQorAddInMsgRec(BSTR addInName, IQorMsg* pMsg) override;      // 14
    };

    void SetOwner(ICoreSinkOwner* pOwner) { m_callback.SetOwner(pOwner); }
    ICoreSinkOwner* GetOwner() const { return m_callback.GetOwner(); }
    IQorCallback* GetCallback() { return &m_callback; }

private:
    CCallback m_callback{static_cast<ITheCallback*>(this)};
};
