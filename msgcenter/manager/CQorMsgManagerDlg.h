#pragma once
// CQorMsgManagerDlg: the message centre's top-level window (template 134): a folder tree (or
// the organisation pane laid over it) on the left and a pane area on the right, where one of
// the base pane, the history viewer and the web pane is shown at a time.
//
// The window gathers the operations its callers know by name; each is a short forwarder to the
// collaborator that holds the concern and its state: the folder tree with its nodes, their
// queries and the persons they index (CMsgFolderTree), the views, tabs, panes, which pane a
// node shows and what a request opens (CMsgMgrViews), the searches and their last criteria (CMsgMgrSearch) and the
// context menu with the discussion deletion (CMsgMgrMenus). The window itself keeps only the
// session it was handed, its icon and its layout.
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include "framework/MessageMap.h"
#include "msgcenter/manager/CMsgFolderTree.h"
#include "msgcenter/manager/CMsgMgrMenus.h"
#include "msgcenter/manager/CMsgMgrSearch.h"
#include "msgcenter/manager/CMsgMgrViews.h"
#include "msgcenter/manager/IMsgCenter.h"
#include "msgcenter/manager/IMsgMgrViewsOwner.h"
#include "msgcenter/IMsgMgrHost.h"
#include "platform/QorView/CQorDlg.h"
#include "platform/QorView/CQorResizer.h"
#include "platform/QorView/CxFrameHelper.h"

class CQorMsgBaseDlg;
class CQorMsgGroupDisDlg;
class CQorMsgDBMgr;
class IMsgCenterOwner;

class CQorMsgManagerDlg : public CQorDlg,
                          public CxFrameHelper,
                          public IMsgMgrHost,
                          public IMsgCenter,
                          private IMsgMgrViewsOwner {
public:
    enum { IDD = 134 };
    explicit CQorMsgManagerDlg(CWnd* pParent = nullptr);
    ~CQorMsgManagerDlg() override;

// Requests (CMsgMgrRequest, opened by CMsgMgrViews)
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
    BOOL IsOrgViewActive() const override { return m_views.IsOrgViewActive(); }
    BOOL IsLocalMode() const override { return m_views.IsLocalMode(); }
    CQorMsgBaseDlg* GetBasePane() override { return m_views.GetBasePane(); }
    CQorMsgGroupDisDlg* GetHistoryViewer() override { return m_views.GetHistoryViewer(); }
    CWnd* GetWebPane() override;
    bool SendFilesToUsers(const CStringArray& arIds, const CStringArray& arNames,
                          const CStringArray& arFiles) override;
    bool QuickSend(WPARAM wValue) override;

// The collaborators, each with the state of its concern
    CMsgFolderTree& GetFolders() { return m_folders; }
    const CMsgFolderTree& GetFolders() const { return m_folders; }
    const CMsgMgrViews& GetViews() const { return m_views; }
    CMsgMgrSearch& GetSearch() { return m_search; }

    // The smallest client the user can size the window to: the client at initialisation; an
    // empty rectangle leaves the system's minimum.
    void SetMinimumClient(const RECT& rcClient) { m_rcInitClient = rcClient; }

    // Every key press in the window or its children comes back as WM_USER+2020.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void PostNcDestroy() override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

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

private:
// IMsgMgrViewsOwner
    CWnd& FrameWnd() override { return *this; }
    IMsgMgrHost& PaneHost() override { return *this; }
    const CMsgSearchCriteria& GetSearchCriteria() const override { return m_search.GetCriteria(); }

// Data the main window sets before each use
    CString titleName;                     // formatted into the window title
    CString m_strServer;                   // the server signed in to
    CString m_strAccount;                  // the signed-in account
    CQorMsgDBMgr* m_pDBMgr = nullptr;      // the view library's database manager; not owned
    IMsgCenterOwner* mainWindow = nullptr; // told when this window goes; not owned

// Layout
    int m_nLastWidth = 0;
    int m_nLastHeight = 0;
    RECT m_rcInitClient = {0, 0, 0, 0};
    // The window's icon; owned, destroyed with the object (the framework has no icon holder).
    HICON m_hIcon = nullptr;
    CQorResizer m_resizer;

// Collaborators (the tree first: the others are given it)
    CMsgFolderTree m_folders;
    CMsgMgrSearch m_search;
    CMsgMgrViews m_views;
    CMsgMgrMenus m_menus;
};
