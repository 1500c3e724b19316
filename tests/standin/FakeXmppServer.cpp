#include "tests/standin/FakeXmppServer.h"

namespace {

// The id of the request the client sent last ("k1" in <iq type='set' id='k1'>).
std::string IdOf(const std::string& iq)
{
    const size_t at = iq.rfind(" id='");
    if (at == std::string::npos)
        return std::string();
    const size_t end = iq.find('\'', at + 5);
    return end == std::string::npos ? std::string() : iq.substr(at + 5, end - at - 5);
}

} // namespace

const char* const FakeXmppServer::kHeader =
    "<?xml version='1.0'?><stream:stream xmlns='jabber:client' xmlns:stream='http://etherx.jabber.org/streams'"
    " from='localhost' id='s1' version='1.0'>";

FakeXmppServer::FakeXmppServer(Script script)
    : m_script(std::move(script)), m_server([this](SOCKET s) { Handle(s); })
{
}

std::string FakeXmppServer::LastReceived() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_strLastReceived;
}

void FakeXmppServer::Handle(SOCKET s)
{
    using testsupport::RecvUntil;
    using testsupport::SendAll;
    const std::string header = kHeader;
    std::string in;
    // The client's header ends with its last attribute's quote.
    if (!RecvUntil(s, in, "'>") ||
        !SendAll(s, header + "<stream:features><mechanisms xmlns='urn:ietf:params:xml:ns:xmpp-sasl'>"
                             "<mechanism>PLAIN</mechanism></mechanisms></stream:features>"))
        return;
    in.clear();
    if (!RecvUntil(s, in, "</auth>") || !SendAll(s, "<success xmlns='urn:ietf:params:xml:ns:xmpp-sasl'/>"))
        return;
    in.clear();
    if (!RecvUntil(s, in, "'>") ||
        !SendAll(s, header + "<stream:features><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'/></stream:features>"))
        return;
    in.clear();
    if (!RecvUntil(s, in, "</iq>") ||
        !SendAll(s, "<iq type='result' id='" + IdOf(in) +
                        "'><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'><jid>ann@localhost/Korvel</jid></bind></iq>"))
        return;
    in.clear();
    if (!RecvUntil(s, in, "</iq>") || !SendAll(s, "<iq type='result' id='" + IdOf(in) + "'/>"))
        return;
    Session session(s);
    if (m_script)
        m_script(session);
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_strLastReceived = session.Received();
    }
    ++m_nDone;
}

bool FakeXmppServer::Session::Send(const std::string& xml)
{
    return testsupport::SendAll(m_socket, xml);
}

bool FakeXmppServer::Session::ReadSome()
{
    char ch[4096];
    fd_set set;
    FD_ZERO(&set);
    FD_SET(m_socket, &set);
    timeval wait = {10, 0};
    if (::select(0, &set, nullptr, nullptr, &wait) != 1)
        return false;
    const int n = ::recv(m_socket, ch, sizeof(ch), 0);
    if (n <= 0)
        return false;
    m_received.append(ch, static_cast<size_t>(n));
    return true;
}

bool FakeXmppServer::Session::ReadUntil(const std::string& text)
{
    while (m_received.find(text) == std::string::npos) {
        if (!ReadSome())
            return false;
    }
    return true;
}

void FakeXmppServer::Session::ReadToEnd()
{
    while (ReadSome()) {
    }
}
