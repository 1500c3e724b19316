#include "msgcenter/titlelist/CTitleListQuery.h"
#include "framework/CStringArray.h"

namespace {

const wchar_t kRowColumns[] =
    L"SELECT qor_Msg.Col_ID, qor_Msg.Col_AttachCount, qor_Msg.Col_ReadState, qor_Msg.Col_SenderName, "
    L"qor_Msg.Col_Subject, qor_Msg.Col_SendDate, qor_Msg.Col_RecvName, qor_Msg.Col_MSGFlag ";

// The person words of a search, split at ";" (empty words dropped).
void SplitWords(const CString& strText, CStringArray& words)
{
    int start = 0;
    while (start <= strText.GetLength()) {
        int end = strText.Find(L';', start);
        if (end < 0)
            end = strText.GetLength();
        CString word = strText.Mid(start, end - start);
        word.Trim();
        if (!word.IsEmpty())
            words.Add(word);
        start = end + 1;
    }
}

} // namespace

CString CTitleListQuery::Quote(const CString& strValue)
{
    CString out(strValue);
    out.Replace(L"'", L"''");
    return out;
}

CString CTitleListQuery::LikeEscape(const CString& strValue)
{
    CString out;
    for (int i = 0; i < strValue.GetLength(); ++i) {
        wchar_t c = strValue[i];
        if (c == L'\\' || c == L'%' || c == L'_')
            out += L'\\';
        out += c;
    }
    return Quote(out);
}

CTitleListStatements CTitleListQuery::Folder(int nFolder)
{
    CTitleListStatements s;
    s.strCount.Format(L"SELECT count(*) FROM qor_Msg WHERE Col_MsgFolder = %d", nFolder);
    s.strBase.Format(L"%sFROM qor_Msg WHERE Col_MsgFolder = %d", kRowColumns, nFolder);
    return s;
}

CTitleListStatements CTitleListQuery::ReadState()
{
    CTitleListStatements s;
    const wchar_t* where = L"WHERE Col_MSGFolder = %d AND ( Col_ReadState = %d OR Col_ReadState = %d )";
    CString cond;
    cond.Format(where, kFolderSent, 0, 4);
    s.strCount = L"SELECT count(*) FROM qor_Msg " + cond;
    s.strBase = CString(kRowColumns) + L"FROM qor_Msg " + cond;
    return s;
}

CTitleListStatements CTitleListQuery::TalkHistory(const CString& strPeer, const CString& strSelf)
{
    CString peer = Quote(strPeer), self = Quote(strSelf);
    CString cond;
    cond.Format(L"WHERE ( qor_Msg.Col_Sender = '%s' AND qor_Msg.Col_MSGFolder = 1 ) OR "
                L"( qor_Msg.Col_Sender = '%s' AND qor_Msg.Col_MSGFolder = 2 AND qor_Msg.Col_RecvLogin = '%s' ) ",
                peer.GetString(), self.GetString(), peer.GetString());
    CTitleListStatements s;
    s.strCount = L"SELECT count(*) FROM qor_Msg " + cond;
    s.strBase = CString(kRowColumns) + L"FROM qor_Msg " + cond;
    return s;
}

CTitleListStatements CTitleListQuery::Search(const CString& strText, const CString& strPersons,
                                             const CString& strFirstDay, const CString& strLastDay)
{
    CString cond;
    cond.Format(L"WHERE qor_Msg.Col_ID = qor_Msg_Content.Col_MSGID AND "
                L"qor_Msg_Content.Col_Content_Text LIKE '%%%s%%' ESCAPE '\\'",
                LikeEscape(strText).GetString());

    CStringArray words;
    SplitWords(strPersons, words);
    for (INT_PTR i = 0; i < words.GetSize(); ++i) {
        CString w = LikeEscape(words[i]);
        CString clause;
        clause.Format(L" AND ( qor_Msg.Col_Sender LIKE '%%%s%%' ESCAPE '\\' OR qor_Msg.Col_SenderName LIKE '%%%s%%' ESCAPE '\\'"
                      L" OR qor_Msg.Col_RecvLogin LIKE '%%%s%%' ESCAPE '\\' OR qor_Msg.Col_RecvName LIKE '%%%s%%' ESCAPE '\\' )",
                      w.GetString(), w.GetString(), w.GetString(), w.GetString());
        cond += clause;
    }

    // A range with one bound stays open on the other side.
    CString first = Quote(strFirstDay), last = Quote(strLastDay);
    if (!last.IsEmpty() && !first.IsEmpty()) {
        CString clause;
        clause.Format(L" AND ( qor_Msg.Col_SendDate <= '%s 23:59:59' AND qor_Msg.Col_SendDate >= '%s 00:00:00' )",
                      last.GetString(), first.GetString());
        cond += clause;
    } else if (!last.IsEmpty()) {
        CString clause;
        clause.Format(L" AND ( qor_Msg.Col_SendDate <= '%s 23:59:59' )", last.GetString());
        cond += clause;
    } else if (!first.IsEmpty()) {
        CString clause;
        clause.Format(L" AND ( qor_Msg.Col_SendDate >= '%s 00:00:00' )", first.GetString());
        cond += clause;
    }

    CTitleListStatements s;
    s.strCount = L"SELECT count(*) FROM qor_Msg, qor_Msg_Content " + cond;
    s.strBase = CString(kRowColumns) + L"FROM qor_Msg, qor_Msg_Content " + cond;
    return s;
}

CString CTitleListQuery::UserFolder(const CString& strFolderName)
{
    CString sql;
    if (strFolderName.IsEmpty())
        sql.Format(L"SELECT DISTINCT Col_ID, Col_AttachCount, Col_ReadState, Col_NeedConfirm, Col_SenderName, "
                   L"Col_Subject, Col_SendDate, Col_RecvName FROM qor_Msg WHERE Col_Type = %d ORDER BY Col_SendDate DESC",
                   3);
    else
        sql.Format(L"SELECT DISTINCT Col_ID, Col_AttachCount, Col_ReadState, Col_NeedConfirm, Col_SenderName, "
                   L"Col_Subject, Col_SendDate, Col_RecvName FROM qor_Msg WHERE Col_Type = %d AND Col_FolderName = '%s' "
                   L"ORDER BY Col_SendDate DESC",
                   3, Quote(strFolderName).GetString());
    return sql;
}

CString CTitleListQuery::OrderBy(int nColumn, bool bDescending, bool bReverse)
{
    static const wchar_t* const kColumns[] = {L"Col_ReadState", L"Col_AttachCount", L"Col_SenderName",
                                              L"Col_Subject", L"Col_SendDate", L"Col_RecvName"};
    const wchar_t* column = L"Col_SendDate";
    bool desc = true;
    if (nColumn >= 0 && nColumn <= 5) {
        column = kColumns[nColumn];
        desc = bDescending;
    }
    if (bReverse)
        desc = !desc;
    CString clause;
    clause.Format(L" ORDER BY qor_msg.%s%s, qor_msg.rowid%s", column, desc ? L" DESC" : L"", desc ? L" DESC" : L"");
    return clause;
}

CString CTitleListQuery::Page(const CString& strBase, int nColumn, bool bDescending, int nFrom, int nCount, int nTotal,
                              bool& bReversed)
{
    bReversed = nTotal > 0 && nFrom > nTotal / 2 && nFrom < nTotal;
    int offset = nFrom;
    if (bReversed) {
        if (nFrom + nCount > nTotal)
            nCount = nTotal - nFrom;
        offset = nTotal - nFrom - nCount;
    }
    CString sql;
    sql.Format(L"%s%s LIMIT %d OFFSET %d", strBase.GetString(), OrderBy(nColumn, bDescending, bReversed).GetString(),
               nCount, offset);
    return sql;
}
