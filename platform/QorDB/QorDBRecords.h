#pragma once
// The rows the database library stores for the view library and the core (the write side of
// the message tables). Texts are UTF-16 here and UTF-8 in the file; bodies are bytes as they
// arrived (UTF-8 KTF, RTF or plain text).
#include "framework/CString.h"
#include <string>

struct QorMsgRecord {
    CString id;            // Col_ID
    int type = 0;          // Col_Type: 3 filed in the user folder folderName
    CString folderName;    // Col_FolderName
    int msgFolder = 1;     // Col_MsgFolder: 1 received, 2 sent
    CString sender, senderName, recvLogin, recvName, subject;
    CString sendDate;      // "YYYY-MM-DD HH:MM:SS"
    int attachCount = 0, readState = 0, needConfirm = 0, msgFlag = 0;
    CString appCommand;    // Col_XXAppCommand
    CString sourceMsgID;   // the message whose attachments this one carries ("" = itself)
};

struct QorMsgBody {
    CString contentType;   // "Text/Rtf", "Text/Ktf" or "UTF-8"
    std::string bytes;     // Col_Content; its size is Col_ContentSize
    CString text;          // Col_Content_Text, the plain text the search matches
};

struct QorTalkMsgRecord {
    CString id, talkID, senderName, sendDate;
    std::string data;      // Col_Data, a KTF body
    CString appCommand, sourceMsgID;
};
