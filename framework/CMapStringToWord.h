#pragma once
// A map from text to 16-bit values (see CMap).
#include "framework/CMap.h"

class CMapStringToWord : public CMap<CString, LPCWSTR, WORD, WORD> {
public:
    explicit CMapStringToWord(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
