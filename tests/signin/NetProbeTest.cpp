// The network check's probes: the Internet checksum, the echo request and the recognition of the
// echo reply, a real echo to loopback, and the TCP probe socket against real loopback listeners,
// directly and through real SOCKS5 and HTTP proxies.
#include "framework/Platform.h"
#include "signin/CClientSyscSock.h"
#include "signin/IcmpEcho.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

class WinsockScope {
public:
    WinsockScope()
    {
        WSADATA wsa;
        ::WSAStartup(MAKEWORD(2, 2), &wsa);
    }
    ~WinsockScope() { ::WSACleanup(); }
};

std::vector<BYTE> Bytes(std::initializer_list<int> values)
{
    std::vector<BYTE> out;
    for (int v : values)
        out.push_back(static_cast<BYTE>(v));
    return out;
}

// The checksum as it lands in the packet (network order is the order of the bytes in memory).
std::vector<BYTE> StoredChecksum(const std::vector<BYTE>& data)
{
    USHORT sum = IcmpChecksum(data.data(), static_cast<int>(data.size()));
    BYTE stored[2];
    std::memcpy(stored, &sum, 2);
    return {stored[0], stored[1]};
}

TEST(IcmpChecksum, MatchesTheWorkedExamplesOfRfc1071)
{
    const struct {
        std::vector<BYTE> data;
        std::vector<BYTE> checksum;
    } cases[] = {
        // RFC 1071, section 3: the one's complement sum of 00 01 f2 03 f4 f5 f6 f7 is dd f2.
        {Bytes({0x00, 0x01, 0xf2, 0x03, 0xf4, 0xf5, 0xf6, 0xf7}), Bytes({0x22, 0x0d})},
        // An odd count: the last byte is padded with a zero byte after it.
        {Bytes({0x00, 0x01, 0xf2, 0x03, 0xf4, 0xf5, 0xf6}), Bytes({0x23, 0x04})},
        // Carries fold back in: ff ff + 00 01 = 00 01 after the end-around carry.
        {Bytes({0xff, 0xff, 0x00, 0x01}), Bytes({0xff, 0xfe})},
        {Bytes({}), Bytes({0xff, 0xff})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.checksum, StoredChecksum(c.data)) << c.data.size() << " bytes";
}

TEST(IcmpEcho, RequestsCarryAValidChecksumAndCountTheirIdentifiersUp)
{
    BYTE first[kEchoRequestSize], second[kEchoRequestSize];
    EchoIds a, b;
    BuildEchoRequest(first, a);
    BuildEchoRequest(second, b);
    EXPECT_EQ(8, first[0]);
    EXPECT_EQ(0, first[1]);
    EXPECT_EQ(0, IcmpChecksum(first, kEchoRequestSize)); // a packet with its checksum sums to zero
    EXPECT_EQ(a.wId, first[4] | (first[5] << 8));        // little-endian, as the counters run
    EXPECT_EQ(a.wSeq, first[6] | (first[7] << 8));
    EXPECT_EQ(static_cast<WORD>(a.wId + 1), b.wId);
    EXPECT_EQ(static_cast<WORD>(a.wSeq + 1), b.wSeq);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(0x20 + i, first[13 + i]);
}

// A datagram as a raw socket delivers it: IP header (with optional words), then the ICMP message.
std::vector<BYTE> Datagram(int type, WORD id, WORD seq, int headerWords = 5, BYTE ttl = 64, DWORD sent = 0x04030201)
{
    std::vector<BYTE> d(headerWords * 4 + 45, 0);
    d[0] = static_cast<BYTE>(0x40 | headerWords);
    d[8] = ttl;
    BYTE* icmp = d.data() + headerWords * 4;
    icmp[0] = static_cast<BYTE>(type);
    icmp[4] = static_cast<BYTE>(id & 0xFF);
    icmp[5] = static_cast<BYTE>(id >> 8);
    icmp[6] = static_cast<BYTE>(seq & 0xFF);
    icmp[7] = static_cast<BYTE>(seq >> 8);
    std::memcpy(icmp + 9, &sent, 4);
    return d;
}

TEST(IcmpEcho, OnlyTheReplyToOurOwnRequestCounts)
{
    EchoIds ours;
    ours.wId = 0x1234;
    ours.wSeq = 0x0042;
    std::vector<BYTE> cut = Datagram(0, 0x1234, 0x0042);
    cut.resize(24);
    const struct {
        const char* what;
        std::vector<BYTE> data;
        bool counts;
    } cases[] = {
        {"our reply", Datagram(0, 0x1234, 0x0042), true},
        {"our reply behind IP options", Datagram(0, 0x1234, 0x0042, 6), true},
        {"our own request seen on loopback", Datagram(8, 0x1234, 0x0042), false},
        {"another program's reply", Datagram(0, 0x9999, 0x0042), false},
        {"the reply to an earlier request", Datagram(0, 0x1234, 0x0041), false},
        {"a port-unreachable message", Datagram(3, 0x1234, 0x0042), false},
        {"a datagram cut short", cut, false},
    };
    for (const auto& c : cases) {
        BYTE ttl = 0;
        DWORD sent = 0;
        EXPECT_EQ(c.counts, ParseEchoReply(c.data.data(), static_cast<int>(c.data.size()), ours, &ttl, &sent))
            << c.what;
        if (c.counts) {
            EXPECT_EQ(64, ttl) << c.what;
            EXPECT_EQ(0x04030201u, sent) << c.what;
        }
    }
}

TEST(IcmpEcho, LoopbackAnswersUnlessRawSocketsAreNotAllowed)
{
    WinsockScope sockets;
    PingOutcome outcome = PingHost(2, "127.0.0.1");
    // Which of the two depends on this account's rights; a missed reply would be a fault.
    EXPECT_TRUE(outcome == kPingReplied || outcome == kPingNotAllowed) << outcome;
    std::printf("echo to loopback: %s\n", outcome == kPingReplied ? "replied" : "not allowed here");
    EXPECT_NE(kPingReplied, PingHost(1, "no-such-host.invalid"));
    std::atomic<bool> cancelled{true};
    EXPECT_NE(kPingReplied, PingHost(5, "127.0.0.1", &cancelled));
}

// --- The TCP probe --------------------------------------------------------------------------

TEST(ClientSyscSock, DirectConnectionsToRealListeners)
{
    testsupport::LoopbackServer server;
    ASSERT_TRUE(server.Ok());
    const int refused = testsupport::RefusedPort();
    const struct {
        const wchar_t* host;
        int port;
        int resolves;
        int connects;
    } cases[] = {
        {L"127.0.0.1", server.Port(), 1, 1},
        {L"localhost", server.Port(), 1, 1},
        {L"127.0.0.1", refused, 1, 0},
        {L"no-such-host.invalid", server.Port(), 0, 0},
        {L"127.0.0.1", 0, 0, 0},
        {L"127.0.0.1", 65536, 0, 0},
        {L"", server.Port(), 0, 0},
    };
    for (const auto& c : cases) {
        CClientSyscSock probe;
        EXPECT_EQ(c.resolves, probe.Resolve(c.host, c.port)) << c.host << ":" << c.port;
        EXPECT_EQ(c.connects, probe.Connect()) << c.host << ":" << c.port;
        EXPECT_EQ(c.connects == 1, probe.m_hSocket != INVALID_SOCKET);
    }
    // The listener's thread counts what it accepted.
    EXPECT_TRUE(testsupport::PumpUntil([&] { return server.Connections() >= 2; }));
}

TEST(ClientSyscSock, ThroughRealProxies)
{
    using testsupport::TunnelProxy;
    testsupport::LoopbackServer server;
    ASSERT_TRUE(server.Ok());
    const int refused = testsupport::RefusedPort();
    const std::string target = "127.0.0.1:" + std::to_string(server.Port());
    const struct {
        TunnelProxy::Kind kind;
        int type;
        const char* proxyUser;   // what the proxy demands
        const wchar_t* user;     // what the probe offers
        int port;
        int connects;
    } cases[] = {
        {TunnelProxy::SOCKS5, CClientSyscSock::PROXY_SOCKS5, "", L"", server.Port(), 1},
        {TunnelProxy::SOCKS5, CClientSyscSock::PROXY_SOCKS5, "ann", L"ann", server.Port(), 1},
        {TunnelProxy::SOCKS5, CClientSyscSock::PROXY_SOCKS5, "ann", L"bob", server.Port(), 0},
        {TunnelProxy::SOCKS5, CClientSyscSock::PROXY_SOCKS5, "ann", L"", server.Port(), 0},
        {TunnelProxy::SOCKS5, CClientSyscSock::PROXY_SOCKS5, "", L"", refused, 0},
        {TunnelProxy::HTTP, CClientSyscSock::PROXY_HTTP, "", L"", server.Port(), 1},
        {TunnelProxy::HTTP, CClientSyscSock::PROXY_HTTP, "ann", L"ann", server.Port(), 1},
        {TunnelProxy::HTTP, CClientSyscSock::PROXY_HTTP, "ann", L"bob", server.Port(), 0},
        {TunnelProxy::HTTP, CClientSyscSock::PROXY_HTTP, "", L"", refused, 0},
    };
    for (const auto& c : cases) {
        TunnelProxy proxy(c.kind, c.proxyUser, "pw");
        ASSERT_TRUE(proxy.Ok());
        {
            CClientSyscSock probe;
            probe.SetProxy(c.type, L"localhost", proxy.Port(), c.user, L"pw");
            // The proxy resolves the target: a name only the proxy knows would do as well.
            ASSERT_EQ(1, probe.Resolve(L"127.0.0.1", c.port));
            EXPECT_EQ(c.connects, probe.Connect()) << c.kind << " " << c.proxyUser << "/" << c.port;
        }
        if (c.connects == 1) {
            ASSERT_EQ(1u, proxy.Targets().size());
            EXPECT_EQ(target, proxy.Targets()[0]);
        }
    }
}

TEST(ClientSyscSock, CredentialsReachTheProxy)
{
    testsupport::LoopbackServer server;
    using testsupport::TunnelProxy;
    TunnelProxy socks(TunnelProxy::SOCKS5, "ann", "s3cret");
    TunnelProxy http(TunnelProxy::HTTP, "ann", "s3cret");
    for (TunnelProxy* proxy : {&socks, &http}) {
        CClientSyscSock probe;
        probe.SetProxy(proxy == &socks ? CClientSyscSock::PROXY_SOCKS5 : CClientSyscSock::PROXY_HTTP, L"127.0.0.1",
                       proxy->Port(), L"ann", L"s3cret");
        ASSERT_EQ(1, probe.Resolve(L"localhost", server.Port()));
        EXPECT_EQ(1, probe.Connect());
    }
    ASSERT_EQ(1u, socks.Credentials().size());
    EXPECT_EQ("ann:s3cret", socks.Credentials()[0]);
    ASSERT_EQ(1u, http.Targets().size());
    // The target goes to the proxy by name: the client need not resolve it.
    EXPECT_EQ("localhost:" + std::to_string(server.Port()), http.Targets()[0]);
    EXPECT_NE(std::string::npos, http.Credentials()[0].find("Proxy-Authorization: Basic YW5uOnMzY3JldA==\r\n"));
}

TEST(ClientSyscSock, AProxyThatCannotBeReachedFailsTheProbe)
{
    CClientSyscSock unknownType;
    unknownType.SetProxy(9, L"127.0.0.1", 1080, L"", L"");
    EXPECT_EQ(0, unknownType.Resolve(L"127.0.0.1", 6660));
    CClientSyscSock noHost;
    noHost.SetProxy(CClientSyscSock::PROXY_HTTP, L"", 8080, L"", L"");
    EXPECT_EQ(0, noHost.Resolve(L"127.0.0.1", 6660));
    CClientSyscSock closed;
    closed.SetProxy(CClientSyscSock::PROXY_SOCKS5, L"127.0.0.1", testsupport::RefusedPort(), L"", L"");
    ASSERT_EQ(1, closed.Resolve(L"127.0.0.1", 6660));
    EXPECT_EQ(0, closed.Connect());
}

} // namespace
