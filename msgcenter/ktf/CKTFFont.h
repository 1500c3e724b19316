#pragma once
// The one default font of a KTF body. It is not an entry of the item list: the body holds it
// by value and a later Font element overwrites it.
#include "msgcenter/ktf/CKTFItem.h"

class CKTFFont : public CKTFItem {
public:
    // The font a body has when it names none.
    static const wchar_t* const kDefaultName;
    enum { kDefaultSize = 15, kDefaultColor = 0, kDefaultFlags = 1 };

    CKTFFont(const CString& strName = kDefaultName, int nSize = kDefaultSize, int nClr = kDefaultColor,
             int nFlags = kDefaultFlags);

    CString ToXml() const override;

    CString name;
    int clr;   // COLORREF
    int size;
    int flags;
};
