// The simple browser control: its events through the virtual methods to the parent, creation
// in place of a dialog's control, its painted frame, and HTML pages stored as resources.
#include "controls/CHtmlResource.h"
#include "controls/CQorSimpleBrowser.h"
#include "framework/CComBSTR.h"
#include "framework/ModuleState.h"
#include "tests/controls/ControlsTestWindows.h"
#include "tests/controls/resources/TestControlsRes.h"
#include "tests/support/BrowserSupport.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <exdispid.h>
#include <string>

TEST(HtmlResourceTest, PagesDecodeByTheirOwnSize)
{
    const struct {
        const char* name;
        std::string bytes;
        std::wstring text;
    } cases[] = {
        {"wide after a byte-order mark", std::string("\xFF\xFE<\0p\0>\0", 8), L"<p>"},
        {"wide from an html tag in any case", std::string("<\0h\0T\0m\0L\0>\0", 12), L"<hTmL>"},
        {"an odd byte count leaves the stray byte out", std::string("\xFF\xFEo\0k\0!", 7), L"ok"},
        {"odd and from a tag", std::string("<\0H\0T\0M\0L\0\x01", 11), L"<HTML"},
        {"a terminator at the end is no character", std::string("\xFF\xFEh\0i\0\0\0", 8), L"hi"},
        {"four wide characters are too few for the tag: narrow text", std::string("<\0h\0t\0m\0", 8),
         std::wstring(L"<\0h\0t\0m", 7)},
        {"narrow, without a terminator", "<p>ok</p>", L"<p>ok</p>"},
        {"only a byte-order mark", std::string("\xFF\xFE", 2), L""},
        {"nothing", std::string(), L""},
    };
    for (const auto& c : cases) {
        const CString got = CHtmlResource::Decode(reinterpret_cast<const BYTE*>(c.bytes.data()),
                                                  static_cast<DWORD>(c.bytes.size()));
        EXPECT_EQ(CString(c.text.data(), static_cast<int>(c.text.size())), got) << c.name;
    }
    // Narrow text is in the local code page, one character for each byte of this one.
    const char narrow[] = "caf\xE9";
    wchar_t expected[8] = {};
    ::MultiByteToWideChar(CP_ACP, 0, narrow, 4, expected, 8);
    EXPECT_EQ(CString(expected, 4), CHtmlResource::Decode(reinterpret_cast<const BYTE*>(narrow), 4));
    EXPECT_EQ(CString(), CHtmlResource::Decode(nullptr, 10));
}

TEST(HtmlResourceTest, PagesLoadFromTheCurrentResourceModule)
{
    HMODULE pages = ::LoadLibraryW(L"test_controls_res.dll");
    ASSERT_NE(nullptr, pages);
    HINSTANCE saved = AfxGetResourceHandle();
    AfxSetResourceHandle(pages);
    EXPECT_EQ(CString(L"<p>wide</p>"), CHtmlResource::Load(IDH_TEST_WIDE_BOM));
    EXPECT_EQ(CString(L"<hTmL><body>tag</body></hTmL>"), CHtmlResource::Load(IDH_TEST_WIDE_TAG));
    EXPECT_EQ(CString(L"<html><body>narrow</body></html>"), CHtmlResource::Load(IDH_TEST_NARROW));
    EXPECT_EQ(CString(L"odd"), CHtmlResource::Load(IDH_TEST_WIDE_ODD));
    EXPECT_EQ(CString(), CHtmlResource::Load(IDH_TEST_MISSING));
    AfxSetResourceHandle(saved);
    EXPECT_EQ(CString(), CHtmlResource::Load(IDH_TEST_WIDE_BOM)); // not in the program
    ::FreeLibrary(pages);
}

namespace {

struct Heard {
    UINT code;
    CString url, frame, headers, text;
    std::string postData;
    int progress, progressMax;
};

class CSimpleParent : public CRecorderWnd {
public:
    std::vector<Heard> heard;
    LRESULT answer = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY) {
            const auto* n = reinterpret_cast<const CQorSimpleBrowser::Notification*>(lParam);
            heard.push_back({n->hdr.code, n->url, n->frame, n->headers, n->text,
                             std::string(reinterpret_cast<const char*>(n->postData), n->postDataSize), n->progress,
                             n->progressMax});
            return n->hdr.code == 0 ? answer : 0;
        }
        return CRecorderWnd::WindowProc(message, wParam, lParam);
    }
    bool Heard(UINT code) const
    {
        for (const auto& h : heard)
            if (h.code == code)
                return true;
        return false;
    }
};

// A browser that takes one event over itself.
class CTitleKeeper : public CQorSimpleBrowser {
public:
    CString title;
    void OnTitleChange(const CString& text) override { title = text; }
};

class SimpleBrowserTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(parent_.CreateTopLevel(60, 60, 400, 300)); }
    void TearDown() override { parent_.DestroyWindow(); }
    CSimpleParent parent_;
};

} // namespace

TEST_F(SimpleBrowserTest, CreateFailsCleanlyWithoutAFirstDocument)
{
    CQorSimpleBrowser browser;
    CRect rc(0, 0, 200, 100);
    const BOOL created = browser.Create(WS_CHILD | WS_VISIBLE, rc, &parent_, 5);
    if (testsupport::HtmlEngineAvailable()) {
        EXPECT_TRUE(created);
        EXPECT_TRUE(browser.GetDocument());
        return;
    }
    EXPECT_FALSE(created);
    EXPECT_EQ(nullptr, browser.m_hWnd);
    EXPECT_EQ(nullptr, browser.GetBrowser());
    EXPECT_EQ(nullptr, browser.GetBrowserDispatch());
    EXPECT_EQ(nullptr, browser.GetControlWnd());
    EXPECT_EQ(nullptr, ::GetWindow(parent_.m_hWnd, GW_CHILD));
    EXPECT_TRUE(parent_.Heard(0)); // the blank page was asked for
}

TEST_F(SimpleBrowserTest, CreateFromControlTakesTheControlsPlace)
{
    CQorSimpleBrowser browser;
    EXPECT_FALSE(browser.CreateFromControl(&parent_, 1234)); // no such control
    EXPECT_FALSE(browser.CreateFromControl(nullptr, 1234));

    HWND place = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 30, 20, 200, 120, parent_.m_hWnd,
                                   reinterpret_cast<HMENU>(1234), nullptr, nullptr);
    ASSERT_NE(nullptr, place);
    const BOOL created = browser.CreateFromControl(&parent_, 1234);
    EXPECT_FALSE(::IsWindow(place)); // the placeholder went
    if (!testsupport::HtmlEngineAvailable()) {
        EXPECT_FALSE(created);
        return;
    }
    ASSERT_TRUE(created);
    CRect rc;
    browser.GetWindowRect(&rc);
    parent_.ScreenToClient(&rc);
    EXPECT_EQ(CRect(30, 20, 230, 140), rc);
    EXPECT_EQ(1234, browser.GetDlgCtrlID());
}

TEST_F(SimpleBrowserTest, EventsReachTheParentThroughTheVirtualMethods)
{
    CTitleKeeper browser;
    CRect rc(0, 0, 400, 300);
    ASSERT_TRUE(browser.CreateHost(WS_CHILD | WS_VISIBLE, rc, &parent_, 5));
    IUnknown* control = browser.GetControlWnd()->GetControlUnknown();
    testsupport::NamedDispatch frame;

    VARIANT url, flags, target, post, headers;
    url.vt = VT_BSTR;
    url.bstrVal = ::SysAllocString(L"http://host/form");
    flags = testsupport::Long(0);
    target.vt = VT_BSTR;
    target.bstrVal = ::SysAllocString(L"_top");
    SAFEARRAY* bytes = ::SafeArrayCreateVector(VT_UI1, 0, 3);
    memcpy(bytes->pvData, "q=1", 3);
    post.vt = VT_ARRAY | VT_UI1;
    post.parray = bytes;
    headers.vt = VT_BSTR;
    headers.bstrVal = ::SysAllocString(L"X-Test: 1\r\n");
    VARIANT_BOOL cancel = VARIANT_FALSE;
    auto navigate = [&](IDispatch* who) {
        testsupport::FireBrowserEvent(control, DISPID_BEFORENAVIGATE2,
                                      {testsupport::Dispatch(who), testsupport::RefVariant(&url),
                                       testsupport::RefVariant(&flags), testsupport::RefVariant(&target),
                                       testsupport::RefVariant(&post), testsupport::RefVariant(&headers),
                                       testsupport::RefBool(&cancel)});
    };

    // A frame's navigation is not reported and not cancelled.
    parent_.answer = 1;
    navigate(&frame);
    EXPECT_TRUE(parent_.heard.empty());
    EXPECT_EQ(VARIANT_FALSE, cancel);
    // The page's own: reported with all it carries, and cancelled by a non-zero answer.
    navigate(browser.GetBrowserDispatch());
    ASSERT_EQ(1u, parent_.heard.size());
    EXPECT_EQ(0u, parent_.heard[0].code);
    EXPECT_EQ(CString(L"http://host/form"), parent_.heard[0].url);
    EXPECT_EQ(CString(L"_top"), parent_.heard[0].frame);
    EXPECT_EQ("q=1", parent_.heard[0].postData);
    EXPECT_EQ(CString(L"X-Test: 1\r\n"), parent_.heard[0].headers);
    EXPECT_EQ(VARIANT_TRUE, cancel);
    parent_.answer = 0;
    navigate(browser.GetBrowserDispatch());
    EXPECT_EQ(VARIANT_FALSE, cancel);

    VARIANT text;
    text.vt = VT_BSTR;
    text.bstrVal = ::SysAllocString(L"Loading");
    parent_.heard.clear();
    testsupport::FireBrowserEvent(control, DISPID_DOCUMENTCOMPLETE,
                                  {testsupport::Dispatch(&frame), testsupport::RefVariant(&url)});
    testsupport::FireBrowserEvent(control, DISPID_NAVIGATECOMPLETE2,
                                  {testsupport::Dispatch(&frame), testsupport::RefVariant(&url)});
    EXPECT_TRUE(parent_.heard.empty()); // frames again
    testsupport::FireBrowserEvent(control, DISPID_DOCUMENTCOMPLETE,
                                  {testsupport::Dispatch(browser.GetBrowserDispatch()), testsupport::RefVariant(&url)});
    testsupport::FireBrowserEvent(control, DISPID_DOWNLOADBEGIN, {});
    testsupport::FireBrowserEvent(control, DISPID_PROGRESSCHANGE, {testsupport::Long(3), testsupport::Long(9)});
    testsupport::FireBrowserEvent(control, DISPID_DOWNLOADCOMPLETE, {});
    testsupport::FireBrowserEvent(control, DISPID_NAVIGATECOMPLETE2,
                                  {testsupport::Dispatch(browser.GetBrowserDispatch()), testsupport::RefVariant(&url)});
    testsupport::FireBrowserEvent(control, DISPID_STATUSTEXTCHANGE, {text});
    testsupport::FireBrowserEvent(control, DISPID_TITLECHANGE, {text});
    ASSERT_EQ(6u, parent_.heard.size()); // the title went to the derived class instead
    const UINT codes[] = {1, 2, 3, 4, 5, 6};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(codes[i], parent_.heard[i].code);
    EXPECT_EQ(CString(L"http://host/form"), parent_.heard[0].url);
    EXPECT_EQ(3, parent_.heard[2].progress);
    EXPECT_EQ(9, parent_.heard[2].progressMax);
    EXPECT_EQ(CString(L"http://host/form"), parent_.heard[4].url);
    EXPECT_EQ(CString(L"Loading"), parent_.heard[5].text);
    EXPECT_EQ(CString(L"Loading"), browser.title);

    for (VARIANT* v : {&url, &target, &post, &headers, &text})
        ::VariantClear(v);
}

TEST_F(SimpleBrowserTest, NavigateDropsLeadingBlanksAndFetchesThePage)
{
    testsupport::HttpServer server(std::string("<html><body>page</body></html>"));
    ASSERT_TRUE(server.Ok());
    CQorSimpleBrowser browser;
    CRect rc(0, 0, 400, 300);
    ASSERT_TRUE(browser.CreateHost(WS_CHILD | WS_VISIBLE, rc, &parent_, 5));
    const std::string url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/page.html";
    browser.Navigate(CString(L" \t ") + CString(std::wstring(url.begin(), url.end()).c_str()));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !server.Requests().empty() && parent_.Heard(4); }));
    EXPECT_EQ(0u, server.Requests()[0].find("GET /page.html "));
    ASSERT_FALSE(parent_.heard.empty());
    EXPECT_EQ(CString(std::wstring(url.begin(), url.end()).c_str()), parent_.heard[0].url);
    EXPECT_TRUE(parent_.Heard(2));
    EXPECT_EQ(CString(std::wstring(url.begin(), url.end()).c_str()), browser.GetLocationURL());

    browser.PutSilent(true);
    EXPECT_TRUE(browser.GetSilent());
    // No page came (or it is done): writing and clearing have nothing to break.
    browser.Write(L"<p>x</p>");
    browser.Print(L"head", L"foot");
}

TEST_F(SimpleBrowserTest, TheFrameIsPaintedInItsColour)
{
    CQorSimpleBrowser browser;
    browser.SetFrameColor(RGB(200, 30, 40));
    CRect rc(20, 20, 320, 220);
    ASSERT_TRUE(browser.CreateHost(WS_CHILD | WS_VISIBLE, rc, &parent_, 5));
    EXPECT_TRUE(browser.GetStyle() & WS_BORDER);

    CRect window;
    browser.GetWindowRect(&window);
    const RECT top = {window.left, window.top, window.right, window.top + 1};
    const RECT left = {window.left, window.top, window.left + 1, window.bottom};
    auto frame = [&] {
        return testsupport::CountScreenPixels(top, [](COLORREF c) { return c == RGB(200, 30, 40); }) +
               testsupport::CountScreenPixels(left, [](COLORREF c) { return c == RGB(200, 30, 40); });
    };
    testsupport::WaitUntilOnScreen(browser.m_hWnd, [&] { return frame() == window.Width() + window.Height(); });
    testsupport::SaveScreenshot(testsupport::TempDir(L"simplebrowser") + L"\\simple_browser.bmp", parent_.m_hWnd);
    EXPECT_EQ(window.Width() + window.Height(), frame());

    // Without the border flag: no border, nothing painted round the control.
    CQorSimpleBrowser plain;
    plain.SetBorder(0);
    ASSERT_TRUE(plain.CreateHost(WS_CHILD | WS_VISIBLE, CRect(20, 230, 120, 280), &parent_, 6));
    EXPECT_FALSE(plain.GetStyle() & WS_BORDER);
}

TEST_F(SimpleBrowserTest, WithoutAControlEveryOperationDoesNothing)
{
    CQorSimpleBrowser idle;
    idle.GoBack();
    idle.Refresh();
    idle.Navigate(L"http://host/");
    idle.Write(L"<p>x</p>");
    idle.Clear();
    idle.LoadHtmlResource(IDH_TEST_WIDE_BOM);
    idle.Print(L"head", L"foot");
    EXPECT_FALSE(idle.SetDocumentBorder(L"none"));
    EXPECT_FALSE(idle.GetBusy());
    EXPECT_FALSE(idle.GetSilent());
    EXPECT_EQ(0, idle.GetReadyState());
    EXPECT_TRUE(idle.GetLocationName().IsEmpty());
    EXPECT_TRUE(idle.GetLocationURL().IsEmpty());
    EXPECT_FALSE(idle.GetDocument());
}

TEST_F(SimpleBrowserTest, ResourcePagesAreShownAndLoadedPagesLoseTheirBorder)
{
    if (!testsupport::HtmlEngineAvailable())
        GTEST_SKIP() << testsupport::kNoHtmlEngine;
    CQorSimpleBrowser browser;
    browser.SetScrollBars(0);
    CRect rc(0, 0, 400, 300);
    ASSERT_TRUE(browser.Create(WS_CHILD | WS_VISIBLE, rc, &parent_, 5));
    HMODULE pages = ::LoadLibraryW(L"test_controls_res.dll");
    ASSERT_NE(nullptr, pages);
    HINSTANCE saved = AfxGetResourceHandle();
    AfxSetResourceHandle(pages);
    browser.LoadHtmlResource(IDH_TEST_WIDE_BOM);
    AfxSetResourceHandle(saved);
    ::FreeLibrary(pages);
    CComPtr<IHTMLElement> body;
    ASSERT_TRUE(SUCCEEDED(browser.GetDocument()->get_body(&body)) && body);
    CComBSTR text;
    body->get_innerText(&text);
    EXPECT_EQ(CString(L"wide"), text.ToString());

    testsupport::HttpServer server(std::string("<html><body>page</body></html>"));
    server.SetContentType("text/html");
    const std::string url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/page.html";
    parent_.heard.clear();
    browser.Navigate(CString(std::wstring(url.begin(), url.end()).c_str()));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return parent_.Heard(1); }));
    body.Release();
    ASSERT_TRUE(SUCCEEDED(browser.GetDocument()->get_body(&body)) && body);
    CComVariant scroll;
    CComBSTR name(L"scroll");
    body->getAttribute(name, 0, &scroll);
    EXPECT_EQ(CString(L"no"), scroll.ToString());
}
