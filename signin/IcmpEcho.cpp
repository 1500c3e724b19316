#include "signin/IcmpEcho.h"
#include <ws2tcpip.h>
#include <cstring>

namespace {

const BYTE kEchoRequest = 8;
const BYTE kEchoReply = 0;
const int kReplyBufferSize = 321;
const DWORD kReplyWaitMs = 1000;

// Both counters are shared by every request of the process, whichever thread sends it.
std::atomic<WORD> g_nextId{1};
std::atomic<WORD> g_nextSeq{1};

void PutWord(BYTE* p, WORD w)
{
    p[0] = static_cast<BYTE>(w & 0xFF);
    p[1] = static_cast<BYTE>(w >> 8);
}

WORD GetWord(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }

} // namespace

USHORT IcmpChecksum(const void* pData, int nLength)
{
    // Summed as 16-bit words in the machine's order: RFC 1071 shows the one's complement sum
    // does not depend on byte order, so the result goes into the packet as it is.
    const BYTE* p = static_cast<const BYTE*>(pData);
    unsigned long sum = 0;
    int i = 0;
    for (; i + 1 < nLength; i += 2) {
        USHORT word;
        std::memcpy(&word, p + i, 2);
        sum += word;
    }
    if (i < nLength) {
        // A last odd byte counts as a word padded with a zero byte after it.
        BYTE pad[2] = {p[i], 0};
        USHORT word;
        std::memcpy(&word, pad, 2);
        sum += word;
    }
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<USHORT>(~sum & 0xFFFF);
}

void BuildEchoRequest(BYTE* pPacket, EchoIds& ids)
{
    ids.wId = g_nextId++;
    ids.wSeq = g_nextSeq++;
    std::memset(pPacket, 0, kEchoRequestSize);
    pPacket[0] = kEchoRequest;
    pPacket[1] = 0;
    PutWord(pPacket + 4, ids.wId);
    PutWord(pPacket + 6, ids.wSeq);
    pPacket[8] = 0;
    DWORD now = ::GetTickCount();
    for (int i = 0; i < 4; ++i)
        pPacket[9 + i] = static_cast<BYTE>(now >> (8 * i));
    for (int i = 0; i < 32; ++i)
        pPacket[13 + i] = static_cast<BYTE>(0x20 + i);
    USHORT sum = IcmpChecksum(pPacket, kEchoRequestSize);
    std::memcpy(pPacket + 2, &sum, 2);
}

int SendEchoRequest(SOCKET s, const sockaddr_in& target, EchoIds& ids)
{
    BYTE packet[kEchoRequestSize];
    BuildEchoRequest(packet, ids);
    return ::sendto(s, reinterpret_cast<const char*>(packet), kEchoRequestSize, 0,
                    reinterpret_cast<const sockaddr*>(&target), sizeof(target));
}

bool ParseEchoReply(const BYTE* pData, int nLength, const EchoIds& ids, BYTE* pTtl, DWORD* pSendTime)
{
    if (!pData || nLength < 20 || (pData[0] >> 4) != 4)
        return false;
    int ipHeader = (pData[0] & 0x0F) * 4;
    if (ipHeader < 20 || nLength < ipHeader + 8)
        return false;
    const BYTE* icmp = pData + ipHeader;
    if (icmp[0] != kEchoReply || icmp[1] != 0)
        return false;
    if (GetWord(icmp + 4) != ids.wId || GetWord(icmp + 6) != ids.wSeq)
        return false;
    if (pTtl)
        *pTtl = pData[8];
    if (pSendTime) {
        // The echoed request's send time, when the reply carries that much of it.
        DWORD sent = 0;
        if (nLength >= ipHeader + 13) {
            for (int i = 0; i < 4; ++i)
                sent |= static_cast<DWORD>(icmp[9 + i]) << (8 * i);
        }
        *pSendTime = sent;
    }
    return true;
}

bool ReceiveEchoReply(SOCKET s, const EchoIds& ids, sockaddr_in* pFrom, BYTE* pTtl, DWORD* pSendTime)
{
    BYTE buffer[kReplyBufferSize];
    sockaddr_in from = {};
    int fromLen = sizeof(from);
    int n = ::recvfrom(s, reinterpret_cast<char*>(buffer), sizeof(buffer), 0, reinterpret_cast<sockaddr*>(&from),
                       &fromLen);
    if (n == SOCKET_ERROR)
        return false;
    if (!ParseEchoReply(buffer, n, ids, pTtl, pSendTime))
        return false;
    if (pFrom)
        *pFrom = from;
    return true;
}

PingOutcome PingHost(int nCount, const char* pszHost, const std::atomic<bool>* pCancel)
{
    SOCKET s = ::socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
    if (s == INVALID_SOCKET) {
        // Raw sockets are a privilege: without it no echo can be tried at all, which says
        // nothing about the network.
        return kPingNotAllowed;
    }
    hostent* host = pszHost ? ::gethostbyname(pszHost) : nullptr;
    if (!host || host->h_addrtype != AF_INET || host->h_length != 4 || !host->h_addr_list[0]) {
        ::closesocket(s);
        return kPingNoReply;
    }
    sockaddr_in target = {};
    target.sin_family = AF_INET;
    std::memcpy(&target.sin_addr, host->h_addr_list[0], 4);

    PingOutcome outcome = kPingNoReply;
    for (int i = 0; i < nCount && outcome == kPingNoReply; ++i) {
        if (pCancel && pCancel->load())
            break;
        EchoIds ids;
        if (SendEchoRequest(s, target, ids) == SOCKET_ERROR) {
            if (::WSAGetLastError() == WSAEACCES)
                outcome = kPingNotAllowed;
            break;
        }
        // Other ICMP traffic (our own request on loopback, another program's ping) may arrive
        // first: keep reading until this request's second is over.
        DWORD start = ::GetTickCount();
        bool failed = false;
        for (;;) {
            DWORD elapsed = ::GetTickCount() - start;
            if (elapsed >= kReplyWaitMs)
                break;
            DWORD left = kReplyWaitMs - elapsed;
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(s, &readable);
            timeval wait = {static_cast<long>(left / 1000), static_cast<long>((left % 1000) * 1000)};
            int ready = ::select(0, &readable, nullptr, nullptr, &wait);
            if (ready == SOCKET_ERROR) {
                failed = true;
                break;
            }
            if (ready == 0)
                break;
            if (ReceiveEchoReply(s, ids, nullptr, nullptr, nullptr)) {
                outcome = kPingReplied;
                break;
            }
        }
        if (failed)
            break;
    }
    ::closesocket(s);
    return outcome;
}
