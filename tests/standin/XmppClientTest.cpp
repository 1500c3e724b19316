// The core's console signed in to a scripted server on loopback, as the program uses it: the
// status goes out as presence once per change (invisible as no presence at all), a server that
// announced its shutdown is not signed in to again at once, and a send that blocks holds up
// neither a sign-out nor the program.
#include "framework/Platform.h"
#include "platform/QorCore/IQorConsole.h"
#include "platform/QorCore/QorCoreTestHooks.h"
#include "standin/QorCore/CXmppStreamParser.h"
#include "tests/standin/CoreTestObjects.h"
#include "tests/standin/EventSink.h"
#include "tests/standin/FakeXmppServer.h"
#include "tests/standin/XmppStreamRecorder.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace {

class Bstr {
public:
    explicit Bstr(const std::wstring& s) : b_(::SysAllocStringLen(s.data(), static_cast<UINT>(s.size()))) {}
    ~Bstr() { ::SysFreeString(b_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    operator BSTR() const { return b_; }

private:
    BSTR b_;
};

// Each presence the client sent, in order: "unavailable", or its show and status code.
std::vector<std::string> PresencesIn(const std::string& sent)
{
    XmppStreamRecorder rec;
    CXmppStreamParser parser(rec);
    const std::string stream =
        "<stream:stream xmlns='jabber:client' xmlns:stream='http://etherx.jabber.org/streams'>" + sent;
    parser.Feed(stream.data(), stream.size());
    std::vector<std::string> out;
    for (const auto& st : rec.stanzas) {
        if (st->Name() != "presence")
            continue;
        if (st->Attr("type") == "unavailable") {
            out.push_back("unavailable");
            continue;
        }
        const CXmlElement* code = st->Child("status", "urn:korvel:core:0");
        out.push_back("show '" + st->ChildText("show") + "' code " + (code ? code->Attr("code") : std::string()));
    }
    return out;
}

class XmppClient : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(qorcore_test::Register()); }
    void SetUp() override
    {
        EventSink::events.clear();
        console = Create<IQorConsole>(kProgIdQorConsole, IID_IQorConsole);
        ASSERT_NE(nullptr, console);
        ASSERT_EQ(S_OK, console->SetCallbacks(&core, &app));
    }
    void TearDown() override
    {
        if (console) {
            console->Logout();
            console->Release();
        }
        testsupport::PumpMessages();
    }
    bool SawState(const std::wstring& state)
    {
        return std::find(EventSink::events.begin(), EventSink::events.end(), L"core:11:" + state) !=
               EventSink::events.end();
    }
    bool WaitState(const std::wstring& state)
    {
        return testsupport::PumpUntil([&] { return SawState(state); }, 6000);
    }
    bool SignIn(FakeXmppServer& server, long status)
    {
        EventSink::events.clear();
        if (console->Login(Bstr(L"127.0.0.1"), server.Port(), Bstr(L"ann@localhost"), Bstr(L"secret"), 0, status,
                           0, 0) != S_OK)
            return false;
        return WaitState(L"12,0,0");
    }

    EventSink core{L"core"}, app{L"app"};
    IQorConsole* console = nullptr;
};

TEST_F(XmppClient, TheStatusGoesOutOncePerChangeAndInvisibleNeverShowsTheUserOnline)
{
    const struct {
        long signInStatus;
        std::vector<long> changes;
        std::vector<std::string> presences; // what the server got, the sign-out's included
    } kCases[] = {
        // The sign-in's own status set again right after it (as the program does): nothing more.
        {3, {3, 5, 5, 4, 8}, {"show '' code 3", "show 'away' code 5", "show 'dnd' code 4", "show 'xa' code 8", "unavailable"}},
        // Invisible signs in without any presence, and leaves the contacts' sight again.
        {6, {6, 3, 6}, {"show '' code 3", "unavailable", "unavailable"}},
    };
    for (const auto& c : kCases) {
        FakeXmppServer server([](FakeXmppServer::Session& s) { s.ReadToEnd(); });
        ASSERT_TRUE(SignIn(server, c.signInStatus));
        for (long status : c.changes)
            console->SetStatus(status, Bstr(L""));
        console->Logout();
        ASSERT_TRUE(testsupport::PumpUntil([&] { return server.Done() == 1; }, 6000));
        EXPECT_EQ(PresencesIn(server.LastReceived()), c.presences) << c.signInStatus;
    }
}

TEST_F(XmppClient, AServerThatAnnouncedItsShutdownIsNotSignedInToAgainAtOnce)
{
    const struct {
        const char* end;       // how the server ends the session
        int connections;       // after the quiet sign-in that follows
        const wchar_t* repair; // its outcome
    } kCases[] = {
        {"<stream:error><system-shutdown xmlns='urn:ietf:params:xml:ns:xmpp-streams'/></stream:error></stream:stream>",
         1, L"7,10054,10054"},
        {"</stream:stream>", 2, L"18,0,0"},
    };
    for (const auto& c : kCases) {
        const std::string end = c.end;
        FakeXmppServer server([&](FakeXmppServer::Session& s) {
            if (server.Connections() == 1)
                s.Send(end);
            else
                s.ReadToEnd();
        });
        ASSERT_TRUE(SignIn(server, 3));
        ASSERT_TRUE(WaitState(L"17,10054,10054"));
        // What the view library does with 17.
        console->Repair();
        EXPECT_TRUE(WaitState(c.repair)) << c.end;
        EXPECT_EQ(server.Connections(), c.connections) << c.end;
        console->Logout();
    }
}

TEST_F(XmppClient, ASendThatBlocksHoldsUpNeitherTheSignOutNorTheProgram)
{
    HANDLE sending = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE finish = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    FakeXmppServer server([&](FakeXmppServer::Session& s) {
        // The first presence is the sign-in's; then the server stops reading, so that a long
        // message fills the connection and the client's send blocks.
        s.ReadUntil("</presence>");
        fd_set set;
        FD_ZERO(&set);
        FD_SET(s.Socket(), &set);
        timeval wait = {30, 0};
        if (::select(0, &set, nullptr, nullptr, &wait) == 1)
            ::SetEvent(sending);
        ::WaitForSingleObject(finish, 60000);
    });
    ASSERT_TRUE(SignIn(server, 3));
    IQorMsg* msg = NewMsg(std::wstring(24 << 20, L'x').c_str());
    ASSERT_NE(msg, nullptr);
    msg->AddReceiver(Bstr(L"bob"), Bstr(L"Bob"));
    std::atomic<HRESULT> sent{E_PENDING};
    std::thread sender([&] { sent = console->SendMsg(msg); });
    ASSERT_EQ(::WaitForSingleObject(sending, 60000), WAIT_OBJECT_0);

    // The send is under way and cannot finish while the server does not read. Signing out does
    // not wait for it (a bound here only tells a hang from a pass), and ends it.
    auto signOut = std::async(std::launch::async, [&] { console->Logout(); });
    const bool returned = signOut.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    ::SetEvent(finish);
    signOut.wait();
    sender.join();
    EXPECT_TRUE(returned) << "the sign-out waited for the blocked send";
    EXPECT_EQ(sent.load(), S_FALSE);
    msg->Release();
    for (HANDLE h : {sending, finish})
        ::CloseHandle(h);
}

} // namespace
