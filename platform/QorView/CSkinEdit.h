#pragma once
// The view library's skinned edit box.
#include "platform/QorView/CFlatEdit.h"

class CSkinEdit : public CFlatEdit {
public:
    // Makes the box exactly one line of its font high (keeping its top).
    void FitToFontHeigt();
};
