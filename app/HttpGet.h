#pragma once
// HttpGetString: a blocking HTTP GET of a URL into a byte string, for worker threads (never the
// user-interface thread: a server that does not answer would freeze the window until the
// time-outs end it). Connect, send and receive each give up after kHttpTimeoutMs.
#include "framework/CString.h"

const DWORD kHttpTimeoutMs = 10000;

// Appends the reply's body to strReply; false when the URL could not be opened, the server did
// not answer in time or answered with a status other than 2xx (strReply then holds what
// arrived before the failure, if anything).
bool HttpGetString(const CString& strUrl, CStringA& strReply);
