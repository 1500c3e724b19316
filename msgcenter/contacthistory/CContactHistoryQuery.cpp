#include "msgcenter/contacthistory/CContactHistoryQuery.h"
#include "msgcenter/MsgDb.h"
#include <cwchar>

namespace {

const ULONGLONG kTicksPerDay = 24ull * 60 * 60 * 10000000;

bool ShiftDays(const FILETIME& base, int nDays, CString& strOut)
{
    ULARGE_INTEGER v;
    v.LowPart = base.dwLowDateTime;
    v.HighPart = base.dwHighDateTime;
    if (nDays < 0) {
        const ULONGLONG back = kTicksPerDay * static_cast<ULONGLONG>(-nDays);
        if (v.QuadPart < back)
            return false;
        v.QuadPart -= back;
    }
    else
        v.QuadPart += kTicksPerDay * static_cast<ULONGLONG>(nDays);
    FILETIME ft = {v.LowPart, v.HighPart};
    SYSTEMTIME st;
    if (!::FileTimeToSystemTime(&ft, &st))
        return false;
    strOut = MsgDb::DateText(st);
    return true;
}

} // namespace

bool CContactHistoryQuery::DateWindow(LPCWSTR pszDate, CString& strLower, CString& strUpper)
{
    if (!pszDate)
        return false;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (swscanf(pszDate, L"%d-%d-%d %d:%d:%d", &year, &month, &day, &hour, &minute, &second) != 6)
        return false;
    if (year < 1601 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(second);
    FILETIME ft;
    // Refuses the 30th of February and its like.
    if (!::SystemTimeToFileTime(&st, &ft))
        return false;
    CString lower, upper;
    if (!ShiftDays(ft, -1, lower) || !ShiftDays(ft, 2, upper))
        return false;
    strLower = lower;
    strUpper = upper;
    return true;
}

CString CContactHistoryQuery::History(const CString& strPeer, const CString& strSelf, const CString& strLower,
                                      const CString& strUpper)
{
    const CString peer = MsgDb::SqlQuote(strPeer), self = MsgDb::SqlQuote(strSelf);
    CString sql;
    sql.Format(L"SELECT qor_Msg.Col_ID, qor_Msg.Col_AttachCount, qor_Msg.Col_ReadState, "
               L"qor_Msg.Col_SenderName, qor_Msg.Col_Subject, qor_Msg.Col_SendDate, "
               L"qor_Msg.Col_RecvName, qor_Msg.Col_MSGFlag FROM qor_Msg "
               L"WHERE ( (qor_Msg.Col_Sender = '%s' AND qor_Msg.Col_MSGFolder = 1 ) OR "
               L"( qor_Msg.Col_Sender = '%s' AND qor_Msg.Col_MSGFolder = 2 AND qor_Msg.Col_RecvLogin = '%s' ) ) AND "
               L"( qor_Msg.Col_SendDate <= '%s' AND qor_Msg.Col_SendDate >= '%s' ) ORDER BY qor_Msg.Col_SendDate",
               peer.GetString(), self.GetString(), peer.GetString(), MsgDb::SqlQuote(strUpper).GetString(),
               MsgDb::SqlQuote(strLower).GetString());
    return sql;
}

CString CContactHistoryQuery::Message(const CString& strID)
{
    CString sql;
    sql.Format(L"SELECT Col_SenderName, Col_SendDate, Col_RecvName, Col_AttachCount, Col_MsgFlag FROM qor_Msg "
               L"WHERE Col_ID = '%s'",
               MsgDb::SqlQuote(strID).GetString());
    return sql;
}

CString CContactHistoryQuery::Sender(const CString& strID)
{
    CString sql;
    sql.Format(L"SELECT Col_Sender, Col_SenderName FROM qor_Msg WHERE Col_ID = '%s'",
               MsgDb::SqlQuote(strID).GetString());
    return sql;
}
