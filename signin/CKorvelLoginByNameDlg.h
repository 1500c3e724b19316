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

class CUserDeptsLookup;
class ILoginByNameOwner;

class CKorvelLoginByNameDlg : public CDialog {
public:
    // The main window (read for its minimised state only) and the sign-in panel's by-name mode,
    // whose server it queries and which takes the chosen account; both borrowed, both may be null.
    CKorvelLoginByNameDlg(CWnd* pMainWnd, ILoginByNameOwner* pOwner);
    ~CKorvelLoginByNameDlg() override;

    enum : UINT_PTR { kPollTimer = 105 };
    enum { kQueryPort = 8000 }; // the server's web service, whatever the sign-in port

    // The server the sign-in panel has chosen, and its store key ("%s:%d", lowered).
    CString GetServerAddress() const;
    int GetServerPort() const;
    CString GetServerKey() const;

    // Replaces the name box's list.
    void FillNameList(const CStringArray& arNames);
    // Chooses a line of the name box and looks its name up (as the user's choice does).
    void ChooseName(int nLine);
    // Asks the server for the accounts of the queried name (an empty name applies no account).
    void QueryUserDepts();
    // Adds the answers of a reply (UTF-8 XML) for the queried name; shows that none was found
    // when the server then has no entry. A reply that is not XML changes nothing.
    void ParseUserDeptsXml(const char* pszReply);
    // Adds one answer unless the server's list holds it already (letter case ignored).
    void AddUserDept(const UserDeptAnswer& answer);
    bool HasUserDeptEntry(const UserDeptAnswer& answer) const;
    // Makes the account the chosen one and hands it to the sign-in panel; an empty password
    // takes the saved one of the account (the panel then ticks its save-password box).
    void ApplyChosenAccount(const CString& strLoginName, const CString& strPassword);
    bool LookUpSavedPassword(const CString& strLoginName, CString& strPassword) const;

    // The poll (timer 105): a changed name box starts a new query.
    void PollName();
    bool IsPolling() const { return m_bPollTimer != 0; }

// The account chosen here
    const CString& GetChosenLogin() const { return m_strChosenLogin; }
    // The password as typed in the password box (kept as the chosen one's).
    CString ReadPassword();
    // The name box's and the department box's texts.
    CString GetNameText() const;
    CString GetDeptText() const;
    // The text the department box shows (its lines aside).
    void SetDeptText(const CString& strText);
    // The choice of the last sign-in by name: its login name and password, its display name as
    // the queried name and its department as the department box's text (shown by UpdateData).
    void RestoreChoice(const CString& strLogin, const CString& strPassword, const CString& strName,
                       const CString& strDepartment);
    // Forgets the display name, the department text and the password (the chosen login stays).
    void ForgetChoice();
    void ForgetPassword() { m_strPassword.Empty(); }
    void FocusName();
    // The display name the current server's answers belong to; empty when there are none.
    CString GetAnswersName() const;

    afx_msg void OnNameSelChange();
    afx_msg void OnDeptDropDown();
    afx_msg void OnDeptSelChange();

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
    // What a server's answers are: the display name of the first answer, and the answers in
    // department-box order.
    struct DeptEntry {
        CString strName;
        std::vector<UserDeptAnswer> answers;
    };

    void ResetDepts();

    CString m_strQueriedName;   // exchanged with the name box 1077
    CString m_strPassword;      // exchanged with the password edit 5002
    CString m_strChosenLogin;
    CString m_strLastQueryUrl;
    CWnd* m_pMainWnd;
    ILoginByNameOwner* m_pOwner;
    int m_bPollTimer = 0;
    std::map<CString, DeptEntry> m_Answers; // by server key

    CFlatComboBox m_cbName;
    CFlatComboBox m_cbDept;
    CEdit m_edPassword;
    CxLabel m_lblAccount;       // 1013
    CxLabel m_lblPassword;      // 1014
    CxLabel m_lblName;          // 1016

    CTransparentBkHelper m_BkHelper;
    std::unique_ptr<CUserDeptsLookup> m_pLookup;
    int m_nQuery = 0;          // number of the newest query; older answers are dropped
    CString m_strQueryName;    // the name and server the newest query asked about
    CString m_strQueryServer;
};
