#include "msgcenter/manager/CQorMsgBaseDlg.h"
#include "common/ChildRect.h"
#include "common/CResourceHandleScope.h"
#include "common/CResourceMgr.h"
#include "controls/CWqMemDC.h"
#include "controls/ScaleByDpi.h"
#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "framework/CRichEditCtrl.h"
#include "framework/ModuleState.h"
#include "msgcenter/content/CQorMsgContentDlg.h"
#include "msgcenter/titlelist/CQorMsgTitleDlg.h"
#include "msgcenter/contacthistory/CQorMsgTitleExDlg.h"
#include "msgcenter/IMsgMgrHost.h"
#include "msgcenter/MsgCenterMessages.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewMessages.h"
#include "platform/xDUI/CRenderEngine.h"

BEGIN_MESSAGE_MAP(CQorMsgBaseDlg, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_QORVIEW_RELAYOUT, &CQorMsgBaseDlg::OnLayoutPanes)
    ON_MESSAGE(WM_QORVIEW_TOOLBAR, &CQorMsgBaseDlg::OnToolbarCommand)
END_MESSAGE_MAP()

namespace {

const COLORREF kToolbarLine = RGB(0xB3, 0xB3, 0xB3);

struct ToolbarItem {
    int nId;
    const wchar_t* pszImage;
    UINT nText;
    int nWidth;
    int nStyle;
    int nRightMargin;
};

const ToolbarItem kToolbarItems[] = {
    {kMsgCmdRefresh, L"xToolbarRefresh", IDS_MSG_TOOL_REFRESH, 18, 0, 4},
    {kMsgCmdDelete, L"xToolbarDelete", IDS_MSG_TOOL_DELETE, 18, 0, 4},
    {kMsgCmdExport, L"xToolbarExport", IDS_MSG_TOOL_EXPORT, 18, 0, 4},
    {kMsgCmdSearch, L"xToolbarSearchMsg", IDS_MSG_TOOL_SEARCH, 26, 1, 0},
};

template <class TPane>
void DestroyPane(TPane*& pPane)
{
    if (!pPane)
        return;
    if (::IsWindow(pPane->GetSafeHwnd()))
        pPane->DestroyWindow();
    delete pPane;
    pPane = nullptr;
}

void MovePane(CWnd* pPane, const RECT& rc)
{
    if (pPane && ::IsWindow(pPane->GetSafeHwnd()))
        pPane->MoveWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

bool HasWindow(CWnd* pWnd) { return pWnd && ::IsWindow(pWnd->GetSafeHwnd()); }

} // namespace

CQorMsgBaseDlg::CQorMsgBaseDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

CQorMsgBaseDlg::~CQorMsgBaseDlg()
{
    delete titlePane;
    delete titleExPane;
    delete contentPane;
}

void CQorMsgBaseDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BASE_TOOLBAR, m_toolbar);
}

BOOL CQorMsgBaseDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    _Init(this);
    InitToolbar();
    CreateMsgPanes();
    InitSplitter();
    ModifyStyle(0, WS_CLIPCHILDREN);
    // The template's layout is the reference the later resizes add to.
    RECT rc;
    GetClientRect(&rc);
    m_nLastWidth = rc.right;
    m_nLastHeight = rc.bottom;
    return TRUE;
}

bool CQorMsgBaseDlg::PlaceholderRect(UINT nID, RECT* pRect) const { return GetChildRect(m_hWnd, nID, pRect); }

void CQorMsgBaseDlg::CreateMsgPanes()
{
    RECT rcUpper = {}, rcLower = {};
    PlaceholderRect(IDC_BASE_UPPER, &rcUpper);
    PlaceholderRect(IDC_BASE_LOWER, &rcLower);
    if (!titlePane)
        titlePane = new CQorMsgTitleDlg(this);
    if (!HasWindow(titlePane))
        titlePane->Create(IDD_MSG_TITLE, this);
    titlePane->SetOwner(this);
    contactHistoryMode = 0;
    MovePane(titlePane, rcUpper);
    if (HasWindow(titlePane))
        titlePane->ShowWindow(SW_SHOW);
    // The content pane's template holds rich edit controls, whose window class exists only once
    // the library is loaded.
    CRichEditCtrl::LoadRichEdit();
    if (!contentPane)
        contentPane = new CQorMsgContentDlg(this);
    if (!HasWindow(contentPane))
        contentPane->Create(IDD_MSG_CONTENT, this);
    contentPane->SetOwner(this);
    MovePane(contentPane, rcLower);
    if (HasWindow(contentPane))
        contentPane->ShowWindow(SW_SHOW);
}

void CQorMsgBaseDlg::InitSplitter()
{
    if (!m_splitter.BindWithControl(this, IDC_BASE_SPLITTER))
        return;
    m_splitter.SetMinHeight(0, 0);
    m_splitter.AttachAsAbovePane(IDC_BASE_UPPER, 1);
    m_splitter.AttachAsBelowPane(IDC_BASE_LOWER, 1);
}

void CQorMsgBaseDlg::InitToolbar()
{
    m_toolbar.SetOwner(this);
    m_toolbar.SetItemClass(L"msg_manage_xToolbarBorder");
    for (const ToolbarItem& item : kToolbarItems) {
        CString text = CQorViewBaseFun::LoadStringW(item.nText);
        m_toolbar.AddItem(item.nId, item.pszImage, text, text, ScaleByDpi(item.nWidth), false, item.nStyle, 1, 0, 0,
                          item.nRightMargin, 0);
    }
}

// The command runs with the view library as resource module, as its widgets expect; what the
// command shows of the program's own (the search dialog, a waiting dialog, message-box texts)
// must still come from the program's module, so that is made current again inside.
LRESULT CQorMsgBaseDlg::OnToolbarCommand(WPARAM wParam, LPARAM)
{
    HINSTANCE hProgramResources = AfxGetResourceHandle();
    CResourceMgr viewLibrary(CString(L"QorView.dll"));
    CResourceHandleScope programResources(hProgramResources);
    switch (static_cast<int>(wParam)) {
    case kMsgCmdExport: ExportSelected(TRUE); break;
    case kMsgCmdDelete: DeleteSelected(); break;
    case kMsgCmdRefresh: RefreshCurrentNode(); break;
    case kMsgCmdSearch: SearchMessages(); break;
    default: break;
    }
    return 0;
}

// Switching between the lists

void CQorMsgBaseDlg::ShowTitlePane(bool bClearContent)
{
    if (HasWindow(titleExPane))
        titleExPane->ShowWindow(SW_HIDE);
    if (bClearContent && contentPane)
        contentPane->ClearMessageContent();
    contactHistoryMode = 0;
    if (HasWindow(titlePane))
        titlePane->ShowWindow(SW_SHOW);
}

void CQorMsgBaseDlg::ShowFolderMessages(int nFolder)
{
    ShowTitlePane(true);
    if (titlePane) {
        titlePane->SetSearchFlag(0);
        titlePane->LoadFolderMsg(nFolder);
    }
}

BOOL CQorMsgBaseDlg::ShowUserFolder(CString strName)
{
    ShowTitlePane(true);
    return titlePane && titlePane->LoadUserFolder(strName);
}

void CQorMsgBaseDlg::ShowReadState()
{
    ShowTitlePane(true);
    if (titlePane) {
        titlePane->SetSearchFlag(0);
        titlePane->LoadReadStateMsg();
    }
}

void CQorMsgBaseDlg::ShowTalkHistory(CString strPersonId)
{
    ShowTitlePane(true);
    if (titlePane) {
        titlePane->SetSearchFlag(0);
        titlePane->LoadTalkHistory(strPersonId);
    }
}

void CQorMsgBaseDlg::ShowSearchResults(CString strKeyword, CString strPerson, CString strFirstDate,
                                       CString strLastDate)
{
    // The message shown below may well not be among the results.
    ShowTitlePane(true);
    if (titlePane) {
        titlePane->SetSearchFlag(1);
        titlePane->SearchMessages(strKeyword, strPerson, strFirstDate, strLastDate);
    }
}

void CQorMsgBaseDlg::ShowTitleList()
{
    ShowTitlePane(false);
}

void CQorMsgBaseDlg::ShowContactHistory(const CString& strMsgId, const CString& strSendDate,
                                        const CString& strPeerLogin)
{
    RECT rcUpper = {};
    PlaceholderRect(IDC_BASE_UPPER, &rcUpper);
    if (HasWindow(titlePane))
        titlePane->ShowWindow(SW_HIDE);
    if (!titleExPane)
        titleExPane = new CQorMsgTitleExDlg(this);
    titleExPane->SetOwner(this);
    if (!HasWindow(titleExPane))
        titleExPane->Create(CQorMsgTitleExDlg::IDD, this);
    contactHistoryMode = 1;
    MovePane(titleExPane, rcUpper);
    if (HasWindow(titleExPane))
        titleExPane->ShowWindow(SW_SHOW);
    titleExPane->LoadContactHistoryByDate(strMsgId, strSendDate, strPeerLogin);
}

void CQorMsgBaseDlg::ShowMessageContent(const CString& strMsgId, const CString& strSenderName,
                                        const CString& strSendDate, const CString& strRecvNames, bool bHasAttach,
                                        int nMsgFlags, bool bFromSearch)
{
    if (contentPane)
        contentPane->ShowMessageContent(strMsgId, strSenderName, strSendDate, strRecvNames, bHasAttach, nMsgFlags,
                                        bFromSearch);
}

CString CQorMsgBaseDlg::GetShownMessageID() { return contentPane ? contentPane->GetMessageID() : CString(); }

void CQorMsgBaseDlg::ClearMessageContent()
{
    if (contentPane)
        contentPane->ClearMessageContent();
}

CWnd* CQorMsgBaseDlg::GetManagerWindow() { return ownerDlg ? ownerDlg->GetHostWnd() : nullptr; }

void CQorMsgBaseDlg::SearchMessages()
{
    if (ownerDlg)
        ownerDlg->OnSearchMessages();
}

void CQorMsgBaseDlg::RefreshCurrentNode()
{
    if (ownerDlg)
        ownerDlg->RefreshCurrentNode();
}

bool CQorMsgBaseDlg::SendFilesToUsers(const CStringArray& arIds, const CStringArray& arNames,
                                      const CStringArray& arFiles)
{
    return ownerDlg && ownerDlg->SendFilesToUsers(arIds, arNames, arFiles);
}

bool CQorMsgBaseDlg::QuickSend(WPARAM wValue) { return ownerDlg && ownerDlg->QuickSend(wValue); }

// Commands

void CQorMsgBaseDlg::ExportSelected(BOOL bFlag)
{
    if (contactHistoryMode) {
        if (titleExPane)
            titleExPane->StartExport(bFlag);
    } else if (titlePane) {
        titlePane->ExportSelected(bFlag);
    }
}

void CQorMsgBaseDlg::DeleteSelected()
{
    if (contactHistoryMode) {
        if (titleExPane)
            titleExPane->StartDelete(true);
    } else if (titlePane) {
        titlePane->DeleteSelected(TRUE);
    }
}

// Layout

void CQorMsgBaseDlg::LayoutPanes()
{
    RECT rcUpper, rcLower;
    if (PlaceholderRect(IDC_BASE_UPPER, &rcUpper)) {
        MovePane(titlePane, rcUpper);
        MovePane(titleExPane, rcUpper);
    }
    if (PlaceholderRect(IDC_BASE_LOWER, &rcLower))
        MovePane(contentPane, rcLower);
}

LRESULT CQorMsgBaseDlg::OnLayoutPanes(WPARAM, LPARAM)
{
    LayoutPanes();
    return 0;
}

void CQorMsgBaseDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (!::IsWindow(m_hWnd) || nType == SIZE_MINIMIZED || cy == 0)
        return;
    ResizeControls(cx, cy);
    UpdateWindow();
    Invalidate();
}

void CQorMsgBaseDlg::ResizeControls(int nWidth, int nHeight)
{
    const int dx = nWidth - m_nLastWidth;
    const int dy = nHeight - m_nLastHeight;
    RECT rcUpper;
    // Before the child controls exist (a WM_SIZE during creation) only the size is recorded.
    if (PlaceholderRect(IDC_BASE_UPPER, &rcUpper)) {
        auto grow = [this](UINT nID, int ddx, int ddy, bool bInvalidateOld) {
            RECT rc;
            if (!PlaceholderRect(nID, &rc))
                return;
            if (bInvalidateOld)
                ::InvalidateRect(m_hWnd, &rc, TRUE);
            ::MoveWindow(::GetDlgItem(m_hWnd, static_cast<int>(nID)), rc.left, rc.top, rc.right - rc.left + ddx,
                         rc.bottom - rc.top + ddy, TRUE);
        };
        grow(IDC_BASE_UPPER, dx, 0, false);
        grow(IDC_BASE_TOOLBAR, dx, 0, true);
        grow(IDC_BASE_SPLITTER, dx, 0, true);
        grow(IDC_BASE_LOWER, dx, dy, false);
        LayoutPanes();
    }
    m_nLastWidth = nWidth;
    m_nLastHeight = nHeight;
}

// Painting

void CQorMsgBaseDlg::DrawToolbarLine(HDC hdc)
{
    RECT rc;
    if (!PlaceholderRect(IDC_BASE_TOOLBAR, &rc))
        return;
    HPEN pen = ::CreatePen(PS_SOLID, 1, kToolbarLine);
    HGDIOBJ old = ::SelectObject(hdc, pen);
    ::MoveToEx(hdc, rc.right + 2, rc.bottom + 1, nullptr);
    ::LineTo(hdc, rc.left - 2, rc.bottom + 1);
    ::SelectObject(hdc, old);
    ::DeleteObject(pen);
}

void CQorMsgBaseDlg::PaintBackground(CDC* pDC, const RECT& rcClient)
{
    ::FillRect(pDC->GetSafeHdc(), &rcClient, reinterpret_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    RECT rcBand;
    if (!PlaceholderRect(IDC_BASE_TOOLBAR, &rcBand))
        return;
    ::InflateRect(&rcBand, 2, 2);
    CWqMemDC mem(pDC, &rcBand);
    xDuiLib::CRenderEngine::DrawImageString(mem.GetSafeHdc(), rcBand, rcBand, L"i.lable.send.dlg",
                                            L"corner='4,4,4,4'");
}

void CQorMsgBaseDlg::OnPaint()
{
    CPaintDC dc(this);
    RECT rc;
    GetClientRect(&rc);
    PaintBackground(&dc, rc);
    DrawToolbarLine(dc.GetSafeHdc());
}

BOOL CQorMsgBaseDlg::OnEraseBkgnd(CDC* pDC)
{
    DrawToolbarLine(pDC->GetSafeHdc());
    return TRUE;
}

// A drag on the pane moves the manager window.
void CQorMsgBaseDlg::OnNcLButtonDown(UINT, CPoint point)
{
    if (ownerDlg && ownerDlg->GetHostWnd())
        ::PostMessageW(ownerDlg->GetHostWnd()->GetSafeHwnd(), WM_NCLBUTTONDOWN, HTCAPTION,
                       MAKELPARAM(point.x, point.y));
}

void CQorMsgBaseDlg::OnDestroy()
{
    CDialog::OnDestroy();
    DestroyPane(titlePane);
    DestroyPane(titleExPane);
    if (HasWindow(contentPane))
        CQorViewMgr::Instance()->RemoveMsgDlgItemByWnd(contentPane->GetSafeHwnd());
    DestroyPane(contentPane);
}
