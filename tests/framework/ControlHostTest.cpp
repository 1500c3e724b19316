// COleControlHost: the system's WebBrowser ActiveX control hosted in a framework window.
#include "framework/AfxOle.h"
#include "framework/COleControlHost.h"
#include "framework/CComPtr.h"
#include "framework/CComQIPtr.h"
#include "framework/CComVariant.h"
#include "framework/CComBSTR.h"
#include "framework/COleEventSink.h"
#include "tests/support/BrowserSupport.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <exdisp.h>
#include <exdispid.h>
#include <vector>

namespace {

// Counts the browser's events by dispatch id.
class EventCounter : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
            IsEqualIID(riid, DIID_DWebBrowserEvents2)) {
            *ppv = static_cast<IDispatch*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override
    {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        ++m_events;
        if (id == DISPID_BEFORENAVIGATE2)
            ++m_beforeNavigate;
        return S_OK;
    }
    int m_events = 0;
    int m_beforeNavigate = 0;
};

} // namespace

TEST(ControlHostTest, HostsTheWebBrowserControlInPlace)
{
    AfxEnableControlContainer();
    HWND top = ::CreateWindowExW(0, L"STATIC", L"host test", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20,
                                 420, 320, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(top, nullptr);
    {
        COleControlHost host;
        RECT rc = {10, 10, 310, 210};
        ASSERT_TRUE(host.CreateControl(CLSID_WebBrowser, L"Browser", WS_CHILD | WS_VISIBLE, rc, CWnd::FromHandle(top),
                                       59648));
        EXPECT_EQ(::GetDlgCtrlID(host.m_hWnd), 59648);
        ASSERT_NE(host.GetControlUnknown(), nullptr);
        CComQIPtr<IWebBrowser2> browser(host.GetControlUnknown());
        ASSERT_TRUE(browser);

        // Activated in place: the control made a window of its own inside the host.
        HWND inner = ::GetWindow(host.m_hWnd, GW_CHILD);
        ASSERT_NE(inner, nullptr);
        RECT innerRect;
        ::GetWindowRect(inner, &innerRect);
        EXPECT_EQ(innerRect.right - innerRect.left, 300);
        // Resizing the host resizes the control with it.
        ::SetWindowPos(host.m_hWnd, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
        testsupport::PumpMessages();
        ::GetWindowRect(inner, &innerRect);
        EXPECT_EQ(innerRect.right - innerRect.left, 200);
        EXPECT_EQ(innerRect.bottom - innerRect.top, 100);

        // Events reach a sink through the control's connection point.
        EventCounter sink;
        DWORD cookie = 0;
        ASSERT_TRUE(host.AdviseEvents(DIID_DWebBrowserEvents2, &sink, &cookie));
        CComVariant empty;
        BSTR url = ::SysAllocString(L"about:blank");
        browser->Navigate(url, &empty, &empty, &empty, &empty);
        ::SysFreeString(url);
        testsupport::PumpUntil([&] { return sink.m_beforeNavigate > 0; }, 400);
        EXPECT_GT(sink.m_events, 0);
        EXPECT_TRUE(host.UnadviseEvents(DIID_DWebBrowserEvents2, cookie));
        EXPECT_FALSE(host.AdviseEvents(IID_IDispatch, &sink, &cookie)); // no such connection point

        host.DestroyWindow();
        EXPECT_EQ(host.GetControlUnknown(), nullptr); // the window's end released the control
    }
    ::DestroyWindow(top);

    COleControlHost bad;
    RECT rc = {0, 0, 10, 10};
    EXPECT_FALSE(bad.CreateControl(L"Korvel.NoSuchControl", nullptr, WS_CHILD, rc, nullptr, 1));
    EXPECT_EQ(bad.m_hWnd, nullptr);
}

namespace {

// An object that counts the references held on it.
class CountedDispatch : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++m_refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--m_refs); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override
    {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }
    int m_refs = 0;
};

} // namespace

TEST(ControlHostTest, PagesGetTheExternalObjectThatTheFilterAllows)
{
    AfxEnableControlContainer();
    CountedDispatch external;
    {
        COleControlHost host;
        RECT rc = {0, 0, 200, 100};
        ASSERT_TRUE(host.CreateControl(CLSID_WebBrowser, nullptr, WS_POPUP, rc, nullptr, 0));
        CComPtr<IDocHostUIHandler> handler = testsupport::DocHostOf(host.GetControlUnknown());
        ASSERT_TRUE(handler);

        IDispatch* got = reinterpret_cast<IDispatch*>(1);
        EXPECT_EQ(S_FALSE, handler->GetExternal(&got)); // nothing given: window.external is null
        EXPECT_EQ(nullptr, got);

        host.SetExternalDispatch(&external);
        EXPECT_EQ(1, external.m_refs);
        ASSERT_EQ(S_OK, handler->GetExternal(&got));
        EXPECT_EQ(static_cast<IDispatch*>(&external), got);
        EXPECT_EQ(2, external.m_refs); // the page's reference
        got->Release();

        bool allow = false;
        host.SetExternalFilter([&allow] { return allow ? TRUE : FALSE; });
        EXPECT_EQ(S_FALSE, handler->GetExternal(&got));
        EXPECT_EQ(nullptr, got);
        allow = true;
        ASSERT_EQ(S_OK, handler->GetExternal(&got));
        got->Release();

        DOCHOSTUIINFO info = {};
        info.cbSize = sizeof(info);
        EXPECT_EQ(S_OK, handler->GetHostInfo(&info));
        EXPECT_EQ(static_cast<DWORD>(DOCHOSTUIDBLCLK_DEFAULT), info.dwDoubleClick);
        handler.Release();
        host.DestroyWindow();
    }
    EXPECT_EQ(0, external.m_refs); // the host let its reference go
}

TEST(OleEventSinkTest, ReadsArgumentsInDeclaredOrderThroughReferences)
{
    // An event (url, flags, cancel) as a control passes it: last argument first, the text by
    // reference to a variant, the cancel flag by reference to a boolean.
    VARIANT url;
    url.vt = VT_BSTR;
    url.bstrVal = ::SysAllocString(L"http://host/page");
    VARIANT args[3];
    VARIANT_BOOL cancel = VARIANT_FALSE;
    args[0].vt = VT_BYREF | VT_BOOL;
    args[0].pboolVal = &cancel;
    args[1].vt = VT_I2;
    args[1].iVal = 7;
    args[2].vt = VT_BYREF | VT_VARIANT;
    args[2].pvarVal = &url;
    DISPPARAMS params = {args, nullptr, 3, 0};

    EXPECT_EQ(CString(L"http://host/page"), COleEventSink::GetArgString(&params, 0));
    EXPECT_EQ(7, COleEventSink::GetArgLong(&params, 1));
    EXPECT_EQ(CString(), COleEventSink::GetArgString(&params, 1)); // a number is no text
    EXPECT_EQ(0, COleEventSink::GetArgLong(&params, 0));           // nor is a text a number
    EXPECT_EQ(nullptr, COleEventSink::GetArg(&params, 3));
    EXPECT_EQ(nullptr, COleEventSink::GetArgDispatch(&params, 0));
    EXPECT_FALSE(COleEventSink::SetArgBool(&params, 1, true)); // not a by-reference boolean
    EXPECT_TRUE(COleEventSink::SetArgBool(&params, 2, true));
    EXPECT_EQ(VARIANT_TRUE, cancel);
    EXPECT_EQ(nullptr, COleEventSink::GetArg(nullptr, 0));
    ::VariantClear(&url);
}

TEST(OleEventSinkTest, DeliversTheControlsEventsToItsHandlerUntilUnadvised)
{
    AfxEnableControlContainer();
    COleControlHost host;
    RECT rc = {0, 0, 200, 100};
    ASSERT_TRUE(host.CreateControl(CLSID_WebBrowser, nullptr, WS_POPUP, rc, nullptr, 0));
    CComQIPtr<IWebBrowser2> browser(host.GetControlUnknown());
    ASSERT_TRUE(browser);

    std::vector<CString> navigations;
    COleEventSink sink(DIID_DWebBrowserEvents2);
    sink.SetHandler([&](DISPID id, DISPPARAMS* params) {
        if (id == DISPID_BEFORENAVIGATE2)
            navigations.push_back(COleEventSink::GetArgString(params, 1));
    });
    EXPECT_FALSE(sink.Advise(nullptr));
    ASSERT_TRUE(sink.Advise(host.GetControlUnknown()));
    EXPECT_TRUE(sink.IsAdvised());
    EXPECT_FALSE(sink.Advise(host.GetControlUnknown())); // one source at a time

    CComVariant empty;
    CComBSTR url(L"about:blank");
    browser->Navigate(url, &empty, &empty, &empty, &empty);
    testsupport::PumpUntil([&] { return !navigations.empty(); }, 400);
    ASSERT_FALSE(navigations.empty());
    EXPECT_EQ(CString(L"about:blank"), navigations.front());

    sink.Unadvise();
    sink.Unadvise(); // twice is harmless
    EXPECT_FALSE(sink.IsAdvised());
    navigations.clear();
    browser->Navigate(url, &empty, &empty, &empty, &empty);
    testsupport::PumpMessages();
    EXPECT_TRUE(navigations.empty());
    browser.Release();
    host.DestroyWindow();
}
