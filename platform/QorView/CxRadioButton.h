#pragma once
// The view library's skinned radio button.
#include "platform/QorView/CxButtonBase.h"

class CxRadioButton : public CxButtonBase {
public:
    bool IsChecked() const { return GetCheck() == BST_CHECKED; }
    void SetChecked(bool bChecked) { SetCheck(bChecked ? BST_CHECKED : BST_UNCHECKED); }
};
