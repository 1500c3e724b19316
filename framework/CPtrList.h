#pragma once
// A list of untyped pointers addressed by POSITION (see CList). Nothing pointed to is owned.
#include "framework/CList.h"

class CPtrList : public CList<void*, void*> {
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};
