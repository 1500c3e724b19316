#pragma once
// Reading the core component's command and message objects. Their getters hand out COM strings
// that the caller frees; these copy them into the program's strings and free them. A getter that
// fails, or a null object, reads as an empty text or 0, as the handlers of core events expect.
#include "framework/CString.h"
#include "platform/QorCore/IQorCmd.h"
#include "platform/QorCore/IQorMsg.h"

class CQorCoreReader {
public:
    CQorCoreReader() = delete;

    // Command objects: the name (position 7), integer argument (11), string argument (12),
    // named field (18).
    static CString CmdName(IQorCmd* pCmd);
    static int CmdInt(IQorCmd* pCmd, long nIndex);
    static CString CmdStr(IQorCmd* pCmd, long nIndex);
    static CString CmdField(IQorCmd* pCmd, const wchar_t* pszName);

    // Message objects: a text getter or an integer getter of IQorMsg.
    static CString MsgText(IQorMsg* pMsg, HRESULT (STDMETHODCALLTYPE IQorMsg::*getter)(BSTR*));
    static int MsgInt(IQorMsg* pMsg, HRESULT (STDMETHODCALLTYPE IQorMsg::*getter)(long*));
    // The number of items of group nIndex of the message (ItemCount); 0 when it fails.
    static int MsgItemCount(IQorMsg* pMsg, long nIndex);
};
