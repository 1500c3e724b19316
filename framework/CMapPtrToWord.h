#pragma once
// A map from pointers to 16-bit values (see CMap).
#include "framework/CMap.h"

class CMapPtrToWord : public CMap<void*, void*, WORD, WORD> {
public:
    explicit CMapPtrToWord(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
