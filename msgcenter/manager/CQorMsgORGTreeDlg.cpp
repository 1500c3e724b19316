#include "msgcenter/manager/CQorMsgORGTreeDlg.h"
#include "common/ChildRect.h"
#include "framework/CDataExchange.h"
#include "msgcenter/historyviewer/CQorMsgGroupDisDlg.h"
#include "msgcenter/IMsgMgrHost.h"
#include "msgcenter/MsgCenterMessages.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewMessages.h"

BEGIN_MESSAGE_MAP(CQorMsgORGTreeDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_ORG_VIEW_COMBO, &CQorMsgORGTreeDlg::OnViewSelChange)
    ON_MESSAGE(WM_MSGCENTER_SHOW_PERSON, &CQorMsgORGTreeDlg::OnForwardUserSel)
    ON_MESSAGE(WM_MSGCENTER_OPEN_CHAT, &CQorMsgORGTreeDlg::OnOpenUserChat)
    ON_MESSAGE(WM_MSGCENTER_LOAD_VIEW, &CQorMsgORGTreeDlg::OnLoadViewChild)
    ON_MESSAGE(WM_QORVIEW_TREE_EXPANDING, &CQorMsgORGTreeDlg::OnTreeItemExpanding)
    ON_MESSAGE(WM_QORVIEW_RELAYOUT, &CQorMsgORGTreeDlg::OnFitTreeFrame)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

// Tree style: child, lines and buttons at the root, selection always shown, full-row select,
// no drag and drop (0x40001037); made hidden.
const DWORD kTreeStyle = WS_CHILD | TVS_FULLROWSELECT | TVS_SHOWSELALWAYS | TVS_DISABLEDRAGDROP | TVS_LINESATROOT |
                         TVS_HASLINES | TVS_HASBUTTONS;
// Gap between the combo and the tree under it.
const int kComboGap = 3;

bool HasWindow(const CWnd* pWnd) { return pWnd && ::IsWindow(pWnd->GetSafeHwnd()); }

} // namespace

CQorMsgORGTreeDlg::CQorMsgORGTreeDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

CQorMsgORGTreeDlg::~CQorMsgORGTreeDlg()
{
    delete m_pOrgTree;
    delete m_pViewTree;
}

void CQorMsgORGTreeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ORG_VIEW_COMBO, m_combo);
}

BOOL CQorMsgORGTreeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pViewMgr) {
        const CUserListItem& list = m_pViewMgr->m_UserList;
        for (int i = 0; i < list.GetViewCount(); ++i) {
            const CUserListItem::ViewItem* pView = list.GetViewAt(i);
            int nIndex = CB_ERR;
            if (pView->nType == 1)
                nIndex = m_combo.AddString(pView->strName);
            else if (pView->nType == 2)
                nIndex = m_combo.AddString(CQorViewBaseFun::LoadStringW(IDS_MSG_USER_VIEWS));
            if (nIndex == CB_ERR || nIndex == CB_ERRSPACE)
                continue;
            m_combo.SetItemDataPtr(nIndex, const_cast<CUserListItem::ViewItem*>(pView));
            (pView->nType == 1 ? m_nOrgEntry : m_nViewEntry) = nIndex;
        }
    }
    BringToFront();
    ModifyStyle(0, WS_CLIPCHILDREN);
    UpdateWindow();
    Invalidate();
    return TRUE;
}

// Centred on the desktop and brought to the front even when another program has the input.
void CQorMsgORGTreeDlg::BringToFront()
{
    CenterWindow(nullptr);
    HWND hForeground = ::GetForegroundWindow();
    DWORD dwThis = ::GetCurrentThreadId();
    DWORD dwForeground = hForeground ? ::GetWindowThreadProcessId(hForeground, nullptr) : dwThis;
    const bool bAttach = dwForeground != dwThis && ::AttachThreadInput(dwThis, dwForeground, TRUE);
    ShowWindow(SW_SHOW);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(m_hWnd);
    if (bAttach)
        ::AttachThreadInput(dwThis, dwForeground, FALSE);
}

const CUserListItem::ViewItem* CQorMsgORGTreeDlg::EntryRecord(int nEntry) const
{
    if (nEntry < 0 || !HasWindow(&m_combo) || nEntry >= m_combo.GetCount())
        return nullptr;
    void* p = m_combo.GetItemDataPtr(nEntry);
    if (p == reinterpret_cast<void*>(static_cast<INT_PTR>(CB_ERR)))
        return nullptr;
    return static_cast<const CUserListItem::ViewItem*>(p);
}

CQorViewTree* CQorMsgORGTreeDlg::GetCurrentTree() const
{
    if (m_nMode == kModeOrg)
        return m_pOrgTree;
    if (m_nMode == kModeView)
        return m_pViewTree;
    return nullptr;
}

bool CQorMsgORGTreeDlg::FrameRect(RECT* pRect) const { return GetChildRect(m_hWnd, IDC_ORG_TREE_FRAME, pRect); }

bool CQorMsgORGTreeDlg::CreateTree(int nMode, bool* pbCreated)
{
    if (pbCreated)
        *pbCreated = false;
    CQorViewTree* pTree = nullptr;
    if (nMode == kModeOrg) {
        if (!m_pOrgTree)
            m_pOrgTree = new CSysUserTree;
        pTree = m_pOrgTree;
    } else if (nMode == kModeView) {
        if (!m_pViewTree)
            m_pViewTree = new CMyViewTree;
        pTree = m_pViewTree;
    } else {
        return false;
    }
    if (HasWindow(pTree))
        return true;
    pTree->SetOwnerWnd(this);
    pTree->SetViewMgr(m_pViewMgr);
    pTree->SetMySelf(m_pViewMgr ? m_pViewMgr->m_strMyUserId : CString());
    pTree->SetDisplayFlag(m_nTreeDisplayFlag);
    RECT rc = {};
    FrameRect(&rc);
    if (!pTree->Create(kTreeStyle, rc, this, 0))
        return false;
    if (m_pViewMgr) {
        m_pViewMgr->SinkWindowScrollbar(pTree->GetSafeHwnd());
        pTree->SetUserList(&m_pViewMgr->m_UserList);
    }
    if (pbCreated)
        *pbCreated = true;
    return true;
}

void CQorMsgORGTreeDlg::PlaceTree(CQorViewTree* pTree, int nWidth, int nHeight)
{
    RECT rcFrame, rcCombo;
    if (!HasWindow(pTree) || !FrameRect(&rcFrame))
        return;
    m_combo.GetWindowRect(&rcCombo);
    ScreenToClient(&rcCombo);
    if (m_nMode == kModeView && hideComboInViewMode) {
        m_combo.ShowWindow(SW_HIDE);
        pTree->MoveWindow(rcFrame.left, rcCombo.top, nWidth, nHeight);
        return;
    }
    RECT rcClient;
    GetClientRect(&rcClient);
    m_combo.MoveWindow(rcCombo.left, rcCombo.top, rcClient.right - 1 - rcCombo.left, rcCombo.bottom - rcCombo.top);
    m_combo.ShowWindow(SW_SHOW);
    const int top = rcCombo.bottom + kComboGap;
    pTree->MoveWindow(rcFrame.left, top, nWidth, nHeight - (rcCombo.bottom - rcCombo.top) - kComboGap);
}

void CQorMsgORGTreeDlg::LoadTree(bool bShow)
{
    CQorViewTree* pTree = GetCurrentTree();
    if (!bShow) {
        if (HasWindow(pTree))
            pTree->ShowWindow(SW_HIDE);
        return;
    }
    if (!CreateTree(m_nMode))
        return;
    pTree = GetCurrentTree();
    RECT rcFrame = {};
    FrameRect(&rcFrame);
    if (m_nMode == kModeOrg) {
        m_pOrgTree->LoadView(m_strViewID);
    } else {
        m_strViewID = m_pViewMgr ? m_pViewMgr->m_UserList.GetFirstViewIDByType(2) : CString();
        if (m_pViewMgr && m_pViewMgr->m_arRecentContacts.GetSize() > 0)
            m_pViewTree->InitRecentUsers(m_strViewID, m_pViewMgr->m_arRecentContacts);
        m_pViewTree->LoadView(m_strViewID);
        SelectRecentContact();
    }
    RECT rcCombo;
    m_combo.GetWindowRect(&rcCombo);
    ScreenToClient(&rcCombo);
    PlaceTree(pTree, rcFrame.right - rcFrame.left, rcFrame.bottom - rcCombo.top);
    pTree->ShowWindow(SW_SHOW);
    pTree->SetFocus();
    UpdateWindow();
    Invalidate();
}

// In the view tree the newest recent contact is selected and its history shown.
void CQorMsgORGTreeDlg::SelectRecentContact()
{
    const CString recentText = CQorViewBaseFun::LoadStringW(IDS_MSG_RECENT_CONTACTS);
    for (HTREEITEM h = m_pViewTree->GetRootItem(); h; h = m_pViewTree->GetNextSiblingItem(h)) {
        const CQorUserItem* pEntry = m_pViewTree->GetEntry(h);
        if (!pEntry || pEntry->nMarker != -1 || m_pViewTree->GetItemText(h).CompareNoCase(recentText) != 0)
            continue;
        HTREEITEM hChild = m_pViewTree->GetChildItem(h);
        const CQorUserItem* pChild = m_pViewTree->GetEntry(hChild);
        if (!pChild)
            return;
        m_pViewTree->SelectItem(hChild);
        CQorMsgGroupDisDlg* pViewer = m_pOwner ? m_pOwner->GetHistoryViewer() : nullptr;
        if (HasWindow(pViewer))
            pViewer->SendMessage(WM_MSGCENTER_SHOW_PERSON, 0, reinterpret_cast<LPARAM>(&pChild->strId));
        return;
    }
}

bool CQorMsgORGTreeDlg::SwitchToEntry(int nEntry)
{
    LoadTree(false);
    const CUserListItem::ViewItem* pView = EntryRecord(nEntry);
    if (!pView)
        return false;
    m_nMode = pView->nType;
    m_strViewID = pView->strViewID;
    m_combo.SetCurSel(nEntry);
    LoadTree(true);
    return true;
}

void CQorMsgORGTreeDlg::OnViewSelChange()
{
    const int nSel = m_combo.GetCurSel();
    if (nSel == CB_ERR)
        return;
    SwitchToEntry(nSel);
}

void CQorMsgORGTreeDlg::ShowOrgTree()
{
    if (m_nOrgEntry < 0 || !SwitchToEntry(m_nOrgEntry))
        return;
    Relayout();
    CQorMsgGroupDisDlg* pViewer = m_pOwner ? m_pOwner->GetHistoryViewer() : nullptr;
    if (pViewer)
        pViewer->ClearPeerHistory();
}

void CQorMsgORGTreeDlg::ShowViewTree()
{
    if (!SwitchToEntry(m_nViewEntry))
        return;
    Relayout();
}

bool CQorMsgORGTreeDlg::GetSelectedEntry(CString& strId, int& nType) const
{
    CQorViewTree* pTree = GetCurrentTree();
    if (!HasWindow(pTree))
        return false;
    const CQorUserItem* pEntry = pTree->GetEntry(pTree->GetSelectedItem());
    if (!pEntry)
        return false;
    strId = pEntry->strId;
    nType = pEntry->nType;
    return true;
}

bool CQorMsgORGTreeDlg::HasSelection() const
{
    CQorViewTree* pTree = GetCurrentTree();
    return HasWindow(pTree) && pTree->GetSelectedItem() != nullptr;
}

// Layout

void CQorMsgORGTreeDlg::Relayout()
{
    RECT rc;
    GetClientRect(&rc);
    OnSize(SIZE_RESTORED, rc.right, rc.bottom);
}

void CQorMsgORGTreeDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (cy == 0 || !HasWindow(&m_combo) || !m_pOwner || (m_nMode != kModeOrg && m_nMode != kModeView))
        return;
    PlaceTree(GetCurrentTree(), cx, cy);
    UpdateWindow();
    Invalidate();
}

LRESULT CQorMsgORGTreeDlg::OnFitTreeFrame(WPARAM, LPARAM)
{
    RECT rc;
    if (!FrameRect(&rc))
        return 0;
    if (rc.left > rc.right)
        std::swap(rc.left, rc.right);
    if (rc.top > rc.bottom)
        std::swap(rc.top, rc.bottom);
    ::MoveWindow(::GetDlgItem(m_hWnd, IDC_ORG_TREE_FRAME), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 FALSE);
    for (CQorViewTree* pTree : {static_cast<CQorViewTree*>(m_pOrgTree), static_cast<CQorViewTree*>(m_pViewTree)}) {
        if (HasWindow(pTree))
            pTree->MoveWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    }
    Invalidate();
    return 0;
}

// Requests of the trees and of the view library

LRESULT CQorMsgORGTreeDlg::OnForwardUserSel(WPARAM wParam, LPARAM lParam)
{
    if (!m_pOwner)
        return 0;
    CWnd* pTarget = m_pOwner->IsLocalMode() ? static_cast<CWnd*>(m_pOwner->GetHistoryViewer()) : m_pOwner->GetWebPane();
    if (HasWindow(pTarget))
        pTarget->SendMessage(WM_MSGCENTER_SHOW_PERSON, wParam, lParam);
    UpdateData(FALSE);
    return 0;
}

LRESULT CQorMsgORGTreeDlg::OnOpenUserChat(WPARAM, LPARAM lParam)
{
    const auto* pUser = reinterpret_cast<const CQorUserItem*>(lParam);
    if (pUser && m_pViewMgr)
        m_pViewMgr->NewChatDlg(pUser->strId, pUser->strName, CString(), CString(), TRUE, FALSE);
    return 0;
}

LRESULT CQorMsgORGTreeDlg::OnLoadViewChild(WPARAM wParam, LPARAM lParam)
{
    auto* pWnd = reinterpret_cast<CWnd*>(lParam);
    const auto* pViewId = reinterpret_cast<const CString*>(wParam);
    if (pWnd && pViewId && m_pViewMgr)
        m_pViewMgr->ReqLoadViewChild(*pViewId, pWnd);
    return 0;
}

LRESULT CQorMsgORGTreeDlg::OnTreeItemExpanding(WPARAM wParam, LPARAM lParam)
{
    auto hItem = reinterpret_cast<HTREEITEM>(wParam);
    auto* pTree = reinterpret_cast<CQorViewTree*>(lParam);
    if (!hItem || !pTree || !m_pViewMgr ||
        (pTree != static_cast<CQorViewTree*>(m_pOrgTree) && pTree != static_cast<CQorViewTree*>(m_pViewTree)))
        return 0;
    const CString viewId = pTree->GetViewID();
    HTREEITEM hParent = pTree->GetParentItem(hItem);
    CString parentId = viewId;
    int nParentType = 4; // a top-level item's parent is the view itself
    if (hParent) {
        parentId = pTree->GetItemAID(hParent);
        nParentType = pTree->GetItemType(hParent);
    }
    CString handle;
    handle.Format(L"%IX", reinterpret_cast<ULONG_PTR>(hItem));
    m_pViewMgr->ReqLoadGroupChild(viewId, nParentType, parentId, pTree->GetItemType(hItem), pTree->GetItemAID(hItem),
                                  pTree->GetItemText(hItem), handle, pTree);
    return 0;
}

// The trees hear their own notifications too (their expanding asks this pane for members).
BOOL CQorMsgORGTreeDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    if (pHdr) {
        for (CQorViewTree* pTree : {static_cast<CQorViewTree*>(m_pOrgTree), static_cast<CQorViewTree*>(m_pViewTree)}) {
            if (HasWindow(pTree) && pHdr->hwndFrom == pTree->GetSafeHwnd())
                pTree->SendMessage(WM_NOTIFY, wParam, lParam);
        }
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}
