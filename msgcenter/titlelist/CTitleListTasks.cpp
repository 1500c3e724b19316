#include "msgcenter/titlelist/CTitleListTasks.h"
#include "framework/FormatString.h"
#include "controls/CWaitingDlg.h"
#include "msgcenter/titlelist/CQorMsgTitleDlg.h"
#include "msgcenter/titlelist/CRtfExportWriter.h"
#include "msgcenter/titlelist/IMsgTitleOwner.h"
#include "msgcenter/MsgCenterMessages.h"
#include "platform/QorDB/CQorDBBaseFun.h"
#include "platform/QorDB/CYqConnect.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorMessageBox.h"
#include <objbase.h>

namespace {

// Rows handled between two looks at the message queue.
const int kPumpEvery = 256;

CString Text(UINT nId) { return CQorViewBaseFun::LoadStringW(nId); }

} // namespace

void CTitleListTasks::PumpPending(CQorMsgTitleDlg* pPane)
{
    MSG msg;
    for (int n = 0; n < 200 && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        // The end of the task is posted by the task itself, after the work.
        if (msg.hwnd == pPane->GetSafeHwnd() && msg.message == WM_MSGCENTER_TASK_DONE) {
            ::PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            break;
        }
        CWaitingDlg* pWait = pPane->GetWaitingDlg();
        if (pWait && pWait->GetSafeHwnd() && ::IsDialogMessageW(pWait->GetSafeHwnd(), &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool CTitleListTasks::ReadSelection(CQorMsgTitleDlg* pPane, std::vector<_MSGITEM>& rows, bool& bReadOk)
{
    rows.clear();
    bReadOk = false;
    if (!pPane->IsViewCurrent()) {
        // The rows are no longer where the list shows them: whatever the selection names by its
        // place could be another message now. The user sees the view as it is and chooses again.
        pPane->PostMessage(WM_MSGCENTER_TASK_DONE, 0, 0);
        if (pPane->m_pBasePane)
            pPane->m_pBasePane->RefreshCurrentNode();
        QorMessageBox(Text(IDS_LIST_CHANGED), Text(IDS_MSGBOX_CAPTION), pPane, MB_OK, MB_ICONINFORMATION);
        return false;
    }
    const std::vector<int> indexes = pPane->GetSelectedRows();
    rows.reserve(indexes.size());
    bReadOk = pPane->m_cache.ForEachRow(CQorViewMgr::Instance()->m_pConnect, pPane->m_strBaseQuery,
                                     pPane->m_nSortColumn, pPane->m_bDescending, indexes,
                                     [&](int, const _MSGITEM& item) {
                                         if (!item.strID.IsEmpty())
                                             rows.push_back(item);
                                         return true;
                                     });
    return true;
}

unsigned CTitleListTasks::DeleteSelectedTitles(CQorMsgTitleDlg* pPane)
{
    pPane->m_nLastTaskCount = 0;
    if (pPane->m_bCancel || pPane->GetSelectedRows().empty()) {
        pPane->PostMessage(WM_MSGCENTER_TASK_DONE, 0, 0);
        return 0;
    }
    std::vector<_MSGITEM> rows;
    bool readOk = false;
    if (!ReadSelection(pPane, rows, readOk))
        return 0;
    CString shownID = pPane->m_pBasePane ? pPane->m_pBasePane->GetShownMessageID() : CString();
    CYqConnect* pConnect = CQorViewMgr::Instance()->m_pConnect;
    CString caption = Text(IDS_MSGBOX_CAPTION);

    // All of them or none: a failure or a cancel rolls the whole deletion back.
    bool ok = readOk && pConnect && pConnect->BeginTrans();
    bool shownDeleted = false;
    int done = 0;
    if (ok) {
        for (size_t i = 0; i < rows.size(); ++i) {
            const CString& id = rows[i].strID;
            if (i % kPumpEvery == 0) {
                PumpPending(pPane);
                if (pPane->m_bCancel)
                    break;
            }
            if (!CQorDBBaseFun::DeleteMsg(pConnect, id) || !CQorDBBaseFun::DeleteMsgAttach(pConnect, id) ||
                !CQorDBBaseFun::DeleteMsgContent(pConnect, id) || !CQorDBBaseFun::DeleteMsgRecv(pConnect, id)) {
                ok = false;
                break;
            }
            ++done;
            pPane->SetLongTaskPos(done);
            if (id == shownID)
                shownDeleted = true;
        }
        if (ok && !pPane->m_bCancel)
            ok = pConnect->CommitTrans();
        else
            pConnect->RollbackTrans();
    }
    bool cancelled = pPane->m_bCancel != 0;
    if (!ok || cancelled) {
        pPane->PostMessage(WM_MSGCENTER_TASK_DONE, 0, 0);
        QorMessageBox(Text(cancelled && ok ? IDS_DELETE_CANCELLED : IDS_DELETE_FAILED), caption, pPane, MB_OK,
                      MB_ICONWARNING);
        return 0;
    }

    // The list shrinks by what was deleted; every row after a deleted one moved, so the cache
    // and the selection (which named rows by index) start again.
    pPane->m_nLastTaskCount = done;
    pPane->m_cache.Shrink(done);
    pPane->ClearSelection();
    pPane->m_list.SetItemCountEx(pPane->m_cache.GetTotal(), 0);
    pPane->m_list.SetSelectionMark(-1);
    pPane->PostMessage(WM_MSGCENTER_TASK_DONE, 0, 0);
    if (pPane->m_pBasePane && (pPane->m_cache.GetTotal() == 0 || shownDeleted))
        pPane->m_pBasePane->ClearMessageContent();
    CString line;
    line.Format(L"CQorMsgTitleDlg::DeleteSelectedTitles Deleted:%d\r\n", done);
    CQorViewBaseFun::WriteErrorLogFileEx(line);
    return 1;
}

unsigned CTitleListTasks::ExportSelectedTitles(CQorMsgTitleDlg* pPane)
{
    if (!pPane)
        return 0;
    pPane->m_nLastTaskCount = 0;
    if (pPane->m_bCancel) {
        pPane->PostMessage(WM_MSGCENTER_TASK_DONE, 0, 0);
        return 0;
    }
    std::vector<_MSGITEM> rows;
    bool readOk = false;
    if (!ReadSelection(pPane, rows, readOk))
        return 0;
    HRESULT hrCom = ::CoInitialize(nullptr);
    struct ComScope {
        HRESULT hr;
        ~ComScope()
        {
            if (SUCCEEDED(hr))
                ::CoUninitialize();
        }
    } comScope{hrCom};

    const CString& path = pPane->m_strExportPath;
    CRtfExportWriter writer;
    writer.m_llWriteLimit = pPane->m_llExportWriteLimit;
    if (!writer.OpenFile(path)) {
        CString text;
        AfxFormatString1(text, IDS_EXPORT_OPEN_FAILED, path);
        QorMessageBox(text, Text(IDS_LOGIN_CAPTION), nullptr, MB_OK, MB_ICONWARNING);
        pPane->PostMessage(WM_MSGCENTER_TASK_DONE, 0, 0);
        return 0;
    }
    HFONT hFont = reinterpret_cast<HFONT>(pPane->SendMessage(WM_GETFONT));
    if (!writer.CreateEdit(pPane->GetSafeHwnd(), IDC_HIDDEN_RICHEDIT, hFont, pPane->m_nExportTextLimit)) {
        pPane->PostMessage(WM_MSGCENTER_TASK_DONE, 0, 0);
        return 0;
    }

    CYqConnect* pConnect = CQorViewMgr::Instance()->m_pConnect;
    int done = 0;
    for (size_t i = 0; readOk && i < rows.size(); ++i) {
        if (i % kPumpEvery == 0)
            PumpPending(pPane);
        if (pPane->m_bCancel)
            break;
        const _MSGITEM& item = rows[i];
        CString content, type;
        CQorDBBaseFun::GetMsgContentInfo(pConnect, item.strID, content, type);
        if (!writer.AddMessage(item.strSenderName, item.strRecvName, item.strSendDate, type, content))
            break;
        ++done;
        pPane->SetLongTaskPos(done);
    }

    // A cancelled export is no export: the part written so far would pass for the whole.
    const bool cancelled = pPane->m_bCancel != 0;
    const bool tooLarge = writer.IsTooLarge();
    bool written = writer.Finish(readOk && !cancelled);
    pPane->PostMessage(WM_MSGCENTER_TASK_DONE, 0, 0);

    CString caption = Text(IDS_MSGBOX_CAPTION), text;
    if (cancelled) {
        QorMessageBox(Text(IDS_EXPORT_CANCELLED), caption, pPane, MB_OK, MB_ICONINFORMATION);
        return 0;
    }
    if (!written) {
        if (tooLarge)
            AfxFormatCount(text, IDS_EXPORT_TOO_LARGE_ONE, IDS_EXPORT_TOO_LARGE, done);
        else
            AfxFormatString1(text, IDS_EXPORT_WRITE_FAILED, path);
        QorMessageBox(text, caption, pPane, MB_OK, MB_ICONWARNING);
        return 0;
    }
    pPane->m_nLastTaskCount = done;
    AfxFormatCount(text, IDS_EXPORT_DONE_ONE, IDS_EXPORT_DONE, done, path);
    QorMessageBox(text, caption, pPane, MB_OK, MB_ICONINFORMATION);
    return 1;
}
