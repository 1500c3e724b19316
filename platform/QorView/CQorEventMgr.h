#pragma once
// The view library's receiver of the core component's events, which the program's core
// callback sink forwards here (commands, messages, notices, add-in messages).
#include "framework/CString.h"
#include "platform/QorCore/IQorCmd.h"
#include "platform/QorCore/IQorMsg.h"

class CQorEventMgr {
public:
    // Each returns TRUE when the event was taken; a null object is refused (FALSE).
    BOOL OnQorCmdRec(IQorCmd* pCmd);
    BOOL OnQorMsgRec(IQorMsg* pMsg);
    BOOL OnQorNteRec(IQorCmd* pNotice);
    BOOL OnQorAddInMsgRec(const CString& strAddInName, IQorMsg* pMsg);
};
