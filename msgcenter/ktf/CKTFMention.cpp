#include "msgcenter/ktf/CKTFMention.h"
#include "msgcenter/ktf/XmlEscape.h"

CKTFMention::CKTFMention(unsigned short nKind, const wchar_t* pszElement, CString strFirst, CString strSecond)
    : CKTFItem(nKind), first(std::move(strFirst)), second(std::move(strSecond)), m_pszElement(pszElement)
{
}

CString CKTFMention::ToXml() const
{
    CString xml;
    xml.Format(L"<%s>", m_pszElement);
    xml += XmlEscapeText(first + L';' + second);
    xml.AppendFormat(L"</%s>", m_pszElement);
    return xml;
}
