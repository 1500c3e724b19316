#include "app/CStartupTrace.h"
#include <cstdio>
#include <cwchar>

namespace {

const wchar_t* TraceFile()
{
    static wchar_t path[MAX_PATH] = {};
    static const bool wanted = ::GetEnvironmentVariableW(L"KORVEL_STARTUP_TRACE", path, MAX_PATH) > 0;
    return wanted ? path : nullptr;
}

} // namespace

void CStartupTrace::Mark(const wchar_t* pszStep)
{
    const wchar_t* file = TraceFile();
    if (!file)
        return;
    FILETIME created, exited, kernel, user, now;
    if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user))
        return;
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER a, b;
    a.LowPart = created.dwLowDateTime;
    a.HighPart = created.dwHighDateTime;
    b.LowPart = now.dwLowDateTime;
    b.HighPart = now.dwHighDateTime;
    const double ms = (static_cast<double>(b.QuadPart) - static_cast<double>(a.QuadPart)) / 10000.0;
    if (FILE* f = _wfopen(file, L"a")) {
        std::fwprintf(f, L"%.1f %ls\n", ms, pszStep);
        std::fclose(f);
    }
}
