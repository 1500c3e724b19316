#pragma once
// CQorMsgTitleDlg: the upper pane of the message centre, a title over the list of messages of
// one view (received, sent, waiting for a receipt, a search, the conversation with a person,
// a user folder). The list is owner-data: the pane counts the view's rows, tells the list the
// count and fetches only the rows the list asks for (CTitleListCache). Selecting a row shows
// it below (through the owner); the pane also sorts by column, opens a chat with the sender,
// the read receipts, and deletes and exports the selected rows (CTitleListTasks) as a long
// task with the waiting dialog.
#include "framework/CDialog.h"
#include "framework/CImageList.h"
#include "controls/CWqMsgListCtrl.h"
#include "msgcenter/titlelist/CMsgListLayout.h"
#include "msgcenter/titlelist/CMsgTaskWaiting.h"
#include "msgcenter/titlelist/CTitleListCache.h"
#include "platform/QorView/CLabel.h"
#include "platform/QorView/CTransparentBkHelper.h"
#include <vector>

class CWaitingDlg;
class IMsgTitleOwner;

class CQorMsgTitleDlg : public CDialog, public CTransparentBkHelper {
    friend class CTitleListTasks;
public:
    explicit CQorMsgTitleDlg(CWnd* pParent = nullptr);
    ~CQorMsgTitleDlg() override;

    // The pane that holds the list; not owned. Set after creation.
    void SetOwner(IMsgTitleOwner* pOwner) { m_pBasePane = pOwner; }
    // The search flag handed on with every shown row (1 while search results are shown).
    void SetSearchFlag(BYTE bSearch) { m_bSearch = bSearch; }

    BOOL DestroyWindow() override;

// Views; each false when its first statement cannot run (and for a search without hits)
    bool LoadFolderMsg(int nFolder);
    bool LoadReadStateMsg();
    bool SearchMessages(const CString& strText, const CString& strPersons, const CString& strFirstDay,
                        const CString& strLastDay);
    bool LoadTalkHistory(const CString& strPeer);
    bool LoadUserFolder(const CString& strName);

// Selected rows
    bool ExportSelected(int nFlag);
    bool DeleteSelected(bool bConfirm);
    // Stops a running deletion or export at its next poll; true.
    bool CancelLongTask();
    bool IsLongTaskRunning() const { return m_bBusy; }

// Rows
    // Fetches rows nFrom..nTo of the view into the cache (one query).
    bool CacheMsgTitleData(int nFrom, int nTo);
    int GetTotal() const { return m_cache.GetTotal(); }
    const _MSGITEM* GetCachedRow(int nIndex) const { return m_cache.Slot(nIndex); }
    const CString& GetBaseQuery() const { return m_strBaseQuery; }
    // Whether the database still holds the view's rows as the list shows them: a view listed
    // whole always does; a paged one as long as its count is the list's (a message stored or
    // deleted since it was loaded moves the rows that the list has not read yet).
    bool IsViewCurrent() const;
    int GetSortColumn() const { return m_nSortColumn; }
    bool IsSortDescending() const { return m_bDescending; }
    // How many rows the last deletion or export handled.
    int GetLastTaskCount() const { return m_nLastTaskCount; }

// Long task (waiting dialog, manager disabled)
    void StartLongTask(const CString& strCaption);
    void SetLongTaskRange(int nCount);
    void SetLongTaskPos(int nPos);
    void EndLongTask();
    CWaitingDlg* GetWaitingDlg() const { return m_wait.Get(); }

// Controls, for the panes around it and for tests that drive them
    CWqMsgListCtrl& GetList() { return m_list; }
    CLabel& GetLabel() { return m_label; }

// Export limits
    // The most characters one export may hold (the hidden rich edit's limit).
    void SetExportTextLimit(long nLimit) { m_nExportTextLimit = nLimit; }
    // Bytes after which writing the export fails as a full disk would (-1: never); for tests.
    void SetExportWriteLimit(long long llLimit) { m_llExportWriteLimit = llLimit; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override {}
    void OnCancel() override {}
    // Asks where to export; false when the user cancels. Tests answer without a dialog.
    virtual bool ChooseExportPath(CString& strPath);

    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCacheHint(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnReplyByChat();
    afx_msg void OnReadState();
    afx_msg void OnDeleteCommand();
    afx_msg void OnExportCommand();
    afx_msg LRESULT OnWaitingCancel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLongTaskEnd(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSortColumn(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPostedKeyDown(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    // Shared steps of the paged views: label, count, item count, base query.
    bool LoadPagedView(UINT nLabelId, const CString& strCount, const CString& strBase, bool bKeepRange);
    void SetLabelText(const CString& strText);
    void SelectAll();
    void ClearSelection();
    // The selected rows in list order.
    std::vector<int> GetSelectedRows() const;
    // The row at the selection mark, copied; false when there is none.
    bool GetMarkedRow(_MSGITEM& item) const;
    void OpenReadState(const CString& strID);

    CWqMsgListCtrl m_list;
    CLabel m_label;
    long m_nExportTextLimit = 0xFFFFFF;
    long long m_llExportWriteLimit = -1;
    IMsgTitleOwner* m_pBasePane = nullptr; // not owned
    CImageList m_imageList;
    CString m_strBaseQuery;
    CString m_strCountQuery;               // the count statement of the paged view shown
    BYTE m_bCancel = 0;
    bool m_bBusy = false;
    CMsgTaskWaiting m_wait;                // the waiting dialog while a long task runs
    CString m_strExportPath;
    CTitleListCache m_cache;
    // The user-folder view holds all its rows in the cache and never re-queries.
    bool m_bStaticView = false;
    int m_nSortColumn = -1;
    bool m_bDescending = false;
    CMsgListLayout m_layout;
    BYTE m_bSearch = 0;
    int m_nLastTaskCount = 0;
};
