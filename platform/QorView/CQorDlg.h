#pragma once
// The view library's dialog base of the program's main windows: a CWqCoolDlg that also
// knows the view manager.
#include "platform/QorView/CWqCoolDlg.h"

class CQorDlg : public CWqCoolDlg {
public:
    explicit CQorDlg(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

protected:
    BOOL OnInitDialog() override;
};
