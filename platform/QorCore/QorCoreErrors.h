#pragma once
// The error numbers the core reports with a sign-in that failed (the detail of the connection
// states 8 and 13, and of 7 after a repair that failed). The view library turns each into the
// text the user reads.
enum QorCoreError : int {
    QorErrLoginName = 205,     // the login name cannot be an account
    QorErrPassword = 208,      // the server refused the name or the password
    QorErrNeedsTls = 940,      // the server is not on this machine, or insists on TLS
    QorErrNoMechanism = 941,   // the server offers no sign-in the core can use
    QorErrProtocol = 942,      // the server broke off the sign-in or answered nonsense
    QorErrNoAnswer = 943,      // the server took the connection but did not answer in time
    QorErrUnreachable = 10060, // nothing answers at the address
    QorErrRefused = 10061,     // the address refused the connection
};
