#pragma once
// The program's own requests to the server's web service: the address of the web sign-in and a
// plain HTTP GET of a whole reply. A GET blocks until the reply is in or a time-out ends it, so
// it runs on a worker thread, never on the user-interface thread.
#include "framework/CString.h"

class CWebRequest {
public:
    CWebRequest() = delete;

    // The web sign-in address: the web service's base address ("Url" of [Info] in
    // WebServiceUrl.ini) + "/Login?loginName=" + the login name + "&password=" + the password,
    // percent-encoded as UTF-8 (a password may hold "&", "=" or letters of any script). Empty
    // when no web service is configured.
    static CString BuildWebLoginUrl(const CString& strBaseUrl, const CString& strLogin, const CString& strPassword);

    // GET of an http or https address through the user's proxy setting. True only when a 2xx
    // status came back and the whole body was read; the body is then appended to strReply.
    // False, strReply untouched, for any other status, a connect or receive time-out, a failed
    // connection, an address of another kind, or a call on the user-interface thread.
    static bool HttpGetString(const CString& strUrl, CStringA& strReply);

    // The thread that must never wait for the network (the main window's); set when the main
    // window registers its callbacks.
    static void SetUiThread(DWORD dwThreadId);
    // Time-outs of the connection and of each read, in milliseconds (defaults 10 s and 20 s).
    static void SetTimeouts(DWORD dwConnectMs, DWORD dwReceiveMs);
    static void GetTimeouts(DWORD& dwConnectMs, DWORD& dwReceiveMs);
};
