#pragma once
// CMsgFolderTree: the manager's folder tree and the queries behind its nodes. A node's image is
// its kind and its item data says what it shows:
//   1 received (data 1)   2 sent (data 2)   3 search results   4 persons header
//   5 person (data: index into the manager's personIds/personNames)   6 unread by recipients
//   8 user folders   9 user folder (data 5)   10 group discussions (data 7)
//   11 group discussion (data: the talk's view number)
// The tree control and the person arrays are the manager's; this class holds no state.
#include "framework/CString.h"
#include "framework/Platform.h"
#include <commctrl.h>

class CQorMsgManagerDlg;

class CMsgFolderTree {
public:
    enum NodeImage {
        kNone = 0,
        kReceived = 1,
        kSent = 2,
        kSearchResults = 3,
        kPersons = 4,
        kPerson = 5,
        kUnreadByRecipients = 6,
        kUserFolders = 8,
        kUserFolder = 9,
        kTalkRoot = 10,
        kTalk = 11,
    };

    explicit CMsgFolderTree(CQorMsgManagerDlg& dlg) : m_dlg(dlg) {}

    // Empties the tree and appends the fixed roots: received, sent, the discussions (listed and
    // expanded) and the unread-by-recipients node. Redrawing stays as the caller set it.
    void Rebuild();
    HTREEITEM AppendNode(HTREEITEM hParent, const CString& strText, int nImage, DWORD_PTR nData);
    int GetImage(HTREEITEM hItem) const;
    // Deletes the top-level node with that image, when there is one.
    void DeleteRootByImage(int nImage);
    // A new persons header at the end of the top level, one child per person name; the first
    // child, or null when there is none.
    HTREEITEM RebuildPersons();

    BOOL LoadUserFolders(HTREEITEM hParent);
    void LoadTalkNodes();
    HTREEITEM FindTalkItem(const CString& strTalkId, HTREEITEM hParent);
    // The id of the talk whose id ends in "_" and exactly this number; the last such row.
    CString GetTalkIdByViewId(int nViewId);
    HTREEITEM FindRootItemByImage(HTREEITEM hStart, int nImage) const;

private:
    CQorMsgManagerDlg& m_dlg;
};
