// The core's TLS against the test run's servers, below the windows: the verdicts on the test
// certificates (the test run trusts their authority in this Wine prefix), and a session that
// signs in through a relay cutting the server's bytes into 7-byte pieces, so that records arrive
// in parts and several at once, and carries stanzas larger than a TLS record both ways.
#include "standin/QorCore/CTlsCertCheck.h"
#include "standin/QorCore/CXmppSession.h"
#include "tests/e2e/XmppRoad.h"
#include "tests/standin/XmppSessionRecorder.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace {

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

// A certificate of the test servers, as a server shows it: alone, without its authority.
PCCERT_CONTEXT LoadCertificate(const std::wstring& file)
{
    const std::string der = testsupport::ReadPemCertificate(Server().PkiFolder() + L"\\" + file + L".pem");
    if (der.empty())
        return nullptr;
    return ::CertCreateCertificateContext(X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der.data()),
                                          static_cast<DWORD>(der.size()));
}

TEST(XmppTlsCertificates, EachTestCertificateGetsItsVerdictForTheDomain)
{
    ASSERT_TRUE(Server().IsReady()) << std::string(Server().Error().begin(), Server().Error().end());
    const struct {
        const wchar_t* file;
        const wchar_t* domain;
        CTlsCertCheck::Verdict verdict;
    } kCases[] = {
        {L"localhost", L"localhost", CTlsCertCheck::CERT_OK},
        {L"korvel.test", L"korvel.test", CTlsCertCheck::CERT_OK},
        {L"korvel.test", L"KORVEL.test", CTlsCertCheck::CERT_OK}, // names are compared without case
        {L"localhost", L"korvel.test", CTlsCertCheck::CERT_WRONG_NAME},
        {L"korvel.test", L"evil-korvel.test", CTlsCertCheck::CERT_WRONG_NAME},
        {L"wrong-name", L"localhost", CTlsCertCheck::CERT_WRONG_NAME},
        {L"expired", L"localhost", CTlsCertCheck::CERT_EXPIRED},
        // Sent alone, its authority unknown: the chain stays partial, which the SSL policy
        // under Wine lets pass.
        {L"untrusted", L"localhost", CTlsCertCheck::CERT_UNTRUSTED},
        // The unknown authority's own certificate is no server's.
        {L"unknown-ca", L"localhost", CTlsCertCheck::CERT_UNTRUSTED},
    };
    for (const auto& c : kCases) {
        PCCERT_CONTEXT cert = LoadCertificate(c.file);
        const std::string what = Narrow(c.file) + " for " + Narrow(c.domain);
        ASSERT_NE(cert, nullptr) << what;
        EXPECT_EQ(CTlsCertCheck::Verify(cert, c.domain), c.verdict) << what;
        ::CertFreeCertificateContext(cert);
    }
    EXPECT_EQ(CTlsCertCheck::Verify(nullptr, L"localhost"), CTlsCertCheck::CERT_INVALID);
}

TEST(XmppTlsSession, SignsInThroughRecordsCutIntoPiecesAndCarriesStanzasLargerThanARecordBothWays)
{
    ASSERT_TRUE(Server().IsReady()) << std::string(Server().Error().begin(), Server().Error().end());
    ASSERT_TRUE(Server().Ok("server-start"));
    ASSERT_TRUE(Server().Ok("peer-start bob"));
    const std::string relay = Server().Command("relay-start 7");
    ASSERT_EQ(relay.rfind("ok ", 0), 0u) << relay;

    XmppAccount account;
    account.host = "127.0.0.1";
    account.port = std::stoi(relay.substr(3));
    account.user = "alice";
    account.domain = "localhost";
    account.password = "alice-pw";
    account.resource = "pieces";
    account.presence = "<presence/>";
    XmppSessionRecorder rec;
    auto session = std::make_shared<CXmppSession>(account, rec);
    ASSERT_TRUE(session->Start());
    ASSERT_TRUE(rec.WaitFor("online")) << ::testing::PrintToString(rec.Events());
    // The stream started three times (in the clear, over TLS, signed in): the connection stood
    // once, and the progress panel (which starts the updater's check at that stage) hears it once.
    const std::vector<std::string> events = rec.Events();
    EXPECT_EQ(std::count(events.begin(), events.end(), "stage " + std::to_string(CXmppSession::STAGE_CONNECTED)), 1);

    // Larger than the largest TLS record (16 KB): it comes in several records, each in pieces.
    std::string big;
    for (int i = 0; big.size() < 40000; ++i)
        big += "chunk" + std::to_string(i) + "-";
    ASSERT_TRUE(Server().Ok("send-chat alice@localhost " + big));
    EXPECT_TRUE(rec.WaitFor("stanza " + big));

    ASSERT_TRUE(session->Send("<message to='bob@localhost' type='chat'><body>" + big + "</body></message>"));
    EXPECT_EQ(Server().Command("wait-message alice@localhost 60"), "ok " + big);
    EXPECT_FALSE(rec.Has("ended " + std::to_string(CXmppSession::END_LOST)));
    session->Stop();
    Server().Ok("relay-stop");
    Server().Ok("peer-stop");
}

} // namespace
