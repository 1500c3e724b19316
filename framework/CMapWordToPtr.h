#pragma once
// A map from 16-bit values to pointers (see CMap); nothing pointed to is owned.
#include "framework/CMap.h"

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
