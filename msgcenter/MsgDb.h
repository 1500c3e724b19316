#pragma once
// The message database as the message centre's panes see it: the coded values of its columns,
// the date text, the read-state icons and the one way a value is put into SQL text.
//
// Every text value a pane puts between single quotes in a statement (ids, logins, folder names,
// person words, search text, dates) goes through SqlQuote; "%" and "_" inside a LIKE word keep
// their LIKE meaning but can never end the literal. Integers go in with "%d".
#include "framework/CString.h"
#include "platform/QorDB/QorDBValues.h"

namespace MsgDb {

// Col_MsgFolder
const int kFolderReceived = QorDbValues::kFolderReceived;
const int kFolderSent = QorDbValues::kFolderSent;
// Col_Type of a message filed in a user folder (Col_FolderName names it).
const int kTypeUserFolder = 3;
// Qor_Talk.Col_Type: meetings, and the two kinds of discussion that the manager's tree lists
// under its discussion root.
const int kTalkMeeting = QorDbValues::kTalkMeeting;
const int kTalkDiscussion = QorDbValues::kTalkDiscussion;
const int kTalkDiscussionOther = QorDbValues::kTalkDiscussionOther;
// Col_MSGFlag bits the content pane acts on.
const unsigned kFlagAttachInBody = 0x40000;
const unsigned kFlagRtfBody = 0x200000;
// Col_ContentType, compared with case.
using QorDbValues::kContentKtf;
using QorDbValues::kContentRtf;
using QorDbValues::kContentUtf8;
// Col_OpenDate of a receipt whose receiver has not opened the message yet.
using QorDbValues::kNotOpenedDate;
// The read states that the read-state view lists (sent messages waiting for a receipt).
const int kStateWaiting1 = QorDbValues::kStateUnread;
const int kStateWaiting2 = QorDbValues::kStateWaiting;

// The text with every single quote doubled, ready to stand between single quotes.
CString SqlQuote(LPCWSTR pszText);

// Date text: "YYYY-MM-DD HH:MM:SS", fixed width, so that text order is time order.
CString DateText(const SYSTEMTIME& st);
bool IsDateText(LPCWSTR pszText);
// Bounds of a day given as "YYYY-MM-DD": its first and last second, quoted for SQL text.
CString DayStart(LPCWSTR pszDay);
CString DayEnd(LPCWSTR pszDay);

// The list panes' icon (image list of bitmap 1122) for a Col_ReadState value; another value
// leaves the icon the list already had (nCurrent).
int ReadStateIcon(int nReadState, int nCurrent);
// A receipt counts as opened unless its open date is the not-opened mark.
bool IsReceiptOpened(LPCWSTR pszOpenDate);

// The first value of a count statement run on the view library's shared connection (0 when it
// gives no row); false when the statement cannot run.
bool ReadCount(const CString& strSql, int& nCount);

} // namespace MsgDb
