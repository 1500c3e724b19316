#pragma once
// CMsgMgrMenus: the folder tree's context menu and what it offers, the deletion of a group
// discussion. The menu concerns the node under the mouse, which becomes the selection first;
// only a direct child of the discussion root has one (menu 174). It sees the manager only as
// the owner of the menu and the parent of its boxes, and the tree through CMsgFolderTree.
#include "framework/CString.h"
#include "framework/Platform.h"
#include <commctrl.h>

class CMsgFolderTree;
class CWnd;

class CMsgMgrMenus {
public:
    CMsgMgrMenus(CWnd& frame, CMsgFolderTree& folders) : m_frame(frame), m_folders(folders) {}
    CMsgMgrMenus(const CMsgMgrMenus&) = delete;
    CMsgMgrMenus& operator=(const CMsgMgrMenus&) = delete;

    // NM_RCLICK of the tree, at the cursor's position.
    void OnTreeRightClick();
    // Command 32801: asks, then deletes the selected discussion. Its four deletions run in one
    // transaction; when one of them fails, nothing is deleted, the node stays and the user is
    // told.
    void DeleteSelectedTalk();
    // The four deletions of one talk in one transaction; false (rolled back) when any failed.
    static bool DeleteTalk(const CString& strTalkId);

private:
    CWnd& m_frame;
    CMsgFolderTree& m_folders;
};
