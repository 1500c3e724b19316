#include "signin/CClientSyscSock.h"
#include "common/CWqStringMgr.h"
#include <wincrypt.h>
#include <cstring>
#include <string>

namespace {

// Longest answer head an HTTP proxy may send before its blank line.
const size_t kMaxHttpHead = 8192;

std::string Utf8(const CString& text)
{
    int n = ::WideCharToMultiByte(CP_UTF8, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text, text.GetLength(), &out[0], n, nullptr, nullptr);
    return out;
}

std::string Ansi(const CString& text)
{
    auto narrow = CWqStringMgr::WideToAnsiTemp(text);
    return narrow ? std::string(narrow.get()) : std::string();
}

std::string Base64(const std::string& bytes)
{
    if (bytes.empty())
        return std::string();
    DWORD n = 0;
    const DWORD flags = CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF;
    const BYTE* data = reinterpret_cast<const BYTE*>(bytes.data());
    if (!::CryptBinaryToStringA(data, static_cast<DWORD>(bytes.size()), flags, nullptr, &n) || n == 0)
        return std::string();
    std::string out(n, '\0');
    if (!::CryptBinaryToStringA(data, static_cast<DWORD>(bytes.size()), flags, &out[0], &n))
        return std::string();
    out.resize(n);
    return out;
}

bool WaitFor(SOCKET s, bool bWrite, DWORD ms)
{
    fd_set set, failed;
    FD_ZERO(&set);
    FD_SET(s, &set);
    FD_ZERO(&failed);
    FD_SET(s, &failed);
    timeval wait = {static_cast<long>(ms / 1000), static_cast<long>((ms % 1000) * 1000)};
    int ready = ::select(0, bWrite ? nullptr : &set, bWrite ? &set : nullptr, &failed, &wait);
    return ready > 0 && FD_ISSET(s, &set) && !FD_ISSET(s, &failed);
}

} // namespace

CClientSyscSock::CClientSyscSock() = default;

CClientSyscSock::~CClientSyscSock()
{
    Close();
    if (m_bStarted)
        ::WSACleanup();
}

void CClientSyscSock::SetProxy(int nType, const CString& strHost, int nPort, const CString& strUser,
                               const CString& strPassword)
{
    m_nProxyType = nType;
    m_strProxyHost = strHost;
    m_nProxyPort = nPort;
    m_strProxyUser = strUser;
    m_strProxyPassword = strPassword;
}

int CClientSyscSock::Resolve(const CString& strHost, int nPort)
{
    if (!m_bStarted) {
        WSADATA wsa;
        m_bStarted = ::WSAStartup(MAKEWORD(2, 0), &wsa) == 0;
        if (!m_bStarted)
            return 0;
    }
    m_strHost = strHost;
    m_nPort = nPort;
    if (nPort < 1 || nPort > 65535 || strHost.IsEmpty())
        return 0;
    bool direct = m_nProxyType == PROXY_NONE;
    if (!direct && m_nProxyType != PROXY_SOCKS5 && m_nProxyType != PROXY_HTTP)
        return 0;
    CString connectHost = direct ? strHost : m_strProxyHost;
    int connectPort = direct ? nPort : m_nProxyPort;
    if (connectHost.IsEmpty() || connectPort < 1 || connectPort > 65535)
        return 0;
    // The converted name must stay alive until the resolver is done with it.
    auto name = CWqStringMgr::WideToAnsiTemp(connectHost);
    if (!name)
        return 0;
    hostent* host = ::gethostbyname(name.get());
    if (!host || host->h_addrtype != AF_INET || host->h_length != 4 || !host->h_addr_list[0])
        return 0;
    m_addr = sockaddr_in();
    m_addr.sin_family = AF_INET;
    m_addr.sin_port = htons(static_cast<u_short>(connectPort));
    std::memcpy(&m_addr.sin_addr, host->h_addr_list[0], 4);
    return 1;
}

int CClientSyscSock::Connect()
{
    Close();
    if (!m_bStarted || m_addr.sin_family != AF_INET)
        return 0;
    if (!ConnectSocket()) {
        Close();
        return 0;
    }
    bool ok = true;
    if (m_nProxyType == PROXY_SOCKS5)
        ok = Socks5Handshake();
    else if (m_nProxyType == PROXY_HTTP)
        ok = HttpConnectHandshake();
    if (!ok) {
        Close();
        return 0;
    }
    return 1;
}

void CClientSyscSock::Close()
{
    if (m_hSocket != INVALID_SOCKET) {
        ::closesocket(m_hSocket);
        m_hSocket = INVALID_SOCKET;
    }
}

bool CClientSyscSock::ConnectSocket()
{
    m_hSocket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (m_hSocket == INVALID_SOCKET)
        return false;
    // Connect without blocking, so that a host that never answers costs a bounded wait
    // instead of the system's own time-out.
    u_long nonBlocking = 1;
    ::ioctlsocket(m_hSocket, FIONBIO, &nonBlocking);
    int rc = ::connect(m_hSocket, reinterpret_cast<const sockaddr*>(&m_addr), sizeof(m_addr));
    if (rc == SOCKET_ERROR) {
        if (::WSAGetLastError() != WSAEWOULDBLOCK || !WaitFor(m_hSocket, true, kConnectTimeoutMs))
            return false;
        int error = 0;
        int len = sizeof(error);
        if (::getsockopt(m_hSocket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &len) != 0 || error != 0)
            return false;
    }
    u_long blocking = 0;
    ::ioctlsocket(m_hSocket, FIONBIO, &blocking);
    DWORD timeout = kReplyTimeoutMs;
    ::setsockopt(m_hSocket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    ::setsockopt(m_hSocket, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    return true;
}

bool CClientSyscSock::SendAll(const char* pData, int nLength)
{
    while (nLength > 0) {
        int n = ::send(m_hSocket, pData, nLength, 0);
        if (n <= 0)
            return false;
        pData += n;
        nLength -= n;
    }
    return true;
}

bool CClientSyscSock::ReceiveExactly(char* pData, int nLength)
{
    while (nLength > 0) {
        int n = ::recv(m_hSocket, pData, nLength, 0);
        if (n <= 0)
            return false;
        pData += n;
        nLength -= n;
    }
    return true;
}

bool CClientSyscSock::Socks5Handshake()
{
    std::string user = Utf8(m_strProxyUser);
    std::string password = Utf8(m_strProxyPassword);
    bool withUser = !user.empty();
    if (user.size() > 255 || password.size() > 255)
        return false;
    // Greeting: the methods we offer (no authentication, and user/password when we have a user).
    std::string greeting = withUser ? std::string("\x05\x02\x00\x02", 4) : std::string("\x05\x01\x00", 3);
    unsigned char choice[2];
    if (!SendAll(greeting.data(), static_cast<int>(greeting.size())) ||
        !ReceiveExactly(reinterpret_cast<char*>(choice), 2) || choice[0] != 5)
        return false;
    if (choice[1] == 2 && withUser) {
        std::string auth;
        auth += '\x01';
        auth += static_cast<char>(user.size());
        auth += user;
        auth += static_cast<char>(password.size());
        auth += password;
        unsigned char status[2];
        if (!SendAll(auth.data(), static_cast<int>(auth.size())) ||
            !ReceiveExactly(reinterpret_cast<char*>(status), 2) || status[1] != 0)
            return false;
    } else if (choice[1] != 0) {
        return false; // the proxy accepts none of our methods
    }

    // The tunnel to the target, by its dotted address when it is one, else by name.
    std::string request("\x05\x01\x00", 3);
    std::string host = Ansi(m_strHost);
    in_addr dotted;
    dotted.s_addr = ::inet_addr(host.c_str());
    if (dotted.s_addr != INADDR_NONE || host == "255.255.255.255") {
        request += '\x01';
        request.append(reinterpret_cast<const char*>(&dotted.s_addr), 4);
    } else {
        if (host.empty() || host.size() > 255)
            return false;
        request += '\x03';
        request += static_cast<char>(host.size());
        request += host;
    }
    request += static_cast<char>((m_nPort >> 8) & 0xFF);
    request += static_cast<char>(m_nPort & 0xFF);
    unsigned char head[4];
    if (!SendAll(request.data(), static_cast<int>(request.size())) ||
        !ReceiveExactly(reinterpret_cast<char*>(head), 4) || head[0] != 5 || head[1] != 0)
        return false;
    // The rest of the answer: the address the proxy bound, and its port.
    int rest = 0;
    if (head[3] == 1) {
        rest = 4;
    } else if (head[3] == 4) {
        rest = 16;
    } else if (head[3] == 3) {
        unsigned char len = 0;
        if (!ReceiveExactly(reinterpret_cast<char*>(&len), 1))
            return false;
        rest = len;
    } else {
        return false;
    }
    char bound[258];
    return ReceiveExactly(bound, rest + 2);
}

bool CClientSyscSock::HttpConnectHandshake()
{
    std::string target = Ansi(m_strHost) + ":" + std::to_string(m_nPort);
    std::string request = "CONNECT " + target + " HTTP/1.1\r\nHost: " + target + "\r\n";
    if (!m_strProxyUser.IsEmpty())
        request += "Proxy-Authorization: Basic " + Base64(Utf8(m_strProxyUser) + ":" + Utf8(m_strProxyPassword)) + "\r\n";
    request += "\r\n";
    if (!SendAll(request.data(), static_cast<int>(request.size())))
        return false;
    // Read the answer's head byte by byte: whatever follows the blank line already belongs to
    // the tunnel.
    std::string head;
    auto complete = [&head] { return head.size() >= 4 && head.compare(head.size() - 4, 4, "\r\n\r\n") == 0; };
    while (!complete()) {
        char ch;
        if (head.size() >= kMaxHttpHead || ::recv(m_hSocket, &ch, 1, 0) != 1)
            return false;
        head += ch;
    }
    // "HTTP/1.x 2xx ..." opens the tunnel.
    size_t space = head.find(' ');
    return head.compare(0, 5, "HTTP/") == 0 && space != std::string::npos && head[space + 1] == '2';
}
