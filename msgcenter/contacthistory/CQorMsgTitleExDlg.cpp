#include "msgcenter/contacthistory/CQorMsgTitleExDlg.h"
#include "msgcenter/CMenuAtCursor.h"
#include "msgcenter/CSenderChat.h"
#include "framework/CDataExchange.h"
#include "framework/CUIntArray.h"
#include "framework/CWinThread.h"
#include "framework/FormatString.h"
#include "controls/ScaleByDpi.h"
#include "msgcenter/contacthistory/CContactHistoryQuery.h"
#include "msgcenter/contacthistory/CContactHistoryTasks.h"
#include "controls/CWaitingDlg.h"
#include "msgcenter/titlelist/CMsgReadStateDlg.h"
#include "msgcenter/contacthistory/IContactHistoryOwner.h"
#include "msgcenter/MsgCenterMessages.h"
#include "msgcenter/MsgDb.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorResource/ContactHistoryResourceIds.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorMessageBox.h"
#include "platform/QorView/QorViewMessages.h"
#include <unordered_set>

namespace {

const int kAttachIcon = 5;
const COLORREF kLinkColor = 0xFF0000;
const COLORREF kListLine = 0xC0BAB3;
const COLORREF kBandTop = 0xFEFEFC;
const COLORREF kBandBottom = 0xF4F1E9;
const COLORREF kBandMiddle = 0xF9F7F2;

CYqConnect* Connection() { return CQorViewMgr::Instance()->m_pConnect; }

CString Text(UINT nId) { return CQorViewBaseFun::LoadStringW(nId); }

CString Number(int n)
{
    CString s;
    s.Format(L"%d", n);
    return s;
}

void LogLine(const CString& strLine) { CQorViewBaseFun::WriteErrorLogFileEx(strLine); }

} // namespace

BEGIN_MESSAGE_MAP(CQorMsgTitleExDlg, CDialog)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_HISTORY_LIST, &CQorMsgTitleExDlg::OnItemChanged)
    ON_NOTIFY(NM_CLICK, IDC_HISTORY_LIST, &CQorMsgTitleExDlg::OnListClick)
    ON_NOTIFY(NM_DBLCLK, IDC_HISTORY_LIST, &CQorMsgTitleExDlg::OnListDblClick)
    ON_NOTIFY(NM_RCLICK, IDC_HISTORY_LIST, &CQorMsgTitleExDlg::OnListRClick)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
    ON_COMMAND(ID_TITLE_REPLY_CHAT, &CQorMsgTitleExDlg::OnReplyByChat)
    ON_COMMAND(ID_TITLE_READSTATE, &CQorMsgTitleExDlg::OnReadState)
    ON_COMMAND(ID_TITLE_DELETE, &CQorMsgTitleExDlg::OnDeleteCommand)
    ON_COMMAND(ID_TITLE_EXPORT, &CQorMsgTitleExDlg::OnExportCommand)
    ON_MESSAGE(WM_WAITING_CANCEL, &CQorMsgTitleExDlg::OnWaitingCancel)
    ON_MESSAGE(WM_MSGCENTER_TASK_DONE, &CQorMsgTitleExDlg::OnTaskEnd)
    ON_MESSAGE(WM_HISTORY_TASK_PROGRESS, &CQorMsgTitleExDlg::OnTaskProgress)
    ON_MESSAGE(WM_QORVIEW_SKIN_CLICK, &CQorMsgTitleExDlg::OnLinkClicked)
END_MESSAGE_MAP()

CQorMsgTitleExDlg::CQorMsgTitleExDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

CQorMsgTitleExDlg::~CQorMsgTitleExDlg()
{
    // Normally the window's destruction has stopped the worker already; an object whose window
    // never existed, or went without WM_DESTROY, still must not leave a worker using its job.
    if (m_pWorker) {
        if (m_pJob)
            m_pJob->cancel = true;
        WaitForWorker(false);
        delete m_pWorker;
    }
}

void CQorMsgTitleExDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HISTORY_LIST, m_list);
    DDX_Control(pDX, IDC_HISTORY_LABEL, m_label);
    DDX_Control(pDX, IDC_HISTORY_BACK_LINK, m_link);
}

BOOL CQorMsgTitleExDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pSelf = this;
    m_link.SetColors(kLinkColor, kLinkColor);
    m_link.SetUnderline(TRUE);
    m_link.SetOwner(this);
    SetupColumns();
    m_layout.Start(*this);
    return TRUE;
}

void CQorMsgTitleExDlg::SetupColumns()
{
    static const int kWidths[] = {50, 50, 90, 200, 150, 200};
    static const UINT kTitles[] = {0, 0, IDS_COL_SENDER, IDS_COL_SUBJECT, IDS_COL_DATE, IDS_COL_RECEIVER};
    static const UINT kBitmaps[] = {IDB_HEADER_READSTATE, IDB_HEADER_ATTACH, 0, 0, 0, 0};
    CUIntArray widths, bitmaps;
    CStringArray titles;
    for (int i = 0; i < 6; ++i) {
        widths.Add(static_cast<UINT>(ScaleByDpi(kWidths[i])));
        titles.Add(kTitles[i] ? Text(kTitles[i]) : CString());
        bitmaps.Add(kBitmaps[i]);
    }
    if (!m_list.GetSafeHwnd())
        return;
    m_list.DeleteAllItems();
    while (m_list.DeleteColumn(0)) {
    }
    if (!m_imageList.GetSafeHandle())
        m_imageList.Create(IDB_MSG_ROW_ICONS, 18, 4, RGB(255, 255, 255));
    m_list.SetImageList(&m_imageList, LVSIL_SMALL);
    m_list.SetColumnSettingKey(L"LCSeeting", L"NorWidth");
    m_list.InsertColumns(widths, titles, bitmaps, TRUE);
    m_list.SetListColor(0xEEDADE);
    m_list.AddExtendedStyle(LVS_EX_SUBITEMIMAGES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
    CQorViewMgr::Instance()->SinkWindowScrollbar(m_list.GetSafeHwnd());
}

// ---------------------------------------------------------------------------------------------
// Rows

void CQorMsgTitleExDlg::LoadContactHistoryByDate(const CString& strMsgId, const CString& strSendDate,
                                                  const CString& strPeerLogin)
{
    if (!m_list.GetSafeHwnd())
        return;
    if (m_bBusy) {
        // The running export or deletion works through these rows.
        LogLine(L"CQorMsgTitleExDlg::LoadContactHistoryByDate refused while a task runs\r\n");
        return;
    }
    m_list.DeleteAllItems();
    CString lower, upper;
    if (!CContactHistoryQuery::DateWindow(strSendDate, lower, upper)) {
        LogLine(L"CQorMsgTitleExDlg::LoadContactHistoryByDate unreadable date \"" + strSendDate +
                L"\": nothing listed\r\n");
        return;
    }
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    CYqRecordset rs;
    if (!rs.Open(CContactHistoryQuery::History(strPeerLogin, pMgr->m_strAccount, lower, upper), Connection()))
        return;
    m_list.SetRedraw(FALSE);
    bool selected = false;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        CString id, sender, subject, date, recv;
        int attach = 0, state = 0;
        double flags = 0;
        rs.GetValue(0, id);
        rs.GetValue(1, attach);
        rs.GetValue(2, state);
        rs.GetValue(3, sender);
        rs.GetValue(4, subject);
        rs.GetValue(5, date);
        rs.GetValue(6, recv);
        rs.GetValue(7, flags);
        AddHistoryRow(id, attach, state, sender, subject, CQorViewBaseFun::ToDefaultLocalTime(date), recv,
                      static_cast<int>(flags));
        if (!strMsgId.IsEmpty() && id == strMsgId) {
            m_list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            m_list.SetSelectionMark(0);
            selected = true;
        }
    }
    rs.Close();
    m_list.SetRedraw(TRUE);
    if (selected) {
        int row = m_list.GetNextItem(-1, LVNI_SELECTED);
        m_list.SetSelectionMark(row);
        m_list.EnsureVisible(row, FALSE);
    }
    m_list.Invalidate();
}

void CQorMsgTitleExDlg::AddHistoryRow(const CString& strID, int nAttachCount, int nReadState,
                                      const CString& strSenderName, const CString& strSubject,
                                      const CString& strSendDate, const CString& strRecvName, int)
{
    // A read state outside the known ones shows no icon rather than a wrong one.
    const int icon = MsgDb::ReadStateIcon(nReadState, I_IMAGENONE);
    const int row = m_list.InsertItem(LVIF_TEXT | LVIF_IMAGE, 0, L"", 0, 0, icon, 0);
    if (row < 0)
        return;
    m_list.SetItemDataString(row, strID);
    if (nAttachCount > 0)
        m_list.SetItem(row, 1, LVIF_IMAGE, nullptr, kAttachIcon, 0, 0, 0);
    m_list.SetItemText(row, 2, strSenderName);
    m_list.SetItemText(row, 3, strSubject);
    m_list.SetItemText(row, 4, strSendDate);
    m_list.SetItemText(row, 5, strRecvName.IsEmpty() ? CQorViewMgr::Instance()->m_strUserName : strRecvName);
}

CString CQorMsgTitleExDlg::RowId(int nRow) const
{
    return nRow >= 0 && m_list.GetSafeHwnd() ? m_list.GetItemDataText(nRow) : CString();
}

void CQorMsgTitleExDlg::ShowSelectedMessage(const CString& strID)
{
    CYqRecordset rs;
    if (!rs.Open(CContactHistoryQuery::Message(strID), Connection()))
        return;
    CString sender, date, recv;
    int attach = 0, flags = 0;
    rs.MoveFirst();
    if (!rs.IsEOF()) {
        rs.GetValue(0, sender);
        rs.GetValue(1, date);
        rs.GetValue(2, recv);
        rs.GetValue(3, attach);
        rs.GetValue(4, flags);
    }
    rs.Close();
    if (m_pBaseDlg)
        m_pBaseDlg->ShowMessageContent(strID, sender, date, recv, attach > 0, flags, false);
}

void CQorMsgTitleExDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    auto* change = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    if (m_bRemovingRows || change->iItem < 0 || (change->uNewState & both) != both ||
        change->iItem >= m_list.GetItemCount())
        return;
    CString id = RowId(change->iItem);
    if (!id.IsEmpty())
        ShowSelectedMessage(id);
}

void CQorMsgTitleExDlg::OnListClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    auto* activate = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR);
    if (activate->iItem < 0)
        return;
    CString id = RowId(activate->iItem);
    if (!id.IsEmpty())
        ShowSelectedMessage(id);
}

void CQorMsgTitleExDlg::OnListDblClick(NMHDR*, LRESULT* pResult) { *pResult = 0; }

void CQorMsgTitleExDlg::OnListRClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (m_list.GetSelectionMark() >= 0)
        CMenuAtCursor::Track(IDR_MENU_TITLE, this);
}

// ---------------------------------------------------------------------------------------------
// Commands

void CQorMsgTitleExDlg::OnReplyByChat() { CSenderChat::Open(RowId(m_list.GetSelectionMark())); }

void CQorMsgTitleExDlg::OnReadState()
{
    CString id = RowId(m_list.GetSelectionMark());
    if (id.IsEmpty())
        return;
    CMsgReadStateDlg dlg(this);
    dlg.SetMsgID(id);
    dlg.DoModal();
}

void CQorMsgTitleExDlg::OnDeleteCommand()
{
    if (!m_bBusy)
        StartDelete(true);
}

void CQorMsgTitleExDlg::OnExportCommand() { StartExport(1); }

LRESULT CQorMsgTitleExDlg::OnLinkClicked(WPARAM wParam, LPARAM)
{
    if (reinterpret_cast<HWND>(wParam) != m_link.GetSafeHwnd() || !m_link.GetSafeHwnd())
        return 0;
    if (m_pBaseDlg)
        m_pBaseDlg->ShowTitleList();
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Layout and drawing

void CQorMsgTitleExDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED || cy == 0)
        return;
    int dx = 0;
    if (m_layout.Resize(*this, m_label, m_list, cx, cy, dx)) {
        m_list.Invalidate();
        if (m_link.GetSafeHwnd()) {
            CRect rc;
            m_link.GetWindowRect(&rc);
            ScreenToClient(&rc);
            rc.OffsetRect(dx, 0);
            m_link.MoveWindow(&rc);
        }
    }
    Invalidate();
}

BOOL CQorMsgTitleExDlg::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    ::FillRect(pDC->GetSafeHdc(), &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (!m_list.GetSafeHwnd())
        return TRUE;
    CRect list;
    m_list.GetWindowRect(&list);
    ScreenToClient(&list);
    CRect band(client.left, client.top, list.right, list.top - 2);
    if (band.bottom > band.top)
        CQorViewBaseFun::WqGradientFill(pDC->GetSafeHdc(), band, kBandTop, kBandBottom, TRUE);
    HPEN pen = ::CreatePen(PS_SOLID, 1, kListLine);
    HGDIOBJ old = ::SelectObject(pDC->GetSafeHdc(), pen);
    ::MoveToEx(pDC->GetSafeHdc(), list.left, list.top - 1, nullptr);
    ::LineTo(pDC->GetSafeHdc(), list.right, list.top - 1);
    ::SelectObject(pDC->GetSafeHdc(), old);
    ::DeleteObject(pen);
    return TRUE;
}

HBRUSH CQorMsgTitleExDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    // The link and the label colour themselves; other statics stand on the gradient.
    LRESULT brush = 0;
    if (pWnd && ReflectLastMsg(pWnd->GetSafeHwnd(), &brush) && brush)
        return reinterpret_cast<HBRUSH>(brush);
    if (nCtlColor == CTLCOLOR_STATIC) {
        // The pane clips its children, so a static paints its own ground: the band's middle tone.
        pDC->SetBkMode(TRANSPARENT);
        if (!m_bandBrush.GetSafeHandle())
            m_bandBrush.CreateSolidBrush(kBandMiddle);
        return m_bandBrush;
    }
    return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
}

// ---------------------------------------------------------------------------------------------
// Export and deletion (the work is CContactHistoryTasks')

UINT CQorMsgTitleExDlg::ExportHistoryThreadProc(LPVOID pParam)
{
    return CContactHistoryTasks::ExportHistoryThreadProc(pParam);
}

UINT CQorMsgTitleExDlg::DeleteMsgThreadProc(LPVOID pParam)
{
    return CContactHistoryTasks::DeleteMsgThreadProc(pParam);
}

bool CQorMsgTitleExDlg::ChooseExportPath(CString& strPath) { return CMsgTaskWaiting::AskExportPath(this, strPath); }

void CQorMsgTitleExDlg::CollectSelectedRows(CContactHistoryJob& job) const
{
    job.nSelected = m_list.GetSelectedCount();
    job.rows.reserve(static_cast<size_t>(job.nSelected > 0 ? job.nSelected : 0));
    for (int i = m_list.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = m_list.GetNextItem(i, LVNI_SELECTED)) {
        ContactHistoryRow row;
        row.strID = m_list.GetItemDataText(i);
        if (row.strID.IsEmpty())
            continue; // stays in the list, untouched
        row.strSender = m_list.GetItemText(i, 2);
        row.strDate = m_list.GetItemText(i, 4);
        row.strReceiver = m_list.GetItemText(i, 5);
        row.nRow = i;
        job.rows.push_back(row);
    }
}

void CQorMsgTitleExDlg::StartExport(int)
{
    if (m_bBusy || !m_list.GetSafeHwnd() || m_list.GetSelectedCount() <= 0)
        return;
    CString path;
    if (!ChooseExportPath(path))
        return;
    m_strExportPath = path;
    auto job = std::make_unique<CContactHistoryJob>();
    job->kind = CContactHistoryJob::kExport;
    job->strPath = path;
    job->hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    job->nTextLimit = m_nExportTextLimit;
    job->llWriteLimit = m_llExportWriteLimit;
    CollectSelectedRows(*job);
    StartWorker(std::move(job), IDS_EXPORTING, &CQorMsgTitleExDlg::ExportHistoryThreadProc);
}

void CQorMsgTitleExDlg::StartDelete(bool bAsk)
{
    if (m_bBusy || !m_list.GetSafeHwnd() || m_list.GetSelectedCount() <= 0)
        return;
    if (bAsk && QorMessageBox(Text(IDS_DELETE_ASK), Text(IDS_MSGBOX_CAPTION), this, MB_OKCANCEL, MB_ICONQUESTION) !=
                    IDOK)
        return;
    auto job = std::make_unique<CContactHistoryJob>();
    job->kind = CContactHistoryJob::kDelete;
    job->nBatch = m_nDeleteBatch;
    CollectSelectedRows(*job);
    StartWorker(std::move(job), IDS_DELETING, &CQorMsgTitleExDlg::DeleteMsgThreadProc);
}

bool CQorMsgTitleExDlg::StartWorker(std::unique_ptr<CContactHistoryJob> job, UINT nWaitText, AFX_THREADPROC pfnProc)
{
    static WPARAM s_nSerial = 0;
    // The thread of the previous task has ended (its end was handled); its object goes now.
    WaitForWorker(false);
    delete m_pWorker;
    m_pWorker = nullptr;

    job->hPane = m_hWnd;
    job->nSerial = ++s_nSerial;
    job->pConnect = Connection();
    m_pJob = std::move(job);
    m_nRowsRemoved = 0;
    ShowWaitDialog(Text(nWaitText));
    SetWaitRange(m_pJob->nSelected);
    CWinThread* pThread = AfxBeginThread(pfnProc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!pThread) {
        LogLine(L"CQorMsgTitleExDlg: the worker thread could not be started\r\n");
        m_pJob->result = CContactHistoryJob::kCancelled;
        FinishTask(false);
        CloseWaitDialog();
        return false;
    }
    pThread->m_bAutoDelete = FALSE; // waited for and deleted by this pane
    m_pWorker = pThread;
    pThread->ResumeThread();
    return true;
}

void CQorMsgTitleExDlg::WaitForWorker(bool bPump)
{
    while (m_pWorker) {
        HANDLE hThread = m_pWorker->m_hThread;
        if (!bPump) {
            ::WaitForSingleObject(hThread, INFINITE);
            return;
        }
        const DWORD r = ::MsgWaitForMultipleObjects(1, &hThread, FALSE, INFINITE, QS_ALLINPUT);
        if (r != WAIT_OBJECT_0 + 1)
            return; // ended (or the handle is gone)
        MSG msg;
        while (m_pWorker && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // Left for the loop that owns it; the worker needs nothing from this thread.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                bPump = false;
                break;
            }
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
    }
}

bool CQorMsgTitleExDlg::CancelLongTask()
{
    if (!m_pWorker)
        return false;
    m_bCancel = 1;
    if (m_pJob)
        m_pJob->cancel = true;
    WaitForWorker(true);
    // The worker's end may have been handled while waiting; otherwise it is handled now (its
    // message, still queued, is then recognised as old).
    if (m_pJob)
        FinishTask(true);
    m_bBusy = 0;
    return false;
}

LRESULT CQorMsgTitleExDlg::OnWaitingCancel(WPARAM, LPARAM)
{
    CancelLongTask();
    return 0;
}

LRESULT CQorMsgTitleExDlg::OnTaskProgress(WPARAM wParam, LPARAM)
{
    if (!m_pJob || m_pJob->nSerial != wParam)
        return 0;
    m_pJob->progressQueued = false;
    TakeProgress();
    return 0;
}

LRESULT CQorMsgTitleExDlg::OnTaskEnd(WPARAM wParam, LPARAM)
{
    if (m_pJob && m_pJob->nSerial == wParam)
        FinishTask(true);
    return 0;
}

void CQorMsgTitleExDlg::TakeProgress()
{
    if (!m_pJob)
        return;
    const int done = m_pJob->done.load();
    if (m_pJob->kind == CContactHistoryJob::kDelete)
        RemoveDeletedRows(done);
    SetWaitPos(done);
}

void CQorMsgTitleExDlg::RemoveDeletedRows(int nUpTo)
{
    if (!m_pJob || !m_list.GetSafeHwnd() || nUpTo <= m_nRowsRemoved)
        return;
    const auto& rows = m_pJob->rows;
    if (nUpTo > static_cast<int>(rows.size()))
        nUpTo = static_cast<int>(rows.size());
    m_list.SetRedraw(FALSE);
    // The list moves its focus and selection along as rows go; that is no choice of the user's,
    // and showing each row it lands on would query the database once per deleted row.
    m_bRemovingRows = true;
    // The rows were taken in list order and leave in that order, so a row stands at its first
    // index less the rows already gone (every one of them was above it). Going backwards inside
    // the step keeps that true for the rows still to go.
    for (int k = nUpTo - 1; k >= m_nRowsRemoved; --k) {
        const ContactHistoryRow& row = rows[static_cast<size_t>(k)];
        int at = row.nRow - m_nRowsRemoved;
        if (RowId(at) != row.strID) {
            at = -1;
            for (int i = 0, n = m_list.GetItemCount(); i < n && at < 0; ++i)
                if (RowId(i) == row.strID)
                    at = i;
        }
        if (at >= 0)
            m_list.DeleteItem(at);
    }
    m_bRemovingRows = false;
    m_nRowsRemoved = nUpTo;
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
}

CWnd* CQorMsgTitleExDlg::ManagerWindow() const { return m_pBaseDlg ? m_pBaseDlg->GetManagerWindow() : nullptr; }

void CQorMsgTitleExDlg::ShowWaitDialog(const CString& strText)
{
    m_bCancel = 0;
    m_bBusy = 1;
    m_wait.Show(this, ManagerWindow(), strText);
}

void CQorMsgTitleExDlg::SetWaitRange(int nCount) { m_wait.SetRange(nCount); }

void CQorMsgTitleExDlg::SetWaitPos(int nPos) { m_wait.SetPos(nPos); }

void CQorMsgTitleExDlg::CloseWaitDialog()
{
    m_wait.Close(ManagerWindow());
    if (m_list.GetSafeHwnd())
        m_list.Invalidate();
    m_bBusy = 0;
    m_bCancel = 0;
}

void CQorMsgTitleExDlg::FinishTask(bool bReport)
{
    // The worker's end message is its last act: it is ending, and needs nothing from this thread.
    WaitForWorker(false);
    delete m_pWorker;
    m_pWorker = nullptr;
    std::unique_ptr<CContactHistoryJob> job = std::move(m_pJob);
    if (!job) {
        CloseWaitDialog();
        return;
    }
    const int result = job->result.load();
    const int done = job->done.load();
    const bool deletion = job->kind == CContactHistoryJob::kDelete;
    if (bReport && deletion) {
        m_pJob = std::move(job); // RemoveDeletedRows works on the running job's rows
        RemoveDeletedRows(done);
        job = std::move(m_pJob);
    }
    if (bReport)
        CloseWaitDialog();
    m_bBusy = 0;
    m_bCancel = 0;
    // A cancelled export has written what it had collected, and says so.
    const bool exported = result == CContactHistoryJob::kDone || result == CContactHistoryJob::kCancelled;
    m_nLastTaskCount = deletion || exported ? done : 0;
    m_nLastTaskResult = result;

    CString line;
    line.Format(L"CQorMsgTitleExDlg::%s Done:%d Of:%d Result:%d %s\r\n", deletion ? L"Delete" : L"Export", done,
                static_cast<int>(job->rows.size()), result, job->strFailure.GetString());
    LogLine(line);
    if (!bReport)
        return;
    if (deletion && m_pBaseDlg) {
        // The message shown below must not outlive its deletion.
        const CString shown = m_pBaseDlg->GetShownMessageID();
        for (int k = 0; !shown.IsEmpty() && k < done; ++k) {
            if (job->rows[static_cast<size_t>(k)].strID == shown) {
                m_pBaseDlg->ClearMessageContent();
                break;
            }
        }
    }
    ReportTask(*job);
}

void CQorMsgTitleExDlg::ReportTask(const CContactHistoryJob& job)
{
    const int done = job.done.load();
    const CString caption = Text(IDS_MSGBOX_CAPTION);
    CString text;
    switch (job.result.load()) {
    case CContactHistoryJob::kDone:
        if (job.kind == CContactHistoryJob::kDelete)
            return; // a finished deletion speaks for itself: its rows are gone
        AfxFormatCount(text, IDS_EXPORT_DONE_ONE, IDS_EXPORT_DONE, done, job.strPath);
        QorMessageBox(text, caption, this, MB_OK, MB_ICONINFORMATION);
        return;
    case CContactHistoryJob::kCancelled:
        if (job.kind == CContactHistoryJob::kDelete)
            AfxFormatString2(text, IDS_HISTORY_DELETE_CANCELLED, Number(done),
                             Number(static_cast<int>(job.rows.size())));
        else
            AfxFormatCount(text, IDS_HISTORY_EXPORT_CANCELLED_ONE, IDS_HISTORY_EXPORT_CANCELLED, done, job.strPath);
        QorMessageBox(text, caption, this, MB_OK, MB_ICONINFORMATION);
        return;
    case CContactHistoryJob::kDbFailed:
        AfxFormatString2(text, IDS_CONTACT_HISTORY_DELETE_STOPPED, Number(done), Number(static_cast<int>(job.rows.size())));
        QorMessageBox(text, caption, this, MB_OK, MB_ICONWARNING);
        return;
    case CContactHistoryJob::kOpenFailed:
        AfxFormatString1(text, IDS_EXPORT_OPEN_FAILED, job.strPath);
        QorMessageBox(text, Text(IDS_LOGIN_CAPTION), this, MB_OK, MB_ICONWARNING);
        return;
    case CContactHistoryJob::kTooLarge:
        AfxFormatCount(text, IDS_EXPORT_TOO_LARGE_ONE, IDS_EXPORT_TOO_LARGE, done);
        QorMessageBox(text, caption, this, MB_OK, MB_ICONWARNING);
        return;
    case CContactHistoryJob::kWriteFailed:
        AfxFormatString1(text, IDS_EXPORT_WRITE_FAILED, job.strPath);
        QorMessageBox(text, caption, this, MB_OK, MB_ICONWARNING);
        return;
    default:
        return; // the hidden rich edit could not be made: nothing to say
    }
}

void CQorMsgTitleExDlg::OnDestroy()
{
    // Never destroyed under a running worker: it is stopped and waited for first. It needs
    // nothing from this thread, so the wait handles no messages in the middle of destruction.
    if (m_pWorker) {
        m_bCancel = 1;
        if (m_pJob)
            m_pJob->cancel = true;
        FinishTask(false);
    }
    if (m_wait.Get()) {
        m_wait.Destroy();
        if (CWnd* pManager = ManagerWindow())
            pManager->EnableWindow(TRUE);
    }
    CDialog::OnDestroy();
}
