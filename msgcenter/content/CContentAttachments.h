#pragma once
// The content pane's attachments: the list's menu, opening a file or its folder, saving, handing
// a file to the main window's sending, and getting a file that is not on disk, by the message's
// attachment source: the view library's download (0), a file transfer named by the KTF body
// with the download progress dialog (1), or not at all (2). It keeps the one transfer of the
// pane: its query id, GUID, kind, size and target, the poll timer feeding the progress dialog,
// and the removal of a cancelled transfer's partial file, which belongs to that transfer only.
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include "platform/QorView/CFileQueryID.h"

class IAttachmentsPane;
class CDownloadAttachProcessDlg;
class CMenu;
struct _ATTACH_ITEM;

class CContentAttachments {
public:
    enum { kPollTimer = 3, kPollMs = 1000 };
    enum { kSourceDownload = 0, kSourceTransfer = 1, kSourceUnavailable = 2 };

    explicit CContentAttachments(IAttachmentsPane* pPane) : m_pPane(pPane) {}
    ~CContentAttachments();

    bool OpenAttachment(const CString& strMsgID, const CString& strFileName, const CString& strLocalPath);
    bool DownloadAttachment(const CString& strMsgID, const CString& strFileName);
    bool TransferBodyFile(const CString& strMsgID, CString strFolder, const CString& strFileName);
    bool ChooseSaveTarget(CString& strFolder, CString& strFileName);
    void StartDownloadPoll();
    void CancelAttachTransfer();

    // Handlers
    void OnAttachRClick();
    void OnAttachOpen();
    void OnOpenAttachFolder();
    void OnAttachSaveAs();
    void OnForwardAttachment();
    void OnSendAttachToContact(UINT nID);
    // True when the tick was the poll timer's.
    bool OnTimer(UINT_PTR nIDEvent);
    void OnAttachDownloaded(const _ATTACH_ITEM* pItem);
    void OnAttachDownloadFailed(const CString* pName);
    void OnFileClientNotify(int nCode, void* pRecord);

    // Fills a menu's recent-contact pop-up from the view library's text "id,name;id,name";
    // entries without an id or a name are skipped; the last entry ends on top.
    void FillRecentContacts(CMenu* pContacts, const CString& strText);

    // State, for the pane and for tests
    const CStringArray& RecentIds() const { return m_arrRecentIds; }
    const CStringArray& RecentNames() const { return m_arrRecentNames; }
    bool IsDeletePending() const { return m_bDeletePending != 0; }
    const CString& GetTargetPath() const { return m_strTargetPath; }
    const CString& GetTransferGuid() const { return m_strTransferGuid; }
    UINT_PTR GetPollTimer() const { return m_nPollTimer; }
    CDownloadAttachProcessDlg* GetProgressDlg() const { return m_pProgressDlg; }
    // The progress dialog's last result (IDOK done, IDCANCEL cancelled, IDABORT failed).
    INT_PTR GetLastTransferResult() const { return m_nLastResult; }

    // The save dialog (a test answers it instead): the default extension without "*.", the
    // name proposed, the filter; false when cancelled, else the chosen path.
    using SaveDialogHook = bool (*)(const CString& strDefExt, const CString& strName, const CString& strFilter,
                                    CString& strPath);
    static void SetSaveDialogHook(SaveDialogHook hook);

private:
    // The selected row (the list's selection mark); null when none.
    const _ATTACH_ITEM* SelectedRow();
    void SendSelectedFile(const CStringArray& arIds, const CStringArray& arNames, WPARAM wQuickSend);
    UINT FirstSourceKind(const CString& strMsgID, bool& bHaveKind);
    void OpenFolderOf(const CString& strPath);
    // The row of a message's file (id with case, name without); -1 when none.
    int FindRow(const CString& strMsgID, const CString& strName) const;
    int Ask(UINT nTextId, const CString& strArg, UINT nCaptionId, bool bQuestion);
    void EndProgress(INT_PTR nResult);

    IAttachmentsPane* m_pPane; // the content pane; not owned
    CStringArray m_arrRecentIds;
    CStringArray m_arrRecentNames;
    CDownloadAttachProcessDlg* m_pProgressDlg = nullptr; // owned; kept after its run
    UINT_PTR m_nPollTimer = 0;
    BYTE m_bDeletePending = 0;
    // The partial file a cancelled transfer left, and its kind; set when that transfer is
    // cancelled, so a later transfer's target is never taken for it.
    CString m_strDeletePath;
    int m_nDeleteKind = 0;
    CFileQueryID m_queryId;
    CString m_strTransferGuid;
    int m_nTransferKind = 0;
    LONGLONG m_llTotalSize = 0;
    CString m_strTargetPath;
    bool m_bTransferRunning = false;
    INT_PTR m_nLastResult = 0;
    // "Open folder" of a file not on disk waits for its download and then opens its folder.
    CString m_strOpenFolderMsgID;
    CString m_strOpenFolderName;
};
