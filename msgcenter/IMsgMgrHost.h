#pragma once
// IMsgMgrHost: what the message centre's panes need of the manager window that made them.
// CQorMsgManagerDlg implements it and hands itself to each pane it creates; a pane keeps it
// as a borrowed pointer (the manager outlives its panes) and never includes the manager's
// header, so the panes can be built and tested against a small stand-in host.
//
// A pane that needs one more thing of the manager adds one virtual here, with a one-line
// contract, and implements it in CQorMsgManagerDlg (and in the tests' host).
#include "framework/CStringArray.h"
#include "framework/Platform.h"

class CWnd;
class CQorMsgBaseDlg;
class CQorMsgGroupDisDlg;

class IMsgMgrHost {
public:
    virtual ~IMsgMgrHost() = default;

    // The manager's window: the panes' parent, owner of their message boxes, target of a
    // pane's caption drag (WM_NCLBUTTONDOWN with HTCAPTION).
    virtual CWnd* GetHostWnd() = 0;
    // Non-zero while the manager shows its organisation (contact) side, zero while it shows
    // its folder tree: the history viewer shows a person's history then, else a group talk's.
    virtual BOOL IsOrgViewActive() const = 0;
    // Non-zero for the local history, zero for the roaming (web) history.
    virtual BOOL IsLocalMode() const = 0;

    // Shows the history viewer and hides the base and web panes.
    virtual void ShowHistoryViewer() = 0;
    // Re-runs the loader of the selected folder-tree node (F5 in the title list).
    virtual void RefreshCurrentNode() = 0;
    // The message search dialog and, on OK, its results (Ctrl+F in the title list).
    virtual void OnSearchMessages() = 0;

    // The panes the manager made; null while one does not exist.
    virtual CQorMsgBaseDlg* GetBasePane() = 0;
    virtual CQorMsgGroupDisDlg* GetHistoryViewer() = 0;
    virtual CWnd* GetWebPane() = 0;

    // The main window's sending of files to persons; false when the message could not be made.
    virtual bool SendFilesToUsers(const CStringArray& arIds, const CStringArray& arNames,
                                  const CStringArray& arFiles) = 0;
    // Has the main window send the message SendFilesToUsers made (IMsgContentOwner::QuickSend);
    // false when there is none or no main window.
    virtual bool QuickSend(WPARAM wValue) = 0;
};
