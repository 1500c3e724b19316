#include "msgcenter/ktf/CKTFFont.h"
#include "msgcenter/ktf/XmlEscape.h"

// "宋体" (SimSun), the font a message gets when its sender chose none.
const wchar_t* const CKTFFont::kDefaultName = L"\u5B8B\u4F53";

CKTFFont::CKTFFont(const CString& strName, int nSize, int nClr, int nFlags)
    : CKTFItem(KIND_FONT), name(strName), clr(nClr), size(nSize), flags(nFlags)
{
}

CString CKTFFont::ToXml() const
{
    CString xml(L"<Font name=\"");
    xml += XmlEscapeAttribute(name);
    xml.AppendFormat(L"\" size=\"%d\" clr=\"%d\" flags=\"%d\" />", size, clr, flags);
    return xml;
}
