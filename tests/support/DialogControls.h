#pragma once
// The object a dialog keeps for one of its controls (bound with DDX_Control or created as its
// child), found through the windows: the control's id in the dialog, then the framework's
// handle map, so that a test reads a control as the dialog shows it without reaching into the
// dialog's members. A missing control, or one of another class, fails the test and gives an
// object without a window, on which every call does nothing.
#include "framework/CWnd.h"
#include <gtest/gtest.h>

namespace testsupport {

template <class T>
T& Control(const CWnd* pDlg, UINT nID)
{
    HWND hCtrl = pDlg ? ::GetDlgItem(pDlg->GetSafeHwnd(), static_cast<int>(nID)) : nullptr;
    if (T* pCtrl = dynamic_cast<T*>(CWnd::FromHandlePermanent(hCtrl)))
        return *pCtrl;
    ADD_FAILURE() << "the dialog has no control " << nID << " of the class asked for";
    static T none;
    return none;
}

} // namespace testsupport
