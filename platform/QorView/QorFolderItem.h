#pragma once
// One folder transfer of the view library, as its folder events ("WM_FILE_CLIENT_NOTIFY" codes
// 11 and 12, lParam) and GetDownloadFolderInfo hand it out. Constructed empty by the caller.
#include "framework/CString.h"

struct QorFolderItem {
    CString strLocalPath;
    CString strFolderName;
    LONGLONG llBytesDone = 0;
    int nState = 0; // FileItemState of the file-transfer client
    GUID guidTransfer = GUID_NULL;
};
