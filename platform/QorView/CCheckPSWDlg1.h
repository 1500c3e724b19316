#pragma once
// The view library's password prompt: asks the signed-in user for the password before a
// protected message is opened. IDOK when the typed password matches. Under test the
// answer can be set in advance (QorViewTestHooks.h) and then no dialog is shown.
#include "framework/CDialog.h"
#include "framework/CString.h"

class CQorViewMgr;

class CCheckPSWDlg1 : public CDialog {
public:
    explicit CCheckPSWDlg1(CWnd* pParentWnd = nullptr);

    // The password to compare with and the view manager's data (not owned).
    void SetPassword(const CString& strPassword) { m_strPassword = strPassword; }
    void SetViewMgr(CQorViewMgr* pMgr) { m_pMgr = pMgr; }
    INT_PTR DoModal() override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CString m_strPassword;
    CQorViewMgr* m_pMgr = nullptr;
};
