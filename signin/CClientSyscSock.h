#pragma once
// CClientSyscSock: a blocking TCP client socket that probes whether a server accepts a
// connection, directly or through the proxy of the network settings. The network check's last
// step uses it.
//
// Proxy types are the proxy kinds of the network settings: 0 direct, 3 SOCKS5 (RFC 1928, with
// the user name and password of RFC 1929 when a user is set), 4 HTTP (CONNECT, with Basic
// proxy authorisation when a user is set). Every wait is bounded, so a probe never hangs.
#include "framework/CString.h"
#include <winsock2.h>

class CClientSyscSock {
public:
    enum { PROXY_NONE = 0, PROXY_SOCKS5 = 3, PROXY_HTTP = 4 };

    CClientSyscSock();
    virtual ~CClientSyscSock();
    CClientSyscSock(const CClientSyscSock&) = delete;
    CClientSyscSock& operator=(const CClientSyscSock&) = delete;

    void SetProxy(int nType, const CString& strHost, int nPort, const CString& strUser, const CString& strPassword);
    // Starts Windows Sockets and resolves where the connection goes: the host itself when
    // direct, the proxy host otherwise (the proxy resolves the target's name then). 1 on
    // success, 0 when the name does not resolve to an IPv4 address or a port is out of 1-65535.
    int Resolve(const CString& strHost, int nPort);
    // Connects to the resolved address and, through a proxy, has the proxy open the tunnel to
    // the target. 1 when the connection stands, else 0.
    int Connect();
    void Close();

    // Longest wait for the connection, and for each answer of a proxy.
    static const DWORD kConnectTimeoutMs = 10000;
    static const DWORD kReplyTimeoutMs = 10000;

    int m_nProxyType = PROXY_NONE;
    CString m_strProxyHost;
    int m_nProxyPort = 0;
    CString m_strProxyUser;
    CString m_strProxyPassword;
    CString m_strHost; // the target
    int m_nPort = 0;
    SOCKET m_hSocket = INVALID_SOCKET;
    sockaddr_in m_addr = {}; // where the socket connects: the target, or the proxy

private:
    bool ConnectSocket();
    bool Socks5Handshake();
    bool HttpConnectHandshake();
    bool SendAll(const char* pData, int nLength);
    bool ReceiveExactly(char* pData, int nLength);

    bool m_bStarted = false; // WSAStartup answered, WSACleanup is owed
};
