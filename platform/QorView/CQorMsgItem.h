#pragma once
// One message as the view library hands it to the main window (WM_USER+611, wParam) and
// takes it back (ProcessGroupOPT). Plain fields; the view library owns an item it is given.
#include "framework/CString.h"

class CQorMsgItem {
public:
    virtual ~CQorMsgItem() = default;

    CString strMsgID;       // the message's identity (the tip's notice id)
    CString strSender;      // account of the sender
    CString strSenderName;
    CString strSubject;     // the content line of a chat tip
    CString strContentType;
    CString strSendTime;    // "%Y-%m-%d %H:%M:%S"
    CString strTalkID;      // group messages: the group (talk) id
    CString strTalkName;    // group messages: the group's name
    CString strPicture;     // picture of the sender or the group, when stored
    CString strMsgInfo;     // a further text of the message
    CString strExtra1;      // the two message strings
    CString strExtra2;
    int nMsgType = 0;       // 11 and 14: group messages
    int nMsgFlags = 0;
    int nExtraNumber = 0;
};
