#include "msgcenter/ktf/CKTFImage_ClipBord.h"
#include "msgcenter/ktf/XmlEscape.h"

CKTFImage_ClipBord::CKTFImage_ClipBord(CString strSrc) : CKTFItem(KIND_IMAGE), src(std::move(strSrc)) {}

CString CKTFImage_ClipBord::ToXml() const
{
    return L"<Img src = \"" + XmlEscapeAttribute(src) + L"\"/>";
}
