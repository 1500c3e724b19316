#pragma once
// The monitor functions of USER32, looked up by name on first use because Windows 95 and NT 4
// lack them. When any one is missing none is used and every query falls back to the primary
// work area.
#include "framework/CRect.h"
#include "framework/Platform.h"

struct CMultiMonitorApi {
    typedef int(WINAPI* PFNGETSYSTEMMETRICS)(int);
    typedef HMONITOR(WINAPI* PFNMONITORFROMWINDOW)(HWND, DWORD);
    typedef HMONITOR(WINAPI* PFNMONITORFROMRECT)(LPCRECT, DWORD);
    typedef HMONITOR(WINAPI* PFNMONITORFROMPOINT)(POINT, DWORD);
    typedef BOOL(WINAPI* PFNGETMONITORINFO)(HMONITOR, LPMONITORINFO);

    // Only clears the loaded flag; the entry points are resolved by Load.
    CMultiMonitorApi() : m_bLoaded(FALSE) {}

    // The record built by the static initialisation, loaded on first use.
    static CMultiMonitorApi& Instance();

    // Resolves the five entry points from lpszModule (already loaded; "USER32" by default) once.
    void Load(LPCWSTR lpszModule = L"USER32");
    // TRUE when every entry point was found.
    BOOL IsUsable() const { return m_bLoaded && m_pfnGetMonitorInfo; }

    // Work area of a monitor (null: none); the primary work area when it cannot be asked.
    CRect GetWorkArea(HMONITOR hMonitor);
    CRect GetWorkArea(HWND hWnd);
    CRect GetWorkArea(const RECT& rect);
    CRect GetWorkArea(POINT point);
    static CRect GetPrimaryWorkArea();

    PFNGETSYSTEMMETRICS m_pfnGetSystemMetrics = nullptr;
    PFNMONITORFROMWINDOW m_pfnMonitorFromWindow = nullptr;
    PFNMONITORFROMRECT m_pfnMonitorFromRect = nullptr;
    PFNMONITORFROMPOINT m_pfnMonitorFromPoint = nullptr;
    PFNGETMONITORINFO m_pfnGetMonitorInfo = nullptr;
    BOOL m_bLoaded;
};
