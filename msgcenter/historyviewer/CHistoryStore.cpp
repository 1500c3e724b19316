#include "msgcenter/historyviewer/CHistoryStore.h"
#include "msgcenter/MsgDb.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorDB/CYqConnect.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorView/CQorViewMgr.h"

namespace {

// The two directions of a conversation between the signed-in user and a peer.
CString PeerCondition(const CString& strMyLogin, const CString& strPeerLogin)
{
    CString me = CHistoryStore::Quote(strMyLogin), peer = CHistoryStore::Quote(strPeerLogin);
    CString text;
    text.Format(L"((qor_Msg.Col_RecvLogin = %s AND qor_Msg.Col_Sender = %s) OR "
                L"(qor_Msg.Col_RecvLogin = %s AND qor_Msg.Col_Sender = %s))",
                me.GetString(), peer.GetString(), peer.GetString(), me.GetString());
    return text;
}

bool ReadRows(const CString& sql, std::vector<HistoryRow>& rows)
{
    rows.clear();
    CYqRecordset rs;
    if (!rs.Open(sql, CHistoryStore::Connection()))
        return false;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        HistoryRow row;
        rs.GetValue(0, row.strSenderName);
        rs.GetValue(1, row.strSendDate);
        row.body = rs.GetChunkAsciiChar(2);
        rs.GetValue(3, row.strMsgId);
        rs.GetValue(4, row.strAppCommand);
        rs.GetValue(5, row.strContentType); // a person's messages only
        rows.push_back(std::move(row));
    }
    rs.Close();
    return true;
}

// Pages are cut from one order in which messages of the same second are ranked by their id, so a
// page boundary between two of them neither repeats one nor drops one.
int Offset(int nPage)
{
    return (nPage > 1 ? nPage - 1 : 0) * CHistoryStore::kPageSize;
}

} // namespace

CYqConnect* CHistoryStore::Connection()
{
    return CQorViewMgr::Instance()->m_pConnect;
}

CString CHistoryStore::Quote(const CString& strValue)
{
    return L"'" + MsgDb::SqlQuote(strValue) + L"'";
}

bool CHistoryStore::CountPeer(const CString& strMyLogin, const CString& strPeerLogin, int& nCount)
{
    nCount = 0;
    if (strMyLogin.IsEmpty() || strPeerLogin.IsEmpty())
        return false;
    return MsgDb::ReadCount(L"SELECT COUNT(*) FROM qor_Msg, qor_Msg_Content WHERE (qor_Msg.Col_ID = qor_Msg_Content.Col_MSGID) AND " +
                         PeerCondition(strMyLogin, strPeerLogin),
                     nCount);
}

bool CHistoryStore::CountTalk(const CString& strTalkId, int& nCount)
{
    nCount = 0;
    if (strTalkId.IsEmpty())
        return false;
    return MsgDb::ReadCount(L"SELECT COUNT(*) FROM qor_Talk_Msg WHERE Col_TalkID = " + Quote(strTalkId), nCount);
}

bool CHistoryStore::LoadPeerPage(const CString& strMyLogin, const CString& strPeerLogin, int nPage,
                                 std::vector<HistoryRow>& rows)
{
    rows.clear();
    if (strMyLogin.IsEmpty() || strPeerLogin.IsEmpty())
        return false;
    CString sql;
    sql.Format(L"SELECT qor_Msg.Col_SenderName, qor_Msg.Col_SendDate, qor_Msg_Content.Col_Content, qor_Msg.Col_ID, "
               L"qor_Msg.Col_XXAppCommand, qor_Msg_Content.Col_ContentType FROM qor_Msg, qor_Msg_Content WHERE (qor_Msg.Col_ID = qor_Msg_Content.Col_MSGID) "
               L"AND %s ORDER BY qor_Msg.Col_SendDate, qor_Msg.Col_ID limit %d,%d;",
               PeerCondition(strMyLogin, strPeerLogin).GetString(), Offset(nPage), kPageSize);
    return ReadRows(sql, rows);
}

bool CHistoryStore::LoadTalkPage(const CString& strTalkId, int nPage, std::vector<HistoryRow>& rows)
{
    rows.clear();
    if (strTalkId.IsEmpty())
        return false;
    CString sql;
    sql.Format(L"SELECT Col_SenderName, Col_SendDate, Col_Data, Col_ID, Col_XXAppCommand FROM qor_Talk_Msg "
               L"WHERE Col_TalkID = %s ORDER BY Col_SendDate, Col_ID limit %d,%d;",
               Quote(strTalkId).GetString(), Offset(nPage), kPageSize);
    return ReadRows(sql, rows);
}

bool CHistoryStore::GetAttachLocalPath(bool bPeer, const CString& strMsgId, const CString& strFileName,
                                       CString& strPath)
{
    CString sql;
    sql.Format(L"SELECT Col_LocalPath FROM %s WHERE Col_MsgID = %s AND Col_FileName = %s",
               bPeer ? L"qor_Msg_Attach" : L"qor_Talk_AttachMent", Quote(strMsgId).GetString(),
               Quote(strFileName).GetString());
    CYqRecordset rs;
    if (!rs.Open(sql, Connection()))
        return false;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
        rs.GetValue(0, strPath);
    rs.Close();
    return true;
}

bool CHistoryStore::GetBody(bool bPeer, const CString& strMsgId, std::string& body)
{
    body.clear();
    if (strMsgId.IsEmpty())
        return false;
    CString sql = bPeer ? L"SELECT Col_Content FROM qor_Msg_Content WHERE Col_MSGID = " + Quote(strMsgId)
                        : L"SELECT Col_Data FROM qor_Talk_Msg WHERE Col_ID = " + Quote(strMsgId);
    CYqRecordset rs;
    if (!rs.Open(sql, Connection()))
        return false;
    rs.MoveFirst();
    bool found = !rs.IsEOF();
    if (found)
        body = rs.GetChunkAsciiChar(0);
    rs.Close();
    return found;
}

bool CHistoryStore::SetAttachLocalPath(bool bPeer, const CString& strMsgId, const CString& strFileName,
                                       const CString& strPath)
{
    CQorMsgDBMgr* db = CQorViewMgr::Instance()->m_pDBMgr;
    CYqConnect* conn = Connection();
    if (!db || !conn)
        return false;
    // A download can end while this thread is inside a transaction of its own making: the title
    // list's deletion lets messages through between its statements. The path waits for that
    // transaction to end, so that it neither commits the deletion half-way nor goes with its
    // rollback.
    if (conn->GetTransDepth() > 0) {
        conn->AfterTrans([=] { SetAttachLocalPath(bPeer, strMsgId, strFileName, strPath); });
        return true;
    }
    if (!conn->BeginTrans())
        return false;
    bool ok = bPeer ? db->UpdateAttachLocalPath(strMsgId, strFileName, strPath)
                    : db->UpdateTalkAttachLocalPath(strMsgId, strFileName, strPath);
    if (ok)
        ok = conn->CommitTrans();
    else
        conn->RollbackTrans();
    return ok;
}
