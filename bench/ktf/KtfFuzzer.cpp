#include "bench/ktf/KtfFuzzer.h"
#include "bench/ktf/KtfSampleBodies.h"
#include "msgcenter/ktf/CKTFMgr.h"

namespace ktfbench {

namespace {

// Pieces that steer the parser into its corners.
const wchar_t* const kTokens[] = {
    L"<", L">", L"/>", L"</", L"<Text>", L"</Text>", L"<at>", L"</at>", L"<sharp>", L"<File ", L"<Img src=",
    L"<Font name=", L"<KTF>", L"</KTF>", L"<![CDATA[", L"]]>", L"<!--", L"-->", L"<?xml version=\"1.0\"?>",
    L"<?xml encoding='GBK'?>", L"<!DOCTYPE x>", L"&", L"&amp;", L"&lt;", L"&#", L"&#x", L"&#x1F600;", L"&#0;",
    L"&#;", L"&#x;", L"&#xD800;", L"&#4294967295;", L"&#99999999999999999999;", L";", L"=", L"\"", L"'", L" ",
    L"\r\n", L"\t", L"\u3000", L"\uFEFF", L"\uFFFF", L"\xD800", L"\xDC00", L"\U0001F600", L"\u4F60", L"\x01",
    L"size=\"", L"type='", L" fguid=", L"99999999999999999999", L"-", L"{\\rtf1", L"<g><g><g>", L"</g></g>",
};

const wchar_t* const kEdgeBodies[] = {
    L"", L"<KTF/>", L"<KTF>", L"{\\rtf1\\ansi x}", L"plain text", L"<KTF><Text/></KTF>",
    L"<Body><TEXT>x</TEXT></Body>", L"<KTF><at>u7;Ann;Lee</at><at>nobody</at></KTF>",
    L"<KTF><Img src=\"c.png\"/><Group><Text>x</Text></Group></KTF>",
    L"<KTF><File name=\"a\" size=\"5000000000\" type=\"2\" fshost=\"h\" filetype=\"262144\">k</File></KTF>",
    L"<?xml version=\"1.0\" encoding=\"utf-8\"?><KTF><Text><![CDATA[  x  ]]></Text></KTF>",
};

} // namespace

KtfFuzzer::KtfFuzzer(unsigned seed, int seedBodies) : m_rng(seed)
{
    for (const CString& body : MakeSampleBodies(seed ^ 0x5EEDu, seedBodies))
        m_seeds.push_back(body.str());
    for (const wchar_t* body : kEdgeBodies)
        m_seeds.push_back(body);
}

void KtfFuzzer::Mutate(std::wstring& s)
{
    const int tokenCount = static_cast<int>(sizeof(kTokens) / sizeof(kTokens[0]));
    size_t at = s.empty() ? 0 : static_cast<size_t>(Pick(static_cast<int>(s.size()) + 1));
    switch (Pick(8)) {
    case 0: // a markup piece
        s.insert(at, kTokens[Pick(tokenCount)]);
        break;
    case 1: // a character replaced by any code unit
        if (at < s.size())
            s[at] = static_cast<wchar_t>(Pick(4) ? Pick(128) : 1 + Pick(0xFFFF));
        break;
    case 2: { // a range cut out
        size_t n = 1 + Pick(Pick(4) ? 16 : 400);
        if (at < s.size())
            s.erase(at, n);
        break;
    }
    case 3: { // a range repeated
        size_t n = 1 + Pick(120);
        if (at < s.size()) {
            std::wstring piece = s.substr(at, n);
            for (int k = Pick(3); k >= 0; --k)
                s.insert(at, piece);
        }
        break;
    }
    case 4: // the body cut short
        s.resize(at);
        break;
    case 5: { // spliced with another body
        const std::wstring& other = m_seeds[Pick(static_cast<int>(m_seeds.size()))];
        size_t from = other.empty() ? 0 : static_cast<size_t>(Pick(static_cast<int>(other.size())));
        s = s.substr(0, at) + other.substr(from);
        break;
    }
    case 6: // case of a range flipped (element names match without case, attributes do not)
        for (size_t i = at; i < s.size() && i < at + 8; ++i) {
            wchar_t c = s[i];
            s[i] = (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32)
                   : (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32)
                                              : c;
        }
        break;
    default: // a quote or bracket dropped in
        s.insert(at, 1, L"<>\"'&;/="[Pick(8)]);
        break;
    }
}

CString KtfFuzzer::NextInput()
{
    std::wstring s = m_seeds[Pick(static_cast<int>(m_seeds.size()))];
    for (int n = 1 + Pick(4); n > 0; --n)
        Mutate(s);
    return CString(s);
}

bool KtfFuzzer::CheckOne(const CString& input, bool readImg, std::string& why, uint64_t& items, bool& parsed)
{
    CKTFMgr first;
    parsed = readImg ? first.ParseXmlEx(input) : first.Parse(input, false);
    items += first.items.size();
    if (!parsed && !first.items.empty()) {
        why = "a body that is not KTF left items";
        return false;
    }
    CString written = first.ToXml();
    CKTFMgr second;
    if (!second.ParseXmlEx(written)) {
        why = "a written body does not parse";
        return false;
    }
    if (second.items.size() != first.items.size() || second.HasText() != first.HasText() ||
        second.HasFile() != first.HasFile()) {
        why = "a written body parses to other items";
        return false;
    }
    if (second.ToXml() != written) {
        why = "a written body parses to other values";
        return false;
    }
    return true;
}

KtfFuzzResult KtfFuzzer::Run(uint64_t count, void (*progress)(uint64_t, void*), void* ctx, uint64_t progressEvery)
{
    KtfFuzzResult result;
    for (uint64_t i = 0; i < count; ++i) {
        CString input = NextInput();
        std::string why;
        bool parsed = false;
        bool readImg = (i & 7) == 0;
        if (!CheckOne(input, readImg, why, result.items, parsed)) {
            if (result.failures++ == 0)
                result.firstFailure = why + " (input: " + CStringA(input).GetString() + ")";
        }
        result.parsedAsKtf += parsed ? 1 : 0;
        ++result.inputs;
        if (progress && progressEvery && (i + 1) % progressEvery == 0)
            progress(i + 1, ctx);
    }
    return result;
}

} // namespace ktfbench
