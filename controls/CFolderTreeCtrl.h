#pragma once
// CFolderTreeCtrl: the folder tree on the left of the message manager, the view library's
// owner-drawn tree with this program's colours and the skin's default font.
#include "framework/CFont.h"
#include "platform/QorView/CCoolTreeCtrl.h"

class CFolderTreeCtrl : public CCoolTreeCtrl {
    DECLARE_DYNAMIC(CFolderTreeCtrl)
public:
    CFolderTreeCtrl();
    ~CFolderTreeCtrl() override;

    // Takes a copy of the skin's default font for the tree (nothing when the skin has none).
    void ApplySkinFont();
    // Clears the selected mark of the item and of all its descendants; with no item, of
    // every root item and its descendants.
    void ClearSelectionMarks(HTREEITEM hItem = nullptr);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    DECLARE_MESSAGE_MAP()

    CFont m_font;
};
