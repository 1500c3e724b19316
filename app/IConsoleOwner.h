#pragma once
// IConsoleOwner: what the console object (CConsole) needs of the running client's main window,
// which the application hands it (CKorvelApp::GetConsoleOwner): the signed-in state and the
// sending of a message object through the core. The main window (CKorvelBaseDlg) implements it.
#include "framework/Platform.h"

struct IMessage;

class IConsoleOwner {
public:
    virtual bool IsSignedIn() const = 0;
    // Copies the message object into a new outgoing core message held by the view manager;
    // false when there is nothing to copy or the core's message cannot be made.
    virtual bool SendQorMsg(IMessage* pMessage) = 0;
    // Has the core send the message held now (wValue as the view library's quick-send
    // argument); asynchronous, FALSE when no message is held or it cannot be asked.
    virtual BOOL PostQuickSend(WPARAM wValue) = 0;

protected:
    // Never deleted through this interface.
    ~IConsoleOwner() = default;
};
