#pragma once
// CUpdaterCheck: the one way into the updater library WqUpApi.dll, which is reached by ordinal
// only. A check is set up (the product title, the client and its add-in and skin items, the
// server's "/Update" address and, when given, the window that owns the updater's windows) and
// run; when it offers an update, the program hands over its own file and starts the update, then
// exits. The sign-in progress panel checks once per run; the main window checks when asked.
//
// An updater that lacks an ordinal the check needs is not called at all: a check set up in part
// would run with what an earlier check left behind (another server's address, other items), and
// an update started without the program's own path would replace some other file. Calls run on
// the caller's thread.
#include "framework/CString.h"
#include "framework/Platform.h"

class CUpdaterCheck {
public:
    // Where the ordinals come from: the address of the updater's export of that ordinal, or null.
    using OrdinalSource = FARPROC (*)(int nOrdinal);
    // The updater beside the program, loaded on first use and kept for the rest of the process
    // (it keeps the settings of the check for the update that follows); null without it.
    static FARPROC UpdaterOrdinal(int nOrdinal);

    explicit CUpdaterCheck(OrdinalSource pfnSource = &UpdaterOrdinal) : m_pfnSource(pfnSource) {}

    struct Request {
        CString strServer;     // the server of the sign-in: its "/Update" address is asked
        int nPort = 0;
        int nVersion = 0;      // the client's version code
        HWND hOwner = nullptr; // the window that owns the updater's windows; null: none is set
    };
    // Sets the check up and runs it: the updater's answer (WqUpCheckResult: 1 update offered,
    // 4 update forced, 2 none, 3 check failed), or 0 without one call made when the updater or
    // an ordinal the check needs is missing.
    int Run(const Request& request) const;
    // Hands over the program's own file and starts the update (bSilent: the updater asks the
    // user nothing more). false, without a call made, when either ordinal is missing.
    bool StartUpdate(bool bSilent) const;
    // Cancels a check that runs (nothing without the ordinal).
    void Cancel() const;

private:
    template <class Fn>
    Fn Ordinal(int nOrdinal) const
    {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(m_pfnSource(nOrdinal)));
    }

    OrdinalSource m_pfnSource;
};
