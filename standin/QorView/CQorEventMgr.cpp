#include "platform/QorView/CQorEventMgr.h"
#include "platform/QorCore/QorCoreIds.h"
#include "standin/QorView/CQorMsgInbox.h"
#include "standin/QorView/QorViewState.h"

using namespace qorview_detail;

namespace {

CString CmdName(IQorCmd* pCmd)
{
    BSTR b = nullptr;
    CString name;
    if (pCmd && SUCCEEDED(pCmd->get_Name(&b)) && b)
        name = b;
    ::SysFreeString(b);
    return name;
}

CString MsgId(IQorMsg* pMsg)
{
    BSTR b = nullptr;
    CString id;
    if (pMsg && SUCCEEDED(pMsg->get_MsgID(&b)) && b)
        id = b;
    ::SysFreeString(b);
    return id;
}

} // namespace

// Our library has no chat windows to feed: each event is recorded by its name or id, and the
// messages are kept.
BOOL CQorEventMgr::OnQorCmdRec(IQorCmd* pCmd)
{
    Record(L"CQorEventMgr::OnQorCmdRec", CmdName(pCmd));
    return pCmd != nullptr;
}

// Every chat and group message is kept in the user's message database; bulletins have a store
// of their own.
BOOL CQorEventMgr::OnQorMsgRec(IQorMsg* pMsg)
{
    Record(L"CQorEventMgr::OnQorMsgRec", MsgId(pMsg));
    if (!pMsg)
        return FALSE;
    long type = 0;
    pMsg->get_MsgType(&type);
    if (type != kQorMsgTypeBulletin)
        CQorMsgInbox::Instance().Add(pMsg, false);
    return TRUE;
}

BOOL CQorEventMgr::OnQorNteRec(IQorCmd* pNotice)
{
    Record(L"CQorEventMgr::OnQorNteRec", CmdName(pNotice));
    return pNotice != nullptr;
}

BOOL CQorEventMgr::OnQorAddInMsgRec(const CString& strAddInName, IQorMsg* pMsg)
{
    Record(L"CQorEventMgr::OnQorAddInMsgRec", Join({strAddInName, MsgId(pMsg)}));
    return pMsg != nullptr;
}
