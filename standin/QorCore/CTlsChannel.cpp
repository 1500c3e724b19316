#include "standin/QorCore/CTlsChannel.h"
#include "standin/QorCore/CSocketIo.h"
#include <cstring>

namespace {

// What the client asks of the context. The provider validates nothing itself (the certificate
// is checked by CTlsCertCheck), and it allocates the handshake messages it hands back.
const ULONG kRequest = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                       ISC_REQ_EXTENDED_ERROR | ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM |
                       ISC_REQ_MANUAL_CRED_VALIDATION;

ULONGLONG Now() { return ::GetTickCount64(); }

// Whether the bytes can start a TLS record: a known content type (20 to 23: the cipher
// change, alert, handshake and application data records), major version 3 and a length no
// record exceeds. A server that answers with something else (an HTTP error page, say) is no TLS
// server; without this the provider under Wine waits for the rest of a "record" that never comes.
bool StartsLikeARecord(const std::string& in)
{
    if (in.size() < 5)
        return true; // not enough to tell yet
    const unsigned char type = static_cast<unsigned char>(in[0]);
    const size_t length = (static_cast<unsigned char>(in[3]) << 8) | static_cast<unsigned char>(in[4]);
    return type >= 20 && type <= 23 && in[1] == 3 && length <= 16384 + 2048;
}

SecBuffer* FindBuffer(SecBuffer* buffers, int n, ULONG type)
{
    for (int i = 0; i < n; ++i) {
        if (buffers[i].BufferType == type)
            return &buffers[i];
    }
    return nullptr;
}

} // namespace

CTlsChannel::CTlsChannel(SOCKET s) : m_socket(s) {}

CTlsChannel::~CTlsChannel()
{
    if (m_bHaveCtx)
        ::DeleteSecurityContext(&m_ctx);
    if (m_bHaveCred)
        ::FreeCredentialsHandle(&m_cred);
}

bool CTlsChannel::AcquireCredentials()
{
    SCHANNEL_CRED cred = {};
    cred.dwVersion = SCHANNEL_CRED_VERSION;
    // Validation is always ours; no client certificate is offered.
    cred.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
    // TLS 1.2, and 1.3 where the provider has it: under Wine asking for 1.3 fails here, and 1.2
    // alone is asked for then.
    for (DWORD protocols : {DWORD(SP_PROT_TLS1_2_CLIENT | SP_PROT_TLS1_3_CLIENT), DWORD(SP_PROT_TLS1_2_CLIENT)}) {
        cred.grbitEnabledProtocols = protocols;
        if (::AcquireCredentialsHandleW(nullptr, const_cast<wchar_t*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND, nullptr,
                                        &cred, nullptr, nullptr, &m_cred, nullptr) == SEC_E_OK) {
            m_bHaveCred = true;
            return true;
        }
    }
    return false;
}

CTlsChannel::Result CTlsChannel::Handshake(const std::wstring& strServerName, DWORD nTimeoutMs)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_strServerName = strServerName;
    if (m_bHaveCtx || !AcquireCredentials())
        return TLS_FAILED;
    // The first message (the client's hello) needs no input.
    SecBuffer out = {0, SECBUFFER_TOKEN, nullptr};
    SecBufferDesc outDesc = {SECBUFFER_VERSION, 1, &out};
    ULONG attrs = 0;
    const SECURITY_STATUS st =
        ::InitializeSecurityContextW(&m_cred, nullptr, const_cast<wchar_t*>(m_strServerName.c_str()), kRequest, 0, 0,
                                     nullptr, 0, &m_ctx, &outDesc, &attrs, nullptr);
    if (st != SEC_I_CONTINUE_NEEDED) {
        if (out.pvBuffer)
            ::FreeContextBuffer(out.pvBuffer);
        return TLS_FAILED;
    }
    m_bHaveCtx = true;
    if (!SendToken(out))
        return TLS_LOST;
    return Negotiate(Now() + nTimeoutMs);
}

CTlsChannel::Result CTlsChannel::Negotiate(ULONGLONG deadline)
{
    m_bReady = false;
    bool needMore = m_strIn.empty();
    bool askedForCredentials = false;
    for (;;) {
        if (needMore) {
            const int r = ReadMore(deadline);
            if (r <= 0)
                return TLS_LOST;
        }
        if (!StartsLikeARecord(m_strIn))
            return TLS_FAILED;
        SecBuffer in[2] = {{static_cast<ULONG>(m_strIn.size()), SECBUFFER_TOKEN, &m_strIn[0]},
                           {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc inDesc = {SECBUFFER_VERSION, 2, in};
        SecBuffer out = {0, SECBUFFER_TOKEN, nullptr};
        SecBufferDesc outDesc = {SECBUFFER_VERSION, 1, &out};
        ULONG attrs = 0;
        const SECURITY_STATUS st =
            ::InitializeSecurityContextW(&m_cred, &m_ctx, const_cast<wchar_t*>(m_strServerName.c_str()), kRequest, 0,
                                         0, &inDesc, 0, nullptr, &outDesc, &attrs, nullptr);
        if (st == SEC_E_INCOMPLETE_MESSAGE) {
            if (out.pvBuffer)
                ::FreeContextBuffer(out.pvBuffer);
            needMore = true;
            continue;
        }
        // Whatever came out goes to the server: the next message, or the alert of a failure.
        const bool sent = out.cbBuffer == 0 || SendToken(out);
        if (out.cbBuffer == 0 && out.pvBuffer)
            ::FreeContextBuffer(out.pvBuffer);
        if (FAILED(st))
            return TLS_FAILED;
        if (!sent)
            return TLS_LOST;
        if (st == SEC_I_INCOMPLETE_CREDENTIALS) {
            // The server asks for a client certificate; there is none, and the provider goes on
            // without one when asked again with the same input.
            if (askedForCredentials)
                return TLS_FAILED;
            askedForCredentials = true;
            needMore = false;
            continue;
        }
        // Keep what this step did not use: the start of the next message, or the first records.
        if (in[1].BufferType == SECBUFFER_EXTRA && in[1].cbBuffer > 0 && in[1].cbBuffer <= m_strIn.size())
            m_strIn.erase(0, m_strIn.size() - in[1].cbBuffer);
        else
            m_strIn.clear();
        if (st == SEC_E_OK)
            break;
        if (st != SEC_I_CONTINUE_NEEDED)
            return TLS_FAILED;
        needMore = m_strIn.empty();
    }
    if (::QueryContextAttributesW(&m_ctx, SECPKG_ATTR_STREAM_SIZES, &m_sizes) != SEC_E_OK || !m_sizes.cbMaximumMessage)
        return TLS_FAILED;
    m_bReady = true;
    m_bIncomplete = false;
    return TLS_OK;
}

CTlsCertCheck::Verdict CTlsChannel::CheckServer()
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_bReady)
        return CTlsCertCheck::CERT_INVALID;
    return VerifyServer();
}

CTlsCertCheck::Verdict CTlsChannel::VerifyServer()
{
    PCCERT_CONTEXT pCert = nullptr;
    if (::QueryContextAttributesW(&m_ctx, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &pCert) != SEC_E_OK || !pCert)
        return CTlsCertCheck::CERT_INVALID;
    const CTlsCertCheck::Verdict verdict = CTlsCertCheck::Verify(pCert, m_strServerName);
    ::CertFreeCertificateContext(pCert);
    return verdict;
}

bool CTlsChannel::Send(const char* data, size_t n, bool bWait)
{
    std::unique_lock<std::mutex> lock(m_lock, std::defer_lock);
    if (bWait)
        lock.lock();
    else if (!lock.try_lock())
        return false;
    if (!m_bReady)
        return false;
    std::string record;
    while (n > 0) {
        const size_t chunk = std::min(n, static_cast<size_t>(m_sizes.cbMaximumMessage));
        record.assign(m_sizes.cbHeader + chunk + m_sizes.cbTrailer, '\0');
        std::memcpy(&record[m_sizes.cbHeader], data, chunk);
        SecBuffer b[4] = {{m_sizes.cbHeader, SECBUFFER_STREAM_HEADER, &record[0]},
                          {static_cast<ULONG>(chunk), SECBUFFER_DATA, &record[m_sizes.cbHeader]},
                          {m_sizes.cbTrailer, SECBUFFER_STREAM_TRAILER, &record[m_sizes.cbHeader + chunk]},
                          {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc desc = {SECBUFFER_VERSION, 4, b};
        if (::EncryptMessage(&m_ctx, 0, &desc, 0) != SEC_E_OK)
            return false;
        // The trailer may come out shorter than its largest size.
        if (!CSocketIo::SendAll(m_socket, record.data(), b[0].cbBuffer + b[1].cbBuffer + b[2].cbBuffer))
            return false;
        data += chunk;
        n -= chunk;
    }
    return true;
}

int CTlsChannel::Receive(DWORD nTimeoutMs, std::string& strPlain)
{
    if (m_bEnded || !m_bReady)
        return -1;
    const ULONGLONG deadline = Now() + nTimeoutMs;
    // Records a previous read brought along are used before waiting for more.
    if (m_strIn.empty() || m_bIncomplete) {
        const int r = ReadMore(deadline);
        if (r <= 0)
            return r;
    }
    std::lock_guard<std::mutex> lock(m_lock);
    if (!DecryptPending(strPlain))
        m_bEnded = true;
    // What came before the end is handed over first; the next call tells the end.
    return m_bEnded && strPlain.empty() ? -1 : 1;
}

bool CTlsChannel::DecryptPending(std::string& strPlain)
{
    m_bIncomplete = false;
    while (!m_strIn.empty()) {
        if (!StartsLikeARecord(m_strIn))
            return false;
        SecBuffer b[4] = {{static_cast<ULONG>(m_strIn.size()), SECBUFFER_DATA, &m_strIn[0]},
                          {0, SECBUFFER_EMPTY, nullptr},
                          {0, SECBUFFER_EMPTY, nullptr},
                          {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc desc = {SECBUFFER_VERSION, 4, b};
        const SECURITY_STATUS st = ::DecryptMessage(&m_ctx, &desc, 0, nullptr);
        if (st == SEC_E_INCOMPLETE_MESSAGE) {
            m_bIncomplete = true;
            return true;
        }
        if (st == SEC_I_CONTEXT_EXPIRED)
            return false; // the server's close_notify
        if (st != SEC_E_OK && st != SEC_I_RENEGOTIATE)
            return false;
        // The data is decrypted in place; the extra bytes are the tail of the input.
        const SecBuffer* data = FindBuffer(b, 4, SECBUFFER_DATA);
        const SecBuffer* extra = FindBuffer(b, 4, SECBUFFER_EXTRA);
        const size_t dataLen = data && data->pvBuffer ? data->cbBuffer : 0;
        const size_t extraLen = extra && extra->cbBuffer <= m_strIn.size() ? extra->cbBuffer : 0;
        if (dataLen)
            strPlain.append(static_cast<const char*>(data->pvBuffer), dataLen);
        if (st == SEC_E_OK && dataLen == 0 && extraLen == 0)
            return false; // a record with nothing in it: how Wine hands over the close_notify
        if (extraLen)
            m_strIn.erase(0, m_strIn.size() - extraLen);
        else
            m_strIn.clear();
        if (st == SEC_I_RENEGOTIATE) {
            // The server starts a handshake: its messages are in what is left. Run it through and
            // check the certificate again: it may be another one.
            if (Negotiate(Now() + kRenegotiateMs) != TLS_OK || VerifyServer() != CTlsCertCheck::CERT_OK)
                return false;
        }
    }
    return true;
}

int CTlsChannel::ReadMore(ULONGLONG deadline)
{
    if (m_strIn.size() > kMaxPending)
        return -1; // no record is that long: whatever sends this is not a TLS server
    const ULONGLONG now = Now();
    const DWORD wait = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
    return CSocketIo::Receive(m_socket, wait, m_strIn);
}

bool CTlsChannel::SendToken(SecBuffer& token)
{
    const bool ok = CSocketIo::SendAll(m_socket, static_cast<const char*>(token.pvBuffer), token.cbBuffer);
    ::FreeContextBuffer(token.pvBuffer);
    token.pvBuffer = nullptr;
    return ok;
}

void CTlsChannel::Close()
{
    std::unique_lock<std::mutex> lock(m_lock, std::try_to_lock);
    if (!lock.owns_lock() || !m_bReady)
        return;
    m_bReady = false;
    DWORD type = SCHANNEL_SHUTDOWN;
    SecBuffer control = {sizeof(type), SECBUFFER_TOKEN, &type};
    SecBufferDesc controlDesc = {SECBUFFER_VERSION, 1, &control};
    if (::ApplyControlToken(&m_ctx, &controlDesc) != SEC_E_OK)
        return;
    SecBuffer out = {0, SECBUFFER_TOKEN, nullptr};
    SecBufferDesc outDesc = {SECBUFFER_VERSION, 1, &out};
    ULONG attrs = 0;
    const SECURITY_STATUS st =
        ::InitializeSecurityContextW(&m_cred, &m_ctx, const_cast<wchar_t*>(m_strServerName.c_str()), kRequest, 0, 0,
                                     nullptr, 0, &m_ctx, &outDesc, &attrs, nullptr);
    if (!FAILED(st) && out.cbBuffer && out.pvBuffer)
        SendToken(out);
    else if (out.pvBuffer)
        ::FreeContextBuffer(out.pvBuffer);
}
