#pragma once
// CQorMsgTitleExDlg: the contact-history list that the base pane shows in place of the title
// list (template 15034): the messages exchanged with one contact from one day before to two
// days after one message, newest first, with that message selected. From it a message is shown
// below, answered by chat, its receipts listed, and the selection exported to RTF or deleted;
// the export and the deletion run on a worker thread (CContactHistoryTasks) behind the waiting
// dialog, and the return link brings the title list back.
//
// The window is never destroyed under a running worker: destruction stops the worker and waits
// for it first.
#include "framework/CBrush.h"
#include "framework/CDialog.h"
#include "framework/CImageList.h"
#include "framework/CString.h"
#include "framework/CWinThread.h"
#include "framework/MessageMap.h"
#include "controls/CWqMsgListCtrl.h"
#include "msgcenter/contacthistory/CContactHistoryJob.h"
#include "msgcenter/titlelist/CMsgListLayout.h"
#include "msgcenter/titlelist/CMsgTaskWaiting.h"
#include "platform/QorView/CLabel.h"
#include "platform/QorView/CQorHyperLink.h"
#include <memory>

class CWaitingDlg;
class IContactHistoryOwner;

class CQorMsgTitleExDlg : public CDialog {
public:
    enum { IDD = 15034 };
    explicit CQorMsgTitleExDlg(CWnd* pParent = nullptr);
    ~CQorMsgTitleExDlg() override;

    // The messages exchanged with one contact around one message's date (the stored send date).
    // Refused while an export or deletion runs, whose rows the list holds.
    void LoadContactHistoryByDate(const CString& strMsgId, const CString& strSendDate, const CString& strPeerLogin);
    // Inserts one row at the top.
    void AddHistoryRow(const CString& strID, int nAttachCount, int nReadState, const CString& strSenderName,
                       const CString& strSubject, const CString& strSendDate, const CString& strRecvName, int nFlags);
    void ShowSelectedMessage(const CString& strID);
    void SetupColumns();

// Export and deletion of the selected rows (worker thread, waiting dialog)
    void StartExport(int nIgnored);
    void StartDelete(bool bAsk);
    // Stops a running worker and waits for it, handling this thread's messages meanwhile; false.
    bool CancelLongTask();
    bool IsBusy() const { return m_bBusy != 0; }
    CContactHistoryJob* GetJob() const { return m_pJob.get(); }
    // How many rows the last finished export or deletion handled, and how it ended.
    int GetLastTaskCount() const { return m_nLastTaskCount; }
    int GetLastTaskResult() const { return m_nLastTaskResult; }
    CWaitingDlg* GetWaitingDlg() const { return m_wait.Get(); }

    void ShowWaitDialog(const CString& strText);
    void SetWaitRange(int nCount);
    void SetWaitPos(int nPos);
    void CloseWaitDialog();

    static UINT ExportHistoryThreadProc(LPVOID pParam);
    static UINT DeleteMsgThreadProc(LPVOID pParam);

    // The owning base pane; not owned. Set after creation.
    void SetOwner(IContactHistoryOwner* pOwner) { m_pBaseDlg = pOwner; }

// Controls, for tests that drive them
    CWqMsgListCtrl& GetList() { return m_list; }
    CLabel& GetLabel() { return m_label; }
    CQorHyperLink& GetLink() { return m_link; }

// Messages per deletion batch, the export's character limit and a write limit that fails as a
// full disk (-1: never); for tests.
    void SetDeleteBatch(int nBatch) { m_nDeleteBatch = nBatch; }
    int GetDeleteBatch() const { return m_nDeleteBatch; }
    void SetExportTextLimit(long nLimit) { m_nExportTextLimit = nLimit; }
    void SetExportWriteLimit(long long llLimit) { m_llExportWriteLimit = llLimit; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    // Asks where to export; false when the user cancels. Tests answer without a dialog.
    virtual bool ChooseExportPath(CString& strPath);

    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListDblClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDestroy();
    afx_msg void OnReplyByChat();
    afx_msg void OnReadState();
    afx_msg void OnDeleteCommand();
    afx_msg void OnExportCommand();
    afx_msg LRESULT OnWaitingCancel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTaskEnd(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTaskProgress(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLinkClicked(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The selected rows that carry an id, in list order, with the texts the export writes.
    void CollectSelectedRows(CContactHistoryJob& job) const;
    bool StartWorker(std::unique_ptr<CContactHistoryJob> job, UINT nWaitText, AFX_THREADPROC pfnProc);
    // Waits for the worker thread to end; with bPump this thread's messages are handled meanwhile.
    void WaitForWorker(bool bPump);
    // Takes what the worker has done so far into the list and the waiting dialog.
    void TakeProgress();
    // Removes the rows of the deletion's first nUpTo messages that are still in the list.
    void RemoveDeletedRows(int nUpTo);
    // After the worker has ended: the list, the waiting dialog, the manager window and the note.
    void FinishTask(bool bReport);
    void ReportTask(const CContactHistoryJob& job);
    CString RowId(int nRow) const;
    CWnd* ManagerWindow() const;

    IContactHistoryOwner* m_pBaseDlg = nullptr; // the owning base pane; not owned
    CWqMsgListCtrl m_list;                      // control 15021; item data = Col_ID
    CLabel m_label;                             // control 1010
    CQorHyperLink m_link;                       // control 1160: back to the title list
    CQorMsgTitleExDlg* m_pSelf = nullptr;
    int m_nDeleteBatch = 250;
    long m_nExportTextLimit = 0xFFFFFF;
    long long m_llExportWriteLimit = -1;
    CImageList m_imageList;
    CBrush m_bandBrush; // the statics' ground; made at first use
    CMsgListLayout m_layout;
    BYTE m_bBusy = 0;
    BYTE m_bCancel = 0;
    CString m_strExportPath;
    CWinThread* m_pWorker = nullptr; // owned; kept after its end until the next start or cancel
    CMsgTaskWaiting m_wait;
    std::unique_ptr<CContactHistoryJob> m_pJob;
    int m_nRowsRemoved = 0; // rows of the running deletion already taken out of the list
    bool m_bRemovingRows = false;
    int m_nLastTaskCount = 0;
    int m_nLastTaskResult = CContactHistoryJob::kRunning;
};
