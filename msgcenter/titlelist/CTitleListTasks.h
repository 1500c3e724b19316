#pragma once
// The work of the title list's long tasks: deleting the selected messages (all of them in one
// transaction, rolled back and reported when any part fails) and exporting them to an RTF file
// (through a hidden rich edit, streamed to the file; a failed write or a cancel leaves no file).
// Both first read every selected row, also rows never shown, in one pass of large pages during
// which nothing else runs: a message stored meanwhile would move the rows under the walk. A
// view that no longer holds the rows it was shown with (messages stored or deleted since) is
// shown afresh instead, and nothing is done. Then the work keeps the waiting dialog answering
// (its Cancel stops it) and posts WM_MSGCENTER_TASK_DONE to the pane on every way out.
#include "msgcenter/titlelist/MsgItem.h"
#include <vector>

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
    // The selected rows of the view shown, in list order (bReadOk false when a page could not
    // be read). False when the view was shown afresh instead, the user told and the task ended.
    static bool ReadSelection(CQorMsgTitleDlg* pPane, std::vector<_MSGITEM>& rows, bool& bReadOk);

    CTitleListTasks() = delete;
};
