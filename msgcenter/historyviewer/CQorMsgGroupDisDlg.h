#pragma once
// CQorMsgGroupDisDlg: the history viewer (template 193), the pane of the message centre that
// shows the stored conversation with one person (peer mode) or the history of one group talk
// (talk mode), twenty messages a page, oldest first within a page, in a rich edit, with page
// buttons, a page-number edit, a page-count label and a link that deletes old history. The
// manager creates it once and places it over its pane area; a person's history is opened with
// WM_USER+114, a discussion's with OpenTalkHistory.
//
// A history keeps the mode it was opened in: paging, downloads and deletion act on that
// conversation even when the manager has switched sides since.
#include "framework/CBitmap.h"
#include "framework/CBrush.h"
#include "framework/CDialog.h"
#include "framework/CStatic.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "msgcenter/historyviewer/CHistoryDownloads.h"
#include "msgcenter/historyviewer/CLinkDataMgr.h"
#include "msgcenter/content/IAttachDownloadOwner.h"
#include "platform/QorView/CACEdit.h"
#include "platform/QorView/CASRichEdit.h"
#include "platform/QorView/CQorHyperLink.h"
#include "platform/QorView/CTransparentBkHelper.h"
#include "platform/QorView/CxButtonBase.h"

class IMsgMgrHost;

class CQorMsgGroupDisDlg : public CDialog, public CTransparentBkHelper, public IAttachDownloadOwner {
public:
    enum { IDD = 193 };
    explicit CQorMsgGroupDisDlg(CWnd* pParent = nullptr);
    ~CQorMsgGroupDisDlg() override;

    // Opening a history: count, paginate, show the last page (the newest messages).
    void OpenPeerHistory();
    void OpenTalkHistory(CString strTalkId);
    // Drops the current person: an empty history, page 1 of 1.
    void ClearPeerHistory();
    // Shows page m_page of the history as it was opened.
    void LoadPeerHistoryPage();
    void LoadTalkHistoryPage();
    void Reload();
    int CountPeerMessages();
    int CountTalkMessages();
    // Appends one message (see CHistoryRenderer); the position at which it starts.
    long RenderHistoryMessage(const CString& strSenderName, const CString& strSendDate, const std::string& body,
                              const CString& strMsgId, const CString& strAppCommand);
    BOOL GetAttachLocalPath(const CString& strMsgId, const CString& strFileName, CString& strPath);
    // The click on a link's range [start, end) as the rich edit reports it.
    void OnLinkClicked(long nStart, long nEnd);
    // Opens or downloads the file a link was drawn for.
    bool OpenOrDownloadAttachment(const CLinkDataMgr::CLinkItem& link);
    void StartDownloadPollTimer() { m_downloads.StartPollTimer(); }
    // Deletion of old history: runs the deletion dialog; a deletion reloads the page.
    void RunDeleteDialog();
    // Enter in the page edit jumps to the typed page when it is one.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL DestroyWindow() override;

    // IAttachDownloadOwner
    CWnd* GetDownloadOwnerWnd() override { return this; }
    void CancelAttachmentDownload() override { m_downloads.Cancel(); }

    bool IsPeerMode() const { return m_bPeerMode; }
    int GetPage() const { return m_page; }
    int GetPageCount() const { return m_pageCount; }
    CASRichEdit& GetView() { return m_view; }
    CLinkDataMgr& GetLinks() { return m_links; }
    CHistoryDownloads& GetDownloads() { return m_downloads; }
    CQorHyperLink& GetDeleteLink() { return m_deleteLink; }

    // The manager window; not owned. Set right after construction.
    void SetOwner(IMsgMgrHost* pOwner) { m_pOwner = pOwner; }
    // The group talk shown (talk mode), the person whose history is shown (peer mode) and the
    // signed-in user's login name.
    const CString& GetTalkId() const { return m_talkId; }
    const CString& GetPeerLogin() const { return m_peerLogin; }
    const CString& GetMyLogin() const { return m_myLogin; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg LRESULT OnShowPeerHistory(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSkinNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFileClientNotify(WPARAM wParam, LPARAM lParam);
    afx_msg void OnHistoryLinkClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnFirstPage();
    afx_msg void OnPrevPage();
    afx_msg void OnNextPage();
    afx_msg void OnLastPage();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    void InitHistoryView();
    void Open(bool bPeer);
    void ShowPage(bool bPeer);
    void RelayoutControls(int cx, int cy);
    void ShowPageNumbers();
    static void OnAttachStored(void* pContext, const CString& strMsgId, const CString& strFileName,
                               const CString& strPath);

private:
    IMsgMgrHost* m_pOwner = nullptr; // the manager window; not owned
    CString m_talkId;
    CString m_peerLogin;
    CString m_myLogin;
    CASRichEdit m_view;         // 1168
    int m_lastWidth = 0;
    int m_lastHeight = 0;
    CxButtonBase m_btnFirst;    // 1171
    CxButtonBase m_btnPrev;     // 1174
    CxButtonBase m_btnNext;     // 1175
    CxButtonBase m_btnLast;     // 1176
    CACEdit m_pageEdit;         // 1169
    CStatic m_pageCountLabel;   // 1172
    CLinkDataMgr m_links;
    int m_pageCount = 0;
    int m_page = 1;
    CQorHyperLink m_deleteLink; // 1178
    CBitmap m_placeholder;      // 11159
    bool m_bPeerMode = true;    // the mode the shown history was opened in
    CHistoryDownloads m_downloads;
    CBrush m_labelBrush;        // the pane's background under its labels; made at first use
};
