#include "standin/CrashRpt/CrashReporter.h"
#include "standin/CrashRpt/MinidumpWriter.h"
#include <shlobj.h>
#include <atomic>

namespace {

std::wstring Copy(LPCWSTR p)
{
    return p ? std::wstring(p) : std::wstring();
}

// A file-name-safe form of the application name.
std::wstring FilePart(const std::wstring& name)
{
    std::wstring r;
    for (wchar_t c : name)
        r += (c < 32 || wcschr(L"\\/:*?\"<>|", c)) ? L'_' : c;
    return r.empty() ? L"Korvel" : r;
}

std::string Utf8(const std::wstring& w)
{
    if (w.empty())
        return std::string();
    int n = ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

// Set while a report is being written: a fault inside the reporter must not recurse.
std::atomic<bool> g_reporting(false);

} // namespace

CrashReporter& CrashReporter::Instance()
{
    static CrashReporter* reporter = new CrashReporter; // alive until the process ends
    return *reporter;
}

int CrashReporter::Install(const CR_INSTALL_INFOW* pInfo)
{
    if (!pInfo || pInfo->cb < sizeof(CR_INSTALL_INFOW))
        return -1;
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_appName = Copy(pInfo->pszAppName);
    m_appVersion = Copy(pInfo->pszAppVersion);
    m_emailTo = Copy(pInfo->pszEmailTo);
    m_emailSubject = Copy(pInfo->pszEmailSubject);
    m_smtpServer = Copy(pInfo->pszSmtpServer);
    m_smtpLogin = Copy(pInfo->pszSmtpLogin);
    m_hasSmtpPassword = pInfo->pszSmtpPassword && *pInfo->pszSmtpPassword;
    if (!m_installed) {
        m_previous = ::SetUnhandledExceptionFilter(&CrashReporter::Filter);
        m_installed = true;
    }
    return 0;
}

int CrashReporter::Uninstall()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (!m_installed)
        return -1;
    ::SetUnhandledExceptionFilter(m_previous);
    m_previous = nullptr;
    m_installed = false;
    m_properties.clear();
    m_uploadTitle.clear();
    m_uploadUrl.clear();
    m_uploadFlags = 0;
    return 0;
}

int CrashReporter::SetUpload(LPCWSTR pszTitle, LPCWSTR pszUrl, DWORD dwFlags)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (!m_installed)
        return -1;
    m_uploadTitle = Copy(pszTitle);
    m_uploadUrl = Copy(pszUrl);
    m_uploadFlags = dwFlags;
    return 0;
}

int CrashReporter::AddProperty(LPCWSTR pszName, LPCWSTR pszValue)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (!m_installed || !pszName || !*pszName)
        return -1;
    for (auto& p : m_properties) {
        if (p.first == pszName) {
            p.second = Copy(pszValue);
            return 0;
        }
    }
    m_properties.emplace_back(pszName, Copy(pszValue));
    return 0;
}

LONG WINAPI CrashReporter::Filter(EXCEPTION_POINTERS* pExceptionInfo)
{
    return Instance().HandleException(pExceptionInfo, true);
}

LONG CrashReporter::HandleException(EXCEPTION_POINTERS* pExceptionInfo, bool bChain)
{
    bool expected = false;
    if (!g_reporting.compare_exchange_strong(expected, true))
        return EXCEPTION_CONTINUE_SEARCH;
    WriteReport(pExceptionInfo);
    LPTOP_LEVEL_EXCEPTION_FILTER previous;
    {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        previous = bChain ? m_previous : nullptr;
    }
    g_reporting = false;
    // A filter that was there before us still gets its say; else the process ends quietly.
    return previous ? previous(pExceptionInfo) : EXCEPTION_EXECUTE_HANDLER;
}

std::wstring CrashReporter::DefaultLogFolder() const
{
    wchar_t base[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base)))
        ::GetTempPathW(MAX_PATH, base);
    std::wstring folder = base;
    if (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    return folder + L"\\KorvelSoft\\Korvel\\CrashReports";
}

bool CrashReporter::WriteReport(EXCEPTION_POINTERS* pExceptionInfo)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    std::wstring folder = m_logFolder.empty() ? DefaultLogFolder() : m_logFolder;
    ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);

    SYSTEMTIME now;
    ::GetLocalTime(&now);
    wchar_t stamp[64];
    swprintf(stamp, 64, L"_%04u%02u%02u-%02u%02u%02u_%lu", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
             now.wSecond, static_cast<unsigned long>(::GetCurrentProcessId()));
    std::wstring base = folder + L"\\" + FilePart(m_appName) + stamp;

    bool dumped = WriteMinidump(base + L".dmp", pExceptionInfo);

    std::wstring text = L"[Report]\r\n";
    text += L"Application=" + m_appName + L"\r\n";
    text += L"Version=" + m_appVersion + L"\r\n";
    text += L"EmailTo=" + m_emailTo + L"\r\n";
    text += L"EmailSubject=" + m_emailSubject + L"\r\n";
    text += L"SmtpServer=" + m_smtpServer + L"\r\n";
    text += L"SmtpLogin=" + m_smtpLogin + L"\r\n";
    text += L"UploadTitle=" + m_uploadTitle + L"\r\n";
    text += L"UploadUrl=" + m_uploadUrl + L"\r\n";
    wchar_t line[128];
    swprintf(line, 128, L"UploadFlags=0x%lX\r\n", static_cast<unsigned long>(m_uploadFlags));
    text += line;
    if (pExceptionInfo && pExceptionInfo->ExceptionRecord) {
        swprintf(line, 128, L"ExceptionCode=0x%08lX\r\nExceptionAddress=0x%p\r\n",
                 static_cast<unsigned long>(pExceptionInfo->ExceptionRecord->ExceptionCode),
                 pExceptionInfo->ExceptionRecord->ExceptionAddress);
        text += line;
    }
    text += std::wstring(L"Minidump=") + (dumped ? base + L".dmp" : L"") + L"\r\n";
    text += L"[Properties]\r\n";
    for (const auto& p : m_properties)
        text += p.first + L"=" + p.second + L"\r\n";
    std::string bytes = "\xEF\xBB\xBF" + Utf8(text);
    bool written = false;
    HANDLE file = ::CreateFileW((base + L".txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD n = 0;
        written = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) && n == bytes.size();
        ::CloseHandle(file);
    }
    m_lastDump = dumped ? base + L".dmp" : L"";
    m_lastReport = written ? base + L".txt" : L"";
    return dumped && written;
}

bool CrashReporter::IsInstalled()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_installed;
}

std::wstring CrashReporter::LogFolder()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_logFolder.empty() ? DefaultLogFolder() : m_logFolder;
}

void CrashReporter::SetLogFolder(const std::wstring& folder)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_logFolder = folder;
}

std::wstring CrashReporter::LastDump()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_lastDump;
}

std::wstring CrashReporter::LastReport()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_lastReport;
}

std::wstring CrashReporter::AppName()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_appName;
}

std::wstring CrashReporter::UploadUrl()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_uploadUrl;
}

DWORD CrashReporter::UploadFlags()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_uploadFlags;
}

std::vector<std::pair<std::wstring, std::wstring>> CrashReporter::Properties()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_properties;
}
