#pragma once
// The view library's handle of one attachment transfer: DownloadAttach fills it, the transfer
// queries and CancelDownload take it back. A transfer can be asked about only while all three
// texts are set.
#include "framework/CString.h"

class CFileQueryID {
public:
    CString m_strServer;     // file server the transfer reads from
    CString m_strFileKey;    // the server's key of the file
    CString m_strTransferId; // the file-transfer client's id of the transfer, as decimal text

    bool IsSet() const { return !m_strServer.IsEmpty() && !m_strFileKey.IsEmpty() && !m_strTransferId.IsEmpty(); }
    void Clear()
    {
        m_strServer.Empty();
        m_strFileKey.Empty();
        m_strTransferId.Empty();
    }
};
