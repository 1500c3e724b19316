#include "tests/e2e/XmppServerControl.h"
#include "framework/Platform.h"
#include "tests/support/TestSupport.h"
#include <atomic>
#include <fstream>
#include <memory>
#include <thread>

namespace {

std::string Exchange(int port, const std::string& line, int timeoutSeconds)
{
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return "error no socket";
    DWORD timeout = static_cast<DWORD>(timeoutSeconds + 10) * 1000;
    ::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<u_short>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string answer;
    if (::connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0) {
        ::closesocket(s);
        return "error the controller does not answer";
    }
    const std::string out = line + "\n";
    ::send(s, out.data(), static_cast<int>(out.size()), 0);
    char buf[1024];
    while (answer.find('\n') == std::string::npos) {
        const int n = ::recv(s, buf, sizeof(buf), 0);
        if (n <= 0)
            break;
        answer.append(buf, static_cast<size_t>(n));
    }
    ::closesocket(s);
    if (answer.empty())
        return "error no answer";
    return answer.substr(0, answer.find('\n'));
}

} // namespace

XmppServerControl::XmppServerControl()
{
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    char state[1024] = {};
    if (!::GetEnvironmentVariableA("KORVEL_XMPP_STATE", state, sizeof(state))) {
        m_strError = L"KORVEL_XMPP_STATE is not set: run the test through ctest, which starts the server";
        return;
    }
    std::ifstream in(testsupport::DosPath(state).c_str());
    std::string line;
    while (std::getline(in, line)) {
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "control")
            m_nControlPort = atoi(value.c_str());
        else if (key == "xmpp")
            m_nXmppPort = atoi(value.c_str());
        else if (key == "domain")
            m_strDomain.assign(value.begin(), value.end());
        else if (key == "pki")
            m_strPki = testsupport::DosPath(value);
    }
    if (!IsReady())
        m_strError = L"the server's state file cannot be read: " + testsupport::DosPath(state);
}

std::string XmppServerControl::Command(const std::string& line, int nTimeoutSeconds)
{
    if (!IsReady())
        return "error no server";
    // The exchange runs beside this thread, which keeps pumping: the window under test answers
    // its messages while the server or the peer does what was asked.
    auto answer = std::make_shared<std::string>();
    auto done = std::make_shared<std::atomic<bool>>(false);
    const int port = m_nControlPort;
    std::thread worker([=] {
        *answer = Exchange(port, line, nTimeoutSeconds);
        *done = true;
    });
    testsupport::PumpUntil([&] { return done->load(); }, (nTimeoutSeconds + 15) * 200);
    if (!*done) {
        worker.detach();
        return "error the controller took too long";
    }
    worker.join();
    return *answer;
}
