#include "signin/CReconnectCountdown.h"

int CReconnectCountdown::DelayForAttempt(int nAttempt)
{
    if (nAttempt <= 10)
        return 10;
    if (nAttempt <= 13)
        return (nAttempt - 10) * 30;
    return 120;
}

CString CReconnectCountdown::FormatTime(int nSeconds)
{
    if (nSeconds < 0)
        nSeconds = 0;
    CString text;
    text.Format(L"%d:%.2d", nSeconds / 60, nSeconds % 60);
    return text;
}

int CReconnectCountdown::Start(bool bReset)
{
    if (bReset)
        m_nAttempts = 0;
    ++m_nAttempts;
    m_nRemaining = DelayForAttempt(m_nAttempts);
    m_bRunning = true;
    return m_nRemaining;
}

CReconnectCountdown::TickResult CReconnectCountdown::Tick()
{
    if (!m_bRunning)
        return TICK_IDLE;
    const int before = m_nRemaining--;
    if (before != 1)
        return TICK_SHOW;
    m_bRunning = false;
    return TICK_RUN_OUT;
}
