#include "standin/QorCore/CXmppSession.h"
#include "standin/QorCore/CQorCoreLog.h"
#include "standin/QorCore/CScramClient.h"
#include "standin/QorCore/CSocketIo.h"
#include "standin/QorCore/CXmppStanzaMap.h"
#include <new>

namespace {

const char kClientNs[] = "jabber:client";
const char kSaslNs[] = "urn:ietf:params:xml:ns:xmpp-sasl";
const char kTlsNs[] = "urn:ietf:params:xml:ns:xmpp-tls";
const char kBindNs[] = "urn:ietf:params:xml:ns:xmpp-bind";
const char kSessionNs[] = "urn:ietf:params:xml:ns:xmpp-session";
const char kRosterNs[] = "jabber:iq:roster";
const char kPingNs[] = "urn:xmpp:ping";
const char kStanzaErrNs[] = "urn:ietf:params:xml:ns:xmpp-stanzas";
const char kStreamErrNs[] = "urn:ietf:params:xml:ns:xmpp-streams";

// The slice in which a connect attempt looks at the stop flag.
const DWORD kSliceMs = 200;

ULONGLONG Now() { return ::GetTickCount64(); }

bool IsLoopbackAddress(const sockaddr* sa)
{
    if (sa->sa_family == AF_INET)
        return (ntohl(reinterpret_cast<const sockaddr_in*>(sa)->sin_addr.s_addr) >> 24) == 127;
    if (sa->sa_family == AF_INET6) {
        const in6_addr& a = reinterpret_cast<const sockaddr_in6*>(sa)->sin6_addr;
        static const unsigned char kLoop[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
        return memcmp(a.s6_addr, kLoop, 16) == 0;
    }
    return false;
}

addrinfo* ResolveHost(const std::string& host, int port)
{
    addrinfo hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* list = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &list) != 0)
        return nullptr;
    return list;
}

std::string StreamHeader(const std::string& domain)
{
    return "<?xml version='1.0'?><stream:stream to='" + CXmlElement::Escape(domain) +
           "' version='1.0' xml:lang='en' xmlns='jabber:client' xmlns:stream='http://etherx.jabber.org/streams'>";
}

bool IsResultOf(const CXmlElement& st, const std::string& id)
{
    return st.Name() == "iq" && st.Attr("id") == id && (st.Attr("type") == "result" || st.Attr("type") == "error");
}

} // namespace

CXmppSession::CXmppSession(const XmppAccount& account, IEvents& events)
    : m_account(account), m_events(events), m_parser(*this)
{
}

CXmppSession::~CXmppSession()
{
    // The last holder is the thread when it ran, and it has closed the connection; a session
    // that never started may still hold one.
    CloseSocket();
}

addrinfo* CXmppSession::Resolve(const std::string& host, int port)
{
    return ResolveHost(host, port);
}

bool CXmppSession::SplitLoginName(const std::string& login, const std::string& server, std::string& user,
                                  std::string& domain)
{
    const size_t at = login.find('@');
    user = at == std::string::npos ? login : login.substr(0, at);
    domain = at == std::string::npos ? server : login.substr(at + 1);
    if (user.empty() || domain.empty())
        return false;
    // Characters a local part may not hold, and the separators of an address.
    for (char c : user) {
        if (static_cast<unsigned char>(c) <= 0x20 || std::string("\"&'/:<>@").find(c) != std::string::npos)
            return false;
    }
    for (char c : domain) {
        if (static_cast<unsigned char>(c) <= 0x20 || std::string("\"&'/:<>@\\").find(c) != std::string::npos)
            return false;
    }
    return true;
}

bool CXmppSession::IsLoopbackHost(const std::string& host, int port)
{
    addrinfo* list = ResolveHost(host, port);
    if (!list)
        return false;
    bool all = true;
    for (addrinfo* a = list; a; a = a->ai_next)
        all = all && IsLoopbackAddress(a->ai_addr);
    ::freeaddrinfo(list);
    return all;
}

bool CXmppSession::Start()
{
    std::shared_ptr<CXmppSession> self = weak_from_this().lock();
    if (!self)
        return false;
    // The thread runs this module's code and may outlive everything that holds the module (a
    // name look-up that takes its time after the program has let the core go): it holds the
    // module itself, and lets it go as it ends.
    HMODULE module = nullptr;
    if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                              reinterpret_cast<LPCWSTR>(&CXmppSession::ThreadProc), &module))
        return false;
    auto* held = new (std::nothrow) std::shared_ptr<CXmppSession>(std::move(self));
    HANDLE thread = held ? ::CreateThread(nullptr, 0, &CXmppSession::ThreadProc, held, 0, nullptr) : nullptr;
    if (!thread) {
        delete held;
        ::FreeLibrary(module);
        return false;
    }
    ::CloseHandle(thread);
    return true;
}

void CXmppSession::Stop()
{
    {
        // An event being told is finished first; none is told after this.
        std::lock_guard<std::mutex> events(m_eventLock);
        m_bStop = true;
    }
    std::lock_guard<std::mutex> lock(m_socketLock);
    const SOCKET s = m_socket;
    if (s != INVALID_SOCKET) {
        // The goodbye only when no send is under way: one that blocks must not hold the window.
        // It goes out without blocking (what does not fit is lost with the connection).
        std::unique_lock<std::mutex> sending(m_sendLock, std::try_to_lock);
        if (sending.owns_lock() && (m_bOnline || m_pTls)) {
            u_long nonBlocking = 1;
            ::ioctlsocket(s, FIONBIO, &nonBlocking);
            static const char kBye[] = "<presence type='unavailable'/></stream:stream>";
            // Over TLS only when the channel is free this moment (the thread may be decrypting
            // or in a renegotiation), and the server's TLS then hears the end as well.
            if (m_bOnline && m_pTls)
                m_pTls->Send(kBye, sizeof(kBye) - 1, false);
            else if (m_bOnline)
                ::send(s, kBye, static_cast<int>(sizeof(kBye) - 1), 0);
            if (m_pTls)
                m_pTls->Close();
        }
        // Wakes the thread out of its wait for data, and a send that blocks.
        ::shutdown(s, SD_BOTH);
    }
    m_bOnline = false;
}

void CXmppSession::CloseSocket()
{
    // No send may be under way on the handle being closed, nor Stop's wake-up.
    std::lock_guard<std::mutex> sending(m_sendLock);
    std::lock_guard<std::mutex> lock(m_socketLock);
    const SOCKET s = m_socket.exchange(INVALID_SOCKET);
    if (s != INVALID_SOCKET)
        ::closesocket(s);
}

template <class Step>
void CXmppSession::Tell(Step step)
{
    std::lock_guard<std::mutex> lock(m_eventLock);
    if (!m_bStop)
        step();
}

bool CXmppSession::Send(const std::string& xml)
{
    if (!m_bOnline || m_bStop)
        return false;
    return SendRaw(xml);
}

bool CXmppSession::SendRaw(const std::string& data)
{
    std::lock_guard<std::mutex> lock(m_sendLock);
    const SOCKET s = m_socket;
    if (s == INVALID_SOCKET)
        return false;
    if (m_pTls)
        return m_pTls->Send(data.data(), data.size());
    return CSocketIo::SendAll(s, data.data(), data.size());
}

std::string CXmppSession::NextId()
{
    return "k" + std::to_string(++m_nId);
}

DWORD WINAPI CXmppSession::ThreadProc(void* p)
{
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&CXmppSession::ThreadProc), &module);
    {
        // WinSock stays up for this thread however early its owner cleans up its own use.
        WSADATA data;
        const bool winsock = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
        std::unique_ptr<std::shared_ptr<CXmppSession>> held(static_cast<std::shared_ptr<CXmppSession>*>(p));
        (*held)->Run();
        held.reset(); // the session may end here, on its own thread
        if (winsock)
            ::WSACleanup();
    }
    ::FreeLibraryAndExitThread(module, 0);
    return 0;
}

void CXmppSession::Fail(bool bRetry, int nError)
{
    Tell([&] { m_events.OnFailed(bRetry, nError); });
}

// Nothing thrown in the session (memory that ran out while a stanza was mapped, say) may leave
// the thread, which would end the program: the session ends as a lost connection instead.
void CXmppSession::Run()
{
    bool failed = false;
    try {
        RunSteps();
    } catch (const std::bad_alloc&) {
        CQorCoreLog::Write("the session ended: it ran out of memory");
        failed = true;
    } catch (...) {
        CQorCoreLog::Write("the session ended: it failed");
        failed = true;
    }
    if (failed) {
        const bool online = m_bOnline.exchange(false);
        try {
            if (online)
                Tell([&] { m_events.OnEnded(END_LOST); });
            else
                Fail(true, ERR_PROTOCOL);
        } catch (...) {
        }
    }
    m_bOnline = false;
    CloseSocket();
}

void CXmppSession::RunSteps()
{
    if (!Connect() || !OpenStream() || !SecureStream() || !Authenticate() || !Bind() || !FetchRoster())
        return;
    if (!m_account.presence.empty() && !SendRaw(m_account.presence)) {
        Fail(true, ERR_PROTOCOL);
        return;
    }
    if (m_bStop)
        return;
    m_bOnline = true;
    Tell([&] { m_events.OnOnline(m_account.user + "@" + m_account.domain + "/" + m_account.resource); });
    ReadLoop();
}

bool CXmppSession::Connect()
{
    Tell([&] { m_events.OnStage(STAGE_CONNECTING); });
    addrinfo* list = Resolve(m_account.host, m_account.port);
    if (!list) {
        Fail(true, ERR_UNREACHABLE);
        return false;
    }
    if (m_bStop) {
        ::freeaddrinfo(list);
        return false;
    }
    SOCKET connected = INVALID_SOCKET;
    for (addrinfo* a = list; a && connected == INVALID_SOCKET && !m_bStop; a = a->ai_next) {
        SOCKET s = ::socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (s == INVALID_SOCKET)
            continue;
        u_long nonBlocking = 1;
        ::ioctlsocket(s, FIONBIO, &nonBlocking);
        bool ok = ::connect(s, a->ai_addr, static_cast<int>(a->ai_addrlen)) == 0;
        if (!ok && ::WSAGetLastError() == WSAEWOULDBLOCK) {
            const ULONGLONG deadline = Now() + kConnectMs;
            while (!ok && !m_bStop && Now() < deadline) {
                fd_set wr, ex;
                FD_ZERO(&wr);
                FD_ZERO(&ex);
                FD_SET(s, &wr);
                FD_SET(s, &ex);
                timeval tv = {0, static_cast<long>(kSliceMs * 1000)};
                const int r = ::select(0, nullptr, &wr, &ex, &tv);
                if (r < 0 || FD_ISSET(s, &ex))
                    break;
                if (FD_ISSET(s, &wr)) {
                    int err = 0;
                    int len = sizeof(err);
                    ::getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&err), &len);
                    ok = err == 0;
                    break;
                }
            }
        }
        if (ok) {
            nonBlocking = 0;
            ::ioctlsocket(s, FIONBIO, &nonBlocking);
            DWORD sendTimeout = kXmppAnswerMs;
            ::setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&sendTimeout), sizeof(sendTimeout));
            connected = s;
            // Only the address actually reached counts: a name may resolve to this machine and
            // to others.
            m_bPlainAllowed = IsLoopbackAddress(a->ai_addr);
        } else {
            ::closesocket(s);
        }
    }
    ::freeaddrinfo(list);
    if (connected == INVALID_SOCKET) {
        Fail(true, ERR_UNREACHABLE);
        return false;
    }
    std::lock_guard<std::mutex> lock(m_socketLock);
    if (m_bStop) {
        ::closesocket(connected);
        return false;
    }
    m_socket = connected;
    return true;
}

bool CXmppSession::OpenStream()
{
    m_bHeaderSeen = false;
    m_bStreamClosed = false;
    m_pFeatures.reset();
    if (!SendRaw(StreamHeader(m_account.domain))) {
        Fail(true, ERR_PROTOCOL);
        return false;
    }
    if (!NextStanza(m_account.answerMs)) {
        Fail(true, NoAnswerError());
        return false;
    }
    if (!m_pStanza->Is("features", CXmppStreamParser::kStreamNs)) {
        Fail(true, ERR_PROTOCOL);
        return false;
    }
    m_pFeatures = std::move(m_pStanza);
    // The stream starts again after TLS and after the sign-in: the connection stood at the first.
    if (!m_bConnectedTold)
        Tell([&] { m_events.OnStage(STAGE_CONNECTED); });
    m_bConnectedTold = true;
    return true;
}

bool CXmppSession::SecureStream()
{
    if (!m_pFeatures->Child("starttls", kTlsNs)) {
        if (m_bPlainAllowed)
            return true;
        Fail(false, ERR_NEEDS_TLS);
        return false;
    }
    if (!SendRaw(CXmlElement("starttls", kTlsNs).ToXml(kClientNs))) {
        Fail(true, ERR_TLS_HANDSHAKE);
        return false;
    }
    if (!NextStanza(m_account.answerMs)) {
        Fail(true, m_bTimedOut ? ERR_NO_ANSWER : ERR_TLS_HANDSHAKE);
        return false;
    }
    if (!m_pStanza->Is("proceed", kTlsNs)) {
        Fail(false, ERR_TLS_HANDSHAKE); // the server's <failure/>: it closes the stream
        return false;
    }
    // From here on only what the TLS channel carries counts: anything that came after <proceed/>
    // in the clear was not the server's to say, and goes with the parser's state.
    m_parser.Reset();
    m_queue.clear();
    auto channel = std::make_unique<CTlsChannel>(m_socket);
    const CTlsChannel::Result result = channel->Handshake(CXmppStanzaMap::Wide(m_account.domain), m_account.answerMs);
    if (result != CTlsChannel::TLS_OK) {
        Fail(result == CTlsChannel::TLS_LOST, ERR_TLS_HANDSHAKE);
        return false;
    }
    int error = 0;
    switch (channel->CheckServer()) {
    case CTlsCertCheck::CERT_OK: break;
    case CTlsCertCheck::CERT_UNTRUSTED: error = ERR_TLS_UNTRUSTED; break;
    case CTlsCertCheck::CERT_WRONG_NAME: error = ERR_TLS_WRONG_NAME; break;
    case CTlsCertCheck::CERT_EXPIRED: error = ERR_TLS_EXPIRED; break;
    default: error = ERR_TLS_CERTIFICATE; break;
    }
    if (error) {
        channel->Close();
        Fail(false, error);
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(m_sendLock);
        m_pTls = std::move(channel);
    }
    m_bPlainAllowed = true; // whatever goes now goes encrypted, to the account's own server
    return OpenStream();
}

bool CXmppSession::Authenticate()
{
    bool sha1 = false, sha256 = false, plain = false;
    if (const CXmlElement* mechs = m_pFeatures->Child("mechanisms", kSaslNs)) {
        for (const auto& m : mechs->Children()) {
            sha1 = sha1 || m->Text() == "SCRAM-SHA-1";
            sha256 = sha256 || m->Text() == "SCRAM-SHA-256";
            plain = plain || m->Text() == "PLAIN";
        }
    }
    if (!sha1 && !sha256 && !(plain && m_bPlainAllowed)) {
        Fail(false, ERR_NO_MECHANISM);
        return false;
    }
    Tell([&] { m_events.OnStage(STAGE_SIGNING_IN); });

    CXmlElement auth("auth", kSaslNs);
    std::unique_ptr<CScramClient> scram;
    if (sha1 || sha256) {
        const CQorCrypto::Hash hash = sha256 ? CQorCrypto::SHA256 : CQorCrypto::SHA1;
        scram = std::make_unique<CScramClient>(hash, m_account.user);
        auth.SetAttr("mechanism", CScramClient::MechanismName(hash));
        auth.SetText(CQorCrypto::Base64Encode(scram->ClientFirst()));
    } else {
        auth.SetAttr("mechanism", "PLAIN");
        auth.SetText(CQorCrypto::Base64Encode(std::string(1, '\0') + m_account.user + std::string(1, '\0') +
                                              m_account.password));
    }
    if (!SendRaw(auth.ToXml(kClientNs))) {
        Fail(true, ERR_PROTOCOL);
        return false;
    }
    bool serverVerified = !scram;
    bool finalSent = false;
    for (;;) {
        if (!NextStanza(m_account.answerMs)) {
            Fail(true, NoAnswerError());
            return false;
        }
        const CXmlElement& st = *m_pStanza;
        std::string data;
        if (st.Is("failure", kSaslNs)) {
            const bool refused = st.Child("not-authorized") || st.Child("credentials-expired") ||
                                 st.Child("account-disabled") || st.Child("invalid-authzid");
            Fail(false, refused ? ERR_PASSWORD : ERR_PROTOCOL);
            return false;
        }
        if (!CQorCrypto::Base64Decode(st.Text() == "=" ? std::string() : st.Text(), data)) {
            Fail(false, ERR_PROTOCOL);
            return false;
        }
        if (st.Is("challenge", kSaslNs) && scram && !finalSent) {
            std::string final;
            if (!scram->ClientFinal(data, m_account.password, final)) {
                Fail(false, ERR_PROTOCOL);
                return false;
            }
            CXmlElement response("response", kSaslNs);
            response.SetText(CQorCrypto::Base64Encode(final));
            finalSent = SendRaw(response.ToXml(kClientNs));
            if (!finalSent) {
                Fail(true, ERR_PROTOCOL);
                return false;
            }
        } else if (st.Is("challenge", kSaslNs) && scram && finalSent && !serverVerified) {
            // The server's signature may come as a last challenge, answered by an empty response.
            serverVerified = scram->VerifyServerFinal(data);
            if (!serverVerified || !SendRaw(CXmlElement("response", kSaslNs).ToXml(kClientNs))) {
                Fail(false, ERR_PROTOCOL);
                return false;
            }
        } else if (st.Is("success", kSaslNs)) {
            if (!serverVerified && !(finalSent && scram->VerifyServerFinal(data))) {
                // A server that cannot prove it knows the password is not the account's server.
                Fail(false, ERR_PROTOCOL);
                return false;
            }
            break;
        } else {
            Fail(false, ERR_PROTOCOL);
            return false;
        }
    }
    // A new stream starts on the same connection; the old parser state is of no use.
    m_parser.Reset();
    m_queue.clear();
    return OpenStream();
}

bool CXmppSession::Bind()
{
    if (!m_pFeatures->Child("bind", kBindNs)) {
        Fail(false, ERR_PROTOCOL);
        return false;
    }
    Tell([&] { m_events.OnStage(STAGE_CHECKING); });
    CXmlElement iq("iq", kClientNs);
    iq.SetAttr("type", "set");
    iq.AddChild("bind", kBindNs).AddChild("resource").SetText(m_account.resource);
    if (!Request(iq))
        return false;
    const CXmlElement* bind = m_pStanza->Child("bind", kBindNs);
    const std::string jid = bind ? bind->ChildText("jid") : std::string();
    if (m_pStanza->Attr("type") != "result" || jid.empty()) {
        Fail(false, ERR_PROTOCOL);
        return false;
    }
    const size_t slash = jid.find('/');
    if (slash != std::string::npos)
        m_account.resource = jid.substr(slash + 1);

    // Older servers want a session established; newer ones mark it optional.
    const CXmlElement* session = m_pFeatures->Child("session", kSessionNs);
    if (session && !session->Child("optional")) {
        CXmlElement req("iq", kClientNs);
        req.SetAttr("type", "set");
        req.AddChild("session", kSessionNs);
        if (!Request(req))
            return false;
    }
    return true;
}

bool CXmppSession::Request(CXmlElement& iq)
{
    const std::string id = NextId();
    iq.SetAttr("id", id);
    if (!SendRaw(iq.ToXml(kClientNs))) {
        Fail(true, ERR_PROTOCOL);
        return false;
    }
    do {
        if (!NextStanza(m_account.answerMs)) {
            Fail(true, NoAnswerError());
            return false;
        }
    } while (!IsResultOf(*m_pStanza, id));
    return true;
}

bool CXmppSession::FetchRoster()
{
    Tell([&] { m_events.OnStage(STAGE_LOADING); });
    // Asking for the roster makes this an interested resource: the server then hands it the
    // presence of the account's contacts.
    CXmlElement iq("iq", kClientNs);
    iq.SetAttr("type", "get");
    iq.AddChild("query", kRosterNs);
    if (!Request(iq))
        return false;
    Tell([&] {
        m_events.OnStage(STAGE_CONTACTS);
        m_events.OnStage(STAGE_ALMOST);
    });
    return true;
}

void CXmppSession::ReadLoop()
{
    ULONGLONG lastHeard = Now();
    ULONGLONG pingSent = 0;
    EndReason reason = END_LOST;
    while (!m_bStop) {
        if (!m_queue.empty()) {
            m_pStanza = std::move(m_queue.front());
            m_queue.pop_front();
            const CXmlElement& st = *m_pStanza;
            if (st.Is("error", CXmppStreamParser::kStreamNs)) {
                reason = st.Child("conflict", kStreamErrNs)          ? END_CONFLICT
                         : st.Child("system-shutdown", kStreamErrNs) ? END_SHUTDOWN
                                                                      : END_LOST;
                break;
            }
            if (st.Name() == "iq" && st.Ns() == kClientNs) {
                AnswerIq(st);
                continue;
            }
            Tell([&] { m_events.OnStanza(st); });
            continue;
        }
        if (m_bStreamClosed)
            break;
        const ULONGLONG now = Now();
        DWORD wait;
        if (pingSent) {
            if (now - pingSent >= kPingAnswerMs)
                break; // the server went quiet: the connection is as good as lost
            wait = static_cast<DWORD>(kPingAnswerMs - (now - pingSent));
        } else if (now - lastHeard >= kPingAfterMs) {
            CXmlElement ping("iq", kClientNs);
            ping.SetAttr("type", "get").SetAttr("id", NextId()).SetAttr("to", m_account.domain);
            ping.AddChild("ping", kPingNs);
            if (!SendRaw(ping.ToXml(kClientNs)))
                break;
            pingSent = now;
            continue;
        } else {
            wait = static_cast<DWORD>(kPingAfterMs - (now - lastHeard));
        }
        const int r = ReadSome(wait);
        if (r < 0)
            break;
        if (r > 0) {
            lastHeard = Now();
            pingSent = 0;
        }
    }
    m_bOnline = false;
    Tell([&] { m_events.OnEnded(reason); });
}

bool CXmppSession::AnswerIq(const CXmlElement& iq)
{
    const std::string& type = iq.Attr("type");
    if (type != "get" && type != "set")
        return false;
    CXmlElement answer("iq", kClientNs);
    answer.SetAttr("id", iq.Attr("id"));
    if (iq.HasAttr("from"))
        answer.SetAttr("to", iq.Attr("from"));
    if (iq.Child("ping", kPingNs)) {
        answer.SetAttr("type", "result");
    } else if (iq.Child("query", kRosterNs) && type == "set") {
        answer.SetAttr("type", "result"); // roster pushes are acknowledged; the roster is not kept
    } else {
        answer.SetAttr("type", "error");
        CXmlElement& err = answer.AddChild("error");
        err.SetAttr("type", "cancel");
        err.AddChild("service-unavailable", kStanzaErrNs);
    }
    SendRaw(answer.ToXml(kClientNs));
    return true;
}

bool CXmppSession::NextStanza(DWORD nTimeoutMs)
{
    m_bTimedOut = false;
    const ULONGLONG deadline = Now() + nTimeoutMs;
    while (!m_bStop) {
        if (!m_queue.empty()) {
            m_pStanza = std::move(m_queue.front());
            m_queue.pop_front();
            // A stream error during the sign-in ends it like a dropped connection.
            return !m_pStanza->Is("error", CXmppStreamParser::kStreamNs);
        }
        if (m_bStreamClosed)
            return false;
        const ULONGLONG now = Now();
        if (now >= deadline) {
            m_bTimedOut = true;
            return false;
        }
        if (ReadSome(static_cast<DWORD>(deadline - now)) < 0)
            return false;
    }
    return false;
}

int CXmppSession::ReadSome(DWORD nTimeoutMs)
{
    // Only this thread closes the connection, so the handle stays good while it reads.
    const SOCKET s = m_socket;
    if (s == INVALID_SOCKET)
        return -1;
    std::string xml;
    const int r = m_pTls ? m_pTls->Receive(nTimeoutMs, xml) : CSocketIo::Receive(s, nTimeoutMs, xml);
    if (r > 0 && !xml.empty() && !m_parser.Feed(xml.data(), xml.size())) {
        CQorCoreLog::Write("the stream from the server was refused: " + m_parser.Error());
        return -1;
    }
    return r;
}

void CXmppSession::OnStreamOpen(const CXmlElement&)
{
    m_bHeaderSeen = true;
}

void CXmppSession::OnStanza(std::unique_ptr<CXmlElement> stanza)
{
    m_queue.push_back(std::move(stanza));
}

void CXmppSession::OnStanzaDropped(const std::string& why)
{
    CQorCoreLog::Write("a stanza was dropped: " + why);
}

void CXmppSession::OnStreamClose()
{
    m_bStreamClosed = true;
}
