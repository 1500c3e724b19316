#include "platform/QorView/CQorViewTree.h"
#include "framework/CStringArray.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/CUserListItem.h"
#include "platform/QorView/QorViewMessages.h"
#include "standin/QorView/QorViewState.h"

BEGIN_MESSAGE_MAP(CQorViewTree, CCoolTreeCtrl)
    ON_MESSAGE(WM_NOTIFY, &CQorViewTree::OnNotifyReflected)
END_MESSAGE_MAP()

namespace {
// The text of the recent-contacts folder (a string of the program's resource module).
const UINT kRecentContactsText = 61850;
} // namespace

CQorViewTree::~CQorViewTree() = default;

const CQorUserItem* CQorViewTree::GetEntry(HTREEITEM hItem) const
{
    if (!hItem || !::IsWindow(m_hWnd))
        return nullptr;
    return reinterpret_cast<const CQorUserItem*>(GetItemData(hItem));
}

CString CQorViewTree::GetItemAID(HTREEITEM hItem) const
{
    const CQorUserItem* p = GetEntry(hItem);
    return p ? p->strId : CString();
}

int CQorViewTree::GetItemType(HTREEITEM hItem) const
{
    const CQorUserItem* p = GetEntry(hItem);
    return p ? p->nType : 0;
}

HTREEITEM CQorViewTree::AddEntry(HTREEITEM hParent, const CQorUserItem& entry, bool bMembersLater)
{
    m_entries.push_back(std::make_unique<CQorUserItem>(entry));
    HTREEITEM hItem = InsertItem(entry.strName, hParent ? hParent : TVI_ROOT, TVI_LAST);
    if (!hItem)
        return nullptr;
    SetItemData(hItem, reinterpret_cast<DWORD_PTR>(m_entries.back().get()));
    if (bMembersLater)
        InsertItem(L"", hItem, TVI_LAST); // placeholder, item data 0
    return hItem;
}

void CQorViewTree::FillChildren(HTREEITEM hGroup, const std::vector<CQorUserItem>& children)
{
    for (HTREEITEM h = GetChildItem(hGroup); h;) {
        HTREEITEM next = GetNextSiblingItem(h);
        if (!GetEntry(h))
            DeleteItem(h);
        h = next;
    }
    for (const CQorUserItem& child : children)
        AddEntry(hGroup, child, child.nType == CQorUserItem::kGroup);
}

void CQorViewTree::RemoveAllEntries()
{
    if (::IsWindow(m_hWnd))
        DeleteAllItems();
    m_entries.clear();
}

void CQorViewTree::LoadGroups(const CString& strViewID)
{
    if (!m_pUserList)
        return;
    for (const CQorUserItem& group : m_pUserList->GetOrgChildren(strViewID, CString()))
        AddEntry(nullptr, group, group.nType == CQorUserItem::kGroup);
}

// The owner pane sends the tree its own notifications back; an expanding group whose members
// are not loaded asks the owner for them.
LRESULT CQorViewTree::OnNotifyReflected(WPARAM, LPARAM lParam)
{
    auto* pHdr = reinterpret_cast<NMHDR*>(lParam);
    // Notifications of the tree's own children (its tooltip) take their usual way.
    if (!pHdr || pHdr->hwndFrom != m_hWnd)
        return Default();
    if (pHdr->code != TVN_ITEMEXPANDINGW)
        return 0;
    auto* pTv = reinterpret_cast<NMTREEVIEWW*>(lParam);
    HTREEITEM hItem = pTv->itemNew.hItem;
    if (!(pTv->action & TVE_EXPAND) || !hItem)
        return 0;
    HTREEITEM hChild = GetChildItem(hItem);
    if (hChild && !GetEntry(hChild) && m_pOwnerWnd)
        ::SendMessageW(m_pOwnerWnd->GetSafeHwnd(), WM_QORVIEW_TREE_EXPANDING, reinterpret_cast<WPARAM>(hItem),
                       reinterpret_cast<LPARAM>(this));
    return 0;
}

void CSysUserTree::LoadView(const CString& strViewID)
{
    qorview_detail::Record(L"CSysUserTree::LoadView", strViewID);
    RemoveAllEntries();
    m_strViewID = strViewID;
    LoadGroups(strViewID);
}

void CMyViewTree::InitRecentUsers(const CString& strViewID, const CStringArray& arLogins)
{
    qorview_detail::Record(L"CMyViewTree::InitRecentUsers", strViewID);
    m_arRecent.Copy(arLogins);
}

void CMyViewTree::LoadView(const CString& strViewID)
{
    qorview_detail::Record(L"CMyViewTree::LoadView", strViewID);
    RemoveAllEntries();
    m_strViewID = strViewID;
    if (m_arRecent.GetSize() > 0) {
        CQorUserItem folder;
        folder.nMarker = -1;
        folder.nType = CQorUserItem::kFolder;
        folder.strName = CQorViewBaseFun::LoadStringW(kRecentContactsText);
        HTREEITEM hFolder = AddEntry(nullptr, folder, false);
        for (INT_PTR i = 0; i < m_arRecent.GetSize(); ++i) {
            CQorUserItem person;
            person.nType = CQorUserItem::kPerson;
            person.strId = m_arRecent[i];
            person.strName = m_pUserList ? m_pUserList->GetUserNameW(m_arRecent[i]) : CString();
            if (person.strName.IsEmpty())
                person.strName = m_arRecent[i];
            AddEntry(hFolder, person, false);
        }
        Expand(hFolder, TVE_EXPAND);
    }
    LoadGroups(strViewID);
}
