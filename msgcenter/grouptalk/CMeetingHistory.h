#pragma once
// CMeetingHistory: one group talk shown in the group-talk pane: its messages, newest first, in
// the history view (each as the sender, the date and the body's text in the body's font), and
// its attachments in the attachment list.
#include "framework/CString.h"

class IMeetingPane;

class CMeetingHistory {
public:
    explicit CMeetingHistory(IMeetingPane& pane) : m_pane(pane) {}

    void Load(const CString& strTalkId);
    void AppendEntry(const CString& strSenderName, const CString& strSendDate, const char* pszBody, int nBodySize);

private:
    IMeetingPane& m_pane; // the pane that holds the talk
};
