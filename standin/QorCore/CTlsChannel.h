#pragma once
// The client's side of a TLS connection over a connected socket, through Windows' own TLS
// (SSPI with the Schannel package): the handshake, the check of the server's certificate, and
// the records of the stream after it, encrypted on the way out and decrypted on the way in.
//
// The socket stays the caller's: the channel reads and writes it, but never closes it. Closing
// it (or shutting it down) from another thread ends a wait of the channel at once.
//
// What the provider hands back is taken as it comes: a read may hold part of a record (kept until
// the rest arrives) or several records (each decrypted in turn), and the server may start a new
// handshake in the middle of the stream (renegotiation, or the tickets of a later TLS version),
// which is run through to the end and its certificate checked again. The end of the server's
// stream (its close_notify) ends the channel; under Wine it comes back as a record with no data.
//
// https://learn.microsoft.com/windows/win32/secauthn/creating-a-secure-connection-using-schannel
#include "framework/Platform.h"
#include "standin/QorCore/CTlsCertCheck.h"
#ifndef SECURITY_WIN32
#define SECURITY_WIN32
#endif
#include <security.h>
#include <schannel.h>
#include <atomic>
#include <mutex>
#include <string>

class CTlsChannel {
public:
    enum Result {
        TLS_OK,
        TLS_FAILED, // the handshake failed: no protocol or cipher in common, a broken message
        TLS_LOST,   // the connection ended or went quiet during the handshake
    };

    explicit CTlsChannel(SOCKET s);
    ~CTlsChannel();
    CTlsChannel(const CTlsChannel&) = delete;
    CTlsChannel& operator=(const CTlsChannel&) = delete;

    // Runs the handshake with the server named strServerName (sent to it as the name it is asked
    // for) within nTimeoutMs. Nothing of the caller's is sent before CheckServer said yes.
    Result Handshake(const std::wstring& strServerName, DWORD nTimeoutMs);
    // The verdict on the certificate the server showed, for the name given to Handshake.
    CTlsCertCheck::Verdict CheckServer();

    // Encrypts the data and sends it whole; false when that failed. Callable from any thread;
    // with bWait false it sends only when no other call is on the channel this moment.
    bool Send(const char* data, size_t n, bool bWait = true);
    // Waits up to nTimeoutMs for the server's records and appends what they carry to strPlain.
    // 1 when bytes came (strPlain may still be empty: part of a record), 0 when none came in time,
    // -1 when the stream ended (the server's close_notify, the connection dropped, a broken record).
    int Receive(DWORD nTimeoutMs, std::string& strPlain);
    // Tells the server that nothing more comes (close_notify); best effort, and only when no
    // other call is on the channel this moment: it never waits.
    void Close();

    // How long a handshake the server starts in the middle of the stream may take.
    enum { kRenegotiateMs = 20000 };
    // Bytes kept at most while a record is incomplete: more than any record can be.
    enum { kMaxPending = 256 * 1024 };

private:
    bool AcquireCredentials();
    // The exchange of handshake messages from what m_strIn holds (and what the socket brings)
    // until the context stands, or fails, or the deadline passes.
    Result Negotiate(ULONGLONG deadline);
    // The verdict on the certificate the context holds now, for m_strServerName; m_lock held.
    CTlsCertCheck::Verdict VerifyServer();
    // Decrypts the complete records of m_strIn into strPlain; false when the stream ended.
    bool DecryptPending(std::string& strPlain);
    // Reads what the socket has, waiting until the deadline: 1 data, 0 time out, -1 ended.
    int ReadMore(ULONGLONG deadline);
    bool SendToken(SecBuffer& token);

    SOCKET m_socket;
    std::wstring m_strServerName;
    CredHandle m_cred = {};
    CtxtHandle m_ctx = {};
    bool m_bHaveCred = false;
    bool m_bHaveCtx = false;
    std::atomic<bool> m_bReady{false}; // the handshake completed: records may flow
    bool m_bIncomplete = false; // m_strIn ends in part of a record: wait for more first
    bool m_bEnded = false;
    SecPkgContext_StreamSizes m_sizes = {};
    std::string m_strIn; // bytes of the server not yet used (read thread only)
    // One call on the context at a time: sending from the program's threads, reading and a
    // renegotiation on the session's.
    std::mutex m_lock;
};
