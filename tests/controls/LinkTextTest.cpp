// The link text through a real label: the markup laid out (bold, links, breaks, tabs), the
// hand cursor and the click on a link, double clicks forwarded, and what it looks like.
#include "tests/controls/ControlsTestWindows.h"
#include "tests/support/TestSupport.h"
#include "controls/CLinkText.h"
#include <gtest/gtest.h>

namespace {

const UINT kLinkClicked = WM_USER + 77;

class LinkTextFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateTopLevel(60, 320, 460, 160, L"Korvel link text"));
        ASSERT_TRUE(label.Create(L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(10, 10, 450, 150), &parent, 200));
        label.SetMargins(6, 8);
        label.SetBkColor(0xFFFFFF);
        label.SetNotify(&parent, kLinkClicked);
        HDC hdc = ::GetDC(nullptr);
        HGDIOBJ old = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
        ::GetTextMetricsW(hdc, &tm);
        ::SelectObject(hdc, old);
        ::ReleaseDC(nullptr, hdc);
    }
    void TearDown() override
    {
        if (parent.m_hWnd)
            parent.DestroyWindow();
        testsupport::PumpMessages();
    }

    CLinkInfo* Link(size_t i) const
    {
        const auto& links = label.GetLayout().GetLinks();
        return i < links.size() ? links[i] : nullptr;
    }

    CRecorderWnd parent;
    CLinkText label;
    TEXTMETRICW tm = {};
};

} // namespace

TEST_F(LinkTextFixture, MarkupIsLaidOutInLinesWithLinkRectangles)
{
    label.SetWindowText(L"Plain <B>Bold</B> text<br=2><A HREF=\"k://one\">first link</A> after\nend<a href=two>2</a>");
    const auto& heights = label.GetLayout().GetLineHeights();
    ASSERT_EQ(3u, heights.size());
    const int H = tm.tmHeight;
    EXPECT_GE(static_cast<int>(heights[0]), H) << "a line with a bold run is as tall as its tallest run";

    ASSERT_EQ(2u, label.GetLayout().GetLinks().size());
    EXPECT_EQ(CString(L"k://one"), Link(0)->m_strHref) << "the quotes are removed";
    EXPECT_EQ(CString(L"two"), Link(1)->m_strHref);
    ASSERT_EQ(1u, Link(0)->m_rects.size());
    const RECT& r = Link(0)->m_rects[0];
    EXPECT_EQ(6, r.left) << "the left margin";
    // Two breaks put the second line two heights of the first line lower.
    EXPECT_EQ(8 - H + static_cast<int>(heights[1]) + 2 * static_cast<int>(heights[0]), r.top);
    EXPECT_GT(r.right, r.left);
    const RECT& r2 = Link(1)->m_rects[0];
    EXPECT_GT(r2.top, r.top);
}

TEST_F(LinkTextFixture, TabsMoveToTheNextMultipleOfFourAverageWidths)
{
    const int W = 4 * tm.tmAveCharWidth;
    ASSERT_GT(W, 0);
    label.SetWindowText(L"<t><a href=a>A</a><br>ab<t><a href=b>B</a><br>\t\t<a href=c>C</a><br><t=2><a href=d>D</a>");
    ASSERT_EQ(4u, label.GetLayout().GetLinks().size());
    EXPECT_EQ(6 + W, Link(0)->m_rects[0].left) << "a tab at the line start indents one stop";
    EXPECT_EQ(6 + W, Link(1)->m_rects[0].left) << "text shorter than a stop moves to the stop";
    EXPECT_EQ(6 + 2 * W, Link(2)->m_rects[0].left);
    EXPECT_EQ(6 + 2 * W, Link(3)->m_rects[0].left);
}

TEST_F(LinkTextFixture, AClickOnALinkNotifiesWithTheLinkAndElsewhereNothing)
{
    label.SetWindowText(L"Open <a href=\"file:report\">the report</a> now");
    ASSERT_EQ(1u, label.GetLayout().GetLinks().size());
    const RECT r = Link(0)->m_rects[0];
    const CPoint inside((r.left + r.right) / 2, (r.top + r.bottom) / 2);

    label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
    label.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(inside.x, inside.y));
    ASSERT_EQ(1, parent.Count(kLinkClicked));
    const RecordedMessage* m = parent.Last(kLinkClicked);
    EXPECT_EQ(0u, m->wParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(Link(0)), m->lParam);
    // The receiver may read the link as its href string.
    EXPECT_EQ(CString(L"file:report"), *reinterpret_cast<const CString*>(m->lParam));

    label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(1, parent.Count(kLinkClicked)) << "a click outside the links sends nothing";

    label.SetNotify(nullptr, 0);
    label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
    EXPECT_EQ(1, parent.Count(kLinkClicked));
}

TEST_F(LinkTextFixture, TheHandCursorShowsExactlyOverTheLink)
{
    label.SetWindowText(L"<br><a href=x>link text</a>");
    const RECT r = Link(0)->m_rects[0];
    CPoint over((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    label.ClientToScreen(&over);
    ASSERT_TRUE(::SetCursorPos(over.x, over.y));
    EXPECT_TRUE(label.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(label.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_HAND), ::GetCursor());

    CPoint beside(r.right + 3, (r.top + r.bottom) / 2);
    label.ClientToScreen(&beside);
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    ASSERT_TRUE(::SetCursorPos(beside.x, beside.y));
    label.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(label.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(::LoadCursorW(nullptr, IDC_HAND), ::GetCursor());
}

TEST_F(LinkTextFixture, DoubleClicksAreForwarded)
{
    CRecorderWnd other;
    other.watch.push_back(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(other.CreateTopLevel(600, 320, 100, 60, L"other"));
    label.SetDblClickTarget(&other);
    label.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(12, 9));
    ASSERT_EQ(1, other.Count(WM_LBUTTONDBLCLK));
    EXPECT_EQ(static_cast<WPARAM>(MK_LBUTTON), other.Last(WM_LBUTTONDBLCLK)->wParam);
    EXPECT_EQ(MAKELPARAM(12, 9), other.Last(WM_LBUTTONDBLCLK)->lParam);
    other.DestroyWindow();
}

TEST_F(LinkTextFixture, EmptyTextHasNoLinesAndOldLinksGo)
{
    label.SetWindowText(L"<a href=x>x</a>");
    EXPECT_EQ(1u, label.GetLayout().GetLinks().size());
    label.SetWindowText(L"");
    EXPECT_TRUE(label.GetLayout().GetLinks().empty());
    EXPECT_TRUE(label.GetLayout().GetLineHeights().empty());
    label.UpdateWindow();
}

TEST_F(LinkTextFixture, ScreenshotOfTheLinkText)
{
    label.SetWindowText(L"From: <b>Anna Berg</b>\tTo: <b>Team</b><br>Subject: Quarterly report "
                        L"<<draft>><br=2>Attachment: <a href=open:1>report.doc</a>\t<a href=open:2>figures.xls</a>");
    // Each link is drawn in the link colour where the layout says it is; the first line, which
    // holds no link, is dark text on the white background.
    auto isLinkColour = [](COLORREF c) { return GetBValue(c) > 0x80 && GetRValue(c) < 0x60 && GetGValue(c) < 0x60; };
    const auto& links = label.GetLayout().GetLinks();
    ASSERT_EQ(2u, links.size());
    for (const CLinkInfo* link : links)
        ASSERT_FALSE(link->m_rects.empty());
    auto linkPixels = [&](const CLinkInfo* link) {
        RECT rc = link->m_rects[0];
        ::MapWindowPoints(label.m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        return testsupport::CountScreenPixels(rc, isLinkColour);
    };
    const RECT client = testsupport::ClientRectOnScreen(label.m_hWnd);
    const RECT firstLine = {client.left, client.top, client.right, client.top + 8 + tm.tmHeight};
    testsupport::WaitUntilOnScreen(parent.m_hWnd, [&] {
        return linkPixels(links[0]) > 10 && linkPixels(links[1]) > 10 &&
               testsupport::CountScreenPixels(firstLine, testsupport::IsDark) > 20;
    });
    const std::wstring path = testsupport::ExeDir() + L"\\screenshot-linktext.bmp";
    EXPECT_TRUE(testsupport::SaveScreenshot(path, parent.m_hWnd));
    for (const CLinkInfo* link : links)
        EXPECT_GT(linkPixels(link), 10) << link->m_strHref.GetString();
    EXPECT_GT(testsupport::CountScreenPixels(firstLine, testsupport::IsDark), 20);
    EXPECT_EQ(0, testsupport::CountScreenPixels(firstLine, isLinkColour));
}

TEST_F(LinkTextFixture, ASubclassedStaticLaysItsTextOutAndTakesClicks)
{
    HWND hStatic = ::CreateWindowExW(0, L"STATIC", L"See <a href=x>this</a>", WS_CHILD | WS_VISIBLE, 10, 10, 300, 40,
                                     parent.m_hWnd, reinterpret_cast<HMENU>(201), ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, hStatic);
    CLinkText other;
    ASSERT_TRUE(other.SubclassWindow(hStatic));
    EXPECT_TRUE(other.GetStyle() & SS_NOTIFY);
    ASSERT_EQ(1u, other.GetLayout().GetLinks().size());
    EXPECT_EQ(0, other.GetLayout().GetLeftMargin()) << "margins start at 0 until the owner sets them";
    EXPECT_EQ(0, other.GetLayout().GetTopMargin());
    other.SetNotify(&parent, kLinkClicked);
    const RECT r = other.GetLayout().GetLinks()[0]->m_rects[0];
    other.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    EXPECT_EQ(1, parent.Count(kLinkClicked));
    other.DestroyWindow();
}
