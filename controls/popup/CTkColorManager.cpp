#include "controls/popup/CTkColorManager.h"
#include "controls/popup/CTkWinThemeWrapper.h"
#include <cmath>
#include <cstdlib>
#include <cwchar>

namespace {

// Axis lengths of the weighted colour space: green weighs most, blue least, roughly as the eye does.
const double kAxisMax[3] = {195.0, 390.0, 65.0};

struct WeightedPoint {
    double v[3];
};

WeightedPoint ToWeighted(COLORREF clr)
{
    return {{GetRValue(clr) * 195.0 / 255.0, GetGValue(clr) * 390.0 / 255.0, GetBValue(clr) * 65.0 / 255.0}};
}

double Length(const WeightedPoint& p)
{
    return std::sqrt(p.v[0] * p.v[0] + p.v[1] * p.v[1] + p.v[2] * p.v[2]);
}

int ToChannel(double x, double axisMax)
{
    x = std::min(std::max(x, 0.0), axisMax);
    int n = static_cast<int>(x * 255.0 / axisMax + 0.5);
    return std::min(std::max(n, 0), 255);
}

COLORREF FromWeighted(const WeightedPoint& p)
{
    return RGB(ToChannel(p.v[0], kAxisMax[0]), ToChannel(p.v[1], kAxisMax[1]), ToChannel(p.v[2], kAxisMax[2]));
}

int MaxChannel(COLORREF clr)
{
    return std::max(std::max(GetRValue(clr), GetGValue(clr)), GetBValue(clr));
}

COLORREF ScaleChannels(COLORREF clr, int nMul, int nDiv)
{
    return RGB(GetRValue(clr) * nMul / nDiv, GetGValue(clr) * nMul / nDiv, GetBValue(clr) * nMul / nDiv);
}

void DestroyInstance();
CTkColorManager* s_pInstance = nullptr;

void DestroyInstance()
{
    delete s_pInstance;
    s_pInstance = nullptr;
}

} // namespace

CTkColorManager::CTkColorManager()
{
    for (COLORREF& clr : m_arrOverrideColor)
        clr = CTkColorValue::kUnset;
    RebuildColorTable(FALSE);
}

CTkColorManager* CTkColorManager::Instance()
{
    if (!s_pInstance) {
        s_pInstance = new CTkColorManager;
        std::atexit(DestroyInstance);
    }
    return s_pInstance;
}

COLORREF CTkColorManager::ResolveColor(UINT nIndex) const
{
    if (nIndex >= kColorCount)
        return nIndex;
    if (m_arrOverrideColor[nIndex] != CTkColorValue::kUnset)
        return m_arrOverrideColor[nIndex];
    return m_arrStandardColor[nIndex];
}

int CTkColorManager::GetCurrentScheme() const
{
    if (m_nForcedScheme == 4 || m_nForcedScheme == 5)
        return DetectLunaScheme();
    return m_nForcedScheme;
}

COLORREF CTkColorManager::MixColors(COLORREF clrA, COLORREF clrB, int nWeight)
{
    const int d = nWeight < 100 ? 100 : 1000;
    auto mix = [&](int a, int b) { return (a * nWeight + b * (d - nWeight) + d / 2) / d; };
    return RGB(mix(GetRValue(clrA), GetRValue(clrB)), mix(GetGValue(clrA), GetGValue(clrB)),
               mix(GetBValue(clrA), GetBValue(clrB)));
}

int CTkColorManager::DetectLunaScheme()
{
    WCHAR szFile[260] = {};
    WCHAR szColor[260] = {};
    CTkWinThemeWrapper theme;
    if (FAILED(theme.GetCurrentThemeName(szFile, 260, szColor, 260, nullptr, 0)))
        return 0;
    szFile[259] = 0;
    szColor[259] = 0;
    ::CharLowerW(szFile);
    if (!std::wcsstr(szFile, L"luna.msstyles"))
        return 0;
    ::CharLowerW(szColor);
    if (std::wcscmp(szColor, L"normalcolor") == 0)
        return 1;
    if (std::wcscmp(szColor, L"homestead") == 0)
        return 2;
    if (std::wcscmp(szColor, L"metallic") == 0)
        return 3;
    return 0;
}

double CTkColorManager::WeightedDistanceSquared(COLORREF clrA, COLORREF clrB)
{
    const WeightedPoint a = ToWeighted(clrA), b = ToWeighted(clrB);
    double sum = 0;
    for (int i = 0; i < 3; ++i)
        sum += (a.v[i] - b.v[i]) * (a.v[i] - b.v[i]);
    return sum;
}

double CTkColorManager::WeightedDistance(COLORREF clrA, COLORREF clrB)
{
    return static_cast<float>(std::sqrt(WeightedDistanceSquared(clrA, clrB)));
}

double CTkColorManager::ContrastAmount(COLORREF clrRef, int nAmount)
{
    const int nBrightness = static_cast<int>(static_cast<float>(Length(ToWeighted(clrRef))));
    return static_cast<float>((2.0 - std::min(nBrightness, 220) / 220.0) * nAmount);
}

BOOL CTkColorManager::IsFarEnough(COLORREF clrA, COLORREF clrB, BOOL bAdjust, int nAmount)
{
    const double f = bAdjust ? ContrastAmount(clrA, nAmount) : static_cast<double>(nAmount);
    return WeightedDistanceSquared(clrA, clrB) > f * f;
}

COLORREF CTkColorManager::PullTowards(COLORREF clrA, COLORREF clrB, int nAmount)
{
    const double f = ContrastAmount(clrA, nAmount);
    const double d = WeightedDistance(clrA, clrB);
    if (d <= 0.0)
        return clrB;
    const double t = (d - f) / d;
    const WeightedPoint a = ToWeighted(clrA), b = ToWeighted(clrB);
    WeightedPoint r;
    for (int i = 0; i < 3; ++i)
        r.v[i] = b.v[i] + t * (a.v[i] - b.v[i]);
    return FromWeighted(r);
}

COLORREF CTkColorManager::PushAway(COLORREF clrA, COLORREF clrB, int nAmount)
{
    const double f = ContrastAmount(clrA, nAmount);
    WeightedPoint a = ToWeighted(clrA), b = ToWeighted(clrB);
    const double la = static_cast<float>(Length(a));
    const double lb = static_cast<float>(Length(b));
    // Move b towards black, or, when there is no room below a, towards white (by working in
    // the inverted space, whose origin is white).
    const double threshold = la < lb ? 442.0 - f : f;
    const bool bInverted = threshold >= la;
    if (bInverted) {
        for (int i = 0; i < 3; ++i) {
            a.v[i] = kAxisMax[i] - a.v[i];
            b.v[i] = kAxisMax[i] - b.v[i];
        }
    }
    double lenB = Length(b);
    if (lenB < 0.001)
        lenB = 0.001;
    const double dot = a.v[0] * b.v[0] + a.v[1] * b.v[1] + a.v[2] * b.v[2];
    const double p = dot / lenB;
    double h2 = 0;
    for (int i = 0; i < 3; ++i) {
        const double proj = dot / (lenB * lenB) * b.v[i];
        h2 += (a.v[i] - proj) * (a.v[i] - proj);
    }
    // b lies within f of a, so its line passes within f of a as well; rounding aside.
    const double s = p - std::sqrt(std::max(f * f - h2, 0.0));
    WeightedPoint r;
    for (int i = 0; i < 3; ++i) {
        r.v[i] = s / lenB * b.v[i];
        if (bInverted)
            r.v[i] = kAxisMax[i] - r.v[i];
    }
    return FromWeighted(r);
}

void CTkColorManager::SetOverrideColor(UINT nIndex, COLORREF clr)
{
    if (nIndex < kColorCount)
        m_arrOverrideColor[nIndex] = clr;
}

void CTkColorManager::SetOverrideColors(int nCount, const UINT* pIndices, const COLORREF* pColors)
{
    if (!pIndices || !pColors)
        return;
    for (int i = 0; i < nCount; ++i)
        SetOverrideColor(pIndices[i], pColors[i]);
}

void CTkColorManager::SetSystemColorSource(PFNSYSCOLOR pfn)
{
    m_pfnSystemColorSource = pfn;
    RebuildColorTable(FALSE);
}

BOOL CTkColorManager::IsLowColorDisplay() const
{
    int nBits = m_nDisplayBitsPerPixel;
    if (nBits == 0) {
        HWND hDesktop = ::GetDesktopWindow();
        HDC hdc = ::GetDC(hDesktop);
        if (!hdc)
            return FALSE;
        nBits = ::GetDeviceCaps(hdc, BITSPIXEL) * ::GetDeviceCaps(hdc, PLANES);
        ::ReleaseDC(hDesktop, hdc);
    }
    return nBits >= 1 && nBits <= 8;
}

void CTkColorManager::RebuildColorTable(BOOL bOnlyFirstTime)
{
    if (bOnlyFirstTime && m_bRefreshed)
        return;
    m_bRefreshed = TRUE;
    const BOOL bLowColor = IsLowColorDisplay();

    auto C = [this](UINT n) { return ResolveColor(n); };

    m_arrStandardColor[0] = 0;
    for (int i = 1; i <= 27; ++i)
        m_arrStandardColor[i] = m_pfnSystemColorSource ? m_pfnSystemColorSource(i) : ::GetSysColor(i);

    // Classic defaults: what every derived colour is on a display that cannot show blends.
    static const struct {
        int nEntry, nFrom;
    } kClassic[] = {{30, 15}, {31, 5},  {32, 13}, {33, 13}, {34, 16}, {35, 17}, {36, 5},  {37, 13}, {38, 16},
                    {39, 16}, {40, 16}, {41, 5},  {42, 16}, {43, 16}, {44, 8},  {45, 7},  {46, 18}, {47, 14},
                    {48, 15}, {49, 18}, {50, 13}, {51, 15}, {52, 16}, {53, 15}, {54, 16}, {55, 15}, {56, 15},
                    {57, 16}};
    for (const auto& c : kClassic)
        SetStandard(c.nEntry, C(c.nFrom));

    if (bLowColor) {
        RebuildSchemeGradients();
        return;
    }

    static const struct {
        int nEntry, nFirst, nSecond, nWeight;
    } kBlends[] = {{30, 5, 15, 165}, {31, 13, 5, 30},  {33, 13, 5, 50},  {41, 15, 5, 143}, {35, 17, 5, 70},
                   {38, 16, 5, 75},  {39, 16, 5, 70},  {43, 46, 16, 20}, {40, 16, 5, 90},  {42, 15, 16, 90}};
    for (const auto& b : kBlends)
        SetStandard(b.nEntry, MixColors(C(b.nFirst), C(b.nSecond), b.nWeight));

    if (IsFarEnough(C(15), C(30), TRUE, 35))
        SetStandard(30, PullTowards(C(15), C(30), 35));

    static const struct {
        int nEntry, nRef, nCol, nAmount;
    } kContrast[] = {{31, 30, 31, 50},  {32, 30, 13, 100}, {33, 30, 33, 30},  {35, 41, 35, 80},  {37, 33, 37, 100},
                     {38, 30, 38, 85},  {39, 30, 39, 50},  {43, 47, 43, 100}, {40, 30, 40, 80},  {44, 41, 44, 180},
                     {45, 31, 45, 180}, {46, 30, 46, 180}, {47, 33, 47, 180}};
    for (const auto& k : kContrast) {
        if (!IsFarEnough(C(k.nRef), C(k.nCol), TRUE, k.nAmount))
            SetStandard(k.nEntry, PushAway(C(k.nRef), C(k.nCol), k.nAmount));
    }

    if (IsFarEnough(C(41), C(35), TRUE, 145))
        SetStandard(35, PullTowards(C(41), C(35), 145));

    {
        const COLORREF c30 = C(30), c5 = C(5), c13 = C(13);
        auto ch = [](int a, int b, int c) { return a * 50 / 100 + b * 40 / 100 + c * 10 / 100; };
        SetStandard(36, RGB(ch(GetRValue(c30), GetRValue(c5), GetRValue(c13)),
                            ch(GetGValue(c30), GetGValue(c5), GetGValue(c13)),
                            ch(GetBValue(c30), GetBValue(c5), GetBValue(c13))));
    }

    {
        const COLORREF c15 = C(15);
        const int m = MaxChannel(c15);
        if (m == 0)
            SetStandard(48, RGB(0x23, 0x23, 0x23));
        else
            SetStandard(48, ScaleChannels(c15, m + std::min(255 - m, 35), m));
    }

    if (C(15) == 0) {
        SetStandard(49, RGB(0x7F, 0x7F, 0x7F));
    } else {
        const COLORREF c16 = C(16);
        const int m = MaxChannel(c16);
        SetStandard(49, m == 0 ? 0 : ScaleChannels(c16, std::max(m - 43, 0), m));
    }

    {
        const COLORREF s31 = m_arrStandardColor[31];
        SetStandard(34, RGB(static_cast<int>(GetRValue(s31) * 0.75), static_cast<int>(GetGValue(s31) * 0.75),
                            static_cast<int>(GetBValue(s31) * 0.75)));
        const COLORREF c15 = C(15);
        SetStandard(COLOR_3DLIGHT, RGB(std::min(GetRValue(c15) + 15, 255), std::min(GetGValue(c15) + 15, 255),
                                       std::min(GetBValue(c15) + 15, 255)));
        SetStandard(53, C(30));
    }

    RebuildSchemeGradients();
    ReadThemeBorderColor();
}

void CTkColorManager::RebuildSchemeGradients()
{
    const COLORREF c5 = ResolveColor(5), c15 = ResolveColor(15), c16 = ResolveColor(16);
    const COLORREF mixed = MixColors(c15, c5, 205);
    m_grcGradient[0].SetStandardValue(c16, c16);
    m_grcGradient[1].SetStandardValue(c15, mixed);
    m_grcGradient[2].SetStandardValue(c15, c16);
    m_grcGradient[3].SetStandardValue(mixed, c15);

    if (m_bSchemeColorsDisabled)
        return;
    static const struct {
        COLORREF clr54;
        COLORREF grad[4][2];
    } kSchemes[3] = {
        {0x962D00, {{0xD68759, 0x962D00}, {0xF5BE9E, 0xFADAC4}, {0xD68759, 0x962D00}, {0xFEECDD, 0xE2A981}}},
        {0x588060, {{0x82C0AF, 0x447A63}, {0xA7D9D9, 0xE4F1F2}, {0x6F8E78, 0x435B49}, {0xDEF7F4, 0x91C6B7}}},
        {0x947C7C, {{0xBFA7A8, 0x916F70}, {0xE5D7D7, 0xF7F3F3}, {0xBFA7A8, 0x977677}, {0xFAF4F3, 0xB59799}}},
    };
    const int nScheme = GetCurrentScheme();
    if (nScheme < 1 || nScheme > 3)
        return;
    const auto& s = kSchemes[nScheme - 1];
    SetStandard(54, s.clr54);
    for (int i = 0; i < 4; ++i)
        m_grcGradient[i].SetStandardValue(s.grad[i][0], s.grad[i][1]);
}

void CTkColorManager::ReadThemeBorderColor()
{
    CTkWinThemeWrapper theme;
    theme.OpenThemeData(nullptr, L"TREEVIEW");
    if (theme.IsThemeOpen() && theme.IsAppThemed()) {
        COLORREF clr = 0;
        // 3801 is the border colour property of the tree view class; a failed read keeps ours.
        if (SUCCEEDED(theme.GetThemeColor(0, 0, 3801, &clr)))
            SetStandard(57, clr);
    }
}
