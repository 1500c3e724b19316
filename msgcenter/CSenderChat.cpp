#include "msgcenter/CSenderChat.h"
#include "msgcenter/contacthistory/CContactHistoryQuery.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorView/CQorViewMgr.h"

void CSenderChat::Open(const CString& strMsgID)
{
    if (strMsgID.IsEmpty())
        return;
    CYqRecordset rs;
    if (!rs.Open(CContactHistoryQuery::Sender(strMsgID), CQorViewMgr::Instance()->m_pConnect))
        return;
    CString login, name;
    rs.MoveFirst();
    if (!rs.IsEOF()) {
        rs.GetValue(0, login);
        rs.GetValue(1, name);
    }
    rs.Close();
    if (!login.IsEmpty() && !name.IsEmpty())
        CQorViewMgr::Instance()->NewChatDlg(login, name, CString(), CString(), TRUE, FALSE);
}
