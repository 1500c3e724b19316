#pragma once
// ICoreSinkOwner: where the core's events that the two callback sinks (CTheCallback,
// CCoreCallBack) receive go on to: the main window (CKorvelBaseDlg), which implements it.
#include "platform/QorCore/IQorCmd.h"
#include "platform/QorCore/IQorMsg.h"

class ICoreSinkOwner {
public:
    // Notifications "ERR", "COREER", "LSV".
    virtual void OnCoreNotify(IQorCmd* pCmd) = 0;
    // Bulletins and messages.
    virtual void OnReceiveMessage(IQorMsg* pMsg) = 0;
    // "OUT" and the "C_*" commands; always 1.
    virtual int OnAppCommand(IQorCmd* pCmd) = 0;
    // Connection-state codes (sign-in results, socket closed and repaired); 0 refuses the change.
    virtual int OnConnectStateChange(long nState, long nParam) = 0;

protected:
    // Never deleted through this interface: the sinks only borrow their owner.
    ~ICoreSinkOwner() = default;
};
