#pragma once
// IMsgCenterOwner: what the message centre window needs of the main window that made it. The
// main window (app/) implements it; msgcenter/ never includes app/ headers.
#include "framework/CStringArray.h"
#include "framework/Platform.h"

class IMsgCenter;

class IMsgCenterOwner {
public:
    virtual ~IMsgCenterOwner() = default;
    // The centre's window has gone and its object is about to delete itself: the owner forgets
    // every pointer it keeps to it.
    virtual void OnMsgCenterGone(IMsgCenter* pCenter) = 0;
    // Sends files to persons through the core (the content pane's "send on"); false when the
    // core's message could not be made.
    virtual bool SendFilesToUsers(const CStringArray& arAccounts, const CStringArray& arNames,
                                  const CStringArray& arFiles) = 0;
    // Has the core send the message that SendFilesToUsers just made (wValue as the view library's
    // quick-send argument); asynchronous, FALSE when no message is held or it cannot be asked.
    virtual BOOL PostQuickSend(WPARAM wValue) = 0;
};
