#pragma once
// CQorMsgGroupDelDlg: the small modal dialog (template 195) that the history viewer opens from
// its delete link. The user asks for the messages of the shown conversation that are more than
// N days old (3 by default) to be deleted, or for the whole conversation; after a confirmation
// they go in one transaction. A day count that is not a whole number of 1 or more is refused
// with a message; a failed deletion is rolled back and reported, and the dialog stays open. On
// success it ends with IDOK and the viewer reloads.
#include "framework/CButton.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "platform/QorView/CQorDlg.h"
#include "platform/QorView/CxButtonBase.h"
#include "platform/QorView/CxFrameHelper.h"
#include "platform/QorView/CxLabel.h"

class CQorMsgGroupDisDlg;

class CQorMsgGroupDelDlg : public CQorDlg, public CxFrameHelper {
public:
    explicit CQorMsgGroupDelDlg(CWnd* pParent = nullptr);

    // The viewer whose conversation is deleted; not owned. Set after construction.
    void SetViewer(CQorMsgGroupDisDlg* pViewer) { m_pViewer = pViewer; }

    // Parses the day field: true with a whole number of 1 or more (blanks around it allowed).
    static bool ParseDays(const CString& strText, int& nDays);
    // Asks, then deletes; true when the deletion ran and succeeded.
    bool DeleteHistoryBefore(bool bAll);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    CxButtonBase m_btnOk;
    CxButtonBase m_btnCancel;
    CxLabel m_label1;
    CxLabel m_label2;

private:
    CQorMsgGroupDisDlg* m_pViewer = nullptr; // not owned
    int m_days = 3;                          // exchanged with the day field
};
