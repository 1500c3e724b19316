#pragma once
// Writes Windows minidump files for unhandled exceptions, into "log\" beside the program.
// dbghelp is looked up at run time, so a machine without it only loses the dumps.
#include "framework/CString.h"
#include <dbghelp.h>

// Once per process: keeps the dump name (null: the program file's base name; at most 259
// characters), loads MiniDumpWriteDump and installs the unhandled-exception filter. FALSE when
// already installed or when dbghelp or its function is missing.
BOOL InstallDumpHandler(LPCWSTR pszName);

// Writes one dump of the current process into the program's "log\" folder. Returns result
// when the dump was written or when there is no dump function at all. When the file cannot be
// created or the dump cannot be written, returns 0 while a debugger is attached (so that the
// exception reaches it) and 1 otherwise.
LONG WriteMiniDump(EXCEPTION_POINTERS* pException, LPCWSTR pszName, LONG result, MINIDUMP_TYPE type);

// Writes one dump into folder (created when missing; must end with "\"). TRUE when the file
// was created and the dump written; pPath receives the file's path.
BOOL WriteDumpFile(const CString& folder, EXCEPTION_POINTERS* pException, LPCWSTR pszName, MINIDUMP_TYPE type,
                   CString* pPath = nullptr);

// The signature of dbghelp's MiniDumpWriteDump.
using MiniDumpWriteDumpFn = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE, PMINIDUMP_EXCEPTION_INFORMATION,
                                          PMINIDUMP_USER_STREAM_INFORMATION, PMINIDUMP_CALLBACK_INFORMATION);
// Puts another writer in place of dbghelp's (null: look dbghelp's up again on next use) and
// returns the previous one. Tests use it where dbghelp cannot dump the running process.
MiniDumpWriteDumpFn SetMiniDumpWriteFunction(MiniDumpWriteDumpFn pfn);

// The file name of a dump: the name ("Exception" for none) with \ / : * ? " < > | turned into
// ".", then the time as "%Y-%m-%d %H.%M.%S", then ".log".
CString MakeDumpFileName(LPCWSTR pszName, const SYSTEMTIME& localTime);
