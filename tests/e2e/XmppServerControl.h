#pragma once
// The local XMPP server of the end-to-end tests, as the test run started it (tools/xmpp-test-server,
// a CTest fixture): Prosody on loopback with the accounts alice, bob and carol, and a second
// client (the peer) that the tests drive. The tests run under Wine and cannot start a Linux
// program, so they talk to the server's controller: one line out, one line back, over a
// loopback port named in the state file that KORVEL_XMPP_STATE points at.
#include <string>

class XmppServerControl {
public:
    // Reads the state file; IsReady says whether that worked.
    XmppServerControl();
    bool IsReady() const { return m_nControlPort > 0 && m_nXmppPort > 0; }
    int XmppPort() const { return m_nXmppPort; }
    const std::wstring& Domain() const { return m_strDomain; }
    // The folder of the servers' certificates (Windows path): DOMAIN.pem for each server, and
    // expired.pem, wrong-name.pem and untrusted.pem.
    const std::wstring& PkiFolder() const { return m_strPki; }
    const std::wstring& Error() const { return m_strError; }

    // Sends one command and waits for its answer, pumping this thread's messages meanwhile (the
    // window under test keeps running); the answer line, or "error ..." when the controller
    // could not be reached.
    std::string Command(const std::string& line, int nTimeoutSeconds = 60);
    bool Ok(const std::string& line, int nTimeoutSeconds = 60) { return Command(line, nTimeoutSeconds).rfind("ok", 0) == 0; }

private:
    int m_nControlPort = 0;
    int m_nXmppPort = 0;
    std::wstring m_strDomain;
    std::wstring m_strPki;
    std::wstring m_strError;
};
