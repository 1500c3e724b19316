#pragma once
// CQorMsgMeetingDlg: the group-talk pane (template 173) laid over the manager's pane area.
// Until the pane itself is built this is the empty pane of its template.
#include "framework/CDialog.h"
#include "framework/MessageMap.h"

class IMsgMgrHost;

class CQorMsgMeetingDlg : public CDialog {
public:
    enum { IDD = 173 };
    explicit CQorMsgMeetingDlg(CWnd* pParent = nullptr);
    ~CQorMsgMeetingDlg() override;

    IMsgMgrHost* m_pOwner = nullptr; // the manager window; set when the pane is created

protected:
    void OnOK() override {}
    void OnCancel() override {}
    DECLARE_MESSAGE_MAP()
};
