// The core component's XMPP layer without a server: SCRAM against the published examples, Base64,
// the stream parser fed in pieces, the mapping of stanzas to the core's events and back, and the
// verdicts on a server's certificate from the answers of Windows' chain checks. (Sessions are in
// XmppSessionTest; TLS and the refusal of servers that cannot be trusted in tests/e2e.)
#include "standin/QorCore/CQorCoreLog.h"
#include "standin/QorCore/CQorCrypto.h"
#include "standin/QorCore/CQorMsgObject.h"
#include "standin/QorCore/CScramClient.h"
#include "standin/QorCore/CTlsCertCheck.h"
#include "standin/QorCore/CXmppSession.h"
#include "standin/QorCore/CXmppStanzaMap.h"
#include "standin/QorCore/CXmppStreamParser.h"
#include "tests/standin/XmppStreamRecorder.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::string Decode(const std::string& b64)
{
    std::string out;
    EXPECT_TRUE(CQorCrypto::Base64Decode(b64, out)) << b64;
    return out;
}

// The examples of SCRAM-SHA-1 (RFC 5802) and SCRAM-SHA-256 (RFC 7677): user "user", password
// "pencil", fixed nonces.
struct ScramExample {
    CQorCrypto::Hash hash;
    const char* clientNonce;
    const char* serverFirst;
    const char* clientFinal;
    const char* serverFinal;
};
const ScramExample kScram[] = {
    {CQorCrypto::SHA1, "fyko+d2lbbFgONRv9qkxdawL",
     "r=fyko+d2lbbFgONRv9qkxdawL3rfcNHYJY1ZVvWVs7j,s=QSXCR+Q6sek8bf92,i=4096",
     "c=biws,r=fyko+d2lbbFgONRv9qkxdawL3rfcNHYJY1ZVvWVs7j,p=v0X8v3Bz2T0CJGbJQyF0X+HI4Ts=",
     "v=rmF9pqV8S7suAoZWja4dJRkFsKQ="},
    {CQorCrypto::SHA256, "rOprNGfwEbeRWgbNEkqO",
     "r=rOprNGfwEbeRWgbNEkqO%hvYDpWUa2RaTCAfuxFIlj)hNlF$k0,s=W22ZaJ0SNY7soEsUEjb6gQ==,i=4096",
     "c=biws,r=rOprNGfwEbeRWgbNEkqO%hvYDpWUa2RaTCAfuxFIlj)hNlF$k0,p=dHzbZapWIk4jUhN+Ute9ytag9zjfMHgsqmmiz7AndVQ=",
     "v=6rriTRBi23WpRR/wtup+mMhUZUn/dB5nLTJRsjl95G4="},
};

TEST(XmppScram, ComputesTheProofAndChecksTheServerOfThePublishedExamples)
{
    for (const ScramExample& ex : kScram) {
        CScramClient scram(ex.hash, "user", ex.clientNonce);
        EXPECT_EQ(scram.ClientFirst(), std::string("n,,n=user,r=") + ex.clientNonce);
        std::string final;
        ASSERT_TRUE(scram.ClientFinal(ex.serverFirst, "pencil", final));
        EXPECT_EQ(final, ex.clientFinal);
        EXPECT_TRUE(scram.VerifyServerFinal(ex.serverFinal));
        // A server that does not know the password cannot give the signature.
        EXPECT_FALSE(scram.VerifyServerFinal("v=AAAAAAAAAAAAAAAAAAAAAAAAAAA="));
        EXPECT_FALSE(scram.VerifyServerFinal("e=other-error"));
    }
}

TEST(XmppScram, RefusesServerMessagesThatWouldWeakenOrBreakTheSignIn)
{
    const char* kBad[] = {
        "r=someoneelse123,s=QSXCR+Q6sek8bf92,i=4096",                  // nonce not ours
        "r=fyko+d2lbbFgONRv9qkxdawL,s=QSXCR+Q6sek8bf92,i=4096",        // nonce not extended
        "r=fyko+d2lbbFgONRv9qkxdawLx,s=QSXCR+Q6sek8bf92,i=1",          // too few rounds
        "r=fyko+d2lbbFgONRv9qkxdawLx,s=QSXCR+Q6sek8bf92,i=99999999",   // too many
        "r=fyko+d2lbbFgONRv9qkxdawLx,s=!!!,i=4096",                    // salt not Base64
        "m=ext,r=fyko+d2lbbFgONRv9qkxdawLx,s=QSXCR+Q6sek8bf92,i=4096", // mandatory extension
        "garbage",
    };
    for (const char* serverFirst : kBad) {
        CScramClient scram(CQorCrypto::SHA1, "user", "fyko+d2lbbFgONRv9qkxdawL");
        std::string final;
        EXPECT_FALSE(scram.ClientFinal(serverFirst, "pencil", final)) << serverFirst;
        EXPECT_FALSE(scram.VerifyServerFinal("v=rmF9pqV8S7suAoZWja4dJRkFsKQ=")) << serverFirst;
    }
    EXPECT_EQ(CScramClient::EscapeName("a=b,c"), "a=3Db=2Cc");
}

TEST(XmppCrypto, Base64RoundTripsAndRefusesMalformedText)
{
    const struct {
        const char* plain;
        const char* encoded;
    } kCases[] = {{"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}};
    for (const auto& c : kCases) {
        EXPECT_EQ(CQorCrypto::Base64Encode(c.plain), c.encoded);
        EXPECT_EQ(Decode(c.encoded), c.plain);
    }
    const std::string binary("\0\xff\x10 a", 5);
    EXPECT_EQ(Decode(CQorCrypto::Base64Encode(binary)), binary);
    std::string out;
    for (const char* bad : {"Zg=", "Z===", "Zg=a", "Zm9v!A==", "=Zm9"})
        EXPECT_FALSE(CQorCrypto::Base64Decode(bad, out)) << bad;
    EXPECT_EQ(CQorCrypto::Random(16).size(), 16u);
    EXPECT_NE(CQorCrypto::Random(16), CQorCrypto::Random(16));
}

const std::string kStream =
    "<?xml version='1.0'?><stream:stream xmlns='jabber:client' xmlns:stream='http://etherx.jabber.org/streams'"
    " from='localhost' version='1.0'><stream:features><mechanisms xmlns='urn:ietf:params:xml:ns:xmpp-sasl'>"
    "<mechanism>SCRAM-SHA-1</mechanism></mechanisms></stream:features>\n  "
    "<message from='bob@localhost/peer' type='chat' id='m1'><body>caf\xc3\xa9 &amp; &lt;tea&gt;</body>"
    "<msg xmlns='urn:korvel:core:0' type='7' sender-name='Bob B'><content>&lt;KTF/&gt;</content></msg></message>"
    "</stream:stream>";

TEST(XmppStreamParser, GivesTheSameStanzasWhateverPiecesTheBytesArriveIn)
{
    for (size_t piece : {kStream.size(), size_t(1), size_t(7), size_t(64)}) {
        XmppStreamRecorder rec;
        CXmppStreamParser parser(rec);
        for (size_t i = 0; i < kStream.size(); i += piece)
            ASSERT_TRUE(parser.Feed(kStream.data() + i, std::min(piece, kStream.size() - i))) << parser.Error();
        ASSERT_EQ(rec.opened, std::vector<std::string>{"localhost"}) << piece;
        ASSERT_EQ(rec.stanzas.size(), 2u) << piece;
        EXPECT_TRUE(rec.stanzas[0]->Is("features", CXmppStreamParser::kStreamNs));
        EXPECT_EQ(rec.stanzas[0]->Child("mechanisms")->ChildText("mechanism"), "SCRAM-SHA-1");
        const CXmlElement& msg = *rec.stanzas[1];
        EXPECT_TRUE(msg.Is("message", "jabber:client"));
        EXPECT_EQ(msg.ChildText("body"), "caf\xc3\xa9 & <tea>");
        EXPECT_EQ(msg.Child("msg", "urn:korvel:core:0")->Attr("sender-name"), "Bob B");
    }
}

// What cannot be skipped ends the stream; stanzas past a limit are skipped (XmppStreamLimitsTest).
TEST(XmppStreamParser, RefusesDocumentTypesMalformedXmlAndOtherRoots)
{
    const std::string open = "<stream:stream xmlns='jabber:client' xmlns:stream='http://etherx.jabber.org/streams'>";
    const std::string cases[] = {
        "<?xml version='1.0'?><!DOCTYPE x [<!ENTITY a 'aaaa'>]>" + open,
        open + "<message><body></message>",
        "<html>" + open,
    };
    for (const std::string& input : cases) {
        XmppStreamRecorder rec;
        CXmppStreamParser parser(rec);
        EXPECT_FALSE(parser.Feed(input.data(), input.size())) << input.substr(0, 80);
        EXPECT_FALSE(parser.Error().empty());
        EXPECT_TRUE(rec.stanzas.empty());
        // After a reset a new stream reads cleanly.
        parser.Reset();
        const std::string fine = open + "<presence/>";
        EXPECT_TRUE(parser.Feed(fine.data(), fine.size()));
        EXPECT_EQ(rec.stanzas.size(), 1u);
    }
}

std::unique_ptr<CXmlElement> ParseStanza(const std::string& xml)
{
    XmppStreamRecorder rec;
    CXmppStreamParser parser(rec);
    const std::string s = "<stream:stream xmlns='jabber:client' xmlns:stream='http://etherx.jabber.org/streams'>" + xml;
    EXPECT_TRUE(parser.Feed(s.data(), s.size())) << parser.Error();
    EXPECT_EQ(rec.stanzas.size(), 1u);
    return rec.stanzas.empty() ? nullptr : std::move(rec.stanzas[0]);
}

std::wstring Text(IQorMsg* p, HRESULT (STDMETHODCALLTYPE IQorMsg::*get)(BSTR*))
{
    BSTR b = nullptr;
    (p->*get)(&b);
    std::wstring s = b ? std::wstring(b, ::SysStringLen(b)) : std::wstring();
    ::SysFreeString(b);
    return s;
}

long Number(IQorMsg* p, HRESULT (STDMETHODCALLTYPE IQorMsg::*get)(long*))
{
    long n = -1;
    (p->*get)(&n);
    return n;
}

// What MapInbound raised: each event with its sink, and the objects (kept alive).
class EventRecorder : public CXmppStanzaMap::ITarget {
public:
    ~EventRecorder()
    {
        for (auto& m : msgs)
            m.second->Release();
        for (auto& c : cmds)
            std::get<2>(c)->Release();
    }
    void OnMessage(int nSink, IQorMsg* pMsg) override
    {
        pMsg->AddRef();
        msgs.emplace_back(nSink, pMsg);
    }
    void OnCommand(int nSink, bool bNotice, IQorCmd* pCmd) override
    {
        pCmd->AddRef();
        cmds.emplace_back(nSink, bNotice, pCmd);
    }
    std::vector<std::pair<int, IQorMsg*>> msgs;
    std::vector<std::tuple<int, bool, IQorCmd*>> cmds;
};

TEST(XmppStanzaMap, AChatMessageBecomesTheCoreMessageForBothSinks)
{
    auto st = ParseStanza("<message from='bob@localhost/peer' type='chat' id='m7'><body>Hi Ann</body>"
                          "<delay xmlns='urn:xmpp:delay' stamp='2026-12-10T08:30:05.123+02:00'/>"
                          "<msg xmlns='urn:korvel:core:0' type='11' flags='32' talk-id='t1' talk-name='Team'"
                          " sender-name='Bob Baker' extra-pair='a;b' key='k9'><content>&lt;KTF/&gt;</content>"
                          "<item>one</item><receiver account='ann' name='Ann'/><prop key='x' value='y'/></msg></message>");
    ASSERT_TRUE(st);
    EventRecorder rec;
    ASSERT_TRUE(CXmppStanzaMap::MapInbound(*st, "localhost", rec));
    ASSERT_EQ(rec.msgs.size(), 2u);
    EXPECT_EQ(rec.msgs[0].first, 0);
    EXPECT_EQ(rec.msgs[1].first, 1);
    IQorMsg* m = rec.msgs[1].second;
    EXPECT_EQ(Text(m, &IQorMsg::get_Sender), L"bob");
    EXPECT_EQ(Text(m, &IQorMsg::get_SenderName), L"Bob Baker");
    EXPECT_EQ(Text(m, &IQorMsg::get_Subject), L"Hi Ann");
    EXPECT_EQ(Text(m, &IQorMsg::get_SendTime), L"2026-12-10 06:30:05"); // the delay, in UTC
    EXPECT_EQ(Text(m, &IQorMsg::get_MsgID), L"m7");
    EXPECT_EQ(Number(m, &IQorMsg::get_MsgType), 11);
    EXPECT_EQ(Number(m, &IQorMsg::get_MsgFlags), 32);
    EXPECT_EQ(Text(m, &IQorMsg::get_TalkID), L"t1");
    EXPECT_EQ(Text(m, &IQorMsg::get_TalkName), L"Team");
    EXPECT_EQ(Text(m, &IQorMsg::get_ExtraPair), L"a;b");
    EXPECT_EQ(Text(m, &IQorMsg::get_MsgKey), L"k9");
    EXPECT_EQ(Text(m, &IQorMsg::get_Content), L"<KTF/>");
    long items = 0;
    m->ItemCount(0, &items);
    EXPECT_EQ(items, 1);

    // A sender of another domain keeps its whole address; a plain chat has type 0 and its
    // sender's name is the account.
    auto other = ParseStanza("<message from='eve@other.org/x' type='chat'><body>yo</body></message>");
    EventRecorder rec2;
    ASSERT_TRUE(CXmppStanzaMap::MapInbound(*other, "localhost", rec2));
    EXPECT_EQ(Text(rec2.msgs[1].second, &IQorMsg::get_Sender), L"eve@other.org");
    EXPECT_EQ(Text(rec2.msgs[1].second, &IQorMsg::get_SenderName), L"eve@other.org");
    EXPECT_EQ(Number(rec2.msgs[1].second, &IQorMsg::get_MsgType), 0);
    EXPECT_EQ(Text(rec2.msgs[1].second, &IQorMsg::get_SendTime).size(), 19u);
}

TEST(XmppStanzaMap, CommandsReachTheirSinkAndSlotWithTheirArguments)
{
    auto st = ParseStanza("<message from='localhost'><command xmlns='urn:korvel:core:0' name='C_NEWCHAT'>"
                          "<int>5</int><str>bob</str><field name='Sender'>bob</field></command></message>");
    EventRecorder rec;
    ASSERT_TRUE(CXmppStanzaMap::MapInbound(*st, "localhost", rec));
    ASSERT_EQ(rec.cmds.size(), 1u);
    EXPECT_EQ(std::get<0>(rec.cmds[0]), 1); // the application sink
    EXPECT_TRUE(std::get<1>(rec.cmds[0]));  // as a notice
    IQorCmd* c = std::get<2>(rec.cmds[0]);
    BSTR b = nullptr;
    c->get_Name(&b);
    EXPECT_EQ(std::wstring(b), L"C_NEWCHAT");
    ::SysFreeString(b);
    long n = 0;
    c->GetIntArg(0, &n);
    EXPECT_EQ(n, 5);
    BSTR field = ::SysAllocString(L"Sender"), value = nullptr;
    c->GetField(field, &value);
    EXPECT_EQ(std::wstring(value), L"bob");
    ::SysFreeString(field);
    ::SysFreeString(value);

    auto notify = ParseStanza("<message><command xmlns='urn:korvel:core:0' name='LSV' slot='command' sink='core'/></message>");
    EventRecorder rec2;
    ASSERT_TRUE(CXmppStanzaMap::MapInbound(*notify, "localhost", rec2));
    EXPECT_EQ(std::get<0>(rec2.cmds[0]), 0);
    EXPECT_FALSE(std::get<1>(rec2.cmds[0]));

    // Stanzas that carry no event of the core.
    for (const char* none : {"<message from='bob@localhost' type='chat'><active xmlns='http://jabber.org/protocol/chatstates'/></message>",
                             "<message type='error' from='bob@localhost'><body>x</body></message>",
                             "<presence from='bob@localhost'/>",
                             "<message><command xmlns='urn:korvel:core:0'/></message>"}) {
        auto s = ParseStanza(none);
        EventRecorder r;
        EXPECT_FALSE(CXmppStanzaMap::MapInbound(*s, "localhost", r)) << none;
        EXPECT_TRUE(r.msgs.empty() && r.cmds.empty());
    }
}

TEST(XmppStanzaMap, CommandsAreTakenOnlyFromTheServer)
{
    const struct {
        const char* from; // null: no sender at all
        bool taken;
    } kCases[] = {
        {nullptr, true},              // the server, on the account's behalf
        {"localhost", true},          // the server itself (its announcements)
        {"LocalHost", true},          // domains compare without case
        {"bob@localhost/peer", false}, // a contact
        {"bob@localhost", false},
        {"admin@localhost", false},   // an account, whatever its name
        {"localhost/announce", false}, // not the bare domain
        {"evil.localhost", false},
        {"localhost.evil", false},
        {"", false},
    };
    for (const auto& c : kCases) {
        const std::string from = c.from ? std::string(" from='") + c.from + "'" : std::string();
        auto st = ParseStanza("<message to='ann@localhost'" + from +
                              "><command xmlns='urn:korvel:core:0' name='OUT'><int>224</int></command></message>");
        ASSERT_TRUE(st);
        CQorCoreLog::Clear();
        EventRecorder rec;
        EXPECT_EQ(CXmppStanzaMap::MapInbound(*st, "localhost", rec), c.taken) << from;
        EXPECT_EQ(rec.cmds.size(), c.taken ? 1u : 0u) << from;
        EXPECT_TRUE(rec.msgs.empty());
        // A refused command is written down, with who sent it.
        const std::vector<std::string> log = CQorCoreLog::Lines();
        EXPECT_EQ(log.size(), c.taken ? 0u : 1u) << from;
        if (!c.taken && !log.empty()) {
            EXPECT_NE(log[0].find("'OUT' from '" + std::string(c.from) + "'"), std::string::npos) << log[0];
        }
    }
}

TEST(XmlElement, WhatGoesOutNeverHoldsACharacterXmlForbids)
{
    const std::string kFffd = "\xEF\xBF\xBD";
    const struct {
        std::string text;
        std::string arrives; // what a parser reads back
    } kCases[] = {
        {"line\vbreak", "line" + kFffd + "break"}, // a word processor's soft line break
        {std::string("nul\0here", 8), "nul" + kFffd + "here"},
        {"\x01\x08\x0C\x1F", kFffd + kFffd + kFffd + kFffd},
        {"tab\tline\nreturn\r\nend", "tab\tline\nreturn\r\nend"}, // kept exactly
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
        {"\xEF\xBF\xBE\xEF\xBF\xBF", kFffd + kFffd},  // U+FFFE, U+FFFF
        {"cut \xC3", "cut " + kFffd},                        // a sequence cut short
        {"\xED\xA0\x80", kFffd + kFffd + kFffd},            // an encoded surrogate
        {"\xC0\xAF", kFffd + kFffd},                        // an overlong slash
        {"\x80", kFffd},                                     // a stray continuation byte
        {"<&>'\"", "<&>'\""},
    };
    for (const auto& c : kCases) {
        CXmlElement message("message", "jabber:client");
        message.SetAttr("id", c.text);
        message.AddChild("body").SetText(c.text);
        auto back = ParseStanza(message.ToXml("jabber:client"));
        ASSERT_TRUE(back) << c.text;
        EXPECT_EQ(back->ChildText("body"), c.arrives) << c.text;
        EXPECT_EQ(back->Attr("id"), c.arrives) << c.text;
    }
}

TEST(XmppStanzaMap, AnOutgoingMessageGoesToEachReceiverAndReadsBackTheSame)
{
    CQorMsgObject* msg = new CQorMsgObject;
    auto put = [&](HRESULT (STDMETHODCALLTYPE IQorMsg::*set)(BSTR), const wchar_t* v) {
        BSTR b = ::SysAllocString(v);
        (msg->*set)(b);
        ::SysFreeString(b);
    };
    put(&IQorMsg::put_Subject, L"Lunch <at> 12 & 'then'");
    put(&IQorMsg::put_MsgID, L"id-1");
    put(&IQorMsg::put_TalkID, L"talk");
    msg->put_MsgType(3);
    BSTR a1 = ::SysAllocString(L"bob"), n1 = ::SysAllocString(L"Bob"), a2 = ::SysAllocString(L"eve@other.org");
    msg->AddReceiver(a1, n1);
    msg->AddReceiver(a2, n1);
    ::SysFreeString(a1);
    ::SysFreeString(n1);
    ::SysFreeString(a2);

    const std::vector<std::string> out = CXmppStanzaMap::MessageStanzas(msg, "localhost", "fallback");
    ASSERT_EQ(out.size(), 2u);
    auto first = ParseStanza(out[0]);
    auto second = ParseStanza(out[1]);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->Attr("to"), "bob@localhost");
    EXPECT_EQ(second->Attr("to"), "eve@other.org");
    EXPECT_EQ(first->Attr("id"), "id-1");
    first->SetAttr("from", "ann@localhost/Korvel");
    EventRecorder rec;
    ASSERT_TRUE(CXmppStanzaMap::MapInbound(*first, "localhost", rec));
    IQorMsg* back = rec.msgs[1].second;
    EXPECT_EQ(Text(back, &IQorMsg::get_Subject), L"Lunch <at> 12 & 'then'");
    EXPECT_EQ(Text(back, &IQorMsg::get_TalkID), L"talk");
    EXPECT_EQ(Number(back, &IQorMsg::get_MsgType), 3);
    EXPECT_EQ(Text(back, &IQorMsg::get_Sender), L"ann");
    msg->ClearReceivers();
    EXPECT_TRUE(CXmppStanzaMap::MessageStanzas(msg, "localhost", "f").empty());
    msg->Release();
}

TEST(XmppStanzaMap, StatusesAndTimestamps)
{
    // Busy and do not disturb each have their own show; away by choice or by idle time is away.
    const struct {
        int status;
        const char* show;
    } kPresence[] = {{3, ""}, {4, "dnd"}, {5, "away"}, {7, "away"}, {8, "xa"}};
    for (const auto& p : kPresence) {
        auto st = ParseStanza(CXmppStanzaMap::PresenceStanza(p.status, L"at lunch"));
        ASSERT_TRUE(st);
        EXPECT_FALSE(st->HasAttr("type")) << p.status;
        EXPECT_EQ(st->ChildText("show"), p.show) << p.status;
        EXPECT_EQ(st->ChildText("status", "jabber:client"), "at lunch");
        EXPECT_EQ(st->Child("status", CXmppStanzaMap::kNs)->Attr("code"), std::to_string(p.status));
    }
    // Invisible is the unavailable presence, and tells nothing of the status.
    auto invisible = ParseStanza(CXmppStanzaMap::PresenceStanza(6, L"at lunch"));
    ASSERT_TRUE(invisible);
    EXPECT_EQ(invisible->Attr("type"), "unavailable");
    EXPECT_TRUE(invisible->Children().empty());
    const struct {
        const char* stamp;
        const wchar_t* time;
    } kStamps[] = {{"2026-12-10T08:30:05Z", L"2026-12-10 08:30:05"},
                   {"2026-12-10T08:30:05.5Z", L"2026-12-10 08:30:05"},
                   {"2026-01-01T01:00:00+02:00", L"2025-12-31 23:00:00"},
                   {"2026-12-10 08:30:05", L""},
                   {"yesterday", L""}};
    for (const auto& s : kStamps)
        EXPECT_EQ(CXmppStanzaMap::StampToSendTime(s.stamp), s.time) << s.stamp;
}

TEST(XmppSession, AccountsFromLoginNames)
{
    const struct {
        const char* login;
        bool ok;
        const char* user;
        const char* domain;
    } kCases[] = {{"ann", true, "ann", "srv.example"},
                  {"ann@corp.example", true, "ann", "corp.example"},
                  {"", false, "", ""},
                  {"@corp", false, "", ""},
                  {"a b", false, "", ""},
                  {"ann<x>", false, "", ""}};
    for (const auto& c : kCases) {
        std::string user, domain;
        EXPECT_EQ(CXmppSession::SplitLoginName(c.login, "srv.example", user, domain), c.ok) << c.login;
        if (c.ok) {
            EXPECT_EQ(user, c.user);
            EXPECT_EQ(domain, c.domain);
        }
    }
    EXPECT_TRUE(CXmppSession::IsLoopbackHost("127.0.0.1", 5222));
    EXPECT_TRUE(CXmppSession::IsLoopbackHost("127.3.4.5", 5222));
    EXPECT_FALSE(CXmppSession::IsLoopbackHost("192.0.2.1", 5222));
}

TEST(TlsCertCheck, ClassifiesTheAnswersOfTheSslPolicyAndOfTheChain)
{
    const struct {
        HRESULT policy;
        DWORD chain;
        CTlsCertCheck::Verdict verdict;
    } kCases[] = {
        {S_OK, CERT_TRUST_NO_ERROR, CTlsCertCheck::CERT_OK},
        // Wine's SSL policy passes a chain it could not complete: the chain's own status tells.
        {S_OK, CERT_TRUST_IS_PARTIAL_CHAIN, CTlsCertCheck::CERT_UNTRUSTED},
        {S_OK, CERT_TRUST_IS_UNTRUSTED_ROOT, CTlsCertCheck::CERT_UNTRUSTED},
        {CERT_E_UNTRUSTEDROOT, CERT_TRUST_IS_UNTRUSTED_ROOT, CTlsCertCheck::CERT_UNTRUSTED},
        {CERT_E_CHAINING, CERT_TRUST_IS_PARTIAL_CHAIN, CTlsCertCheck::CERT_UNTRUSTED},
        {CERT_E_CN_NO_MATCH, CERT_TRUST_NO_ERROR, CTlsCertCheck::CERT_WRONG_NAME},
        // An unknown authority's word on the name counts for nothing.
        {CERT_E_CN_NO_MATCH, CERT_TRUST_IS_PARTIAL_CHAIN, CTlsCertCheck::CERT_UNTRUSTED},
        {CERT_E_EXPIRED, CERT_TRUST_IS_NOT_TIME_VALID, CTlsCertCheck::CERT_EXPIRED},
        {S_OK, CERT_TRUST_IS_NOT_TIME_VALID, CTlsCertCheck::CERT_EXPIRED},
        {CERT_E_REVOKED, CERT_TRUST_IS_REVOKED, CTlsCertCheck::CERT_INVALID},
        {S_OK, CERT_TRUST_IS_NOT_SIGNATURE_VALID, CTlsCertCheck::CERT_INVALID},
        {CERT_E_WRONG_USAGE, CERT_TRUST_IS_NOT_VALID_FOR_USAGE, CTlsCertCheck::CERT_INVALID},
        {TRUST_E_CERT_SIGNATURE, CERT_TRUST_NO_ERROR, CTlsCertCheck::CERT_INVALID},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(CTlsCertCheck::Classify(static_cast<DWORD>(c.policy), c.chain), c.verdict)
            << std::hex << c.policy << " " << c.chain;
}

} // namespace
