#pragma once
// A growable array of 32-bit unsigned values, with the checked access of CArray.
#include "framework/CArray.h"

class CDWordArray : public CArray<DWORD, DWORD> {};
