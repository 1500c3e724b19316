// The web dialog: its features, the page address read against the opener, its place on the
// screen, window.external for the opener's origin only, and the dialog on screen.
#include "controls/CMyWebDlg.h"
#include "controls/CWebPageAddress.h"
#include "controls/popup/CMultiMonitorApi.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/controls/ControlsTestWindows.h"
#include "tests/support/BrowserSupport.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <exdispid.h>
#include <string>

TEST(WebPageAddressTest, RelativeAddressesReadAgainstTheOpenersPage)
{
    const struct {
        const wchar_t* url;
        const wchar_t* base;
        const wchar_t* expected;
    } cases[] = {
        {L"orders.html", L"http://host:81/app/index.html", L"http://host:81/app/orders.html"},
        {L"sub/list.html?id=3", L"http://host/app/index.html", L"http://host/app/sub/list.html?id=3"},
        {L"/root.html", L"http://host:81/app/index.html", L"http://host:81/root.html"}, // one "/", not two
        {L"/root.html", L"http://host:81", L"http://host:81/root.html"},
        {L"page.html", L"http://host", L"http://host/page.html"}, // a bare host is its own folder
        {L"page.html", L"file:///C:/pages/index.html", L"file:///C:/pages/page.html"},
        {L"page.html", L"C:\\pages\\index.html", L"C:\\pages\\page.html"},
        {L"http://other/x.html", L"http://host/app/index.html", L"http://other/x.html"}, // absolute stays
        {L"about:blank", L"http://host/app/index.html", L"about:blank"},
        {L"page.html", L"", L"page.html"},                // no opener's page
        {L"page.html", L"index.html", L"page.html"},      // a base with no folder
    };
    for (const auto& c : cases)
        EXPECT_EQ(CString(c.expected), CWebPageAddress::Resolve(c.url, c.base)) << CStringA(c.url).GetString();
}

TEST(WebPageAddressTest, BlankPagesAndOrigins)
{
    EXPECT_TRUE(CWebPageAddress::IsBlank(L""));
    EXPECT_TRUE(CWebPageAddress::IsBlank(L"about:blank"));
    EXPECT_TRUE(CWebPageAddress::IsBlank(L"About:Blank"));
    EXPECT_FALSE(CWebPageAddress::IsBlank(L"about:blankx"));
    EXPECT_FALSE(CWebPageAddress::IsBlank(L"http://host/"));

    const struct {
        const wchar_t* url;
        const wchar_t* origin;
    } cases[] = {
        {L"HTTP://Host:8080/app/page.html?x=1", L"http://host:8080"},
        {L"https://host", L"https://host"},
        {L"http://host?q", L"http://host"},
        {L"http://host#top", L"http://host"},
        {L"file:///C:/pages/a.html", L"file://"},
        {L"C:\\pages\\a.html", L"file://"},
        {L"page.html", L""},
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CString(c.origin), CWebPageAddress::GetOrigin(c.url)) << CStringA(c.url).GetString();
}

TEST(WebDialogTest, FeaturesGiveSizeCaptionAndScrollBars)
{
    const struct {
        const wchar_t* features;
        int width, height;
        const wchar_t* caption;
        int noScrollBars;
    } cases[] = {
        {L"dialogWidth=400;dialogHeight=300;Caption=Orders;scrollbars=no", 400, 300, L"Orders", 1},
        {L" DIALOGWIDTH = 250px , dialogheight=120 ", 250, 120, L"", 0},
        {L"caption = Sales report ;scrollbars=yes", 0, 0, L"Sales report", 0},
        {L"Caption=a=b", 0, 0, L"a=b", 0},          // the value runs to the item's end
        {L"=5;dialogWidth;;scrollbars=NO", 0, 0, L"", 1}, // items without key or "=" are skipped
        {L"", 0, 0, L"", 0},
    };
    for (const auto& c : cases) {
        CMyWebDlg dlg;
        dlg.SetFeatures(c.features);
        dlg.ParseDialogFeatures();
        EXPECT_EQ(c.width, dlg.GetDialogWidth()) << CStringA(c.features).GetString();
        EXPECT_EQ(c.height, dlg.GetDialogHeight()) << CStringA(c.features).GetString();
        EXPECT_EQ(CString(c.caption), dlg.GetCaption()) << CStringA(c.features).GetString();
        EXPECT_EQ(c.noScrollBars, dlg.GetNoScrollBars()) << CStringA(c.features).GetString();
    }
}

TEST(WebDialogTest, TheDialogStaysOnTheScreenBothWays)
{
    const CRect area(0, 0, 1280, 760);
    const struct {
        int x, y, cx, cy;
        CRect expected;
    } cases[] = {
        {-1, -1, 400, 300, CRect(440, 230, 840, 530)},     // centred
        {100, 50, 400, 300, CRect(100, 50, 500, 350)},     // where asked
        {1100, 100, 400, 300, CRect(880, 100, 1280, 400)}, // off the right edge
        {100, 700, 400, 300, CRect(100, 460, 500, 760)},   // off the bottom edge
        {-500, -400, 400, 300, CRect(0, 0, 400, 300)},     // off the left and top edges
        {50, 50, 1400, 900, CRect(0, 0, 1400, 900)},       // too big: its caption stays on screen
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, CMyWebDlg::PlaceOnScreen(area, c.x, c.y, c.cx, c.cy)) << c.x << "," << c.y;
}

TEST(WebDialogTest, TheOpenersAddressIsItsDocumentsUrl)
{
    testsupport::NamedDispatch document, window, windowWithoutDocument;
    VARIANT url;
    url.vt = VT_BSTR;
    url.bstrVal = ::SysAllocString(L"http://host/app/index.html");
    document.properties[L"URL"] = url;
    window.properties[L"document"] = testsupport::Dispatch(&document);
    windowWithoutDocument.properties[L"title"] = url;
    EXPECT_EQ(CString(L"http://host/app/index.html"), CMyWebDlg::ReadOpenerUrl(&window));
    EXPECT_EQ(CString(), CMyWebDlg::ReadOpenerUrl(&windowWithoutDocument));
    EXPECT_EQ(CString(), CMyWebDlg::ReadOpenerUrl(nullptr));
    ::VariantClear(&url);
}

namespace {

// The web dialog with its browser made without waiting for a first document, so that it can
// be shown where no HTML engine is installed. It tells when it is deleted.
class CShownWebDlg : public CMyWebDlg {
public:
    explicit CShownWebDlg(bool* deleted) : m_pDeleted(deleted) {}
    ~CShownWebDlg() override { *m_pDeleted = true; }

protected:
    BOOL CreateBrowser(const CRect& rect) override
    {
        return GetBrowser().CreateHost(WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, this, IDC_WEB_BROWSER, L"Browser");
    }

private:
    bool* m_pDeleted;
};

bool Requested(const testsupport::HttpServer& server, const std::string& path)
{
    for (const std::string& r : server.Requests())
        if (r.compare(0, path.size() + 5, "GET " + path + " ") == 0)
            return true;
    return false;
}

CString Wide(const std::string& s)
{
    return CString(std::wstring(s.begin(), s.end()).c_str());
}

} // namespace

class WebDialogShown : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(resources_.IsLoaded());
        qorview_test::ClearCalls();
    }
    testsupport::ResourceModuleScope resources_;
};

TEST_F(WebDialogShown, OpensTheOpenersRelativePageSizedAndCaptionedByItsFeatures)
{
    testsupport::HttpServer server(std::string("<html><body>orders</body></html>"));
    server.SetContentType("text/html");
    testsupport::HttpServer elsewhere(std::string("<html><body>elsewhere</body></html>"));
    ASSERT_TRUE(server.Ok() && elsewhere.Ok());
    const std::string origin = "http://127.0.0.1:" + std::to_string(server.Port());

    testsupport::NamedDispatch document, opener;
    CComVariant openerUrl(Wide(origin + "/app/index.html"));
    document.properties[L"URL"] = openerUrl;
    opener.properties[L"document"] = testsupport::Dispatch(&document);

    bool deleted = false;
    auto* dlg = new CShownWebDlg(&deleted);
    dlg->SetUrl(L"orders.html");
    dlg->SetFeatures(L"dialogWidth=400;dialogHeight=300;Caption=Orders;scrollbars=no");
    dlg->SetOpener(&opener);
    ASSERT_TRUE(dlg->Create(nullptr));
    dlg->ShowWindow(SW_SHOW);
    testsupport::PumpMessages();

    // The page's address was read against the opener's folder, and fetched from there.
    EXPECT_EQ(Wide(origin + "/app/index.html"), dlg->GetBaseUrl());
    EXPECT_EQ(Wide(origin + "/app/orders.html"), dlg->GetUrl());
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Requested(server, "/app/orders.html"); }));

    // 400 by 300, centred, with the caption, the browser over the whole client area.
    CRect window;
    dlg->GetWindowRect(&window);
    EXPECT_EQ(400, window.Width());
    EXPECT_EQ(300, window.Height());
    const CRect area = CMultiMonitorApi::GetPrimaryWorkArea();
    EXPECT_EQ(area.left + (area.Width() - 400) / 2, window.left);
    CString caption;
    dlg->GetWindowText(caption);
    EXPECT_EQ(CString(L"Orders"), caption);
    EXPECT_EQ(0, dlg->GetBrowser().GetScrollBars());
    EXPECT_TRUE(dlg->GetBrowser().GetCloseOnRequest());
    CRect client, browser;
    dlg->GetClientRect(&client);
    dlg->GetBrowser().GetWindowRect(&browser);
    EXPECT_EQ(client.Size(), browser.Size());
    EXPECT_EQ(IDC_WEB_BROWSER, dlg->GetBrowser().GetDlgCtrlID());

    testsupport::SaveScreenshot(testsupport::TempDir(L"webdialog") + L"\\web_dialog.bmp", dlg->m_hWnd);

    // The page's title becomes the caption.
    IUnknown* control = dlg->GetBrowser().GetControlWnd()->GetControlUnknown();
    VARIANT title;
    title.vt = VT_BSTR;
    title.bstrVal = ::SysAllocString(L"Orders of today");
    testsupport::FireBrowserEvent(control, DISPID_TITLECHANGE, {title});
    ::VariantClear(&title);
    dlg->GetWindowText(caption);
    EXPECT_EQ(CString(L"Orders of today"), caption);

    // window.external: the view library's object for this dialog, on the opener's origin...
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !dlg->GetBrowser().GetBusy(); }));
    CComPtr<IDispatch> external = testsupport::ExternalOf(control);
    ASSERT_TRUE(external);
    CComVariant host;
    ASSERT_TRUE(CWebBrowserControl::GetPropertyByName(external, L"HostWindow", &host));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(dlg->m_hWnd), static_cast<LONG_PTR>(host.lVal));
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewBaseFun::CreateWebExt"));
    external.Release();
    // ... and none once the page has gone to another origin.
    const std::string away = "http://127.0.0.1:" + std::to_string(elsewhere.Port()) + "/away.html";
    dlg->GetBrowser().Navigate(Wide(away));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Requested(elsewhere, "/away.html") && !dlg->GetBrowser().GetBusy(); }));
    EXPECT_FALSE(testsupport::ExternalOf(control));

    // Escape closes the modeless dialog, which deletes itself.
    dlg->SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(deleted);
}

TEST_F(WebDialogShown, APageAskingToCloseClosesTheDialogAndAPlaceIsKeptOnScreen)
{
    bool deleted = false;
    auto* dlg = new CShownWebDlg(&deleted);
    dlg->SetPosition(5000, 5000); // far off the screen's right and bottom edges
    ASSERT_TRUE(dlg->Create(nullptr));
    CRect window;
    dlg->GetWindowRect(&window);
    const CRect area = CMultiMonitorApi::Instance().GetWorkArea(CPoint(5000, 5000));
    EXPECT_EQ(area.right, window.right);
    EXPECT_EQ(area.bottom, window.bottom);
    // No URL: the blank page only, nothing fetched.
    EXPECT_TRUE(dlg->GetUrl().IsEmpty());

    // The control's window going is the page's request to close.
    dlg->GetBrowser().GetControlWnd()->DestroyWindow();
    testsupport::PumpMessages();
    EXPECT_TRUE(deleted);
}

TEST_F(WebDialogShown, WithoutAnHtmlEngineTheDialogCannotStart)
{
    if (testsupport::HtmlEngineAvailable())
        GTEST_SKIP() << "an HTML engine is installed: the dialog starts";
    auto* dlg = new CMyWebDlg;
    dlg->SetUrl(L"http://127.0.0.1:9/page.html");
    EXPECT_FALSE(dlg->Create(nullptr));
    EXPECT_EQ(nullptr, dlg->m_hWnd);
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewBaseFun::CreateWebExt"));
    delete dlg; // a dialog that never started stays with its creator
}
