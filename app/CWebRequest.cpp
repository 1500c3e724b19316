#include "app/CWebRequest.h"
#include "common/CWqStrCode.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include <atomic>
#include <wininet.h>

namespace {

std::atomic<DWORD> g_uiThread{0};
std::atomic<DWORD> g_connectMs{10000};
std::atomic<DWORD> g_receiveMs{20000};

// The proxy kind of the network settings that names a SOCKS proxy; the other kinds are HTTP
// proxies.
const int kProxyKindSocks = 4;
const DWORD kChunk = 8192;

// Closes a WinINet handle when it goes.
struct NetHandle {
    explicit NetHandle(HINTERNET h) : h(h) {}
    ~NetHandle()
    {
        if (h)
            ::InternetCloseHandle(h);
    }
    NetHandle(const NetHandle&) = delete;
    NetHandle& operator=(const NetHandle&) = delete;
    HINTERNET h;
};

bool IsWebAddress(const CString& strUrl)
{
    CString s = strUrl;
    s.TrimLeft();
    s.MakeLower();
    return s.Left(7) == L"http://" || s.Left(8) == L"https://";
}

void SetTimeoutOption(HINTERNET h, DWORD dwOption, DWORD dwMs)
{
    ::InternetSetOptionW(h, dwOption, &dwMs, sizeof(dwMs));
}

void SetTextOption(HINTERNET h, DWORD dwOption, const CString& strText)
{
    if (!strText.IsEmpty())
        ::InternetSetOptionW(h, dwOption, const_cast<wchar_t*>(strText.GetString()),
                             static_cast<DWORD>(strText.GetLength() + 1));
}

void ApplyTimeouts(HINTERNET h)
{
    SetTimeoutOption(h, INTERNET_OPTION_CONNECT_TIMEOUT, g_connectMs);
    SetTimeoutOption(h, INTERNET_OPTION_SEND_TIMEOUT, g_receiveMs);
    SetTimeoutOption(h, INTERNET_OPTION_RECEIVE_TIMEOUT, g_receiveMs);
    SetTimeoutOption(h, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, g_receiveMs);
}

// The Internet handle: direct, or through the proxy the user set in the network settings.
HINTERNET OpenInternet()
{
    _PROXYINFO proxy;
    CQorViewBaseFun::LoadProxy(proxy);
    HINTERNET h = nullptr;
    if (proxy.nType != 0 && !proxy.strHost.IsEmpty() && proxy.nPort > 0) {
        CString strProxy;
        strProxy.Format(proxy.nFlag == kProxyKindSocks ? L"socks=%s:%d" : L"%s:%d", proxy.strHost.GetString(),
                        proxy.nPort);
        h = ::InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PROXY, strProxy, nullptr, 0);
        if (h) {
            SetTextOption(h, INTERNET_OPTION_PROXY_USERNAME, proxy.strUser);
            SetTextOption(h, INTERNET_OPTION_PROXY_PASSWORD, proxy.strPassword);
        }
    } else {
        h = ::InternetOpenW(nullptr, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    }
    if (h)
        ApplyTimeouts(h);
    return h;
}

} // namespace

CString CWebRequest::BuildWebLoginUrl(const CString& strBaseUrl, const CString& strLogin, const CString& strPassword)
{
    if (strBaseUrl.IsEmpty())
        return CString();
    return strBaseUrl + L"/Login?loginName=" + strLogin + L"&" + L"password=" +
           CWqStrCode::UrlEncode(strPassword, CWqStrCode::URL_UTF8);
}

bool CWebRequest::HttpGetString(const CString& strUrl, CStringA& strReply)
{
    if (g_uiThread != 0 && g_uiThread == ::GetCurrentThreadId()) {
        // A request here would freeze every window of the program until the server answers.
        CQorViewBaseFun::WriteErrorLogFile(L"HttpGetString refused on the user-interface thread: " + strUrl);
        return false;
    }
    if (!IsWebAddress(strUrl))
        return false;
    URL_COMPONENTSW parts = {sizeof(parts)};
    wchar_t host[INTERNET_MAX_HOST_NAME_LENGTH] = {};
    parts.lpszHostName = host;
    parts.dwHostNameLength = INTERNET_MAX_HOST_NAME_LENGTH;
    parts.dwUrlPathLength = 1; // the path and the query are read in place
    parts.dwExtraInfoLength = 1;
    if (!::InternetCrackUrlW(strUrl, 0, 0, &parts))
        return false;
    const CString strObject = CString(parts.lpszUrlPath, static_cast<int>(parts.dwUrlPathLength)) +
                              CString(parts.lpszExtraInfo, static_cast<int>(parts.dwExtraInfoLength));
    const bool bSecure = parts.nScheme == INTERNET_SCHEME_HTTPS;

    NetHandle net(OpenInternet());
    if (!net.h)
        return false;
    NetHandle session(::InternetConnectW(net.h, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!session.h)
        return false;
    DWORD dwFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
    if (bSecure)
        dwFlags |= INTERNET_FLAG_SECURE;
    NetHandle request(::HttpOpenRequestW(session.h, L"GET", strObject.IsEmpty() ? L"/" : strObject.GetString(), nullptr,
                                         nullptr, nullptr, dwFlags, 0));
    if (!request.h)
        return false;
    // The time-outs bound every wait of this request: the connection, the reply's head and
    // each read of its body.
    ApplyTimeouts(request.h);
    if (!::HttpSendRequestW(request.h, nullptr, 0, nullptr, 0))
        return false;
    DWORD dwStatus = 0, dwSize = sizeof(dwStatus);
    if (!::HttpQueryInfoW(request.h, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &dwStatus, &dwSize, nullptr) ||
        dwStatus < 200 || dwStatus > 299)
        return false;
    CStringA body;
    char buffer[kChunk];
    for (;;) {
        DWORD dwRead = 0;
        if (!::InternetReadFile(request.h, buffer, kChunk, &dwRead))
            return false; // a read that timed out or broke off: no half reply
        if (dwRead == 0)
            break;
        body.Append(buffer, static_cast<int>(dwRead));
    }
    strReply.Append(body.GetString(), body.GetLength());
    return true;
}

void CWebRequest::SetUiThread(DWORD dwThreadId) { g_uiThread = dwThreadId; }

void CWebRequest::SetTimeouts(DWORD dwConnectMs, DWORD dwReceiveMs)
{
    g_connectMs = dwConnectMs;
    g_receiveMs = dwReceiveMs;
}

void CWebRequest::GetTimeouts(DWORD& dwConnectMs, DWORD& dwReceiveMs)
{
    dwConnectMs = g_connectMs;
    dwReceiveMs = g_receiveMs;
}
