#pragma once
// One file transfer of the file-transfer client, as its events ("WM_FILE_CLIENT_NOTIFY",
// lParam) and the view library's transfer queries hand it out. The program reads the
// fields at fixed offsets of the 32-bit layout: local path 0x00, file name 0x04, state 0x20,
// bytes done 0x30, transfer GUID 0x44. Records are made and freed by FileClient.dll
// (AllocFileItem_Info / FreeFileItem_Info), never with new/delete of the caller.
#include "platform/FileClient/CFCString.h"
#include <cstddef>

// Transfer states; progress is shown only while a transfer is running (2).
enum FileItemState {
    FILEITEM_STATE_WAITING = 0,
    FILEITEM_STATE_CONNECTING = 1,
    FILEITEM_STATE_RUNNING = 2,
    FILEITEM_STATE_DONE = 3,
    FILEITEM_STATE_FAILED = 4,
    FILEITEM_STATE_CANCELLED = 5,
};

struct FiileItem_Info {
    CFCString strLocalPath;   // 0x00
    CFCString strFileName;    // 0x04
    CFCString strServerHost;  // 0x08 file server that holds the file
    CFCString strFileKey;     // 0x0C the server's key of the file
    int nTransType;           // 0x10 1 file, 2 folder
    int nDirection;           // 0x14 0 download, 1 upload
    DWORD dwErrorCode;        // 0x18 last error of a failed transfer
    DWORD dwReserved1;        // 0x1C
    int nState;               // 0x20 FileItemState
    DWORD dwReserved2;        // 0x24
    LONGLONG llFileSize;      // 0x28 total bytes
    LONGLONG llBytesDone;     // 0x30 bytes transferred
    DWORD dwStartTick;        // 0x38
    DWORD dwBytesPerSecond;   // 0x3C
    DWORD dwReserved3;        // 0x40
    GUID guidTransfer;        // 0x44 the transfer identifier (the message id as a GUID)

    FiileItem_Info()
        : nTransType(1), nDirection(0), dwErrorCode(0), dwReserved1(0), nState(FILEITEM_STATE_WAITING),
          dwReserved2(0), llFileSize(0), llBytesDone(0), dwStartTick(0), dwBytesPerSecond(0), dwReserved3(0),
          guidTransfer()
    {
    }
};

#if !defined(_WIN64)
static_assert(offsetof(FiileItem_Info, strLocalPath) == 0x00, "layout of FiileItem_Info");
static_assert(offsetof(FiileItem_Info, strFileName) == 0x04, "layout of FiileItem_Info");
static_assert(offsetof(FiileItem_Info, nState) == 0x20, "layout of FiileItem_Info");
static_assert(offsetof(FiileItem_Info, llBytesDone) == 0x30, "layout of FiileItem_Info");
static_assert(offsetof(FiileItem_Info, guidTransfer) == 0x44, "layout of FiileItem_Info");
#endif
