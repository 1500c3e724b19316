#pragma once
// A map from text to CObject pointers (see CMap); the map does not own the objects.
#include "framework/CMap.h"

class CObject;
class CMapStringToOb : public CMap<CString, LPCWSTR, CObject*, CObject*> {
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
