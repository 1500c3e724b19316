#pragma once
// CWebSignIn: the optional sign-in to the server's web service that comes before the sign-in
// proper. The request runs on a worker thread and its reply comes back to a window as a
// message, so the window never waits on a server that does not answer; the reply's XML says
// whether the web service let the user in ("<Result><State>0</State>...").
#include "framework/CString.h"

// One reply of the web service, posted to the window as the lParam of its message; the
// receiver deletes it.
struct CWebLoginReply {
    unsigned nAttempt = 0; // the attempt that asked
    CString strUrl;
    bool bAnswered = false; // false: no answer (refused, timed out, not a 2xx status)
    CStringA strReply;      // the body, UTF-8
};

class CWebSignIn {
public:
    CWebSignIn() = delete;

    // Starts the request on a worker thread; the reply is posted to hWnd as uMsg with the
    // CWebLoginReply* in lParam. false when no thread could be started (nothing is posted).
    static bool Start(HWND hWnd, UINT uMsg, const CString& strUrl, unsigned nAttempt);

    // Reads a reply: the text of <Result><State>, and the text to show the user, which is the
    // <Msg> after <State> when there is one, else the whole reply. A <State> or <Msg> without
    // text is empty text; without <Result> or <State> (or when the reply is no XML) the state is
    // empty. Texts are UTF-8 in the reply.
    static void ParseReply(const CStringA& strReply, CString& strState, CString& strMessage);
    // The web service let the user in.
    static bool IsAccepted(const CString& strState) { return strState == L"0"; }
};
