#pragma once
// A picture of a KTF body stored on the file server under its GUID.
#include "msgcenter/ktf/CKTFItem.h"

class CKTFImage : public CKTFItem {
public:
    CKTFImage(int nType, CString strFguid);

    CString ToXml() const override;

    int type;
    CString fguid;
};
