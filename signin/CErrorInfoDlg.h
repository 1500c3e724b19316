#pragma once
// CErrorInfoDlg: the small modal dialog (template 196) that the sign-in progress panel opens
// from its error link before a sign-in has ended: two texts about the error and a close button.
#include "framework/CDialog.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "platform/QorView/CTransparentBkHelper.h"
#include "platform/QorView/CxButtonBase.h"

class CErrorInfoDlg : public CDialog, public CTransparentBkHelper {
public:
    CErrorInfoDlg(CWnd* pParent, const CString& strText1, const CString& strText2);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CString m_strText1; // shown in control 1112
    CString m_strText2; // shown in control 1113
    CxButtonBase m_btnClose;
};
