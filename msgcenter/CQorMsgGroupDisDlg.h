#pragma once
// CQorMsgGroupDisDlg: the history viewer (template 193), the stored conversation with one
// person or the history of one group talk, laid over the manager's pane area. Until the viewer
// itself is built this is the empty pane of its template; it keeps whose history it was asked
// for.
#include "framework/CDialog.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "platform/QorView/CTransparentBkHelper.h"

class IMsgMgrHost;

class CQorMsgGroupDisDlg : public CDialog, public CTransparentBkHelper {
public:
    enum { IDD = 193 };
    explicit CQorMsgGroupDisDlg(CWnd* pParent = nullptr);
    ~CQorMsgGroupDisDlg() override;

    // The history of one group talk.
    void OpenTalkHistory(CString strTalkId);
    // Drops the current person: an empty history.
    void ClearPeerHistory();

    IMsgMgrHost* m_pOwner = nullptr; // the manager window; set right after construction
    CString m_peerLogin;             // the person whose history is shown (peer mode)
    CString m_talkId;                // the group talk shown (talk mode)

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    // WM_USER+114: lParam the person's login string (or 0).
    afx_msg LRESULT OnShowPeerHistory(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
