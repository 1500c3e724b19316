#pragma once
// CKorvelLoginByNameDlg: the sign-in by display name (template 1044), a child panel that the
// sign-in panel puts in place of its user and password rows. The user types (or picks) a display
// name; the panel asks the server which accounts carry it and in which departments, lists one
// line per account in the department box, and writes the chosen account's login name (and its
// saved password, if any) into the sign-in panel.
//
// The query runs off the user-interface thread; its answer comes back as a window message and is
// dropped when the name or the server has changed meanwhile. A poll timer (105, every second,
// while the panel is shown) notices typing.
#include "framework/CDialog.h"
#include "framework/CEdit.h"
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include "framework/MessageMap.h"
#include "platform/QorView/CFlatComboBox.h"
#include "platform/QorView/CTransparentBkHelper.h"
#include "platform/QorView/CxLabel.h"
#include "signin/UserDeptsReply.h"
#include <map>
#include <memory>
#include <vector>

class CKorvelLoginDlg;
class CUserDeptsLookup;

class CKorvelLoginByNameDlg : public CDialog {
public:
    // The main window (read for its minimised state only) and the sign-in panel whose server it
    // queries and whose account fields it fills; both borrowed, both may be null.
    CKorvelLoginByNameDlg(CWnd* pMainWnd, CKorvelLoginDlg* pLoginDlg);
    ~CKorvelLoginByNameDlg() override;

    // The server the sign-in panel has chosen, and its store key ("%s:%d", lowered).
    CString GetServerAddress() const;
    int GetServerPort() const;
    CString GetServerKey() const;

    // Replaces the name box's list.
    void FillNameList(const CStringArray& arNames);
    // Asks the server for the accounts of the queried name (an empty name applies no account).
    void QueryUserDepts();
    // Adds the answers of a reply (UTF-8 XML) for the queried name; shows that none was found
    // when the server then has no entry. A reply that is not XML changes nothing.
    void ParseUserDeptsXml(const char* pszReply);
    // Adds one answer unless the server's list holds it already (letter case ignored).
    void AddUserDept(const UserDeptAnswer& answer);
    bool HasUserDeptEntry(const UserDeptAnswer& answer) const;
    // Makes the account the chosen one and writes it into the sign-in panel; an empty password
    // takes the saved one of the account, which also ticks the panel's save-password box.
    void ApplyChosenAccount(const CString& strLoginName, const CString& strPassword);
    bool LookUpSavedPassword(const CString& strLoginName, CString& strPassword) const;

    // The poll (timer 105): a changed name box starts a new query.
    void PollName();
    // The text the department box shows (its lines aside).
    void SetDeptText(const CString& strText);

    afx_msg void OnNameSelChange();
    afx_msg void OnDeptDropDown();
    afx_msg void OnDeptSelChange();

    // What a server's answers are: the display name of the first answer, and the answers in
    // department-box order.
    struct DeptEntry {
        CString strName;
        std::vector<UserDeptAnswer> answers;
    };

    CString m_strQueriedName;   // exchanged with the name box 1077
    CString m_strPassword;      // exchanged with the password edit 5002
    CString m_strChosenLogin;
    CString m_strLastQueryUrl;
    CWnd* m_pMainWnd = nullptr;
    CKorvelLoginDlg* m_pLoginDlg = nullptr;
    int m_bPollTimer = 0;
    std::map<CString, DeptEntry> m_Answers; // by server key

    CFlatComboBox m_cbName;
    CFlatComboBox m_cbDept;
    CEdit m_edPassword;
    CxLabel m_lblAccount;       // 1013
    CxLabel m_lblPassword;      // 1014
    CxLabel m_lblName;          // 1016

    static const UINT_PTR kPollTimer = 105;
    static const int kQueryPort = 8000; // the server's web service, whatever the sign-in port

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnDeptsReply(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CString GetNameText() const;
    void ResetDepts();

    CTransparentBkHelper m_BkHelper;
    std::unique_ptr<CUserDeptsLookup> m_pLookup;
    int m_nQuery = 0;          // number of the newest query; older answers are dropped
    CString m_strQueryName;    // the name and server the newest query asked about
    CString m_strQueryServer;
};
