#pragma once
// Functions of FileClient.dll and the event message its transfers report with.
#include "platform/FileClient/FiileItem_Info.h"

// A new empty transfer record, owned by the caller until FreeFileItem_Info; null when out
// of memory.
FiileItem_Info* AllocFileItem_Info();
// Releases a record from AllocFileItem_Info; null is ignored.
void FreeFileItem_Info(FiileItem_Info* pItem);

// The registered window message of transfer events: wParam is an event code, lParam the
// transfer record (owned by the sender, valid only while the message is handled).
#define FILECLIENT_NOTIFY_MESSAGE L"WM_FILE_CLIENT_NOTIFY"

enum FileClientEvent {
    FCN_ADDED = 0,          // a transfer was queued
    FCN_STARTED = 1,        // connected, bytes are moving
    FCN_PROGRESS = 2,       // bytes done changed
    FCN_PAUSED = 3,
    FCN_RESUMED = 4,
    FCN_FILE_DONE = 5,      // a file transfer ended (FiileItem_Info)
    FCN_FILE_FAILED = 6,    // a file transfer failed (FiileItem_Info)
    FCN_CANCELLED = 7,
    FCN_FOLDER_DONE = 11,   // a folder transfer ended (the view library's folder record)
    FCN_FOLDER_FAILED = 12, // a folder transfer failed (the view library's folder record)
};
