#pragma once
// A growable array of CObject pointers, with the checked access of CArray. The array does not
// own what it points to: removing an element deletes nothing.
#include "framework/CArray.h"

class CObject;

class CObArray : public CArray<CObject*, CObject*> {};
