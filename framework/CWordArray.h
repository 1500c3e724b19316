#pragma once
// A growable array of 16-bit unsigned values, with the checked access of CArray.
#include "framework/CArray.h"

class CWordArray : public CArray<WORD, WORD> {};
