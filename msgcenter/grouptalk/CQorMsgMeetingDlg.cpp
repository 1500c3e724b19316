#include "msgcenter/grouptalk/CQorMsgMeetingDlg.h"
#include "framework/CDC.h"
#include "framework/CDataExchange.h"
#include "framework/CMenu.h"
#include "framework/CWaitCursor.h"
#include "msgcenter/CMenuAtCursor.h"
#include "msgcenter/MsgCenterMessages.h"
#include "platform/QorResource/MeetingResourceIds.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/CxMenu.h"
#include "platform/QorView/QorViewMessages.h"
#include "platform/QorView/AttachItem.h"

BEGIN_MESSAGE_MAP(CQorMsgMeetingDlg, CDialog)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_MEETING_TALKS, &CQorMsgMeetingDlg::OnTalkItemChanged)
    ON_NOTIFY(NM_RCLICK, IDC_MEETING_TALKS, &CQorMsgMeetingDlg::OnTalkRClick)
    ON_NOTIFY(NM_RCLICK, IDC_MEETING_ATTACH, &CQorMsgMeetingDlg::OnAttachRClick)
    ON_NOTIFY(NM_DBLCLK, IDC_MEETING_ATTACH, &CQorMsgMeetingDlg::OnAttachDblClk)
    ON_COMMAND(ID_MSG_DELETE_TALK, &CQorMsgMeetingDlg::OnDeleteTalks)
    ON_COMMAND(ID_ATTACH_OPEN, &CQorMsgMeetingDlg::OnAttachOpen)
    ON_COMMAND(ID_ATTACH_OPEN_FOLDER, &CQorMsgMeetingDlg::OnAttachShowInFolder)
    ON_COMMAND(ID_ATTACH_SAVE_AS, &CQorMsgMeetingDlg::OnAttachSave)
    ON_MESSAGE(WM_QORVIEW_ATTACH_DONE, &CQorMsgMeetingDlg::OnAttachDownloaded)
    ON_MESSAGE(WM_QORVIEW_ATTACH_FAILED, &CQorMsgMeetingDlg::OnAttachDownloadFailed)
    ON_MESSAGE(WM_MSGCENTER_RICHEDIT_MENU, &CQorMsgMeetingDlg::OnHistoryMenu)
END_MESSAGE_MAP()

namespace {

const int kAttachWidth = 98;
const int kAttachGap = 3;
const COLORREF kPaneBack = RGB(0xF4, 0xF1, 0xE9);
const COLORREF kFrame = RGB(0xB3, 0xBA, 0xC0);
const COLORREF kBandTop = RGB(0xFC, 0xFE, 0xFE);
const COLORREF kBandBottom = RGB(0xE9, 0xF1, 0xF4);
const DWORD kLinkEvents = 0x4000000; // ENM_LINK

RECT ChildRect(CWnd& parent, CWnd& child)
{
    RECT rc = {};
    if (::IsWindow(child.GetSafeHwnd())) {
        child.GetWindowRect(&rc);
        parent.ScreenToClient(&rc);
    }
    return rc;
}

void MoveTo(CWnd& child, const RECT& rc)
{
    if (::IsWindow(child.GetSafeHwnd()))
        child.MoveWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

void FrameRect(HDC hdc, RECT rc, COLORREF color)
{
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FrameRect(hdc, &rc, brush);
    ::DeleteObject(brush);
}

} // namespace

CQorMsgMeetingDlg::CQorMsgMeetingDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_talks(*this), m_history(*this), m_attachments(*this)
{
    // The template holds a rich edit: its class must exist before the window is made.
    CRichEditCtrl::LoadRichEdit();
}

CQorMsgMeetingDlg::~CQorMsgMeetingDlg() = default;

void CQorMsgMeetingDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MEETING_TALKS, m_talkList);
    DDX_Control(pDX, IDC_MEETING_HISTORY, m_historyView);
    DDX_Control(pDX, IDC_MEETING_ATTACH, m_attachList);
    DDX_Control(pDX, IDC_MEETING_LABEL, m_label);
}

BOOL CQorMsgMeetingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetupTalkColumns();
    InitHistoryView();
    if (m_splitter.BindWithControl(this, IDC_MEETING_SPLITTER)) {
        m_splitter.SetMinHeight(0, 0);
        m_splitter.AttachAsAbovePane(IDC_MEETING_TALKS, 1);
        m_splitter.AttachAsBelowPane(IDC_MEETING_HISTORY, 1);
    }
    m_attachList.RegisterAttachStateIcons();
    // The template's layout is what later sizes change by difference.
    RECT rc;
    GetClientRect(&rc);
    m_nLastWidth = rc.right;
    m_nLastHeight = rc.bottom;
    return TRUE;
}

void CQorMsgMeetingDlg::InitHistoryView()
{
    CQorViewMgr::Instance()->SinkWindowScrollbar(m_historyView.GetSafeHwnd());
    m_historyView.SetBorderColor(RGB(0xFF, 0xFF, 0xFF));
    m_bShowEmoticons = CQorViewBaseFun::IsShowEmoticons() != FALSE;
    m_historyView.SetShowEmoticons(m_bShowEmoticons);
    const LRESULT mask = m_historyView.SendMessage(EM_GETEVENTMASK, 0, 0);
    m_historyView.SendMessage(EM_SETEVENTMASK, 0, mask | kLinkEvents);
    m_historyView.SetRTFEx(CString(), false);
    m_historyView.SendMessage(EM_SETBKGNDCOLOR, 0, RGB(0xFF, 0xFF, 0xFF));
}

BOOL CQorMsgMeetingDlg::DestroyWindow()
{
    CQorViewMgr::Instance()->UnSinkWindowScrollbar(m_historyView.GetSafeHwnd());
    return CDialog::DestroyWindow();
}

// Forwarders

bool CQorMsgMeetingDlg::LoadTalkList() { return m_talks.Load(); }
void CQorMsgMeetingDlg::SetupTalkColumns() { m_talks.SetupColumns(); }
void CQorMsgMeetingDlg::DeleteSelectedTalks() { m_talks.DeleteSelected(); }
void CQorMsgMeetingDlg::LoadTalkMessages(const CString& strTalkId) { m_history.Load(strTalkId); }

void CQorMsgMeetingDlg::AppendTalkEntry(const CString& strSenderName, const CString& strSendDate, const char* pszBody)
{
    m_history.AppendEntry(strSenderName, strSendDate, pszBody, pszBody ? static_cast<int>(strlen(pszBody)) : 0);
}

bool CQorMsgMeetingDlg::OpenTalkAttachment(const CString& strMsgId, const CString& strFileName,
                                           const CString& strLocalPath)
{
    return m_attachments.Open(strMsgId, strFileName, strLocalPath);
}

bool CQorMsgMeetingDlg::SaveTalkAttachment(const CString& strMsgId, const CString& strFileName)
{
    return m_attachments.Save(strMsgId, strFileName);
}

bool CQorMsgMeetingDlg::ChooseAttachTarget(CString& strFolder, CString& strFileName)
{
    return m_attachments.ChooseTarget(strFolder, strFileName);
}

bool CQorMsgMeetingDlg::BuildAttachMenu(int nRow, CMenu& menu, CMenu** ppPopup)
{
    return m_attachments.BuildMenu(nRow, menu, ppPopup);
}

// Layout

void CQorMsgMeetingDlg::ShowAttachList(bool bShow)
{
    if (!::IsWindow(m_attachList.GetSafeHwnd()) || (m_attachList.IsWindowVisible() != FALSE) == bShow)
        return;
    RECT rcAttach = ChildRect(*this, m_attachList);
    RECT rcView = ChildRect(*this, m_historyView);
    rcView.right = bShow ? rcAttach.left - kAttachGap : rcAttach.right;
    MoveTo(m_historyView, rcView);
    m_attachList.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    Invalidate();
}

void CQorMsgMeetingDlg::LayoutControls(int nWidth, int nHeight)
{
    const int dx = nWidth - m_nLastWidth;
    if (::IsWindow(m_talkList.GetSafeHwnd())) {
        RECT rc = ChildRect(*this, m_talkList);
        rc.right += dx;
        MoveTo(m_talkList, rc);
        if (CWnd* pBar = GetDlgItem(IDC_MEETING_SPLITTER)) {
            RECT rcBar = ChildRect(*this, *pBar);
            rcBar.right += dx;
            MoveTo(*pBar, rcBar);
        }
        const bool attachShown = m_attachList.IsWindowVisible() != FALSE;
        RECT rcView = ChildRect(*this, m_historyView);
        rcView.left = 0;
        rcView.right = nWidth - (attachShown ? kAttachWidth + kAttachGap : 0);
        rcView.bottom = nHeight;
        MoveTo(m_historyView, rcView);
        // The attachments start level with the messages, wherever the splitter put them.
        RECT rcAttach = {nWidth - kAttachWidth, rcView.top, nWidth, nHeight};
        MoveTo(m_attachList, rcAttach);
    }
    m_nLastWidth = nWidth;
    m_nLastHeight = nHeight;
}

void CQorMsgMeetingDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED || cy == 0)
        return;
    LayoutControls(cx, cy);
    Invalidate();
}

BOOL CQorMsgMeetingDlg::OnEraseBkgnd(CDC* pDC)
{
    HDC hdc = pDC->GetSafeHdc();
    RECT rcClient;
    GetClientRect(&rcClient);
    HBRUSH back = ::CreateSolidBrush(kPaneBack);
    ::FillRect(hdc, &rcClient, back);
    ::DeleteObject(back);
    if (!::IsWindow(m_talkList.GetSafeHwnd()))
        return TRUE;
    const RECT rcList = ChildRect(*this, m_talkList);
    RECT rcBand = {rcList.left, 0, rcList.right, rcList.top - 2};
    if (rcBand.bottom > rcBand.top)
        CQorViewBaseFun::WqGradientFill(hdc, rcBand, kBandTop, kBandBottom, TRUE);
    RECT rcLine = {rcList.left, rcList.top - 1, rcList.right, rcList.top};
    HBRUSH line = ::CreateSolidBrush(kFrame);
    ::FillRect(hdc, &rcLine, line);
    ::DeleteObject(line);
    FrameRect(hdc, rcList, kFrame);
    RECT rcView = ChildRect(*this, m_historyView);
    ::InflateRect(&rcView, 1, 1);
    FrameRect(hdc, rcView, kFrame);
    return TRUE;
}

// The talk list

void CQorMsgMeetingDlg::OnTalkItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* pInfo = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    const UINT wanted = LVIS_SELECTED | LVIS_FOCUSED;
    if ((pInfo->uNewState & wanted) != wanted || pInfo->iItem < 0 || pInfo->iItem >= m_talkList.GetItemCount())
        return;
    ShowAttachList(false);
    LoadTalkMessages(m_talkList.GetItemDataText(pInfo->iItem));
}

void CQorMsgMeetingDlg::OnTalkRClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CWaitCursor wait;
    if (m_talkList.GetSelectionMark() >= 0)
        CMenuAtCursor::Track(IDR_MENU_MSG_TALK, this);
}

void CQorMsgMeetingDlg::OnDeleteTalks()
{
    DeleteSelectedTalks();
    LoadTalkList();
}

// Attachments

int CQorMsgMeetingDlg::MarkedAttachRow() const
{
    const int row = m_attachList.GetSelectionMark();
    return row >= 0 && row < m_attachList.GetAttachments().GetSize() ? row : -1;
}

void CQorMsgMeetingDlg::OnAttachRClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CPoint pt;
    ::GetCursorPos(&pt);
    CPoint ptList = pt;
    m_attachList.ScreenToClient(&ptList);
    const int row = m_attachList.HitTest(ptList);
    CxMenu menu;
    CMenu* pPopup = nullptr;
    if (row < 0 || !BuildAttachMenu(row, menu, &pPopup))
        return;
    pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, pt.x, pt.y, this);
}

void CQorMsgMeetingDlg::OnAttachDblClk(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    OnAttachOpen();
}

void CQorMsgMeetingDlg::OnAttachOpen()
{
    const int row = MarkedAttachRow();
    if (row < 0)
        return;
    const _ATTACH_ITEM item = m_attachList.GetAttachments()[row];
    OpenTalkAttachment(item.strMsgID, item.strFileName, item.strLocalPath);
}

void CQorMsgMeetingDlg::OnAttachShowInFolder() { m_attachments.ShowInFolder(MarkedAttachRow()); }

void CQorMsgMeetingDlg::OnAttachSave()
{
    const int row = MarkedAttachRow();
    if (row < 0)
        return;
    const _ATTACH_ITEM item = m_attachList.GetAttachments()[row];
    SaveTalkAttachment(item.strMsgID, item.strFileName);
}

LRESULT CQorMsgMeetingDlg::OnAttachDownloaded(WPARAM wParam, LPARAM)
{
    if (wParam)
        m_attachments.OnDownloaded(*reinterpret_cast<const _ATTACH_ITEM*>(wParam));
    return 0;
}

LRESULT CQorMsgMeetingDlg::OnAttachDownloadFailed(WPARAM wParam, LPARAM)
{
    if (wParam)
        m_attachments.OnDownloadFailed(*reinterpret_cast<const CString*>(wParam));
    return 0;
}

// The history view's menu

bool CQorMsgMeetingDlg::BuildHistoryMenu(CMenu& menu, CMenu** ppPopup)
{
    if (!menu.LoadMenu(IDR_MENU_TEXT))
        return false;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (!pPopup)
        return false;
    // The view is read-only: nothing of it can be undone, cut, pasted or deleted.
    // Printing belongs to single messages (the content pane), not to a talk.
    static const UINT kGreyed[] = {ID_TEXT_UNDO, ID_TEXT_CUT, ID_TEXT_PASTE, ID_TEXT_DELETE, ID_PRINT_MESSAGE};
    for (UINT id : kGreyed)
        pPopup->EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
    long start = 0, end = 0;
    m_historyView.GetSel(start, end);
    if (start == end)
        pPopup->EnableMenuItem(ID_TEXT_COPY, MF_BYCOMMAND | MF_GRAYED);
    *ppPopup = pPopup;
    return true;
}

LRESULT CQorMsgMeetingDlg::OnHistoryMenu(WPARAM wParam, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(wParam) != m_historyView.GetSafeHwnd() || !lParam)
        return Default();
    const POINT pt = *reinterpret_cast<const POINT*>(lParam);
    CxMenu menu;
    CMenu* pPopup = nullptr;
    if (BuildHistoryMenu(menu, &pPopup))
        pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, pt.x, pt.y, this);
    return 0;
}

BOOL CQorMsgMeetingDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (::GetFocus() == m_historyView.GetSafeHwnd()) {
        if (LOWORD(wParam) == ID_TEXT_COPY)
            m_historyView.Copy();
        else if (LOWORD(wParam) == ID_TEXT_SELECT_ALL)
            m_historyView.SetSel(0, -1);
    }
    return CDialog::OnCommand(wParam, lParam);
}
