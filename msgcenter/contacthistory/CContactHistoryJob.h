#pragma once
// One export or deletion of the contact-history pane, shared by the pane (user-interface thread)
// and its worker thread. The pane fills it before the worker starts and reads it after the
// worker has ended; while both run they meet only in the atomic members.
//
// The worker never waits for the user-interface thread: it works from the rows copied here
// (not from the list window), reports progress and its end with posted messages only, and keeps
// its hidden rich edit on its own thread. So the pane may wait for it anywhere, also while the
// pane's window is being destroyed.
#include "framework/CString.h"
#include <atomic>
#include <vector>

class CYqConnect;

// Posted by the worker when its count moved; at most one is queued at a time.
#define WM_HISTORY_TASK_PROGRESS (WM_APP + 151)
// The worker's last act is WM_MSGCENTER_TASK_DONE (WM_USER+101) to the pane. Both messages carry
// the job's serial number in wParam, so that a message of an earlier job is never taken for one
// of the job that runs now.

struct ContactHistoryRow {
    CString strID;
    CString strSender;   // column 2, as shown
    CString strDate;     // column 4, as shown
    CString strReceiver; // column 5, as shown
    int nRow = -1;       // the row's index when the task started
};

class CContactHistoryJob {
public:
    enum Kind { kExport, kDelete };
    enum Result {
        kRunning,
        kDone,        // every row handled
        kCancelled,   // stopped by the cancel flag; what is counted was done
        kDbFailed,    // a statement of a deletion batch failed: that batch was rolled back
        kOpenFailed,  // the export file could not be opened
        kEditFailed,  // the hidden rich edit could not be made
        kTooLarge,    // the export would not fit the rich edit: nothing was written
        kWriteFailed, // the file could not be written: nothing is left of it
    };

    Kind kind = kExport;
    HWND hPane = nullptr;
    WPARAM nSerial = 0;
    std::vector<ContactHistoryRow> rows; // the selected rows with an id, in list order
    int nSelected = 0;                   // every selected row, ids or not
    CYqConnect* pConnect = nullptr;      // the view manager's shared connection

    // Export
    CString strPath;
    HFONT hFont = nullptr;               // the pane's font (WM_GETFONT); not owned
    long nTextLimit = 0xFFFFFF;
    long long llWriteLimit = -1;

    // Deletion: messages per transaction. Each batch commits whole or rolls back whole; between
    // two batches the connection is free for the user-interface thread.
    int nBatch = 250;

    std::atomic<bool> cancel{false};
    // Rows done: exported, or deleted and committed (always whole batches or whole messages).
    std::atomic<int> done{0};
    std::atomic<bool> progressQueued{false};
    std::atomic<int> result{kRunning};
    CString strFailure; // the database's words for a failed batch; written before the end is posted

    // Worker side: the count moved; one progress message at a time is enough.
    void ReportProgress(int nDone);
    void End(Result r);
};
