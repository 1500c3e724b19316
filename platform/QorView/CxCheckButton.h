#pragma once
// The view library's skinned check box (skin "xCheckBox").
#include "platform/QorView/CxButtonBase.h"

class CxCheckButton : public CxButtonBase {
public:
    bool IsChecked() const { return GetCheck() == BST_CHECKED; }
    void SetChecked(bool bChecked) { SetCheck(bChecked ? BST_CHECKED : BST_UNCHECKED); }
};
