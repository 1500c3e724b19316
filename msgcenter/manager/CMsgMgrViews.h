#pragma once
// CMsgMgrViews: the manager's three left-side views (organisation tree, folder tree, user
// views), its two history tabs (local, roaming), its right-hand panes and which of them is
// shown, the pane and loader that show a folder-tree node, and what a request opens.
//   view 0  organisation pane with the organisation tree, history viewer, tabs on, local
//   view 1  folder tree, base pane, tabs off
//   view 2  organisation pane with the user's view tree, history viewer, tabs on, local
// It makes the panes on the manager's pane area (the organisation pane on the tree's place),
// owns them and destroys them with the window. It holds the view flags the panes ask about:
// orgViewActive (1 while an organisation view is shown) and localMode (1 local history, 0
// roaming history). It sees the window through IMsgMgrViewsOwner and the tree through
// CMsgFolderTree.
#include "framework/CString.h"
#include "framework/Platform.h"
#include "platform/QorView/CxButtonMenu.h"
#include "platform/QorView/CxRadioButton.h"
#include <vector>

class CDataExchange;
class CMsgFolderTree;
class CMsgMgrRequest;
class CQorMsgBaseDlg;
class CQorMsgGroupDisDlg;
class CQorMsgMeetingDlg;
class CQorMsgORGTreeDlg;
class CQorMsgWebMsgDlg;
class CWnd;
class IMsgMgrViewsOwner;

class CMsgMgrViews {
public:
    CMsgMgrViews(IMsgMgrViewsOwner& owner, CMsgFolderTree& folders) : m_owner(owner), m_folders(folders) {}
    CMsgMgrViews(const CMsgMgrViews&) = delete;
    CMsgMgrViews& operator=(const CMsgMgrViews&) = delete;

// Controls and panes
    // Binds the tabs (1191, 1192) and the view button (1039) of the window's template.
    void BindControls(CDataExchange* pDX);
    // The tabs' skins and text colour; the tab group, local first.
    void InitTabs();
    // The base pane, the group-talk pane and the history viewer on the pane area, each given
    // the manager as owner before its window is made; a pane that exists is only moved.
    void CreatePanes();
    // The organisation pane on the folder tree's place (the tree is hidden), the web pane on the
    // pane area, hidden.
    void CreateOrgPane();
    void CreateWebPane();
    // Moves every pane that exists onto the pane area, the organisation pane onto the tree's place.
    void RepositionPanes();
    // Destroys and deletes the base, group-talk, history and organisation panes; the web pane
    // deletes itself with its window, which goes with the manager's.
    void DestroyPanes();

// Views
    void ShowOrgView(bool bUserViews);
    void ShowFolderView();
    // Whether the organisation pane shows one of the user's views with at least one entry.
    bool IsUserViewShown() const;

    // Local tab (1) or roaming tab (2) chosen by the user.
    void OnLocalTab();
    void OnRoamingTab();
    // Checks one tab and clears the other; 0 clears both.
    void SelectTab(int nTab);

    void ShowHistoryViewer();
    void ShowBasePane();
    void ShowWebPane();
    void OpenLocalHistoryForSelection();
    void OpenRoamingHistoryForSelection();

    void InitViewButton();
    void SetViewButtonState(int nIndex);

// Requests
    // Rebuilds the folder tree and shows what the request asks for (see CMsgMgrRequest): the
    // user's views (the received messages without one), the unread-by-recipients node, a group
    // discussion, or a persons node with the one person, selected.
    void OpenRequest(const CMsgMgrRequest& request);

// Folder-tree nodes
    // TVN_SELCHANGED: the pane of the selected node's kind is shown and its loader run.
    void ShowSelectedNode();
    // Re-runs the loader of the selected node, switching panes only for user folders.
    void RefreshSelectedNode();

// State
    BOOL IsOrgViewActive() const { return orgViewActive; }
    BOOL IsLocalMode() const { return localMode; }
    // The panes; null while one does not exist.
    CQorMsgBaseDlg* GetBasePane() const { return basePane; }
    CQorMsgMeetingDlg* GetMeetingPane() const { return meetingPane; }
    CQorMsgGroupDisDlg* GetHistoryViewer() const { return historyViewer; }
    CQorMsgORGTreeDlg* GetOrgPane() const { return orgPane; }
    CQorMsgWebMsgDlg* GetWebPane() const { return webPane; }
    const CxRadioButton& GetLocalTab() const { return m_tabLocal; }
    const CxRadioButton& GetRoamingTab() const { return m_tabRoam; }
    const CxButtonMenu& GetViewButton() const { return m_viewButton; }

private:
    void EnableTabs(bool bEnable);
    void ShowPanes(CWnd* pShow, CWnd* pHide1, CWnd* pHide2);
    bool ControlRect(UINT nID, RECT* pRect) const;
    void UpdateFrame();
    // The base pane's search results for the last search's criteria; the base pane exists.
    void LoadSearchResults();

    IMsgMgrViewsOwner& m_owner;
    CMsgFolderTree& m_folders;

    // The panes (owned; the web pane deletes itself with its window)
    CQorMsgBaseDlg* basePane = nullptr;
    CQorMsgMeetingDlg* meetingPane = nullptr;
    CQorMsgGroupDisDlg* historyViewer = nullptr;
    CQorMsgORGTreeDlg* orgPane = nullptr;
    CQorMsgWebMsgDlg* webPane = nullptr;

    BOOL orgViewActive = 1; // 1 while an organisation view is shown
    BOOL localMode = 1;     // 1 local history, 0 roaming (web) history

    CxButtonMenu m_viewButton;              // control 1039
    CxRadioButton m_tabLocal;               // 1191
    CxRadioButton m_tabRoam;                // 1192
    std::vector<CxRadioButton*> m_tabGroup; // local first
};
