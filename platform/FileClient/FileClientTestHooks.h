#pragma once
// Recording and scripting of the file-transfer client for tests.
#include "platform/FileClient/FiileItem_Info.h"

// Records made by AllocFileItem_Info and not yet freed.
int FileClientTest_GetLiveRecords();
// Sends the registered "WM_FILE_CLIENT_NOTIFY" to a window as a finished or failed transfer
// would (wParam code, lParam the record); returns the window's answer.
LRESULT FileClientTest_SendNotify(HWND hWnd, int nCode, FiileItem_Info* pItem);
