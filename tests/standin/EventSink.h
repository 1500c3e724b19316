#pragma once
// A sink of the core's events for tests, in the place of the program's callback objects.
#include "platform/QorCore/IQorCallback.h"
#include "tests/standin/CoreTestObjects.h"
#include <string>
#include <vector>

// A sink that writes down each event as "<name>:<slot>:<text>" and the thread it came on.
class EventSink : public IQorCallback {
public:
    explicit EventSink(const wchar_t* name) : m_name(name) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IQorCallback)) {
            *ppv = this;
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetCallbackName(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCallbackVersion(long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnQorCmdRec(IQorCmd* p) override { return Note(9, Name(p)); }
    HRESULT STDMETHODCALLTYPE OnQorMsgRec(IQorMsg* p) override { return Note(10, Subject(p)); }
    HRESULT STDMETHODCALLTYPE OnConnectStateChange(long state, long detail, long param, BOOL* result) override
    {
        *result = state == 12;
        return Note(11, std::to_wstring(state) + L"," + std::to_wstring(detail) + L"," + std::to_wstring(param));
    }
    HRESULT STDMETHODCALLTYPE OnQorNteRec(IQorCmd* p) override { return Note(12, Name(p)); }
    HRESULT STDMETHODCALLTYPE OnQorProgress(long, long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnQorAddInMsgRec(BSTR name, IQorMsg* p) override
    {
        return Note(14, std::wstring(name ? name : L"") + L"," + Subject(p));
    }
    HRESULT STDMETHODCALLTYPE QueryHostInfo(long, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnQorFileEvent(long, IQorCmd*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnQorDataRec(long, BSTR) override { return E_NOTIMPL; }

    static std::vector<std::wstring> events; // every sink writes into one list, in arrival order
    static std::vector<DWORD> threads;
    long refs = 0;

private:
    static std::wstring Name(IQorCmd* p)
    {
        BSTR b = nullptr;
        p->get_Name(&b);
        return Take(b);
    }
    static std::wstring Subject(IQorMsg* p)
    {
        BSTR b = nullptr;
        p->get_Subject(&b);
        return Take(b);
    }
    HRESULT Note(int slot, const std::wstring& text)
    {
        events.push_back(m_name + L":" + std::to_wstring(slot) + L":" + text);
        threads.push_back(::GetCurrentThreadId());
        return S_OK;
    }
    std::wstring m_name;
};
