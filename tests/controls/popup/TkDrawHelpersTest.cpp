// Gradient fills, buffered painting, scope DCs, work areas and the alpha bitmap routines.
#include "controls/popup/CMultiMonitorApi.h"
#include "controls/popup/CTkBrushDC.h"
#include "controls/popup/CTkBufferDC.h"
#include "controls/popup/CTkCompatibleDC.h"
#include "controls/popup/CTkDrawHelpers.h"
#include "controls/popup/CTkFontDC.h"
#include "controls/popup/TkAlphaBitmap.h"
#include "TkRectPrinting.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A 32-bit memory canvas whose pixels the test can read.
class Canvas {
public:
    Canvas(int w, int h, COLORREF fill = RGB(1, 2, 3)) : m_w(w), m_h(h)
    {
        m_bitmap = TkCreateAlphaBitmap(w, h, nullptr);
        m_dc.CreateCompatibleDC(nullptr);
        m_old = ::SelectObject(m_dc.GetSafeHdc(), m_bitmap);
        m_dc.FillSolidRect(0, 0, w, h, fill);
    }
    ~Canvas()
    {
        ::SelectObject(m_dc.GetSafeHdc(), m_old);
        ::DeleteObject(m_bitmap);
    }
    CDC* DC() { return &m_dc; }
    COLORREF At(int x, int y) { return m_dc.GetPixel(x, y); }

private:
    int m_w, m_h;
    HBITMAP m_bitmap;
    CDC m_dc;
    HGDIOBJ m_old;
};

int CALLBACK TakeFirstFace(const LOGFONTW* plf, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
    *reinterpret_cast<std::wstring*>(lParam) = plf->lfFaceName;
    return 0;
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

} // namespace

TEST(TkDrawHelpers, MixByFactor)
{
    struct Case {
        COLORREF a, b;
        double t;
        COLORREF expected;
    } cases[] = {
        {RGB(255, 0, 0), RGB(0, 0, 255), 1.0, RGB(255, 0, 0)},
        {RGB(255, 0, 0), RGB(0, 0, 255), 0.0, RGB(0, 0, 255)},
        {RGB(255, 0, 0), RGB(0, 0, 255), 0.5, RGB(127, 0, 127)}, // truncated
        {RGB(100, 200, 50), RGB(200, 100, 150), 0.25, RGB(175, 125, 125)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CTkDrawHelpers::MixByFactor(c.a, c.b, c.t));
    EXPECT_EQ(RGB(255, 255, 255), CTkDrawHelpers::LightenColor(RGB(0, 0, 0), 1.0));
    EXPECT_EQ(RGB(127, 127, 127), CTkDrawHelpers::LightenColor(RGB(0, 0, 0), 0.5));
}

TEST(TkDrawHelpers, EqualColoursAndEmptyRectangles)
{
    CTkDrawHelpers* helpers = CTkDrawHelpers::Instance();
    Canvas canvas(40, 20);
    helpers->GradientFill(canvas.DC(), CRect(0, 0, 40, 20), RGB(9, 90, 200), RGB(9, 90, 200), TRUE);
    EXPECT_EQ(RGB(9, 90, 200), canvas.At(0, 0));
    EXPECT_EQ(RGB(9, 90, 200), canvas.At(39, 19));

    Canvas untouched(10, 10);
    helpers->GradientFill(untouched.DC(), CRect(5, 0, 5, 10), RGB(255, 0, 0), RGB(0, 0, 255), TRUE);
    helpers->GradientFill(untouched.DC(), nullptr, RGB(255, 0, 0), RGB(0, 0, 255), TRUE);
    EXPECT_EQ(RGB(1, 2, 3), untouched.At(5, 5));
}

TEST(TkDrawHelpers, SystemGradientRunsFromLightToDark)
{
    CTkDrawHelpers* helpers = CTkDrawHelpers::Instance();
    ASSERT_TRUE(helpers->HasGradientFunction());
    Canvas canvas(100, 50);
    CTkColorGradient grc(RGB(255, 255, 255), RGB(0, 0, 0));
    helpers->GradientFill(canvas.DC(), CRect(0, 0, 100, 50), grc, TRUE);
    EXPECT_TRUE(Near(RGB(255, 255, 255), canvas.At(0, 25), 6));
    EXPECT_TRUE(Near(RGB(0, 0, 0), canvas.At(99, 25), 6));
    EXPECT_EQ(canvas.At(50, 0), canvas.At(50, 49)); // horizontal: columns are one colour

    helpers->GradientFill(canvas.DC(), CRect(0, 0, 100, 50), grc, FALSE);
    EXPECT_TRUE(Near(RGB(255, 255, 255), canvas.At(50, 0), 8));
    EXPECT_TRUE(Near(RGB(0, 0, 0), canvas.At(50, 49), 8));
}

TEST(TkDrawHelpers, WithoutGradientFillTheRectangleIsFilledLineByLine)
{
    CTkDrawHelpers helpers(L"NoSuchGradientLibrary.dll");
    ASSERT_FALSE(helpers.HasGradientFunction());
    const COLORREF light = RGB(200, 100, 0), dark = RGB(0, 100, 200);
    Canvas canvas(50, 10);
    helpers.GradientFill(canvas.DC(), CRect(0, 0, 50, 10), light, dark, TRUE);
    for (int x : {0, 1, 25, 49})
        EXPECT_EQ(CTkDrawHelpers::MixByFactor(light, dark, 1.0 - x / 50.0), canvas.At(x, 5)) << "column " << x;

    // A narrower clip box: only its columns are drawn, t still runs over the whole rectangle.
    Canvas clipped(50, 10);
    clipped.DC()->IntersectClipRect(20, 0, 30, 10);
    helpers.GradientFill(clipped.DC(), CRect(0, 0, 50, 10), light, dark, TRUE);
    EXPECT_EQ(RGB(1, 2, 3), clipped.At(10, 5));
    EXPECT_EQ(CTkDrawHelpers::MixByFactor(light, dark, 1.0 - 25 / 50.0), clipped.At(25, 5));

    Canvas vertical(10, 40);
    helpers.GradientFill(vertical.DC(), CRect(0, 0, 10, 40), light, dark, FALSE);
    EXPECT_EQ(CTkDrawHelpers::MixByFactor(light, dark, 1.0 - 10 / 40.0), vertical.At(3, 10));
}

TEST(TkDrawHelpers, TrueColourDisplayIsNotLowColour)
{
    // Xvfb runs at 24 bits; the low-colour path is covered through the colour manager.
    Canvas canvas(4, 4);
    EXPECT_FALSE(CTkDrawHelpers::IsLowColor(canvas.DC()->GetSafeHdc()));
    EXPECT_FALSE(CTkDrawHelpers::IsLowColor(nullptr));
}

TEST(TkBufferDC, CopiesOnlyItsRectangleToTheTarget)
{
    Canvas target(30, 30);
    {
        CTkBufferDC buffer(target.DC()->GetSafeHdc(), CRect(10, 10, 20, 20));
        BITMAP bm = {};
        ASSERT_TRUE(buffer.m_bitmap.GetBitmap(&bm));
        EXPECT_EQ(20, bm.bmWidth); // right and bottom edges, not width and height
        EXPECT_EQ(20, bm.bmHeight);
        buffer.FillSolidRect(0, 0, 20, 20, RGB(255, 0, 0));
        EXPECT_EQ(RGB(1, 2, 3), target.At(15, 15)); // nothing reaches the target before the end
    }
    EXPECT_EQ(RGB(255, 0, 0), target.At(10, 10));
    EXPECT_EQ(RGB(255, 0, 0), target.At(19, 19));
    EXPECT_EQ(RGB(1, 2, 3), target.At(9, 9));
    EXPECT_EQ(RGB(1, 2, 3), target.At(20, 20));
}

TEST(TkScopeDCs, FontBrushAndBitmapAreSelectedAndRestored)
{
    Canvas canvas(8, 8);
    HDC hdc = canvas.DC()->GetSafeHdc();
    const HGDIOBJ fontBefore = ::GetCurrentObject(hdc, OBJ_FONT);
    CFont font;
    LOGFONTW lf = {};
    lf.lfHeight = -20;
    lstrcpyW(lf.lfFaceName, L"Tahoma");
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    {
        CTkFontDC fontDC(canvas.DC(), &font);
        EXPECT_EQ(font.GetSafeHandle(), ::GetCurrentObject(hdc, OBJ_FONT));
        fontDC.SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
        EXPECT_EQ(::GetStockObject(DEFAULT_GUI_FONT), ::GetCurrentObject(hdc, OBJ_FONT));
    }
    EXPECT_EQ(fontBefore, ::GetCurrentObject(hdc, OBJ_FONT));
    {
        CTkFontDC none(canvas.DC(), nullptr);
        EXPECT_EQ(fontBefore, ::GetCurrentObject(hdc, OBJ_FONT));
    }

    const HGDIOBJ brushBefore = ::GetCurrentObject(hdc, OBJ_BRUSH);
    {
        CTkBrushDC brush(hdc, RGB(0, 255, 0));
        ::PatBlt(hdc, 0, 0, 8, 8, PATCOPY);
        EXPECT_EQ(RGB(0, 255, 0), canvas.At(4, 4));
        brush.SetColor(RGB(0, 0, 255));
        ::PatBlt(hdc, 0, 0, 8, 8, PATCOPY);
        EXPECT_EQ(RGB(0, 0, 255), canvas.At(4, 4));
    }
    EXPECT_EQ(brushBefore, ::GetCurrentObject(hdc, OBJ_BRUSH));

    HBITMAP hBitmap = TkCreateAlphaBitmap(4, 4, nullptr);
    {
        CTkCompatibleDC dc(nullptr, hBitmap);
        dc.FillSolidRect(0, 0, 4, 4, RGB(7, 8, 9));
    }
    EXPECT_EQ(RGB(7, 8, 9), CTkDrawHelpers::GetTopLeftPixel(hBitmap));
    EXPECT_EQ(RGB(7, 8, 9), CTkDrawHelpers::GetBitmapPixel(hBitmap, POINT{3, 3}));
    EXPECT_EQ(static_cast<COLORREF>(-1), CTkDrawHelpers::GetTopLeftPixel(nullptr));
    HIMAGELIST hList = CTkDrawHelpers::CreateMaskedImageList(hBitmap);
    ASSERT_NE(nullptr, hList);
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(hList, &cx, &cy);
    EXPECT_EQ(4, cx);
    EXPECT_EQ(1, ::ImageList_GetImageCount(hList));
    ::ImageList_Destroy(hList);
    ::DeleteObject(hBitmap);
}

TEST(TkDrawHelpers, ExcludeCornersKeepsTheFourCornerPixels)
{
    Canvas canvas(10, 10);
    CTkDrawHelpers::ExcludeCorners(canvas.DC(), CRect(0, 0, 10, 10));
    canvas.DC()->FillSolidRect(0, 0, 10, 10, RGB(50, 60, 70));
    for (POINT p : {POINT{0, 0}, POINT{9, 0}, POINT{0, 9}, POINT{9, 9}})
        EXPECT_EQ(RGB(1, 2, 3), canvas.At(p.x, p.y));
    EXPECT_EQ(RGB(50, 60, 70), canvas.At(1, 0));
}

TEST(TkDrawHelpers, AveragePixelsHalvesTowardsTheNeighbour)
{
    Canvas canvas(4, 4, RGB(0, 0, 0));
    canvas.DC()->SetPixelV(1, 0, RGB(200, 100, 50));
    const int points[2] = {0, 0};
    CTkDrawHelpers::AveragePixels(canvas.DC(), points, 2, 0, 0, 1, 0);
    EXPECT_EQ(RGB(100, 50, 25), canvas.At(0, 0));
}

TEST(TkDrawHelpers, WorkAreaFallsBackToThePrimaryOne)
{
    const CRect primary = CMultiMonitorApi::GetPrimaryWorkArea();
    ASSERT_FALSE(primary.IsRectEmpty());
    EXPECT_EQ(primary, CTkDrawHelpers::GetWorkAreaAtCursor()); // one monitor under Xvfb
    EXPECT_EQ(primary, CTkDrawHelpers::GetWorkArea(POINT{-30000, -30000})); // no monitor there

    CMultiMonitorApi noMonitors;
    noMonitors.Load(L"KERNEL32"); // has none of the monitor functions
    EXPECT_FALSE(noMonitors.IsUsable());
    EXPECT_EQ(nullptr, noMonitors.m_pfnGetSystemMetrics); // the first missing one clears all
    EXPECT_EQ(primary, noMonitors.GetWorkArea(POINT{10, 10}));

    CMultiMonitorApi real;
    real.Load();
    EXPECT_TRUE(real.IsUsable());
}

TEST(TkDrawHelpers, FontFaces)
{
    EXPECT_FALSE(CTkDrawHelpers::GetDefaultFontFace().IsEmpty());
    EXPECT_FALSE(CTkDrawHelpers::FontExists(L"No Such Font Face 42"));
    // Any installed family is found, whatever the case of its name.
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    std::wstring installed;
    HDC hdc = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(hdc, &lf, TakeFirstFace, reinterpret_cast<LPARAM>(&installed), 0);
    ::ReleaseDC(nullptr, hdc);
    ASSERT_FALSE(installed.empty());
    CString lower(installed.c_str());
    lower.MakeLower();
    EXPECT_TRUE(CTkDrawHelpers::FontExists(lower));
    // Without the wish for Tahoma the answer is Arial or the default face, never Tahoma.
    const CString plain = CTkDrawHelpers::ChooseFontFace(FALSE);
    EXPECT_TRUE(plain == L"Arial" || plain == CTkDrawHelpers::GetDefaultFontFace());
    const CString preferred = CTkDrawHelpers::ChooseFontFace(TRUE);
    EXPECT_TRUE(preferred == L"Tahoma" || preferred == plain);
}

// The disabled copy is 24-bit: nearly transparent pixels take the background, the others keep
// their colour slightly darkened. Three pixels a line make lines padded to 12 bytes.
TEST(TkAlphaBitmap, DisabledCopyUsesTheBackgroundForNearlyTransparentPixels)
{
    BYTE* bits = nullptr;
    HBITMAP hSource = TkCreateAlphaBitmap(3, 2, reinterpret_cast<void**>(&bits));
    ASSERT_NE(nullptr, hSource);
    for (int i = 0; i < 6; ++i) {
        bits[i * 4 + 0] = 200; // blue
        bits[i * 4 + 1] = 100;
        bits[i * 4 + 2] = 40;
        bits[i * 4 + 3] = (i % 3 == 1) ? 119 : 120;
    }
    ::GdiFlush();

    HBITMAP hDisabled = TkCreateDisabledAlphaBitmap(hSource, RGB(1, 2, 3));
    ASSERT_NE(nullptr, hDisabled);
    DIBSECTION dib = {};
    ASSERT_EQ(static_cast<int>(sizeof(dib)), ::GetObjectW(hDisabled, sizeof(dib), &dib));
    EXPECT_EQ(24, dib.dsBm.bmBitsPixel);
    const BYTE* out = static_cast<const BYTE*>(dib.dsBm.bmBits);
    for (int y = 0; y < 2; ++y) {
        const BYTE* line = out + y * 12;
        EXPECT_EQ(199, line[0]) << y; // 200 * 255 / 256
        EXPECT_EQ(99, line[1]);
        EXPECT_EQ(39, line[2]);
        EXPECT_EQ(3, line[3]) << y; // the background's blue
        EXPECT_EQ(2, line[4]);
        EXPECT_EQ(1, line[5]);
        EXPECT_EQ(199, line[6]);
    }
    ::DeleteObject(hDisabled);
    ::DeleteObject(hSource);
    EXPECT_EQ(nullptr, TkCreateDisabledAlphaBitmap(nullptr, 0));
}

TEST(TkAlphaBitmap, CopyPremultiplySplitAndArchive)
{
    BYTE* bits = nullptr;
    HBITMAP hStrip = TkCreateAlphaBitmap(8, 2, reinterpret_cast<void**>(&bits));
    ASSERT_NE(nullptr, hStrip);
    for (int i = 0; i < 16; ++i) {
        bits[i * 4 + 0] = 200; // blue
        bits[i * 4 + 1] = 100;
        bits[i * 4 + 2] = static_cast<BYTE>(i * 10);
        bits[i * 4 + 3] = 128;
    }
    ::GdiFlush();

    HBITMAP hCopy = CopyAlphaBitmap(hStrip);
    ASSERT_NE(nullptr, hCopy);
    BITMAPINFO* info = nullptr;
    BYTE* copied = nullptr;
    UINT size = 0;
    ASSERT_TRUE(TkReadAlphaBitmapBits(hCopy, &info, &copied, &size));
    EXPECT_EQ(64u, size);
    EXPECT_EQ(0, memcmp(bits, copied, 64));
    std::free(info);
    std::free(copied);

    HBITMAP hPre = TkPremultiplyAlphaBitmap(hStrip);
    ASSERT_TRUE(TkReadAlphaBitmapBits(hPre, &info, &copied, &size));
    EXPECT_EQ(200 * 128 / 255, copied[0]);
    EXPECT_EQ(128, copied[3]); // alpha stays
    std::free(info);
    std::free(copied);

    HBITMAP parts[4] = {};
    ASSERT_EQ(4, TkSplitAlphaBitmap(hStrip, 4, parts));
    BITMAP bm = {};
    ::GetObjectW(parts[3], sizeof(bm), &bm);
    EXPECT_EQ(2, bm.bmWidth);
    for (HBITMAP h : parts)
        ::DeleteObject(h);

    // A 24-bit bitmap is no alpha bitmap.
    HDC screen = ::GetDC(nullptr);
    HBITMAP h24 = ::CreateCompatibleBitmap(screen, 4, 4);
    ::ReleaseDC(nullptr, screen);
    BITMAPINFO* none = nullptr;
    BYTE* noBits = nullptr;
    BITMAP bm24 = {};
    ::GetObjectW(h24, sizeof(bm24), &bm24);
    if (bm24.bmBitsPixel != 32) {
        EXPECT_FALSE(TkReadAlphaBitmapBits(h24, &none, &noBits, nullptr));
    }
    ::DeleteObject(h24);

    std::vector<BYTE> archive;
    TkWriteAlphaBitmap(archive, hStrip);
    TkWriteAlphaBitmap(archive, nullptr);
    const BYTE* p = archive.data();
    HBITMAP hRead = nullptr;
    BOOL present = FALSE;
    ASSERT_TRUE(TkReadAlphaBitmap(&p, archive.data() + archive.size(), &hRead, &present));
    EXPECT_TRUE(present);
    ASSERT_TRUE(TkReadAlphaBitmapBits(hRead, &info, &copied, &size));
    EXPECT_EQ(0, memcmp(bits, copied, 64));
    std::free(info);
    std::free(copied);
    ::DeleteObject(hRead);
    ASSERT_TRUE(TkReadAlphaBitmap(&p, archive.data() + archive.size(), &hRead, &present));
    EXPECT_FALSE(present);
    EXPECT_EQ(archive.data() + archive.size(), p);

    // A truncated record is refused, not read past its end.
    std::vector<BYTE> cut(archive.begin(), archive.begin() + 30);
    p = cut.data();
    EXPECT_FALSE(TkReadAlphaBitmap(&p, cut.data() + cut.size(), &hRead, &present));

    ::DeleteObject(hCopy);
    ::DeleteObject(hPre);
    ::DeleteObject(hStrip);
}
