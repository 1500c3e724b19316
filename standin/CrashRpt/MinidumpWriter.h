#pragma once
// Writes a minidump of the crashing thread ourselves instead of through dbghelp: the
// reporter runs inside a broken process, and MiniDumpWriteDump suspends every other thread
// first, which is itself a risk there (and fails outright under some emulators). The file
// holds the header, the faulting thread with its context and stack, the exception record,
// the system information and the loaded modules, which is what a debugger needs to show
// where the crash happened.
#include "framework/Platform.h"
#include <string>

bool WriteMinidump(const std::wstring& path, EXCEPTION_POINTERS* pExceptionInfo);
