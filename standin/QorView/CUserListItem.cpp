#include "platform/QorView/CUserListItem.h"

const CUserListItem::ViewItem* CUserListItem::FindViewItem(const CString& strViewID) const
{
    for (const ViewItem& v : m_views) {
        if (v.strViewID == strViewID)
            return &v;
    }
    return nullptr;
}

CString CUserListItem::GetFirstViewIDByType(int nType) const
{
    for (const ViewItem& v : m_views) {
        if (v.nType == nType)
            return v.strViewID;
    }
    return CString();
}

CString CUserListItem::GetUserNameW(const CString& strLogin) const
{
    CString key = strLogin;
    key.MakeLower();
    auto it = m_users.find(key);
    return it != m_users.end() ? it->second : CString();
}

void CUserListItem::AddUser(const CString& strLogin, const CString& strName)
{
    CString key = strLogin;
    key.MakeLower();
    m_users[key] = strName;
}

void CUserListItem::AddView(const CString& strViewID, int nType, const CString& strName)
{
    m_views.push_back(ViewItem{strViewID, nType, strName});
}

const CUserListItem::ViewItem* CUserListItem::GetViewAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetViewCount())
        return nullptr;
    return &m_views[static_cast<size_t>(nIndex)];
}

void CUserListItem::AddOrgEntry(const CString& strViewID, const CString& strParentID, const CQorUserItem& entry)
{
    m_org.push_back(OrgEntry{strViewID, strParentID, entry});
    if (entry.nType == CQorUserItem::kPerson)
        AddUser(entry.strId, entry.strName);
}

std::vector<CQorUserItem> CUserListItem::GetOrgChildren(const CString& strViewID, const CString& strParentID) const
{
    std::vector<CQorUserItem> out;
    for (const OrgEntry& e : m_org) {
        if (e.strViewID == strViewID && e.strParentID == strParentID)
            out.push_back(e.item);
    }
    return out;
}

void CUserListItem::RemoveAll()
{
    m_users.clear();
    m_views.clear();
    m_org.clear();
}
