#pragma once
// The toolkit's one table of named colours. Indices 1..27 are the Windows system colours;
// 30..57 are colours derived from them by fixed blends and by contrast corrections in a
// weighted colour space, so that popups follow the user's colour settings. Four gradient pairs
// are replaced by fixed sets under the standard XP visual style in its blue, olive and silver
// schemes. Nothing listens for setting changes: the popup painters rebuild the table when they
// refresh their metrics.
#include "framework/CCmdTarget.h"
#include "controls/popup/CTkColorGradient.h"

class CTkColorManager : public CCmdTarget {
public:
    enum { kColorCount = 58 };
    // Values of the forced scheme.
    enum { kSchemeNone = 0, kSchemeBlue = 1, kSchemeOlive = 2, kSchemeSilver = 3, kSchemeDetect = 4 };
    typedef COLORREF(CALLBACK* PFNSYSCOLOR)(int nIndex);

    // All fields as after construction, then a full rebuild. Most callers use Instance(); a
    // separate manager is useful where a caller wants its own overrides.
    CTkColorManager();
    ~CTkColorManager() override = default;

    // The process-wide manager, created on first use and destroyed at exit.
    static CTkColorManager* Instance();

    // Operations used by the toolkit
    // Index above 57: the value itself comes back. Else the override when set, else the standard entry.
    COLORREF ResolveColor(UINT nIndex) const;
    // Rebuilds unless bOnlyFirstTime is set and a rebuild has run already.
    void RebuildColorTable(BOOL bOnlyFirstTime = FALSE);
    // The forced scheme, or the detected one when forced is 4 or 5.
    int GetCurrentScheme() const;
    BOOL AreSchemeColorsDisabled() const { return m_bSchemeColorsDisabled; }

    // Per channel (a·weight + b·(D − weight) + D/2) / D with D = 100 for weights below 100,
    // else 1000 (so 165 is 16.5 %).
    static COLORREF MixColors(COLORREF clrA, COLORREF clrB, int nWeight);
    // 1 blue, 2 olive, 3 silver under "luna.msstyles"; 0 otherwise or when it cannot be asked.
    static int DetectLunaScheme();

    // The weighted colour space: (R·195/255, G·390/255, B·65/255).
    static double WeightedDistance(COLORREF clrA, COLORREF clrB);
    static double WeightedDistanceSquared(COLORREF clrA, COLORREF clrB);
    // The contrast amount for a reference colour: up to twice nAmount next to a dark reference.
    static double ContrastAmount(COLORREF clrRef, int nAmount);
    // TRUE when b lies strictly farther than the amount (the contrast amount when bAdjust) from a.
    static BOOL IsFarEnough(COLORREF clrA, COLORREF clrB, BOOL bAdjust, int nAmount);
    // b moved towards a until it lies at the contrast amount from a.
    static COLORREF PullTowards(COLORREF clrA, COLORREF clrB, int nAmount);
    // b moved along its line through black (or white) until it lies at the contrast amount from a.
    static COLORREF PushAway(COLORREF clrA, COLORREF clrB, int nAmount);

    // Operations offered to the application
    void SetOverrideColor(UINT nIndex, COLORREF clr);
    void SetOverrideColors(int nCount, const UINT* pIndices, const COLORREF* pColors);
    // Reads the system colours through pfn instead of GetSysColor (null: GetSysColor), and rebuilds.
    void SetSystemColorSource(PFNSYSCOLOR pfn);
    void SetScheme(int nScheme) { m_nForcedScheme = nScheme; }
    void DisableSchemeColors(BOOL bDisable) { m_bSchemeColorsDisabled = bDisable; }
    // Bits per pixel that the next rebuilds assume for the display (0: ask the desktop).
    void SetDisplayBitsPerPixel(int nBitsPerPixel) { m_nDisplayBitsPerPixel = nBitsPerPixel; }

    // Attributes, read directly by the painters
    CTkColorGradient m_grcGradient[4];
    BOOL m_bRefreshed = FALSE;
    BOOL m_bSchemeColorsDisabled = FALSE;
    COLORREF m_arrStandardColor[kColorCount] = {};
    COLORREF m_arrOverrideColor[kColorCount];
    PFNSYSCOLOR m_pfnSystemColorSource = nullptr;
    int m_nForcedScheme = kSchemeDetect;

private:
    BOOL IsLowColorDisplay() const;
    void SetStandard(int nIndex, COLORREF clr) { m_arrStandardColor[nIndex] = clr; }
    void RebuildSchemeGradients();
    void ReadThemeBorderColor();

    int m_nDisplayBitsPerPixel = 0;
};
