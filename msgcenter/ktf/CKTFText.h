#pragma once
// A run of text of a KTF body, shown in the body's font.
#include "msgcenter/ktf/CKTFItem.h"

class CKTFText : public CKTFItem {
public:
    explicit CKTFText(CString strText);

    CString ToXml() const override;

    CString text;
};
