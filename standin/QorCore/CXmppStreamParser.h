#pragma once
// The reading side of an XMPP stream over expat. Bytes go in as they arrive from the socket, in
// pieces of any size; out come the stream's opening element (its attributes), each complete
// stanza as an element tree, and the stream's end. A stream may carry no document type
// declaration, and a stanza past the size limit or too deeply nested ends the stream as an
// error: the server's data never makes the core grow without bound.
#include "standin/QorCore/CXmlElement.h"
#include <memory>
#include <string>

struct XML_ParserStruct;

class CXmppStreamParser {
public:
    class IHandler {
    public:
        virtual void OnStreamOpen(const CXmlElement& header) = 0;
        virtual void OnStanza(std::unique_ptr<CXmlElement> stanza) = 0;
        virtual void OnStreamClose() = 0;

    protected:
        ~IHandler() = default;
    };

    // The namespace of the stream element itself.
    static constexpr const char* kStreamNs = "http://etherx.jabber.org/streams";
    // Limits: the bytes of one stanza and the depth of its elements.
    enum { kMaxStanzaBytes = 1 << 20, kMaxDepth = 32 };

    explicit CXmppStreamParser(IHandler& handler);
    ~CXmppStreamParser();
    CXmppStreamParser(const CXmppStreamParser&) = delete;
    CXmppStreamParser& operator=(const CXmppStreamParser&) = delete;

    // Parses the next bytes; false (and the parser is done) on malformed or refused input.
    bool Feed(const char* data, size_t n);
    // Forgets everything read: the next bytes start a new stream (after SASL succeeds).
    void Reset();
    // Why the last Feed failed; empty while it has not.
    const std::string& Error() const { return m_strError; }

private:
    static void StartElement(void* user, const char* name, const char** attrs);
    static void EndElement(void* user, const char* name);
    static void CharData(void* user, const char* s, int len);
    static void StartDoctype(void* user, const char*, const char*, const char*, int);
    void Create();
    void Fail(const char* why);

    IHandler& m_handler;
    XML_ParserStruct* m_parser = nullptr;
    std::unique_ptr<CXmlElement> m_pStanza; // the stanza being read
    CXmlElement* m_path[kMaxDepth + 1] = {}; // the open elements of the stanza, outermost first
    int m_nDepth = 0;                       // 0 outside the stream, 1 inside it, 2+ in a stanza
    size_t m_nStanzaBytes = 0;
    bool m_bFailed = false;
    std::string m_strError;
};
