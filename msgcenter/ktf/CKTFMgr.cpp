#include "msgcenter/ktf/CKTFMgr.h"
#include "msgcenter/ktf/CKTFAt.h"
#include "msgcenter/ktf/CKTFFile.h"
#include "msgcenter/ktf/CKTFImage.h"
#include "msgcenter/ktf/CKTFImage_ClipBord.h"
#include "msgcenter/ktf/CKTFSharp.h"
#include "msgcenter/ktf/CKTFText.h"
#include "msgcenter/ktf/KtfNestingGuard.h"
#include "platform/QorUtils/CQorStrUtils.h"
#include <climits>
#include <cstring>
#include <tinyxml.h>

namespace {

// A value read from the document (null when the attribute or text is missing) as wide text,
// up to its first NUL. Bodies are parsed for every row a list shows, so this converts in one
// pass into the string's own buffer; most values are ASCII and are just widened.
CString FromUtf8(const char* psz)
{
    CString out;
    if (!psz || !*psz)
        return out;
    const size_t len = strlen(psz);
    if (len > INT_MAX / 2)
        return out;
    wchar_t* buf = out.GetBufferSetLength(static_cast<int>(len));
    size_t i = 0;
    for (; i < len && static_cast<unsigned char>(psz[i]) < 0x80; ++i)
        buf[i] = static_cast<wchar_t>(psz[i]);
    if (i == len) {
        out.ReleaseBuffer(static_cast<int>(len));
        return out;
    }
    // UTF-8 never needs more UTF-16 units than it has bytes.
    int n = ::MultiByteToWideChar(CP_UTF8, 0, psz, static_cast<int>(len), buf, static_cast<int>(len));
    out.ReleaseBuffer(n > 0 ? n : 0);
    return out;
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

bool NameIs(const char* pszName, const char* pszKnown)
{
    return _stricmp(pszName, pszKnown) == 0;
}

// Splits "first;second" at its first ';'; false when there is none.
bool SplitMention(const char* pszText, CString& strFirst, CString& strSecond)
{
    CString text = FromUtf8(pszText);
    int semi = text.Find(L';');
    if (semi < 0)
        return false;
    strFirst = text.Left(semi);
    strSecond = text.Mid(semi + 1);
    return true;
}

} // namespace

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

    // The bytes are UTF-8 whatever a declaration inside them claims (they were made from the
    // wide text just now), so the parser is told so: character references above 127 then
    // decode to their characters instead of one truncated byte.
    TiXmlDocument doc;
    doc.Parse(utf8, nullptr, TIXML_ENCODING_UTF8);
    CQorStrUtils::FreeDst(utf8);

    const TiXmlElement* root = doc.RootElement();
    if (!root)
        return false;
    for (const TiXmlElement* child = root->FirstChildElement(); child; child = child->NextSiblingElement())
        ReadElement(*child, bReadImg);
    return true;
}

void CKTFMgr::ReadElement(const TiXmlElement& element, bool bReadImg)
{
    const char* name = element.Value();
    if (NameIs(name, "Text")) {
        items.push_back(new CKTFText(FromUtf8(ElementText(element))));
        hasText = true;
    } else if (NameIs(name, "Font")) {
        font.name = FromUtf8(element.Attribute("name"));
        font.size = ReadInt(element.Attribute("size"));
        font.clr = ReadInt(element.Attribute("clr"));
        font.flags = ReadInt(element.Attribute("flags"));
    } else if (NameIs(name, "Image")) {
        items.push_back(new CKTFImage(ReadInt(element.Attribute("type")), FromUtf8(element.Attribute("fguid"))));
    } else if (NameIs(name, "File")) {
        items.push_back(new CKTFFile(FromUtf8(element.Attribute("name")), ReadInt64(element.Attribute("size")),
                                     ReadInt(element.Attribute("type")), FromUtf8(ElementText(element)),
                                     FromUtf8(element.Attribute("fshost")), ReadInt(element.Attribute("filetype"))));
        hasFile = true;
    } else if (NameIs(name, "at") || NameIs(name, "sharp")) {
        CString first, second;
        if (SplitMention(ElementText(element), first, second)) {
            if (NameIs(name, "at"))
                items.push_back(new CKTFAt(std::move(first), std::move(second)));
            else
                items.push_back(new CKTFSharp(std::move(first), std::move(second)));
        }
    } else if (bReadImg && NameIs(name, "Img")) {
        items.push_back(new CKTFImage_ClipBord(FromUtf8(element.Attribute("src"))));
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
