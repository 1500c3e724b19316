#pragma once
// The prompt that offers an update the server has (template 1045). Modeless and without a
// parent, so that it does not hold the main window; "Update now" asks the main window to update
// (WM_USER+2002), and either button closes the prompt, which then deletes itself.
#include "framework/CDialog.h"

class CQorUpdatePromptDlg : public CDialog {
public:
    CQorUpdatePromptDlg();
    // Creates and shows a new prompt; null when it could not be made.
    static CQorUpdatePromptDlg* ShowPrompt();

protected:
    void OnOK() override;
    void OnCancel() override;
    void PostNcDestroy() override;
};
