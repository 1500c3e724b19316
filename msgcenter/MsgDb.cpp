#include "msgcenter/MsgDb.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorView/CQorViewMgr.h"
#include <cwctype>

namespace MsgDb {

CString SqlQuote(LPCWSTR pszText)
{
    CString s(pszText);
    s.Replace(L"'", L"''");
    return s;
}

CString DateText(const SYSTEMTIME& st)
{
    CString s;
    s.Format(L"%04u-%02u-%02u %02u:%02u:%02u", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    return s;
}

bool IsDateText(LPCWSTR pszText)
{
    static const wchar_t kShape[] = L"dddd-dd-dd dd:dd:dd";
    if (!pszText)
        return false;
    for (int i = 0; kShape[i]; ++i) {
        const wchar_t c = pszText[i];
        if (kShape[i] == L'd' ? !(c >= L'0' && c <= L'9') : c != kShape[i])
            return false;
    }
    return pszText[19] == 0;
}

CString DayStart(LPCWSTR pszDay)
{
    return SqlQuote(pszDay) + L" 00:00:00";
}

CString DayEnd(LPCWSTR pszDay)
{
    return SqlQuote(pszDay) + L" 23:59:59";
}

int ReadStateIcon(int nReadState, int nCurrent)
{
    switch (nReadState) {
    case 0: return 2;
    case 1: return 7;
    case 2: return 1;
    case 4: return 4;
    case 8: return 3;
    case 16: return 8;
    default: return nCurrent;
    }
}

bool IsReceiptOpened(LPCWSTR pszOpenDate)
{
    return !pszOpenDate || wcscmp(pszOpenDate, kNotOpenedDate) != 0;
}

bool ReadCount(const CString& strSql, int& nCount)
{
    nCount = 0;
    CYqRecordset rs;
    if (!rs.Open(strSql, CQorViewMgr::Instance()->m_pConnect))
        return false;
    rs.MoveFirst();
    if (!rs.IsEOF())
        rs.GetValue(0, nCount);
    rs.Close();
    return true;
}

} // namespace MsgDb
