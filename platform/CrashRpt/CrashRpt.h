#pragma once
// The crash reporter CrashRpt.dll, reached only by ordinal (GetProcAddress with
// MAKEINTRESOURCEA(n)). Every text handed in is copied before the call returns.
// Results: 0 success, -1 failure.
#include "framework/Platform.h"
#include <cstddef>

// The installation record: 100 bytes, zero but for the fields below (32-bit layout).
struct CR_INSTALL_INFOW {
    WORD cb;                  // 0x00 = sizeof(CR_INSTALL_INFOW) = 100
    WORD wReserved;           // 0x02
    LPCWSTR pszAppName;       // 0x04 application name (shown in the report, names the files)
    LPCWSTR pszAppVersion;    // 0x08 application version text
    LPCWSTR pszEmailTo;       // 0x0C recipient of mailed reports
    LPCWSTR pszEmailSubject;  // 0x10 subject of mailed reports
    DWORD dwReserved[15];     // 0x14 .. 0x4F
    LPCWSTR pszSmtpServer;    // 0x50
    DWORD dwReserved2;        // 0x54
    LPCWSTR pszSmtpLogin;     // 0x58
    LPCWSTR pszSmtpPassword;  // 0x5C
    DWORD dwReserved3;        // 0x60
};

#if !defined(_WIN64)
static_assert(sizeof(CR_INSTALL_INFOW) == 100, "the installation record is 100 bytes");
static_assert(offsetof(CR_INSTALL_INFOW, pszAppName) == 4, "layout of CR_INSTALL_INFOW");
static_assert(offsetof(CR_INSTALL_INFOW, pszEmailSubject) == 16, "layout of CR_INSTALL_INFOW");
static_assert(offsetof(CR_INSTALL_INFOW, pszSmtpServer) == 80, "layout of CR_INSTALL_INFOW");
static_assert(offsetof(CR_INSTALL_INFOW, pszSmtpLogin) == 88, "layout of CR_INSTALL_INFOW");
static_assert(offsetof(CR_INSTALL_INFOW, pszSmtpPassword) == 92, "layout of CR_INSTALL_INFOW");
#endif

// Ordinals of CrashRpt.dll.
enum CrashRptOrdinal {
    CRASHRPT_ORD_INSTALL = 1,    // int (CR_INSTALL_INFOW* info): installs the exception filter
    CRASHRPT_ORD_UNINSTALL = 2,  // int (): removes the filter, forgets the properties
    CRASHRPT_ORD_SET_UPLOAD = 3, // int (LPCWSTR title, LPCWSTR url, int reserved, DWORD flags)
    CRASHRPT_ORD_ADD_PROPERTY = 4, // int (LPCWSTR name, LPCWSTR value): later values replace earlier
};

typedef int(__cdecl* PFN_crInstallW)(CR_INSTALL_INFOW* pInfo);
typedef int(__cdecl* PFN_crUninstall)();
typedef int(__cdecl* PFN_crSetUploadW)(LPCWSTR pszTitle, LPCWSTR pszUrl, int nReserved, DWORD dwFlags);
typedef int(__cdecl* PFN_crAddPropertyW)(LPCWSTR pszName, LPCWSTR pszValue);

// Flags the program passes with the upload call (what a report collects and how it is sent).
#define CRASHRPT_FLAGS_DEFAULT 0x11FFF
