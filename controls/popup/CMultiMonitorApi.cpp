#include "controls/popup/CMultiMonitorApi.h"

namespace {
CMultiMonitorApi s_multiMonitorApi;
}

CMultiMonitorApi& CMultiMonitorApi::Instance()
{
    return s_multiMonitorApi;
}

void CMultiMonitorApi::Load(LPCWSTR lpszModule)
{
    if (m_bLoaded)
        return;
    m_bLoaded = TRUE;
    HMODULE hUser = ::GetModuleHandleW(lpszModule);
    if (!hUser)
        return;
    OSVERSIONINFOW vi = {};
    vi.dwOSVersionInfoSize = sizeof(vi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL bNT = !::GetVersionExW(&vi) || vi.dwPlatformId == VER_PLATFORM_WIN32_NT;
#pragma GCC diagnostic pop
    const char* const aNames[5] = {"GetSystemMetrics", "MonitorFromWindow", "MonitorFromRect", "MonitorFromPoint",
                                   bNT ? "GetMonitorInfoW" : "GetMonitorInfoA"};
    FARPROC aProcs[5] = {};
    for (int i = 0; i < 5; ++i) {
        aProcs[i] = ::GetProcAddress(hUser, aNames[i]);
        if (!aProcs[i])
            return; // the first missing one leaves all five null
    }
    m_pfnGetSystemMetrics = reinterpret_cast<PFNGETSYSTEMMETRICS>(aProcs[0]);
    m_pfnMonitorFromWindow = reinterpret_cast<PFNMONITORFROMWINDOW>(aProcs[1]);
    m_pfnMonitorFromRect = reinterpret_cast<PFNMONITORFROMRECT>(aProcs[2]);
    m_pfnMonitorFromPoint = reinterpret_cast<PFNMONITORFROMPOINT>(aProcs[3]);
    m_pfnGetMonitorInfo = reinterpret_cast<PFNGETMONITORINFO>(aProcs[4]);
}

CRect CMultiMonitorApi::GetPrimaryWorkArea()
{
    CRect rc(0, 0, 0, 0);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

CRect CMultiMonitorApi::GetWorkArea(HMONITOR hMonitor)
{
    Load();
    if (!IsUsable() || !hMonitor)
        return GetPrimaryWorkArea();
    // The same 40 bytes serve GetMonitorInfoA and GetMonitorInfoW.
    MONITORINFO mi = {};
    mi.cbSize = sizeof(MONITORINFO);
    if (!m_pfnGetMonitorInfo(hMonitor, &mi))
        return GetPrimaryWorkArea();
    return CRect(mi.rcWork);
}

CRect CMultiMonitorApi::GetWorkArea(HWND hWnd)
{
    Load();
    return GetWorkArea(IsUsable() ? m_pfnMonitorFromWindow(hWnd, MONITOR_DEFAULTTONULL) : HMONITOR(nullptr));
}

CRect CMultiMonitorApi::GetWorkArea(const RECT& rect)
{
    Load();
    return GetWorkArea(IsUsable() ? m_pfnMonitorFromRect(&rect, MONITOR_DEFAULTTONULL) : HMONITOR(nullptr));
}

CRect CMultiMonitorApi::GetWorkArea(POINT point)
{
    Load();
    return GetWorkArea(IsUsable() ? m_pfnMonitorFromPoint(point, MONITOR_DEFAULTTONULL) : HMONITOR(nullptr));
}
