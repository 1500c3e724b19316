#include "standin/QorCore/CXmppStanzaMap.h"
#include "framework/CString.h"
#include "standin/QorCore/CQorCmdObject.h"
#include "standin/QorCore/CQorCoreLog.h"
#include "standin/QorCore/CQorMsgObject.h"
#include <cstdio>
#include <cstdlib>

namespace {

const char kClientNs[] = "jabber:client";
const char kDelayNs[] = "urn:xmpp:delay";

// A BSTR for the length of one call.
class Bstr {
public:
    explicit Bstr(const std::wstring& s) : m_b(::SysAllocStringLen(s.data(), static_cast<UINT>(s.size()))) {}
    explicit Bstr(const std::string& utf8) : Bstr(CXmppStanzaMap::Wide(utf8)) {}
    ~Bstr() { ::SysFreeString(m_b); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    operator BSTR() const { return m_b; }

private:
    BSTR m_b;
};

std::wstring Text(IQorMsg* pMsg, HRESULT (STDMETHODCALLTYPE IQorMsg::*getter)(BSTR*))
{
    BSTR b = nullptr;
    (pMsg->*getter)(&b);
    std::wstring s = BstrText(b);
    ::SysFreeString(b);
    return s;
}

long Number(IQorMsg* pMsg, HRESULT (STDMETHODCALLTYPE IQorMsg::*getter)(long*))
{
    long n = 0;
    (pMsg->*getter)(&n);
    return n;
}

long ToLong(const std::string& s)
{
    return std::strtol(s.c_str(), nullptr, 10);
}

// Domains compare without case.
bool SameDomain(const std::string& a, const std::string& b)
{
    return CString(CXmppStanzaMap::Wide(a).c_str()).CompareNoCase(CXmppStanzaMap::Wide(b).c_str()) == 0;
}

std::string BareJid(const std::string& jid)
{
    const size_t slash = jid.find('/');
    return slash == std::string::npos ? jid : jid.substr(0, slash);
}

// Fills a command object from <command/>: <int>n</int>, <str>text</str>, <field name=''>v</field>.
IQorCmd* MakeCommand(const CXmlElement& command)
{
    CQorCmdObject* pCmd = new CQorCmdObject;
    pCmd->put_Name(Bstr(command.Attr("name")));
    for (const auto& c : command.Children()) {
        if (c->Name() == "int")
            pCmd->AddIntArg(ToLong(c->Text()));
        else if (c->Name() == "str")
            pCmd->AddStrArg(Bstr(c->Text()));
        else if (c->Name() == "field")
            pCmd->SetField(Bstr(c->Attr("name")), Bstr(c->Text()));
    }
    return pCmd;
}

IQorMsg* MakeMessage(const CXmlElement& st, const CXmlElement* ext, const std::string& strOwnDomain)
{
    static const CXmlElement kNone;
    const CXmlElement& x = ext ? *ext : kNone;
    CQorMsgObject* pMsg = new CQorMsgObject;
    const std::wstring sender = CXmppStanzaMap::JidToAccount(BareJid(st.Attr("from")), strOwnDomain);
    pMsg->put_Sender(Bstr(sender));
    pMsg->put_SenderName(x.HasAttr("sender-name") ? Bstr(x.Attr("sender-name")) : Bstr(sender));
    pMsg->put_Subject(Bstr(st.ChildText("body", kClientNs)));

    std::wstring time = CXmppStanzaMap::Wide(x.Attr("time"));
    if (time.empty()) {
        if (const CXmlElement* delay = st.Child("delay", kDelayNs))
            time = CXmppStanzaMap::StampToSendTime(delay->Attr("stamp"));
    }
    pMsg->put_SendTime(Bstr(time.empty() ? CXmppStanzaMap::NowSendTime() : time));
    pMsg->put_MsgID(Bstr(x.HasAttr("id") ? x.Attr("id") : st.Attr("id")));
    pMsg->put_MsgType(ToLong(x.Attr("type")));
    pMsg->put_MsgFlags(ToLong(x.Attr("flags")));
    pMsg->put_ExtraNumber(ToLong(x.Attr("extra-number")));
    pMsg->put_TalkID(Bstr(x.Attr("talk-id")));
    pMsg->put_TalkName(Bstr(x.Attr("talk-name")));
    pMsg->put_MsgKey(Bstr(x.Attr("key")));
    pMsg->put_ContentType(Bstr(x.Attr("content-type")));
    pMsg->put_ExtraPair(Bstr(x.Attr("extra-pair")));
    pMsg->put_Text3(Bstr(x.Attr("text3")));
    pMsg->put_Text4(Bstr(x.Attr("text4")));
    for (const auto& c : x.Children()) {
        if (c->Name() == "content")
            pMsg->put_Content(Bstr(c->Text()));
        else if (c->Name() == "receiver")
            pMsg->AddReceiver(Bstr(c->Attr("account")), Bstr(c->Attr("name")));
        else if (c->Name() == "file")
            pMsg->AddFile(Bstr(c->Attr("path")));
        else if (c->Name() == "item")
            pMsg->AddItem(Bstr(c->Text()));
        else if (c->Name() == "prop")
            pMsg->SetProperty(Bstr(c->Attr("key")), Bstr(c->Attr("value")));
    }
    return pMsg;
}

void SetIfAny(CXmlElement& el, const char* name, const std::wstring& value)
{
    if (!value.empty())
        el.SetAttr(name, CXmppStanzaMap::Utf8(value));
}

void SetIfAny(CXmlElement& el, const char* name, long value)
{
    if (value)
        el.SetAttr(name, std::to_string(value));
}

} // namespace

std::string CXmppStanzaMap::Utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring CXmppStanzaMap::Wide(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

std::string CXmppStanzaMap::AccountToJid(const std::wstring& strAccount, const std::string& strOwnDomain)
{
    const std::string account = Utf8(strAccount);
    return account.find('@') == std::string::npos ? account + "@" + strOwnDomain : account;
}

std::wstring CXmppStanzaMap::JidToAccount(const std::string& strJid, const std::string& strOwnDomain)
{
    const size_t at = strJid.find('@');
    if (at != std::string::npos && strJid.compare(at + 1, std::string::npos, strOwnDomain) == 0)
        return Wide(strJid.substr(0, at));
    return Wide(strJid);
}

std::wstring CXmppStanzaMap::StampToSendTime(const std::string& stamp)
{
    int y, mo, d, h, mi, s;
    char t = 0;
    if (std::sscanf(stamp.c_str(), "%4d-%2d-%2d%c%2d:%2d:%2d", &y, &mo, &d, &t, &h, &mi, &s) != 7 || t != 'T')
        return std::wstring();
    // The zone after the seconds (and their fraction): "Z" or "+hh:mm"/"-hh:mm".
    size_t pos = 19;
    while (pos < stamp.size() && (stamp[pos] == '.' || (stamp[pos] >= '0' && stamp[pos] <= '9')))
        ++pos;
    int offset = 0;
    if (pos < stamp.size() && (stamp[pos] == '+' || stamp[pos] == '-')) {
        int oh = 0, om = 0;
        if (std::sscanf(stamp.c_str() + pos + 1, "%2d:%2d", &oh, &om) != 2)
            return std::wstring();
        offset = (stamp[pos] == '+' ? 1 : -1) * (oh * 60 + om);
    } else if (pos >= stamp.size() || stamp[pos] != 'Z') {
        return std::wstring();
    }
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(mo);
    st.wDay = static_cast<WORD>(d);
    st.wHour = static_cast<WORD>(h);
    st.wMinute = static_cast<WORD>(mi);
    st.wSecond = static_cast<WORD>(s);
    FILETIME ft;
    if (!::SystemTimeToFileTime(&st, &ft))
        return std::wstring();
    ULARGE_INTEGER v;
    v.LowPart = ft.dwLowDateTime;
    v.HighPart = ft.dwHighDateTime;
    v.QuadPart -= static_cast<LONGLONG>(offset) * 60 * 10000000LL;
    ft.dwLowDateTime = v.LowPart;
    ft.dwHighDateTime = v.HighPart;
    if (!::FileTimeToSystemTime(&ft, &st))
        return std::wstring();
    wchar_t buf[32];
    swprintf(buf, 32, L"%04u-%02u-%02u %02u:%02u:%02u", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    return buf;
}

std::wstring CXmppStanzaMap::NowSendTime()
{
    SYSTEMTIME st;
    ::GetSystemTime(&st);
    wchar_t buf[32];
    swprintf(buf, 32, L"%04u-%02u-%02u %02u:%02u:%02u", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    return buf;
}

bool CXmppStanzaMap::MapInbound(const CXmlElement& stanza, const std::string& strOwnDomain, ITarget& target)
{
    if (stanza.Ns() != kClientNs || stanza.Name() != "message" || stanza.Attr("type") == "error")
        return false;
    if (const CXmlElement* command = stanza.Child("command", kNs)) {
        if (command->Attr("name").empty())
            return false;
        if (!IsFromServer(stanza, strOwnDomain)) {
            // The server stamps every contact's stanza with the contact's address, so a command
            // with any other sender is someone trying to sign the user out or change the status.
            CQorCoreLog::Write("dropped the command " + CQorCoreLog::Quote(command->Attr("name")) + " from " +
                               CQorCoreLog::Quote(stanza.Attr("from")) + ": only the server gives commands");
            return false;
        }
        const int sink = command->Attr("sink") == "core" ? 0 : 1;
        // A notice reaches the application's commands; "command" the notifications of the core.
        const bool notice = command->Attr("slot") != "command";
        IQorCmd* pCmd = MakeCommand(*command);
        target.OnCommand(sink, notice, pCmd);
        pCmd->Release();
        return true;
    }
    const CXmlElement* ext = stanza.Child("msg", kNs);
    if (!ext && !stanza.Child("body", kClientNs))
        return false; // chat states, receipts and other messages without text
    IQorMsg* pMsg = MakeMessage(stanza, ext, strOwnDomain);
    // The view library keeps the conversation; the main window raises the tip.
    target.OnMessage(0, pMsg);
    target.OnMessage(1, pMsg);
    pMsg->Release();
    return true;
}

bool CXmppStanzaMap::IsFromServer(const CXmlElement& stanza, const std::string& strOwnDomain)
{
    return !stanza.HasAttr("from") || SameDomain(stanza.Attr("from"), strOwnDomain);
}

std::vector<std::string> CXmppStanzaMap::MessageStanzas(IQorMsg* pMsg, const std::string& strOwnDomain,
                                                        const std::string& strFallbackId)
{
    std::vector<std::string> out;
    if (!pMsg)
        return out;
    CXmlElement ext("msg", kNs);
    SetIfAny(ext, "id", Text(pMsg, &IQorMsg::get_MsgID));
    SetIfAny(ext, "type", Number(pMsg, &IQorMsg::get_MsgType));
    SetIfAny(ext, "flags", Number(pMsg, &IQorMsg::get_MsgFlags));
    SetIfAny(ext, "extra-number", Number(pMsg, &IQorMsg::get_ExtraNumber));
    SetIfAny(ext, "sender-name", Text(pMsg, &IQorMsg::get_SenderName));
    SetIfAny(ext, "time", Text(pMsg, &IQorMsg::get_SendTime));
    SetIfAny(ext, "talk-id", Text(pMsg, &IQorMsg::get_TalkID));
    SetIfAny(ext, "talk-name", Text(pMsg, &IQorMsg::get_TalkName));
    SetIfAny(ext, "key", Text(pMsg, &IQorMsg::get_MsgKey));
    SetIfAny(ext, "content-type", Text(pMsg, &IQorMsg::get_ContentType));
    SetIfAny(ext, "extra-pair", Text(pMsg, &IQorMsg::get_ExtraPair));
    SetIfAny(ext, "text3", Text(pMsg, &IQorMsg::get_Text3));
    SetIfAny(ext, "text4", Text(pMsg, &IQorMsg::get_Text4));
    const std::wstring content = Text(pMsg, &IQorMsg::get_Content);
    if (!content.empty())
        ext.AddChild("content").SetText(Utf8(content));

    long receivers = 0, files = 0, items = 0, props = 0;
    pMsg->get_ReceiverCount(&receivers);
    pMsg->get_FileCount(&files);
    pMsg->ItemCount(0, &items);
    pMsg->get_PropertyCount(&props);
    std::vector<std::string> to;
    for (long i = 0; i < receivers; ++i) {
        BSTR account = nullptr, name = nullptr;
        if (SUCCEEDED(pMsg->GetReceiver(i, &account, &name))) {
            ext.AddChild("receiver").SetAttr("account", Utf8(BstrText(account))).SetAttr("name", Utf8(BstrText(name)));
            if (::SysStringLen(account))
                to.push_back(AccountToJid(BstrText(account), strOwnDomain));
        }
        ::SysFreeString(account);
        ::SysFreeString(name);
    }
    for (long i = 0; i < files; ++i) {
        BSTR path = nullptr;
        if (SUCCEEDED(pMsg->GetFile(i, &path)))
            ext.AddChild("file").SetAttr("path", Utf8(BstrText(path)));
        ::SysFreeString(path);
    }
    for (long i = 0; i < items; ++i) {
        BSTR text = nullptr;
        if (SUCCEEDED(pMsg->GetItem(i, &text)))
            ext.AddChild("item").SetText(Utf8(BstrText(text)));
        ::SysFreeString(text);
    }
    for (long i = 0; i < props; ++i) {
        BSTR key = nullptr, value = nullptr;
        if (SUCCEEDED(pMsg->GetPropertyAt(i, &key, &value)))
            ext.AddChild("prop").SetAttr("key", Utf8(BstrText(key))).SetAttr("value", Utf8(BstrText(value)));
        ::SysFreeString(key);
        ::SysFreeString(value);
    }

    std::string id = Utf8(Text(pMsg, &IQorMsg::get_MsgID));
    if (id.empty())
        id = strFallbackId;
    const std::string body = Utf8(Text(pMsg, &IQorMsg::get_Subject));
    const std::string extXml = ext.ToXml(kClientNs);
    for (const std::string& jid : to) {
        CXmlElement message("message", kClientNs);
        message.SetAttr("type", "chat").SetAttr("to", jid).SetAttr("id", id);
        if (!body.empty())
            message.AddChild("body").SetText(body);
        std::string xml = message.ToXml(kClientNs);
        // The extension goes in just before the closing tag.
        if (xml.size() > 2 && xml.compare(xml.size() - 2, 2, "/>") == 0)
            xml = xml.substr(0, xml.size() - 2) + ">" + extXml + "</message>";
        else
            xml.insert(xml.size() - std::string("</message>").size(), extXml);
        out.push_back(xml);
    }
    return out;
}

bool CXmppStanzaMap::IsInvisible(int nStatus)
{
    return nStatus == kStatusInvisible;
}

std::string CXmppStanzaMap::PresenceStanza(int nStatus, const std::wstring& strText)
{
    CXmlElement presence("presence", kClientNs);
    // Invisible: no available presence at all, so the server tells every contact the user is
    // offline, while the session stays up and messages to it still arrive. Nothing of the
    // status (its text included) goes with it.
    if (IsInvisible(nStatus)) {
        presence.SetAttr("type", "unavailable");
        return presence.ToXml(kClientNs);
    }
    // The show values XMPP knows: "dnd" means busy; the user who wants no popups at all (8)
    // will not see a message for a while, which contacts read as extended away; away, chosen or
    // by idle time, is "away". Online shows nothing.
    const char* show = nullptr;
    switch (nStatus) {
    case 4: show = "dnd"; break;
    case 5:
    case 7: show = "away"; break;
    case 8: show = "xa"; break;
    default: break;
    }
    if (show)
        presence.AddChild("show").SetText(show);
    if (!strText.empty())
        presence.AddChild("status").SetText(Utf8(strText));
    presence.AddChild("status", kNs).SetAttr("code", std::to_string(nStatus));
    return presence.ToXml(kClientNs);
}
