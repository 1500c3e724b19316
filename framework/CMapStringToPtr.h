#pragma once
// A map from text to untyped pointers (see CMap); nothing pointed to is owned.
#include "framework/CMap.h"

class CMapStringToPtr : public CMap<CString, LPCWSTR, void*, void*> {
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
