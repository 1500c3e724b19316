#include "platform/QorDB/CQorMsgDBMgr.h"
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
    SqlStatement st(&m_connect, update);
    st.Bind(1, pszLocalPath ? pszLocalPath : L"");
    st.Bind(2, rowid);
    return st.IsValid() && st.Run();
}

bool CQorMsgDBMgr::UpdateAttachLocalPath(LPCWSTR pszMsgID, LPCWSTR pszFileName, LPCWSTR pszLocalPath)
{
    return UpdateLocalPath(L"qor_Msg_Attach", L"Col_MSGID", pszMsgID, pszFileName, pszLocalPath);
}

bool CQorMsgDBMgr::UpdateTalkAttachLocalPath(LPCWSTR pszMsgID, LPCWSTR pszFileName, LPCWSTR pszLocalPath)
{
    return UpdateLocalPath(L"qor_Talk_AttachMent", L"Col_MsgID", pszMsgID, pszFileName, pszLocalPath);
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
