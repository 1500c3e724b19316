#pragma once
// The contact-history pane's worker threads: the export of the selected messages to an RTF file
// and their deletion from the message database. Both work from the pane's CContactHistoryJob and
// post WM_USER+101 to the pane as their last act.
#include "framework/Platform.h"

class CContactHistoryTasks {
public:
    // Thread procedures; the parameter is the pane (CQorMsgTitleExDlg*).
    static UINT ExportHistoryThreadProc(LPVOID pParam);
    static UINT DeleteMsgThreadProc(LPVOID pParam);

private:
    CContactHistoryTasks() = delete;
};
