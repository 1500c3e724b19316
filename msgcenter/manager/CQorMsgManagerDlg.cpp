#include "msgcenter/manager/CQorMsgManagerDlg.h"
#include "common/ChildRect.h"
#include "controls/CWqMemDC.h"
#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "framework/ModuleState.h"
#include "msgcenter/manager/CMsgMgrRequest.h"
#include "msgcenter/manager/CQorMsgBaseDlg.h"
#include "msgcenter/titlelist/CQorMsgTitleDlg.h"
#include "msgcenter/contacthistory/CQorMsgTitleExDlg.h"
#include "msgcenter/manager/CQorMsgWebMsgDlg.h"
#include "msgcenter/manager/IMsgCenterOwner.h"
#include "msgcenter/MsgCenterMessages.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewMessages.h"
#include "platform/xDUI/CRenderEngine.h"

BEGIN_MESSAGE_MAP(CQorMsgManagerDlg, CQorDlg)
    ON_NOTIFY(TVN_SELCHANGEDW, IDC_MGR_TREE, &CQorMsgManagerDlg::OnFolderTreeSelChanged)
    ON_NOTIFY(NM_RCLICK, IDC_MGR_TREE, &CQorMsgManagerDlg::OnFolderTreeRClick)
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_GETMINMAXINFO()
    ON_WM_CLOSE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_QORVIEW_RELAYOUT, &CQorMsgManagerDlg::OnRepositionPanes)
    ON_MESSAGE(WM_MSGCENTER_COMMAND, &CQorMsgManagerDlg::OnManagerCommandMessage)
    ON_MESSAGE(WM_MSGCENTER_KEYDOWN, &CQorMsgManagerDlg::OnPostedKeyDown)
    ON_COMMAND(ID_MSG_HIDE, &CQorMsgManagerDlg::OnHide)
    ON_COMMAND_RANGE(ID_MSG_CMD_EXPORT, ID_MSG_CMD_ADD_PERSONS, &CQorMsgManagerDlg::OnManagerCommandRange)
    ON_COMMAND(ID_MSG_DELETE_TALK, &CQorMsgManagerDlg::OnDeleteTalk)
    ON_BN_CLICKED(IDC_MGR_TAB_LOCAL, &CQorMsgManagerDlg::OnTabButton1)
    ON_BN_CLICKED(IDC_MGR_TAB_ROAM, &CQorMsgManagerDlg::OnTabButton2)
    ON_COMMAND(ID_MSG_VIEW_ORG, &CQorMsgManagerDlg::OnViewOrgTree)
    ON_COMMAND(ID_MSG_VIEW_FOLDERS, &CQorMsgManagerDlg::OnViewFolderTree)
    ON_COMMAND(ID_MSG_VIEW_USER_VIEWS, &CQorMsgManagerDlg::OnViewUserViews)
END_MESSAGE_MAP()

namespace {

const COLORREF kFrameLine = RGB(179, 179, 179);
// The pane area is not made narrower than this by a resize.
const int kMinPaneWidth = 50;

} // namespace

CQorMsgManagerDlg::CQorMsgManagerDlg(CWnd* pParent)
    : CQorDlg(IDD, pParent), m_search(*this, m_folders), m_views(*this, m_folders), m_menus(*this, m_folders)
{
}

CQorMsgManagerDlg::~CQorMsgManagerDlg()
{
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
}

void CQorMsgManagerDlg::DoDataExchange(CDataExchange* pDX)
{
    CQorDlg::DoDataExchange(pDX);
    m_folders.BindControl(pDX);
    m_views.BindControls(pDX);
}

BOOL CQorMsgManagerDlg::OnInitDialog()
{
    _Init(this);
    CQorDlg::OnInitDialog();
    RECT rcClient = {};
    GetClientRect(&rcClient);
    SetMinimumClient(rcClient);

    m_views.InitTabs();

    m_hIcon = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_MAINFRAME), IMAGE_ICON, 0,
                                              0, LR_DEFAULTSIZE));
    if (m_hIcon) {
        SetIcon(m_hIcon, TRUE);
        SetIcon(m_hIcon, FALSE);
    }
    CString title;
    title.Format(CQorViewBaseFun::LoadStringW(IDS_MSG_MANAGER_TITLE), static_cast<LPCWSTR>(titleName));
    SetWindowText(title);

    m_folders.InitTree();
    m_views.CreatePanes();
    InitViewButton();
    m_views.CreateOrgPane();
    m_views.CreateWebPane();

    EnableTitleIcon(false);
    EnableTitleText(true);
    ModifyStyle(0, WS_CLIPCHILDREN);
    ModifyStyleEx(WS_EX_TOOLWINDOW, WS_EX_APPWINDOW);
    return TRUE;
}

bool CQorMsgManagerDlg::ControlRect(UINT nID, RECT* pRect) const { return GetChildRect(m_hWnd, nID, pRect); }

CWnd* CQorMsgManagerDlg::GetWebPane() { return m_views.GetWebPane(); }

bool CQorMsgManagerDlg::SendFilesToUsers(const CStringArray& arIds, const CStringArray& arNames,
                                         const CStringArray& arFiles)
{
    return mainWindow && mainWindow->SendFilesToUsers(arIds, arNames, arFiles);
}

bool CQorMsgManagerDlg::QuickSend(WPARAM wValue) { return mainWindow && mainWindow->PostQuickSend(wValue); }

// The main window's use of the centre

IMsgCenter* IMsgCenter::NewCenter() { return new CQorMsgManagerDlg(nullptr); }

void CQorMsgManagerDlg::SetSession(CQorMsgDBMgr* pDBMgr, const CString& strServer, const CString& strAccount,
                                   IMsgCenterOwner* pOwner)
{
    m_pDBMgr = pDBMgr;
    m_strServer = strServer;
    m_strAccount = strAccount;
    titleName = strAccount;
    mainWindow = pOwner;
}

bool CQorMsgManagerDlg::EnsureWindow(CWnd* pParent)
{
    return ::IsWindow(m_hWnd) || Create(IDD_MSG_MANAGER, pParent);
}

bool CQorMsgManagerDlg::IsBusy() const
{
    const CQorMsgBaseDlg* pBase = m_views.GetBasePane();
    CQorMsgTitleDlg* pTitle = pBase ? pBase->GetTitlePane() : nullptr;
    CQorMsgTitleExDlg* pHistory = pBase ? pBase->GetTitleExPane() : nullptr;
    return (pTitle && pTitle->IsLongTaskRunning()) || (pHistory && pHistory->IsBusy());
}

void CQorMsgManagerDlg::CancelLongTasks()
{
    const CQorMsgBaseDlg* pBase = m_views.GetBasePane();
    if (CQorMsgTitleDlg* pTitle = pBase ? pBase->GetTitlePane() : nullptr)
        pTitle->CancelLongTask();
    if (CQorMsgTitleExDlg* pHistory = pBase ? pBase->GetTitleExPane() : nullptr)
        pHistory->CancelLongTask();
}

void CQorMsgManagerDlg::Destroy()
{
    if (::IsWindow(m_hWnd))
        DestroyWindow();
    else
        delete this;
}

// Requests

void CQorMsgManagerDlg::OpenWithRequest(CString strRequest) { m_views.OpenRequest(CMsgMgrRequest::Parse(strRequest)); }

// The folder tree

void CQorMsgManagerDlg::OnFolderTreeSelChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    m_views.ShowSelectedNode();
}

void CQorMsgManagerDlg::RefreshCurrentNode() { m_views.RefreshSelectedNode(); }

BOOL CQorMsgManagerDlg::LoadUserFolders(HTREEITEM hParent) { return m_folders.LoadUserFolders(hParent); }
void CQorMsgManagerDlg::LoadTalkNodes() { m_folders.LoadTalkNodes(); }
HTREEITEM CQorMsgManagerDlg::FindTalkItem(CString strTalkId, HTREEITEM hParent)
{
    return m_folders.FindTalkItem(strTalkId, hParent);
}
CString CQorMsgManagerDlg::GetTalkIdByViewId(int nViewId) { return m_folders.GetTalkIdByViewId(nViewId); }
HTREEITEM CQorMsgManagerDlg::FindRootItemByImage(HTREEITEM hStart, int nImage)
{
    return m_folders.FindRootItemByImage(hStart, nImage);
}

// Views, tabs and panes

void CQorMsgManagerDlg::OnViewOrgTree() { m_views.ShowOrgView(false); }
void CQorMsgManagerDlg::OnViewFolderTree() { m_views.ShowFolderView(); }
void CQorMsgManagerDlg::OnViewUserViews() { m_views.ShowOrgView(true); }
void CQorMsgManagerDlg::OnTabButton1() { m_views.OnLocalTab(); }
void CQorMsgManagerDlg::OnTabButton2() { m_views.OnRoamingTab(); }
void CQorMsgManagerDlg::ShowHistoryViewer() { m_views.ShowHistoryViewer(); }
void CQorMsgManagerDlg::ShowBasePane() { m_views.ShowBasePane(); }
void CQorMsgManagerDlg::ShowWebPane() { m_views.ShowWebPane(); }
void CQorMsgManagerDlg::OpenLocalHistoryForSelection() { m_views.OpenLocalHistoryForSelection(); }
void CQorMsgManagerDlg::OpenRoamingHistoryForSelection() { m_views.OpenRoamingHistoryForSelection(); }
void CQorMsgManagerDlg::InitViewButton() { m_views.InitViewButton(); }
void CQorMsgManagerDlg::SetViewButtonState(int nIndex) { m_views.SetViewButtonState(nIndex); }

// Commands

void CQorMsgManagerDlg::DoManagerCommand(int nCommand)
{
    switch (nCommand) {
    case kMsgCmdExport:
        if (CQorMsgBaseDlg* pBase = m_views.GetBasePane())
            pBase->ExportSelected(TRUE);
        break;
    case kMsgCmdDelete:
        if (CQorMsgBaseDlg* pBase = m_views.GetBasePane())
            pBase->DeleteSelected();
        break;
    case kMsgCmdRefresh: RefreshCurrentNode(); break;
    case kMsgCmdSearch: OnSearchMessages(); break;
    case kMsgCmdAddPersons: OnAddPersons(); break;
    default: break;
    }
}

void CQorMsgManagerDlg::OnManagerCommandRange(UINT nID) { DoManagerCommand(static_cast<int>(nID - ID_MSG_CMD_EXPORT) + 1); }

LRESULT CQorMsgManagerDlg::OnManagerCommandMessage(WPARAM wParam, LPARAM)
{
    DoManagerCommand(static_cast<int>(wParam));
    return 0;
}

void CQorMsgManagerDlg::OnSearchMessages() { m_search.SearchMessages(); }
void CQorMsgManagerDlg::OnAddPersons() { m_search.AddPersons(); }

BOOL CQorMsgManagerDlg::FindUsersInInfoFile(CString strTerm, CStringArray& arIds, CStringArray& arNames)
{
    CMsgMgrSearch::FindUsersInInfoFile(CQorViewMgr::Instance()->GetUserInfoFile(), strTerm, arIds, arNames);
    return FALSE;
}

void CQorMsgManagerDlg::OnFolderTreeRClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    m_menus.OnTreeRightClick();
}

void CQorMsgManagerDlg::OnDeleteTalk() { m_menus.DeleteSelectedTalk(); }

void CQorMsgManagerDlg::OnHide() { ShowWindow(SW_HIDE); }

// Keys: every key press in the window or its children comes back as WM_USER+2020, so that the
// shortcuts work whichever pane has the focus.
BOOL CQorMsgManagerDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        PostMessage(WM_MSGCENTER_KEYDOWN, pMsg->wParam, pMsg->lParam);
    return CQorDlg::PreTranslateMessage(pMsg);
}

LRESULT CQorMsgManagerDlg::OnPostedKeyDown(WPARAM wParam, LPARAM)
{
    if (::GetKeyState(VK_CONTROL) >= 0)
        return 0;
    switch (wParam) {
    case VK_DELETE: DoManagerCommand(kMsgCmdDelete); break;
    case 0x46: OnSearchMessages(); break; // F
    case VK_F5: RefreshCurrentNode(); break;
    default: break;
    }
    return 0;
}

// Layout and painting

void CQorMsgManagerDlg::RepositionPanes() { m_views.RepositionPanes(); }

LRESULT CQorMsgManagerDlg::OnRepositionPanes(WPARAM, LPARAM)
{
    RepositionPanes();
    return 0;
}

void CQorMsgManagerDlg::OnSize(UINT nType, int cx, int cy)
{
    CQorDlg::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED || !::IsWindow(m_hWnd))
        return;
    if (nType == SIZE_MAXIMIZED) {
        RECT rcWork = {};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
        cx = ::GetSystemMetrics(SM_CXFULLSCREEN);
        cy = rcWork.bottom;
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (cy != 0) {
        LayoutControls(cx, cy);
        UpdateWindow();
        Invalidate();
    }
}

void CQorMsgManagerDlg::LayoutControls(int nWidth, int nHeight)
{
    RECT rcFrame;
    if (ControlRect(IDC_MGR_LEFT_FRAME, &rcFrame)) {
        RECT rcClient, rcArea;
        GetClientRect(&rcClient);
        if (ControlRect(IDC_MGR_PANE_AREA, &rcArea) && rcClient.right - rcArea.left >= kMinPaneWidth) {
            ::MoveWindow(::GetDlgItem(m_hWnd, IDC_MGR_PANE_AREA), rcArea.left, rcArea.top,
                         rcClient.right - rcArea.left, rcClient.bottom - rcArea.top, FALSE);
            for (UINT nID : {IDC_MGR_LEFT_FRAME, IDC_MGR_TREE, IDC_MGR_SPLIT_BAR}) {
                RECT rc;
                if (ControlRect(nID, &rc))
                    ::MoveWindow(::GetDlgItem(m_hWnd, static_cast<int>(nID)), rc.left, rc.top, rc.right - rc.left,
                                 rcClient.bottom - 1 - rc.top, FALSE);
            }
            RepositionPanes();
        }
    }
    m_nLastWidth = nWidth;
    m_nLastHeight = nHeight;
}

void CQorMsgManagerDlg::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CQorDlg::OnGetMinMaxInfo(lpMMI);
    if (m_rcInitClient.right > 0) {
        RECT rc = m_rcInitClient;
        ::AdjustWindowRectEx(&rc, static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)));
        lpMMI->ptMinTrackSize.x = rc.right - rc.left;
        lpMMI->ptMinTrackSize.y = rc.bottom - rc.top;
    }
}

void CQorMsgManagerDlg::PaintBackground(CDC* pDC, const RECT& rcPaint)
{
    CWqMemDC mem(pDC, &rcPaint);
    if (!xDuiLib::CRenderEngine::DrawImage2RectTiled(mem.GetSafeHdc(), rcPaint, L"i.dlg.bk.picture"))
        ::FillRect(mem.GetSafeHdc(), &rcPaint, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

void CQorMsgManagerDlg::OnPaint()
{
    CPaintDC dc(this);
    RECT rcClient;
    GetClientRect(&rcClient);
    PaintBackground(&dc, rcClient);
    HDC hdc = dc.GetSafeHdc();
    HPEN pen = ::CreatePen(PS_SOLID, 1, kFrameLine);
    HGDIOBJ old = ::SelectObject(hdc, pen);
    RECT rc;
    if (ControlRect(IDC_MGR_LEFT_FRAME, &rc)) {
        ::MoveToEx(hdc, rc.left, rc.top - 1, nullptr);
        ::LineTo(hdc, rc.right, rc.top - 1);
        ::LineTo(hdc, rc.right, rc.bottom);
    }
    if (ControlRect(IDC_MGR_PANE_AREA, &rc)) {
        ::MoveToEx(hdc, rc.left - 1, rc.top - 1, nullptr);
        ::LineTo(hdc, rc.right, rc.top - 1);
    }
    ::SelectObject(hdc, old);
    ::DeleteObject(pen);
}

BOOL CQorMsgManagerDlg::OnEraseBkgnd(CDC*) { return TRUE; }

// A press anywhere on the background drags the window.
void CQorMsgManagerDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    CQorDlg::OnLButtonDown(nFlags, point);
    POINT pt = {point.x, point.y};
    ::ClientToScreen(m_hWnd, &pt);
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
}

// Closing and tear-down

void CQorMsgManagerDlg::OnClose() { DestroyWindow(); }

void CQorMsgManagerDlg::OnDestroy()
{
    m_views.DestroyPanes();
    CQorDlg::OnDestroy();
}

void CQorMsgManagerDlg::PostNcDestroy()
{
    m_resizer.DeleteAll();
    if (mainWindow)
        mainWindow->OnMsgCenterGone(this);
    CQorDlg::PostNcDestroy();
    delete this;
}
