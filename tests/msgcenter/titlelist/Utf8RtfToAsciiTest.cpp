// The rich edit's UTF-8 RTF turned into the 7-bit RTF word processors read: each character
// beyond ASCII a "\u" word (surrogate pairs as two), the header word made "\rtf1", whatever way
// the stream is cut into chunks; bytes that are no UTF-8 kept as bytes.
#include "msgcenter/titlelist/CUtf8RtfToAscii.h"
#include <gtest/gtest.h>
#include <string>

namespace {

std::string ConvertInChunks(const std::string& in, size_t chunk)
{
    CUtf8RtfToAscii converter;
    std::string out;
    for (size_t at = 0; at < in.size(); at += chunk)
        converter.Convert(in.data() + at, std::min(chunk, in.size() - at), out);
    converter.Finish(out);
    return out;
}

} // namespace

TEST(Utf8RtfToAscii, EveryCharacterBecomesAUnicodeWordInEveryChunking)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        // Wine's header and a full-width colon, Chinese, Cyrillic and an emoji (two units).
        {"{\\urtf\\deff0 A\xEF\xBC\x9A" "B \xE4\xB8\xAD \xD0\x9F \xF0\x9F\x98\x80}",
         "{\\rtf1\\ansi\\uc1\\deff0 A\\u-230?B \\u20013? \\u1055? \\u-10179?\\u-8704?}"},
        // A header with a number: the blank that ended it goes with it. Plain ASCII goes through.
        {"{\\urtf1 {\\fonttbl}tab\\tab  two}", "{\\rtf1\\ansi\\uc1{\\fonttbl}tab\\tab  two}"},
        {"{\\urtf1 x}", "{\\rtf1\\ansi\\uc1 x}"},
        // RTF that is 7-bit already is left alone.
        {"{\\rtf1\\ansi x\\'e9}", "{\\rtf1\\ansi x\\'e9}"},
        // Bytes that are no UTF-8 (a lone continuation, a broken sequence, an overlong form).
        {"{\\urtf \x80 \xE4\xB8 x \xC0\xAF}", "{\\rtf1\\ansi\\uc1 \\'80 \\'e4\\'b8 x \\'c0\\'af}"},
        {"", ""},
        {"{", "{"},
    };
    for (const Case& c : cases) {
        for (size_t chunk : {size_t(1), size_t(2), size_t(3), size_t(7), size_t(4096)}) {
            SCOPED_TRACE(std::string(c.in) + " in chunks of " + std::to_string(chunk));
            EXPECT_EQ(std::string(c.out), ConvertInChunks(c.in, chunk));
        }
    }
}
