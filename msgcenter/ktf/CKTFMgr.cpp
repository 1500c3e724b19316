#include "msgcenter/ktf/CKTFMgr.h"
#include "msgcenter/ktf/CKTFAt.h"
#include "msgcenter/ktf/CKTFFile.h"
#include "msgcenter/ktf/CKTFImage.h"
#include "msgcenter/ktf/CKTFImage_ClipBord.h"
#include "msgcenter/ktf/CKTFSharp.h"
#include "msgcenter/ktf/CKTFText.h"
#include "msgcenter/ktf/KtfNestingGuard.h"
#include "msgcenter/ktf/KtfTextBlanks.h"
#include "platform/QorUtils/CQorStrUtils.h"
#include <climits>
#include <cstring>
#include <tinyxml.h>
#include <vector>

namespace {

// len bytes of UTF-8 (a value read from the document) as wide text. Bodies are parsed for
// every row a list shows, so this decodes in one pass into a scratch buffer that the whole
// parse reuses (UTF-8 never needs more UTF-16 units than it has bytes) and makes the string
// once, at its size. A malformed sequence (character references can make one) becomes U+FFFD.
CString FromUtf8(const char* psz, size_t len, std::vector<wchar_t>& scratch)
{
    if (!psz || !len || len > INT_MAX / 2)
        return CString();
    if (scratch.size() < len)
        scratch.resize(len);
    wchar_t* const buf = scratch.data();
    const unsigned char* p = reinterpret_cast<const unsigned char*>(psz);
    const unsigned char* const end = p + len;
    wchar_t* o = buf;
    while (p < end) {
        unsigned c = *p;
        if (c < 0x80) {
            *o++ = static_cast<wchar_t>(c);
            ++p;
            continue;
        }
        int follow;
        unsigned cp, lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            follow = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            follow = 2;
            cp = c & 0x0F;
            lo = c == 0xE0 ? 0xA0 : 0x80; // no overlong forms
            hi = c == 0xED ? 0x9F : 0xBF; // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            follow = 3;
            cp = c & 0x07;
            lo = c == 0xF0 ? 0x90 : 0x80;
            hi = c == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
        } else {
            *o++ = 0xFFFD;
            ++p;
            continue;
        }
        const unsigned char* q = p + 1;
        int k = 0;
        for (; k < follow && q < end; ++k, ++q) {
            unsigned b = *q;
            if (b < (k == 0 ? lo : 0x80) || b > (k == 0 ? hi : 0xBF))
                break;
            cp = (cp << 6) | (b & 0x3F);
        }
        p = q;
        if (k < follow) {
            *o++ = 0xFFFD; // the broken sequence as far as it went, as one character
        } else if (cp >= 0x10000) {
            cp -= 0x10000;
            *o++ = static_cast<wchar_t>(0xD800 + (cp >> 10));
            *o++ = static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
        } else {
            *o++ = static_cast<wchar_t>(cp);
        }
    }
    return CString(buf, static_cast<int>(o - buf));
}

// Leading blanks, an optional sign, then digits up to the first other character; no digits
// read as 0. Values beyond the type's range stop at its end rather than wrap.
INT64 ReadInt64(const char* psz)
{
    if (!psz)
        return 0;
    while (*psz == ' ' || (*psz >= '\t' && *psz <= '\r'))
        ++psz;
    bool negative = *psz == '-';
    if (*psz == '-' || *psz == '+')
        ++psz;
    unsigned long long value = 0;
    const unsigned long long limit = negative ? 0x8000000000000000ULL : 0x7FFFFFFFFFFFFFFFULL;
    for (; *psz >= '0' && *psz <= '9'; ++psz) {
        unsigned digit = static_cast<unsigned>(*psz - '0');
        value = (value > (limit - digit) / 10) ? limit : value * 10 + digit;
    }
    return negative ? static_cast<INT64>(0 - value) : static_cast<INT64>(value);
}

int ReadInt(const char* psz)
{
    INT64 value = ReadInt64(psz);
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

// An element's text: its first child when that is text or CDATA, else none.
const char* ElementText(const TiXmlElement& element)
{
    const TiXmlNode* child = element.FirstChild();
    const TiXmlText* text = child ? child->ToText() : nullptr;
    return text ? text->Value() : nullptr;
}

// Element names match without regard to ASCII case; pszKnown is lower case.
bool NameIs(const char* pszName, const char* pszKnown)
{
    for (;; ++pszName, ++pszKnown) {
        unsigned char a = static_cast<unsigned char>(*pszName);
        if (a >= 'A' && a <= 'Z')
            a = static_cast<unsigned char>(a + ('a' - 'A'));
        if (a != static_cast<unsigned char>(*pszKnown))
            return false;
        if (!a)
            return true;
    }
}

// Splits "first;second" at its first ';'; false when there is none. (';' is one byte in
// UTF-8 and never part of another character, so the bytes split as the text would.)
bool SplitMention(const char* pszText, CString& strFirst, CString& strSecond, std::vector<wchar_t>& scratch)
{
    const char* semi = pszText ? strchr(pszText, ';') : nullptr;
    if (!semi)
        return false;
    strFirst = FromUtf8(pszText, static_cast<size_t>(semi - pszText), scratch);
    strSecond = FromUtf8(semi + 1, strlen(semi + 1), scratch);
    return true;
}

} // namespace

// The state of one parse: what it reads the elements with. The scratch buffer lives on with
// the thread, so that parsing the bodies of a whole list costs no allocation for it.
struct CKTFMgr::ReadContext {
    explicit ReadContext(bool bReadImg) : readImg(bReadImg), scratch(ThreadScratch()) {}
    // A huge body's buffer is not kept for the thread's life.
    ~ReadContext()
    {
        if (scratch.capacity() > kKeptScratch) {
            scratch.clear();
            scratch.shrink_to_fit();
        }
    }
    static constexpr size_t kKeptScratch = 64 * 1024;

    static std::vector<wchar_t>& ThreadScratch()
    {
        thread_local std::vector<wchar_t> buffer;
        return buffer;
    }

    bool readImg;
    std::vector<wchar_t>& scratch;

    // A value (null when the attribute or text is missing) up to its first NUL.
    CString Text(const char* psz) { return psz ? FromUtf8(psz, strlen(psz), scratch) : CString(); }
};

CKTFMgr::CKTFMgr() : hasText(false), hasFile(false) {}

CKTFMgr::~CKTFMgr()
{
    Clear();
}

void CKTFMgr::Clear()
{
    for (CKTFItem* item : items)
        delete item;
    items.clear();
    hasText = false;
    hasFile = false;
}

bool CKTFMgr::Parse(const CString& strBody, bool /*bDom*/)
{
    return ParseBody(strBody, false);
}

bool CKTFMgr::ParseXmlEx(const CString& strBody)
{
    return ParseBody(strBody, true);
}

bool CKTFMgr::ParseBody(const CString& strBody, bool bReadImg)
{
    Clear();
    int length = 0;
    char* utf8 = CQorStrUtils::ToUTF8(strBody.GetString(), &length);
    if (!utf8)
        return false;
    // Cut a body that nests deeper than any KTF could before the parser recurses into it.
    size_t safe = KtfNestingGuard::SafeLength(utf8, static_cast<size_t>(length));
    if (safe < static_cast<size_t>(length))
        utf8[safe] = 0;
    // Every blank of a text is part of the message (repeated spaces, tabs, line breaks).
    std::string kept;
    const bool keptBlanks = KtfTextBlanks::Keep(utf8, safe, kept);

    // The bytes are UTF-8 whatever a declaration inside them claims (they were made from the
    // wide text just now), so the parser is told so: character references above 127 then
    // decode to their characters instead of one truncated byte.
    TiXmlDocument doc;
    doc.Parse(keptBlanks ? kept.c_str() : utf8, nullptr, TIXML_ENCODING_UTF8);
    CQorStrUtils::FreeDst(utf8);

    const TiXmlElement* root = doc.RootElement();
    if (!root)
        return false;
    ReadContext ctx(bReadImg);
    for (const TiXmlElement* child = root->FirstChildElement(); child; child = child->NextSiblingElement())
        ReadElement(*child, ctx);
    return true;
}

void CKTFMgr::ReadElement(const TiXmlElement& element, ReadContext& ctx)
{
    const char* name = element.Value();
    if (NameIs(name, "text")) {
        items.push_back(new CKTFText(ctx.Text(ElementText(element))));
        hasText = true;
    } else if (NameIs(name, "font")) {
        font.name = ctx.Text(element.Attribute("name"));
        font.size = ReadInt(element.Attribute("size"));
        font.clr = ReadInt(element.Attribute("clr"));
        font.flags = ReadInt(element.Attribute("flags"));
    } else if (NameIs(name, "image")) {
        items.push_back(new CKTFImage(ReadInt(element.Attribute("type")), ctx.Text(element.Attribute("fguid"))));
    } else if (NameIs(name, "file")) {
        items.push_back(new CKTFFile(ctx.Text(element.Attribute("name")), ReadInt64(element.Attribute("size")),
                                     ReadInt(element.Attribute("type")), ctx.Text(ElementText(element)),
                                     ctx.Text(element.Attribute("fshost")), ReadInt(element.Attribute("filetype"))));
        hasFile = true;
    } else if (NameIs(name, "at") || NameIs(name, "sharp")) {
        CString first, second;
        if (SplitMention(ElementText(element), first, second, ctx.scratch)) {
            if (NameIs(name, "at"))
                items.push_back(new CKTFAt(std::move(first), std::move(second)));
            else
                items.push_back(new CKTFSharp(std::move(first), std::move(second)));
        }
    } else if (ctx.readImg && NameIs(name, "img")) {
        items.push_back(new CKTFImage_ClipBord(ctx.Text(element.Attribute("src"))));
    }
}

bool CKTFMgr::SetFont(const CString& strName, int nSize, int nClr, int nFlags)
{
    font.name = strName;
    font.size = nSize;
    font.clr = nClr;
    font.flags = nFlags;
    return true;
}

bool CKTFMgr::AddText(const CString& strText)
{
    items.push_back(new CKTFText(strText));
    hasText = true;
    return true;
}

bool CKTFMgr::AddImage(int nType, const CString& strFguid)
{
    items.push_back(new CKTFImage(nType, strFguid));
    return true;
}

bool CKTFMgr::AddClipImage(const CString& strSrc)
{
    items.push_back(new CKTFImage_ClipBord(strSrc));
    return true;
}

bool CKTFMgr::AddAt(const CString& strFirst, const CString& strSecond)
{
    items.push_back(new CKTFAt(strFirst, strSecond));
    return true;
}

bool CKTFMgr::AddSharp(const CString& strFirst, const CString& strSecond)
{
    items.push_back(new CKTFSharp(strFirst, strSecond));
    return true;
}

bool CKTFMgr::AddFile(const CString& strName, INT64 nSize, int nType, const CString& strText,
                      const CString& strFshost, int nFiletype)
{
    items.push_back(new CKTFFile(strName, nSize, nType, strText, strFshost, nFiletype));
    hasFile = true;
    return true;
}

CString CKTFMgr::ToXml() const
{
    CString xml(L"<KTF>");
    xml += font.ToXml();
    for (const CKTFItem* item : items)
        xml += item->ToXml();
    xml += L"</KTF>";
    return xml;
}
