#pragma once
// CMsgMgrViews: the manager's three left-side views (organisation tree, folder tree, user
// views), its two history tabs (local, roaming) and which right-hand pane is shown.
//   view 0  organisation pane with the organisation tree, history viewer, tabs on, local
//   view 1  folder tree, base pane, tabs off
//   view 2  organisation pane with the user's view tree, history viewer, tabs on, local
#include "framework/CString.h"

class CQorMsgManagerDlg;
class CWnd;

class CMsgMgrViews {
public:
    explicit CMsgMgrViews(CQorMsgManagerDlg& dlg) : m_dlg(dlg) {}

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

private:
    void EnableTabs(bool bEnable);
    void ShowPanes(CWnd* pShow, CWnd* pHide1, CWnd* pHide2);

    CQorMsgManagerDlg& m_dlg;
};
