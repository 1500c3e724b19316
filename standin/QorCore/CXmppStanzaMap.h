#pragma once
// How the core's messages, commands and status travel as XMPP stanzas, both ways.
//
// A message is a <message/> whose <body/> is the message's subject (the text a person typed);
// every field of the core's message that XMPP has no place for (type, flags, the talk, keys,
// the rich content, receivers, files, items, properties) rides in one element of our own,
// <msg xmlns='urn:korvel:core:0'/>. A command (an application command, a notification) is a
// <message/> holding <command xmlns='urn:korvel:core:0' name='...'/> with its integer and text
// arguments and named fields; only the server gives commands. The status is presence, its exact
// number in <status/> of the same namespace (invisible is the unavailable presence). Accounts
// are the local part of a JID on the account's own domain, and the bare JID elsewhere.
#include "platform/QorCore/IQorCmd.h"
#include "platform/QorCore/IQorMsg.h"
#include "standin/QorCore/CXmlElement.h"
#include <string>
#include <vector>

class CXmppStanzaMap {
public:
    static constexpr const char* kNs = "urn:korvel:core:0";

    // Where an inbound event goes: which sink (0 core, 1 application) and which slot.
    class ITarget {
    public:
        virtual void OnMessage(int nSink, IQorMsg* pMsg) = 0;
        virtual void OnCommand(int nSink, bool bNotice, IQorCmd* pCmd) = 0;

    protected:
        ~ITarget() = default;
    };

    // Turns one inbound stanza into the core's events; false when it carries none (presence,
    // errors, chat states and the like). A command is taken only from the server itself; from
    // anyone else it is dropped and logged.
    static bool MapInbound(const CXmlElement& stanza, const std::string& strOwnDomain, ITarget& target);
    // Whether the server itself sent the stanza: it has no sender, or the bare domain of the
    // account (compared without case, as domains are).
    static bool IsFromServer(const CXmlElement& stanza, const std::string& strOwnDomain);

    // One <message/> per receiver of the core's message; empty when it has no receiver.
    // strFallbackId is the stanza id when the message has no id of its own.
    static std::vector<std::string> MessageStanzas(IQorMsg* pMsg, const std::string& strOwnDomain,
                                                   const std::string& strFallbackId);
    // The statuses of the core: 3 online, 4 busy, 5 away, 6 invisible, 7 away by idle time,
    // 8 do not disturb (no popups).
    enum { kStatusInvisible = 6 };
    // The presence of a status number and its text; for invisible, the unavailable presence
    // that takes the user out of every contact's sight.
    static std::string PresenceStanza(int nStatus, const std::wstring& strText);
    static bool IsInvisible(int nStatus);

    // An account of the program ("bob", "carol@other.org") as a bare JID, and back.
    static std::string AccountToJid(const std::wstring& strAccount, const std::string& strOwnDomain);
    static std::wstring JidToAccount(const std::string& strJid, const std::string& strOwnDomain);

    static std::string Utf8(const std::wstring& text);
    static std::wstring Wide(const std::string& text);
    // A timestamp of XMPP ("2026-12-10T08:30:00Z", fractions and offsets allowed) in the core's
    // form "2026-12-10 08:30:00" (UTC); empty when it cannot be read.
    static std::wstring StampToSendTime(const std::string& stamp);
    // The current UTC time in the core's form.
    static std::wstring NowSendTime();
};
