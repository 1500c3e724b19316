#pragma once
// The contact-history pane's test ground: the reading panes' database and host (a message is
// stored with its row in each of the four message tables), a host that also takes the pane's
// way back to the title list, and checks that a message is whole: in all four tables or in none.
#include "tests/msgcenter/ReadingFixture.h"
#include "msgcenter/contacthistory/CQorMsgTitleExDlg.h"
#include "msgcenter/contacthistory/IContactHistoryOwner.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

class HistoryHost : public ReadingHost, public IContactHistoryOwner {
public:
    void ShowMessageContent(const CString& strID, const CString& strSender, const CString& strDate,
                            const CString& strReceivers, bool bHasAttach, int nFlags, bool bFromSearch) override
    {
        ReadingHost::ShowMessageContent(strID, strSender, strDate, strReceivers, bHasAttach, nFlags, bFromSearch);
        shownDate = strDate;
    }
    CString GetShownMessageID() override { return ReadingHost::GetShownMessageID(); }
    void ClearMessageContent() override { ReadingHost::ClearMessageContent(); }
    CWnd* GetManagerWindow() override { return this; }
    void ShowTitleList() override { ++titleListShown; }

    CString shownDate;
    int titleListShown = 0;
};

// A pane whose export path is given by the test instead of the save dialog.
class TestHistoryPane : public CQorMsgTitleExDlg {
public:
    CString exportPath;

protected:
    bool ChooseExportPath(CString& strPath) override
    {
        strPath = exportPath;
        return !exportPath.IsEmpty();
    }
};

// One message with the contact, stored in all four tables (body, one attachment, one receipt).
struct HistoryMsg {
    CString id;
    bool sent = false; // sent by "me" to the peer, else received from the peer
    CString peer = L"ann";
    CString date;
    int readState = 1;
    int attachCount = 1;
    CString recvName = L"Ann";
    CString body;
};

void StoreHistoryMsg(ReadingDb& db, const HistoryMsg& m);
// n messages "<prefix>00000".. alternating received and sent, one a second from first date.
std::vector<CString> StoreConversation(ReadingDb& db, const wchar_t* prefix, int n, const wchar_t* peer,
                                       int firstSecond = 0);

// Rows of each of the four tables that belong to messages with ids starting with prefix.
struct TableCounts {
    int msg = 0, content = 0, attach = 0, recv = 0;
};
TableCounts CountTables(ReadingDb& db, const wchar_t* prefix);
// Messages of the prefix that are in some of the four tables but not in all of them.
int BrokenMessages(ReadingDb& db, const wchar_t* prefix);

class HistoryPaneTest : public ::testing::Test, public ReadingTestBase {
protected:
    void SetUp() override;
    void TearDown() override;
    void SelectAll() { pane.GetList().SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED); }
    std::vector<CString> ListIds();
    // Handles messages until the pane's task has ended (bounded by rounds, not by time).
    bool PumpUntilIdle();

    ReadingDb db;
    HistoryHost host;
    TestHistoryPane pane;
};
