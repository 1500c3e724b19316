// The stream parser against what a hostile sender can put on the stream: a stanza cut into reads
// anywhere still arrives with its last byte; a stanza past the memory or depth limit is thrown
// away while the stream goes on; what cannot be skipped ends the stream without first taking
// the memory; a handler that runs out of memory ends the parse, not the program.
#include "standin/QorCore/CXmppStreamParser.h"
#include "tests/standin/XmppStreamRecorder.h"
#include <gtest/gtest.h>
#include <string>

namespace {

const std::string kOpen = "<?xml version='1.0'?><stream:stream xmlns='jabber:client' "
                          "xmlns:stream='http://etherx.jabber.org/streams' from='localhost' version='1.0'>";
const std::string kNext = "<message from='bob@localhost/peer' type='chat'><body>next</body></message>";

// Feeds the text in reads of at most `piece` bytes, as a socket hands them over; false at the
// first refused read.
bool FeedInPieces(CXmppStreamParser& parser, const std::string& text, size_t piece = 8192)
{
    for (size_t i = 0; i < text.size(); i += piece) {
        if (!parser.Feed(text.data() + i, std::min(piece, text.size() - i)))
            return false;
    }
    return true;
}

std::string Nested(int depth)
{
    std::string s;
    for (int i = 0; i < depth; ++i)
        s += "<a>";
    for (int i = 0; i < depth; ++i)
        s += "</a>";
    return s;
}

TEST(XmppStreamLimits, AStanzaArrivesWhenItsLastByteDoesWhereverTheReadsAreCut)
{
    // The answer that ends a sign-in: the client waits for it and sends nothing meanwhile, so
    // a stanza held back until more bytes come would never arrive.
    const std::string stanza = "<success xmlns='urn:ietf:params:xml:ns:xmpp-sasl'>dj1ybUY5cHFWOFM3c3VBb1pXamE0ZEpSa0ZzS1E9"
                               "</success>";
    int failures = 0;
    for (size_t i = 1; i < stanza.size(); ++i) {
        for (size_t j = i + 1; j < stanza.size(); ++j) {
            XmppStreamRecorder rec;
            CXmppStreamParser parser(rec);
            ASSERT_TRUE(parser.Feed(kOpen.data(), kOpen.size()));
            ASSERT_TRUE(parser.Feed(stanza.data(), i));
            ASSERT_TRUE(parser.Feed(stanza.data() + i, j - i));
            const bool early = !rec.stanzas.empty();
            ASSERT_TRUE(parser.Feed(stanza.data() + j, stanza.size() - j));
            if (early || rec.stanzas.size() != 1) {
                if (++failures <= 5)
                    ADD_FAILURE() << "reads cut at " << i << " and " << j << ": " << rec.stanzas.size()
                                  << " stanzas at the end";
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST(XmppStreamLimits, AStanzaPastALimitIsThrownAwayAndTheStreamGoesOn)
{
    const std::string big(CXmppStreamParser::kMaxStanzaBytes + 1, 'x');
    // One namespace of 100,000 characters that every child carries: 20,000 children would
    // otherwise keep 2 GB of copies of it.
    std::string nsBomb = "<x xmlns='" + std::string(100000, 'n') + "'>";
    for (int i = 0; i < 20000; ++i)
        nsBomb += "<a/>";
    nsBomb += "</x>";
    std::string attrs = "<message>";
    for (int i = 0; i < 20000; ++i)
        attrs += "<a b='" + std::string(50, 'v') + "'/>";
    attrs += "</message>";
    const struct {
        const char* what;
        std::string stanza;
    } kCases[] = {
        {"a body past the limit", "<message><body>" + big + "</body></message>"},
        {"a long namespace on many children", nsBomb},
        {"many small elements with attributes", attrs},
        {"nested one level too deep", "<message>" + Nested(CXmppStreamParser::kMaxDepth) + "</message>"},
        {"nested far too deep to keep", "<message>" + Nested(CXmppStreamParser::kMaxSkipDepth - 2) + "</message>"},
    };
    for (const auto& c : kCases) {
        XmppStreamRecorder rec;
        CXmppStreamParser parser(rec);
        ASSERT_TRUE(FeedInPieces(parser, kOpen + c.stanza + kNext)) << c.what << ": " << parser.Error();
        EXPECT_EQ(rec.dropped.size(), 1u) << c.what;
        ASSERT_EQ(rec.stanzas.size(), 1u) << c.what;
        EXPECT_EQ(rec.stanzas[0]->ChildText("body"), "next") << c.what;
    }

    // Just inside the limits, a stanza is kept whole.
    XmppStreamRecorder rec;
    CXmppStreamParser parser(rec);
    const std::string deepest = "<message>" + Nested(CXmppStreamParser::kMaxDepth - 1) + "</message>";
    const std::string large = "<message><body>" + std::string(CXmppStreamParser::kMaxStanzaBytes / 2, 'y') +
                              "</body></message>";
    ASSERT_TRUE(FeedInPieces(parser, kOpen + deepest + large));
    EXPECT_TRUE(rec.dropped.empty());
    ASSERT_EQ(rec.stanzas.size(), 2u);
    EXPECT_EQ(rec.stanzas[1]->ChildText("body").size(), size_t(CXmppStreamParser::kMaxStanzaBytes / 2));
}

TEST(XmppStreamLimits, WhatCannotBeSkippedEndsTheStreamBeforeItIsHeldWhole)
{
    // A start tag that never ends: expat would hold it whole however long it grows.
    const std::string endlessTag = "<message to='" + std::string(4 * CXmppStreamParser::kMaxStanzaBytes, 'a');
    const std::string endlessName = "<" + std::string(4 * CXmppStreamParser::kMaxStanzaBytes, 'm');
    std::string tooDeep = "<message>";
    for (int i = 0; i < CXmppStreamParser::kMaxSkipDepth + 10; ++i)
        tooDeep += "<a>";
    for (const std::string& hostile : {endlessTag, endlessName, tooDeep}) {
        XmppStreamRecorder rec;
        CXmppStreamParser parser(rec);
        const std::string input = kOpen + hostile;
        size_t fed = 0;
        bool refused = false;
        for (; fed < input.size() && !refused; fed += 8192)
            refused = !parser.Feed(input.data() + fed, std::min<size_t>(8192, input.size() - fed));
        EXPECT_TRUE(refused) << hostile.substr(0, 20);
        EXPECT_FALSE(parser.Error().empty());
        // Refused as soon as the limit was passed, not at the end of what came.
        if (hostile != tooDeep) {
            EXPECT_LE(fed, size_t(CXmppStreamParser::kMaxStanzaBytes) + 2 * 8192 + kOpen.size());
        }
        EXPECT_TRUE(rec.stanzas.empty());
    }
}

TEST(XmppStreamLimits, AHandlerOutOfMemoryEndsTheParseNotTheProgram)
{
    XmppStreamRecorder rec;
    rec.failNextStanza = true;
    CXmppStreamParser parser(rec);
    const std::string input = kOpen + kNext;
    EXPECT_FALSE(parser.Feed(input.data(), input.size()));
    EXPECT_EQ(parser.Error(), "out of memory");
    // The stream is over: nothing more is taken until it starts again.
    EXPECT_FALSE(parser.Feed(kNext.data(), kNext.size()));
    parser.Reset();
    rec.failNextStanza = false;
    EXPECT_TRUE(parser.Feed(input.data(), input.size()));
    EXPECT_EQ(rec.stanzas.size(), 1u);
}

} // namespace
