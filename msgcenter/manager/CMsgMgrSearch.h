#pragma once
// CMsgMgrSearch: the manager's two searches. The message search asks for a text, a person and
// a date range (CMsgSearchDlg), keeps them as the last search's criteria and shows the results
// under a new search-results node; the person search asks for names (CUserSearchDlg), looks
// them up in the signed-in user's info file and lists them under a new persons node. It sees
// the manager only as the parent of its dialogs, and the tree through CMsgFolderTree.
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include "msgcenter/manager/CMsgSearchCriteria.h"

class CMsgFolderTree;
class CWnd;

class CMsgMgrSearch {
public:
    CMsgMgrSearch(CWnd& parent, CMsgFolderTree& folders) : m_parent(parent), m_folders(folders) {}
    CMsgMgrSearch(const CMsgMgrSearch&) = delete;
    CMsgMgrSearch& operator=(const CMsgMgrSearch&) = delete;

    void SearchMessages();
    void AddPersons();
    // Appends the users of the info file whose login or "UserName" value contains the term
    // (case ignored) to ids and names. The info file is an INI file, one section per login.
    static void FindUsersInInfoFile(const CString& strInfoFile, CString strTerm, CStringArray& arIds,
                                    CStringArray& arNames);

    // The last message search's criteria (all empty before the first).
    const CMsgSearchCriteria& GetCriteria() const { return m_criteria; }
    void SetCriteria(const CMsgSearchCriteria& criteria) { m_criteria = criteria; }

private:
    CWnd& m_parent;
    CMsgFolderTree& m_folders;
    CMsgSearchCriteria m_criteria;
};
