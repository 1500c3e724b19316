#include "app/CAutoAway.h"
#include "platform/QorView/UserStatus.h"

namespace {

bool SystemIdleMs(DWORD& dwIdleMs)
{
    // Looked up once: systems without it simply never go away by themselves.
    using PFNGETLASTINPUTINFO = BOOL(WINAPI*)(PLASTINPUTINFO);
    static PFNGETLASTINPUTINFO pfn = reinterpret_cast<PFNGETLASTINPUTINFO>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetLastInputInfo")));
    if (!pfn)
        return false;
    LASTINPUTINFO info = {sizeof(info), 0};
    if (!pfn(&info))
        return false;
    dwIdleMs = CAutoAway::IdleMs(::GetTickCount(), info.dwTime);
    return true;
}

CAutoAway::IdleSource g_pfnIdle = &SystemIdleMs;

} // namespace

bool CAutoAway::Configure(int nServerMinutes, BOOL bOptionOn, int nOptionMinutes)
{
    int minutes;
    if (nServerMinutes > 0) {
        minutes = nServerMinutes;
        m_bOn = 1;
    } else {
        m_bOn = bOptionOn ? 1 : 0;
        if (!m_bOn)
            return false;
        minutes = nOptionMinutes < 1 ? kDefaultMinutes : nOptionMinutes;
    }
    // The limit is kept in ms in 32 bits: a longer time than that holds means "never".
    const int kMaxMinutes = static_cast<int>(0xFFFFFFFFu / 60000u);
    if (minutes > kMaxMinutes)
        minutes = kMaxMinutes;
    m_nMinutes = minutes;
    m_dwIdleLimit = static_cast<DWORD>(minutes) * 60000u;
    return true;
}

CAutoAway::Change CAutoAway::Decide(DWORD dwIdleMs, int nStatus) const
{
    if (dwIdleMs > m_dwIdleLimit)
        return nStatus == USER_STATUS_ONLINE ? kGoAway : kNoChange;
    return nStatus == USER_STATUS_AUTO_AWAY ? kComeBack : kNoChange;
}

bool CAutoAway::QueryIdleMs(DWORD& dwIdleMs)
{
    return g_pfnIdle(dwIdleMs);
}

CAutoAway::IdleSource CAutoAway::SetIdleSource(IdleSource pfn)
{
    IdleSource old = g_pfnIdle;
    g_pfnIdle = pfn ? pfn : &SystemIdleMs;
    return old;
}
