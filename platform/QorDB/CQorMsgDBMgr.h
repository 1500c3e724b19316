#pragma once
// The message database manager: it owns the one connection to the signed-in user's
// message database and creates the tables the message centre reads.
//
// Tables made by InitDBTable (every column the message centre reads, plus a few of the
// library's own: Col_SourceMsgID, Col_Source, qor_Talk_Log):
//   qor_Msg, qor_Msg_Content, qor_Msg_Attach, qor_Msg_Recv, qor_Msg_UnRead,
//   Qor_Talk, qor_Talk_Msg, qor_Talk_AttachMent, qor_Talk_Log
#include "platform/QorDB/CYqConnect.h"
#include "platform/QorDB/QorDBRecords.h"

class CQorMsgDBMgr {
public:
    CQorMsgDBMgr();
    virtual ~CQorMsgDBMgr();
    CQorMsgDBMgr(const CQorMsgDBMgr&) = delete;
    CQorMsgDBMgr& operator=(const CQorMsgDBMgr&) = delete;

    // Opens the database file (creating it when missing); false when it cannot be opened.
    bool OpenConnect(LPCWSTR pszDBFile);
    void CloseConnect();
    bool IsConnected() const;
    CYqConnect* GetConnect() { return &m_connect; }

    // Creates the missing tables and indexes; existing tables and rows are kept.
    bool InitDBTable();

    // Where a downloaded attachment was saved: the first row of the message (id compared
    // with case) whose file name matches without case. False when no row took the path.
    bool UpdateAttachLocalPath(LPCWSTR pszMsgID, LPCWSTR pszFileName, LPCWSTR pszLocalPath);
    bool UpdateTalkAttachLocalPath(LPCWSTR pszMsgID, LPCWSTR pszFileName, LPCWSTR pszLocalPath);

    // The write side, every value bound (never pasted into SQL text). Each returns false when
    // the row could not be stored; inside the caller's transaction that failure dooms it.
    bool AddMsg(const QorMsgRecord& msg);
    bool AddMsgContent(LPCWSTR pszMsgID, const QorMsgBody& body);
    // source: 0 view-library download, 1 body file transfer, 2 not available.
    bool AddMsgAttach(LPCWSTR pszMsgID, LPCWSTR pszFileName, LPCWSTR pszLocalPath, int nSource);
    // An empty open date stores "2000-01-01 12:00:00", the mark of a receipt not yet opened.
    bool AddMsgRecv(LPCWSTR pszMsgID, LPCWSTR pszRecvName, LPCWSTR pszOpenDate);
    bool AddUnread(LPCWSTR pszMsgID, LPCWSTR pszRecvLogin, int nFavourite);
    // The user has read the message: its unread mark goes, and a received message still marked
    // unread (read state 0) becomes read (2). False when a statement failed.
    bool MarkMsgRead(LPCWSTR pszMsgID);
    bool AddTalk(LPCWSTR pszTalkID, int nType, LPCWSTR pszSubject, LPCWSTR pszCreated, LPCWSTR pszCreatorName);
    bool AddTalkMsg(const QorTalkMsgRecord& entry);
    bool AddTalkAttach(LPCWSTR pszTalkID, LPCWSTR pszMsgID, LPCWSTR pszFileName, LPCWSTR pszLocalPath, int nSource);
    bool AddTalkLog(LPCWSTR pszTalkID, LPCWSTR pszDate, LPCWSTR pszText);

    // Last change of the database file as "YYYY-MM-DD HH:MM:SS" (local time); false and an
    // empty text when no database is open.
    bool GetMemoDBTime(CString& strTime);

private:
    bool UpdateLocalPath(LPCWSTR pszTable, LPCWSTR pszIdColumn, LPCWSTR pszMsgID, LPCWSTR pszFileName,
                         LPCWSTR pszLocalPath);

    CYqConnect m_connect;
};
