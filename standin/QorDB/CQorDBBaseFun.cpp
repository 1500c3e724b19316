#include "platform/QorDB/CQorDBBaseFun.h"
#include "platform/QorDB/CYqConnect.h"
#include "standin/QorDB/SqlStatement.h"
#include <sqlite3.h>

bool CQorDBBaseFun::DeleteMsg(CYqConnect* pConnect, LPCWSTR pszMsgID)
{
    return SqlStatement::Execute(pConnect, L"DELETE FROM qor_Msg WHERE Col_ID = ?1", pszMsgID);
}

bool CQorDBBaseFun::DeleteMsgAttach(CYqConnect* pConnect, LPCWSTR pszMsgID)
{
    return SqlStatement::Execute(pConnect, L"DELETE FROM qor_Msg_Attach WHERE Col_MSGID = ?1", pszMsgID);
}

bool CQorDBBaseFun::DeleteMsgContent(CYqConnect* pConnect, LPCWSTR pszMsgID)
{
    return SqlStatement::Execute(pConnect, L"DELETE FROM qor_Msg_Content WHERE Col_MSGID = ?1", pszMsgID);
}

bool CQorDBBaseFun::DeleteMsgRecv(CYqConnect* pConnect, LPCWSTR pszMsgID)
{
    return SqlStatement::Execute(pConnect, L"DELETE FROM qor_Msg_Recv WHERE Col_MSGID = ?1", pszMsgID);
}

bool CQorDBBaseFun::DeleteTalkItem(CYqConnect* pConnect, LPCWSTR pszTalkID)
{
    return SqlStatement::Execute(pConnect, L"DELETE FROM Qor_Talk WHERE Col_ID = ?1", pszTalkID);
}

bool CQorDBBaseFun::DeleteTalkMsg(CYqConnect* pConnect, LPCWSTR pszTalkID)
{
    return SqlStatement::Execute(pConnect, L"DELETE FROM qor_Talk_Msg WHERE Col_TalkID = ?1", pszTalkID);
}

bool CQorDBBaseFun::DeleteTalkAttachment(CYqConnect* pConnect, LPCWSTR pszTalkID)
{
    return SqlStatement::Execute(pConnect, L"DELETE FROM qor_Talk_AttachMent WHERE Col_TalkID = ?1", pszTalkID);
}

bool CQorDBBaseFun::DeleteTalkLog(CYqConnect* pConnect, LPCWSTR pszTalkID)
{
    return SqlStatement::Execute(pConnect, L"DELETE FROM qor_Talk_Log WHERE Col_TalkID = ?1", pszTalkID);
}

bool CQorDBBaseFun::FindTalkByNumber(CYqConnect* pConnect, int nNumber, CString& strTalkID)
{
    strTalkID.Empty();
    // A text comparison of the id's tail, not LIKE: "_" there would match any character.
    CString suffix;
    suffix.Format(L"_%d", nNumber);
    SqlStatement st(pConnect, L"SELECT Col_ID FROM Qor_Talk WHERE substr(Col_ID, -length(?1)) = ?1 ORDER BY rowid");
    st.Bind(1, suffix);
    if (!st.Step())
        return false;
    strTalkID = st.Text(0);
    return true;
}

bool CQorDBBaseFun::GetMsgContentInfo(CYqConnect* pConnect, LPCWSTR pszMsgID, CString& strContent,
                                      CString& strContentType)
{
    strContent.Empty();
    strContentType.Empty();
    SqlStatement st(pConnect, L"SELECT Col_Content, Col_ContentType FROM qor_Msg_Content WHERE Col_MSGID = ?1");
    st.Bind(1, pszMsgID);
    if (!st.Step())
        return false;
    // The body may be stored as text or as bytes; either way it holds UTF-8.
    strContent = st.Text(0);
    strContentType = st.Text(1);
    return true;
}

bool CQorDBBaseFun::GetMsgContent(CYqConnect* pConnect, LPCWSTR pszMsgID, CString& strContent)
{
    CString type;
    return GetMsgContentInfo(pConnect, pszMsgID, strContent, type);
}

bool CQorDBBaseFun::GetSourceMsgID(CYqConnect* pConnect, LPCWSTR pszMsgID, CString& strSourceID)
{
    strSourceID.Empty();
    static const wchar_t* const queries[] = {
        L"SELECT Col_SourceMsgID FROM qor_Msg WHERE Col_ID = ?1",
        L"SELECT Col_SourceMsgID FROM qor_Talk_Msg WHERE Col_ID = ?1",
    };
    for (const wchar_t* sql : queries) {
        SqlStatement st(pConnect, sql);
        st.Bind(1, pszMsgID);
        if (st.Step()) {
            strSourceID = st.Text(0);
            if (strSourceID.IsEmpty())
                strSourceID = pszMsgID; // not forwarded: the message is its own source
            return true;
        }
    }
    return false;
}

bool CQorDBBaseFun::LoadAttachFileSource(CYqConnect* pConnect, LPCWSTR pszMsgID, CUIntArray& arrSource)
{
    arrSource.RemoveAll();
    static const wchar_t* const queries[] = {
        L"SELECT Col_Source FROM qor_Msg_Attach WHERE Col_MSGID = ?1 ORDER BY rowid",
        L"SELECT Col_Source FROM qor_Talk_AttachMent WHERE Col_MsgID = ?1 ORDER BY rowid",
    };
    bool ran = false;
    for (const wchar_t* sql : queries) {
        SqlStatement st(pConnect, sql);
        st.Bind(1, pszMsgID);
        while (st.Step())
            arrSource.Add(static_cast<UINT>(st.Int(0)));
        ran = ran || st.Done();
        if (arrSource.GetSize() > 0)
            break;
    }
    return ran;
}
