#include "standin/QorCore/CXmppStreamParser.h"
#include <expat.h>
#include <cstring>
#include <new>

namespace {

// Expat joins a namespace and a local name with this character.
const char kSep = '|';

// What a kept element and a kept attribute cost beyond their texts: the element itself, the
// pointer its parent holds, and the vectors' and strings' own parts.
const size_t kElementOverhead = sizeof(CXmlElement) + sizeof(std::unique_ptr<CXmlElement>);
const size_t kAttrOverhead = sizeof(std::pair<std::string, std::string>);

// Splits "namespace|local" into its parts; a name without namespace keeps it empty.
void SplitName(const char* full, std::string& ns, std::string& local)
{
    const char* bar = std::strrchr(full, kSep);
    if (!bar) {
        ns.clear();
        local = full;
    } else {
        ns.assign(full, static_cast<size_t>(bar - full));
        local = bar + 1;
    }
}

// The memory an element of this name and these attributes takes once built: its namespace is
// counted for every element that carries it, so a long namespace repeated on many children is
// paid for each time, as it is stored.
size_t ElementCost(const char* name, const char** attrs)
{
    size_t cost = kElementOverhead + std::strlen(name);
    for (int i = 0; attrs && attrs[i] && attrs[i + 1]; i += 2)
        cost += kAttrOverhead + std::strlen(attrs[i]) + std::strlen(attrs[i + 1]);
    return cost;
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

// Runs one step of a callback; an exception (memory ran out while building, or in the handler)
// must not unwind through expat's C frames: it ends the parse instead.
template <class Step>
void Guarded(CXmppStreamParser* self, void (CXmppStreamParser::*fail)(const char*), Step step)
{
    try {
        step();
    } catch (const std::bad_alloc&) {
        (self->*fail)("out of memory");
    } catch (...) {
        (self->*fail)("the stream's handler failed");
    }
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

bool CXmppStreamParser::Create()
{
    if (m_parser)
        XML_ParserFree(m_parser);
    m_pStanza.reset();
    m_nDepth = 0;
    m_nStanzaBytes = 0;
    m_strSkipping.clear();
    m_nFed = m_nReported = 0;
    m_bFailed = false;
    m_strError.clear();
    m_parser = XML_ParserCreateNS("UTF-8", kSep);
    if (!m_parser) {
        m_bFailed = true;
        m_strError = "out of memory";
        return false;
    }
    XML_SetUserData(m_parser, this);
    XML_SetElementHandler(m_parser, &CXmppStreamParser::StartElement, &CXmppStreamParser::EndElement);
    XML_SetCharacterDataHandler(m_parser, &CXmppStreamParser::CharData);
    XML_SetStartDoctypeDeclHandler(m_parser, &CXmppStreamParser::StartDoctype);
    // Expat may otherwise hold back a complete stanza whose bytes came in several reads until
    // more bytes arrive; on a stream they may never come (a sign-in answer waits for our next
    // step), so every complete token is parsed as soon as it is in.
    XML_SetReparseDeferralEnabled(m_parser, XML_FALSE);
    return true;
}

void CXmppStreamParser::Reset()
{
    Create();
}

bool CXmppStreamParser::Feed(const char* data, size_t n)
{
    if (m_bFailed || !m_parser)
        return false;
    while (n > 0) {
        const int piece = static_cast<int>(n < (1u << 30) ? n : (1u << 30));
        m_nFed += static_cast<uint32_t>(piece);
        if (XML_Parse(m_parser, data, piece, XML_FALSE) != XML_STATUS_OK) {
            if (m_strError.empty())
                m_strError = XML_ErrorString(XML_GetErrorCode(m_parser));
            m_bFailed = true;
            return false;
        }
        if (m_bFailed)
            return false;
        // What expat has not reported is a token it has not seen the end of, which it holds
        // whole (a start tag with an endless attribute): past the limit, the stream is refused.
        if (static_cast<uint32_t>(m_nFed - m_nReported) > static_cast<uint32_t>(kMaxStanzaBytes)) {
            Fail("a tag is too large");
            return false;
        }
        data += piece;
        n -= static_cast<size_t>(piece);
    }
    return true;
}

void CXmppStreamParser::Fail(const char* why)
{
    if (!m_bFailed) {
        m_bFailed = true;
        m_strError = why;
        XML_StopParser(m_parser, XML_FALSE);
    }
}

void CXmppStreamParser::NoteProgress()
{
    const uint32_t end = static_cast<uint32_t>(XML_GetCurrentByteIndex(m_parser)) +
                         static_cast<uint32_t>(XML_GetCurrentByteCount(m_parser));
    if (static_cast<int32_t>(end - m_nReported) > 0)
        m_nReported = end;
}

void CXmppStreamParser::Skip(const char* why)
{
    m_strSkipping = why;
    m_pStanza.reset();
    m_nStanzaBytes = 0;
}

void CXmppStreamParser::StartElement(void* user, const char* name, const char** attrs)
{
    auto* self = static_cast<CXmppStreamParser*>(user);
    Guarded(self, &CXmppStreamParser::Fail, [&] { self->OnStart(name, attrs); });
}

void CXmppStreamParser::EndElement(void* user, const char*)
{
    auto* self = static_cast<CXmppStreamParser*>(user);
    Guarded(self, &CXmppStreamParser::Fail, [&] { self->OnEnd(); });
}

void CXmppStreamParser::CharData(void* user, const char* s, int len)
{
    auto* self = static_cast<CXmppStreamParser*>(user);
    Guarded(self, &CXmppStreamParser::Fail, [&] { self->OnText(s, len); });
}

void CXmppStreamParser::StartDoctype(void* user, const char*, const char*, const char*, int)
{
    static_cast<CXmppStreamParser*>(user)->Fail("the stream carries a document type declaration");
}

void CXmppStreamParser::OnStart(const char* name, const char** attrs)
{
    if (m_bFailed)
        return;
    NoteProgress();
    if (m_nDepth == 0) {
        auto header = MakeElement(name, attrs);
        if (!header->Is("stream", kStreamNs)) {
            Fail("the stream does not open with a stream element");
            return;
        }
        m_nDepth = 1;
        m_handler.OnStreamOpen(*header);
        return;
    }
    if (m_strSkipping.empty()) {
        if (m_nDepth == 1)
            m_nStanzaBytes = 0;
        if (m_nDepth > kMaxDepth) {
            Skip("a stanza is nested too deeply");
        } else {
            m_nStanzaBytes += ElementCost(name, attrs);
            if (m_nStanzaBytes > kMaxStanzaBytes)
                Skip("a stanza is too large");
        }
    }
    if (!m_strSkipping.empty()) {
        // Expat keeps every open tag, so even a stanza being thrown away may not nest forever.
        if (++m_nDepth > kMaxSkipDepth)
            Fail("a stanza is nested too deeply to be skipped");
        return;
    }
    auto el = MakeElement(name, attrs);
    CXmlElement* raw = el.get();
    if (m_nDepth == 1)
        m_pStanza = std::move(el);
    else
        m_path[m_nDepth - 1]->AddChild(std::move(el));
    m_path[m_nDepth] = raw;
    ++m_nDepth;
}

void CXmppStreamParser::OnEnd()
{
    if (m_bFailed)
        return;
    NoteProgress();
    --m_nDepth;
    if (m_nDepth == 0) {
        m_handler.OnStreamClose();
    } else if (m_nDepth == 1) {
        if (!m_strSkipping.empty()) {
            const std::string why = std::move(m_strSkipping);
            m_strSkipping.clear();
            m_handler.OnStanzaDropped(why);
        } else if (m_pStanza) {
            m_nStanzaBytes = 0;
            m_handler.OnStanza(std::move(m_pStanza));
        }
    }
}

void CXmppStreamParser::OnText(const char* s, int len)
{
    if (m_bFailed)
        return;
    NoteProgress();
    if (m_nDepth < 2 || !m_strSkipping.empty())
        return; // white space between stanzas, or the text of a stanza being thrown away
    m_nStanzaBytes += static_cast<size_t>(len);
    if (m_nStanzaBytes > kMaxStanzaBytes) {
        Skip("a stanza is too large");
        return;
    }
    m_path[m_nDepth - 1]->AppendText(s, static_cast<size_t>(len));
}
