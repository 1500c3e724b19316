#pragma once
// The updater WqUpApi.dll, reached only by ordinal (GetProcAddress with MAKEINTRESOURCEA(n)).
// A check is set up (init, title, items, URL, owner), run, and when it offers an update the
// program hands over its own path and starts the update, then exits.
#include "framework/Platform.h"

enum WqUpApiOrdinal {
    WQUP_ORD_CHECK = 1,          // int (): runs the check, answers a WqUpCheckResult
    WQUP_ORD_ADD_CLIENT = 2,     // int (LPCWSTR name, int version): the client item
    WQUP_ORD_ADD_ITEM = 3,       // int (LPCWSTR name, LPCWSTR path): an item installed at a path
    WQUP_ORD_START_UPDATE = 4,   // int (int silent): starts the update (0 after asking the user, 1 forced)
    WQUP_ORD_SET_TITLE = 5,      // int (LPCWSTR title): product title shown by the updater
    WQUP_ORD_SET_URL = 6,        // int (LPCWSTR url): the server's update address
    WQUP_ORD_SET_OWNER = 7,      // int (HWND owner): window that owns the updater's windows
    WQUP_ORD_INIT = 8,           // int (): forgets every setting of an earlier check
    WQUP_ORD_CANCEL = 9,         // int (): cancels a running check
    WQUP_ORD_SET_APP_PATH = 10,  // int (LPCWSTR path): the program file the update replaces
};

enum WqUpCheckResult {
    WQUP_UPDATE_OFFERED = 1, // an update exists: ask the user
    WQUP_NO_UPDATE = 2,
    WQUP_CHECK_FAILED = 3,
    WQUP_UPDATE_FORCED = 4,  // an update must be installed without asking
};

typedef int(__cdecl* PFN_WqUpCheck)();
typedef int(__cdecl* PFN_WqUpAddClient)(LPCWSTR pszName, int nVersion);
typedef int(__cdecl* PFN_WqUpAddItem)(LPCWSTR pszName, LPCWSTR pszPath);
typedef int(__cdecl* PFN_WqUpStartUpdate)(int nSilent);
typedef int(__cdecl* PFN_WqUpSetTitle)(LPCWSTR pszTitle);
typedef int(__cdecl* PFN_WqUpSetUrl)(LPCWSTR pszUrl);
typedef int(__cdecl* PFN_WqUpSetOwner)(HWND hOwner);
typedef int(__cdecl* PFN_WqUpInit)();
typedef int(__cdecl* PFN_WqUpCancel)();
typedef int(__cdecl* PFN_WqUpSetAppPath)(LPCWSTR pszPath);
