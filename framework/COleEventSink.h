#pragma once
// COleEventSink: the receiving end of a control's event interface (a dispinterface such as the
// WebBrowser control's DWebBrowserEvents2). The control calls Invoke with the event's dispatch
// id and arguments; the sink hands both to its owner's handler, which acts as the owner's table
// of events: a switch on the dispatch id.
//
//     m_sink.SetHandler([this](DISPID id, DISPPARAMS* params) { OnBrowserEvent(id, params); });
//     m_sink.Advise(controlUnknown);      // ... and Unadvise() before the owner goes
//
// The sink lives inside its owner: references do not own it, and the owner unadvises it before
// it ends. Arguments arrive last-first in DISPPARAMS; GetArg counts them in declared order and
// looks through a by-reference variant, so handlers read them as the event declares them.
#include "framework/CString.h"
#include <functional>
#include <oaidl.h>
#include <ocidl.h>

class COleEventSink : public IDispatch {
public:
    using Handler = std::function<void(DISPID dispid, DISPPARAMS* params)>;

    explicit COleEventSink(REFIID diid);
    virtual ~COleEventSink();
    COleEventSink(const COleEventSink&) = delete;
    COleEventSink& operator=(const COleEventSink&) = delete;

    void SetHandler(Handler handler) { m_handler = std::move(handler); }
    // Connects to the event source's connection point for the sink's interface (one source at a
    // time); FALSE when the source has none or refuses.
    BOOL Advise(IUnknown* pSource);
    // Disconnects from the source, when connected. Safe to call twice.
    void Unadvise();
    BOOL IsAdvised() const { return m_pPoint != nullptr; }
    // The source's connection point for an event interface (a reference for the caller);
    // nullptr when it has none.
    static IConnectionPoint* FindConnectionPoint(IUnknown* pSource, REFIID diid);

    // The event argument at position index in declared order, by-reference variants looked
    // through; nullptr when the event has fewer arguments.
    static VARIANT* GetArg(DISPPARAMS* params, UINT index);
    // The argument as text when it holds a string, else empty.
    static CString GetArgString(DISPPARAMS* params, UINT index);
    // The argument as an integer when it holds a number, else 0.
    static long GetArgLong(DISPPARAMS* params, UINT index);
    // The argument as an interface pointer (no reference added) when it holds one, else nullptr.
    static IDispatch* GetArgDispatch(DISPPARAMS* params, UINT index);
    // Writes a VARIANT_BOOL out-argument (such as an event's Cancel flag); FALSE when the
    // argument is not a by-reference boolean.
    static BOOL SetArgBool(DISPPARAMS* params, UINT index, bool value);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams,
                                     VARIANT* pVarResult, EXCEPINFO*, UINT*) override;

private:
    IID m_diid;
    Handler m_handler;
    IConnectionPoint* m_pPoint = nullptr; // while advised
    DWORD m_dwCookie = 0;
};
