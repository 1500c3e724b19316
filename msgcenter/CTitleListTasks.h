#pragma once
// The work of the title list's long tasks: deleting the selected messages (all of them in one
// transaction, rolled back and reported when any part fails) and exporting them to an RTF file
// (through a hidden rich edit, streamed to the file, a failed write reported and the partial
// file removed). Both read every selected row, also rows never shown, in one pass of large
// pages, keep the waiting dialog answering (its Cancel stops them) and post
// WM_TITLE_LONG_TASK_END to the pane on every way out.
class CQorMsgTitleDlg;

class CTitleListTasks {
public:
    // 1 when the deletion ran to its end, 0 when it stopped, failed or was cancelled.
    static unsigned DeleteSelectedTitles(CQorMsgTitleDlg* pPane);
    // 1 when the file was written, 0 otherwise.
    static unsigned ExportSelectedTitles(CQorMsgTitleDlg* pPane);
    // Handles the messages waiting for this thread (the waiting dialog's Cancel among them).
    static void PumpPending(CQorMsgTitleDlg* pPane);

private:
    CTitleListTasks() = delete;
};
