#pragma once
// CMsgMgrSearch: the manager's two searches. The message search asks for a text, a person and
// a date range (CMsgSearchDlg) and shows the results under a new search-results node; the
// person search asks for names (CUserSearchDlg), looks them up in the signed-in user's info
// file and lists them under a new persons node.
#include "framework/CString.h"
#include "framework/CStringArray.h"

class CQorMsgManagerDlg;

class CMsgMgrSearch {
public:
    explicit CMsgMgrSearch(CQorMsgManagerDlg& dlg) : m_dlg(dlg) {}

    void SearchMessages();
    void AddPersons();
    // Appends the users of the info file whose login or "UserName" value contains the term
    // (case ignored) to ids and names. The info file is an INI file, one section per login.
    static void FindUsersInInfoFile(const CString& strInfoFile, CString strTerm, CStringArray& arIds,
                                    CStringArray& arNames);

private:
    CQorMsgManagerDlg& m_dlg;
};
