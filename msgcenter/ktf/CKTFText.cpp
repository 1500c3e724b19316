#include "msgcenter/ktf/CKTFText.h"
#include "msgcenter/ktf/XmlEscape.h"

CKTFText::CKTFText(CString strText) : CKTFItem(KIND_TEXT), text(std::move(strText)) {}

CString CKTFText::ToXml() const
{
    return L"<Text>" + XmlEscapeText(text) + L"</Text>";
}
