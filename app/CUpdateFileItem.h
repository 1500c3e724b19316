#pragma once
// One file of a software-update record (CUpdateItem): its name and a number that goes with it.
// Kept with the tip records; no road creates one.
#include "framework/CObject.h"
#include "framework/CString.h"

class CUpdateFileItem : public CObject {
public:
    CString strFile;
    int nValue = 0;
};
