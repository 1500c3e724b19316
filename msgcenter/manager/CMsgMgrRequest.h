#pragma once
// CMsgMgrRequest: what a message-centre request text asks for. The main window hands the text
// over as it came (WM_USER+604):
//   ""                      the user views
//   "CONTACT_UNREAD"        (exactly, with case) the sent messages not yet read by recipients
//   "GROUP_TALK;<talk id>"  (head without case) that group discussion
//   "<person id>;<name>"    anything else: the history with that person
// A text is split at ";" into the part before the first ";" and the part after it up to the
// next one, both trimmed; without a ";" both parts are empty.
#include "framework/CString.h"

class CMsgMgrRequest {
public:
    enum Kind { kUserViews, kUnreadByRecipients, kGroupTalk, kPerson };

    static CMsgMgrRequest Parse(const CString& strRequest);

    Kind kind = kUserViews;
    CString talkId;     // kGroupTalk
    CString personId;   // kPerson
    CString personName; // kPerson
};
