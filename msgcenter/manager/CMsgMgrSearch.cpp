#include "msgcenter/manager/CMsgMgrSearch.h"
#include "common/CMyIniFile.h"
#include "common/CWqStringMgr.h"
#include "msgcenter/manager/CMsgFolderTree.h"
#include "msgcenter/manager/CMsgSearchDlg.h"
#include "msgcenter/manager/CUserSearchDlg.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"

void CMsgMgrSearch::SearchMessages()
{
    CMsgSearchDlg dlg(&m_parent);
    CMsgFolderTree::Node node;
    if (m_folders.GetSelectedNode(node) && node.nImage == CMsgFolderTree::kPerson)
        dlg.SetPerson(m_folders.PersonIdAt(node.nData));
    if (dlg.DoModal() != IDOK)
        return;
    m_criteria.keyword = dlg.GetText();
    m_criteria.person = dlg.GetPerson();
    m_criteria.firstDate = dlg.GetDateFrom();
    m_criteria.lastDate = dlg.GetDateTo();
    m_folders.DeleteRootByImage(CMsgFolderTree::kSearchResults);
    HTREEITEM hResults = m_folders.AppendNode(nullptr, CQorViewBaseFun::LoadStringW(IDS_MSG_SEARCH_RESULTS),
                                              CMsgFolderTree::kSearchResults, 0);
    if (hResults)
        m_folders.Tree().SelectItem(hResults);
}

void CMsgMgrSearch::AddPersons()
{
    CUserSearchDlg dlg(&m_parent);
    if (dlg.DoModal() != IDOK || dlg.GetNamesText().IsEmpty())
        return;
    CStringArray ids, names;
    CStringArray terms;
    CWqStringMgr::TokenizeString(dlg.GetNamesText(), &terms, L";");
    const CString infoFile = CQorViewMgr::Instance()->GetUserInfoFile();
    for (INT_PTR i = 0; i < terms.GetSize(); ++i)
        FindUsersInInfoFile(infoFile, terms[i], ids, names);
    m_folders.ListPersons(ids, names);
}

void CMsgMgrSearch::FindUsersInInfoFile(const CString& strInfoFile, CString strTerm, CStringArray& arIds,
                                        CStringArray& arNames)
{
    strTerm.MakeLower();
    CMyIniFile file;
    if (!file.Open(strInfoFile))
        return;
    CString line;
    while (file.NextKeyLine(line)) {
        CString key, value;
        if (!CMyIniFile::ParseKeyValue(line, key, value) || key != L"UserName")
            continue;
        CString login = file.GetSection();
        CString lowerLogin = login, lowerValue = value;
        lowerLogin.MakeLower();
        lowerValue.MakeLower();
        if ((lowerLogin.Find(strTerm) >= 0 || lowerValue.Find(strTerm) >= 0) && !value.IsEmpty()) {
            arIds.Add(login);
            arNames.Add(value);
        }
    }
    file.Close();
}
