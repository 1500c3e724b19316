#pragma once
// An at-mention of a person (kind 4), shown as "@" and `second`.
#include "msgcenter/ktf/CKTFMention.h"

class CKTFAt : public CKTFMention {
public:
    CKTFAt(CString strFirst, CString strSecond)
        : CKTFMention(KIND_AT, L"at", std::move(strFirst), std::move(strSecond))
    {
    }
};
