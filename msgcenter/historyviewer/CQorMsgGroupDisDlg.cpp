#include "msgcenter/historyviewer/CQorMsgGroupDisDlg.h"
#include "common/CBaseFun.h"
#include "common/CShellRun.h"
#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "msgcenter/historyviewer/CHistoryRenderer.h"
#include "msgcenter/historyviewer/CHistoryStore.h"
#include "msgcenter/historyviewer/CQorMsgGroupDelDlg.h"
#include "msgcenter/IMsgMgrHost.h"
#include "msgcenter/MsgCenterMessages.h"
#include "platform/FileClient/FileClientApi.h"
#include "platform/QorResource/HistoryResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewMessages.h"
#include <richedit.h>

namespace {

const UINT g_uFileClientNotify = ::RegisterWindowMessageW(FILECLIENT_NOTIFY_MESSAGE);

} // namespace

BEGIN_MESSAGE_MAP(CQorMsgGroupDisDlg, CDialog)
    ON_MESSAGE(WM_MSGCENTER_SHOW_PERSON, &CQorMsgGroupDisDlg::OnShowPeerHistory)
    ON_MESSAGE(WM_QORVIEW_SKIN_CLICK, &CQorMsgGroupDisDlg::OnSkinNotify)
    ON_REGISTERED_MESSAGE(g_uFileClientNotify, &CQorMsgGroupDisDlg::OnFileClientNotify)
    ON_NOTIFY(EN_LINK, IDC_HISTORY_VIEW, &CQorMsgGroupDisDlg::OnHistoryLinkClick)
    ON_BN_CLICKED(IDC_HISTORY_FIRST_PAGE, &CQorMsgGroupDisDlg::OnFirstPage)
    ON_BN_CLICKED(IDC_HISTORY_PREV_PAGE, &CQorMsgGroupDisDlg::OnPrevPage)
    ON_BN_CLICKED(IDC_HISTORY_NEXT_PAGE, &CQorMsgGroupDisDlg::OnNextPage)
    ON_BN_CLICKED(IDC_HISTORY_LAST_PAGE, &CQorMsgGroupDisDlg::OnLastPage)
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CQorMsgGroupDisDlg::CQorMsgGroupDisDlg(CWnd* pParent) : CDialog(IDD, pParent), m_downloads(*this, *this)
{
    // The template's history view is a rich edit: its class must exist before the pane is made.
    CRichEditCtrl::LoadRichEdit();
    m_downloads.m_pfnStored = &CQorMsgGroupDisDlg::OnAttachStored;
    m_downloads.m_pStoredContext = this;
}

CQorMsgGroupDisDlg::~CQorMsgGroupDisDlg() = default;

void CQorMsgGroupDisDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HISTORY_VIEW, m_view);
    DDX_Control(pDX, IDC_HISTORY_FIRST_PAGE, m_btnFirst);
    DDX_Control(pDX, IDC_HISTORY_PREV_PAGE, m_btnPrev);
    DDX_Control(pDX, IDC_HISTORY_NEXT_PAGE, m_btnNext);
    DDX_Control(pDX, IDC_HISTORY_LAST_PAGE, m_btnLast);
    DDX_Control(pDX, IDC_HISTORY_PAGE_EDIT, m_pageEdit);
    DDX_Control(pDX, IDC_HISTORY_PAGE_COUNT, m_pageCountLabel);
    DDX_Control(pDX, IDC_HISTORY_DELETE_LINK, m_deleteLink);
    DDX_Text(pDX, IDC_HISTORY_PAGE_EDIT, m_page);
}

BOOL CQorMsgGroupDisDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    _Init(this);
    InitHistoryView();
    m_placeholder.LoadBitmap(IDB_HISTORY_PLACEHOLDER);
    CString text;
    text.LoadString(IDS_HISTORY_PAGE_CAPTION);
    SetDlgItemText(IDC_HISTORY_PAGE_CAPTION, text);
    text.LoadString(IDS_HISTORY_DELETE);
    m_deleteLink.SetWindowTextEx(text);
    m_deleteLink.SetColors(0xE18610, 0xE18610);
    m_deleteLink.SetUnderline(TRUE);
    m_deleteLink.SetOwner(this);
    m_btnFirst.SetSkin(L"xButtonFirstPage");
    m_btnPrev.SetSkin(L"xButtonPrePage");
    m_btnNext.SetSkin(L"xButtonNextPage");
    m_btnLast.SetSkin(L"xButtonLastPage");
    // The page edit is flat: a thin border in place of the sunken edge.
    m_pageEdit.Init();
    m_pageEdit.ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    m_pageEdit.ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
    m_myLogin = CQorViewMgr::Instance()->m_strAccount;
    ModifyStyle(0, WS_CLIPCHILDREN);
    // Nothing is shown yet: page 1 of 1 with nowhere to go.
    m_pageCount = 1;
    ShowPageNumbers();
    for (CWnd* button : {static_cast<CWnd*>(&m_btnFirst), static_cast<CWnd*>(&m_btnPrev),
                         static_cast<CWnd*>(&m_btnNext), static_cast<CWnd*>(&m_btnLast)})
        button->EnableWindow(FALSE);
    CRect rc;
    GetClientRect(&rc);
    m_lastWidth = rc.Width();
    m_lastHeight = rc.Height();
    UpdateWindow();
    Invalidate();
    return TRUE;
}

void CQorMsgGroupDisDlg::InitHistoryView()
{
    CQorViewMgr::Instance()->SinkWindowScrollbar(m_view.GetSafeHwnd());
    m_view.SetBorderColor(0xFFFFFF);
    m_view.SetShowEmoticons(CQorViewBaseFun::IsShowEmoticons() != FALSE);
    m_view.SetEventMask(m_view.GetEventMask() | ENM_LINK);
    m_view.SetWindowTextW(L"");
    m_view.SetBackgroundColor(FALSE, 0xFFFFFF);
}

BOOL CQorMsgGroupDisDlg::DestroyWindow()
{
    CQorViewMgr::Instance()->UnSinkWindowScrollbar(m_view.GetSafeHwnd());
    return CDialog::DestroyWindow();
}

// Opening and paging

int CQorMsgGroupDisDlg::CountPeerMessages()
{
    int n = 0;
    CHistoryStore::CountPeer(m_myLogin, m_peerLogin, n);
    return n;
}

int CQorMsgGroupDisDlg::CountTalkMessages()
{
    int n = 0;
    CHistoryStore::CountTalk(m_talkId, n);
    return n;
}

void CQorMsgGroupDisDlg::Open(bool bPeer)
{
    m_bPeerMode = bPeer;
    // The links of the last history point into text that is gone.
    m_links.RemoveAll();
    int n = bPeer ? CountPeerMessages() : CountTalkMessages();
    m_pageCount = n == 0 ? 1 : (n + CHistoryStore::kPageSize - 1) / CHistoryStore::kPageSize;
    m_page = m_pageCount;
    ShowPageNumbers();
    ShowPage(bPeer);
    RelayoutControls(m_lastWidth, m_lastHeight);
}

void CQorMsgGroupDisDlg::OpenPeerHistory()
{
    // The pane outlives sign-ins: the account is read at each opening.
    m_myLogin = CQorViewMgr::Instance()->m_strAccount;
    Open(true);
}

void CQorMsgGroupDisDlg::OpenTalkHistory(CString strTalkId)
{
    m_talkId = strTalkId;
    Open(false);
}

void CQorMsgGroupDisDlg::ClearPeerHistory()
{
    m_peerLogin.Empty();
    OpenPeerHistory();
}

void CQorMsgGroupDisDlg::LoadPeerHistoryPage()
{
    ShowPage(true);
}

void CQorMsgGroupDisDlg::LoadTalkHistoryPage()
{
    ShowPage(false);
}

void CQorMsgGroupDisDlg::Reload()
{
    ShowPage(m_bPeerMode);
}

void CQorMsgGroupDisDlg::ShowPageNumbers()
{
    CString text;
    text.Format(L"%d", m_page);
    if (m_pageEdit.GetSafeHwnd())
        m_pageEdit.SetWindowTextW(text);
    CString format;
    format.LoadString(IDS_HISTORY_PAGE_COUNT);
    text.Format(format, m_pageCount);
    if (m_pageCountLabel.GetSafeHwnd())
        m_pageCountLabel.SetWindowTextW(text);
}

void CQorMsgGroupDisDlg::ShowPage(bool bPeer)
{
    if (!m_view.GetSafeHwnd())
        return;
    // The page is drawn with the view's painting held back: otherwise every appended piece lays
    // out and repaints the whole text again.
    m_view.SendMessage(WM_SETREDRAW, FALSE, 0);
    m_view.SetRTFEx(CString(), false);
    m_links.RemoveAll();
    std::vector<HistoryRow> rows;
    bool empty = bPeer ? m_peerLogin.IsEmpty() || m_myLogin.IsEmpty() : m_talkId.IsEmpty();
    if (empty) {
        // No conversation (or no signed-in user): one empty page with nowhere to go.
        m_page = m_pageCount = 1;
    } else if (bPeer ? CHistoryStore::LoadPeerPage(m_myLogin, m_peerLogin, m_page, rows)
                     : CHistoryStore::LoadTalkPage(m_talkId, m_page, rows)) {
        for (const HistoryRow& row : rows)
            RenderHistoryMessage(row.strSenderName, row.strSendDate, row.body, row.strMsgId, row.strAppCommand);
    }
    m_btnFirst.EnableWindow(m_page > 1);
    m_btnPrev.EnableWindow(m_page > 1);
    m_btnNext.EnableWindow(m_page < m_pageCount);
    m_btnLast.EnableWindow(m_page < m_pageCount);
    ShowPageNumbers();
    m_view.SendMessage(WM_SETREDRAW, TRUE, 0);
    m_view.ScroolToBottom(0);
    m_view.Invalidate();
}

void CQorMsgGroupDisDlg::OnFirstPage()
{
    m_page = 1;
    Reload();
}

void CQorMsgGroupDisDlg::OnPrevPage()
{
    if (m_page > 1)
        --m_page;
    Reload();
}

void CQorMsgGroupDisDlg::OnNextPage()
{
    if (m_page < m_pageCount)
        ++m_page;
    Reload();
}

void CQorMsgGroupDisDlg::OnLastPage()
{
    m_page = m_pageCount;
    Reload();
}

BOOL CQorMsgGroupDisDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && m_pageEdit.GetSafeHwnd() &&
        pMsg->hwnd == m_pageEdit.GetSafeHwnd()) {
        CString text;
        m_pageEdit.GetWindowTextW(text);
        if (text.IsEmpty())
            return FALSE;
        int p = _wtoi(text);
        if (p >= 1 && p <= m_pageCount) {
            m_page = p;
            Reload();
        } else {
            ShowPageNumbers();
        }
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

LRESULT CQorMsgGroupDisDlg::OnShowPeerHistory(WPARAM, LPARAM lParam)
{
    m_peerLogin = lParam ? *reinterpret_cast<const CString*>(lParam) : CString();
    OpenPeerHistory();
    if (m_pOwner)
        m_pOwner->ShowHistoryViewer();
    return 0;
}

// Rendering and links

long CQorMsgGroupDisDlg::RenderHistoryMessage(const CString& strSenderName, const CString& strSendDate,
                                              const std::string& body, const CString& strMsgId,
                                              const CString& strAppCommand)
{
    HistoryRow row;
    row.strSenderName = strSenderName;
    row.strSendDate = strSendDate;
    row.body = body;
    row.strMsgId = strMsgId;
    row.strAppCommand = strAppCommand;
    CHistoryRenderer renderer(m_view, m_links, m_placeholder);
    return renderer.Render(m_bPeerMode, row, CQorViewMgr::Instance()->m_strUserName);
}

BOOL CQorMsgGroupDisDlg::GetAttachLocalPath(const CString& strMsgId, const CString& strFileName, CString& strPath)
{
    return CHistoryStore::GetAttachLocalPath(m_bPeerMode, strMsgId, strFileName, strPath);
}

void CQorMsgGroupDisDlg::OnHistoryLinkClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const ENLINK* link = reinterpret_cast<const ENLINK*>(pNMHDR);
    if (link->msg == WM_LBUTTONDOWN)
        OnLinkClicked(link->chrg.cpMin, link->chrg.cpMax);
}

void CQorMsgGroupDisDlg::OnLinkClicked(long nStart, long nEnd)
{
    const CLinkDataMgr::CLinkItem* item = m_links.FindByRange(nStart, nEnd);
    if (!item) {
        // A link the rich edit found by itself goes to the shell when it is a web or mail
        // address; a file, a network path or a program in someone's message is never opened.
        CString text;
        m_view.GetTextRange(nStart, nEnd, text);
        text.Trim();
        if (CBaseFun::IsOpenableLink(text))
            CShellRun::Execute(GetSafeHwnd(), L"open", text, nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    CString value;
    switch (item->kind) {
    case CHistoryRenderer::kLinkOpenFile: {
        // Copied: the download may redraw the page and with it the links.
        CLinkDataMgr::CLinkItem copy = *item;
        OpenOrDownloadAttachment(copy);
        break;
    }
    case CHistoryRenderer::kLinkShowInFolder:
        item->GetValue(CHistoryRenderer::kKeyAttachFile, value);
        value.Replace(L"\\\\", L"\\");
        if (!value.IsEmpty() && ::GetFileAttributesW(value) != INVALID_FILE_ATTRIBUTES)
            CShellRun::Execute(nullptr, nullptr, L"Explorer.exe", L"/n,/select," + value, nullptr, SW_SHOWNORMAL);
        break;
    case CHistoryRenderer::kLinkAppCommand: {
        // The command is stored message text. It reaches the configured program as one quoted
        // argument that cannot be read as a switch, and never this program, whose command line
        // it would otherwise be (sign-in fields, registration switches).
        item->GetValue(CHistoryRenderer::kKeyAppCommand, value);
        const CString program = CQorViewMgr::Instance()->XX_GetAppPathName(CString());
        CString argument;
        if (!program.IsEmpty() && !CShellRun::IsThisProgram(program) && CShellRun::QuoteArgument(value, argument))
            CShellRun::Execute(nullptr, L"open", program, argument, nullptr, SW_SHOWNORMAL);
        break;
    }
    default:
        break;
    }
}

bool CQorMsgGroupDisDlg::OpenOrDownloadAttachment(const CLinkDataMgr::CLinkItem& link)
{
    CString msgId, path, name;
    int index = -1;
    link.GetValue(CHistoryRenderer::kKeyMsgId, msgId);
    link.GetValue(CHistoryRenderer::kKeyAttachFile, path);
    link.GetValue(CHistoryRenderer::kKeyFileName, name);
    link.GetIntValue(CHistoryRenderer::kKeyFileIndex, index);
    return m_downloads.OpenOrDownload(m_bPeerMode, msgId, path, name, index);
}

// A stored download: the links of that file now open it.
void CQorMsgGroupDisDlg::OnAttachStored(void* pContext, const CString& strMsgId, const CString& strFileName,
                                        const CString& strPath)
{
    CQorMsgGroupDisDlg* self = static_cast<CQorMsgGroupDisDlg*>(pContext);
    for (int i = 0; i < self->m_links.GetCount(); ++i) {
        CLinkDataMgr::CLinkItem* item = self->m_links.GetAt(i);
        CString id, name;
        item->GetValue(CHistoryRenderer::kKeyMsgId, id);
        item->GetValue(CHistoryRenderer::kKeyFileName, name);
        if (id == strMsgId && name == strFileName) {
            item->SetValue(CHistoryRenderer::kKeyAttachFile, strPath);
            if (item->kind == CHistoryRenderer::kLinkShowInFolder) {
                CString folder = CQorViewBaseFun::GetPathName(strPath);
                folder.TrimRight(L'\\');
                item->SetValue(CHistoryRenderer::kKeyPath, folder);
            }
        }
    }
}

LRESULT CQorMsgGroupDisDlg::OnFileClientNotify(WPARAM wParam, LPARAM lParam)
{
    return m_downloads.OnFileClientNotify(wParam, lParam);
}

void CQorMsgGroupDisDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (!m_downloads.OnTimer(nIDEvent))
        Default();
}

// Deletion

LRESULT CQorMsgGroupDisDlg::OnSkinNotify(WPARAM wParam, LPARAM)
{
    if (reinterpret_cast<HWND>(wParam) == m_deleteLink.GetSafeHwnd() && m_deleteLink.GetSafeHwnd())
        RunDeleteDialog();
    UpdateWindow();
    Invalidate();
    return 1;
}

void CQorMsgGroupDisDlg::RunDeleteDialog()
{
    CQorMsgGroupDelDlg dlg(this);
    dlg.SetViewer(this);
    if (dlg.DoModal() == IDOK)
        Open(m_bPeerMode);
}

// Layout and painting

void CQorMsgGroupDisDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (!GetSafeHwnd() || nType == SIZE_MINIMIZED || cy == 0)
        return;
    RelayoutControls(cx, cy);
}

void CQorMsgGroupDisDlg::RelayoutControls(int cx, int cy)
{
    int dx = cx - m_lastWidth, dy = cy - m_lastHeight;
    m_lastWidth = cx;
    m_lastHeight = cy;
    if (!m_view.GetSafeHwnd())
        return;
    auto moveBy = [&](int id, int mx, int my, int gx, int gy) {
        CWnd* child = GetDlgItem(id);
        if (!child)
            return;
        CRect rc;
        child->GetWindowRect(&rc);
        ScreenToClient(&rc);
        child->MoveWindow(rc.left + mx, rc.top + my, rc.Width() + gx, rc.Height() + gy, TRUE);
    };
    moveBy(IDC_HISTORY_VIEW, 0, 0, dx, dy);
    for (int id : {IDC_HISTORY_FIRST_PAGE, IDC_HISTORY_PREV_PAGE, IDC_HISTORY_NEXT_PAGE, IDC_HISTORY_LAST_PAGE,
                   IDC_HISTORY_PAGE_EDIT, IDC_HISTORY_PAGE_COUNT, IDC_HISTORY_PAGE_CAPTION})
        moveBy(id, dx, dy, 0, 0);
    moveBy(IDC_HISTORY_DELETE_LINK, 0, dy, 0, 0);
    // The controls are also drawn again after what the message loop still has to paint. The
    // manager's pane area is a sibling in the pane's place that does not clip it: when that is
    // repainted (a pane hidden just before this one showed, the window resized) it covers every
    // control drawn before it. UpdateWindow draws them ahead of that repaint, and invalidating
    // the pane alone leaves them out, as the pane clips its children.
    UpdateWindow();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

BOOL CQorMsgGroupDisDlg::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CQorMsgGroupDisDlg::OnPaint()
{
    CPaintDC dc(this);
    DrawParentBackground(this, &dc);
}

// The page caption and count sit on the pane's own background. They are filled with its colour
// rather than left transparent: the count changes text, and the pane clips its children, so a
// transparent label would keep the old number under the new one.
HBRUSH CQorMsgGroupDisDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const int id = pWnd ? pWnd->GetDlgCtrlID() : 0;
    if (nCtlColor != CTLCOLOR_STATIC || !pDC || (id != IDC_HISTORY_PAGE_CAPTION && id != IDC_HISTORY_PAGE_COUNT))
        return CDialog::OnCtlColor(pDC, pWnd, nCtlColor); // the delete link colours itself
    if (!m_labelBrush.GetSafeHandle())
        m_labelBrush.CreateSolidBrush(GetBkColor());
    ::SetBkColor(pDC->GetSafeHdc(), GetBkColor());
    return m_labelBrush;
}
