// trust_test_authority.exe CERT.pem: makes the test authority of the build (tools/xmpptest/pki.py)
// an authority of the current user's Root store in the Wine prefix it runs in, so that the core
// accepts the certificates of the test servers as a user's Windows accepts a company's. Adding
// the same authority again changes nothing. The path is a Linux path (the test run's and
// tools/run's), taken through Wine's drive mapping.
//
// Run by the test run before the end-to-end tests and by tools/run --local-server; it touches no
// other store and no other prefix. Under Wine the store takes it without asking the user.
#include "framework/Platform.h"
#include "tests/support/TestSupport.h"
#include <wincrypt.h>
#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: trust_test_authority CERT.pem\n");
        return 2;
    }
    const std::string der = testsupport::ReadPemCertificate(testsupport::DosPath(argv[1]));
    if (der.empty()) {
        std::fprintf(stderr, "trust_test_authority: %s holds no certificate\n", argv[1]);
        return 1;
    }
    HCERTSTORE root = ::CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"Root");
    if (!root) {
        std::fprintf(stderr, "trust_test_authority: the Root store does not open (%lu)\n", ::GetLastError());
        return 1;
    }
    const BOOL added = ::CertAddEncodedCertificateToStore(root, X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der.data()),
                                                          static_cast<DWORD>(der.size()), CERT_STORE_ADD_USE_EXISTING,
                                                          nullptr);
    const DWORD error = ::GetLastError();
    ::CertCloseStore(root, 0);
    if (!added) {
        std::fprintf(stderr, "trust_test_authority: the Root store refuses the certificate (%lu)\n", error);
        return 1;
    }
    std::printf("trust_test_authority: %s is a trusted authority now\n", argv[1]);
    return 0;
}
