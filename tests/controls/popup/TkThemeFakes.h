#pragma once
// Stand-in visual-style functions put into the process-wide table by tests, so that a test can
// pretend to run under a given visual style. ThemeFakeScope restores the real entry points.
#include "framework/Platform.h"
#include "controls/popup/CTkWinThemeApiTable.h"
#include <uxtheme.h>
#include <string>

namespace themefakes {

struct State {
    std::wstring themeFile;
    std::wstring colorName;
    HRESULT nameResult = S_OK;
    BOOL appThemed = TRUE;
    COLORREF themeColor = RGB(1, 2, 3);
    int openCount = 0;
    int closeCount = 0;
    int appThemedCalls = 0;
    HTHEME lastClosed = nullptr;
    int nextHandle = 0x100;
};

inline State& S()
{
    static State s;
    return s;
}

inline HRESULT WINAPI FakeGetCurrentThemeName(LPWSTR file, int cchFile, LPWSTR color, int cchColor, LPWSTR, int)
{
    if (FAILED(S().nameResult))
        return S().nameResult;
    lstrcpynW(file, S().themeFile.c_str(), cchFile);
    lstrcpynW(color, S().colorName.c_str(), cchColor);
    return S_OK;
}

inline HTHEME WINAPI FakeOpenThemeData(HWND, LPCWSTR)
{
    ++S().openCount;
    return reinterpret_cast<HTHEME>(static_cast<INT_PTR>(S().nextHandle++));
}

inline HRESULT WINAPI FakeCloseThemeData(HTHEME hTheme)
{
    ++S().closeCount;
    S().lastClosed = hTheme;
    return S_OK;
}

inline BOOL WINAPI FakeIsAppThemed()
{
    ++S().appThemedCalls;
    return S().appThemed;
}

inline HRESULT WINAPI FakeGetThemeColor(HTHEME, int, int, int propId, COLORREF* pColor)
{
    if (propId != 3801)
        return E_FAIL;
    *pColor = S().themeColor;
    return S_OK;
}

// Puts the fakes into the process-wide table for the life of the scope.
class ThemeFakeScope {
public:
    ThemeFakeScope()
    {
        S() = State();
        auto& t = CTkWinThemeApiTable::Instance();
        t.SetSlot(CTkWinThemeApiTable::kSlotGetCurrentThemeName, reinterpret_cast<FARPROC>(&FakeGetCurrentThemeName));
        t.SetSlot(CTkWinThemeApiTable::kSlotOpenThemeData, reinterpret_cast<FARPROC>(&FakeOpenThemeData));
        t.SetSlot(CTkWinThemeApiTable::kSlotCloseThemeData, reinterpret_cast<FARPROC>(&FakeCloseThemeData));
        t.SetSlot(CTkWinThemeApiTable::kSlotIsAppThemed, reinterpret_cast<FARPROC>(&FakeIsAppThemed));
        t.SetSlot(CTkWinThemeApiTable::kSlotGetThemeColor, reinterpret_cast<FARPROC>(&FakeGetThemeColor));
    }
    ~ThemeFakeScope()
    {
        auto& t = CTkWinThemeApiTable::Instance();
        for (int i = 0; i < CTkWinThemeApiTable::kSlotCount; ++i)
            t.SetSlot(i, nullptr); // looked up again on next use
    }
};

} // namespace themefakes
