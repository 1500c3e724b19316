#pragma once
// The reading side of an XMPP stream over expat. Bytes go in as they arrive from the socket, in
// pieces of any size; out come the stream's opening element (its attributes), each complete
// stanza as an element tree as soon as its last byte is in, and the stream's end.
//
// What others send is bounded before it is kept: a stanza whose tree would take more memory than
// kMaxStanzaBytes (its names, namespaces, attributes, text and the bookkeeping of each element
// all counted) or that is nested deeper than kMaxDepth is not built further; the rest of it is
// read and thrown away, the handler hears that it was dropped, and the stream goes on. Only what
// cannot be skipped ends the stream as an error: a tag still unfinished after kMaxStanzaBytes
// (expat would hold it whole), nesting past kMaxSkipDepth (expat keeps every open tag), a
// document type declaration, malformed XML, and a handler that ran out of memory. No exception
// leaves Feed.
#include "standin/QorCore/CXmlElement.h"
#include <cstdint>
#include <memory>
#include <string>

struct XML_ParserStruct;

class CXmppStreamParser {
public:
    class IHandler {
    public:
        virtual void OnStreamOpen(const CXmlElement& header) = 0;
        virtual void OnStanza(std::unique_ptr<CXmlElement> stanza) = 0;
        // A stanza past a limit was read to its end and thrown away; why says which limit.
        virtual void OnStanzaDropped(const std::string& why) = 0;
        virtual void OnStreamClose() = 0;

    protected:
        ~IHandler() = default;
    };

    // The namespace of the stream element itself.
    static constexpr const char* kStreamNs = "http://etherx.jabber.org/streams";
    // Limits: the memory of one stanza's tree, the depth of the elements kept, and the depth up
    // to which a stanza past a limit is still skipped rather than ending the stream. Expat keeps
    // some 80 bytes for each open tag, so a skipped stanza costs 8 MB at most; a deeper one
    // needs more than 300 KB, past what servers relay (Prosody takes 256 KB from a client).
    enum { kMaxStanzaBytes = 1 << 20, kMaxDepth = 32, kMaxSkipDepth = 100000 };

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
    void OnStart(const char* name, const char** attrs);
    void OnEnd();
    void OnText(const char* s, int len);
    // Notes how far expat has reported: what lies beyond is an unfinished token it holds.
    void NoteProgress();
    // Stops building the current stanza: the rest of it is read and thrown away.
    void Skip(const char* why);
    bool Create();
    void Fail(const char* why);

    IHandler& m_handler;
    XML_ParserStruct* m_parser = nullptr;
    std::unique_ptr<CXmlElement> m_pStanza; // the stanza being read
    CXmlElement* m_path[kMaxDepth + 1] = {}; // the open elements of the stanza, outermost first
    int m_nDepth = 0;                       // 0 outside the stream, 1 inside it, 2+ in a stanza
    size_t m_nStanzaBytes = 0;              // memory of the stanza's tree so far
    std::string m_strSkipping;              // why the current stanza is being thrown away
    // Bytes fed and bytes expat has reported events for, both since the stream began and
    // counted modulo 2^32 (expat's own index is 32 bits here); only their difference is used.
    uint32_t m_nFed = 0;
    uint32_t m_nReported = 0;
    bool m_bFailed = false;
    std::string m_strError;
};
