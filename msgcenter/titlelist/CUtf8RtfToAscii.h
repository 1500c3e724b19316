#pragma once
// The rich edit keeps every character of its text only when it writes UTF-8 RTF ("\urtf",
// EM_STREAMOUT with SF_USECODEPAGE and CP_UTF8): its plain RTF writes each character through the
// ANSI code page, with best fit, so that a full-width colon comes out as ":". Word processors read
// the 7-bit RTF in which a character beyond ASCII is "\uN?" (N its UTF-16 unit as a signed 16-bit
// number, "?" what a reader without Unicode shows instead). This turns the first into the second,
// chunk by chunk as the stream comes.
#include <string>

class CUtf8RtfToAscii {
public:
    // Appends the 7-bit form of the next chunk of the stream to out. A character split between
    // two chunks is written when the next chunk completes it.
    void Convert(const char* p, size_t n, std::string& out);
    // The end of the stream: what is left (the start of a stream too short to have its header
    // read, the bytes of an unfinished character) is appended as it can be.
    void Finish(std::string& out);

private:
    void ConvertBody(const char* p, size_t n, std::string& out);
    // The stream's first control word, "\urtf" and its number, becomes "\rtf1\ansi\uc1" (the
    // characters then stand in "\u" words, each followed by one stand-in character). False
    // while the chunk so far is too short to tell.
    bool TakeHeader(std::string& out, bool bAtEnd);
    static void AppendUnit(unsigned unit, std::string& out);
    static void AppendByte(unsigned char byte, std::string& out);

    bool m_bHeaderDone = false;
    std::string m_head;    // the stream's start until its first control word is known
    std::string m_pending; // the bytes of a character not yet complete
};
