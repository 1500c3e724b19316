#pragma once
// CQorMsgMeetingDlg: the group-talk pane of the message centre (template 173), laid over the
// manager's pane area. Above a splitter the talks of one kind; below it the messages of the
// selected talk, newest first, with the talk's attachments in a narrow list at their right.
// The user deletes talks, opens or saves an attachment and shows a saved one in its folder.
//
// The window keeps the controls, the layout, the painting and the menus; the talk list, the
// rendering of a talk and the attachments' actions live in three collaborators beside it, and
// the operations below are short forwarders to them.
#include "controls/CAttachListCtrl.h"
#include "controls/CWqMsgListCtrl.h"
#include "framework/CDialog.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "msgcenter/grouptalk/CMeetingAttachments.h"
#include "msgcenter/grouptalk/CMeetingHistory.h"
#include "msgcenter/grouptalk/CMeetingTalkList.h"
#include "msgcenter/grouptalk/IMeetingPane.h"
#include "platform/QorView/CASRichEdit.h"
#include "platform/QorView/CLabel.h"
#include "platform/QorView/CxSplitterWnd.h"

class CDC;
class CMenu;
class IMsgMgrHost;

class CQorMsgMeetingDlg : public CDialog, public IMeetingPane {
public:
    enum { IDD = 173 };
    explicit CQorMsgMeetingDlg(CWnd* pParent = nullptr);
    ~CQorMsgMeetingDlg() override;

// The talk list
    // Fills the list with the talks of the current kind; false when the query failed (the list
    // is empty then).
    bool LoadTalkList();
    void SetupTalkColumns();
    // Asks, then deletes every selected talk, each in a transaction of its own; a talk leaves
    // the list only when its deletion was committed, and the user hears of those that stayed.
    void DeleteSelectedTalks();
    // The Col_Type of the talks the list shows (1 after construction), and a second kind listed
    // after them with the same columns (0: none; the manager's discussion root lists both kinds
    // of discussion, as its tree does); takes effect at the next LoadTalkList.
    void SetTalkKind(int nKind, int nSecondKind = 0) { m_talks.SetKind(nKind, nSecondKind); }
    int GetTalkKind() const { return m_talks.GetKind(); }

// The selected talk
    void LoadTalkMessages(const CString& strTalkId);
    // One message at the end of the history view; nothing for a null body.
    void AppendTalkEntry(const CString& strSenderName, const CString& strSendDate, const char* pszBody);
    void ShowAttachList(bool bShow) override;

// Attachments
    bool OpenTalkAttachment(const CString& strMsgId, const CString& strFileName, const CString& strLocalPath);
    bool SaveTalkAttachment(const CString& strMsgId, const CString& strFileName);
    bool ChooseAttachTarget(CString& strFolder, CString& strFileName);
    // The attachment menu for one row: open and show-in-folder while its file is on disk, save
    // while it is not. False when the menu cannot be loaded.
    bool BuildAttachMenu(int nRow, CMenu& menu, CMenu** ppPopup);
    // The history view's menu with its greyed items; false when it cannot be loaded.
    bool BuildHistoryMenu(CMenu& menu, CMenu** ppPopup);

    // First lets the view library forget the history view's scroll bars.
    BOOL DestroyWindow() override;

    // The manager window; not owned. Set when the pane is created.
    void SetOwner(IMsgMgrHost* pOwner) { m_pOwner = pOwner; }

// IMeetingPane: the window and its controls, for the collaborators and for tests
    CWnd* GetPaneWnd() override { return this; }
    CWqMsgListCtrl& GetTalkList() override { return m_talkList; }
    CASRichEdit& GetHistoryView() override { return m_historyView; }
    CAttachListCtrl& GetAttachList() override { return m_attachList; }
    CLabel& GetLabel() override { return m_label; }
    void RelayoutControls() override { LayoutControls(m_nLastWidth, m_nLastHeight); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTalkItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTalkRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAttachRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAttachDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeleteTalks();
    afx_msg void OnAttachOpen();
    afx_msg void OnAttachShowInFolder();
    afx_msg void OnAttachSave();
    afx_msg LRESULT OnAttachDownloaded(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAttachDownloadFailed(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHistoryMenu(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void InitHistoryView();
    void LayoutControls(int nWidth, int nHeight);
    // The row at the attachment list's selection mark; -1 when there is none.
    int MarkedAttachRow() const;

    IMsgMgrHost* m_pOwner = nullptr; // the manager window; not owned
// Controls (bound in DoDataExchange)
    CWqMsgListCtrl m_talkList;    // 1116; each row's item data is the talk's Col_ID
    CASRichEdit m_historyView;    // 11161
    CAttachListCtrl m_attachList; // 1041
    CLabel m_label;               // 1054
    CxSplitterWnd m_splitter;     // bound to 15020
    bool m_bShowEmoticons = false; // the user's setting, read when the pane opens
    CMeetingTalkList m_talks;
    CMeetingHistory m_history;
    CMeetingAttachments m_attachments;
    int m_nLastWidth = 0;
    int m_nLastHeight = 0;
};
