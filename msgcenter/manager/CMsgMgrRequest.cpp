#include "msgcenter/manager/CMsgMgrRequest.h"
#include "common/CWqStringMgr.h"

namespace {
void SplitAtSemicolon(CString text, CString& head, CString& tail)
{
    head.Empty();
    tail.Empty();
    CWqStringMgr::SplitKeyValue(text, head, tail, L";");
}
} // namespace

CMsgMgrRequest CMsgMgrRequest::Parse(const CString& strRequest)
{
    CMsgMgrRequest request;
    CString head, tail;
    SplitAtSemicolon(strRequest, head, tail);
    if (strRequest.IsEmpty()) {
        request.kind = kUserViews;
    } else if (strRequest == L"CONTACT_UNREAD") {
        request.kind = kUnreadByRecipients;
    } else if (head.CompareNoCase(L"GROUP_TALK") == 0) {
        request.kind = kGroupTalk;
        request.talkId = tail;
    } else {
        request.kind = kPerson;
        request.personId = head;
        request.personName = tail;
    }
    return request;
}
