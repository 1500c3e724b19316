#pragma once
// A picture pasted from the clipboard, kept as a local source path. It shares kind 2 with
// CKTFImage; only ParseXmlEx reads it back.
#include "msgcenter/ktf/CKTFItem.h"

class CKTFImage_ClipBord : public CKTFItem {
public:
    explicit CKTFImage_ClipBord(CString strSrc);

    CString ToXml() const override;

    CString src;
};
