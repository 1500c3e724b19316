#pragma once
// The client's update through the updater library WqUpApi.dll, reached by ordinal: a check
// against the server's "/Update" address for the client, its two add-ins and its skin, and,
// once the user agreed, the update itself (after which the program exits).
#include "framework/CString.h"

class CUpdateCheck {
public:
    CUpdateCheck() = delete;

    // Sets the check up and runs it; the updater's answer (1 or 4: an update is offered), or 0
    // when the updater is not there.
    static int Check(const CString& strServer, int nPort, DWORD dwVersion, HWND hOwner);
    // Hands the updater the program's own file and starts the update; FALSE when the updater is
    // not there.
    static BOOL StartUpdate();
};
