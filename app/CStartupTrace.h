#pragma once
// Where start-up spends its time: when the environment variable KORVEL_STARTUP_TRACE names a
// file, each Mark appends a line "<milliseconds since the process was created> <step>" to it
// (the benchmark reads them). Without the variable a Mark costs one cached check.
#include "framework/Platform.h"

class CStartupTrace {
public:
    static void Mark(const wchar_t* pszStep);

private:
    CStartupTrace() = delete;
};
