#pragma once
// The view library's user list of the signed-in account: users by login name and the
// views (groups, departments) by id and type.
#include "framework/CString.h"
#include "platform/QorView/CQorUserItem.h"
#include <map>
#include <vector>

class CUserListItem {
public:
    struct ViewItem {
        CString strViewID;
        int nType = 0;
        CString strName;
    };

    // The view with this id; null when there is none.
    const ViewItem* FindViewItem(const CString& strViewID) const;
    // The id of the first view of a type; empty when there is none.
    CString GetFirstViewIDByType(int nType) const;
    // The display name of a user (login compared without case); empty when unknown.
    CString GetUserNameW(const CString& strLogin) const;

    void AddUser(const CString& strLogin, const CString& strName);
    // The views in the order they were added.
    int GetViewCount() const { return static_cast<int>(m_views.size()); }
    const ViewItem* GetViewAt(int nIndex) const;

    // Organisation data: the groups and people of a view, each under a parent group (an empty
    // parent id: the view's top level). A person added to the organisation is a user as well.
    void AddOrgEntry(const CString& strViewID, const CString& strParentID, const CQorUserItem& entry);
    std::vector<CQorUserItem> GetOrgChildren(const CString& strViewID, const CString& strParentID) const;
    void AddView(const CString& strViewID, int nType, const CString& strName);
    void RemoveAll();

private:
    std::map<CString, CString> m_users; // lower-cased login -> name
    std::vector<ViewItem> m_views;
    struct OrgEntry {
        CString strViewID;
        CString strParentID;
        CQorUserItem item;
    };
    std::vector<OrgEntry> m_org;
};
