#include "msgcenter/titlelist/CQorMsgTitleDlg.h"
#include "common/ChildRect.h"
#include "msgcenter/CMenuAtCursor.h"
#include "msgcenter/CSenderChat.h"
#include "framework/CBitmap.h"
#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "framework/CPen.h"
#include "framework/CUIntArray.h"
#include "controls/CWaitingDlg.h"
#include "controls/ScaleByDpi.h"
#include "msgcenter/titlelist/CMsgReadStateDlg.h"
#include "msgcenter/titlelist/CTitleListQuery.h"
#include "msgcenter/titlelist/CTitleListTasks.h"
#include "msgcenter/MsgDb.h"
#include "msgcenter/titlelist/IMsgTitleOwner.h"
#include "msgcenter/MsgCenterMessages.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorMessageBox.h"

namespace {

const int kAttachIcon = 5;

CYqConnect* Connection() { return CQorViewMgr::Instance()->m_pConnect; }

void LogLine(const CString& strLine) { CQorViewBaseFun::WriteErrorLogFileEx(strLine); }

} // namespace

BEGIN_MESSAGE_MAP(CQorMsgTitleDlg, CDialog)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_TITLE_LIST, &CQorMsgTitleDlg::OnItemChanged)
    ON_NOTIFY(NM_CLICK, IDC_TITLE_LIST, &CQorMsgTitleDlg::OnListClick)
    ON_NOTIFY(NM_DBLCLK, IDC_TITLE_LIST, &CQorMsgTitleDlg::OnListClick)
    ON_NOTIFY(NM_RCLICK, IDC_TITLE_LIST, &CQorMsgTitleDlg::OnListRClick)
    ON_NOTIFY(LVN_GETDISPINFOW, IDC_TITLE_LIST, &CQorMsgTitleDlg::OnGetDispInfo)
    ON_NOTIFY(LVN_ODCACHEHINT, IDC_TITLE_LIST, &CQorMsgTitleDlg::OnCacheHint)
    ON_COMMAND(ID_TITLE_REPLY_CHAT, &CQorMsgTitleDlg::OnReplyByChat)
    ON_COMMAND(ID_TITLE_READSTATE, &CQorMsgTitleDlg::OnReadState)
    ON_COMMAND(ID_TITLE_DELETE, &CQorMsgTitleDlg::OnDeleteCommand)
    ON_COMMAND(ID_TITLE_EXPORT, &CQorMsgTitleDlg::OnExportCommand)
    ON_MESSAGE(WM_WAITING_CANCEL, &CQorMsgTitleDlg::OnWaitingCancel)
    ON_MESSAGE(WM_MSGCENTER_TASK_DONE, &CQorMsgTitleDlg::OnLongTaskEnd)
    ON_MESSAGE(WM_LIST_SORT_COLUMN, &CQorMsgTitleDlg::OnSortColumn)
    ON_MESSAGE(WM_MSGCENTER_KEYDOWN, &CQorMsgTitleDlg::OnPostedKeyDown)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CQorMsgTitleDlg::CQorMsgTitleDlg(CWnd* pParent) : CDialog(IDD_MSG_TITLE, pParent) {}

CQorMsgTitleDlg::~CQorMsgTitleDlg() = default;

BOOL CQorMsgTitleDlg::DestroyWindow()
{
    if (m_list.GetSafeHwnd())
        m_list.SetItemCountEx(0, 0);
    m_wait.Destroy();
    return CDialog::DestroyWindow();
}

void CQorMsgTitleDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TITLE_LIST, m_list);
    DDX_Control(pDX, IDC_TITLE_LABEL, m_label);
}

BOOL CQorMsgTitleDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    _Init(this);

    static const int kWidths[] = {30, 30, 50, 250, 130, 100};
    static const UINT kTitles[] = {0, 0, IDS_COL_SENDER, IDS_COL_SUBJECT, IDS_COL_DATE, IDS_COL_RECEIVER};
    static const UINT kBitmaps[] = {IDB_HEADER_READSTATE, IDB_HEADER_ATTACH, 0, 0, 0, 0};
    CUIntArray widths, bitmaps;
    CStringArray titles;
    for (int i = 0; i < 6; ++i) {
        widths.Add(static_cast<UINT>(ScaleByDpi(kWidths[i])));
        titles.Add(kTitles[i] ? CQorViewBaseFun::LoadStringW(kTitles[i]) : CString());
        bitmaps.Add(kBitmaps[i]);
    }
    while (m_list.DeleteColumn(0)) {
    }
    m_imageList.Create(IDB_MSG_ROW_ICONS, 18, 4, RGB(255, 255, 255));
    m_list.SetImageList(&m_imageList, LVSIL_SMALL);
    m_list.SetColumnSettingKey(L"LCSeeting", L"NorWidth");
    m_list.SetOwnerSorted(TRUE);
    m_list.SetSortingEnabled(TRUE);
    m_list.InsertColumns(widths, titles, bitmaps, TRUE);
    m_list.SetListColor(0xEEDADE);
    m_list.AddExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES | LVS_EX_HEADERDRAGDROP);
    CQorViewMgr::Instance()->SinkWindowScrollbar(m_list.GetSafeHwnd());

    m_layout.Start(*this);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Views

void CQorMsgTitleDlg::SetLabelText(const CString& strText)
{
    if (m_label.GetSafeHwnd())
        SetSeeThroughLabelText(m_label.GetSafeHwnd(), strText);
}

bool CQorMsgTitleDlg::LoadPagedView(UINT nLabelId, const CString& strCount, const CString& strBase, bool bKeepRange)
{
    if (nLabelId)
        SetLabelText(CQorViewBaseFun::LoadStringW(nLabelId));
    int total = 0;
    if (!MsgDb::ReadCount(strCount, total))
        return false;
    int from = m_cache.GetFrom(), to = m_cache.GetTo();
    // Every view change starts from an empty cache and the new view's query, both before the
    // list hears of the change: the list asks for rows while it updates (the focused row, the
    // rows it repaints), and a row fetched then with the old query would stand in the new view
    // (shown, selected, deleted or exported there) until scrolled into view again.
    m_strBaseQuery = strBase;
    m_strCountQuery = strCount;
    m_bStaticView = false;
    m_cache.Reset(total);
    if (bKeepRange)
        m_cache.SetRange(from, to);
    if (m_list.GetSafeHwnd()) {
        ClearSelection();
        m_list.SetItemCountEx(total, 0);
        m_list.SetSelectionMark(-1);
    }
    return true;
}

bool CQorMsgTitleDlg::IsViewCurrent() const
{
    if (m_bStaticView || m_strCountQuery.IsEmpty())
        return true;
    int total = 0;
    // A count that cannot be read says nothing of the rows; the work itself will tell.
    return !MsgDb::ReadCount(m_strCountQuery, total) || total == m_cache.GetTotal();
}

bool CQorMsgTitleDlg::LoadFolderMsg(int nFolder)
{
    CString line;
    DWORD start = ::GetTickCount();
    line.Format(L"CQorMsgTitleDlg::LoadFolderMsg FolderID_Start:%d_%d\r\n", nFolder, start);
    LogLine(line);
    UINT label = nFolder == CTitleListQuery::kFolderReceived ? IDS_FOLDER_RECEIVED
               : nFolder == CTitleListQuery::kFolderSent     ? IDS_FOLDER_SENT
                                                             : 0;
    if (!label)
        SetLabelText(CString());
    CTitleListStatements s = CTitleListQuery::Folder(nFolder);
    bool ok = LoadPagedView(label, s.strCount, s.strBase, false);
    DWORD end = ::GetTickCount();
    line.Format(L"CQorMsgTitleDlg::LoadFolderMsg End_Time:%d_%d\r\n", end, end - start);
    LogLine(line);
    return ok;
}

bool CQorMsgTitleDlg::LoadReadStateMsg()
{
    CTitleListStatements s = CTitleListQuery::ReadState();
    bool ok = LoadPagedView(IDS_VIEW_UNREAD_BY_RECEIVERS, s.strCount, s.strBase, false);
    if (ok && m_list.GetSafeHwnd())
        m_list.Invalidate();
    return ok;
}

bool CQorMsgTitleDlg::SearchMessages(const CString& strText, const CString& strPersons, const CString& strFirstDay,
                                     const CString& strLastDay)
{
    CTitleListStatements s = CTitleListQuery::Search(strText, strPersons, strFirstDay, strLastDay);
    CString previousBase = m_strBaseQuery, previousCount = m_strCountQuery;
    if (!LoadPagedView(IDS_VIEW_SEARCH, s.strCount, s.strBase, true))
        return false;
    if (m_cache.GetTotal() <= 0) {
        m_strBaseQuery = previousBase;
        m_strCountQuery = previousCount;
        QorMessageBox(CQorViewBaseFun::LoadStringW(IDS_SEARCH_NOTHING), CQorViewBaseFun::LoadStringW(IDS_MSGBOX_CAPTION),
                      this, MB_OK, MB_ICONWARNING);
        return false;
    }
    return true;
}

bool CQorMsgTitleDlg::LoadTalkHistory(const CString& strPeer)
{
    CString line;
    DWORD start = ::GetTickCount();
    line.Format(L"CQorMsgTitleDlg::LoadTalkHistory Start:%d\r\n", start);
    LogLine(line);
    CTitleListStatements s = CTitleListQuery::TalkHistory(strPeer, CQorViewMgr::Instance()->m_strAccount);
    line.Format(L"CQorMsgTitleDlg::LoadTalkHistory Process1_Time:%d_%d\r\n", ::GetTickCount(), ::GetTickCount() - start);
    LogLine(line);
    bool ok = LoadPagedView(IDS_VIEW_TALK_HISTORY, s.strCount, s.strBase, false);
    if (ok && m_list.GetSafeHwnd()) {
        m_list.Invalidate();
        m_list.SetSelectionMark(0);
    }
    DWORD end = ::GetTickCount();
    line.Format(L"CQorMsgTitleDlg::LoadTalkHistory End_Time:%d_%d\r\n", end, end - start);
    LogLine(line);
    return ok;
}

bool CQorMsgTitleDlg::LoadUserFolder(const CString& strName)
{
    if (m_list.GetSafeHwnd())
        m_list.SetRedraw(FALSE);
    CString label = CQorViewBaseFun::LoadStringW(IDS_VIEW_USER_FOLDER);
    if (!strName.IsEmpty())
        label += L"--" + strName;
    SetLabelText(label);

    // A user folder is small and listed whole: its rows go into the cache at once and the list
    // never asks the database again for them.
    std::vector<_MSGITEM> rows;
    bool ok = false;
    {
        CYqRecordset rs;
        if (rs.Open(CTitleListQuery::UserFolder(strName), Connection())) {
            ok = true;
            const CString& userName = CQorViewMgr::Instance()->m_strUserName;
            for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
                _MSGITEM item;
                rs.GetValue(0, item.strID);
                rs.GetValue(1, item.nAttachCount);
                rs.GetValue(2, item.nReadState);
                rs.GetValue(4, item.strSenderName);
                rs.GetValue(5, item.strSubject);
                rs.GetValue(6, item.strSendDate);
                rs.GetValue(7, item.strRecvName);
                if (item.strRecvName.IsEmpty())
                    item.strRecvName = userName;
                rows.push_back(item);
            }
            rs.Close();
        }
    }
    m_cache.Reset(static_cast<int>(rows.size()));
    m_cache.Load(rows);
    m_bStaticView = true;
    m_strBaseQuery.Empty();
    m_strCountQuery.Empty();
    if (m_list.GetSafeHwnd()) {
        ClearSelection();
        m_list.SetItemCountEx(static_cast<int>(rows.size()), 0);
        m_list.SetSelectionMark(-1);
        m_list.SetRedraw(TRUE);
        m_list.Invalidate();
    }
    return ok;
}

// ---------------------------------------------------------------------------------------------
// Rows

bool CQorMsgTitleDlg::CacheMsgTitleData(int nFrom, int nTo)
{
    if (m_bStaticView || m_strBaseQuery.IsEmpty())
        return true;
    CString line;
    DWORD start = ::GetTickCount();
    line.Format(L"CQorMsgTitleDlg::CacheMsgTitleData From_To_Start:%d_%d_%d\r\n", nFrom, nTo, start);
    LogLine(line);
    bool ok = m_cache.Fetch(Connection(), m_strBaseQuery, m_nSortColumn, m_bDescending, nFrom, nTo);
    DWORD end = ::GetTickCount();
    line.Format(L"CQorMsgTitleDlg::CacheMsgTitleData End_Time:%d_%d\r\n", end, end - start);
    LogLine(line);
    return ok;
}

void CQorMsgTitleDlg::OnCacheHint(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* hint = reinterpret_cast<NMLVCACHEHINT*>(pNMHDR);
    CacheMsgTitleData(hint->iFrom, hint->iTo);
    *pResult = 0;
}

void CQorMsgTitleDlg::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(pNMHDR);
    LVITEMW& item = info->item;
    const _MSGITEM* slot = m_cache.Slot(item.iItem);
    if (!slot)
        return;
    if (slot->strID.IsEmpty() && !m_bStaticView) {
        // A row the list did not hint at (a list that paints without hinting first): fetch the
        // page it stands on rather than show an empty row.
        int page = m_list.GetSafeHwnd() ? m_list.GetCountPerPage() : 0;
        CacheMsgTitleData(item.iItem, item.iItem + (page > 0 ? page : 1));
        slot = m_cache.Slot(item.iItem);
        if (!slot)
            return;
    }
    _MSGITEM row = *slot;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const CString* text = nullptr;
        switch (item.iSubItem) {
        case 2: text = &row.strSenderName; break;
        case 3: text = &row.strSubject; break;
        case 4: text = &row.strSendDate; break;
        case 5: text = &row.strRecvName; break;
        default: break;
        }
        int limit = item.cchTextMax < 260 ? item.cchTextMax : 260;
        if (text)
            lstrcpynW(item.pszText, text->GetString(), limit);
        else
            item.pszText[0] = 0;
    }
    if (item.mask & LVIF_IMAGE) {
        if (item.iSubItem == 0) {
            item.iImage = MsgDb::ReadStateIcon(row.nReadState, item.iImage);
        } else if (item.iSubItem == 1) {
            item.iImage = row.nAttachCount != 0 ? kAttachIcon : -1;
        } else {
            item.iImage = -1;
        }
    }
}

void CQorMsgTitleDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    auto* change = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    if (change->iItem < 0 || (change->uNewState & both) != both)
        return;
    const _MSGITEM* slot = m_cache.Slot(change->iItem);
    if (!slot)
        return;
    if (slot->strID.IsEmpty() && !m_bStaticView) {
        CacheMsgTitleData(change->iItem, change->iItem);
        slot = m_cache.Slot(change->iItem);
    }
    _MSGITEM row = *slot;
    if (!row.strID.IsEmpty() && m_pBasePane)
        m_pBasePane->ShowMessageContent(row.strID, row.strSenderName, row.strSendDate, row.strRecvName,
                                        row.nAttachCount > 0, row.nFlags, m_bSearch != 0);
}

void CQorMsgTitleDlg::OnListClick(NMHDR*, LRESULT* pResult) { *pResult = 0; }

void CQorMsgTitleDlg::OnListRClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (m_list.GetSelectionMark() >= 0)
        CMenuAtCursor::Track(IDR_MENU_TITLE, this);
}

// ---------------------------------------------------------------------------------------------
// Selection

std::vector<int> CQorMsgTitleDlg::GetSelectedRows() const
{
    std::vector<int> rows;
    if (!m_list.GetSafeHwnd())
        return rows;
    int count = m_list.GetSelectedCount();
    if (count <= 0)
        return rows;
    rows.reserve(static_cast<size_t>(count));
    int total = m_list.GetItemCount();
    if (count == total) {
        // Everything is selected: no need to ask the list row by row.
        for (int i = 0; i < total; ++i)
            rows.push_back(i);
        return rows;
    }
    for (int i = m_list.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = m_list.GetNextItem(i, LVNI_SELECTED))
        rows.push_back(i);
    return rows;
}

void CQorMsgTitleDlg::SelectAll()
{
    if (m_list.GetSafeHwnd())
        m_list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
}

void CQorMsgTitleDlg::ClearSelection()
{
    if (m_list.GetSafeHwnd() && m_list.GetSelectedCount() > 0)
        m_list.SetItemState(-1, 0, LVIS_SELECTED);
}

bool CQorMsgTitleDlg::GetMarkedRow(_MSGITEM& item) const
{
    if (!m_list.GetSafeHwnd())
        return false;
    int mark = m_list.GetSelectionMark();
    const _MSGITEM* slot = m_cache.Slot(mark);
    if (!slot)
        return false;
    if (slot->strID.IsEmpty() && !m_bStaticView) {
        const_cast<CQorMsgTitleDlg*>(this)->CacheMsgTitleData(mark, mark);
        slot = m_cache.Slot(mark);
    }
    item = *slot;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Commands

void CQorMsgTitleDlg::OnReplyByChat()
{
    _MSGITEM row;
    if (GetMarkedRow(row))
        CSenderChat::Open(row.strID);
}

void CQorMsgTitleDlg::OpenReadState(const CString& strID)
{
    CMsgReadStateDlg dlg(this);
    dlg.SetMsgID(strID);
    dlg.DoModal();
}

void CQorMsgTitleDlg::OnReadState()
{
    _MSGITEM row;
    if (GetMarkedRow(row) && !row.strID.IsEmpty())
        OpenReadState(row.strID);
}

void CQorMsgTitleDlg::OnDeleteCommand() { DeleteSelected(true); }
void CQorMsgTitleDlg::OnExportCommand() { ExportSelected(1); }

LRESULT CQorMsgTitleDlg::OnSortColumn(WPARAM wParam, LPARAM lParam)
{
    m_nSortColumn = static_cast<int>(wParam);
    m_bDescending = static_cast<int>(lParam) > 0;
    if (m_bStaticView)
        return 0;
    // The rows now stand elsewhere: forget them (and the selection, which named rows by index).
    m_cache.Reset(m_cache.GetTotal());
    if (m_list.GetSafeHwnd()) {
        ClearSelection();
        m_list.Invalidate();
    }
    return 0;
}

BOOL CQorMsgTitleDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN)
        PostMessage(WM_MSGCENTER_KEYDOWN, pMsg->wParam, pMsg->lParam);
    return CDialog::PreTranslateMessage(pMsg);
}

LRESULT CQorMsgTitleDlg::OnPostedKeyDown(WPARAM wParam, LPARAM)
{
    UINT key = static_cast<UINT>(wParam);
    if (key < VK_RETURN || key > VK_F5)
        return 0;
    bool ctrl = (::GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
    bool shift = (::GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
    if (key == VK_RETURN) {
        OnReadState();
    } else if (key == VK_DELETE) {
        DeleteSelected(!shift);
    } else if (key == 'A' && ctrl) {
        SelectAll();
    } else if (key == 'F' && ctrl) {
        if (m_pBasePane)
            m_pBasePane->SearchMessages();
        SetFocus();
    } else if (key == VK_F5) {
        if (m_pBasePane)
            m_pBasePane->RefreshCurrentNode();
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Deletion and export (the work is CTitleListTasks')

bool CQorMsgTitleDlg::DeleteSelected(bool bConfirm)
{
    if (m_bBusy || !m_list.GetSafeHwnd() || m_list.GetSelectedCount() <= 0)
        return false;
    if (bConfirm &&
        QorMessageBox(CQorViewBaseFun::LoadStringW(IDS_DELETE_ASK), CQorViewBaseFun::LoadStringW(IDS_MSGBOX_CAPTION),
                      this, MB_OKCANCEL, MB_ICONQUESTION) != IDOK)
        return false;
    StartLongTask(CQorViewBaseFun::LoadStringW(IDS_DELETING));
    SetLongTaskRange(m_list.GetSelectedCount());
    return CTitleListTasks::DeleteSelectedTitles(this) != 0;
}

bool CQorMsgTitleDlg::ChooseExportPath(CString& strPath) { return CMsgTaskWaiting::AskExportPath(this, strPath); }

bool CQorMsgTitleDlg::ExportSelected(int)
{
    if (m_bBusy || !m_list.GetSafeHwnd() || m_list.GetSelectedCount() <= 0)
        return false;
    CString path;
    if (!ChooseExportPath(path))
        return false;
    m_strExportPath = path;
    StartLongTask(CQorViewBaseFun::LoadStringW(IDS_EXPORTING));
    SetLongTaskRange(m_list.GetSelectedCount());
    CTitleListTasks::ExportSelectedTitles(this);
    return true;
}

bool CQorMsgTitleDlg::CancelLongTask()
{
    m_bCancel = 1;
    return true;
}

LRESULT CQorMsgTitleDlg::OnWaitingCancel(WPARAM, LPARAM)
{
    CancelLongTask();
    return 0;
}

void CQorMsgTitleDlg::StartLongTask(const CString& strCaption)
{
    m_bCancel = 0;
    m_bBusy = true;
    m_wait.Show(this, m_pBasePane ? m_pBasePane->GetManagerWindow() : nullptr, strCaption);
}

void CQorMsgTitleDlg::SetLongTaskRange(int nCount) { m_wait.SetRange(nCount); }

void CQorMsgTitleDlg::SetLongTaskPos(int nPos) { m_wait.SetPos(nPos); }

void CQorMsgTitleDlg::EndLongTask()
{
    m_wait.Close(m_pBasePane ? m_pBasePane->GetManagerWindow() : nullptr);
    Invalidate();
    m_bCancel = 0;
    m_bBusy = false;
}

LRESULT CQorMsgTitleDlg::OnLongTaskEnd(WPARAM, LPARAM)
{
    EndLongTask();
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Layout and drawing

void CQorMsgTitleDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED || cy == 0)
        return;
    int dx = 0;
    if (m_layout.Resize(*this, m_label, m_list, cx, cy, dx))
        Invalidate();
}

void CQorMsgTitleDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    DrawParentBackground(this, &dc);
    if (!m_list.GetSafeHwnd())
        return;
    CRect list;
    m_list.GetWindowRect(&list);
    ScreenToClient(&list);
    CRect band(client.left, client.top, client.right, list.top - 2);
    if (band.bottom > band.top)
        CQorViewBaseFun::WqGradientFill(dc.GetSafeHdc(), band, 0xFEFEFC, 0xF4F1E9, TRUE);
    CPen pen(PS_SOLID, 1, 0xC0BAB3);
    CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(client.left, list.top - 1);
    dc.LineTo(client.right, list.top - 1);
    dc.SelectObject(old);
}

BOOL CQorMsgTitleDlg::OnEraseBkgnd(CDC*) { return TRUE; }

HBRUSH CQorMsgTitleDlg::OnCtlColor(CDC* pDC, CWnd*, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
}
