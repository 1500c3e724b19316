#pragma once
// The reading panes' test ground: a fresh message database of the signed-in user (the view
// library's shared connection points at it), rows added as the client stores them, a host
// window that holds a pane the way the message centre's base pane does and records what the
// pane asks of it, and the resource module.
#include "tests/support/TestSupport.h"
#include "framework/CStringArray.h"
#include "framework/CWnd.h"
#include "msgcenter/content/IMsgContentOwner.h"
#include "msgcenter/titlelist/IMsgTitleOwner.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewTestHooks.h"
#include <ostream>
#include <string>
#include <vector>

#ifndef KORVEL_TEST_CSTRING_PRINTTO
#define KORVEL_TEST_CSTRING_PRINTTO
inline void PrintTo(const CString& s, std::ostream* os) { *os << '"' << CStringA(s).GetString() << '"'; }
#endif

struct StoredMsg {
    CString id;
    int folder = 1;
    CString sender = L"ann";
    CString senderName = L"Ann";
    CString recvLogin = L"me";
    CString recvName = L"Me";
    CString subject;
    CString date = L"2026-01-01 10:00:00";
    int attachCount = 0;
    int readState = 2;
    int flags = 0;
    CString contentType = L"UTF-8";
    CString content;     // stored as UTF-8
    CString contentText; // what the search reads; the content when empty
    int type = 0;
    CString folderName;
};

class ReadingDb {
public:
    ReadingDb();
    ~ReadingDb();
    bool Ok() const { return m_ok; }
    CYqConnect* Connect() { return m_mgr.GetConnect(); }
    CQorMsgDBMgr& Mgr() { return m_mgr; }
    const std::wstring& Dir() const { return m_dir; }

    void Add(const StoredMsg& msg);
    // n messages of folder 1 "m0000".. with subjects "Subject 0000".., one a minute from
    // 2026-01-01 00:00 (so the newest is the last), in one transaction.
    void AddMany(int n, int folder = 1);
    void AddAttach(const CString& msgId, const CString& name, const CString& localPath, int source);
    void AddReceipt(const CString& msgId, const CString& name, const CString& openDate);
    int Count(const CString& sql);
    bool Exists(const CString& msgId);

private:
    std::wstring m_dir;
    CQorMsgDBMgr m_mgr;
    bool m_ok = false;
};

// A top-level window that holds a pane and stands in for the base pane and manager.
class ReadingHost : public CWnd, public IMsgTitleOwner, public IMsgContentOwner {
public:
    BOOL CreateTopLevel(int cx, int cy);

    // IMsgTitleOwner
    void ShowMessageContent(const CString& strID, const CString& strSender, const CString& strDate,
                            const CString& strReceivers, bool bHasAttach, int nFlags, bool bFromSearch) override;
    CString GetShownMessageID() override { return shownId; }
    void ClearMessageContent() override { ++clears; shownId.Empty(); }
    CWnd* GetManagerWindow() override { return this; }
    void SearchMessages() override { ++searches; }
    void RefreshCurrentNode() override { ++refreshes; }

    // IMsgContentOwner
    void ShowContactHistory(const CString& strMsgID, const CString& strSendDate, const CString& strPeer) override
    {
        historyPeer = strPeer;
        historyMsg = strMsgID;
    }
    bool SendFilesToUsers(const CStringArray& arIds, const CStringArray& arNames, const CStringArray& arFiles) override;
    bool QuickSend(WPARAM wValue) override
    {
        quickSends.push_back(wValue);
        return true;
    }

    CString shownId, shownSender, shownReceivers;
    bool shownAttach = false, shownSearch = false;
    int shownFlags = 0, shows = 0, clears = 0, searches = 0, refreshes = 0;
    CString historyPeer, historyMsg;
    std::vector<CString> sentIds, sentNames, sentFiles;
    std::vector<WPARAM> quickSends;
};

// Loads QorResource.dll for the test and scripts every message box with OK.
class ReadingTestBase {
protected:
    ReadingTestBase();
    ~ReadingTestBase();
    testsupport::ResourceModuleScope resources;
};
