#pragma once
// CMsgFolderTree: the manager's folder tree (control 1018) with its images, the queries behind
// its nodes, and the state the nodes point into. A node's image is its kind and its item data
// says what it shows:
//   1 received (data 1)   2 sent (data 2)   3 search results   4 persons header
//   5 person (data: an index into personIds/personNames)   6 unread by recipients
//   8 user folders   9 user folder (data 5)   10 group discussions (data 7)
//   11 group discussion (data: the talk's view number)
// It holds the roots it made, the persons the person nodes index, the talk a request is
// looking for and the person last shown. It needs nothing of the manager window: the window
// binds the control in its data exchange and hands the tree's notifications to its views.
#include "controls/CFolderTreeCtrl.h"
#include "framework/CImageList.h"
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include "framework/Platform.h"
#include <commctrl.h>

class CDataExchange;

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

    CMsgFolderTree() = default;
    CMsgFolderTree(const CMsgFolderTree&) = delete;
    CMsgFolderTree& operator=(const CMsgFolderTree&) = delete;

// The control
    // Binds control 1018 of the window's template (from the window's DoDataExchange).
    void BindControl(CDataExchange* pDX);
    // The node images (bitmap 15081), the skin's font and the skinned scroll bar.
    void InitTree();
    CFolderTreeCtrl& Tree() { return m_tree; }
    const CFolderTreeCtrl& Tree() const { return m_tree; }

// Nodes
    // Empties the tree and appends the fixed roots: received, sent, the discussions (listed and
    // expanded) and the unread-by-recipients node. Redrawing stays as the caller set it.
    void Rebuild();
    HTREEITEM AppendNode(HTREEITEM hParent, const CString& strText, int nImage, DWORD_PTR nData);
    int GetImage(HTREEITEM hItem) const;
    // A node: its item, its kind (image) and its item data.
    struct Node {
        HTREEITEM hItem = nullptr;
        int nImage = kNone;
        DWORD_PTR nData = 0;
    };
    // The selected node; false when nothing is selected.
    bool GetSelectedNode(Node& node) const;
    // Deletes the top-level node with that image, when there is one.
    void DeleteRootByImage(int nImage);

    BOOL LoadUserFolders(HTREEITEM hParent);
    void LoadTalkNodes();
    HTREEITEM FindTalkItem(const CString& strTalkId, HTREEITEM hParent);
    // The id of the talk whose id ends in "_" and exactly this number; the last such row.
    CString GetTalkIdByViewId(int nViewId);
    HTREEITEM FindRootItemByImage(HTREEITEM hStart, int nImage) const;

// The roots the tree made (null while there is none)
    HTREEITEM GetTalkRoot() const { return talkRoot; }
    HTREEITEM GetReceivedRoot() const { return receivedRoot; }
    // The parent of the user-folder nodes: none in a rebuilt tree; a caller that makes one (image
    // 8) hands it over here.
    HTREEITEM GetUserFolderRoot() const { return userFolderRoot; }
    void SetUserFolderRoot(HTREEITEM hRoot) { userFolderRoot = hRoot; }

// Persons
    // The persons the person nodes index, replaced whole; the nodes stay until RebuildPersons.
    void SetPersons(const CStringArray& arIds, const CStringArray& arNames);
    const CStringArray& GetPersonIds() const { return personIds; }
    const CStringArray& GetPersonNames() const { return personNames; }
    // The person id of a person node's item data; empty for an index outside personIds.
    CString PersonIdAt(DWORD_PTR nIndex) const;
    bool HasPersonAt(DWORD_PTR nIndex) const;
    // A new persons header at the end of the top level, one child per person name; the first
    // child, or null when there is none.
    HTREEITEM RebuildPersons();
    // The persons replaced whole, their header rebuilt and its first child selected.
    void ListPersons(const CStringArray& arIds, const CStringArray& arNames);
    // The person whose history was shown last.
    const CString& GetCurrentPersonId() const { return currentPersonId; }
    void SetCurrentPersonId(const CString& strId) { currentPersonId = strId; }

// A group-talk request
    // Selects the node of that discussion under the discussion root (no match clears the
    // selection); the id is held as pending while the selection is made.
    void SelectTalk(const CString& strTalkId);
    const CString& GetPendingTalkId() const { return pendingTalkId; }

private:
    CImageList m_imageList;             // the node images
    CFolderTreeCtrl m_tree;             // 1018
    HTREEITEM talkRoot = nullptr;       // the group-discussion root node
    HTREEITEM receivedRoot = nullptr;   // the received-messages root node
    HTREEITEM userFolderRoot = nullptr; // parent of the user-folder nodes (none by default)
    // A person node's item data is an index into both.
    CStringArray personIds;
    CStringArray personNames;
    CString pendingTalkId;
    CString currentPersonId;
};
