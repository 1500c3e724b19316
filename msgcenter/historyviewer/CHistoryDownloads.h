#pragma once
// CHistoryDownloads: the history viewer's attachment downloads. A click on a file link opens
// the file when it is on disk; otherwise the file that link was drawn for (found in the
// message's body by its place and name) is fetched through the view library into its stored
// path, or into the save folder when none is stored, while the progress dialog runs modally.
// The download counts as complete only when the transfer reports its end; then its path is
// stored (it names a file that exists) and the user may open it. A cancelled transfer's partial
// file is removed on the next poll tick; the target itself never is.
#include "framework/CString.h"
#include "platform/QorView/CFileQueryID.h"
#include <memory>

class CWnd;
class CDownloadAttachProcessDlg;
class IAttachDownloadOwner;
struct FiileItem_Info;

class CHistoryDownloads {
public:
    // The viewer's window is the transfers' notify window and the dialogs' parent; not owned.
    CHistoryDownloads(CWnd& viewer, IAttachDownloadOwner& owner);
    ~CHistoryDownloads();

    // Poll timer id and period.
    static const UINT_PTR kPollTimer = 3;
    static const UINT kPollMs = 1000;

    // Opens or downloads the nIndex-th file item (named strFileName) of the message; bPeer says
    // which table holds the message. False when nothing was opened or started.
    bool OpenOrDownload(bool bPeer, const CString& strMsgId, const CString& strLocalPath, const CString& strFileName,
                        int nIndex);
    void StartPollTimer();
    void Cancel();
    // WM_TIMER: true when it was the poll timer.
    bool OnTimer(UINT_PTR nIDEvent);
    // "WM_FILE_CLIENT_NOTIFY".
    LRESULT OnFileClientNotify(WPARAM wParam, LPARAM lParam);
    // Where a file named by someone else's message is saved when no path is stored: its name
    // made safe, in the save folder, numbered when that name or its partial file is taken.
    static CString DefaultSavePath(const CString& strFileName);

    // The pending download (the last one started).
    const CFileQueryID& GetQueryId() const { return m_queryId; }
    const CString& GetPath() const { return m_downloadPath; }
    bool IsDeletePending() const { return m_deletePending; }
    bool IsComplete() const { return m_complete; }
    UINT_PTR GetPollTimer() const { return m_pollTimer; }
    CDownloadAttachProcessDlg* GetProgressDlg() const { return m_pProgressDlg.get(); }
    // Called with the new path after a finished download was stored (the viewer updates its links).
    void (*m_pfnStored)(void* pContext, const CString& strMsgId, const CString& strFileName, const CString& strPath) =
        nullptr;
    void* m_pStoredContext = nullptr;

private:
    void Finished(const CString& strMsgId, const CString& strName, const CString& strPath, LONGLONG llDone,
                  bool bPending);
    void Failed(const CString& strName, bool bPending);

    CWnd& m_viewer;
    IAttachDownloadOwner& m_owner;
    CFileQueryID m_queryId;
    CString m_downloadMsgId;
    CString m_downloadFileName;
    int m_downloadKind = 0;
    LONGLONG m_downloadTotal = 0;
    CString m_downloadPath;
    bool m_downloadPeer = false;
    bool m_deletePending = false;
    bool m_complete = false;
    int m_deleteTries = 0;
    UINT_PTR m_pollTimer = 0;
    std::unique_ptr<CDownloadAttachProcessDlg> m_pProgressDlg;
};
