#pragma once
// A growable array of untyped pointers (not owned: removing one frees nothing), with the checked access of CArray.
#include "framework/CArray.h"

class CPtrArray : public CArray<void*, void*> {};
