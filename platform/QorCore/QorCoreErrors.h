#pragma once
// The error numbers the core reports with a sign-in that failed (the detail of the connection
// states 8 and 13, and of 7 after a repair that failed). The view library turns each into the
// text the user reads.
enum QorCoreError : int {
    QorErrLoginName = 205,     // the login name cannot be an account
    QorErrPassword = 208,      // the server refused the name or the password
    QorErrNeedsTls = 940,      // the server is not on this machine and offers no TLS
    QorErrNoMechanism = 941,   // the server offers no sign-in the core can use
    QorErrProtocol = 942,      // the server broke off the sign-in or answered nonsense
    QorErrNoAnswer = 943,      // the server took the connection but did not answer in time
    QorErrTlsUntrusted = 944,  // its certificate comes from an authority this computer does not trust
    QorErrTlsWrongName = 945,  // its certificate is made out to another name than the domain
    QorErrTlsExpired = 946,    // its certificate is out of its validity period
    QorErrTlsHandshake = 947,  // no encrypted connection could be made with it
    QorErrTlsCertificate = 948, // its certificate is unusable for another reason
    QorErrUnreachable = 10060, // nothing answers at the address
    QorErrRefused = 10061,     // the address refused the connection
};
