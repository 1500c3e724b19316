// COleControlHost: the system's WebBrowser ActiveX control hosted in a framework window.
#include "framework/AfxOle.h"
#include "framework/COleControlHost.h"
#include "framework/CComPtr.h"
#include "framework/CComQIPtr.h"
#include "framework/CComVariant.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <exdisp.h>
#include <exdispid.h>

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
