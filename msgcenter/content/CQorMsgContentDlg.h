#pragma once
// CQorMsgContentDlg: the lower pane of the message centre. It shows one stored message: who it
// went to, its body from the local database (RTF, KTF or UTF-8 text) in a read-only rich text
// view, an inline picture or the list of attachments at the right, and four action links
// (conversation, reply by chat, write to the recipients, who has read it). It also prints the
// message and offers the text view's copy and select-all. What it does with attachments
// (open, save, open folder, send on, downloads and their events) is CContentAttachments'.
#include "framework/CDialog.h"
#include "framework/CStringArray.h"
#include "framework/CToolTipCtrl.h"
#include "controls/CAttachListCtrl.h"
#include "controls/CLinkText.h"
#include "msgcenter/content/CContentAttachments.h"
#include "msgcenter/content/IAttachmentsPane.h"
#include "platform/QorView/CASRichEdit.h"
#include "platform/QorView/CQorHyperLink.h"
#include "platform/QorView/CTransparentBkHelper.h"

class IMsgContentOwner;

class CQorMsgContentDlg : public CDialog, public CTransparentBkHelper, public IAttachmentsPane {
public:
    enum { kInlinePictures = 0x40000, kRtfNoEmoticons = 0x200000, kMaxReceiverChars = 999 };

    explicit CQorMsgContentDlg(CWnd* pParent = nullptr);
    ~CQorMsgContentDlg() override;

    // The pane that holds this one; not owned. Set after creation.
    void SetOwner(IMsgContentOwner* pOwner) { m_pOwner = pOwner; }
    IMsgContentOwner* GetOwner() const override { return m_pOwner; }

    BOOL DestroyWindow() override;

    void ShowMessageContent(CString strMsgID, CString strSenderName, CString strSendDate, CString strReceivers,
                            bool bHasAttach, int nFlags, bool bFromSearch);
    void ClearMessageContent();
    const CString& GetMessageID() const override { return m_strMsgID; }
    const CString& GetSenderName() const override { return m_strSenderName; }
    const CString& GetReceiverText() const { return m_strTooltip; }
    void ShowAttachList(bool bShow);
    void LayoutControls();

    // The message actions of the links (they act only on a message that still exists).
    void ShowConversation();
    void ReplyByChat();
    void WriteToRecipients();
    void ShowReadState();

// Attachments (the work is CContentAttachments')
    bool OpenAttachment(const CString& strMsgID, const CString& strFileName, const CString& strLocalPath)
    {
        return m_attach.OpenAttachment(strMsgID, strFileName, strLocalPath);
    }
    bool DownloadAttachment(const CString& strMsgID, const CString& strFileName)
    {
        return m_attach.DownloadAttachment(strMsgID, strFileName);
    }
    bool TransferBodyFile(const CString& strMsgID, CString strFolder, const CString& strFileName)
    {
        return m_attach.TransferBodyFile(strMsgID, strFolder, strFileName);
    }
    void StartDownloadPoll() { m_attach.StartDownloadPoll(); }
    void CancelAttachTransfer() { m_attach.CancelAttachTransfer(); }
    CContentAttachments& Attachments() { return m_attach; }

    // IAttachDownloadOwner: the progress dialog's Cancel.
    CWnd* GetDownloadOwnerWnd() override { return this; }
    void CancelAttachmentDownload() override { CancelAttachTransfer(); }

// Controls, for the attachments and for tests that drive them
    CWnd* GetPaneWnd() override { return this; }
    CASRichEdit& GetRichText() { return m_richText; }
    CLinkText& GetReceivers() { return m_receivers; }
    CAttachListCtrl& GetAttachList() override { return m_attachList; }
    CQorHyperLink& GetLinkConversation() { return m_linkConversation; }
    CQorHyperLink& GetLinkReply() { return m_linkReply; }
    CQorHyperLink& GetLinkWrite() { return m_linkWrite; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnLinkClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAttachDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAttachRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAttachBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAttachOpen();
    afx_msg void OnOpenAttachFolder();
    afx_msg void OnAttachSaveAs();
    afx_msg void OnForwardAttachment();
    afx_msg void OnSendAttachToContact(UINT nID);
    afx_msg void OnPrintMessage();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnAttachDownloaded(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAttachDownloadFailed(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSkinNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFileClientNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTextMenu(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Opens an address the way the user's system does (ShellExecute); tests record instead.
    void ShellOpen(const CString& strFile, const CString& strParameters) override;

private:
    void ShowBody(const CString& strContentType, const char* pszContent, int& nFlags);
    void ShowAttachments(bool bHasAttach, int nFlags);
    LRESULT ShowTextMenu(CPoint point);
    // True when the shown message is still in the database.
    bool ShownMessageExists() const;

    CASRichEdit m_richText;
    CLinkText m_receivers;
    CAttachListCtrl m_attachList;
    CQorHyperLink m_linkConversation;
    CQorHyperLink m_linkReply;
    CQorHyperLink m_linkWrite;
    CQorHyperLink m_linkReadState;
    IMsgContentOwner* m_pOwner = nullptr; // not owned
    CString m_strMsgID;
    BYTE m_bFromSearch = 0;
    CString m_strSendDate;
    CString m_strSenderName;
    CString m_strReceivers;
    CToolTipCtrl m_tooltip;
    CString m_strTooltip;
    CContentAttachments m_attach;
};
