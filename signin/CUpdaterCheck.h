#pragma once
// CUpdaterCheck: the calls into the updater library WqUpApi.dll, which is reached by ordinal
// only. A check is set up (product title, the client and its add-in and skin items, the
// server's update address) and run; when it offers an update, the program hands over its own
// file and starts the update, then exits. Calls run on the caller's thread; without the
// library every call does nothing and the check answers 0.
#include "framework/CString.h"

class CUpdaterCheck {
public:
    CUpdaterCheck() = delete;

    struct Request {
        CString strTitle;      // product name
        int nVersion = 0;      // the client's version code
        CString strAddInPath;  // where the two add-in items are installed
        CString strSkinPath;   // where the skin item is installed
        CString strUrl;        // the server's update address
    };
    // Sets the check up and runs it; the updater's answer (1 update offered, 4 update forced,
    // 2 none, 3 check failed), 0 without the library.
    static int Run(const Request& request);
    // Hands over the program's own file and starts the update (bForced: without asking).
    static void StartUpdate(bool bForced);
    // Cancels a check that runs.
    static void Cancel();
};
