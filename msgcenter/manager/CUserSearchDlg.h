#pragma once
// CUserSearchDlg: the modal person search (template 1037): one text of names or logins
// (several separated by ";"). On IDOK the caller reads GetNamesText, exactly as typed.
#include "framework/CDialog.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "platform/QorView/CTransparentBkHelper.h"
#include "platform/QorView/CxButtonBase.h"
#include "platform/QorView/CxLabel.h"

class CUserSearchDlg : public CDialog, public CTransparentBkHelper {
public:
    enum { IDD = 1037 };
    explicit CUserSearchDlg(CWnd* pParent = nullptr);

    // The text typed, read after IDOK.
    const CString& GetNamesText() const { return m_strUserName; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CString m_strUserName; // 1027
    CxButtonBase m_btnOK;
    CxButtonBase m_btnCancel;
    CxLabel m_lblCaption;  // 65193
};
