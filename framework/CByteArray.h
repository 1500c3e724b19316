#pragma once
// A growable array of bytes, with the checked access of CArray.
#include "framework/CArray.h"

class CByteArray : public CArray<BYTE, BYTE> {};
