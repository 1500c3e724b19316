#include "msgcenter/historyviewer/CHistoryDeleter.h"
#include "msgcenter/historyviewer/CHistoryStore.h"
#include "platform/QorDB/CYqConnect.h"
#include <initializer_list>

namespace {

bool RunInTransaction(std::initializer_list<CString> statements, CString& strError)
{
    CYqConnect* conn = CHistoryStore::Connection();
    if (!conn || !conn->IsOpen()) {
        strError = L"no database is open";
        return false;
    }
    if (!conn->BeginTrans()) {
        strError = conn->GetLastError();
        return false;
    }
    for (const CString& sql : statements) {
        if (!conn->Execute(sql)) {
            strError = conn->GetLastError();
            conn->RollbackTrans();
            return false;
        }
    }
    if (!conn->CommitTrans()) {
        strError = conn->GetLastError();
        conn->RollbackTrans();
        return false;
    }
    strError.Empty();
    return true;
}

CString Before(LPCWSTR column, const CString& strCutoff)
{
    return strCutoff.IsEmpty() ? CString() : CString(L" AND ") + column + L" < " + CHistoryStore::Quote(strCutoff);
}

} // namespace

bool CHistoryDeleter::DeletePeer(const CString& strMyLogin, const CString& strPeerLogin, const CString& strCutoff,
                                 CString& strError)
{
    if (strMyLogin.IsEmpty() || strPeerLogin.IsEmpty()) {
        strError = L"no conversation";
        return false;
    }
    CString me = CHistoryStore::Quote(strMyLogin), peer = CHistoryStore::Quote(strPeerLogin);
    CString where;
    where.Format(L"((Col_RecvLogin = %s AND Col_Sender = %s) OR (Col_RecvLogin = %s AND Col_Sender = %s))",
                 me.GetString(), peer.GetString(), peer.GetString(), me.GetString());
    where += Before(L"Col_SendDate", strCutoff);
    const CString ids = L"(SELECT Col_ID FROM qor_Msg WHERE " + where + L")";
    // The rows hanging off the messages go first, while the messages still name them.
    return RunInTransaction({L"DELETE FROM qor_Msg_Attach WHERE Col_MSGID IN " + ids,
                             L"DELETE FROM qor_Msg_Content WHERE Col_MSGID IN " + ids,
                             L"DELETE FROM qor_Msg_Recv WHERE Col_MSGID IN " + ids,
                             L"DELETE FROM qor_Msg_UnRead WHERE Col_ID IN " + ids,
                             L"DELETE FROM qor_Msg WHERE " + where},
                            strError);
}

bool CHistoryDeleter::DeleteTalk(const CString& strTalkId, const CString& strCutoff, CString& strError)
{
    if (strTalkId.IsEmpty()) {
        strError = L"no discussion";
        return false;
    }
    CString where = L"Col_TalkID = " + CHistoryStore::Quote(strTalkId) + Before(L"Col_SendDate", strCutoff);
    return RunInTransaction({L"DELETE FROM qor_Talk_AttachMent WHERE Col_MsgID IN (SELECT Col_ID FROM qor_Talk_Msg WHERE " +
                                 where + L")",
                             L"DELETE FROM qor_Talk_Msg WHERE " + where},
                            strError);
}

CString CHistoryDeleter::CutoffDaysAgo(int nDays, const SYSTEMTIME& now)
{
    FILETIME ft;
    ::SystemTimeToFileTime(&now, &ft);
    ULARGE_INTEGER t;
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    // 100-ns ticks per day. Local wall time is counted plainly: a cutoff of 3 days at 12:00 is
    // 12:00 three calendar days back.
    t.QuadPart -= static_cast<ULONGLONG>(nDays) * 864000000000ULL;
    ft.dwLowDateTime = t.LowPart;
    ft.dwHighDateTime = t.HighPart;
    SYSTEMTIME st;
    ::FileTimeToSystemTime(&ft, &st);
    CString text;
    text.Format(L"%04d-%02d-%02d %02d:%02d:%02d", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    return text;
}
