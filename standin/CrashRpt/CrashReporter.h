#pragma once
// What the crash reporter holds between installation and uninstallation, and the writing
// of a report. One per process.
#include "platform/CrashRpt/CrashRpt.h"
#include <mutex>
#include <string>
#include <utility>
#include <vector>

class CrashReporter {
public:
    static CrashReporter& Instance();

    int Install(const CR_INSTALL_INFOW* pInfo);
    int Uninstall();
    int SetUpload(LPCWSTR pszTitle, LPCWSTR pszUrl, DWORD dwFlags);
    int AddProperty(LPCWSTR pszName, LPCWSTR pszValue);

    // Writes the minidump and the report of an exception. With bChain (the installed
    // filter) a filter that was there before ours is called next and its answer returned;
    // otherwise, and without one, the answer is EXCEPTION_EXECUTE_HANDLER.
    LONG HandleException(EXCEPTION_POINTERS* pExceptionInfo, bool bChain);

    bool IsInstalled();
    std::wstring LogFolder();
    void SetLogFolder(const std::wstring& folder);
    std::wstring LastDump();
    std::wstring LastReport();
    std::wstring AppName();
    std::wstring UploadUrl();
    DWORD UploadFlags();
    std::vector<std::pair<std::wstring, std::wstring>> Properties();

private:
    CrashReporter() = default;
    static LONG WINAPI Filter(EXCEPTION_POINTERS* pExceptionInfo);
    std::wstring DefaultLogFolder() const;
    bool WriteReport(EXCEPTION_POINTERS* pExceptionInfo);

    std::recursive_mutex m_lock;
    bool m_installed = false;
    LPTOP_LEVEL_EXCEPTION_FILTER m_previous = nullptr;
    std::wstring m_appName, m_appVersion, m_emailTo, m_emailSubject, m_smtpServer, m_smtpLogin;
    bool m_hasSmtpPassword = false; // never written into a report
    std::wstring m_uploadTitle, m_uploadUrl;
    DWORD m_uploadFlags = 0;
    std::vector<std::pair<std::wstring, std::wstring>> m_properties;
    std::wstring m_logFolder; // empty: the default folder
    std::wstring m_lastDump, m_lastReport;
};
