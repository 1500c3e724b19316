#include "msgcenter/manager/CMsgFolderTree.h"
#include "common/CWqStringMgr.h"
#include "framework/CBitmap.h"
#include "framework/CDataExchange.h"
#include "msgcenter/MsgDb.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"

namespace {

CString ResString(UINT nId) { return CQorViewBaseFun::LoadStringW(nId); }


// Runs a query on the shared connection and hands each row to read; false when it cannot run.
template <class ReadRow>
bool ForEachRow(const CString& sql, ReadRow read)
{
    CYqRecordset rs;
    if (!rs.Open(sql, CQorViewMgr::Instance()->m_pConnect))
        return false;
    rs.MoveFirst();
    while (!rs.IsEOF()) {
        read(rs);
        rs.MoveNext();
    }
    rs.Close();
    return true;
}

} // namespace

void CMsgFolderTree::BindControl(CDataExchange* pDX) { DDX_Control(pDX, IDC_MGR_TREE, m_tree); }

void CMsgFolderTree::InitTree()
{
    m_imageList.Create(16, 16, ILC_MASK | ILC_COLOR8, 10, 6);
    CBitmap bitmap;
    if (bitmap.LoadBitmap(IDB_MSG_TREE_IMAGES))
        m_imageList.Add(&bitmap, RGB(0xFF, 0xFF, 0xFF));
    m_tree.ApplySkinFont();
    m_tree.SetImageList(&m_imageList, TVSIL_NORMAL);
    CQorViewMgr::Instance()->SinkWindowScrollbar(m_tree.GetSafeHwnd());
}

HTREEITEM CMsgFolderTree::AppendNode(HTREEITEM hParent, const CString& strText, int nImage, DWORD_PTR nData)
{
    HTREEITEM hItem = m_tree.InsertItem(strText, nImage, nImage, hParent ? hParent : TVI_ROOT, TVI_LAST);
    if (hItem)
        m_tree.SetItemData(hItem, nData);
    return hItem;
}

int CMsgFolderTree::GetImage(HTREEITEM hItem) const
{
    int nImage = kNone, nSelected = kNone;
    if (!hItem || !m_tree.GetItemImage(hItem, nImage, nSelected))
        return kNone;
    return nImage;
}

bool CMsgFolderTree::GetSelectedNode(Node& node) const
{
    HTREEITEM hItem = ::IsWindow(m_tree.GetSafeHwnd()) ? m_tree.GetSelectedItem() : nullptr;
    if (!hItem)
        return false;
    node.hItem = hItem;
    node.nImage = GetImage(hItem);
    node.nData = m_tree.GetItemData(hItem);
    return true;
}

void CMsgFolderTree::Rebuild()
{
    CFolderTreeCtrl& tree = m_tree;
    tree.DeleteAllItems();
    receivedRoot = AppendNode(nullptr, ResString(IDS_MSG_RECEIVED), kReceived, 1);
    AppendNode(nullptr, ResString(IDS_MSG_SENT), kSent, 2);
    talkRoot = AppendNode(nullptr, ResString(IDS_MSG_TALK_ROOT), kTalkRoot, 7);
    LoadTalkNodes();
    tree.Expand(talkRoot, TVE_EXPAND);
    AppendNode(nullptr, ResString(IDS_MSG_UNREAD_BY_RECIPIENTS), kUnreadByRecipients, 6);
    // The user-folder root exists only when a caller made one; a rebuilt tree has none.
    userFolderRoot = nullptr;
}

void CMsgFolderTree::DeleteRootByImage(int nImage)
{
    HTREEITEM hItem = FindRootItemByImage(nullptr, nImage);
    if (!hItem)
        return;
    // The tree hands the selection of a node it deletes to a neighbour, which would then show
    // its view for nothing (the caller selects the node it makes next): the selection goes first.
    for (HTREEITEM h = m_tree.GetSelectedItem(); h; h = m_tree.GetParentItem(h)) {
        if (h == hItem) {
            m_tree.SelectItem(nullptr);
            break;
        }
    }
    m_tree.DeleteItem(hItem);
}

void CMsgFolderTree::SetPersons(const CStringArray& arIds, const CStringArray& arNames)
{
    personIds.Copy(arIds);
    personNames.Copy(arNames);
}

bool CMsgFolderTree::HasPersonAt(DWORD_PTR nIndex) const
{
    return nIndex < static_cast<DWORD_PTR>(personIds.GetSize());
}

CString CMsgFolderTree::PersonIdAt(DWORD_PTR nIndex) const
{
    return HasPersonAt(nIndex) ? personIds[static_cast<INT_PTR>(nIndex)] : CString();
}

HTREEITEM CMsgFolderTree::RebuildPersons()
{
    DeleteRootByImage(kPersons);
    HTREEITEM hHeader = AppendNode(nullptr, ResString(IDS_MSG_PERSONS), kPersons, 0);
    for (INT_PTR i = 0; i < personNames.GetSize(); ++i)
        AppendNode(hHeader, personNames[i], kPerson, static_cast<DWORD_PTR>(i));
    m_tree.Expand(hHeader, TVE_EXPAND);
    return hHeader ? m_tree.GetChildItem(hHeader) : nullptr;
}

void CMsgFolderTree::ListPersons(const CStringArray& arIds, const CStringArray& arNames)
{
    SetPersons(arIds, arNames);
    HTREEITEM hFirst = RebuildPersons();
    if (hFirst)
        m_tree.SelectItem(hFirst);
}

void CMsgFolderTree::SelectTalk(const CString& strTalkId)
{
    pendingTalkId = strTalkId;
    m_tree.SelectItem(FindTalkItem(pendingTalkId, talkRoot));
    pendingTalkId.Empty();
}

BOOL CMsgFolderTree::LoadUserFolders(HTREEITEM hParent)
{
    CFolderTreeCtrl& tree = m_tree;
    for (HTREEITEM hChild = hParent ? tree.GetChildItem(hParent) : nullptr; hChild;) {
        HTREEITEM hNext = tree.GetNextSiblingItem(hChild);
        tree.DeleteItem(hChild);
        hChild = hNext;
    }
    return ForEachRow(L"SELECT DISTINCT Col_FolderName FROM qor_Msg WHERE Col_Type = 3", [&](CYqRecordset& rs) {
        CString name;
        rs.GetValue(0, name);
        if (!name.IsEmpty())
            AppendNode(hParent, name, kUserFolder, 5);
    });
}

void CMsgFolderTree::LoadTalkNodes()
{
    CString sql;
    sql.Format(L"SELECT Col_ID, Col_Subject\t\t\t\t\t\t\tFROM Qor_Talk WHERE Col_Type = %d OR Col_Type = %d",
               MsgDb::kTalkDiscussionOther, MsgDb::kTalkDiscussion);
    ForEachRow(sql, [&](CYqRecordset& rs) {
        CString id, subject;
        rs.GetValue(0, id);
        rs.GetValue(1, subject);
        CString viewId = CQorViewMgr::Instance()->GetViewID(id);
        AppendNode(talkRoot, subject, kTalk, static_cast<DWORD_PTR>(_wtoi(viewId)));
    });
    m_tree.SendMessage(WM_SETREDRAW, TRUE, 0);
    m_tree.Invalidate();
}

// "_" is a wildcard of LIKE: the pattern only narrows the rows, and each id is then checked to
// end in "_" and exactly this number, so talk 5 is never talk 15 or talk x5.
CString CMsgFolderTree::GetTalkIdByViewId(int nViewId)
{
    CString suffix;
    suffix.Format(L"_%d", nViewId);
    CString sql;
    sql.Format(L"SELECT Col_ID FROM Qor_Talk WHERE Col_ID like '%%%s'", static_cast<LPCWSTR>(suffix));
    CString found;
    ForEachRow(sql, [&](CYqRecordset& rs) {
        CString id;
        rs.GetValue(0, id);
        if (id.GetLength() >= suffix.GetLength() && id.Right(suffix.GetLength()) == suffix)
            found = id;
    });
    return found;
}

// The talk id is a text value: quoted as a string literal (a double-quoted one could be read
// as a column name).
HTREEITEM CMsgFolderTree::FindTalkItem(const CString& strTalkId, HTREEITEM hParent)
{
    CString sql;
    sql.Format(L"SELECT Col_Subject FROM Qor_Talk WHERE Col_ID = '%s'",
               static_cast<LPCWSTR>(CWqStringMgr::SqlQuote(strTalkId)));
    CString subject;
    bool found = false;
    if (!ForEachRow(sql, [&](CYqRecordset& rs) {
            rs.GetValue(0, subject);
            found = true;
        }) ||
        !found)
        return nullptr;
    CFolderTreeCtrl& tree = m_tree;
    for (HTREEITEM hChild = hParent ? tree.GetChildItem(hParent) : nullptr; hChild;
         hChild = tree.GetNextSiblingItem(hChild)) {
        if (tree.GetItemText(hChild).CompareNoCase(subject) == 0)
            return hChild;
    }
    return nullptr;
}

HTREEITEM CMsgFolderTree::FindRootItemByImage(HTREEITEM hStart, int nImage) const
{
    const CFolderTreeCtrl& tree = m_tree;
    for (HTREEITEM hItem = hStart ? tree.GetChildItem(hStart) : tree.GetRootItem(); hItem;
         hItem = tree.GetNextSiblingItem(hItem)) {
        if (GetImage(hItem) == nImage)
            return hItem;
    }
    return nullptr;
}
