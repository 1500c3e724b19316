#include "msgcenter/manager/CMsgMgrSearch.h"
#include "common/CMyIniFile.h"
#include "common/CWqStringMgr.h"
#include "msgcenter/manager/CMsgFolderTree.h"
#include "msgcenter/manager/CMsgSearchDlg.h"
#include "msgcenter/manager/CQorMsgManagerDlg.h"
#include "msgcenter/manager/CUserSearchDlg.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"

void CMsgMgrSearch::SearchMessages()
{
    CMsgSearchDlg dlg(&m_dlg);
    HTREEITEM hItem = nullptr;
    int nImage = 0;
    DWORD_PTR nData = 0;
    if (m_dlg.GetSelectedNode(&hItem, &nImage, &nData) && nImage == CMsgFolderTree::kPerson)
        dlg.m_strPerson = m_dlg.PersonIdAt(nData);
    if (dlg.DoModal() != IDOK)
        return;
    m_dlg.m_strSearchKeyword = dlg.m_strText;
    m_dlg.m_strSearchPerson = dlg.m_strPerson;
    m_dlg.m_strSearchFirstDate = dlg.m_strDateFrom;
    m_dlg.m_strSearchLastDate = dlg.m_strDateTo;
    m_dlg.m_folders.DeleteRootByImage(CMsgFolderTree::kSearchResults);
    HTREEITEM hResults = m_dlg.m_folders.AppendNode(nullptr, CQorViewBaseFun::LoadStringW(IDS_MSG_SEARCH_RESULTS),
                                                    CMsgFolderTree::kSearchResults, 0);
    if (hResults)
        m_dlg.m_tree.SelectItem(hResults);
}

void CMsgMgrSearch::AddPersons()
{
    CUserSearchDlg dlg(&m_dlg);
    if (dlg.DoModal() != IDOK || dlg.m_strUserName.IsEmpty())
        return;
    m_dlg.personIds.RemoveAll();
    m_dlg.personNames.RemoveAll();
    CStringArray terms;
    CWqStringMgr::TokenizeString(dlg.m_strUserName, &terms, L";");
    const CString infoFile = CQorViewMgr::Instance()->GetUserInfoFile();
    for (INT_PTR i = 0; i < terms.GetSize(); ++i)
        FindUsersInInfoFile(infoFile, terms[i], m_dlg.personIds, m_dlg.personNames);
    HTREEITEM hFirst = m_dlg.m_folders.RebuildPersons();
    if (hFirst)
        m_dlg.m_tree.SelectItem(hFirst);
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
