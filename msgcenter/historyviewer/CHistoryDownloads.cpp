#include "msgcenter/historyviewer/CHistoryDownloads.h"
#include "common/CSafeFileName.h"
#include "common/CShellRun.h"
#include "framework/FormatString.h"
#include "msgcenter/content/CDownloadAttachProcessDlg.h"
#include "msgcenter/historyviewer/CHistoryRenderer.h"
#include "msgcenter/historyviewer/CHistoryStore.h"
#include "msgcenter/ktf/CKTFFile.h"
#include "msgcenter/ktf/CKTFMgr.h"
#include "platform/FileClient/FileClientApi.h"
#include "platform/FileClient/FileClientTransfer.h"
#include "platform/FileTransfer/Utilities.h"
#include "platform/QorResource/HistoryResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorFolderItem.h"
#include "platform/QorView/QorMessageBox.h"

namespace {

// A partial target that cannot be removed is tried again on later ticks, but not for ever.
const int kDeleteTries = 60;

bool Exists(const CString& path)
{
    return !path.IsEmpty() && ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

bool SameGuid(const GUID& guid, const CString& strMsgId)
{
    GUID pending;
    return !strMsgId.IsEmpty() && Utilities::StrToGuid(strMsgId, pending) && ::IsEqualGUID(guid, pending);
}

} // namespace

CHistoryDownloads::CHistoryDownloads(CWnd& viewer, IAttachDownloadOwner& owner) : m_viewer(viewer), m_owner(owner) {}

CHistoryDownloads::~CHistoryDownloads() = default;

CString CHistoryDownloads::DefaultSavePath(const CString& strFileName)
{
    return CSafeFileName::FreePath(CQorViewBaseFun::GetMyDataSavePathInfo(), CSafeFileName::Clean(strFileName),
                                   FILECLIENT_PARTIAL_SUFFIX);
}

bool CHistoryDownloads::OpenOrDownload(bool bPeer, const CString& strMsgId, const CString& strLocalPath,
                                       const CString& strFileName, int nIndex)
{
    if (Exists(strLocalPath)) {
        CShellRun::Execute(m_viewer.GetSafeHwnd(), L"open", strLocalPath, nullptr, nullptr, SW_SHOWNORMAL);
        return true;
    }
    if (strMsgId.IsEmpty())
        return false;
    std::string body;
    if (!CHistoryStore::GetBody(bPeer, strMsgId, body))
        return false;
    CKTFMgr ktf;
    if (!ktf.Parse(CHistoryRenderer::DecodeBody(body), false))
        return false;
    // The file the link was drawn for: its place among the body's files, checked by its name.
    const CKTFFile* file = nullptr;
    int index = 0;
    for (CKTFItem* item : ktf.items) {
        if (item->kind != CKTFItem::KIND_FILE)
            continue;
        const CKTFFile* candidate = static_cast<const CKTFFile*>(item);
        if (index++ == nIndex && candidate->name == strFileName) {
            file = candidate;
            break;
        }
    }
    if (!file)
        for (CKTFItem* item : ktf.items)
            if (item->kind == CKTFItem::KIND_FILE && static_cast<const CKTFFile*>(item)->name == strFileName) {
                file = static_cast<const CKTFFile*>(item);
                break;
            }
    if (!file)
        return false;
    CString shortKey = file->text.GetLength() > 32 ? file->text.Right(32) : file->text;
    if (shortKey.IsEmpty() || (file->type != 1 && file->type != 2))
        return false;

    CString target = strLocalPath.IsEmpty() ? DefaultSavePath(file->name) : strLocalPath;
    ::CreateDirectoryW(CQorViewBaseFun::GetPathName(target), nullptr);
    BOOL started = CQorViewMgr::Instance()->DownloadAttach(file->fshost, file->type == 1 ? shortKey : file->text,
                                                            file->type, m_viewer.GetSafeHwnd(), strMsgId, target,
                                                            &m_queryId);
    // A new download starts from a clean state: nothing of the last one is deleted or completed.
    m_downloadMsgId = strMsgId;
    m_downloadFileName = file->name;
    m_downloadKind = file->type;
    m_downloadTotal = file->size;
    m_downloadPath = target;
    m_downloadPeer = bPeer;
    m_deletePending = false;
    m_complete = false;
    m_deleteTries = 0;
    if (!started) {
        Failed(file->name, false);
        return false;
    }

    m_pProgressDlg.reset(new CDownloadAttachProcessDlg(&m_viewer));
    m_pProgressDlg->SetViewer(&m_owner);
    StartPollTimer();
    INT_PTR result = m_pProgressDlg->DoModal();
    if (result != IDOK && !m_complete) {
        // A transfer that finished while the dialog was closing keeps its file.
        FiileItem_Info* info = AllocFileItem_Info();
        bool done = info && m_downloadKind == 1 &&
                    CQorViewMgr::Instance()->GetDownloadFileInfo(&m_queryId, info) == 0 &&
                    info->nState == FILEITEM_STATE_DONE;
        bool failed = info && m_downloadKind == 1 && info->nState == FILEITEM_STATE_FAILED;
        FreeFileItem_Info(info);
        m_deletePending = !done && !failed;
    }
    return true;
}

void CHistoryDownloads::StartPollTimer()
{
    if (m_pollTimer == 0 && m_viewer.GetSafeHwnd())
        m_pollTimer = ::SetTimer(m_viewer.GetSafeHwnd(), kPollTimer, kPollMs, nullptr);
}

void CHistoryDownloads::Cancel()
{
    CQorViewMgr::Instance()->CancelDownload(&m_queryId, m_viewer.GetSafeHwnd(), Utilities::StrToGuid(m_downloadMsgId),
                                            m_downloadKind, 0);
}

bool CHistoryDownloads::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != m_pollTimer || m_pollTimer == 0)
        return false;
    if (m_deletePending) {
        if (m_complete || m_downloadPath.IsEmpty() || ++m_deleteTries > kDeleteTries) {
            m_deletePending = false;
            return true;
        }
        // Only the transfer's own partial file: the target itself was never the transfer's
        // unless it completed, and a completed transfer keeps its file.
        const CString part = m_downloadPath + FILECLIENT_PARTIAL_SUFFIX;
        BOOL removed = m_downloadKind == 1 ? ::DeleteFileW(part) : m_downloadKind == 2 ? ::RemoveDirectoryW(part) : TRUE;
        DWORD error = removed ? 0 : ::GetLastError();
        if (removed || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            m_deletePending = false;
        return true;
    }
    if (!m_queryId.IsSet())
        return true;
    CDownloadAttachProcessDlg* dlg = m_pProgressDlg.get();
    if (m_downloadKind == 1) {
        FiileItem_Info* info = AllocFileItem_Info();
        if (info && CQorViewMgr::Instance()->GetDownloadFileInfo(&m_queryId, info) != -1 && dlg) {
            // The size the server announced is the truth; the message's own size stands in
            // while the server has not said.
            LONGLONG total = info->llFileSize > 0 ? info->llFileSize : m_downloadTotal;
            if (info->nState == FILEITEM_STATE_RUNNING)
                dlg->UpdateProgress(info->llBytesDone, total);
            // An end whose event came before the dialog could take it still closes the dialog.
            else if (info->nState == FILEITEM_STATE_DONE && m_complete)
                dlg->CompleteDownload();
            else if (info->nState == FILEITEM_STATE_FAILED && dlg->GetSafeHwnd())
                dlg->EndDialog(IDABORT);
        }
        FreeFileItem_Info(info);
    } else if (m_downloadKind == 2) {
        QorFolderItem item;
        if (CQorViewMgr::Instance()->GetDownloadFolderInfo(&m_queryId, item) != -1 && dlg &&
            item.nState == FILEITEM_STATE_RUNNING)
            dlg->UpdateProgress(item.llBytesDone, m_downloadTotal);
    }
    return true;
}

void CHistoryDownloads::Failed(const CString& strName, bool bPending)
{
    if (bPending && m_pProgressDlg && m_pProgressDlg->GetSafeHwnd())
        m_pProgressDlg->EndDialog(IDABORT);
    CString text;
    AfxFormatString1(text, IDS_DOWNLOAD_FAILED, strName);
    QorMessageBox(text, LoadText(IDS_MSGBOX_CAPTION), &m_viewer, MB_OK, MB_ICONWARNING, 0, 0);
}

void CHistoryDownloads::Finished(const CString& strMsgId, const CString& strName, const CString& strPath,
                                 LONGLONG llDone, bool bPending)
{
    if (bPending) {
        m_complete = true;
        m_deletePending = false;
        if (m_pProgressDlg && m_pProgressDlg->GetSafeHwnd()) {
            m_pProgressDlg->UpdateProgress(llDone, llDone);
            m_pProgressDlg->CompleteDownload();
        }
    }
    // Only a file that is really there is recorded as the attachment's local copy.
    if (!Exists(strPath))
        return;
    CString text;
    AfxFormatString1(text, IDS_DOWNLOAD_DONE_OPEN, strName);
    CWqCriticalSection::Owner lock(CQorViewMgr::Instance()->m_csAttach);
    CHistoryStore::SetAttachLocalPath(m_downloadPeer, strMsgId, strName, strPath);
    if (m_pfnStored)
        m_pfnStored(m_pStoredContext, strMsgId, strName, strPath);
    if (QorMessageBox(text, LoadText(IDS_MSGBOX_CAPTION), &m_viewer, MB_OKCANCEL, MB_ICONQUESTION, 0, 0) == IDOK)
        CShellRun::Execute(nullptr, L"open", strPath, nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT CHistoryDownloads::OnFileClientNotify(WPARAM wParam, LPARAM lParam)
{
    if (!lParam)
        return 0;
    const int code = static_cast<int>(wParam);
    if (code == FCN_FILE_DONE || code == FCN_FILE_FAILED) {
        const FiileItem_Info* info = reinterpret_cast<const FiileItem_Info*>(lParam);
        bool pending = m_downloadKind == 1 && SameGuid(info->guidTransfer, m_downloadMsgId);
        CString name = pending ? m_downloadFileName : CString(info->strFileName);
        if (code == FCN_FILE_DONE)
            Finished(pending ? m_downloadMsgId : Utilities::GuidToStr(info->guidTransfer), name,
                     CString(info->strLocalPath), info->llBytesDone, pending);
        else
            Failed(name, pending);
    } else if (code == FCN_FOLDER_DONE || code == FCN_FOLDER_FAILED) {
        const QorFolderItem* item = reinterpret_cast<const QorFolderItem*>(lParam);
        bool pending = m_downloadKind == 2 && SameGuid(item->guidTransfer, m_downloadMsgId);
        CString name = pending ? m_downloadFileName : item->strFolderName;
        if (code == FCN_FOLDER_DONE)
            Finished(pending ? m_downloadMsgId : Utilities::GuidToStr(item->guidTransfer), name, item->strLocalPath,
                     item->llBytesDone, pending);
        else
            Failed(name, pending);
    }
    return 0;
}
