#pragma once
// CQorMsgManagerDlg: the message centre's top-level window (template 134): a folder tree (or
// the organisation pane laid over it) on the left and a pane area on the right, where one of
// the base pane, the history viewer and the web pane is shown at a time.
//
// The window gathers the operations its callers know by name; each is a short forwarder to the
// collaborator that holds the concern: the folder tree's nodes and their queries
// (CMsgFolderTree), the requests (CMsgMgrRequest), the views, tabs and pane switching
// (CMsgMgrViews), the searches (CMsgMgrSearch) and the context menu with the discussion
// deletion (CMsgMgrMenus).
#include "controls/CFolderTreeCtrl.h"
#include "framework/CImageList.h"
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include "framework/MessageMap.h"
#include "msgcenter/manager/CMsgFolderTree.h"
#include "msgcenter/manager/CMsgMgrMenus.h"
#include "msgcenter/manager/CMsgMgrSearch.h"
#include "msgcenter/manager/CMsgMgrViews.h"
#include "msgcenter/manager/IMsgCenter.h"
#include "msgcenter/IMsgMgrHost.h"
#include "platform/QorView/CQorDlg.h"
#include "platform/QorView/CQorResizer.h"
#include "platform/QorView/CxButtonMenu.h"
#include "platform/QorView/CxFrameHelper.h"
#include "platform/QorView/CxRadioButton.h"
#include <vector>

class CQorMsgBaseDlg;
class CQorMsgMeetingDlg;
class CQorMsgGroupDisDlg;
class CQorMsgORGTreeDlg;
class CQorMsgWebMsgDlg;
class CQorMsgDBMgr;
class IMsgCenterOwner;

class CQorMsgManagerDlg : public CQorDlg, public CxFrameHelper, public IMsgMgrHost, public IMsgCenter {
public:
    enum { IDD = 134 };
    explicit CQorMsgManagerDlg(CWnd* pParent = nullptr);
    ~CQorMsgManagerDlg() override;

// Requests (CMsgMgrRequest)
    // Rebuilds the folder tree and opens the window on what the caller asked for: "" the user
    // views, "CONTACT_UNREAD", "GROUP_TALK;<talk id>", else "<person id>;<person name>".
    void OpenWithRequest(CString strRequest) override;

// IMsgCenter: the main window's use of the centre
    void SetSession(CQorMsgDBMgr* pDBMgr, const CString& strServer, const CString& strAccount,
                    IMsgCenterOwner* pOwner) override;
    bool EnsureWindow(CWnd* pParent) override;
    HWND GetCenterHwnd() const override { return m_hWnd; }
    bool IsBusy() const override;
    void CancelLongTasks() override;
    void Destroy() override;

// The folder tree (CMsgFolderTree)
    void RefreshCurrentNode() override;
    BOOL LoadUserFolders(HTREEITEM hParent);
    void LoadTalkNodes();
    HTREEITEM FindTalkItem(CString strTalkId, HTREEITEM hParent);
    CString GetTalkIdByViewId(int nViewId);
    HTREEITEM FindRootItemByImage(HTREEITEM hStart, int nImage);
    void RepositionPanes();

// Views, tabs and panes (CMsgMgrViews)
    void OnViewOrgTree();
    void OnViewFolderTree();
    void OnViewUserViews();
    void OnTabButton1();
    void OnTabButton2();
    void ShowHistoryViewer() override;
    void ShowBasePane();
    void ShowWebPane();
    void OpenLocalHistoryForSelection();
    void OpenRoamingHistoryForSelection();
    void InitViewButton();
    void SetViewButtonState(int nIndex);

// Commands
    void DoManagerCommand(int nCommand);
    void OnSearchMessages() override;
    void OnAddPersons();
    static BOOL FindUsersInInfoFile(CString strTerm, CStringArray& arIds, CStringArray& arNames);
    void OnDeleteTalk();
    void OnHide();

// IMsgMgrHost
    CWnd* GetHostWnd() override { return this; }
    BOOL IsOrgViewActive() const override { return orgViewActive; }
    BOOL IsLocalMode() const override { return localMode; }
    CQorMsgBaseDlg* GetBasePane() override { return basePane; }
    CQorMsgGroupDisDlg* GetHistoryViewer() override { return historyViewer; }
    CWnd* GetWebPane() override;
    bool SendFilesToUsers(const CStringArray& arIds, const CStringArray& arNames,
                          const CStringArray& arFiles) override;
    bool QuickSend(WPARAM wValue) override;

// Data the main window sets before each use
    CString titleName;                  // formatted into the window title
    CString m_strServer;                // the server signed in to
    CString m_strAccount;               // the signed-in account
    CQorMsgDBMgr* m_pDBMgr = nullptr;   // the view library's database manager; not owned
    IMsgCenterOwner* mainWindow = nullptr; // told when this window goes; not owned

// The panes (owned; the web pane deletes itself with its window)
    CQorMsgBaseDlg* basePane = nullptr;
    CQorMsgMeetingDlg* meetingPane = nullptr;
    CQorMsgGroupDisDlg* historyViewer = nullptr;
    CQorMsgORGTreeDlg* orgPane = nullptr;
    CQorMsgWebMsgDlg* webPane = nullptr;

// State
    HTREEITEM talkRoot = nullptr;       // the group-discussion root node
    HTREEITEM receivedRoot = nullptr;   // the received-messages root node
    HTREEITEM userFolderRoot = nullptr; // parent of the user-folder nodes (none by default)
    BOOL orgViewActive = 1;             // 1 while an organisation view is shown
    BOOL localMode = 1;                 // 1 local history, 0 roaming (web) history
    // The last message search's criteria.
    CString m_strSearchKeyword, m_strSearchPerson, m_strSearchFirstDate, m_strSearchLastDate;
    // A person node's item data is an index into both.
    CStringArray personIds;
    CStringArray personNames;
    CString pendingTalkId;
    CString currentPersonId;
    int m_nLastWidth = 0;
    int m_nLastHeight = 0;
    RECT m_rcInitClient = {0, 0, 0, 0};

    CImageList m_imageList;             // the tree's node images
    HICON m_hIcon = nullptr;
    CxButtonMenu m_viewButton;          // control 1039
    CQorResizer m_resizer;
    CxRadioButton m_tabLocal;           // 1191
    CxRadioButton m_tabRoam;            // 1192
    std::vector<CxRadioButton*> m_tabGroup; // local first
    CFolderTreeCtrl m_tree;             // 1018

// Collaborators
    CMsgFolderTree m_folders;
    CMsgMgrViews m_views;
    CMsgMgrSearch m_search;
    CMsgMgrMenus m_menus;

    // The tree's selected node kind (image) and item data; false when nothing is selected.
    bool GetSelectedNode(HTREEITEM* phItem, int* pnImage, DWORD_PTR* pData) const;
    // The person id of a person node's item data; empty for an index outside personIds.
    CString PersonIdAt(DWORD_PTR nIndex) const;

    // Every key press in the window or its children comes back as WM_USER+2020.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void PostNcDestroy() override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    void InitTree();
    void CreatePanes();
    void LayoutControls(int nWidth, int nHeight);
    bool ControlRect(UINT nID, RECT* pRect) const;
    void PaintBackground(CDC* pDC, const RECT& rcPaint);

    afx_msg void OnFolderTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnFolderTreeRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg LRESULT OnRepositionPanes(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnManagerCommandMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPostedKeyDown(WPARAM wParam, LPARAM lParam);
    afx_msg void OnManagerCommandRange(UINT nID);
    DECLARE_MESSAGE_MAP()
};
