#pragma once
// One piece of a KTF message body. Readers walk a body's items in document order, test `kind`
// and read the fields of the concrete class directly; the two image classes share kind 2 and
// are told apart by class.
#include "framework/CString.h"
#include <utility>

class CKTFItem {
public:
    enum : unsigned short {
        KIND_FONT = 0,
        KIND_TEXT = 1,
        KIND_IMAGE = 2,
        KIND_FILE = 3,
        KIND_AT = 4,
        KIND_SHARP = 5,
    };

    explicit CKTFItem(unsigned short nKind) : kind(nKind) {}
    CKTFItem(const CKTFItem&) = default;
    CKTFItem& operator=(const CKTFItem&) = default;
    virtual ~CKTFItem();

    // The item as KTF markup; the base has none.
    virtual CString ToXml() const;

    unsigned short kind;
};
