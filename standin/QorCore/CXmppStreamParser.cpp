#include "standin/QorCore/CXmppStreamParser.h"
#include <expat.h>

namespace {

// Expat joins a namespace and a local name with this character.
const char kSep = '|';

// Splits "namespace|local" into its parts; a name without namespace keeps it empty.
void SplitName(const char* full, std::string& ns, std::string& local)
{
    const std::string s(full);
    const size_t bar = s.rfind(kSep);
    if (bar == std::string::npos) {
        ns.clear();
        local = s;
    } else {
        ns = s.substr(0, bar);
        local = s.substr(bar + 1);
    }
}

std::unique_ptr<CXmlElement> MakeElement(const char* name, const char** attrs)
{
    std::string ns, local;
    SplitName(name, ns, local);
    auto el = std::make_unique<CXmlElement>(local, ns);
    for (int i = 0; attrs && attrs[i] && attrs[i + 1]; i += 2)
        el->SetAttr(attrs[i], attrs[i + 1]);
    return el;
}

} // namespace

CXmppStreamParser::CXmppStreamParser(IHandler& handler) : m_handler(handler)
{
    Create();
}

CXmppStreamParser::~CXmppStreamParser()
{
    if (m_parser)
        XML_ParserFree(m_parser);
}

void CXmppStreamParser::Create()
{
    if (m_parser)
        XML_ParserFree(m_parser);
    m_parser = XML_ParserCreateNS("UTF-8", kSep);
    XML_SetUserData(m_parser, this);
    XML_SetElementHandler(m_parser, &CXmppStreamParser::StartElement, &CXmppStreamParser::EndElement);
    XML_SetCharacterDataHandler(m_parser, &CXmppStreamParser::CharData);
    XML_SetStartDoctypeDeclHandler(m_parser, &CXmppStreamParser::StartDoctype);
    m_pStanza.reset();
    m_nDepth = 0;
    m_nStanzaBytes = 0;
    m_bFailed = false;
    m_strError.clear();
}

void CXmppStreamParser::Reset()
{
    Create();
}

bool CXmppStreamParser::Feed(const char* data, size_t n)
{
    if (m_bFailed || !m_parser)
        return false;
    if (XML_Parse(m_parser, data, static_cast<int>(n), XML_FALSE) != XML_STATUS_OK) {
        if (m_strError.empty())
            m_strError = XML_ErrorString(XML_GetErrorCode(m_parser));
        m_bFailed = true;
        return false;
    }
    return !m_bFailed;
}

void CXmppStreamParser::Fail(const char* why)
{
    if (!m_bFailed) {
        m_bFailed = true;
        m_strError = why;
        XML_StopParser(m_parser, XML_FALSE);
    }
}

void CXmppStreamParser::StartElement(void* user, const char* name, const char** attrs)
{
    auto* self = static_cast<CXmppStreamParser*>(user);
    if (self->m_bFailed)
        return;
    if (self->m_nDepth == 0) {
        auto header = MakeElement(name, attrs);
        if (!header->Is("stream", kStreamNs)) {
            self->Fail("the stream does not open with a stream element");
            return;
        }
        self->m_nDepth = 1;
        self->m_handler.OnStreamOpen(*header);
        return;
    }
    if (self->m_nDepth > kMaxDepth) {
        self->Fail("a stanza is nested too deeply");
        return;
    }
    auto el = MakeElement(name, attrs);
    CXmlElement* raw = el.get();
    if (self->m_nDepth == 1)
        self->m_nStanzaBytes = 0;
    self->m_nStanzaBytes += el->Name().size() + 2;
    for (const auto& a : el->Attrs())
        self->m_nStanzaBytes += a.first.size() + a.second.size() + 4;
    if (self->m_nStanzaBytes > kMaxStanzaBytes) {
        self->Fail("a stanza is too large");
        return;
    }
    if (self->m_nDepth == 1) {
        self->m_pStanza = std::move(el);
    } else {
        self->m_path[self->m_nDepth - 1]->AddChild(std::move(el));
    }
    self->m_path[self->m_nDepth] = raw;
    ++self->m_nDepth;
}

void CXmppStreamParser::EndElement(void* user, const char*)
{
    auto* self = static_cast<CXmppStreamParser*>(user);
    if (self->m_bFailed)
        return;
    --self->m_nDepth;
    if (self->m_nDepth == 0) {
        self->m_handler.OnStreamClose();
    } else if (self->m_nDepth == 1 && self->m_pStanza) {
        std::unique_ptr<CXmlElement> stanza = std::move(self->m_pStanza);
        self->m_handler.OnStanza(std::move(stanza));
    }
}

void CXmppStreamParser::CharData(void* user, const char* s, int len)
{
    auto* self = static_cast<CXmppStreamParser*>(user);
    if (self->m_bFailed || self->m_nDepth < 2)
        return; // white space between stanzas
    self->m_nStanzaBytes += static_cast<size_t>(len);
    if (self->m_nStanzaBytes > kMaxStanzaBytes) {
        self->Fail("a stanza is too large");
        return;
    }
    self->m_path[self->m_nDepth - 1]->AppendText(s, static_cast<size_t>(len));
}

void CXmppStreamParser::StartDoctype(void* user, const char*, const char*, const char*, int)
{
    static_cast<CXmppStreamParser*>(user)->Fail("the stream carries a document type declaration");
}
