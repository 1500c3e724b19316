#pragma once
// Downloads of the file-transfer client. Each transfer runs on a worker thread of its own as
// a plain HTTP/1.0 GET and writes into its partial file, "<local path>.part", which it creates
// itself (never over a file that is there) and renames to the local path only once every byte the
// server announced has arrived; a failed or cancelled transfer removes its partial file and
// nothing else. A local path that exists when the transfer starts is one the user agreed to
// overwrite (callers ask, or choose a free name): it is replaced only by the complete file. A
// file that appears at the local path while the transfer runs is someone else's and is never
// replaced: the transfer fails instead. The end of a transfer is sent to the notify window as
// "WM_FILE_CLIENT_NOTIFY" (FCN_FILE_DONE, FCN_FILE_FAILED or FCN_CANCELLED, lParam a record
// valid only while the message is handled); FCN_STARTED is sent when the server has answered.
// Sending blocks the worker, never the window's thread. An ended transfer is forgotten soon
// after its end was told: only the last few stay known to queries.
#include "platform/FileClient/FiileItem_Info.h"

// What a transfer's partial file adds to its local path.
#define FILECLIENT_PARTIAL_SUFFIX L".part"

// Starts downloading an "http://host[:port]/path" address into a local path. The record's name
// and transfer GUID are given back in every event and query. Returns the transfer's id (> 0),
// or 0 when the address or path is unusable (nothing is started then).
DWORD FileClient_StartDownload(LPCWSTR pszUrl, LPCWSTR pszLocalPath, LPCWSTR pszFileName, const GUID& guidTransfer,
                               int nTransType, HWND hNotify);
// Copies the transfer's state (local path, name, state, bytes done, size when known, GUID)
// into the record; FALSE for an unknown id.
BOOL FileClient_QueryTransfer(DWORD dwId, FiileItem_Info* pInfo);
// Stops a transfer that has not ended; its partial file is removed by the worker. FALSE when the
// id is unknown or the transfer had already ended (a finished file is never touched).
BOOL FileClient_CancelTransfer(DWORD dwId);
// Transfers whose worker is still running (tests wait for this to reach 0 before they end).
int FileClient_GetRunningTransfers();
// Transfers the client still knows: those running and the few ended ones it keeps for queries.
int FileClient_GetKnownTransfers();
