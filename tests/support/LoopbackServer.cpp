#include "tests/support/LoopbackServer.h"
#include <wincrypt.h>
#include <cstring>

namespace testsupport {

namespace {

const long kWaitSeconds = 10;

bool Readable(SOCKET s, long seconds)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval wait = {seconds, 0};
    return ::select(0, &set, nullptr, nullptr, &wait) == 1;
}

SOCKET ConnectTo(const std::string& host, int port)
{
    hostent* entry = ::gethostbyname(host.c_str());
    if (!entry || entry->h_length != 4)
        return INVALID_SOCKET;
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<u_short>(port));
    std::memcpy(&addr.sin_addr, entry->h_addr_list[0], 4);
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s != INVALID_SOCKET && ::connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0) {
        ::closesocket(s);
        s = INVALID_SOCKET;
    }
    return s;
}

// Copies bytes both ways until either side closes or nothing moves for a while.
void Relay(SOCKET a, SOCKET b)
{
    char buffer[4096];
    for (;;) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(a, &set);
        FD_SET(b, &set);
        timeval wait = {kWaitSeconds, 0};
        if (::select(0, &set, nullptr, nullptr, &wait) <= 0)
            return;
        for (SOCKET from : {a, b}) {
            if (!FD_ISSET(from, &set))
                continue;
            int n = ::recv(from, buffer, sizeof(buffer), 0);
            if (n <= 0 || !SendAll(from == a ? b : a, std::string(buffer, n)))
                return;
        }
    }
}

std::string Base64(const std::string& bytes)
{
    DWORD n = 0;
    const DWORD flags = CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF;
    ::CryptBinaryToStringA(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()), flags,
                           nullptr, &n);
    std::string out(n, '\0');
    ::CryptBinaryToStringA(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()), flags,
                           &out[0], &n);
    out.resize(n);
    return out;
}

} // namespace

LoopbackServer::LoopbackServer(Handler handler, const char* address, int port) : handler_(std::move(handler))
{
    WSADATA wsa;
    ::WSAStartup(MAKEWORD(2, 2), &wsa);
    listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = ::inet_addr(address);
    addr.sin_port = htons(static_cast<u_short>(port));
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 || ::listen(listener_, 8) != 0) {
        ::closesocket(listener_);
        listener_ = INVALID_SOCKET;
        return;
    }
    int len = sizeof(addr);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    // The stop signal: a datagram socket pair on loopback that Serve also waits on.
    stopper_[0] = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(stopper_[0], reinterpret_cast<sockaddr*>(&local), sizeof(local));
    len = sizeof(local);
    ::getsockname(stopper_[0], reinterpret_cast<sockaddr*>(&local), &len);
    stopper_[1] = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    ::connect(stopper_[1], reinterpret_cast<sockaddr*>(&local), sizeof(local));
    thread_ = std::thread([this] { Serve(); });
}

LoopbackServer::~LoopbackServer()
{
    if (thread_.joinable()) {
        ::send(stopper_[1], "x", 1, 0);
        thread_.join();
    }
    for (SOCKET s : {listener_, stopper_[0], stopper_[1]}) {
        if (s != INVALID_SOCKET)
            ::closesocket(s);
    }
    ::WSACleanup();
}

int LoopbackServer::Connections() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return connections_;
}

void LoopbackServer::Serve()
{
    std::vector<SOCKET> held;
    for (;;) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(listener_, &set);
        FD_SET(stopper_[0], &set);
        if (::select(0, &set, nullptr, nullptr, nullptr) <= 0 || FD_ISSET(stopper_[0], &set))
            break;
        SOCKET s = ::accept(listener_, nullptr, nullptr);
        if (s == INVALID_SOCKET)
            continue;
        {
            std::lock_guard<std::mutex> hold(lock_);
            ++connections_;
        }
        if (!handler_) {
            held.push_back(s);
            continue;
        }
        handler_(s);
        ::shutdown(s, SD_SEND);
        ::closesocket(s);
    }
    for (SOCKET s : held)
        ::closesocket(s);
}

int RefusedPort()
{
    WSADATA wsa;
    ::WSAStartup(MAKEWORD(2, 2), &wsa);
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
    int len = sizeof(addr);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    ::closesocket(s); // bound but never listened on: nothing answers there now
    ::WSACleanup();
    return ntohs(addr.sin_port);
}

std::string PrivateLoopbackAddress()
{
    DWORD pid = ::GetCurrentProcessId();
    return "127.86." + std::to_string((pid >> 8) & 0xFF) + "." + std::to_string(1 + (pid & 0xFF) % 254);
}

bool RecvExactly(SOCKET s, char* data, int length)
{
    while (length > 0) {
        if (!Readable(s, kWaitSeconds))
            return false;
        int n = ::recv(s, data, length, 0);
        if (n <= 0)
            return false;
        data += n;
        length -= n;
    }
    return true;
}

bool RecvUntil(SOCKET s, std::string& data, const char* terminator, size_t limit)
{
    size_t tlen = std::strlen(terminator);
    while (data.size() < tlen || data.compare(data.size() - tlen, tlen, terminator) != 0) {
        char ch;
        if (data.size() >= limit || !RecvExactly(s, &ch, 1))
            return false;
        data += ch;
    }
    return true;
}

bool SendAll(SOCKET s, const std::string& data)
{
    size_t sent = 0;
    while (sent < data.size()) {
        int n = ::send(s, data.data() + sent, static_cast<int>(data.size() - sent), 0);
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

// --- HTTP server ------------------------------------------------------------------------------

HttpServer::HttpServer(std::string body, const char* address, int port)
    : HttpServer(Responder([body](const std::string&) { return body; }), address, port)
{
}

HttpServer::HttpServer(Responder responder, const char* address, int port)
    : responder_(std::move(responder)), server_([this](SOCKET s) { Handle(s); }, address, port)
{
}

std::vector<std::string> HttpServer::Requests() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return requests_;
}

void HttpServer::SetContentType(std::string type)
{
    std::lock_guard<std::mutex> hold(lock_);
    contentType_ = std::move(type);
}

void HttpServer::Handle(SOCKET s)
{
    std::string request;
    if (!RecvUntil(s, request, "\r\n\r\n"))
        return;
    // A body announced by Content-Length belongs to the request too.
    size_t at = request.find("Content-Length:");
    int length = at == std::string::npos ? 0 : std::atoi(request.c_str() + at + 15);
    if (length > 0 && length < 65536) {
        std::string body(length, '\0');
        if (RecvExactly(s, &body[0], length))
            request += body;
    }
    std::string type;
    {
        std::lock_guard<std::mutex> hold(lock_);
        requests_.push_back(request);
        type = contentType_;
    }
    std::string body = responder_(request);
    SendAll(s, "HTTP/1.1 200 OK\r\nContent-Type: " + type + "\r\nContent-Length: " +
                   std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
}

// --- Proxies ----------------------------------------------------------------------------------

TunnelProxy::TunnelProxy(Kind kind, std::string user, std::string password)
    : kind_(kind), user_(std::move(user)), password_(std::move(password)),
      server_([this](SOCKET s) { Handle(s); })
{
}

std::vector<std::string> TunnelProxy::Targets() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return targets_;
}

std::vector<std::string> TunnelProxy::Credentials() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return credentials_;
}

void TunnelProxy::Handle(SOCKET s)
{
    std::string host;
    int port = 0;
    if (kind_ == SOCKS5)
        Socks5(s, host, port);
    else
        HttpHead(s, host, port);
}

bool TunnelProxy::Socks5(SOCKET s, std::string& host, int& port)
{
    unsigned char head[2];
    if (!RecvExactly(s, reinterpret_cast<char*>(head), 2) || head[0] != 5)
        return false;
    std::string methods(head[1], '\0');
    if (!RecvExactly(s, &methods[0], head[1]))
        return false;
    char wanted = user_.empty() ? 0 : 2;
    if (methods.find(wanted) == std::string::npos) {
        SendAll(s, std::string("\x05\xFF", 2));
        return false;
    }
    SendAll(s, std::string("\x05", 1) + wanted);
    std::string credentials;
    if (wanted == 2) {
        unsigned char version_len[2];
        if (!RecvExactly(s, reinterpret_cast<char*>(version_len), 2))
            return false;
        std::string user(version_len[1], '\0');
        unsigned char plen = 0;
        if (!RecvExactly(s, &user[0], version_len[1]) || !RecvExactly(s, reinterpret_cast<char*>(&plen), 1))
            return false;
        std::string password(plen, '\0');
        if (!RecvExactly(s, &password[0], plen))
            return false;
        credentials = user + ":" + password;
        bool ok = user == user_ && password == password_;
        SendAll(s, std::string("\x01", 1) + (ok ? '\0' : '\x01'));
        if (!ok)
            return false;
    }
    unsigned char request[4];
    if (!RecvExactly(s, reinterpret_cast<char*>(request), 4) || request[1] != 1)
        return false;
    if (request[3] == 1) {
        unsigned char a[4];
        if (!RecvExactly(s, reinterpret_cast<char*>(a), 4))
            return false;
        host = std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." +
               std::to_string(a[3]);
    } else if (request[3] == 3) {
        unsigned char len = 0;
        if (!RecvExactly(s, reinterpret_cast<char*>(&len), 1))
            return false;
        host.assign(len, '\0');
        if (!RecvExactly(s, &host[0], len))
            return false;
    } else {
        return false;
    }
    unsigned char p[2];
    if (!RecvExactly(s, reinterpret_cast<char*>(p), 2))
        return false;
    port = (p[0] << 8) | p[1];
    {
        std::lock_guard<std::mutex> hold(lock_);
        targets_.push_back(host + ":" + std::to_string(port));
        credentials_.push_back(credentials);
    }
    SOCKET target = ConnectTo(host, port);
    // Reply: success (0) or "connection refused" (5), bound address 0.0.0.0:0.
    SendAll(s, std::string("\x05", 1) + (target != INVALID_SOCKET ? '\0' : '\x05') + std::string("\x00\x01", 2) +
                   std::string(6, '\0'));
    if (target == INVALID_SOCKET)
        return false;
    Relay(s, target);
    ::closesocket(target);
    return true;
}

bool TunnelProxy::HttpHead(SOCKET s, std::string& host, int& port)
{
    std::string head;
    if (!RecvUntil(s, head, "\r\n\r\n"))
        return false;
    // "CONNECT host:port HTTP/1.1"
    size_t space = head.find(' ');
    size_t end = head.find(' ', space + 1);
    std::string target = head.substr(space + 1, end - space - 1);
    size_t colon = target.rfind(':');
    host = target.substr(0, colon);
    port = std::atoi(target.c_str() + colon + 1);
    {
        std::lock_guard<std::mutex> hold(lock_);
        targets_.push_back(target);
        credentials_.push_back(head);
    }
    if (head.compare(0, 8, "CONNECT ") != 0) {
        SendAll(s, "HTTP/1.1 405 Method Not Allowed\r\nContent-Length: 0\r\n\r\n");
        return false;
    }
    if (!user_.empty() &&
        head.find("Proxy-Authorization: Basic " + Base64(user_ + ":" + password_) + "\r\n") == std::string::npos) {
        SendAll(s, "HTTP/1.1 407 Proxy Authentication Required\r\nContent-Length: 0\r\n\r\n");
        return false;
    }
    SOCKET t = ConnectTo(host, port);
    if (t == INVALID_SOCKET) {
        SendAll(s, "HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\n\r\n");
        return false;
    }
    SendAll(s, "HTTP/1.1 200 Connection established\r\n\r\n");
    Relay(s, t);
    ::closesocket(t);
    return true;
}

} // namespace testsupport
