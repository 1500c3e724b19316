#pragma once
// The sample class of the framework's test local server: a small calculator behind a dual
// interface, so that tests reach it through its vtable and through IDispatch from another process.
#include "framework/CComBSTR.h"
#include "framework/CComCoClass.h"
#include "framework/CComObjectRootBase.h"
#include "framework/IDispatchImpl.h"
#include "FwTestServer.h"

class CFwCalc : public CComObjectRootBase,
                public CComCoClass<CFwCalc, &CLSID_FwCalc>,
                public IDispatchImpl<IFwCalc, &IID_IFwCalc> {
public:
    DECLARE_REGISTRY(CFwCalc, L"Korvel.FwTestCalc.1", L"Korvel.FwTestCalc", L"FwTestCalc Class", L"Apartment")

    BEGIN_COM_MAP(CFwCalc)
        COM_INTERFACE_ENTRY(IFwCalc)
        COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    HRESULT STDMETHODCALLTYPE Add(LONG a, LONG b, LONG* sum) override;
    HRESULT STDMETHODCALLTYPE Greet(BSTR name, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE Describe(VARIANT value, VARIANT_BOOL upper, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_ProcessId(LONG* pid) override;
    HRESULT STDMETHODCALLTYPE get_Calls(LONG* count) override;

private:
    LONG m_calls = 0;
};
