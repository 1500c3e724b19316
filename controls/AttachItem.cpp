#include "controls/AttachItem.h"

_ATTACH_ITEM::_ATTACH_ITEM() : nValue(0), dwWords{0, 0, 0, 0}
{
}

_ATTACH_ITEM::_ATTACH_ITEM(const _ATTACH_ITEM& other) : nValue(0), dwWords{0, 0, 0, 0}
{
    *this = other;
}

_ATTACH_ITEM& _ATTACH_ITEM::operator=(const _ATTACH_ITEM& other)
{
    if (this == &other)
        return *this;
    strLocalPath = other.strLocalPath;
    nValue = other.nValue;
    strFileName = other.strFileName;
    strExtra = other.strExtra;
    strMsgID = other.strMsgID;
    strSrcMsgID = other.strSrcMsgID;
    for (int i = 0; i < 4; ++i)
        dwWords[i] = other.dwWords[i];
    strExtra2 = other.strExtra2;
    strExtra3 = other.strExtra3;
    return *this;
}

// The strings release themselves; declared so that the record has one destructor everywhere.
_ATTACH_ITEM::~_ATTACH_ITEM() = default;
