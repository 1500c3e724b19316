#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorDB/QorDBValues.h"
#include "standin/QorDB/SqlStatement.h"

namespace {

// The message tables. Every column the message centre reads, with defaults so that rows
// written by other code paths read as empty texts and zeros instead of NULL.
const wchar_t kSchema[] =
    L"CREATE TABLE IF NOT EXISTS qor_Msg ("
    L" Col_ID TEXT PRIMARY KEY, Col_Type INTEGER DEFAULT 0, Col_FolderName TEXT DEFAULT '',"
    L" Col_MsgFolder INTEGER DEFAULT 1, Col_Sender TEXT DEFAULT '', Col_SenderName TEXT DEFAULT '',"
    L" Col_RecvLogin TEXT DEFAULT '', Col_RecvName TEXT DEFAULT '', Col_Subject TEXT DEFAULT '',"
    L" Col_SendDate TEXT DEFAULT '', Col_AttachCount INTEGER DEFAULT 0, Col_ReadState INTEGER DEFAULT 0,"
    L" Col_NeedConfirm INTEGER DEFAULT 0, Col_MSGFlag INTEGER DEFAULT 0, Col_XXAppCommand TEXT DEFAULT '',"
    L" Col_SourceMsgID TEXT DEFAULT '');"
    L"CREATE TABLE IF NOT EXISTS qor_Msg_Content ("
    L" Col_MSGID TEXT NOT NULL, Col_ContentType TEXT DEFAULT '', Col_ContentSize INTEGER DEFAULT 0,"
    L" Col_Content BLOB DEFAULT '', Col_Content_Text TEXT DEFAULT '');"
    L"CREATE TABLE IF NOT EXISTS qor_Msg_Attach ("
    L" Col_MSGID TEXT NOT NULL, Col_FileName TEXT DEFAULT '', Col_LocalPath TEXT DEFAULT '',"
    L" Col_Source INTEGER DEFAULT 0);"
    L"CREATE TABLE IF NOT EXISTS qor_Msg_Recv ("
    L" Col_MSGID TEXT NOT NULL, Col_RecvName TEXT DEFAULT '', Col_OpenDate TEXT DEFAULT '2000-01-01 12:00:00');"
    L"CREATE TABLE IF NOT EXISTS qor_Msg_UnRead ("
    L" Col_ID TEXT DEFAULT '', Col_RecvLogin TEXT DEFAULT '', Col_Favourite INTEGER DEFAULT 0);"
    L"CREATE TABLE IF NOT EXISTS Qor_Talk ("
    L" Col_ID TEXT PRIMARY KEY, Col_Type INTEGER DEFAULT 0, Col_Subject TEXT DEFAULT '',"
    L" Col_Dt_Create TEXT DEFAULT '', Col_Creator_Name TEXT DEFAULT '');"
    L"CREATE TABLE IF NOT EXISTS qor_Talk_Msg ("
    L" Col_ID TEXT NOT NULL, Col_TalkID TEXT NOT NULL, Col_SenderName TEXT DEFAULT '',"
    L" Col_SendDate TEXT DEFAULT '', Col_Data BLOB DEFAULT '', Col_XXAppCommand TEXT DEFAULT '',"
    L" Col_SourceMsgID TEXT DEFAULT '');"
    L"CREATE TABLE IF NOT EXISTS qor_Talk_AttachMent ("
    L" Col_TalkID TEXT NOT NULL, Col_MsgID TEXT NOT NULL, Col_FileName TEXT DEFAULT '',"
    L" Col_LocalPath TEXT DEFAULT '', Col_Source INTEGER DEFAULT 0);"
    L"CREATE TABLE IF NOT EXISTS qor_Talk_Log ("
    L" Col_TalkID TEXT NOT NULL, Col_Date TEXT DEFAULT '', Col_Text TEXT DEFAULT '');"
    L"CREATE INDEX IF NOT EXISTS ix_Msg_Content ON qor_Msg_Content (Col_MSGID);"
    L"CREATE INDEX IF NOT EXISTS ix_Msg_Attach ON qor_Msg_Attach (Col_MSGID);"
    L"CREATE INDEX IF NOT EXISTS ix_Msg_Recv ON qor_Msg_Recv (Col_MSGID);"
    L"CREATE INDEX IF NOT EXISTS ix_Msg_Date ON qor_Msg (Col_SendDate);"
    // The title list's views: a folder in each sort order, a person's conversation, the user
    // folders. Each page (LIMIT/OFFSET) then walks an index instead of sorting the folder.
    L"CREATE INDEX IF NOT EXISTS ix_Msg_Folder_Date ON qor_Msg (Col_MsgFolder, Col_SendDate);"
    L"CREATE INDEX IF NOT EXISTS ix_Msg_Folder_State ON qor_Msg (Col_MsgFolder, Col_ReadState);"
    L"CREATE INDEX IF NOT EXISTS ix_Msg_Folder_Attach ON qor_Msg (Col_MsgFolder, Col_AttachCount);"
    L"CREATE INDEX IF NOT EXISTS ix_Msg_Folder_Sender ON qor_Msg (Col_MsgFolder, Col_SenderName);"
    L"CREATE INDEX IF NOT EXISTS ix_Msg_Folder_Subject ON qor_Msg (Col_MsgFolder, Col_Subject);"
    L"CREATE INDEX IF NOT EXISTS ix_Msg_Folder_Recv ON qor_Msg (Col_MsgFolder, Col_RecvName);"
    L"CREATE INDEX IF NOT EXISTS ix_Msg_Person ON qor_Msg (Col_Sender, Col_MsgFolder, Col_RecvLogin);"
    L"CREATE INDEX IF NOT EXISTS ix_Msg_UserFolder ON qor_Msg (Col_Type, Col_FolderName);"
    L"CREATE INDEX IF NOT EXISTS ix_Talk_Msg ON qor_Talk_Msg (Col_TalkID);"
    L"CREATE INDEX IF NOT EXISTS ix_Talk_Attach ON qor_Talk_AttachMent (Col_MsgID);"
    L"CREATE INDEX IF NOT EXISTS ix_Talk_Log ON qor_Talk_Log (Col_TalkID);";

} // namespace

CQorMsgDBMgr::CQorMsgDBMgr() = default;

CQorMsgDBMgr::~CQorMsgDBMgr()
{
    CloseConnect();
}

bool CQorMsgDBMgr::OpenConnect(LPCWSTR pszDBFile)
{
    return m_connect.Open(pszDBFile);
}

void CQorMsgDBMgr::CloseConnect()
{
    m_connect.Close();
}

bool CQorMsgDBMgr::IsConnected() const
{
    return m_connect.IsOpen();
}

bool CQorMsgDBMgr::InitDBTable()
{
    if (!m_connect.BeginTrans())
        return false;
    if (!m_connect.Execute(kSchema)) {
        m_connect.RollbackTrans();
        return false;
    }
    return m_connect.CommitTrans();
}

bool CQorMsgDBMgr::UpdateLocalPath(LPCWSTR pszTable, LPCWSTR pszIdColumn, LPCWSTR pszMsgID, LPCWSTR pszFileName,
                                   LPCWSTR pszLocalPath)
{
    if (!pszMsgID || !pszFileName)
        return false;
    // Find the row in code: the name comparison ignores case beyond ASCII too.
    CString select;
    select.Format(L"SELECT rowid, Col_FileName FROM %s WHERE %s = ?1 ORDER BY rowid", pszTable, pszIdColumn);
    long long rowid = -1;
    {
        SqlStatement st(&m_connect, select);
        st.Bind(1, pszMsgID);
        while (st.Step()) {
            if (st.Text(1).CompareNoCase(pszFileName) == 0) {
                rowid = st.Int(0);
                break;
            }
        }
    }
    if (rowid < 0)
        return false;
    CString update;
    update.Format(L"UPDATE %s SET Col_LocalPath = ?1 WHERE rowid = ?2", pszTable);
    return SqlStatement::Execute(&m_connect, update, pszLocalPath ? pszLocalPath : L"", rowid);
}

bool CQorMsgDBMgr::UpdateAttachLocalPath(LPCWSTR pszMsgID, LPCWSTR pszFileName, LPCWSTR pszLocalPath)
{
    return UpdateLocalPath(L"qor_Msg_Attach", L"Col_MSGID", pszMsgID, pszFileName, pszLocalPath);
}

bool CQorMsgDBMgr::UpdateTalkAttachLocalPath(LPCWSTR pszMsgID, LPCWSTR pszFileName, LPCWSTR pszLocalPath)
{
    return UpdateLocalPath(L"qor_Talk_AttachMent", L"Col_MsgID", pszMsgID, pszFileName, pszLocalPath);
}

bool CQorMsgDBMgr::AddMsg(const QorMsgRecord& m)
{
    return SqlStatement::Execute(&m_connect,
        L"INSERT INTO qor_Msg (Col_ID, Col_Type, Col_FolderName, Col_MsgFolder, Col_Sender, Col_SenderName,"
        L" Col_RecvLogin, Col_RecvName, Col_Subject, Col_SendDate, Col_AttachCount, Col_ReadState,"
        L" Col_NeedConfirm, Col_MSGFlag, Col_XXAppCommand, Col_SourceMsgID)"
        L" VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16)",
        m.id, m.type, m.folderName, m.msgFolder, m.sender, m.senderName, m.recvLogin, m.recvName, m.subject,
        m.sendDate, m.attachCount, m.readState, m.needConfirm, m.msgFlag, m.appCommand, m.sourceMsgID);
}

bool CQorMsgDBMgr::AddMsgContent(LPCWSTR pszMsgID, const QorMsgBody& body)
{
    SqlStatement st(&m_connect, L"INSERT INTO qor_Msg_Content (Col_MSGID, Col_ContentType, Col_ContentSize, Col_Content,"
                                L" Col_Content_Text) VALUES (?1, ?2, ?3, ?4, ?5)");
    st.Bind(1, pszMsgID);
    st.Bind(2, body.contentType);
    st.Bind(3, static_cast<long long>(body.bytes.size()));
    st.BindBytes(4, body.bytes.data(), static_cast<int>(body.bytes.size()));
    st.Bind(5, body.text);
    return st.Run();
}

bool CQorMsgDBMgr::AddMsgAttach(LPCWSTR pszMsgID, LPCWSTR pszFileName, LPCWSTR pszLocalPath, int nSource)
{
    return SqlStatement::Execute(&m_connect,
        L"INSERT INTO qor_Msg_Attach (Col_MSGID, Col_FileName, Col_LocalPath, Col_Source)"
        L" VALUES (?1, ?2, ?3, ?4)",
        pszMsgID, pszFileName, pszLocalPath, nSource);
}

bool CQorMsgDBMgr::AddMsgRecv(LPCWSTR pszMsgID, LPCWSTR pszRecvName, LPCWSTR pszOpenDate)
{
    return SqlStatement::Execute(&m_connect,
        L"INSERT INTO qor_Msg_Recv (Col_MSGID, Col_RecvName, Col_OpenDate) VALUES (?1, ?2, ?3)",
        pszMsgID, pszRecvName, pszOpenDate && *pszOpenDate ? pszOpenDate : QorDbValues::kNotOpenedDate);
}

bool CQorMsgDBMgr::AddUnread(LPCWSTR pszMsgID, LPCWSTR pszRecvLogin, int nFavourite)
{
    return SqlStatement::Execute(&m_connect,
        L"INSERT INTO qor_Msg_UnRead (Col_ID, Col_RecvLogin, Col_Favourite) VALUES (?1, ?2, ?3)",
        pszMsgID, pszRecvLogin, nFavourite);
}

bool CQorMsgDBMgr::MarkMsgRead(LPCWSTR pszMsgID)
{
    return SqlStatement::Execute(&m_connect, L"DELETE FROM qor_Msg_UnRead WHERE Col_ID = ?1", pszMsgID) &&
           SqlStatement::Execute(&m_connect,
                                 L"UPDATE qor_Msg SET Col_ReadState = ?2 WHERE Col_ID = ?1 AND Col_MsgFolder = ?3"
                                 L" AND Col_ReadState = ?4",
                                 pszMsgID, QorDbValues::kStateRead, QorDbValues::kFolderReceived,
                                 QorDbValues::kStateUnread);
}

bool CQorMsgDBMgr::AddTalk(LPCWSTR pszTalkID, int nType, LPCWSTR pszSubject, LPCWSTR pszCreated,
                           LPCWSTR pszCreatorName)
{
    return SqlStatement::Execute(&m_connect,
        L"INSERT INTO Qor_Talk (Col_ID, Col_Type, Col_Subject, Col_Dt_Create, Col_Creator_Name)"
        L" VALUES (?1, ?2, ?3, ?4, ?5)",
        pszTalkID, nType, pszSubject, pszCreated, pszCreatorName);
}

bool CQorMsgDBMgr::AddTalkMsg(const QorTalkMsgRecord& e)
{
    SqlStatement st(&m_connect, L"INSERT INTO qor_Talk_Msg (Col_ID, Col_TalkID, Col_SenderName, Col_SendDate, Col_Data,"
                                L" Col_XXAppCommand, Col_SourceMsgID) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    st.Bind(1, e.id);
    st.Bind(2, e.talkID);
    st.Bind(3, e.senderName);
    st.Bind(4, e.sendDate);
    st.BindBytes(5, e.data.data(), static_cast<int>(e.data.size()));
    st.Bind(6, e.appCommand);
    st.Bind(7, e.sourceMsgID);
    return st.Run();
}

bool CQorMsgDBMgr::AddTalkAttach(LPCWSTR pszTalkID, LPCWSTR pszMsgID, LPCWSTR pszFileName, LPCWSTR pszLocalPath,
                                 int nSource)
{
    return SqlStatement::Execute(&m_connect,
        L"INSERT INTO qor_Talk_AttachMent (Col_TalkID, Col_MsgID, Col_FileName, Col_LocalPath,"
        L" Col_Source) VALUES (?1, ?2, ?3, ?4, ?5)",
        pszTalkID, pszMsgID, pszFileName, pszLocalPath, nSource);
}

bool CQorMsgDBMgr::AddTalkLog(LPCWSTR pszTalkID, LPCWSTR pszDate, LPCWSTR pszText)
{
    return SqlStatement::Execute(&m_connect,
        L"INSERT INTO qor_Talk_Log (Col_TalkID, Col_Date, Col_Text) VALUES (?1, ?2, ?3)",
        pszTalkID, pszDate, pszText);
}

bool CQorMsgDBMgr::GetMemoDBTime(CString& strTime)
{
    strTime.Empty();
    CString path = m_connect.GetPath();
    if (path.IsEmpty())
        return false;
    WIN32_FILE_ATTRIBUTE_DATA fad;
    if (!::GetFileAttributesExW(path, GetFileExInfoStandard, &fad))
        return false;
    FILETIME local;
    SYSTEMTIME st;
    if (!::FileTimeToLocalFileTime(&fad.ftLastWriteTime, &local) || !::FileTimeToSystemTime(&local, &st))
        return false;
    strTime.Format(L"%04d-%02d-%02d %02d:%02d:%02d", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    return true;
}
