#include "standin/QorCore/CSocketIo.h"

bool CSocketIo::SendAll(SOCKET s, const char* data, size_t n)
{
    while (n > 0) {
        const int sent = ::send(s, data, static_cast<int>(n), 0);
        if (sent <= 0)
            return false;
        data += sent;
        n -= static_cast<size_t>(sent);
    }
    return true;
}

int CSocketIo::Receive(SOCKET s, DWORD nTimeoutMs, std::string& strIn)
{
    fd_set rd;
    FD_ZERO(&rd);
    FD_SET(s, &rd);
    timeval tv = {static_cast<long>(nTimeoutMs / 1000), static_cast<long>((nTimeoutMs % 1000) * 1000)};
    const int r = ::select(0, &rd, nullptr, nullptr, &tv);
    if (r <= 0)
        return r < 0 ? -1 : 0;
    char buffer[16 * 1024];
    const int n = ::recv(s, buffer, sizeof(buffer), 0);
    if (n <= 0)
        return -1;
    strIn.append(buffer, static_cast<size_t>(n));
    return 1;
}
