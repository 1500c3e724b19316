#pragma once
// The statements of the contact-history pane: the messages exchanged with one contact from one
// day before to two days after a message's date, and the look-ups of one message. Logins and ids
// are quoted (MsgDb::SqlQuote), so a quote in them can never end the literal.
#include "framework/CString.h"

class CContactHistoryQuery {
public:
    // The window around a stored send date "YYYY-MM-DD HH:MM:SS": the same second one day
    // before and two days after, as date texts. False (bounds untouched) when the text is not
    // such a date: too few fields, or a day or time that does not exist.
    static bool DateWindow(LPCWSTR pszDate, CString& strLower, CString& strUpper);
    // Received messages from the peer and the messages the user sent to the peer, sent within
    // [lower, upper] (compared as text), oldest first.
    static CString History(const CString& strPeer, const CString& strSelf, const CString& strLower,
                           const CString& strUpper);
    // Sender name, send date, receiver name, attachment count and flags of one message.
    static CString Message(const CString& strID);
    // Sender login and name of one message.
    static CString Sender(const CString& strID);

private:
    CContactHistoryQuery() = delete;
};
