#pragma once
// CMeetingTalkList: the group-talk pane's list of talks: its columns for the kind shown, its
// rows from Qor_Talk, and the deletion of the selected talks.
class CQorMsgMeetingDlg;

class CMeetingTalkList {
public:
    explicit CMeetingTalkList(CQorMsgMeetingDlg& dlg) : m_dlg(dlg) {}

    bool Load();
    void SetupColumns();
    void DeleteSelected();

private:
    CQorMsgMeetingDlg& m_dlg;
};
