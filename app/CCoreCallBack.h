#pragma once
// CCoreCallBack (Korvel.CoreCallBack): the core sink. Messages, commands, notices and add-in
// messages go on to the view library's event manager, connection-state changes to the main
// window; without an owner its forwarding slots answer S_FALSE.
#include "app/CQorCallbackImpl.h"
#include "framework/CComCoClass.h"
#include "framework/CComObjectRootBase.h"
#include "framework/IDispatchImpl.h"
#include "KorvelLib.h"

class CCoreCallBack : public CComObjectRootBase,
                      public CComCoClass<CCoreCallBack, &CLSID_CoreCallBack>,
                      public IDispatchImpl<ICoreCallBack, &IID_ICoreCallBack> {
public:
    DECLARE_REGISTRY_RESOURCEID(108)

    BEGIN_COM_MAP(CCoreCallBack)
        COM_INTERFACE_ENTRY(ICoreCallBack)
        COM_INTERFACE_ENTRY(IDispatch)
        COM_INTERFACE_ENTRY_MEMBER(IID_IQorCallback, m_callback)
    END_COM_MAP()

    class CCallback : public CQorCallbackImpl {
    public:
        explicit CCallback(IUnknown* pOuter) : CQorCallbackImpl(pOuter) {}
        HRESULT STDMETHODCALLTYPE OnQorCmdRec(IQorCmd* pCmd) override;                           // 9
        HRESULT STDMETHODCALLTYPE OnQorMsgRec(IQorMsg* pMsg) override;                           // 10
        HRESULT STDMETHODCALLTYPE OnConnectStateChange(long state, long detail, long param, BOOL* pResult) override; // 11
        HRESULT STDMETHODCALLTYPE OnQorNteRec(IQorCmd* pNotice) override;                        // 12
        HRESULT STDMETHODCALLTYPE OnQorAddInMsgRec(BSTR addInName, IQorMsg* pMsg) override;      // 14
    };

    void SetOwner(ICoreSinkOwner* pOwner) { m_callback.SetOwner(pOwner); }
    ICoreSinkOwner* GetOwner() const { return m_callback.GetOwner(); }
    IQorCallback* GetCallback() { return &m_callback; }

private:
    CCallback m_callback{static_cast<ICoreCallBack*>(this)};
};
