#pragma once
// A growable array of unsigned integers, with the checked access of CArray.
#include "framework/CArray.h"

class CUIntArray : public CArray<UINT, UINT> {};
