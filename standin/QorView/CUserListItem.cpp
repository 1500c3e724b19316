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

void CUserListItem::RemoveAll()
{
    m_users.clear();
    m_views.clear();
}
