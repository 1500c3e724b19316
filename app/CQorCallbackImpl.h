#pragma once
// The core component's callback interface as a sub-object of one of the program's two sinks
// (CTheCallback, CCoreCallBack). Its IUnknown is the sink's own; it carries no type library, so
// its IDispatch part answers nothing, and the core calls its slots by position. It holds the
// sink's owner, the main window, which the callback registration sets.
#include "app/ICoreSinkOwner.h"
#include "platform/QorCore/IQorCallback.h"

class CQorCallbackImpl : public IQorCallback {
public:
    explicit CQorCallbackImpl(IUnknown* pOuter) : m_pOuter(pOuter) {}
    virtual ~CQorCallbackImpl() = default;
    CQorCallbackImpl(const CQorCallbackImpl&) = delete;
    CQorCallbackImpl& operator=(const CQorCallbackImpl&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override { return m_pOuter->QueryInterface(riid, ppv); }
    ULONG STDMETHODCALLTYPE AddRef() override { return m_pOuter->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return m_pOuter->Release(); }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override
    {
        if (!pctinfo)
            return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo)
            *ppTInfo = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // Slots that carry no event on either sink.
    HRESULT STDMETHODCALLTYPE GetCallbackName(BSTR* pName) override { return pName ? E_NOTIMPL : E_POINTER; }          // 7
    HRESULT STDMETHODCALLTYPE GetCallbackVersion(long* pVersion) override { return pVersion ? E_NOTIMPL : E_POINTER; } // 8
    HRESULT STDMETHODCALLTYPE OnQorProgress(long, long) override { return E_NOTIMPL; }                                // 13
    HRESULT STDMETHODCALLTYPE QueryHostInfo(long, BSTR* pInfo) override { return pInfo ? E_NOTIMPL : E_POINTER; }      // 15
    HRESULT STDMETHODCALLTYPE OnQorFileEvent(long, IQorCmd*) override { return E_NOTIMPL; }                           // 16
    HRESULT STDMETHODCALLTYPE OnQorDataRec(long, BSTR) override { return E_NOTIMPL; }                                 // 17

    void SetOwner(ICoreSinkOwner* pOwner) { m_pOwner = pOwner; }
    ICoreSinkOwner* GetOwner() const { return m_pOwner; }

protected:
    ICoreSinkOwner* m_pOwner = nullptr; // the main window; not owned

private:
    IUnknown* m_pOuter; // the sink that holds this sub-object
};
