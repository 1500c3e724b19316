// The colour manager's formulas and table, against worked values.
#include "controls/popup/CTkColorManager.h"
#include "TkThemeFakes.h"
#include <gtest/gtest.h>
#include <cmath>

namespace {

// The classic Windows 2000 palette, so that the derived colours do not depend on the desktop.
COLORREF CALLBACK ClassicColors(int nIndex)
{
    switch (nIndex) {
    case COLOR_WINDOW:
    case COLOR_HIGHLIGHTTEXT:
    case COLOR_BTNHIGHLIGHT:
        return RGB(255, 255, 255);
    case COLOR_BTNFACE:
    case COLOR_3DLIGHT:
        return RGB(212, 208, 200);
    case COLOR_BTNSHADOW:
    case COLOR_GRAYTEXT:
        return RGB(128, 128, 128);
    case COLOR_HIGHLIGHT:
        return RGB(10, 36, 106);
    default:
        return RGB(0, 0, 0);
    }
}

COLORREF CALLBACK BlackFace(int nIndex)
{
    if (nIndex == COLOR_BTNFACE)
        return RGB(0, 0, 0);
    return ClassicColors(nIndex);
}

// A manager on the classic palette with no visual style in play.
struct ClassicManager {
    CTkColorManager m;
    explicit ClassicManager(int nBits = 32, CTkColorManager::PFNSYSCOLOR pfn = ClassicColors)
    {
        m.SetScheme(0);
        m.SetDisplayBitsPerPixel(nBits);
        m.SetSystemColorSource(pfn);
    }
};

} // namespace

TEST(TkColorManager, MixColorsUsesPercentOrPermille)
{
    struct Case {
        COLORREF a, b;
        int weight;
        COLORREF expected;
    } cases[] = {
        {RGB(255, 255, 255), RGB(0, 0, 0), 165, RGB(42, 42, 42)},    // 16.5 %
        {RGB(255, 255, 255), RGB(0, 0, 0), 30, RGB(77, 77, 77)},     // 30 %, rounded
        {RGB(255, 255, 255), RGB(0, 0, 0), 50, RGB(128, 128, 128)},  // half, rounded up
        {RGB(255, 255, 255), RGB(0, 0, 0), 100, RGB(26, 26, 26)},    // 100 already counts in permille
        {RGB(200, 100, 0), RGB(0, 100, 200), 75, RGB(150, 100, 50)}, // per channel
        {RGB(10, 20, 30), RGB(250, 240, 230), 205, RGB(201, 195, 189)},
        {RGB(212, 208, 200), RGB(255, 255, 255), 205, RGB(246, 245, 244)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CTkColorManager::MixColors(c.a, c.b, c.weight)) << "weight " << c.weight;
}

TEST(TkColorManager, WeightedSpaceDistancesAndContrastAmount)
{
    EXPECT_NEAR(440.85, CTkColorManager::WeightedDistance(RGB(0, 0, 0), RGB(255, 255, 255)), 0.01);
    EXPECT_NEAR(195.0, CTkColorManager::WeightedDistance(RGB(0, 0, 0), RGB(255, 0, 0)), 0.01);
    EXPECT_NEAR(390.0 * 390.0, CTkColorManager::WeightedDistanceSquared(RGB(0, 0, 0), RGB(0, 255, 0)), 0.1);

    struct Case {
        COLORREF ref;
        int amount;
        double expected;
    } cases[] = {
        {RGB(0, 0, 0), 50, 100.0},          // twice the amount next to black
        {RGB(255, 255, 255), 50, 50.0},     // the amount itself from brightness 220 up
        {RGB(128, 128, 128), 50, 50.0},     // brightness 221
        {RGB(64, 64, 64), 100, 150.0},      // brightness 110: 1.5 times
    };
    for (const Case& c : cases)
        EXPECT_NEAR(c.expected, CTkColorManager::ContrastAmount(c.ref, c.amount), 0.5);
}

TEST(TkColorManager, IsFarEnoughIsStrictAndAdjustsForDarkReferences)
{
    struct Case {
        COLORREF a, b;
        BOOL adjust;
        int amount;
        BOOL expected;
    } cases[] = {
        {RGB(255, 255, 255), RGB(200, 200, 200), TRUE, 100, FALSE}, // 95 apart
        {RGB(255, 255, 255), RGB(200, 200, 200), TRUE, 50, TRUE},
        {RGB(0, 0, 0), RGB(60, 60, 60), FALSE, 100, TRUE},          // 104 apart
        {RGB(0, 0, 0), RGB(60, 60, 60), TRUE, 100, FALSE},          // needs 200 next to black
        {RGB(10, 10, 10), RGB(10, 10, 10), FALSE, 0, FALSE},        // strictly farther
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CTkColorManager::IsFarEnough(c.a, c.b, c.adjust, c.amount));
}

TEST(TkColorManager, PullAndPushLandAtTheContrastAmount)
{
    // White to black pulled to 100 from white: 77 % of the way.
    EXPECT_EQ(RGB(197, 197, 197), CTkColorManager::PullTowards(RGB(255, 255, 255), RGB(0, 0, 0), 100));
    // A light grey pushed away from white moves towards black.
    EXPECT_EQ(RGB(197, 197, 197), CTkColorManager::PushAway(RGB(255, 255, 255), RGB(240, 240, 240), 100));
    // Next to black there is no room below: it is pushed towards white, twice the amount away.
    EXPECT_EQ(RGB(116, 116, 116), CTkColorManager::PushAway(RGB(0, 0, 0), RGB(20, 20, 20), 100));
    // A pushed colour lies at the contrast amount from its reference.
    const COLORREF ref = RGB(212, 208, 200), col = RGB(200, 200, 190);
    const COLORREF pushed = CTkColorManager::PushAway(ref, col, 80);
    EXPECT_NEAR(CTkColorManager::ContrastAmount(ref, 80), CTkColorManager::WeightedDistance(ref, pushed), 3.0);
}

TEST(TkColorManager, ResolveColorPrefersOverridesAndPassesLargeIndicesThrough)
{
    ClassicManager cm;
    EXPECT_EQ(58u, cm.m.ResolveColor(58));
    EXPECT_EQ(0x123456u, cm.m.ResolveColor(0x123456));
    EXPECT_EQ(RGB(212, 208, 200), cm.m.ResolveColor(COLOR_BTNFACE));
    cm.m.SetOverrideColor(COLOR_BTNFACE, RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), cm.m.ResolveColor(COLOR_BTNFACE));
    // Overrides survive a rebuild and feed the derived colours.
    cm.m.RebuildColorTable(FALSE);
    EXPECT_EQ(RGB(1, 2, 3), cm.m.ResolveColor(COLOR_BTNFACE));
    EXPECT_EQ(RGB(16, 17, 18), cm.m.ResolveColor(COLOR_3DLIGHT));

    const UINT idx[2] = {31, 32};
    const COLORREF clr[2] = {RGB(9, 9, 9), RGB(8, 8, 8)};
    cm.m.SetOverrideColors(2, idx, clr);
    EXPECT_EQ(RGB(9, 9, 9), cm.m.ResolveColor(31));
    EXPECT_EQ(RGB(8, 8, 8), cm.m.ResolveColor(32));
}

TEST(TkColorManager, ClassicPaletteGivesTheDerivedTable)
{
    ClassicManager cm;
    const CTkColorManager& m = cm.m;
    struct Case {
        int index;
        COLORREF expected;
    } cases[] = {
        {0, 0},
        {28, 0},
        {29, 0},
        {30, RGB(219, 216, 209)},  // 16.5 % window over face, close enough to the face to stay
        {31, RGB(182, 189, 210)},  // highlight 30 % over window, already far enough from 30
        {32, RGB(10, 36, 106)},    // the highlight itself, far from 30
        {48, RGB(247, 242, 233)},  // face brightened by 35
        {49, RGB(85, 85, 85)},     // shadow darkened by 43
        {COLOR_3DLIGHT, RGB(227, 223, 215)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, m.ResolveColor(c.index)) << "entry " << c.index;

    // Entries defined by formulas over other entries.
    const COLORREF c30 = m.ResolveColor(30), c5 = m.ResolveColor(5), c13 = m.ResolveColor(13);
    auto ch36 = [](int a, int b, int c) { return a * 50 / 100 + b * 40 / 100 + c * 10 / 100; };
    EXPECT_EQ(RGB(ch36(GetRValue(c30), GetRValue(c5), GetRValue(c13)), ch36(GetGValue(c30), GetGValue(c5), GetGValue(c13)),
                  ch36(GetBValue(c30), GetBValue(c5), GetBValue(c13))),
              m.ResolveColor(36));
    const COLORREF s31 = m.m_arrStandardColor[31];
    EXPECT_EQ(RGB(GetRValue(s31) * 3 / 4, GetGValue(s31) * 3 / 4, GetBValue(s31) * 3 / 4), m.ResolveColor(34));
    EXPECT_EQ(c30, m.ResolveColor(53));
    // Every corrected text colour keeps its distance from its background.
    EXPECT_TRUE(CTkColorManager::IsFarEnough(m.ResolveColor(30), m.ResolveColor(46), TRUE, 179));
    EXPECT_TRUE(CTkColorManager::IsFarEnough(m.ResolveColor(41), m.ResolveColor(44), TRUE, 179));

    // System-derived gradients (no scheme).
    EXPECT_EQ(RGB(128, 128, 128), m.m_grcGradient[0].m_clrLight.GetValue());
    EXPECT_EQ(RGB(212, 208, 200), m.m_grcGradient[1].m_clrLight.GetValue());
    EXPECT_EQ(RGB(246, 245, 244), m.m_grcGradient[1].m_clrDark.GetValue());
    EXPECT_EQ(RGB(128, 128, 128), m.m_grcGradient[2].m_clrDark.GetValue());
    EXPECT_EQ(RGB(246, 245, 244), m.m_grcGradient[3].m_clrLight.GetValue());
    EXPECT_EQ(RGB(212, 208, 200), m.m_grcGradient[3].m_clrDark.GetValue());
}

TEST(TkColorManager, BlackButtonFaceGivesFixedGreys)
{
    ClassicManager cm(32, BlackFace);
    EXPECT_EQ(RGB(0x23, 0x23, 0x23), cm.m.ResolveColor(48));
    EXPECT_EQ(RGB(0x7F, 0x7F, 0x7F), cm.m.ResolveColor(49));
}

TEST(TkColorManager, LowColorDisplayKeepsClassicDefaults)
{
    themefakes::ThemeFakeScope fakes;
    ClassicManager cm(8);
    themefakes::S().openCount = 0; // the constructor's own first rebuild ran at full colour
    cm.m.RebuildColorTable(FALSE);
    static const int kFrom[][2] = {{30, 15}, {31, 5}, {33, 13}, {35, 17}, {44, 8}, {48, 15}, {49, 18}, {57, 16}};
    for (const auto& e : kFrom)
        EXPECT_EQ(cm.m.ResolveColor(e[1]), cm.m.ResolveColor(e[0])) << "entry " << e[0];
    // The visual style is not asked for the border colour.
    EXPECT_EQ(0, themefakes::S().openCount);
}

TEST(TkColorManager, BorderColorComesFromTheVisualStyleWhenThemed)
{
    themefakes::ThemeFakeScope fakes;
    themefakes::S().themeColor = RGB(1, 2, 3);
    ClassicManager cm;
    EXPECT_EQ(RGB(1, 2, 3), cm.m.ResolveColor(57));
    EXPECT_EQ(themefakes::S().openCount, themefakes::S().closeCount);

    themefakes::S().appThemed = FALSE;
    cm.m.RebuildColorTable(FALSE);
    EXPECT_EQ(RGB(128, 128, 128), cm.m.ResolveColor(57)); // the classic default stays
}

TEST(TkColorManager, DetectLunaSchemeByFileAndColorName)
{
    themefakes::ThemeFakeScope fakes;
    struct Case {
        const wchar_t* file;
        const wchar_t* color;
        int expected;
    } cases[] = {
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"NormalColor", 1},
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"HomeStead", 2},
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\LUNA.MSSTYLES", L"Metallic", 3},
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"NormalColor2", 0},
        {L"C:\\WINDOWS\\Resources\\Themes\\Royale\\Royale.msstyles", L"NormalColor", 0},
        {L"", L"", 0},
    };
    for (const Case& c : cases) {
        themefakes::S().themeFile = c.file;
        themefakes::S().colorName = c.color;
        EXPECT_EQ(c.expected, CTkColorManager::DetectLunaScheme()) << c.color;
    }
    themefakes::S().themeFile = cases[0].file;
    themefakes::S().nameResult = E_FAIL;
    EXPECT_EQ(0, CTkColorManager::DetectLunaScheme());
}

TEST(TkColorManager, SchemeColorsReplaceTheGradientsUnlessDisabled)
{
    themefakes::ThemeFakeScope fakes;
    themefakes::S().themeFile = L"c:\\windows\\resources\\themes\\luna\\luna.msstyles";
    themefakes::S().colorName = L"homestead";
    CTkColorManager m;
    m.SetDisplayBitsPerPixel(32);
    m.SetScheme(CTkColorManager::kSchemeDetect);
    m.SetSystemColorSource(ClassicColors);
    EXPECT_EQ(2, m.GetCurrentScheme());
    EXPECT_EQ(0x588060u, m.ResolveColor(54));
    EXPECT_EQ(0xA7D9D9u, m.m_grcGradient[1].m_clrLight.GetValue());
    EXPECT_EQ(0xE4F1F2u, m.m_grcGradient[1].m_clrDark.GetValue());
    EXPECT_EQ(0x435B49u, m.m_grcGradient[2].m_clrDark.GetValue());

    struct Case {
        int scheme;
        COLORREF c54, g0Light, g3Dark;
    } cases[] = {
        {1, 0x962D00, 0xD68759, 0xE2A981},
        {2, 0x588060, 0x82C0AF, 0x91C6B7},
        {3, 0x947C7C, 0xBFA7A8, 0xB59799},
    };
    for (const Case& c : cases) {
        m.SetScheme(c.scheme);
        m.RebuildColorTable(FALSE);
        EXPECT_EQ(c.c54, m.ResolveColor(54));
        EXPECT_EQ(c.g0Light, m.m_grcGradient[0].m_clrLight.GetValue());
        EXPECT_EQ(c.g3Dark, m.m_grcGradient[3].m_clrDark.GetValue());
    }

    m.DisableSchemeColors(TRUE);
    m.RebuildColorTable(FALSE);
    EXPECT_TRUE(m.AreSchemeColorsDisabled());
    EXPECT_EQ(RGB(128, 128, 128), m.ResolveColor(54));
    EXPECT_EQ(RGB(212, 208, 200), m.m_grcGradient[1].m_clrLight.GetValue());

    // Any other style file: scheme 0, system-derived gradients.
    m.DisableSchemeColors(FALSE);
    m.SetScheme(CTkColorManager::kSchemeDetect);
    themefakes::S().themeFile = L"c:\\windows\\resources\\themes\\aero\\aero.msstyles";
    m.RebuildColorTable(FALSE);
    EXPECT_EQ(0, m.GetCurrentScheme());
    EXPECT_EQ(RGB(128, 128, 128), m.ResolveColor(54));
}

TEST(TkColorManager, RebuildOnlyFirstTimeRunsOnce)
{
    ClassicManager cm;
    cm.m.m_arrStandardColor[40] = 0x010203;
    cm.m.RebuildColorTable(TRUE);
    EXPECT_EQ(0x010203u, cm.m.m_arrStandardColor[40]);
    cm.m.RebuildColorTable(FALSE);
    EXPECT_NE(0x010203u, cm.m.m_arrStandardColor[40]);
}

TEST(TkColorValue, CustomValueWinsOverStandard)
{
    CTkColorValue v;
    EXPECT_EQ(0xFFFFFFFFu, v.GetValue());
    v.SetStandardValue(RGB(1, 1, 1));
    EXPECT_EQ(RGB(1, 1, 1), v.GetValue());
    v.SetCustomValue(RGB(2, 2, 2));
    EXPECT_EQ(RGB(2, 2, 2), static_cast<COLORREF>(v));
    v.SetCustomValue(0xFFFFFFFF);
    EXPECT_EQ(RGB(1, 1, 1), v.GetValue());

    CTkColorGradient g;
    EXPECT_EQ(0xFFFFFFFFu, g.m_clrLight.GetValue());
    g.SetStandardValue(RGB(3, 3, 3));
    EXPECT_EQ(RGB(3, 3, 3), g.m_clrDark.GetValue());
    g.SetCustomValue(RGB(4, 4, 4), RGB(5, 5, 5));
    EXPECT_EQ(RGB(4, 4, 4), g.m_clrLight.GetValue());
    EXPECT_EQ(RGB(5, 5, 5), g.m_clrDark.GetValue());
}
