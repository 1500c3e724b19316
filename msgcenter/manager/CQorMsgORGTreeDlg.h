#pragma once
// CQorMsgORGTreeDlg: the pane laid over the manager's folder tree that shows the company's
// organisation tree or one of the user's contact views (template 198). A combo chooses which;
// the trees are the view library's and fill themselves from it. The pane creates, places and
// shows them and passes the library's requests on; selecting a person lets the manager show
// that person's history or web page.
#include "framework/CDialog.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "platform/QorView/CFlatComboBox.h"
#include "platform/QorView/CQorViewTree.h"
#include "platform/QorView/CUserListItem.h"

class CQorViewMgr;
class IMsgMgrHost;

class CQorMsgORGTreeDlg : public CDialog {
public:
    enum { IDD = 198 };
    enum Mode { kModeNone = 0, kModeOrg = 1, kModeView = 2 };
    enum { kEntryPerson = CQorUserItem::kPerson };

    explicit CQorMsgORGTreeDlg(CWnd* pParent = nullptr);
    ~CQorMsgORGTreeDlg() override;

    void ShowOrgTree();
    void ShowViewTree();
    // Creates the tree of a mode when missing; true when it exists afterwards.
    bool CreateTree(int nMode, bool* pbCreated = nullptr);
    void LoadTree(bool bShow);
    void Relayout();

    // The selected node of the current mode's tree and its entry's id and type; false with no
    // selection, no entry or another mode.
    bool GetSelectedEntry(CString& strId, int& nType) const;
    bool HasSelection() const;
    CQorViewTree* GetCurrentTree() const;

    // The view library's manager and the manager window; set before creation, not owned.
    void SetViewMgr(CQorViewMgr* pViewMgr) { m_pViewMgr = pViewMgr; }
    void SetOwner(IMsgMgrHost* pOwner) { m_pOwner = pOwner; }
    // The combo hides while a view is shown (the manager sets it per view command).
    void SetHideComboInViewMode(bool bHide) { hideComboInViewMode = bHide; }
    bool GetHideComboInViewMode() const { return hideComboInViewMode; }
    int GetMode() const { return m_nMode; }
    const CFlatComboBox& GetCombo() const { return m_combo; }
    // Combo indexes of the organisation and the view entry, -1 for none.
    int GetOrgEntry() const { return m_nOrgEntry; }
    int GetViewEntry() const { return m_nViewEntry; }
    int GetTreeDisplayFlag() const { return m_nTreeDisplayFlag; }
    // The two trees; null until made.
    CSysUserTree* GetOrgTree() const { return m_pOrgTree; }
    CMyViewTree* GetViewTree() const { return m_pViewTree; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // The view record of a combo entry; null for CB_ERR, -1 or an entry without one.
    const CUserListItem::ViewItem* EntryRecord(int nEntry) const;
    // Takes mode and view id from an entry's record and loads its tree; false without a record.
    bool SwitchToEntry(int nEntry);
    bool FrameRect(RECT* pRect) const;
    void PlaceTree(CQorViewTree* pTree, int nWidth, int nHeight);
    void SelectRecentContact();
    void BringToFront();

    afx_msg void OnViewSelChange();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnForwardUserSel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOpenUserChat(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLoadViewChild(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTreeItemExpanding(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFitTreeFrame(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CFlatComboBox m_combo;                 // 1192
    CQorViewMgr* m_pViewMgr = nullptr;     // the view library's manager; set before creation
    IMsgMgrHost* m_pOwner = nullptr;       // the manager window; not owned
    int m_nMode = kModeNone;
    CString m_strViewID;                   // the combo entry in use
    CSysUserTree* m_pOrgTree = nullptr;    // owned, made on first use
    CMyViewTree* m_pViewTree = nullptr;    // owned, made on first use
    int m_nOrgEntry = -1;                  // combo index of the organisation entry, -1 for none
    int m_nViewEntry = -1;                 // combo index of the view entry, -1 for none
    bool hideComboInViewMode = true;
    int m_nTreeDisplayFlag = 0;            // the trees' display flag; nothing sets it
};
