#pragma once
// Whether the certificate a server showed in the TLS handshake may be believed for the XMPP
// domain the user signs in to: its chain must end at an authority of the Windows certificate
// store, every certificate in it must be valid today, and the server's own must name the domain.
//
// Windows' SSL policy alone is not enough: under Wine it reports success for a chain it could not
// complete (the server sent its certificate alone and the authority is unknown), so the chain's
// own error status must be clean as well. And the TLS provider checks nothing by itself when it is
// told that the caller validates (which is how the channel asks for it): this is the only check.
//
// https://learn.microsoft.com/windows/win32/api/wincrypt/nf-wincrypt-certverifycertificatechainpolicy
#include "framework/Platform.h"
#include <wincrypt.h>
#include <string>

class CTlsCertCheck {
public:
    enum Verdict {
        CERT_OK,
        CERT_UNTRUSTED,   // no authority this computer trusts stands behind it
        CERT_WRONG_NAME,  // it is made out to another name
        CERT_EXPIRED,     // it, or a certificate of its chain, is out of its validity period
        CERT_INVALID,     // anything else: a bad signature, revoked, not for a server, unreadable
    };

    // Builds the chain of the server's certificate (with the certificates the server sent beside
    // it, found in the certificate's own store) and checks it for strServerName.
    static Verdict Verify(PCCERT_CONTEXT pCert, const std::wstring& strServerName);
    // The verdict of the SSL policy's error and the chain's own error status.
    static Verdict Classify(DWORD dwPolicyError, DWORD dwChainErrorStatus);
};
