#pragma once
// CReconnectCountdown: the state behind the reconnect panel's countdown, without a window. Each
// start counts one more attempt and waits longer the more attempts there were: 10 s for each
// of the first ten, then 30, 60 and 90 s, then 120 s for every further one. The panel's
// one-second timer steps it (Tick); when the delay has run out the panel starts a sign-in.
#include "framework/CString.h"

class CReconnectCountdown {
public:
    // The delay in seconds of attempt n (1 for the first).
    static int DelayForAttempt(int nAttempt);
    // "%d:%.2d" of minutes and seconds: 90 -> "1:30", 10 -> "0:10".
    static CString FormatTime(int nSeconds);

    // Counts one more attempt (after forgetting the earlier ones when bReset) and starts its
    // delay; returns the delay.
    int Start(bool bReset);
    // Forgets the earlier attempts without starting.
    void ResetAttempts() { m_nAttempts = 0; }
    void Stop() { m_bRunning = false; }

    enum TickResult {
        TICK_IDLE,    // no countdown runs: nothing happened
        TICK_SHOW,    // one second less: show GetRemaining()
        TICK_RUN_OUT, // the delay has run out: the countdown stopped, sign in now
    };
    TickResult Tick();

    bool IsRunning() const { return m_bRunning; }
    int GetAttempts() const { return m_nAttempts; }
    int GetRemaining() const { return m_nRemaining; }

private:
    int m_nAttempts = 0;
    int m_nRemaining = 0;
    bool m_bRunning = false;
};
