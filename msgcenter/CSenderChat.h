#pragma once
// "Reply by chat" from any of the message lists and the content pane: the stored message's
// sender, read from the database, gets a chat window.
#include "framework/CString.h"

class CSenderChat {
public:
    // Opens a chat with the sender of the stored message strMsgID; does nothing when the
    // message or its sender's login or name is not found.
    static void Open(const CString& strMsgID);
};
