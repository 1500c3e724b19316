#pragma once
// The ICMP echo ("ping") of the network check: a 45-byte echo request sent on a raw ICMP socket,
// and the wait for the echo reply that answers it.
//
// Request layout: type 8, code 0, checksum (RFC 1071, over all 45 bytes with the field 0),
// identifier and sequence number (two process-wide counters, little-endian, both starting at 1
// and counting one up per request), a zero byte, the send time (GetTickCount, little-endian)
// and the 32 bytes 0x20..0x3F.
//
// Windows Sockets must be started in the calling process before PingHost.
#include "framework/Platform.h"
#include <winsock2.h>
#include <atomic>

const int kEchoRequestSize = 45;

// The Internet checksum of RFC 1071 over length bytes, as the 16-bit value to store (in the
// machine's byte order) into the packet's checksum field.
USHORT IcmpChecksum(const void* pData, int nLength);

// The identifier and sequence number of one echo request.
struct EchoIds {
    WORD wId = 0;
    WORD wSeq = 0;
};

// What PingHost found out.
enum PingOutcome {
    kPingNoReply = 0,    // no echo reply within the waits, the host does not resolve, or sending failed
    kPingReplied = 1,    // the host answered one of the requests
    kPingNotAllowed = 2, // this account may not open raw ICMP sockets: nothing could be sent
};

// Builds the next request into pPacket (kEchoRequestSize bytes) and reports its identifiers.
void BuildEchoRequest(BYTE* pPacket, EchoIds& ids);
// Sends the next echo request to the target; the bytes sent, or SOCKET_ERROR.
int SendEchoRequest(SOCKET s, const sockaddr_in& target, EchoIds& ids);
// Reads one datagram. When it is the echo reply to the request ids (type 0, same identifier and
// sequence number), answers true with the sender, its TTL and the send time the reply echoes.
// Anything else (our own request seen on loopback, another program's ping, an error) is false.
bool ReceiveEchoReply(SOCKET s, const EchoIds& ids, sockaddr_in* pFrom, BYTE* pTtl, DWORD* pSendTime);
// The same test on a datagram as a raw socket delivers it: IP header (its length from the
// header itself), then the ICMP message.
bool ParseEchoReply(const BYTE* pData, int nLength, const EchoIds& ids, BYTE* pTtl, DWORD* pSendTime);

// Sends up to nCount echo requests to the host (a name or a dotted address in the ANSI code
// page), waiting at most one second for each reply. pCancel, when given, is read between
// requests and stops the run.
PingOutcome PingHost(int nCount, const char* pszHost, const std::atomic<bool>* pCancel = nullptr);
