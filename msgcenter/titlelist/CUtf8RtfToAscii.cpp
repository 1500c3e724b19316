#include "msgcenter/titlelist/CUtf8RtfToAscii.h"
#include <cstdio>

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the UTF-8 sequence a lead byte opens; 0 for a byte that opens none.
size_t SequenceLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

} // namespace

void CUtf8RtfToAscii::AppendUnit(unsigned unit, std::string& out)
{
    char buffer[16];
    std::snprintf(buffer, sizeof(buffer), "\\u%d?", static_cast<int>(static_cast<short>(unit)));
    out += buffer;
}

// A byte that belongs to no character: kept as the byte it was ("\'hh").
void CUtf8RtfToAscii::AppendByte(unsigned char byte, std::string& out)
{
    char buffer[8];
    std::snprintf(buffer, sizeof(buffer), "\\'%02x", byte);
    out += buffer;
}

bool CUtf8RtfToAscii::TakeHeader(std::string& out, bool bAtEnd)
{
    // "{\" word [digits] and the character after them.
    const bool tooShort = m_head.empty() || (m_head.size() == 1 && m_head[0] == '{');
    if (tooShort && !bAtEnd)
        return false;
    if (tooShort || m_head[0] != '{' || m_head[1] != '\\') {
        ConvertBody(m_head.data(), m_head.size(), out);
        return true;
    }
    size_t i = 2;
    while (i < m_head.size() && IsLetter(m_head[i]))
        ++i;
    const std::string word = m_head.substr(2, i - 2);
    while (i < m_head.size() && IsDigit(m_head[i]))
        ++i;
    // The word ends at the character after it, and a blank there goes with it: what follows the
    // blank decides whether the new words need one of their own.
    if (!bAtEnd && (i == m_head.size() || (m_head[i] == ' ' && i + 1 == m_head.size())))
        return false;
    if (word != "urtf") {
        ConvertBody(m_head.data(), m_head.size(), out);
        return true;
    }
    out += "{\\rtf1\\ansi\\uc1";
    // The character that ended the word: a blank belongs to the word and goes with it; a
    // backslash or brace ends the new words as well.
    if (i < m_head.size() && m_head[i] == ' ')
        ++i;
    if (i < m_head.size() && m_head[i] != '\\' && m_head[i] != '{' && m_head[i] != '}')
        out += ' ';
    ConvertBody(m_head.data() + i, m_head.size() - i, out);
    return true;
}

void CUtf8RtfToAscii::Convert(const char* p, size_t n, std::string& out)
{
    if (!m_bHeaderDone) {
        m_head.append(p, n);
        if (!TakeHeader(out, false))
            return;
        m_bHeaderDone = true;
        m_head.clear();
        return;
    }
    ConvertBody(p, n, out);
}

void CUtf8RtfToAscii::ConvertBody(const char* p, size_t n, std::string& out)
{
    for (size_t k = 0; k < n; ++k) {
        const unsigned char byte = static_cast<unsigned char>(p[k]);
        if (m_pending.empty()) {
            if (byte < 0x80) {
                out += static_cast<char>(byte);
                continue;
            }
            if (!SequenceLength(byte)) {
                AppendByte(byte, out);
                continue;
            }
            m_pending.assign(1, static_cast<char>(byte));
            continue;
        }
        if ((byte & 0xC0) != 0x80) {
            // The character broke off: its bytes stay as bytes, and this one starts afresh.
            for (char c : m_pending)
                AppendByte(static_cast<unsigned char>(c), out);
            m_pending.clear();
            --k;
            continue;
        }
        m_pending += static_cast<char>(byte);
        const size_t length = SequenceLength(static_cast<unsigned char>(m_pending[0]));
        if (m_pending.size() < length)
            continue;
        unsigned cp = static_cast<unsigned char>(m_pending[0]) & (0xFF >> (length + 1));
        for (size_t j = 1; j < length; ++j)
            cp = (cp << 6) | (static_cast<unsigned char>(m_pending[j]) & 0x3F);
        const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
        if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            for (char c : m_pending)
                AppendByte(static_cast<unsigned char>(c), out);
        } else if (cp >= 0x10000) {
            cp -= 0x10000;
            AppendUnit(0xD800 + (cp >> 10), out);
            AppendUnit(0xDC00 + (cp & 0x3FF), out);
        } else {
            AppendUnit(cp, out);
        }
        m_pending.clear();
    }
}

void CUtf8RtfToAscii::Finish(std::string& out)
{
    if (!m_bHeaderDone) {
        TakeHeader(out, true);
        m_bHeaderDone = true;
        m_head.clear();
    }
    for (char c : m_pending)
        AppendByte(static_cast<unsigned char>(c), out);
    m_pending.clear();
}
