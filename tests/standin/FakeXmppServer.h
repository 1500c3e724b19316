#pragma once
// A scripted XMPP server on loopback for the core's tests: it signs any client in (PLAIN, which
// the core uses only with a server on this machine), binds it, answers its roster request, and
// then plays the test's script on the connection, on its own thread. The connection closes
// when the script returns.
#include "tests/support/LoopbackServer.h"
#include <atomic>
#include <functional>
#include <mutex>
#include <string>

class FakeXmppServer {
public:
    // The signed-in connection, as the script sees it.
    class Session {
    public:
        explicit Session(SOCKET s) : m_socket(s) {}
        bool Send(const std::string& xml);
        // Reads until the client has sent `text` since the sign-in (true), or the connection ends
        // or stays quiet for the bounded wait of the loopback helpers (false).
        bool ReadUntil(const std::string& text);
        // Reads until the client closes the connection (bounded likewise).
        void ReadToEnd();
        const std::string& Received() const { return m_received; }
        SOCKET Socket() const { return m_socket; }

    private:
        bool ReadSome();
        SOCKET m_socket;
        std::string m_received;
    };
    using Script = std::function<void(Session&)>;

    explicit FakeXmppServer(Script script);
    bool Ok() const { return m_server.Ok(); }
    int Port() const { return m_server.Port(); }
    int Connections() const { return m_server.Connections(); }
    // Scripts that have returned, and what the last of them had received.
    int Done() const { return m_nDone; }
    std::string LastReceived() const;

    // The stream header of the server, opening each of its two streams.
    static const char* const kHeader;

private:
    void Handle(SOCKET s);

    Script m_script;
    std::atomic<int> m_nDone{0};
    mutable std::mutex m_lock;
    std::string m_strLastReceived;
    testsupport::LoopbackServer m_server; // last: it serves once the rest is built
};
