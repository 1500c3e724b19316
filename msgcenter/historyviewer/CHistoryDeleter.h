#pragma once
// CHistoryDeleter: deletes stored history of one conversation, either what was sent before a
// cutoff date text ("%Y-%m-%d %H:%M:%S") or all of it. A person's messages go with their
// content, attachment, receipt and unread rows; a discussion's entries go with their attachment
// rows. Each deletion is one transaction: on any failure it is rolled back and nothing is gone.
#include "framework/CString.h"

class CHistoryDeleter {
public:
    // strCutoff empty: the whole conversation. False (rolled back, error text set) on failure, and
    // for an empty login or talk id.
    static bool DeletePeer(const CString& strMyLogin, const CString& strPeerLogin, const CString& strCutoff,
                           CString& strError);
    static bool DeleteTalk(const CString& strTalkId, const CString& strCutoff, CString& strError);
    // The cutoff text of "older than nDays days" measured from the local time now.
    static CString CutoffDaysAgo(int nDays, const SYSTEMTIME& now);

private:
    CHistoryDeleter() = delete;
};
