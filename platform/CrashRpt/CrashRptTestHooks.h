#pragma once
// Recording and scripting of the crash reporter for tests. Reports go to a log folder:
// by default "%LOCALAPPDATA%\KorvelSoft\Korvel\CrashReports", or the folder set here.
// Each crash writes "<app>_<yyyymmdd-hhmmss>_<pid>.dmp" (a minidump) and a ".txt" beside it
// with the installation texts, the upload settings, the exception and the properties.
#include "framework/Platform.h"
#include <string>
#include <utility>
#include <vector>

void CrashRptTest_SetLogFolder(LPCWSTR pszFolder);
std::wstring CrashRptTest_GetLogFolder();
bool CrashRptTest_IsInstalled();
// The installed filter's work; tests call it with exception records of their own, so the
// report is written without crashing the process. It does not pass the exception on to a
// filter installed before ours; answers EXCEPTION_EXECUTE_HANDLER.
LONG CrashRptTest_InvokeFilter(EXCEPTION_POINTERS* pExceptionInfo);
// Files of the last report ("" before any).
std::wstring CrashRptTest_GetLastDumpFile();
std::wstring CrashRptTest_GetLastReportFile();
// What the reporter holds.
std::wstring CrashRptTest_GetAppName();
std::wstring CrashRptTest_GetUploadUrl();
DWORD CrashRptTest_GetUploadFlags();
std::vector<std::pair<std::wstring, std::wstring>> CrashRptTest_GetProperties();
