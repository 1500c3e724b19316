#pragma once
// CMeetingHistory: one group talk shown in the group-talk pane: its messages, newest first, in
// the history view (each as the sender, the date and the body's text in the body's font), and
// its attachments in the attachment list.
#include "framework/CString.h"

class CQorMsgMeetingDlg;

class CMeetingHistory {
public:
    explicit CMeetingHistory(CQorMsgMeetingDlg& dlg) : m_dlg(dlg) {}

    void Load(const CString& strTalkId);
    void AppendEntry(const CString& strSenderName, const CString& strSendDate, const char* pszBody, int nBodySize);

private:
    CQorMsgMeetingDlg& m_dlg;
};
