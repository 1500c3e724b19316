// The paint managers: item drawing rules checked on pixels, the skin theme's calls into the skin
// library, and a screenshot of a complete tip.
#include "controls/ScaleByDpi.h"
#include "controls/popup/CTkColorManager.h"
#include "controls/popup/CTkPopupControl.h"
#include "controls/popup/CTkPopupItem.h"
#include "controls/popup/CTkPopupPaintManager.h"
#include "controls/popup/CTkPopupThemeSkin.h"
#include "controls/popup/TkAlphaBitmap.h"
#include "platform/xDUI/CResourceManager.h"
#include "platform/xDUI/CxQorResourceProvider.h"
#include "platform/xDUI/CZipResourceProvider.h"
#include "platform/xDUI/xDUITestHooks.h"
#include "TkRectPrinting.h"
#include "TkTestImages.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A white 32-bit canvas to draw items on.
class Canvas {
public:
    Canvas(int w, int h) : m_w(w), m_h(h)
    {
        m_bitmap = TkCreateAlphaBitmap(w, h, nullptr);
        m_dc.CreateCompatibleDC(nullptr);
        m_old = ::SelectObject(m_dc.GetSafeHdc(), m_bitmap);
        Clear();
    }
    ~Canvas()
    {
        ::SelectObject(m_dc.GetSafeHdc(), m_old);
        ::DeleteObject(m_bitmap);
    }
    void Clear() { m_dc.FillSolidRect(0, 0, m_w, m_h, RGB(255, 255, 255)); }
    CDC* DC() { return &m_dc; }
    COLORREF At(int x, int y) { return m_dc.GetPixel(x, y); }
    // Pixels in the rectangle darker than mid-grey.
    int DarkPixels(const CRect& rc)
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x) {
                const COLORREF c = At(x, y);
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128)
                    ++n;
            }
        return n;
    }

private:
    int m_w, m_h;
    HBITMAP m_bitmap;
    CDC m_dc;
    HGDIOBJ m_old;
};

class TkPopupPaintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_popup.SetTheme(1);
        m_popup.SetPopupAnimation(CTkPopupControl::kAnimationNone);
        m_popup.SetShowDelay(0);
        ASSERT_TRUE(m_popup.Show(nullptr));
        m_manager = m_popup.GetPaintManager();
    }
    void MouseMove(int x, int y) { m_popup.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

    CTkPopupControl m_popup;
    CTkPopupPaintManager* m_manager = nullptr;
};

} // namespace

TEST_F(TkPopupPaintTest, ButtonFillFollowsHotAndPressed)
{
    m_manager->m_clrButtonSelected = RGB(200, 0, 0);
    m_manager->m_clrButtonPressed = RGB(0, 160, 0);
    CTkPopupItem* pButton = m_popup.AddItem(new CTkPopupItem(CRect(10, 10, 60, 30)));
    pButton->SetButton(TRUE);
    Canvas canvas(100, 100);

    m_manager->DrawItem(canvas.DC(), pButton);
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(30, 20)); // neither hot nor pressed: no frame

    MouseMove(30, 20);
    m_manager->DrawItem(canvas.DC(), pButton);
    EXPECT_EQ(RGB(200, 0, 0), canvas.At(30, 20)); // hot
    EXPECT_EQ(m_manager->m_clrButtonSelectedBorder[0].GetValue(), canvas.At(10, 10));

    m_popup.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 20));
    m_manager->DrawItem(canvas.DC(), pButton);
    EXPECT_EQ(RGB(0, 160, 0), canvas.At(30, 20)); // pressed and hot
    EXPECT_EQ(m_manager->m_clrButtonPressedBorder[0].GetValue(), canvas.At(10, 10));

    MouseMove(80, 80); // still pressed, no longer hot
    m_manager->DrawItem(canvas.DC(), pButton);
    EXPECT_EQ(RGB(200, 0, 0), canvas.At(30, 20));
    m_popup.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(80, 80));
}

TEST_F(TkPopupPaintTest, AnIconItemShowsOnlyItsIcon)
{
    CTkPopupItem* pItem = m_popup.AddItem(new CTkPopupItem(CRect(10, 10, 26, 26), L"CLOSE"));
    pItem->SetButton(TRUE);
    pItem->SetID(990);
    HICON hIcon = tkimages::MakeIcon(16, 16, RGB(0, 0, 200));
    pItem->SetIcon(hIcon, 1);
    MouseMove(15, 15); // hot: a button frame would show now
    Canvas canvas(100, 40);
    m_manager->DrawItem(canvas.DC(), pItem);
    EXPECT_EQ(RGB(0, 0, 200), canvas.At(10, 10)); // the icon covers even the frame's corner
    EXPECT_EQ(RGB(0, 0, 200), canvas.At(25, 25));
    EXPECT_EQ(0, canvas.DarkPixels(CRect(26, 0, 100, 40))); // no caption
    ::DestroyIcon(hIcon);
}

TEST_F(TkPopupPaintTest, HotHyperlinksAreUnderlined)
{
    CTkPopupItem* pLink = m_popup.AddItem(new CTkPopupItem(CRect(0, 0, 120, 20), L"open"));
    Canvas canvas(120, 20);
    m_manager->DrawItem(canvas.DC(), pLink);
    const int plain = canvas.DarkPixels(CRect(0, 0, 120, 20));
    ASSERT_GT(plain, 0);

    MouseMove(30, 10);
    ASSERT_TRUE(pLink->IsHot());
    canvas.Clear();
    m_manager->DrawItem(canvas.DC(), pLink);
    const int underlined = canvas.DarkPixels(CRect(0, 0, 120, 20));
    EXPECT_GT(underlined, plain);

    pLink->SetHyperLink(FALSE);
    canvas.Clear();
    m_manager->DrawItem(canvas.DC(), pLink);
    EXPECT_EQ(plain, canvas.DarkPixels(CRect(0, 0, 120, 20)));
}

TEST_F(TkPopupPaintTest, TextStartsTwentyPixelsInAndUsesTheItemColour)
{
    CTkPopupItem* pItem = m_popup.AddItem(new CTkPopupItem(CRect(0, 0, 200, 20), L"WWWW"));
    pItem->SetTextColor(RGB(0, 0, 255));
    pItem->SetTextAlignment(DT_SINGLELINE | DT_VCENTER);
    Canvas canvas(200, 20);
    m_manager->DrawItem(canvas.DC(), pItem);
    EXPECT_EQ(0, canvas.DarkPixels(CRect(0, 0, ScaleByDpi(20), 20)));
    bool blue = false;
    for (int x = ScaleByDpi(20); x < 80 && !blue; ++x)
        for (int y = 0; y < 20 && !blue; ++y)
            blue = canvas.At(x, y) == RGB(0, 0, 255);
    EXPECT_TRUE(blue);
}

TEST_F(TkPopupPaintTest, PlainBackgroundIsTheFaceGradientInAFrame)
{
    Canvas canvas(50, 30);
    m_manager->DrawBackground(canvas.DC(), CRect(0, 0, 50, 30));
    EXPECT_EQ(m_manager->m_clrBorder.GetValue(), canvas.At(0, 0));
    EXPECT_EQ(m_manager->m_clrBackground.m_clrLight.GetValue(), canvas.At(25, 15));
    EXPECT_EQ(CTkColorManager::Instance()->ResolveColor(COLOR_3DFACE), canvas.At(25, 15));
}

TEST(TkPopupThemeSkin, MetricsFollowTheColourManager)
{
    CTkColorManager* pColors = CTkColorManager::Instance();
    pColors->SetScheme(0);
    CTkPopupThemeSkin skin;
    EXPECT_EQ(pColors->ResolveColor(31), skin.m_clrButtonSelected);
    EXPECT_EQ(pColors->ResolveColor(33), skin.m_clrButtonPressed);
    EXPECT_EQ(pColors->ResolveColor(32), skin.m_clrButtonPressedBorder[1].GetValue());
    EXPECT_EQ(pColors->ResolveColor(54), skin.m_clrBorder.GetValue());

    pColors->SetScheme(1);
    skin.RefreshMetrics();
    EXPECT_EQ(0xC2EEFFu, skin.m_clrButtonSelected);
    EXPECT_EQ(0x3E80FEu, skin.m_clrButtonPressed);
    EXPECT_EQ(0x800000u, skin.m_clrButtonSelectedBorder[0].GetValue());
    pColors->SetScheme(3);
    skin.RefreshMetrics();
    EXPECT_EQ(0x6F4B4Bu, skin.m_clrButtonPressedBorder[1].GetValue());
    pColors->DisableSchemeColors(TRUE);
    skin.RefreshMetrics();
    EXPECT_EQ(pColors->ResolveColor(31), skin.m_clrButtonSelected);
    pColors->DisableSchemeColors(FALSE);
    pColors->SetScheme(CTkColorManager::kSchemeDetect);
    pColors->RebuildColorTable(FALSE);
}

namespace {

// Loads the program's skin archive into the skin library once for the tests that draw skin images.
bool LoadSkin()
{
    static std::string s_stream;
    static xDuiLib::CZipResourceProvider s_provider;
    static bool s_loaded = false;
    if (s_loaded)
        return true;
    xDuiLib::CxQorResourceProvider archive;
    if (!archive.SetFile((testsupport::ExeDir() + L"\\res.adat").c_str()))
        return false;
    const DWORD size = archive.GetSize(L"QorSkin");
    s_stream.resize(size);
    if (!size || !archive.GetStream(L"QorSkin", &s_stream[0], size) || !s_provider.SetMemory(s_stream.data(), size))
        return false;
    s_loaded = xDuiLib::UIGetResourceManager()->AddResourceProvider(&s_provider, 0);
    return s_loaded;
}

// A close-button icon: a dark cross on white.
HICON MakeCloseIcon(int n)
{
    HICON hBase = tkimages::MakeIcon(n, n, RGB(255, 255, 255));
    ICONINFO ii = {};
    ::GetIconInfo(hBase, &ii);
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(mem, ii.hbmColor);
    HPEN pen = ::CreatePen(PS_SOLID, 2, RGB(90, 90, 90));
    HGDIOBJ oldPen = ::SelectObject(mem, pen);
    ::MoveToEx(mem, 3, 3, nullptr);
    ::LineTo(mem, n - 3, n - 3);
    ::MoveToEx(mem, n - 4, 3, nullptr);
    ::LineTo(mem, 2, n - 3);
    ::SelectObject(mem, oldPen);
    ::DeleteObject(pen);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(ii.hbmColor);
    ::DeleteObject(ii.hbmMask);
    ::DestroyIcon(hBase);
    return hIcon;
}

} // namespace

TEST(TkPopupThemeSkin, DrawsTheSkinBackgroundWhiteBodyAndFramedPicture)
{
    ASSERT_TRUE(LoadSkin());
    CTkPopupThemeSkin skin;
    skin.m_bShowPicture = 1;
    Canvas canvas(170, 130);
    xDuiLib::xDuiTest_ClearDrawRecords();
    skin.DrawBackground(canvas.DC(), CRect(0, 0, 170, 130));
    const auto records = xDuiLib::xDuiTest_GetDrawRecords();
    ASSERT_GE(records.size(), 2u);
    EXPECT_EQ(L"DrawImage2RectTiled", records[0].operation);
    EXPECT_EQ(L"i.dlg.bk.picture", records[0].image);
    EXPECT_TRUE(records[0].drawn);
    EXPECT_EQ(L"DrawGradient", records[1].operation);
    EXPECT_EQ(ScaleByDpi(24), records[1].rect.top);
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(100, 100)); // the body is white
    // The picture frame: a rounded rectangle in COLORREF 0xDECA83.
    const int y0 = ScaleByDpi(24) + 3 + ScaleByDpi(24) + 2;
    const int y = y0 + (130 - 5 - y0 - ScaleByDpi(46)) / 2;
    EXPECT_EQ(RGB(0x83, 0xCA, 0xDE), canvas.At((ScaleByDpi(9) + ScaleByDpi(55)) / 2, y));
}

TEST(TkPopupScreenshot, ATipWithTextIconLinkAndCloseButton)
{
    ASSERT_TRUE(LoadSkin());
    CTkColorManager::Instance()->RebuildColorTable(FALSE);
    CTkPopupControl popup;
    popup.SetPopupSize(CSize(ScaleByDpi(202), ScaleByDpi(116)));
    popup.SetPopupAnimation(CTkPopupControl::kAnimationNone);
    popup.SetShowDelay(0);
    ASSERT_TRUE(popup.Show(nullptr));
    const int w = popup.GetPopupSize().cx;
    auto S = ScaleByDpi;

    CTkPopupItem* pTitle = popup.AddItem(new CTkPopupItem(CRect(S(2), S(4), w - S(24), S(22)), L"New message"));
    pTitle->SetBold(TRUE);
    pTitle->SetHyperLink(FALSE);
    pTitle->SetTextColor(RGB(255, 255, 255));
    pTitle->SetTextAlignment(DT_SINGLELINE | DT_VCENTER);

    CTkPopupItem* pClose = popup.AddItem(new CTkPopupItem(CRect(w - S(20), S(5), w - S(4), S(21))));
    pClose->SetButton(TRUE);
    pClose->SetID(990);
    HICON hClose = MakeCloseIcon(S(16));
    pClose->SetIcon(hClose, 1);

    CTkPopupItem* pIcon = popup.AddItem(new CTkPopupItem(CRect(S(10), S(36), S(42), S(68))));
    HICON hAvatar = tkimages::MakeIcon(S(32), S(32), RGB(60, 140, 220));
    pIcon->SetIcon(hAvatar, 1);

    CTkPopupItem* pName =
        popup.AddItem(new CTkPopupItem(CRect(S(28), S(32), w - S(8), S(50)), L"Zhang Weiqiang-Longname (10:42) (3)"));
    pName->SetBold(TRUE);
    pName->SetHyperLink(FALSE);
    pName->SetTextAlignment(DT_SINGLELINE | DT_VCENTER);

    CTkPopupItem* pBody = popup.AddItem(
        new CTkPopupItem(CRect(S(28), S(50), w - S(8), S(84)), L"Please review the report before the meeting."));
    pBody->SetHyperLink(FALSE);
    pBody->SetTextAlignment(DT_WORDBREAK | DT_VCENTER);

    CTkPopupItem* pLink = popup.AddItem(new CTkPopupItem(CRect(S(28), S(88), w - S(8), S(106)), L"Open the message"));
    pLink->SetTextColor(RGB(0, 0, 255));
    pLink->SetTextAlignment(DT_SINGLELINE | DT_VCENTER);

    CRect rcWindow;
    ::GetWindowRect(popup.GetSafeHwnd(), &rcWindow);
    ::SetCursorPos(rcWindow.left + S(60), rcWindow.top + S(97));
    popup.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(S(60), S(97)));
    ASSERT_EQ(pLink, popup.GetHotItem());
    xDuiLib::xDuiTest_ClearDrawRecords();
    ::RedrawWindow(popup.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    testsupport::PumpMessages();

    // The window shows the white body, the close icon and the blue link.
    HDC screen = ::GetDC(nullptr);
    const COLORREF body = ::GetPixel(screen, rcWindow.left + w / 2, rcWindow.top + S(110));
    const COLORREF avatar = ::GetPixel(screen, rcWindow.left + S(20), rcWindow.top + S(50));
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(RGB(255, 255, 255), body);
    EXPECT_EQ(RGB(60, 140, 220), avatar);
    bool tiled = false;
    for (const auto& r : xDuiLib::xDuiTest_GetDrawRecords())
        tiled = tiled || (r.operation == L"DrawImage2RectTiled" && r.drawn);
    EXPECT_TRUE(tiled);

    // KORVEL_SCREENSHOT_DIR lets a developer keep the pictures to look at them.
    wchar_t keep[MAX_PATH] = {};
    const std::wstring dir = ::GetEnvironmentVariableW(L"KORVEL_SCREENSHOT_DIR", keep, MAX_PATH)
                                 ? std::wstring(keep)
                                 : testsupport::TempDir(L"popup_shot");
    EXPECT_TRUE(testsupport::SaveScreenshot(dir + L"\\popup.bmp", popup.GetSafeHwnd()));
    EXPECT_TRUE(testsupport::SaveScreenshot(dir + L"\\screen.bmp"));
    ::DestroyIcon(hClose);
    ::DestroyIcon(hAvatar);
}
