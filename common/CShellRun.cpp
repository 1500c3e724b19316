#include "common/CShellRun.h"
#include <shellapi.h>

namespace {

CShellRun::PFNEXECUTE s_pfnExecute = ::ShellExecuteW;

} // namespace

HINSTANCE CShellRun::Execute(HWND hWnd, LPCWSTR lpVerb, LPCWSTR lpFile, LPCWSTR lpParameters, LPCWSTR lpDirectory,
                             INT nShow)
{
    return s_pfnExecute(hWnd, lpVerb, lpFile, lpParameters, lpDirectory, nShow);
}

CShellRun::PFNEXECUTE CShellRun::SetHandler(PFNEXECUTE pfn)
{
    PFNEXECUTE previous = s_pfnExecute;
    s_pfnExecute = pfn ? pfn : ::ShellExecuteW;
    return previous;
}
