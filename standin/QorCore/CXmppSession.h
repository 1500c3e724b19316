#pragma once
// One connection of the core to an XMPP server, run on its own thread: connect, open the
// stream, encrypt it with TLS whenever the server offers it (STARTTLS), sign in with SASL
// (SCRAM-SHA-256 or SCRAM-SHA-1; PLAIN only over TLS or to a server on this machine), bind a
// resource, fetch the roster, send the first presence, and then read stanzas until the
// connection ends, answering the server's pings and pinging a quiet server. What happens is told
// to the owner through IEvents, on the session's thread.
//
// A server that is not on this machine must offer TLS, and its certificate must be good for the
// XMPP domain of the account (CTlsCertCheck): otherwise the sign-in is refused with the reason
// before anything of the account is sent, so no name or password ever goes to a server that
// cannot be told from an impostor, nor over the network in the clear. The same check holds on
// this machine whenever TLS is offered there: a certificate is never taken on trust.
//
// The session is held by shared pointers, and its thread holds one of them (and a reference to
// this module and to WinSock) until it ends: Stop never waits for the thread, which may sit in
// a name look-up for as long as the resolver likes, and whatever the thread still touches lives
// until it is done. Once Stop has returned, nothing more is told to IEvents.
#include "framework/Platform.h"
#include "platform/QorCore/QorCoreErrors.h"
#include "standin/QorCore/CTlsChannel.h"
#include "standin/QorCore/CXmlElement.h"
#include "standin/QorCore/CXmppStreamParser.h"
#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

// How long the server may take over each answer while signing in, and how long one send may
// stay blocked.
constexpr DWORD kXmppAnswerMs = 20000;

struct XmppAccount {
    std::string host;     // the server's address as the user gave it
    int port = 0;
    std::string user;     // local part of the account
    std::string domain;   // the XMPP domain
    std::string password;
    std::string resource;
    std::string presence; // the first presence stanza, already written out; empty for none
    // How long the server may take over each answer while signing in.
    DWORD answerMs = kXmppAnswerMs;
};

class CXmppSession : public std::enable_shared_from_this<CXmppSession>, private CXmppStreamParser::IHandler {
public:
    // Why a session that had signed in ended.
    enum EndReason {
        END_LOST,     // the connection dropped, the server closed the stream, or it went quiet
        END_CONFLICT, // the account signed in elsewhere with the same resource
        END_SHUTDOWN, // the server is shutting down: signing in again at once would find it gone
        END_STOPPED,  // Stop was called
    };
    // Error numbers of a failed sign-in (the detail of its code).
    enum {
        ERR_LOGIN_NAME = QorErrLoginName,
        ERR_PASSWORD = QorErrPassword,
        ERR_NEEDS_TLS = QorErrNeedsTls,
        ERR_NO_MECHANISM = QorErrNoMechanism,
        ERR_PROTOCOL = QorErrProtocol,
        ERR_NO_ANSWER = QorErrNoAnswer,
        ERR_TLS_UNTRUSTED = QorErrTlsUntrusted,
        ERR_TLS_WRONG_NAME = QorErrTlsWrongName,
        ERR_TLS_EXPIRED = QorErrTlsExpired,
        ERR_TLS_HANDSHAKE = QorErrTlsHandshake,
        ERR_TLS_CERTIFICATE = QorErrTlsCertificate,
        ERR_UNREACHABLE = QorErrUnreachable,
    };
    // Stages reported while signing in (the progress codes of the sign-in road).
    enum {
        STAGE_CONNECTING = 1, STAGE_CONNECTED = 2, STAGE_SIGNING_IN = 5, STAGE_CHECKING = 6,
        STAGE_LOADING = 9, STAGE_CONTACTS = 10, STAGE_ALMOST = 11,
    };

    class IEvents {
    public:
        virtual void OnStage(int nStage) = 0;
        virtual void OnOnline(const std::string& strFullJid) = 0;
        // The sign-in failed before OnOnline; bRetry when trying again later may help.
        virtual void OnFailed(bool bRetry, int nError) = 0;
        virtual void OnStanza(const CXmlElement& stanza) = 0;
        virtual void OnEnded(EndReason reason) = 0;

    protected:
        ~IEvents() = default;
    };

    // Quiet time after which the server is pinged, and how long the answer may take.
    enum { kPingAfterMs = 60000, kPingAnswerMs = 30000, kConnectMs = 10000 };

    // Made with std::make_shared: the thread shares the session. events must outlive the
    // session's last event, that is until Stop has returned.
    CXmppSession(const XmppAccount& account, IEvents& events);
    virtual ~CXmppSession();
    CXmppSession(const CXmppSession&) = delete;
    CXmppSession& operator=(const CXmppSession&) = delete;

    // Starts the thread; false when it could not be started (or the session is not held by a
    // shared pointer).
    bool Start();
    // Ends the session without further events and without waiting for its thread: sends the
    // end of the stream when signed in and nothing else is being sent, and wakes the thread,
    // which closes the connection and ends on its own.
    void Stop();
    // Sends one stanza, already written out; false when the session is not signed in.
    bool Send(const std::string& xml);
    bool IsOnline() const { return m_bOnline; }

    // True when every address of the host is on this machine (127.0.0.0/8, ::1).
    static bool IsLoopbackHost(const std::string& host, int port);
    // The XMPP account of a login name: "name@domain" keeps its domain, a bare name takes the
    // server's address as its domain. False when the name is empty or holds characters an
    // account cannot have.
    static bool SplitLoginName(const std::string& login, const std::string& server, std::string& user,
                               std::string& domain);

protected:
    // The addresses of the host (getaddrinfo's list, freed by the caller); null when the name
    // cannot be resolved. A test may hold it to see that nothing waits for it.
    virtual addrinfo* Resolve(const std::string& host, int port);

private:
    static DWORD WINAPI ThreadProc(void* p);
    void Run();
    void RunSteps();
    // Tells the owner one event, unless Stop has been called; Stop waits for one being told.
    template <class Step>
    void Tell(Step step);
    void CloseSocket();
    // The sign-in, step by step; each false means the session failed (already reported).
    bool Connect();
    bool OpenStream();
    // STARTTLS when the server offers it: the handshake, the certificate's check and a new
    // stream over the encrypted channel; a server off this machine without it is refused.
    bool SecureStream();
    bool Authenticate();
    bool Bind();
    bool FetchRoster();
    void ReadLoop();
    // Sends an iq (given an id here) and waits for its result or error in m_pStanza; false
    // (reported) when none came.
    bool Request(CXmlElement& iq);

    // Waits for the next stanza (or the stream's header after OpenStream) up to nTimeoutMs; false
    // when the connection ended, the time ran out (m_bTimedOut) or Stop was called.
    bool NextStanza(DWORD nTimeoutMs);
    // The error of a sign-in step whose answer did not come.
    int NoAnswerError() const { return m_bTimedOut ? ERR_NO_ANSWER : ERR_PROTOCOL; }
    // Reads what the socket has within nTimeoutMs into the parser. 1 data, 0 time out, -1 ended.
    int ReadSome(DWORD nTimeoutMs);
    bool SendRaw(const std::string& data);
    void Fail(bool bRetry, int nError);
    // Answers an iq the session handles itself (ping, unknown gets); true when it did.
    bool AnswerIq(const CXmlElement& iq);
    std::string NextId();

    // CXmppStreamParser::IHandler
    void OnStreamOpen(const CXmlElement& header) override;
    void OnStanza(std::unique_ptr<CXmlElement> stanza) override;
    void OnStanzaDropped(const std::string& why) override;
    void OnStreamClose() override;

    XmppAccount m_account;
    IEvents& m_events;
    CXmppStreamParser m_parser;
    // The connection: published once connected, closed by the thread when it ends. m_socketLock
    // guards its publication, its closing and Stop's wake-up (never held while waiting);
    // m_sendLock keeps whole stanzas together on the wire and is held while send() blocks.
    std::atomic<SOCKET> m_socket{INVALID_SOCKET};
    // Set (under m_sendLock, by the thread) once the stream is encrypted; every byte then goes
    // through it.
    std::unique_ptr<CTlsChannel> m_pTls;
    std::mutex m_socketLock;
    std::mutex m_sendLock;
    std::mutex m_eventLock; // held while an event is told; Stop takes it to end them
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bOnline{false};
    bool m_bTimedOut = false;
    bool m_bHeaderSeen = false;
    bool m_bStreamClosed = false;
    bool m_bPlainAllowed = false; // the password may go as it is: over TLS, or to this machine
    bool m_bConnectedTold = false; // STAGE_CONNECTED was told (once per session)
    std::deque<std::unique_ptr<CXmlElement>> m_queue; // stanzas parsed and not yet taken
    std::unique_ptr<CXmlElement> m_pStanza;           // the stanza NextStanza took
    std::unique_ptr<CXmlElement> m_pFeatures;
    unsigned m_nId = 0;
};
