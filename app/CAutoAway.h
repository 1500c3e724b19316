#pragma once
// Going away and back with the user's idle time. While signed in, the main window's timer 101
// asks every 10 s (every 2 s while away) how long the user has not touched keyboard or mouse:
// past the limit an online user becomes away (USER_STATUS_AUTO_AWAY), and the first input brings
// an auto-away user back online. A status the user chose is never changed.
#include "framework/Platform.h"

class CAutoAway {
public:
    enum : UINT_PTR { kTimerId = 101 };
    enum : UINT { kCheckMs = 10000, kAwayCheckMs = 2000 };
    enum : int { kDefaultMinutes = 10 };
    enum Change { kNoChange, kGoAway, kComeBack };

    // Decides the idle limit: a time the server imposes (minutes above 0) wins over the user's
    // option; with the option off nothing runs; fewer than 1 minute means 10. Answers whether
    // the timer is to run.
    bool Configure(int nServerMinutes, BOOL bOptionOn, int nOptionMinutes);
    // What a check with this idle time (ms) does to a user of this status.
    Change Decide(DWORD dwIdleMs, int nStatus) const;
    // Idle time from two tick counts, in unsigned 32-bit arithmetic, so that it stays right when
    // the tick count wraps after 49.7 days.
    static DWORD IdleMs(DWORD dwNow, DWORD dwLastInput) { return dwNow - dwLastInput; }
    // The user's idle time now; false when the system cannot tell (the check then does nothing).
    static bool QueryIdleMs(DWORD& dwIdleMs);
    // Replaces the idle-time source (tests); null restores the system's.
    using IdleSource = bool (*)(DWORD& dwIdleMs);
    static IdleSource SetIdleSource(IdleSource pfn);

    bool IsOn() const { return m_bOn != 0; }
    int GetMinutes() const { return m_nMinutes; }
    DWORD GetIdleLimit() const { return m_dwIdleLimit; }
    // The id the window's SetTimer gave the check; 0 while it does not run.
    UINT_PTR GetTimerId() const { return m_nTimer; }
    void SetTimerId(UINT_PTR nTimer) { m_nTimer = nTimer; }

private:
    BYTE m_bOn = 1;
    int m_nMinutes = kDefaultMinutes;
    DWORD m_dwIdleLimit = 600000;   // ms
    UINT_PTR m_nTimer = 0;          // 0 while the timer does not run
};
