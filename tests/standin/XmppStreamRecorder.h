#pragma once
// What a stream parser handed on: the stream's openings (their "from"), the stanzas, and why
// each dropped stanza was dropped. Optionally it runs out of memory at the next stanza.
#include "standin/QorCore/CXmppStreamParser.h"
#include <memory>
#include <new>
#include <string>
#include <vector>

class XmppStreamRecorder : public CXmppStreamParser::IHandler {
public:
    void OnStreamOpen(const CXmlElement& header) override { opened.push_back(header.Attr("from")); }
    void OnStanza(std::unique_ptr<CXmlElement> stanza) override
    {
        if (failNextStanza)
            throw std::bad_alloc();
        stanzas.push_back(std::move(stanza));
    }
    void OnStanzaDropped(const std::string& why) override { dropped.push_back(why); }
    void OnStreamClose() override { closed = true; }

    std::vector<std::string> opened;
    std::vector<std::unique_ptr<CXmlElement>> stanzas;
    std::vector<std::string> dropped;
    bool closed = false;
    bool failNextStanza = false;
};
