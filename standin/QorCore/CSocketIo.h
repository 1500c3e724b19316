#pragma once
// The two ways the core uses a connected socket, whether the stream on it is in the clear or
// TLS records: send a buffer whole, and wait a while for what the server sends next.
//
// https://learn.microsoft.com/windows/win32/api/winsock2/nf-winsock2-select
#include "framework/Platform.h"
#include <string>

class CSocketIo {
public:
    // Sends all n bytes, as many calls as it takes; false when the connection failed.
    static bool SendAll(SOCKET s, const char* data, size_t n);
    // Waits up to nTimeoutMs for data and appends what one read brings to strIn: 1 when bytes
    // came, 0 when none came in time, -1 when the connection ended or failed.
    static int Receive(SOCKET s, DWORD nTimeoutMs, std::string& strIn);
};
