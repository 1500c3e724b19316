#pragma once
// The console's connection to the messaging server: one XMPP session at a time, and the
// translation of what happens on it into the core's events for the program.
//
// Connection states go to the core sink (the main window's handler): the stages of a sign-in,
// 12 when signed in, 8 (retry later) or 13 (refused) with an error number when not; once signed
// in, 17 when the connection drops. The view library answers 17 by asking for a repair: a quiet
// sign-in with the same account that reports 18 when it worked and 7 (the connection is lost)
// when it did not, so 17 always comes before 7. A server that announces its shutdown gets no
// quiet sign-in: the repair reports 7 at once, and the reconnect countdown waits for it. An
// account signed in elsewhere with our resource ends the session with the server's sign-out
// notice ("OUT", reason 223) instead.
//
// The status goes out as presence once per change: the first presence of a session is the
// sign-in's, and setting the status it already shows sends nothing. No lock is held while a
// stanza is being sent (a send can block for as long as the server does not read).
//
// Every event is raised from the session's thread through CQorEventHub, which hands it to the
// sinks on the program's user-interface thread. A session that was replaced or stopped raises
// nothing more.
#include "platform/QorCore/IQorMsg.h"
#include "standin/QorCore/CXmppSession.h"
#include "standin/QorCore/CXmppStanzaMap.h"
#include <memory>
#include <mutex>
#include <string>

class CQorCoreClient {
public:
    // Connection states the core reports.
    enum {
        STATE_LOST = 7, STATE_RETRY = 8, STATE_SIGNED_IN = 12, STATE_REFUSED = 13,
        STATE_SOCKET_CLOSED = 17, STATE_REPAIRED = 18,
    };
    // The reason of the server's sign-out notice for an account signed in elsewhere.
    enum { kSignedInElsewhere = 223, kErrConnectionReset = 10054 };
    // The resource every sign-in binds: a second sign-in of the account replaces the first.
    static constexpr const char* kResource = "Korvel";

    CQorCoreClient();
    ~CQorCoreClient();
    CQorCoreClient(const CQorCoreClient&) = delete;
    CQorCoreClient& operator=(const CQorCoreClient&) = delete;

    // Starts a sign-in; its outcome arrives as connection states. A session still running is
    // ended first. A login name that cannot be an account is refused at once (13, 205).
    void Login(const std::wstring& strServer, long nPort, const std::wstring& strLoginName,
               const std::wstring& strPassword, long nStatus);
    // Signs out: the server sees the account go offline; no further events.
    void Logout();
    // After 17: signs in again quietly with the last account (18 or 7).
    void Repair();
    // The user's status, sent at once when signed in and used by every later sign-in.
    void SetStatus(long nStatus, const std::wstring& strText);
    // Sends a message to each of its receivers; false when not signed in or it has none.
    bool Send(IQorMsg* pMsg);
    bool IsOnline();

private:
    // The events of one session, tagged with its generation so that a replaced session is
    // heard no more.
    class SessionEvents;
    friend class SessionEvents;

    void StartSession(bool bRepair);
    void StopSession();
    bool IsCurrent(unsigned nGeneration);
    void OnStage(unsigned nGeneration, bool bRepair, int nStage);
    void OnOnline(unsigned nGeneration, bool bRepair);
    void OnFailed(unsigned nGeneration, bool bRepair, bool bRetry, int nError);
    void OnStanza(unsigned nGeneration, const CXmlElement& stanza);
    void OnEnded(unsigned nGeneration, CXmppSession::EndReason reason);
    std::string CurrentPresence();

    std::mutex m_lock;
    unsigned m_nGeneration = 0;
    std::shared_ptr<CXmppSession> m_pSession;
    std::unique_ptr<SessionEvents> m_pEvents;
    std::string m_strSessionPresence; // the presence the current session has given the server
    bool m_bServerShutDown = false;   // the last session ended with the server's shutdown
    XmppAccount m_account;       // the last account signed in to (or being signed in to)
    bool m_bHaveAccount = false;
    long m_nStatus = 3;
    std::wstring m_strStatusText;
    unsigned m_nMessageId = 0;
};
