#pragma once
// The view library's trees of people: the organisation tree (CSysUserTree) and the user's view
// tree (CMyViewTree) share this base. Each node carries an entry (CQorUserItem) as its item
// data, owned by the tree. A department or group whose members are not loaded yet shows one
// empty placeholder child; expanding it asks the tree's owner window for them with
// WM_QORVIEW_TREE_EXPANDING (wParam the item, lParam the tree), and the view manager fills them
// in (ReqLoadGroupChild).
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include "framework/MessageMap.h"
#include "platform/QorView/CCoolTreeCtrl.h"
#include "platform/QorView/CQorUserItem.h"
#include <memory>
#include <vector>

class CQorViewMgr;
class CUserListItem;

class CQorViewTree : public CCoolTreeCtrl {
public:
    ~CQorViewTree() override;

    void SetOwnerWnd(CWnd* pOwner) { m_pOwnerWnd = pOwner; }
    CWnd* GetOwnerWnd() const { return m_pOwnerWnd; }
    void SetViewMgr(CQorViewMgr* pMgr) { m_pViewMgr = pMgr; }
    void SetMySelf(const CString& strLogin) { m_strMySelf = strLogin; }
    const CString& GetMySelf() const { return m_strMySelf; }
    void SetUserList(CUserListItem* pList) { m_pUserList = pList; }
    void SetDisplayFlag(int nFlag) { m_nDisplayFlag = nFlag; }
    int GetDisplayFlag() const { return m_nDisplayFlag; }
    // The view this tree shows.
    const CString& GetViewID() const { return m_strViewID; }

    // The entry of a node; null for none (a placeholder).
    const CQorUserItem* GetEntry(HTREEITEM hItem) const;
    CString GetItemAID(HTREEITEM hItem) const; // the entry's id, "" for none
    int GetItemType(HTREEITEM hItem) const;    // the entry's type, 0 for none
    // A node for the entry under hParent (null: top level); a group gets a placeholder child
    // when bMembersLater.
    HTREEITEM AddEntry(HTREEITEM hParent, const CQorUserItem& entry, bool bMembersLater);
    // Replaces a group's placeholder by its members (what the view manager answers).
    void FillChildren(HTREEITEM hGroup, const std::vector<CQorUserItem>& children);
    void RemoveAllEntries();

protected:
    // Adds the view's groups (and their people) of the organisation data at the top level.
    void LoadGroups(const CString& strViewID);

    afx_msg LRESULT OnNotifyReflected(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CWnd* m_pOwnerWnd = nullptr;      // not owned
    CQorViewMgr* m_pViewMgr = nullptr; // not owned
    CUserListItem* m_pUserList = nullptr; // not owned
    CString m_strMySelf;
    CString m_strViewID;
    int m_nDisplayFlag = 0;
    std::vector<std::unique_ptr<CQorUserItem>> m_entries;
};

// The organisation tree: the departments of an organisation view and their people.
class CSysUserTree : public CQorViewTree {
public:
    void LoadView(const CString& strViewID);
};

// The user's view tree: the recent contacts first, then the view's groups.
class CMyViewTree : public CQorViewTree {
public:
    void InitRecentUsers(const CString& strViewID, const CStringArray& arLogins);
    void LoadView(const CString& strViewID);

private:
    CStringArray m_arRecent;
};
