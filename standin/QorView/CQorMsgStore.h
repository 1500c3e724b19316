#pragma once
// What the view library keeps of the core's messages in the signed-in user's message database,
// in the tables the message centre reads: a chat message as one qor_Msg row (received: folder 1,
// unread, with its unread mark; sent: folder 2, waiting for its receipts, one receipt row per
// receiver), its body and its attachments; a group message as an entry of its talk (the talk
// made when it is new, under an id that ends in the "_<number>" the message centre finds it by)
// with its attachments and unread mark. Each message is written whole, in one transaction on the
// shared connection, or not at all.
//
// Whatever comes from another person is hostile: a message id or talk id goes into the message
// centre's literal SQL, so only its safe form is ever stored (SafeKey); a send time that is no
// time is taken as now; an id that another sender's stored message has already is not reused.
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include "platform/QorCore/IQorMsg.h"

class CQorMsgDBMgr;
class CQorMsgItem;

class CQorMsgStore {
public:
    enum Result {
        kStored,  // the rows were written
        kKnown,   // the same message (id and sender) is stored already: nothing written
        kFailed,  // a write failed: nothing of the message was kept
    };

    // A received chat or group message. pItem (may be null) gets what the main window is told of
    // the message (WM_USER+611).
    static Result StoreReceived(CQorMsgDBMgr& db, IQorMsg* pMsg, const CString& strOwnLogin,
                                const CString& strOwnName, CQorMsgItem* pItem);
    // A message the user sent through the core.
    static Result StoreSent(CQorMsgDBMgr& db, IQorMsg* pMsg, const CString& strOwnLogin, const CString& strOwnName);
    // The user has read these messages (their unread marks go, a received one reads as read);
    // the number of ids the database took (an id of no stored message among them).
    static int MarkRead(CQorMsgDBMgr& db, const CStringArray& arMsgIds);

    // An id as it may stand between quotes in any statement: letters, digits and "-_.{}@" stay,
    // every other character becomes "~" and its four hexadecimal digits (so two ids never share
    // a safe form, and a talk id keeps its closing "_<number>"). An empty id, or one whose safe
    // form would be longer than kMaxKey, becomes a new GUID text.
    static CString SafeKey(const CString& strKey);
    static const int kMaxKey = 120;
    // The stored date (local time, "YYYY-MM-DD HH:MM:SS") of a send time in UTC; now when the
    // text is no time.
    static CString StoredDate(const CString& strUtcTime);
    // The text of a message field.
    static CString Text(IQorMsg* pMsg, HRESULT (STDMETHODCALLTYPE IQorMsg::*getter)(BSTR*));

private:
    CQorMsgStore() = delete;
};
