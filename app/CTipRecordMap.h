#pragma once
// The one mapping between a message as the view library or the core describes it and the tip
// record (CUnreadMsg) that stands for it in the notification manager's queue. One table pairs
// the message fields with the record fields; a new message of the view library (WM_USER+611)
// and a message the core delivers become records through it, and a group operation is handed
// back to the view library (ProcessGroupOPT) through it, so that the way back is the exact
// inverse of the way in.
#include "framework/CString.h"
#include "platform/QorCore/IQorMsg.h"

class CQorMsgItem;
class CUnreadMsg;

class CTipRecordMap {
public:
    CTipRecordMap() = delete;

    // A message of the view library as a new tip record (closable, no show time): a group's
    // (message types 11 and 14: kind 12, the group's name as content) or a person's (kind 1,
    // the subject as content unless bHideSubject). The caller owns the record.
    static CUnreadMsg* FromViewItem(const CQorMsgItem& item, bool bHideSubject);
    // The inverse, for a record of a group operation handed back to the view library: a new
    // item, which the view library owns once it has it.
    static CQorMsgItem* ToViewItem(const CUnreadMsg& record);

    // The fields of a message of the core, read once, as the view library's item holds them
    // (the first two texts of its extra pair, split at ";", as its two message strings).
    static CQorMsgItem ReadCoreMsg(IQorMsg* pMsg);
    // A message of the core as a new tip record (closable, holding one reference of pCore),
    // with the fields msg carries; its kind, content and picture are the caller's to set.
    static CUnreadMsg* FromCoreMsg(const CQorMsgItem& msg, IQorMsg* pCore);

private:
    // The fields every road copies, one way or the other.
    static void CopyToRecord(const CQorMsgItem& item, CUnreadMsg& record);
};
