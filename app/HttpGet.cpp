#include "app/HttpGet.h"
#include <wininet.h>

namespace {

// Closes a WinINet handle at the end of its scope.
class CInetHandle {
public:
    explicit CInetHandle(HINTERNET h) : m_h(h) {}
    ~CInetHandle()
    {
        if (m_h)
            ::InternetCloseHandle(m_h);
    }
    CInetHandle(const CInetHandle&) = delete;
    CInetHandle& operator=(const CInetHandle&) = delete;
    operator HINTERNET() const { return m_h; }

private:
    HINTERNET m_h;
};

} // namespace

bool HttpGetString(const CString& strUrl, CStringA& strReply)
{
    CInetHandle hInternet(::InternetOpenW(nullptr, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!hInternet)
        return false;
    DWORD timeout = kHttpTimeoutMs;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        ::InternetSetOptionW(hInternet, option, &timeout, sizeof(timeout));
    CInetHandle hUrl(::InternetOpenUrlW(hInternet, strUrl, nullptr, 0,
                                        INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (!hUrl)
        return false;
    DWORD status = 0, size = sizeof(status);
    if (::HttpQueryInfoW(hUrl, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) &&
        (status < 200 || status > 299))
        return false;
    char chunk[8192];
    for (;;) {
        DWORD read = 0;
        if (!::InternetReadFile(hUrl, chunk, sizeof(chunk), &read))
            return false;
        if (read == 0)
            return true;
        strReply.Append(chunk, static_cast<int>(read));
    }
}
