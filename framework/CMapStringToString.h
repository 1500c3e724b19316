#pragma once
// A map from text to text (see CMap); keys compare case-sensitively.
#include "framework/CMap.h"

class CMapStringToString : public CMap<CString, LPCWSTR, CString, LPCWSTR> {
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
