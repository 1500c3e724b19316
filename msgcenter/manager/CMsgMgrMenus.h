#pragma once
// CMsgMgrMenus: the folder tree's context menu and what it offers, the deletion of a group
// discussion. The menu concerns the node under the mouse, which becomes the selection first;
// only a direct child of the discussion root has one (menu 174).
#include "framework/CString.h"
#include "framework/Platform.h"
#include <commctrl.h>

class CQorMsgManagerDlg;

class CMsgMgrMenus {
public:
    explicit CMsgMgrMenus(CQorMsgManagerDlg& dlg) : m_dlg(dlg) {}

    // NM_RCLICK of the tree, at the cursor's position.
    void OnTreeRightClick();
    // Command 32801: asks, then deletes the selected discussion. Its four deletions run in one
    // transaction; when one of them fails, nothing is deleted, the node stays and the user is
    // told.
    void DeleteSelectedTalk();
    // The four deletions of one talk in one transaction; false (rolled back) when any failed.
    static bool DeleteTalk(const CString& strTalkId);

private:
    CQorMsgManagerDlg& m_dlg;
};
