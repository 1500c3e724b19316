// One session of the core against a scripted server on loopback: stopping it never waits for a
// name look-up nor frees what its thread still uses; a server that takes the connection and says
// nothing is told apart from one that breaks off; a stanza past the limits is dropped while the
// session stays signed in; memory that runs out ends the session, not the program; the server's
// shutdown notice is told as such.
#include "standin/QorCore/CQorCoreLog.h"
#include "standin/QorCore/CXmppSession.h"
#include "standin/QorCore/CXmppStreamParser.h"
#include "tests/standin/FakeXmppServer.h"
#include "tests/standin/XmppSessionRecorder.h"
#include "tests/support/LoopbackServer.h"
#include <gtest/gtest.h>
#include <atomic>
#include <memory>
#include <string>

namespace {

XmppAccount LoopbackAccount(int port)
{
    XmppAccount account;
    account.host = "127.0.0.1";
    account.port = port;
    account.user = "ann";
    account.domain = "localhost";
    account.password = "secret";
    account.resource = "Korvel";
    return account;
}

bool LogHas(const std::string& text)
{
    for (const std::string& line : CQorCoreLog::Lines()) {
        if (line.find(text) != std::string::npos)
            return true;
    }
    return false;
}

// A session whose name look-up waits until the test lets it go, and which says when it is freed.
class HeldLookupSession : public CXmppSession {
public:
    HeldLookupSession(const XmppAccount& account, IEvents& events, HANDLE entered, HANDLE release, HANDLE freed)
        : CXmppSession(account, events), m_entered(entered), m_release(release), m_freed(freed)
    {
    }
    ~HeldLookupSession() override { ::SetEvent(m_freed); }

protected:
    addrinfo* Resolve(const std::string& host, int port) override
    {
        ::SetEvent(m_entered);
        ::WaitForSingleObject(m_release, 60000);
        return CXmppSession::Resolve(host, port);
    }

private:
    HANDLE m_entered, m_release, m_freed;
};

TEST(XmppSessionLife, StopNeitherWaitsForANameLookUpNorFreesWhatItsThreadUses)
{
    FakeXmppServer server(nullptr);
    ASSERT_TRUE(server.Ok());
    HANDLE entered = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE freed = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        XmppSessionRecorder rec;
        auto session = std::make_shared<HeldLookupSession>(LoopbackAccount(server.Port()), rec, entered, release, freed);
        ASSERT_TRUE(session->Start());
        ASSERT_EQ(::WaitForSingleObject(entered, 30000), WAIT_OBJECT_0);
        // The look-up is held: Stop returns all the same, and the owner lets the session go
        // (as a sign-out, a cancel or a new sign-in does).
        session->Stop();
        session.reset();
        EXPECT_EQ(::WaitForSingleObject(freed, 0), WAIT_TIMEOUT) << "freed while its thread still runs";
        ::SetEvent(release);
        EXPECT_EQ(::WaitForSingleObject(freed, 30000), WAIT_OBJECT_0);
        // Nothing was told after Stop, and the stopped session never connected.
        EXPECT_EQ(rec.Events(), std::vector<std::string>{"stage 1"});
    }
    EXPECT_EQ(server.Connections(), 0);
    for (HANDLE h : {entered, release, freed})
        ::CloseHandle(h);
}

TEST(XmppSessionLife, AServerThatSaysNothingIsToldApartFromOneThatBreaksOff)
{
    // One takes the connection and never answers; the other closes it at once.
    testsupport::LoopbackServer silent;
    testsupport::LoopbackServer closing([](SOCKET) {});
    ASSERT_TRUE(silent.Ok() && closing.Ok());
    const struct {
        int port;
        int error;
    } kCases[] = {{silent.Port(), CXmppSession::ERR_NO_ANSWER}, {closing.Port(), CXmppSession::ERR_PROTOCOL}};
    for (const auto& c : kCases) {
        XmppAccount account = LoopbackAccount(c.port);
        account.answerMs = 300;
        XmppSessionRecorder rec;
        auto session = std::make_shared<CXmppSession>(account, rec);
        ASSERT_TRUE(session->Start());
        const std::string failed = "failed " + std::to_string(c.error) + " retry";
        EXPECT_TRUE(rec.WaitFor(failed)) << c.error;
        session->Stop();
    }
}

// Signs a session in to the scripted server and waits until it is online.
class SignedInSession {
public:
    explicit SignedInSession(FakeXmppServer& server, XmppSessionRecorder& rec)
        : session(std::make_shared<CXmppSession>(LoopbackAccount(server.Port()), rec))
    {
        started = session->Start() && rec.WaitFor("online");
    }
    ~SignedInSession() { session->Stop(); }
    std::shared_ptr<CXmppSession> session;
    bool started = false;
};

TEST(XmppSessionLife, AStanzaPastTheLimitsIsDroppedWhileTheSessionStaysSignedIn)
{
    std::string deep = "<message>";
    for (int i = 0; i < CXmppStreamParser::kMaxDepth + 5; ++i)
        deep += "<a>";
    for (int i = 0; i < CXmppStreamParser::kMaxDepth + 5; ++i)
        deep += "</a>";
    deep += "</message>";
    const std::string big = "<message><body>" + std::string(CXmppStreamParser::kMaxStanzaBytes + 1, 'x') +
                            "</body></message>";
    FakeXmppServer server([&](FakeXmppServer::Session& s) {
        s.Send(big);
        s.Send(deep);
        s.Send("<message from='bob@localhost/peer'><body>after them</body></message>");
        s.ReadToEnd();
    });
    CQorCoreLog::Clear();
    XmppSessionRecorder rec;
    SignedInSession signedIn(server, rec);
    ASSERT_TRUE(signedIn.started);
    ASSERT_TRUE(rec.WaitFor("stanza after them"));
    EXPECT_TRUE(signedIn.session->IsOnline());
    for (const std::string& e : rec.Events())
        EXPECT_EQ(e.find("ended"), std::string::npos) << e;
    EXPECT_TRUE(LogHas("a stanza was dropped: a stanza is too large"));
    EXPECT_TRUE(LogHas("a stanza was dropped: a stanza is nested too deeply"));
}

TEST(XmppSessionLife, MemoryThatRunsOutEndsTheSessionNotTheProgram)
{
    FakeXmppServer server([](FakeXmppServer::Session& s) {
        s.Send("<message from='bob@localhost/peer'><body>hello</body></message>");
        s.ReadToEnd();
    });
    XmppSessionRecorder rec;
    rec.failAtStanza = true;
    SignedInSession signedIn(server, rec);
    ASSERT_TRUE(signedIn.started);
    EXPECT_TRUE(rec.WaitFor("ended " + std::to_string(CXmppSession::END_LOST)));
    EXPECT_FALSE(signedIn.session->IsOnline());
}

TEST(XmppSessionLife, TheServersShutdownNoticeIsToldAsSuch)
{
    const struct {
        const char* condition;
        CXmppSession::EndReason reason;
    } kCases[] = {{"system-shutdown", CXmppSession::END_SHUTDOWN},
                  {"conflict", CXmppSession::END_CONFLICT},
                  {"internal-server-error", CXmppSession::END_LOST}};
    for (const auto& c : kCases) {
        const std::string notice = std::string("<stream:error><") + c.condition +
                                   " xmlns='urn:ietf:params:xml:ns:xmpp-streams'/></stream:error></stream:stream>";
        FakeXmppServer server([&](FakeXmppServer::Session& s) { s.Send(notice); });
        XmppSessionRecorder rec;
        SignedInSession signedIn(server, rec);
        ASSERT_TRUE(signedIn.started);
        EXPECT_TRUE(rec.WaitFor("ended " + std::to_string(c.reason))) << c.condition;
    }
}

} // namespace
