#pragma once
// A list of CObject pointers addressed by POSITION (see CList). The list does not own what it
// points to: removing an element deletes nothing; owners delete their objects themselves.
#include "framework/CList.h"

class CObject;

class CObList : public CList<CObject*, CObject*> {
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};
