#pragma once
// A sharp-tag naming a topic (kind 5), shown as "#" and `second`.
#include "msgcenter/ktf/CKTFMention.h"

class CKTFSharp : public CKTFMention {
public:
    CKTFSharp(CString strFirst, CString strSecond)
        : CKTFMention(KIND_SHARP, L"sharp", std::move(strFirst), std::move(strSecond))
    {
    }
};
