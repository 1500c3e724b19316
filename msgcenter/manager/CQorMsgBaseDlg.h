#pragma once
// CQorMsgBaseDlg: the right-hand pane that the manager shows for its folder tree (template
// 15009): a toolbar on top and two panes stacked by a splitter, the title list (or, in
// contact-history mode, the contact-history list) above and the content pane below. It owns
// those three panes, switches between the two lists, forwards the manager's loaders and
// commands to the list that is shown, and routes its toolbar to the manager's commands.
#include "framework/CDialog.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "msgcenter/contacthistory/IContactHistoryOwner.h"
#include "msgcenter/content/IMsgContentOwner.h"
#include "msgcenter/titlelist/IMsgTitleOwner.h"
#include "platform/QorView/CTransparentBkHelper.h"
#include "platform/QorView/CxSplitterWnd.h"
#include "platform/QorView/CxToolbar.h"

class CDC;
class IMsgMgrHost;
class CQorMsgTitleDlg;
class CQorMsgTitleExDlg;
class CQorMsgContentDlg;

class CQorMsgBaseDlg : public CDialog,
                       public CTransparentBkHelper,
                       public IMsgTitleOwner,
                       public IMsgContentOwner,
                       public IContactHistoryOwner {
public:
    enum { IDD = 15009 };
    explicit CQorMsgBaseDlg(CWnd* pParent = nullptr);
    ~CQorMsgBaseDlg() override;

// Loaders called by the manager
    void ShowFolderMessages(int nFolder);
    BOOL ShowUserFolder(CString strName);
    void ShowReadState();
    void ShowTalkHistory(CString strPersonId);
    void ShowSearchResults(CString strKeyword, CString strPerson, CString strFirstDate, CString strLastDate);

// Commands called by the manager; they act on the list that is shown
    void ExportSelected(BOOL bFlag);
    void DeleteSelected();

// Called by the lists (IMsgTitleOwner) and the content pane (IMsgContentOwner)
    // Forwards the selected row to the content pane unchanged.
    void ShowMessageContent(const CString& strMsgId, const CString& strSenderName, const CString& strSendDate,
                            const CString& strRecvNames, bool bHasAttach, int nMsgFlags, bool bFromSearch) override;
    CString GetShownMessageID() override;
    void ClearMessageContent() override;
    CWnd* GetManagerWindow() override;
    void SearchMessages() override;
    void RefreshCurrentNode() override;
    // Contact-history mode: the conversation around one message, in place of the title list.
    void ShowContactHistory(const CString& strMsgId, const CString& strSendDate, const CString& strPeerLogin) override;
    bool SendFilesToUsers(const CStringArray& arIds, const CStringArray& arNames,
                          const CStringArray& arFiles) override;
    bool QuickSend(WPARAM wValue) override;
    // Leaves contact-history mode.
    void ShowTitleList() override;

// Layout
    void CreateMsgPanes();
    void InitToolbar();
    void InitSplitter();
    void LayoutPanes();
    void ResizeControls(int nWidth, int nHeight);

// The manager window; set before the window exists, not owned.
    void SetOwner(IMsgMgrHost* pOwner) { ownerDlg = pOwner; }
// The panes it owns; null until created.
    CQorMsgTitleDlg* GetTitlePane() const { return titlePane; }
    CQorMsgTitleExDlg* GetTitleExPane() const { return titleExPane; }
    CQorMsgContentDlg* GetContentPane() const { return contentPane; }
    // 1 while the contact-history list is shown in place of the title list, else 0.
    BYTE GetContactHistoryMode() const { return contactHistoryMode; }
    const CxToolbar& GetToolbar() const { return m_toolbar; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    // Paints the toolbar's skinned band (through an off-screen DC) over the toolbar's rectangle.
    void PaintBackground(CDC* pDC, const RECT& rcClient);
    void DrawToolbarLine(HDC hdc);
    bool PlaceholderRect(UINT nID, RECT* pRect) const;
    // Before each loader: hide the contact-history list, show the title list.
    void ShowTitlePane(bool bClearContent);

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg LRESULT OnLayoutPanes(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarCommand(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    IMsgMgrHost* ownerDlg = nullptr;       // the manager window; set before the window exists
    CxToolbar m_toolbar;                   // control 1132
    CQorMsgTitleDlg* titlePane = nullptr;  // owned; null until created
    CQorMsgTitleExDlg* titleExPane = nullptr;
    CQorMsgContentDlg* contentPane = nullptr;
    BYTE contactHistoryMode = 0;           // 1 while titleExPane is shown in place of titlePane
    CxSplitterWnd m_splitter;              // bound to control 15020
    int m_nLastWidth = 0;
    int m_nLastHeight = 0;
};
