#include "standin/QorCore/CQorCoreClient.h"
#include "standin/QorCore/CQorEventHub.h"
#include "standin/QorCore/QorComObject.h"
#include "standin/QorCore/CQorCmdObject.h"

namespace {

void RaiseState(long state, long detail)
{
    // The error number travels as both the detail and the parameter: the program reads the one,
    // the view library the other.
    CQorEventHub::Instance().RaiseConnectState(QorSinkCore, state, detail, detail);
}

// Raises the core's events of an inbound stanza.
class HubTarget : public CXmppStanzaMap::ITarget {
public:
    void OnMessage(int nSink, IQorMsg* pMsg) override
    {
        CQorEventHub::Instance().RaiseMessage(nSink ? QorSinkApp : QorSinkCore, pMsg);
    }
    void OnCommand(int nSink, bool bNotice, IQorCmd* pCmd) override
    {
        const QorSink sink = nSink ? QorSinkApp : QorSinkCore;
        if (bNotice)
            CQorEventHub::Instance().RaiseNotice(sink, pCmd);
        else
            CQorEventHub::Instance().RaiseCommand(sink, pCmd);
    }
};

} // namespace

class CQorCoreClient::SessionEvents : public CXmppSession::IEvents {
public:
    SessionEvents(CQorCoreClient& owner, unsigned nGeneration, bool bRepair)
        : m_owner(owner), m_nGeneration(nGeneration), m_bRepair(bRepair)
    {
    }
    void OnStage(int nStage) override { m_owner.OnStage(m_nGeneration, m_bRepair, nStage); }
    void OnOnline(const std::string&) override { m_owner.OnOnline(m_nGeneration, m_bRepair); }
    void OnFailed(bool bRetry, int nError) override { m_owner.OnFailed(m_nGeneration, m_bRepair, bRetry, nError); }
    void OnStanza(const CXmlElement& stanza) override { m_owner.OnStanza(m_nGeneration, stanza); }
    void OnEnded(CXmppSession::EndReason reason) override { m_owner.OnEnded(m_nGeneration, reason); }

private:
    CQorCoreClient& m_owner;
    unsigned m_nGeneration;
    bool m_bRepair;
};

CQorCoreClient::CQorCoreClient()
{
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    // The session threads run code of this module: it stays loaded while the client lives.
    QorCoreLockModule(true);
}

CQorCoreClient::~CQorCoreClient()
{
    StopSession();
    ::WSACleanup();
    QorCoreLockModule(false);
}

void CQorCoreClient::Login(const std::wstring& strServer, long nPort, const std::wstring& strLoginName,
                           const std::wstring& strPassword, long nStatus)
{
    StopSession();
    XmppAccount account;
    account.host = CXmppStanzaMap::Utf8(strServer);
    account.port = static_cast<int>(nPort);
    account.password = CXmppStanzaMap::Utf8(strPassword);
    account.resource = kResource;
    std::string login = CXmppStanzaMap::Utf8(strLoginName);
    bool ok = CXmppSession::SplitLoginName(login, account.host, account.user, account.domain) && nPort > 0 &&
              nPort < 65536;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_nStatus = nStatus;
        m_account = account;
        m_bHaveAccount = ok;
        m_bServerShutDown = false;
    }
    if (!ok) {
        RaiseState(STATE_REFUSED, CXmppSession::ERR_LOGIN_NAME);
        return;
    }
    StartSession(false);
}

void CQorCoreClient::Logout()
{
    StopSession();
    std::lock_guard<std::mutex> lock(m_lock);
    m_bHaveAccount = false;
    m_account.password.clear();
}

void CQorCoreClient::Repair()
{
    bool have, shutDown;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        have = m_bHaveAccount;
        shutDown = m_bServerShutDown;
        m_bServerShutDown = false;
    }
    StopSession();
    // A server that said it is shutting down is not asked again at once (it would still be
    // going, or gone): the connection is lost, and the countdown decides when to try.
    if (!have || shutDown) {
        RaiseState(STATE_LOST, kErrConnectionReset);
        return;
    }
    StartSession(true);
}

void CQorCoreClient::SetStatus(long nStatus, const std::wstring& strText)
{
    std::shared_ptr<CXmppSession> session;
    const std::string presence = CXmppStanzaMap::PresenceStanza(nStatus, strText);
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_nStatus = nStatus;
        m_strStatusText = strText;
        if (!m_pSession || presence == m_strSessionPresence)
            return;
        session = m_pSession;
    }
    if (!session->Send(presence))
        return;
    std::lock_guard<std::mutex> lock(m_lock);
    if (session == m_pSession)
        m_strSessionPresence = presence;
}

bool CQorCoreClient::Send(IQorMsg* pMsg)
{
    std::shared_ptr<CXmppSession> session;
    std::vector<std::string> stanzas;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (!m_pSession || !m_pSession->IsOnline())
            return false;
        session = m_pSession;
        stanzas = CXmppStanzaMap::MessageStanzas(pMsg, m_account.domain, "m" + std::to_string(++m_nMessageId));
    }
    bool sent = !stanzas.empty();
    for (const std::string& xml : stanzas)
        sent = session->Send(xml) && sent;
    return sent;
}

bool CQorCoreClient::IsOnline()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_pSession && m_pSession->IsOnline();
}

std::string CQorCoreClient::CurrentPresence()
{
    return CXmppStanzaMap::PresenceStanza(m_nStatus, m_strStatusText);
}

void CQorCoreClient::StartSession(bool bRepair)
{
    std::lock_guard<std::mutex> lock(m_lock);
    const unsigned generation = ++m_nGeneration;
    XmppAccount account = m_account;
    // Invisible signs in without the first presence: the server never tells anyone the user
    // came online.
    m_strSessionPresence = CurrentPresence();
    if (!CXmppStanzaMap::IsInvisible(m_nStatus))
        account.presence = m_strSessionPresence;
    m_pEvents = std::make_unique<SessionEvents>(*this, generation, bRepair);
    m_pSession = std::make_shared<CXmppSession>(account, *m_pEvents);
    if (!m_pSession->Start()) {
        m_pSession.reset();
        RaiseState(bRepair ? STATE_LOST : STATE_RETRY, CXmppSession::ERR_UNREACHABLE);
    }
}

// Stopping waits for an event the session's thread may be telling, which may need the lock: the
// session is taken out under the lock and stopped outside it. Its events object goes only after
// Stop, which tells nothing more; the thread itself is not waited for.
void CQorCoreClient::StopSession()
{
    std::shared_ptr<CXmppSession> session;
    std::unique_ptr<SessionEvents> events;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        ++m_nGeneration;
        session = std::move(m_pSession);
        events = std::move(m_pEvents);
    }
    if (session)
        session->Stop();
}

bool CQorCoreClient::IsCurrent(unsigned nGeneration)
{
    std::lock_guard<std::mutex> lock(m_lock);
    return nGeneration == m_nGeneration;
}

void CQorCoreClient::OnStage(unsigned nGeneration, bool bRepair, int nStage)
{
    // A repair is quiet: the user is still signed in and sees no progress panel.
    if (!bRepair && IsCurrent(nGeneration))
        RaiseState(nStage, 0);
}

void CQorCoreClient::OnOnline(unsigned nGeneration, bool bRepair)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (nGeneration != m_nGeneration)
        return;
    RaiseState(bRepair ? STATE_REPAIRED : STATE_SIGNED_IN, 0);
}

void CQorCoreClient::OnFailed(unsigned nGeneration, bool bRepair, bool bRetry, int nError)
{
    if (!IsCurrent(nGeneration))
        return;
    if (bRepair)
        RaiseState(STATE_LOST, nError);
    else
        RaiseState(bRetry ? STATE_RETRY : STATE_REFUSED, nError);
}

void CQorCoreClient::OnStanza(unsigned nGeneration, const CXmlElement& stanza)
{
    std::string domain;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (nGeneration != m_nGeneration)
            return;
        domain = m_account.domain;
    }
    HubTarget target;
    CXmppStanzaMap::MapInbound(stanza, domain, target);
}

void CQorCoreClient::OnEnded(unsigned nGeneration, CXmppSession::EndReason reason)
{
    if (!IsCurrent(nGeneration))
        return;
    if (reason == CXmppSession::END_CONFLICT) {
        // Signed in elsewhere: the server's sign-out notice, and no repair.
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_bHaveAccount = false;
        }
        CQorCmdObject* pCmd = new CQorCmdObject;
        BSTR name = ::SysAllocString(L"OUT");
        pCmd->put_Name(name);
        ::SysFreeString(name);
        pCmd->AddIntArg(kSignedInElsewhere);
        CQorEventHub::Instance().RaiseNotice(QorSinkApp, pCmd);
        pCmd->Release();
        return;
    }
    if (reason == CXmppSession::END_SHUTDOWN) {
        std::lock_guard<std::mutex> lock(m_lock);
        m_bServerShutDown = true;
    }
    RaiseState(STATE_SOCKET_CLOSED, kErrConnectionReset);
}
