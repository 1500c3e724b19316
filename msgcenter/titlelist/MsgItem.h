#pragma once
// _MSGITEM: one row of the title list's cache, as the list shows it. Empty strings and zero
// numbers until the row has been fetched; an empty id means "not fetched yet".
#include "framework/CString.h"

struct _MSGITEM {
    CString strID;          // Col_ID
    int nReadState = 0;     // Col_ReadState
    int nAttachCount = 0;   // Col_AttachCount
    int nFlags = 0;         // Col_MSGFlag
    CString strSenderName;  // Col_SenderName
    CString strSubject;     // Col_Subject
    CString strSendDate;    // Col_SendDate, already in the display form
    CString strRecvName;    // Col_RecvName
};
