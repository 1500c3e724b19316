#pragma once
// CHistoryStore: what the history viewer reads from and writes to the local message database
// for one conversation, a person's (peer: qor_Msg with qor_Msg_Content) or a discussion's
// (talk: qor_Talk_Msg), and where a downloaded attachment was saved, for every pane that
// downloads one. Every login, id and file name goes into the statements quoted, so a value from
// someone else's message can never change a statement.
#include "framework/CString.h"
#include <string>
#include <vector>

class CYqConnect;

struct HistoryRow {
    CString strSenderName;
    CString strSendDate;
    std::string body; // the stored bytes (UTF-8 for KTF and plain text)
    CString strMsgId;
    CString strAppCommand;
    // A person's message: its Col_ContentType, which says what the body is. A discussion's
    // entries have none: they are KTF bodies.
    CString strContentType;
};

class CHistoryStore {
public:
    static const int kPageSize = 20;

    // The view manager's shared connection (null while none is open).
    static CYqConnect* Connection();
    // The value as a quoted SQL text literal, single quotes doubled.
    static CString Quote(const CString& strValue);

    // Number of stored messages; false (and 0) when the query fails or the key is empty.
    static bool CountPeer(const CString& strMyLogin, const CString& strPeerLogin, int& nCount);
    static bool CountTalk(const CString& strTalkId, int& nCount);
    // The rows of one page (1-based), oldest first; false when the query fails.
    static bool LoadPeerPage(const CString& strMyLogin, const CString& strPeerLogin, int nPage,
                             std::vector<HistoryRow>& rows);
    static bool LoadTalkPage(const CString& strTalkId, int nPage, std::vector<HistoryRow>& rows);
    // The stored local path of an attachment (out keeps what it held when there is no row);
    // false when the query fails.
    static bool GetAttachLocalPath(bool bPeer, const CString& strMsgId, const CString& strFileName,
                                   CString& strPath);
    // The stored body of a message; false when the query fails or the message is not stored.
    static bool GetBody(bool bPeer, const CString& strMsgId, std::string& body);
    // Records where an attachment was saved (a person's message: qor_Msg_Attach; a discussion's:
    // qor_Talk_AttachMent), in one transaction of its own; false (rolled back) on failure. Called
    // while the thread is inside another transaction, it writes once that one has ended and
    // answers true.
    static bool SetAttachLocalPath(bool bPeer, const CString& strMsgId, const CString& strFileName,
                                   const CString& strPath);

private:
    CHistoryStore() = delete;
};
