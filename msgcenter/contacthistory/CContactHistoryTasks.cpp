#include "msgcenter/contacthistory/CContactHistoryTasks.h"
#include "msgcenter/contacthistory/CContactHistoryJob.h"
#include "msgcenter/contacthistory/CQorMsgTitleExDlg.h"
#include "msgcenter/titlelist/CRtfExportWriter.h"
#include "msgcenter/MsgCenterMessages.h"
#include "platform/QorDB/CQorDBBaseFun.h"
#include "platform/QorDB/CYqConnect.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include <objbase.h>
#include <algorithm>

void CContactHistoryJob::ReportProgress(int nDone)
{
    done.store(nDone);
    if (!progressQueued.exchange(true))
        ::PostMessageW(hPane, WM_HISTORY_TASK_PROGRESS, nSerial, 0);
}

void CContactHistoryJob::End(Result r)
{
    result.store(r);
    ::PostMessageW(hPane, WM_MSGCENTER_TASK_DONE, nSerial, 0);
}

namespace {

// The job of the pane that started the thread; the pane keeps it until the thread has ended.
CContactHistoryJob* JobOf(LPVOID pParam)
{
    auto* pPane = static_cast<CQorMsgTitleExDlg*>(pParam);
    return pPane ? pPane->GetJob() : nullptr;
}

} // namespace

UINT CContactHistoryTasks::ExportHistoryThreadProc(LPVOID pParam)
{
    CContactHistoryJob* job = JobOf(pParam);
    if (!job)
        return 0;
    if (job->cancel.load()) {
        job->End(CContactHistoryJob::kCancelled);
        return 0;
    }
    const HRESULT hrCom = ::CoInitialize(nullptr);
    CContactHistoryJob::Result result = CContactHistoryJob::kDone;
    {
        CRtfExportWriter writer;
        writer.m_llWriteLimit = job->llWriteLimit;
        if (!writer.OpenFile(job->strPath)) {
            result = CContactHistoryJob::kOpenFailed;
        } else if (!writer.CreateEdit(HWND_MESSAGE, IDC_HIDDEN_RICHEDIT, job->hFont, job->nTextLimit)) {
            // Kept on this thread (a child of no window of the pane's), so the export never
            // waits for the user-interface thread.
            result = CContactHistoryJob::kEditFailed;
        } else {
            for (const ContactHistoryRow& row : job->rows) {
                if (job->cancel.load()) {
                    result = CContactHistoryJob::kCancelled;
                    break;
                }
                CString content, type;
                CQorDBBaseFun::GetMsgContentInfo(job->pConnect, row.strID, content, type);
                if (!writer.AddMessage(row.strSender, row.strReceiver, row.strDate, type, content)) {
                    result = CContactHistoryJob::kTooLarge;
                    break;
                }
                job->ReportProgress(writer.GetCount());
            }
            // A cancelled export still writes what it collected.
            const bool written = writer.Finish(result != CContactHistoryJob::kTooLarge);
            if (!written && result != CContactHistoryJob::kTooLarge)
                result = CContactHistoryJob::kWriteFailed;
            job->done.store(written ? writer.GetCount() : 0);
        }
    }
    if (SUCCEEDED(hrCom))
        ::CoUninitialize();
    job->End(result);
    return 0;
}

UINT CContactHistoryTasks::DeleteMsgThreadProc(LPVOID pParam)
{
    CContactHistoryJob* job = JobOf(pParam);
    if (!job)
        return 1;
    CYqConnect* pConnect = job->pConnect;
    const size_t total = job->rows.size();
    const size_t batch = static_cast<size_t>(std::max(1, job->nBatch));
    size_t next = 0;
    CContactHistoryJob::Result result = CContactHistoryJob::kDone;
    while (next < total) {
        if (job->cancel.load()) {
            result = CContactHistoryJob::kCancelled;
            break;
        }
        // One batch: its messages leave whole (all four tables) or, when any statement fails,
        // not at all. The connection is this thread's only from here to the batch's end.
        if (!pConnect || !pConnect->BeginTrans()) {
            job->strFailure = pConnect ? pConnect->GetLastError() : CString(L"no database connection");
            result = CContactHistoryJob::kDbFailed;
            break;
        }
        const size_t end = std::min(total, next + batch);
        size_t k = next;
        bool ok = true;
        for (; k < end && !job->cancel.load(); ++k) {
            const CString& id = job->rows[k].strID;
            if (!CQorDBBaseFun::DeleteMsg(pConnect, id) || !CQorDBBaseFun::DeleteMsgAttach(pConnect, id) ||
                !CQorDBBaseFun::DeleteMsgContent(pConnect, id) || !CQorDBBaseFun::DeleteMsgRecv(pConnect, id)) {
                ok = false;
                break;
            }
        }
        if (ok) {
            ok = pConnect->CommitTrans();
            if (!ok)
                job->strFailure = pConnect->GetLastError();
        } else {
            job->strFailure = pConnect->GetLastError();
            pConnect->RollbackTrans();
        }
        if (!ok) {
            result = CContactHistoryJob::kDbFailed;
            break;
        }
        next = k;
        job->ReportProgress(static_cast<int>(next));
    }
    if (result == CContactHistoryJob::kDone && next < total)
        result = CContactHistoryJob::kCancelled;
    job->done.store(static_cast<int>(next));
    job->End(result);
    return 1;
}
