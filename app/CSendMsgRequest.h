#pragma once
// A request from another program on this machine to open a chat: it writes a text into the
// shared memory "QorProcotol_SendMsg" and sends "WM_PROTOCOL_SEND_MSG" to the main window. The
// text is "&"-joined key=value items, keys without letter case: `loginname` (the account the
// request is meant for), `receiver` (a person's login) and `viewid` (a group discussion).
#include "framework/CString.h"

class CSendMsgRequest {
public:
    static const wchar_t kMappingName[];
    enum : int {
        kBlockBytes = 256,  // the part of the block that holds the text
        kMaxChars = 127,    // what fits in it before its terminator
    };

    CString m_strLoginName;
    CString m_strReceiver;
    CString m_strViewId;

    // Reads the items of a request text; unknown keys and items without "=" are skipped, and a
    // later item overrides an earlier one of the same key.
    static CSendMsgRequest Parse(const CString& strText);
    // The text at the start of a block of cbBlock bytes: up to its NUL, at most kMaxChars
    // characters of the first kBlockBytes bytes, whatever the writer left there.
    static CString TextFromBlock(const void* pBlock, size_t cbBlock);
    // Opens the named block for reading, copies its text and closes it again. FALSE (and an
    // empty text) when there is no such block or it cannot be mapped.
    static BOOL ReadShared(CString& strText);
};
