#pragma once
// Real servers on loopback for the tests that talk over the network: a TCP server that serves
// each connection it accepts with a handler, and on top of it an HTTP server and the two proxies
// the network settings offer (SOCKS5 and HTTP CONNECT), which really connect to their target and
// relay. Each runs on its own thread inside the test process; every wait is bounded, and the
// destructor closes the listener and joins the thread.
#include "framework/Platform.h"
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

class LoopbackServer {
public:
    using Handler = std::function<void(SOCKET)>;
    // Listens on address:port (port 0 takes a free one) and serves each accepted connection
    // with the handler (the connection is closed after it). No handler: connections are held
    // open until the peer closes them (a server port that answers).
    explicit LoopbackServer(Handler handler = nullptr, const char* address = "127.0.0.1", int port = 0);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    bool Ok() const { return listener_ != INVALID_SOCKET; }
    int Port() const { return port_; }
    int Connections() const;

private:
    void Serve();

    Handler handler_;
    SOCKET listener_ = INVALID_SOCKET;
    SOCKET stopper_[2] = {INVALID_SOCKET, INVALID_SOCKET}; // a connected pair: one byte stops Serve
    int port_ = 0;
    mutable std::mutex lock_;
    int connections_ = 0;
    std::thread thread_;
};

// A loopback port on which nothing listens (connections are refused).
int RefusedPort();
// A loopback address of the 127.0.0.0/8 range that no other test run on this machine is likely
// to use, for servers whose port is fixed (the web service's 8000).
std::string PrivateLoopbackAddress();

// Bounded socket helpers for handlers.
bool RecvExactly(SOCKET s, char* data, int length);
// Reads until the data ends with the terminator (at most limit bytes).
bool RecvUntil(SOCKET s, std::string& data, const char* terminator, size_t limit = 16384);
bool SendAll(SOCKET s, const std::string& data);

// Answers every request with 200 and a body; keeps each request's head and body.
class HttpServer {
public:
    // The body of the answer to a request (its head and body as received). It runs on the
    // server's thread and may wait there (connections are served one after another).
    using Responder = std::function<std::string(const std::string& request)>;
    explicit HttpServer(std::string body, const char* address = "127.0.0.1", int port = 0);
    explicit HttpServer(Responder responder, const char* address = "127.0.0.1", int port = 0);
    bool Ok() const { return server_.Ok(); }
    int Port() const { return server_.Port(); }
    std::vector<std::string> Requests() const;
    // The Content-Type of the answers ("text/xml; charset=utf-8" until set).
    void SetContentType(std::string type);

private:
    void Handle(SOCKET s);
    Responder responder_;
    std::string contentType_ = "text/xml; charset=utf-8";
    mutable std::mutex lock_;
    std::vector<std::string> requests_;
    LoopbackServer server_; // last: it starts serving once the rest is built
};

// A SOCKS5 proxy (no authentication, or user and password when a user is given) or an HTTP
// CONNECT proxy (Basic authorisation required when a user is given). It connects to the target
// it is asked for, answers success only when that connection stands, and then relays.
class TunnelProxy {
public:
    enum Kind { SOCKS5, HTTP };
    TunnelProxy(Kind kind, std::string user = std::string(), std::string password = std::string());
    bool Ok() const { return server_.Ok(); }
    int Port() const { return server_.Port(); }
    // "host:port" of every target asked for, and the credentials (or HTTP head) that came with it.
    std::vector<std::string> Targets() const;
    std::vector<std::string> Credentials() const;

private:
    void Handle(SOCKET s);
    bool Socks5(SOCKET s, std::string& host, int& port);
    bool HttpHead(SOCKET s, std::string& host, int& port);
    Kind kind_;
    std::string user_, password_;
    mutable std::mutex lock_;
    std::vector<std::string> targets_, credentials_;
    LoopbackServer server_;
};

} // namespace testsupport
