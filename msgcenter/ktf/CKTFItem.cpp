#include "msgcenter/ktf/CKTFItem.h"

CKTFItem::~CKTFItem() = default;

CString CKTFItem::ToXml() const
{
    return CString();
}
