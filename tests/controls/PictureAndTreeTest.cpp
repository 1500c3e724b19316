// The strip picture over a skin strip of our own, the off-screen DCs, the folder tree's
// settings and font, and the hover button.
#include "tests/controls/ControlsTestWindows.h"
#include "tests/support/TestSupport.h"
#include "controls/CAnimPicture.h"
#include "controls/CFolderTreeCtrl.h"
#include "controls/CMemDC.h"
#include "controls/CRectHotBn.h"
#include "controls/CStripPicture.h"
#include "controls/CWqMemDC.h"
#include "controls/CMyOleDropSource.h"
#include "controls/CDocListOleDataSource.h"
#include "platform/xDUI/CFileResourceProvider.h"
#include "platform/xDUI/CResourceManager.h"
#include "platform/xDUI/xDUITestHooks.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

class SkinFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = testsupport::TempDir(L"strip");
        testsupport::WriteStripBitmap(dir + L"\\five.bmp", 5, 16);
        testsupport::WriteStripBitmap(dir + L"\\one.bmp", 1, 16);
        const std::string xml = "<Skin>\n"
               "  <Font name=\"f.default\" face=\"Tahoma\" size=\"15\" bold=\"true\" default=\"true\"/>\n"
               "  <Image name=\"i.test.strip\" file=\"five.bmp\" frames=\"5\"/>\n"
               "  <Image name=\"i.test.single\" file=\"one.bmp\" frames=\"1\"/>\n"
               "</Skin>\n";
        WriteWholeFile(dir + L"\\skin.xml", xml.data(), xml.size());
        ASSERT_TRUE(provider.SetPath(dir.c_str()));
        ASSERT_TRUE(xDuiLib::UIGetResourceManager()->AddResourceProvider(&provider, 0));
        ASSERT_TRUE(parent.CreateTopLevel(300, 500, 240, 120, L"Korvel pictures"));
    }
    void TearDown() override
    {
        parent.DestroyWindow();
        testsupport::PumpMessages();
        xDuiLib::UIGetResourceManager()->RemoveResourceProvider(&provider);
        testsupport::RemoveTree(dir);
    }

    std::wstring dir;
    xDuiLib::CFileResourceProvider provider;
    CRecorderWnd parent;
};

} // namespace

TEST_F(SkinFixture, StripStepsOneFrameOnRequestAndTwoATick)
{
    CStripPicture strip;
    ASSERT_TRUE(strip.Create(L"", WS_CHILD | WS_VISIBLE, CRect(10, 10, 26, 26), &parent, 300));
    ASSERT_TRUE(strip.Load(L"i.test.strip"));
    EXPECT_EQ(CSize(16, 16), strip.GetImageSize());
    EXPECT_TRUE(strip.IsAnimated());
    EXPECT_EQ(5, strip.GetFrameCount());
    EXPECT_EQ(0, strip.GetCurrentFrame());

    std::vector<int> frames;
    for (int i = 0; i < 5; ++i) {
        strip.AdvanceFrame();
        frames.push_back(strip.GetCurrentFrame());
    }
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 1}), frames);

    frames.clear();
    for (int i = 0; i < 3; ++i) {
        strip.SendMessage(WM_TIMER, CStripPicture::kTimerId, 0);
        frames.push_back(strip.GetCurrentFrame());
    }
    EXPECT_EQ((std::vector<int>{3, 1, 3}), frames);

    // What is painted is the current frame of the strip.
    xDuiLib::xDuiTest_ClearDrawRecords();
    strip.RedrawWindow();
    bool drawn = false;
    for (const xDuiLib::DrawRecord& r : xDuiLib::xDuiTest_GetDrawRecords())
        drawn = drawn || (r.operation == L"CxImageList::Draw" && r.drawn);
    EXPECT_TRUE(drawn);
}

TEST_F(SkinFixture, PlayStartsOneTimerAndDestroyingStopsIt)
{
    CStripPicture strip;
    ASSERT_TRUE(strip.Create(L"", WS_CHILD | WS_VISIBLE, CRect(10, 10, 26, 26), &parent, 300));
    ASSERT_TRUE(strip.Load(L"i.test.strip"));
    strip.Play();
    strip.Play();
    EXPECT_TRUE(strip.IsPlaying());
    // The real 50 ms timer moves the animation.
    EXPECT_TRUE(testsupport::PumpUntil([&] { return strip.GetCurrentFrame() != 0; }));
    EXPECT_TRUE(::KillTimer(strip.m_hWnd, CStripPicture::kTimerId)) << "one timer runs";
    EXPECT_FALSE(::KillTimer(strip.m_hWnd, CStripPicture::kTimerId));
    strip.SetTimer(CStripPicture::kTimerId, 50);
    strip.DestroyWindow();
    EXPECT_FALSE(strip.IsPlaying());
}

TEST_F(SkinFixture, AOneImageStripStaysOnItsImage)
{
    CStripPicture strip;
    ASSERT_TRUE(strip.Create(L"", WS_CHILD | WS_VISIBLE, CRect(10, 10, 26, 26), &parent, 300));
    ASSERT_TRUE(strip.Load(L"i.test.single"));
    EXPECT_FALSE(strip.IsAnimated());
    EXPECT_EQ(0, strip.GetFrameCount());
    strip.AdvanceFrame();
    strip.SendMessage(WM_TIMER, CStripPicture::kTimerId, 0);
    EXPECT_EQ(0, strip.GetCurrentFrame());
    EXPECT_FALSE(strip.Load(L"i.no.such.image"));
}

TEST_F(SkinFixture, FolderTreeTakesTheSkinFontAndClearsSelectionMarks)
{
    CFolderTreeCtrl tree;
    EXPECT_EQ(80, tree.m_nMinRowWidth);
    EXPECT_EQ(0xE0CABFu, tree.m_crSelectedBk);
    EXPECT_EQ(0xA6E2F3u, tree.m_crHotBk);
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES, CRect(10, 10, 230, 110), &parent, 301));
    tree.ApplySkinFont();
    HFONT hFont = reinterpret_cast<HFONT>(tree.SendMessage(WM_GETFONT));
    ASSERT_NE(nullptr, hFont);
    LOGFONTW lf = {};
    ::GetObjectW(hFont, sizeof(lf), &lf);
    LOGFONTW skin = {};
    ::GetObjectW(xDuiLib::UIGetResourceManager()->GetDefaultFont(), sizeof(skin), &skin);
    EXPECT_EQ(skin.lfHeight, lf.lfHeight);
    EXPECT_EQ(skin.lfWeight, lf.lfWeight);
    EXPECT_NE(xDuiLib::UIGetResourceManager()->GetDefaultFont(), hFont) << "a copy of its own";
    tree.ApplySkinFont();

    HTREEITEM root = tree.InsertItem(L"Inbox");
    HTREEITEM child = tree.InsertItem(L"Projects", root);
    HTREEITEM grandchild = tree.InsertItem(L"Korvel", child);
    HTREEITEM other = tree.InsertItem(L"Sent");
    for (HTREEITEM h : {root, child, grandchild, other})
        tree.SetItemState(h, TVIS_SELECTED, TVIS_SELECTED);
    tree.ClearSelectionMarks(child);
    EXPECT_TRUE(tree.GetItemState(root, TVIS_SELECTED) & TVIS_SELECTED);
    EXPECT_FALSE(tree.GetItemState(child, TVIS_SELECTED) & TVIS_SELECTED);
    EXPECT_FALSE(tree.GetItemState(grandchild, TVIS_SELECTED) & TVIS_SELECTED);
    tree.ClearSelectionMarks();
    EXPECT_FALSE(tree.GetItemState(root, TVIS_SELECTED) & TVIS_SELECTED);
    EXPECT_FALSE(tree.GetItemState(other, TVIS_SELECTED) & TVIS_SELECTED);
}

TEST(MemDC, DrawsOffScreenAndCopiesToTheTargetAtTheEnd)
{
    HDC screen = ::GetDC(nullptr);
    CDC target;
    target.Attach(::CreateCompatibleDC(screen));
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, 100, 100);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(target, bmp);
    target.FillSolidRect(0, 0, 100, 100, 0x00FF00);
    target.SetBkColor(0x123456);
    {
        CRect rc(10, 10, 50, 40);
        CWqMemDC mem(&target, &rc);
        EXPECT_TRUE(mem.IsOffScreen());
        EXPECT_EQ(0x123456u, mem.GetPixel(20, 20) & 0xFFFFFF) << "filled with the target's background";
        mem.FillSolidRect(30, 30, 5, 5, 0x0000FF);
        EXPECT_EQ(0x00FF00u, target.GetPixel(31, 31) & 0xFFFFFF) << "nothing reaches the target before the end";
    }
    EXPECT_EQ(0x0000FFu, target.GetPixel(31, 31) & 0xFFFFFF);
    EXPECT_EQ(0x123456u, target.GetPixel(12, 12) & 0xFFFFFF);
    EXPECT_EQ(0x00FF00u, target.GetPixel(60, 60) & 0xFFFFFF) << "outside the rectangle nothing changes";

    {
        // A null rectangle covers the clip box; the two-argument CMemDC starts white.
        CMemDC mem(&target, nullptr);
        EXPECT_EQ(CRect(0, 0, 100, 100), mem.GetRect());
        mem.FillSolidRect(90, 90, 5, 5, 0xFF0000);
    }
    EXPECT_EQ(0xFFFFFFu, target.GetPixel(5, 5) & 0xFFFFFF);
    EXPECT_EQ(0xFF0000u, target.GetPixel(91, 91) & 0xFFFFFF);

    // A mapping mode with two device pixels per logical unit: drawing lands at the same place.
    target.SetMapMode(MM_ANISOTROPIC);
    target.SetWindowExt(1, 1);
    target.SetViewportExt(2, 2);
    {
        CRect rc(0, 0, 20, 20);
        CMemDC mem(&target, &rc, FALSE);
        mem.FillSolidRect(5, 5, 5, 5, 0x00FFFF);
    }
    target.SetMapMode(MM_TEXT);
    EXPECT_EQ(0x00FFFFu, target.GetPixel(12, 12) & 0xFFFFFF);
    ::SelectObject(target, old);
    ::DeleteObject(bmp);
}

TEST(RectHotBn, ClickNotifiesTheTargetAndCheckModeToggles)
{
    CRecorderWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel(600, 500, 200, 80, L"Korvel hover button"));
    CRectHotBn button;
    ASSERT_TRUE(button.Create(L"Send", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 110, 40), &parent, 400));
    button.SetTarget(&parent, L"send-now");
    button.SetTooltipText(L"Send the message");
    button.SendMessage(BM_CLICK);
    testsupport::PumpMessages();
    ASSERT_EQ(1, parent.Count(WM_HOTBN_CLICKED));
    EXPECT_EQ(reinterpret_cast<WPARAM>(&button), parent.Last(WM_HOTBN_CLICKED)->wParam);
    EXPECT_STREQ(L"send-now", reinterpret_cast<LPCWSTR>(parent.Last(WM_HOTBN_CLICKED)->lParam));

    button.SetCheckMode(TRUE);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(button.IsChecked());
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
    EXPECT_TRUE(button.IsChecked()) << "released outside: no toggle";

    EXPECT_EQ(0xE7BE94u, button.GetColor(CRectHotBn::kBkActive));
    button.SetColor(CRectHotBn::kBkActive, 0x112233);
    button.SetDefaultColors();
    EXPECT_EQ(0xE7BE94u, button.GetColor(CRectHotBn::kBkActive));
    EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)),
              button.SendMessage(WM_REFLECT_BASE + WM_CTLCOLORBTN, 0, 0));
    button.RedrawWindow();
    parent.DestroyWindow();
}

TEST(OleDrag, DataSourceRendersNothingAndDropSourceKeepsTheLastEffect)
{
    CMyOleDropSource source;
    EXPECT_EQ(0u, source.GetLastEffect());
    EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, source.GiveFeedback(DROPEFFECT_COPY));
    EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_COPY), source.GetLastEffect());

    CDocListOleDataSource* pData = new CDocListOleDataSource;
    EXPECT_TRUE(pData->m_bEnabled);
    pData->DelayRenderData(CF_UNICODETEXT);
    FORMATETC fmt = {CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    EXPECT_NE(S_OK, pData->GetDataObject()->GetData(&fmt, &medium));
    pData->InternalRelease();
}

TEST_F(SkinFixture, AnimPictureLoadsAPictureFileAndStepsItsFrames)
{
    CAnimPicture picture;
    ASSERT_TRUE(picture.Create(L"", WS_CHILD | WS_VISIBLE, CRect(40, 10, 120, 26), &parent, 302));
    EXPECT_FALSE(picture.LoadFromFile((dir + L"\\missing.gif").c_str()));
    ASSERT_TRUE(picture.LoadFromFile((dir + L"\\five.bmp").c_str()));
    EXPECT_EQ(CSize(80, 16), picture.GetImageSize());
    EXPECT_GE(picture.GetFrameCount(), 1);
    picture.Play();
    EXPECT_TRUE(picture.IsPlaying());
    picture.SendMessage(WM_TIMER, CAnimPicture::kTimerId, 0);
    EXPECT_EQ(picture.GetFrameCount() > 1 ? 1 : 0, picture.GetCurrentFrame()) << "frames wrap round";
    picture.RedrawWindow();
    picture.Stop();
    EXPECT_FALSE(picture.IsPlaying());
    EXPECT_FALSE(picture.LoadFromResource(L"NO_SUCH_PICTURE", L"GIF"));
}
