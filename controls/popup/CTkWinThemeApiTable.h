#pragma once
// The process-wide table of the visual-style entry points of "UxTheme.dll". The library may be
// missing (older Windows) or lack some functions, so nothing is linked: each entry point is
// looked up by name on first use and kept here.
#include "framework/Platform.h"

// Every function the wrapper offers, in slot order.
#define TK_THEME_API_LIST(X)                                                                     \
    X(OpenThemeData) X(CloseThemeData) X(IsAppThemed) X(GetThemeColor) X(GetCurrentThemeName)    \
    X(DrawThemeBackground) X(DrawThemeBackgroundEx) X(DrawThemeEdge) X(DrawThemeIcon)             \
    X(DrawThemeParentBackground) X(DrawThemeText) X(EnableThemeDialogTexture) X(EnableTheming)    \
    X(GetThemeAppProperties) X(GetThemeBackgroundContentRect) X(GetThemeBackgroundExtent)         \
    X(GetThemeBackgroundRegion) X(GetThemeBool) X(GetThemeDocumentationProperty)                  \
    X(GetThemeEnumValue) X(GetThemeFilename) X(GetThemeFont) X(GetThemeInt) X(GetThemeIntList)   \
    X(GetThemeMargins) X(GetThemeMetric) X(GetThemePartSize) X(GetThemePosition)                  \
    X(GetThemePropertyOrigin) X(GetThemeRect) X(GetThemeString) X(GetThemeSysBool)                \
    X(GetThemeSysColor) X(GetThemeSysColorBrush) X(GetThemeSysFont) X(GetThemeSysInt)            \
    X(GetThemeSysSize) X(GetThemeSysString) X(GetThemeTextExtent) X(GetThemeTextMetrics)         \
    X(GetWindowTheme) X(HitTestThemeBackground) X(IsThemeActive)                                 \
    X(IsThemeBackgroundPartiallyTransparent) X(IsThemeDialogTextureEnabled) X(IsThemePartDefined) \
    X(SetThemeAppProperties) X(SetWindowTheme)

class CTkWinThemeApiTable {
public:
    enum Slot {
#define TK_THEME_SLOT(name) kSlot##name,
        TK_THEME_API_LIST(TK_THEME_SLOT)
#undef TK_THEME_SLOT
        kSlotCount
    };

    // Loads lpszLibrary (never freed) and reads the common-controls version. Every slot starts
    // null. The process-wide table uses "UxTheme.dll"; another name lets a caller see how the
    // toolkit behaves on a system without it.
    explicit CTkWinThemeApiTable(LPCWSTR lpszLibrary = L"UxTheme.dll");
    CTkWinThemeApiTable(const CTkWinThemeApiTable&) = delete;
    CTkWinThemeApiTable& operator=(const CTkWinThemeApiTable&) = delete;

    // The table built by the static initialisation.
    static CTkWinThemeApiTable& Instance();

    // The entry point of a slot, looked up by name when still unknown; null when the library or
    // the function is missing.
    FARPROC Resolve(int nSlot);
    // Puts a function of the caller's into a slot (null makes it be looked up again).
    void SetSlot(int nSlot, FARPROC pfn);
    // The entry point's name of a slot ("OpenThemeData", ...); null outside the table.
    static LPCSTR GetSlotName(int nSlot);

    HMODULE GetModule() const { return m_hModule; }
    // Major version in the high word, minor in the low word; 0 when it could not be read.
    DWORD GetComCtlVersion() const { return m_dwComCtlVersion; }

private:
    FARPROC m_aSlots[kSlotCount] = {};
    HMODULE m_hModule = nullptr;
    DWORD m_dwComCtlVersion = 0;
};
