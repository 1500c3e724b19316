// The web dialog's browser window: the real WebBrowser control in it, its events as the parent
// hears them, window.external by origin, and the first document that Create waits for.
#include "controls/CWqWebBrowse.h"
#include "framework/CComBSTR.h"
#include "framework/CComQIPtr.h"
#include "framework/ModuleState.h"
#include "platform/QorCore/IWebExt.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/controls/ControlsTestWindows.h"
#include "tests/controls/resources/TestControlsRes.h"
#include "tests/support/BrowserSupport.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <exdispid.h>
#include <string>

namespace {

// A notification as the parent saw it, copied while it was handled.
struct Seen {
    UINT message;
    UINT code;
    UINT_PTR id;
    HWND from;
    CString url, frame, headers, text;
    long flags, progress, progressMax;
    std::string postData;
};

class CBrowseParent : public CRecorderWnd {
public:
    std::vector<Seen> seen;
    LRESULT cancelAnswer = 0; // the answer to each navigation

    CBrowseParent()
    {
        watch.push_back(WM_CLOSE);
        answers[WM_CLOSE] = 0; // recorded, never acted on
    }
    bool Saw(UINT code, const CString& url = CString()) const
    {
        for (const Seen& s : seen)
            if (s.code == code && (url.IsEmpty() || s.url == url))
                return true;
        return false;
    }
    const Seen* Find(UINT code) const
    {
        for (const Seen& s : seen)
            if (s.code == code)
                return &s;
        return nullptr;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY || message == WM_WEBBROWSE_BEFORENAVIGATE || message == WM_WEBBROWSE_TITLECHANGE) {
            const auto* n = reinterpret_cast<const CWqWebBrowse::Notify*>(lParam);
            seen.push_back({message, n->hdr.code, n->hdr.idFrom, n->hdr.hwndFrom, n->strUrl, n->strFrame,
                            n->strHeaders, n->strText, n->nFlags, n->nProgress, n->nProgressMax,
                            std::string(reinterpret_cast<const char*>(n->pPostData), n->nPostDataSize)});
            if (message == WM_WEBBROWSE_BEFORENAVIGATE)
                return cancelAnswer;
            return 0;
        }
        return CRecorderWnd::WindowProc(message, wParam, lParam);
    }
};

class WebBrowseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent_.CreateTopLevel(40, 40, 480, 320));
        qorview_test::ClearCalls();
    }
    void TearDown() override
    {
        if (browse_.m_hWnd)
            browse_.DestroyWindow();
        parent_.DestroyWindow();
    }
    // The browser window over the parent's client area, on no page yet.
    void CreateHost()
    {
        CRect rc(0, 0, 480, 320);
        ASSERT_TRUE(browse_.CreateHost(WS_CHILD | WS_VISIBLE, rc, &parent_, 77, nullptr));
    }
    static CString Url(const testsupport::HttpServer& server, const char* path)
    {
        const std::string url = "http://127.0.0.1:" + std::to_string(server.Port()) + path;
        return CString(std::wstring(url.begin(), url.end()).c_str());
    }
    static bool Requested(const testsupport::HttpServer& server, const char* path)
    {
        for (const std::string& r : server.Requests())
            if (r.compare(0, 4 + strlen(path) + 1, std::string("GET ") + path + " ") == 0)
                return true;
        return false;
    }

    CBrowseParent parent_;
    CWqWebBrowse browse_;
};

} // namespace

TEST_F(WebBrowseTest, CreateWaitsForTheFirstDocumentAndFailsCleanlyWithoutOne)
{
    CRect rc(10, 10, 300, 200);
    const BOOL created = browse_.Create(WS_CHILD | WS_VISIBLE, rc, &parent_, 77);
    // The blank page was asked for, and the parent heard of it.
    EXPECT_TRUE(parent_.Saw(CWqWebBrowse::kBeforeNavigate, L"about:blank"));
    if (testsupport::HtmlEngineAvailable()) {
        ASSERT_TRUE(created);
        EXPECT_TRUE(browse_.GetDocument());
        return;
    }
    // No HTML engine: no document comes, and nothing of the attempt is left.
    EXPECT_FALSE(created);
    EXPECT_EQ(nullptr, browse_.m_hWnd);
    EXPECT_EQ(nullptr, browse_.GetBrowser());
    EXPECT_EQ(nullptr, browse_.GetControlWnd());
    EXPECT_EQ(nullptr, ::GetWindow(parent_.m_hWnd, GW_CHILD));
    EXPECT_EQ(0, parent_.Count(WM_CLOSE));
}

TEST_F(WebBrowseTest, ARealNavigationReachesTheParentAsNotifications)
{
    testsupport::HttpServer server(std::string("<html><head><title>Orders</title></head><body>list</body></html>"));
    server.SetContentType("text/html");
    ASSERT_TRUE(server.Ok());
    CreateHost();
    const CString url = Url(server, "/orders.html");
    ASSERT_TRUE(browse_.Navigate(url));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return parent_.Saw(CWqWebBrowse::kDownloadComplete); }));
    EXPECT_TRUE(Requested(server, "/orders.html"));

    ASSERT_FALSE(parent_.seen.empty());
    const Seen& first = parent_.seen.front();
    EXPECT_EQ(static_cast<UINT>(WM_WEBBROWSE_BEFORENAVIGATE), first.message);
    EXPECT_EQ(static_cast<UINT>(CWqWebBrowse::kBeforeNavigate), first.code);
    EXPECT_EQ(url, first.url);
    EXPECT_EQ(77u, first.id);
    EXPECT_EQ(browse_.m_hWnd, first.from);
    const Seen* begin = parent_.Find(CWqWebBrowse::kDownloadBegin);
    ASSERT_NE(nullptr, begin);
    EXPECT_EQ(static_cast<UINT>(WM_NOTIFY), begin->message);
    EXPECT_TRUE(parent_.Saw(CWqWebBrowse::kStatusTextChange));
    EXPECT_EQ(url, browse_.GetLocationURL());
}

TEST_F(WebBrowseTest, AParentThatAnswersNonZeroCancelsTheNavigation)
{
    testsupport::HttpServer server(std::string("<html><body>x</body></html>"));
    ASSERT_TRUE(server.Ok());
    CreateHost();
    parent_.cancelAnswer = 1;
    browse_.Navigate(Url(server, "/refused.html"));
    testsupport::PumpMessages();
    EXPECT_TRUE(parent_.Saw(CWqWebBrowse::kBeforeNavigate, Url(server, "/refused.html")));
    EXPECT_FALSE(parent_.Saw(CWqWebBrowse::kDownloadBegin)); // nothing was fetched

    parent_.cancelAnswer = 0;
    browse_.Navigate(Url(server, "/allowed.html"));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Requested(server, "/allowed.html"); }));
    EXPECT_FALSE(Requested(server, "/refused.html"));
}

TEST_F(WebBrowseTest, EachEventBecomesItsNotification)
{
    CreateHost();
    IUnknown* control = browse_.GetControlWnd()->GetControlUnknown();
    IDispatch* top = nullptr;
    control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&top));
    testsupport::NamedDispatch frame; // a frame's browser: another object than the control

    // BeforeNavigate2 with everything a form post carries; the answer becomes the cancel flag.
    VARIANT url, flags, target, headers, post;
    url.vt = VT_BSTR;
    url.bstrVal = ::SysAllocString(L"http://host/form");
    flags = testsupport::Long(0x40);
    target.vt = VT_BSTR;
    target.bstrVal = ::SysAllocString(L"main");
    headers.vt = VT_BSTR;
    headers.bstrVal = ::SysAllocString(L"Content-Type: application/x-www-form-urlencoded\r\n");
    SAFEARRAY* bytes = ::SafeArrayCreateVector(VT_UI1, 0, 7);
    memcpy(bytes->pvData, "a=1&b=2", 7);
    post.vt = VT_ARRAY | VT_UI1;
    post.parray = bytes;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    auto beforeNavigate = [&] {
        return testsupport::FireBrowserEvent(
            control, DISPID_BEFORENAVIGATE2,
            {testsupport::Dispatch(top), testsupport::RefVariant(&url), testsupport::RefVariant(&flags),
             testsupport::RefVariant(&target), testsupport::RefVariant(&post), testsupport::RefVariant(&headers),
             testsupport::RefBool(&cancel)});
    };
    parent_.cancelAnswer = 1;
    ASSERT_EQ(1, beforeNavigate());
    EXPECT_EQ(VARIANT_TRUE, cancel);
    const Seen& seen = parent_.seen.back();
    EXPECT_EQ(static_cast<UINT>(WM_WEBBROWSE_BEFORENAVIGATE), seen.message);
    EXPECT_EQ(CString(L"http://host/form"), seen.url);
    EXPECT_EQ(0x40, seen.flags);
    EXPECT_EQ(CString(L"main"), seen.frame);
    EXPECT_EQ("a=1&b=2", seen.postData);
    EXPECT_EQ(CString(L"Content-Type: application/x-www-form-urlencoded\r\n"), seen.headers);
    parent_.cancelAnswer = 0;
    beforeNavigate();
    EXPECT_EQ(VARIANT_FALSE, cancel);

    // The others, each as the control sends it.
    VARIANT done;
    done.vt = VT_BSTR;
    done.bstrVal = ::SysAllocString(L"http://host/done");
    VARIANT text;
    text.vt = VT_BSTR;
    text.bstrVal = ::SysAllocString(L"Done");
    struct Case {
        DISPID dispid;
        std::vector<VARIANT> args;
        UINT message;
        UINT code;
    } cases[] = {
        {DISPID_DOCUMENTCOMPLETE, {testsupport::Dispatch(top), testsupport::RefVariant(&done)}, WM_NOTIFY, 1},
        {DISPID_DOWNLOADBEGIN, {}, WM_NOTIFY, 2},
        {DISPID_PROGRESSCHANGE, {testsupport::Long(50), testsupport::Long(200)}, WM_NOTIFY, 3},
        {DISPID_DOWNLOADCOMPLETE, {}, WM_NOTIFY, 4},
        {DISPID_NAVIGATECOMPLETE2, {testsupport::Dispatch(top), testsupport::RefVariant(&done)}, WM_NOTIFY, 5},
        {DISPID_STATUSTEXTCHANGE, {text}, WM_NOTIFY, 6},
        {DISPID_TITLECHANGE, {text}, WM_WEBBROWSE_TITLECHANGE, 7},
    };
    for (const Case& c : cases) {
        parent_.seen.clear();
        testsupport::FireBrowserEvent(control, c.dispid, c.args);
        ASSERT_EQ(1u, parent_.seen.size()) << "event " << c.dispid;
        EXPECT_EQ(c.message, parent_.seen[0].message) << "event " << c.dispid;
        EXPECT_EQ(c.code, parent_.seen[0].code) << "event " << c.dispid;
        EXPECT_EQ(77u, parent_.seen[0].id);
    }
    EXPECT_EQ(CString(L"http://host/done"), browse_.GetCurrentUrl());

    // Progress, texts and addresses travel in their fields.
    parent_.seen.clear();
    testsupport::FireBrowserEvent(control, DISPID_PROGRESSCHANGE, {testsupport::Long(50), testsupport::Long(200)});
    testsupport::FireBrowserEvent(control, DISPID_TITLECHANGE, {text});
    testsupport::FireBrowserEvent(control, DISPID_DOCUMENTCOMPLETE,
                                  {testsupport::Dispatch(top), testsupport::RefVariant(&done)});
    ASSERT_EQ(3u, parent_.seen.size());
    EXPECT_EQ(50, parent_.seen[0].progress);
    EXPECT_EQ(200, parent_.seen[0].progressMax);
    EXPECT_EQ(CString(L"Done"), parent_.seen[1].text);
    EXPECT_EQ(CString(L"http://host/done"), parent_.seen[2].url);

    // A frame's document completing is not the page's; a frame's page is not the current one.
    parent_.seen.clear();
    VARIANT inFrame;
    inFrame.vt = VT_BSTR;
    inFrame.bstrVal = ::SysAllocString(L"http://host/frame");
    testsupport::FireBrowserEvent(control, DISPID_DOCUMENTCOMPLETE,
                                  {testsupport::Dispatch(&frame), testsupport::RefVariant(&inFrame)});
    EXPECT_TRUE(parent_.seen.empty());
    testsupport::FireBrowserEvent(control, DISPID_NAVIGATECOMPLETE2,
                                  {testsupport::Dispatch(&frame), testsupport::RefVariant(&inFrame)});
    EXPECT_EQ(1u, parent_.seen.size());
    EXPECT_EQ(CString(L"http://host/done"), browse_.GetCurrentUrl());

    for (VARIANT* v : {&url, &target, &headers, &post, &done, &text, &inFrame})
        ::VariantClear(v);
    top->Release();
}

TEST_F(WebBrowseTest, TheControlWindowGoingClosesTheParentOnlyWhenAsked)
{
    CreateHost();
    browse_.GetControlWnd()->DestroyWindow();
    testsupport::PumpMessages();
    EXPECT_EQ(0, parent_.Count(WM_CLOSE));
    browse_.DestroyWindow();

    CreateHost();
    browse_.SetCloseOnRequest(TRUE);
    browse_.GetControlWnd()->DestroyWindow();
    testsupport::PumpMessages();
    EXPECT_EQ(1, parent_.Count(WM_CLOSE));

    // The browser window itself going takes the control with it: no request to close.
    browse_.DestroyWindow();
    CreateHost();
    browse_.SetCloseOnRequest(TRUE);
    browse_.DestroyWindow();
    testsupport::PumpMessages();
    EXPECT_EQ(1, parent_.Count(WM_CLOSE));
}

TEST_F(WebBrowseTest, WithoutAControlEveryOperationDoesNothing)
{
    CWqWebBrowse idle;
    CStringArray args;
    EXPECT_FALSE(idle.Navigate(L"http://host/"));
    EXPECT_FALSE(idle.OpenBlankDocument());
    EXPECT_FALSE(idle.WriteHTML(L"<p>x</p>"));
    EXPECT_FALSE(idle.LoadHTMLFromResource(IDH_TEST_WIDE_BOM));
    EXPECT_FALSE(idle.PrintWithHeaderFooter(L"head", L"foot"));
    EXPECT_EQ(VT_EMPTY, idle.CallScript(L"run", args).vt);
    EXPECT_FALSE(idle.GetScript());
    EXPECT_FALSE(idle.GetDocument());
    EXPECT_FALSE(idle.GoBack());
    EXPECT_FALSE(idle.Refresh());
    EXPECT_FALSE(idle.GetBusy());
    EXPECT_EQ(0, idle.GetReadyState());
    EXPECT_TRUE(idle.GetLocationURL().IsEmpty());
    EXPECT_EQ(0, idle.GetWidth());
    EXPECT_EQ(0u, idle.QueryStatusWB(OLECMDID_PRINT));
    EXPECT_FALSE(idle.SetExternalDispatch(nullptr, nullptr));
}

TEST_F(WebBrowseTest, PropertiesPassThroughToTheControl)
{
    CreateHost();
    browse_.PutSilent(true);
    EXPECT_TRUE(browse_.GetSilent());
    browse_.PutSilent(false);
    EXPECT_FALSE(browse_.GetSilent());
    EXPECT_FALSE(browse_.GetBusy());
    // Never navigated: no page to write into.
    EXPECT_FALSE(browse_.GetDocument());
    EXPECT_FALSE(browse_.WriteHTML(L"<p>x</p>"));
}

TEST_F(WebBrowseTest, WindowExternalGoesOnlyToPagesOfTheGivenOrigin)
{
    testsupport::HttpServer own(std::string("<html><body>own</body></html>"));
    testsupport::HttpServer other(std::string("<html><body>other</body></html>"));
    ASSERT_TRUE(own.Ok() && other.Ok());
    CreateHost();
    IUnknown* control = browse_.GetControlWnd()->GetControlUnknown();
    IWebExt* ext = CQorViewBaseFun::CreateWebExt(parent_.m_hWnd);
    ASSERT_TRUE(browse_.SetExternalDispatch(&browse_, ext));
    CString origin;
    origin.Format(L"HTTP://127.0.0.1:%d", own.Port());
    browse_.SetExternalOrigin(origin);

    // The blank page has it, and reaches the view library's object by name.
    CComPtr<IDispatch> external = testsupport::ExternalOf(control);
    ASSERT_TRUE(external);
    CStringArray args;
    args.Add(L"open");
    args.Add(L"orders");
    EXPECT_TRUE(CWebBrowserControl::InvokeByName(external, L"OnWebCommand", args, nullptr));
    EXPECT_EQ(L"open|orders", qorview_test::LastArgs(L"IWebExt::OnWebCommand"));
    CComVariant host;
    ASSERT_TRUE(CWebBrowserControl::GetPropertyByName(external, L"HostWindow", &host));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(parent_.m_hWnd), static_cast<LONG_PTR>(host.lVal));
    external.Release();

    const CString ownUrl = Url(own, "/app/page.html");
    browse_.Navigate(ownUrl);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Requested(own, "/app/page.html") && !browse_.GetBusy(); }));
    ASSERT_EQ(ownUrl, browse_.GetLocationURL());
    EXPECT_TRUE(testsupport::ExternalOf(control));

    const CString otherUrl = Url(other, "/elsewhere.html");
    browse_.Navigate(otherUrl);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Requested(other, "/elsewhere.html") && !browse_.GetBusy(); }));
    ASSERT_EQ(otherUrl, browse_.GetLocationURL());
    EXPECT_FALSE(testsupport::ExternalOf(control)); // another origin gets none
    ext->Release();
}

TEST_F(WebBrowseTest, PagesAreWrittenScriptedAndShownFromResources)
{
    if (!testsupport::HtmlEngineAvailable())
        GTEST_SKIP() << testsupport::kNoHtmlEngine;
    CRect rc(0, 0, 480, 320);
    ASSERT_TRUE(browse_.Create(WS_CHILD | WS_VISIBLE, rc, &parent_, 77));
    ASSERT_TRUE(browse_.OpenBlankDocument());
    ASSERT_TRUE(browse_.WriteHTML(L"<html><head><title>Sum</title><script>function add(a, b) "
                                  L"{ return String(Number(a) + Number(b)); }</script></head>"
                                  L"<body>written</body></html>"));
    CStringArray args;
    args.Add(L"2");
    args.Add(L"40");
    EXPECT_EQ(CString(L"42"), browse_.CallScript(L"add", args).ToString());
    EXPECT_EQ(VT_EMPTY, browse_.CallScript(L"noSuchFunction", args).vt);

    HMODULE pages = ::LoadLibraryW(L"test_controls_res.dll");
    ASSERT_NE(nullptr, pages);
    HINSTANCE saved = AfxGetResourceHandle();
    AfxSetResourceHandle(pages);
    EXPECT_TRUE(browse_.LoadHTMLFromResource(IDH_TEST_NARROW));
    EXPECT_FALSE(browse_.LoadHTMLFromResource(IDH_TEST_MISSING));
    AfxSetResourceHandle(saved);
    CComPtr<IHTMLElement> body;
    ASSERT_TRUE(SUCCEEDED(browse_.GetDocument()->get_body(&body)) && body);
    CComBSTR text;
    body->get_innerText(&text);
    EXPECT_EQ(CString(L"narrow"), text.ToString());
    ::FreeLibrary(pages);
}

TEST_F(WebBrowseTest, ARenderedPageReportsItsTitleAndLosesItsScrollBarsWhenAsked)
{
    if (!testsupport::HtmlEngineAvailable())
        GTEST_SKIP() << testsupport::kNoHtmlEngine;
    testsupport::HttpServer server(std::string("<html><head><title>Orders</title></head><body>x</body></html>"));
    server.SetContentType("text/html");
    CRect rc(0, 0, 480, 320);
    ASSERT_TRUE(browse_.Create(WS_CHILD | WS_VISIBLE, rc, &parent_, 77));
    browse_.SetScrollBars(0);
    const CString url = Url(server, "/orders.html");
    browse_.Navigate(url);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return parent_.Saw(CWqWebBrowse::kDocumentComplete, url); }));
    EXPECT_EQ(url, browse_.GetCurrentUrl());
    ASSERT_NE(nullptr, parent_.Find(CWqWebBrowse::kTitleChange));
    EXPECT_TRUE(parent_.Saw(CWqWebBrowse::kNavigateComplete, url));
    CComPtr<IHTMLElement> body;
    ASSERT_TRUE(SUCCEEDED(browse_.GetDocument()->get_body(&body)) && body);
    CComVariant scroll;
    CComBSTR name(L"scroll");
    body->getAttribute(name, 0, &scroll);
    EXPECT_EQ(CString(L"no"), scroll.ToString());
}
