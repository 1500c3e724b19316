#include "msgcenter/ktf/CKTFImage.h"
#include "msgcenter/ktf/XmlEscape.h"

CKTFImage::CKTFImage(int nType, CString strFguid) : CKTFItem(KIND_IMAGE), type(nType), fguid(std::move(strFguid)) {}

CString CKTFImage::ToXml() const
{
    CString xml;
    xml.Format(L"<Image type=\"%d\" fguid=\"", type);
    xml += XmlEscapeAttribute(fguid);
    xml += L"\" />";
    return xml;
}
