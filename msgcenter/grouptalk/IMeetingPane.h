#pragma once
// What the group-talk pane's collaborators (the talk list, the talk shown, the attachments) see
// of the pane: its window and controls, and the two layout steps they ask for.
// CQorMsgMeetingDlg implements it; the collaborators never include its header.
class CASRichEdit;
class CAttachListCtrl;
class CLabel;
class CWnd;
class CWqMsgListCtrl;

class IMeetingPane {
public:
    virtual ~IMeetingPane() = default;

    // The pane's window: the parent of its message boxes and dialogs, told of downloads.
    virtual CWnd* GetPaneWnd() = 0;
    virtual CWqMsgListCtrl& GetTalkList() = 0;
    virtual CASRichEdit& GetHistoryView() = 0;
    virtual CAttachListCtrl& GetAttachList() = 0;
    virtual CLabel& GetLabel() = 0;
    // Shows or hides the attachment list beside the history view.
    virtual void ShowAttachList(bool bShow) = 0;
    // Places the controls again for the pane's present size.
    virtual void RelayoutControls() = 0;
};
