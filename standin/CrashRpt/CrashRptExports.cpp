// The ordinal exports of the crash reporter (numbers in CrashRpt.def) and its test hooks.
#include "platform/CrashRpt/CrashRpt.h"
#include "platform/CrashRpt/CrashRptTestHooks.h"
#include "standin/CrashRpt/CrashReporter.h"

extern "C" {

int __cdecl crInstallW(CR_INSTALL_INFOW* pInfo)
{
    return CrashReporter::Instance().Install(pInfo);
}

int __cdecl crUninstall()
{
    return CrashReporter::Instance().Uninstall();
}

int __cdecl crSetUploadW(LPCWSTR pszTitle, LPCWSTR pszUrl, int nReserved, DWORD dwFlags)
{
    return CrashReporter::Instance().SetUpload(pszTitle, pszUrl, dwFlags);
}

int __cdecl crAddPropertyW(LPCWSTR pszName, LPCWSTR pszValue)
{
    return CrashReporter::Instance().AddProperty(pszName, pszValue);
}

} // extern "C"

void CrashRptTest_SetLogFolder(LPCWSTR pszFolder)
{
    CrashReporter::Instance().SetLogFolder(pszFolder ? pszFolder : L"");
}

std::wstring CrashRptTest_GetLogFolder()
{
    return CrashReporter::Instance().LogFolder();
}

bool CrashRptTest_IsInstalled()
{
    return CrashReporter::Instance().IsInstalled();
}

LONG CrashRptTest_InvokeFilter(EXCEPTION_POINTERS* pExceptionInfo)
{
    return CrashReporter::Instance().HandleException(pExceptionInfo, false);
}

std::wstring CrashRptTest_GetLastDumpFile()
{
    return CrashReporter::Instance().LastDump();
}

std::wstring CrashRptTest_GetLastReportFile()
{
    return CrashReporter::Instance().LastReport();
}

std::wstring CrashRptTest_GetAppName()
{
    return CrashReporter::Instance().AppName();
}

std::wstring CrashRptTest_GetUploadUrl()
{
    return CrashReporter::Instance().UploadUrl();
}

DWORD CrashRptTest_GetUploadFlags()
{
    return CrashReporter::Instance().UploadFlags();
}

std::vector<std::pair<std::wstring, std::wstring>> CrashRptTest_GetProperties()
{
    return CrashReporter::Instance().Properties();
}
