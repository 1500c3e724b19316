#include "msgcenter/ktf/CKTFFile.h"
#include "msgcenter/ktf/XmlEscape.h"

CKTFFile::CKTFFile(CString strName, INT64 nSize, int nType, CString strText, CString strFshost, int nFiletype)
    : CKTFItem(KIND_FILE), type(nType), filetype(nFiletype), name(std::move(strName)), fshost(std::move(strFshost)),
      size(nSize), text(std::move(strText))
{
}

CString CKTFFile::ToXml() const
{
    CString xml(L"<File name=\"");
    xml += XmlEscapeAttribute(name);
    xml.AppendFormat(L"\" size=\"%I64d\"  fshost=\"", size);
    xml += XmlEscapeAttribute(fshost);
    xml.AppendFormat(L"\" filetype=\"%d\" type=\"%d\">", filetype, type);
    xml += XmlEscapeText(text);
    xml += L"</File>";
    return xml;
}
