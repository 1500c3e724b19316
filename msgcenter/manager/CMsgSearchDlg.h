#pragma once
// CMsgSearchDlg: the modal message search (template 1034): a text to look for, an optional
// person (preset by the caller when a person node is selected) and an optional date range. On
// IDOK the caller reads GetText, GetPerson, GetDateFrom and GetDateTo (the range as
// "%Y-%m-%d" texts, or both empty for any date). Nothing is validated.
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "platform/QorView/CACEdit.h"
#include "platform/QorView/CDateTimePlus.h"
#include "platform/QorView/CQorDlg.h"
#include "platform/QorView/CxButtonBase.h"
#include "platform/QorView/CxCheckButton.h"
#include "platform/QorView/CxFrameHelper.h"

class CMsgSearchDlg : public CQorDlg, public CxFrameHelper {
public:
    enum { IDD = 1034 };
    explicit CMsgSearchDlg(CWnd* pParent = nullptr);

    // The person the dialog starts with (the caller's person node), empty for any person.
    void SetPerson(const CString& strPerson) { m_strPerson = strPerson; }
    // The answers, read after IDOK.
    const CString& GetText() const { return m_strText; }
    const CString& GetPerson() const { return m_strPerson; }
    const CString& GetDateFrom() const { return m_strDateFrom; }
    const CString& GetDateTo() const { return m_strDateTo; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    // Places a picker on the row of a date choice, across the person edit's width.
    void CreatePicker(CDateTimePlus& picker, UINT nRowRadio);

    afx_msg void OnThisPerson();
    afx_msg void OnAnyPerson();
    afx_msg void OnAnyDate();
    afx_msg void OnDateRange();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnPaint();
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

private:
    CString m_strDateFrom;
    CString m_strDateTo;
    CACEdit m_editText;    // 15018
    CACEdit m_editPerson;  // 1027
    CString m_strText;
    CString m_strPerson;
    CDateTimePlus m_dateFrom; // both pickers carry control id 111
    CDateTimePlus m_dateTo;
    CxButtonBase m_btnOK;
    CxButtonBase m_btnCancel;
    CxCheckButton m_radioThisPerson; // 1060
    CxCheckButton m_radioAnyPerson;  // 1061
    CxCheckButton m_radioAnyDate;    // 1062
    CxCheckButton m_radioDateRange;  // 1063
};
