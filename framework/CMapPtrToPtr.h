#pragma once
// A map from pointers to pointers (see CMap); nothing pointed to is owned.
#include "framework/CMap.h"

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
