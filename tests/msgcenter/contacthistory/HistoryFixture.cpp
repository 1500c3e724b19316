#include "tests/msgcenter/contacthistory/HistoryFixture.h"
#include "msgcenter/titlelist/CTitleListQuery.h"
#include "platform/QorResource/ContactHistoryResourceIds.h"

namespace {
CString Q(const CString& s) { return CTitleListQuery::Quote(s); }
} // namespace

void StoreHistoryMsg(ReadingDb& db, const HistoryMsg& m)
{
    StoredMsg s;
    s.id = m.id;
    s.folder = m.sent ? 2 : 1;
    s.sender = m.sent ? CString(L"me") : m.peer;
    s.senderName = m.sent ? CString(L"Me") : CString(L"Ann");
    s.recvLogin = m.sent ? m.peer : CString(L"me");
    s.recvName = m.recvName;
    s.subject = L"About " + m.id;
    s.date = m.date;
    s.readState = m.readState;
    s.attachCount = m.attachCount;
    s.content = m.body.IsEmpty() ? L"Body of " + m.id : m.body;
    db.Add(s);
    db.AddAttach(m.id, L"file-" + m.id + L".txt", L"", 0);
    db.AddReceipt(m.id, L"Ann", L"2000-01-01 12:00:00");
}

std::vector<CString> StoreConversation(ReadingDb& db, const wchar_t* prefix, int n, const wchar_t* peer,
                                       int firstSecond)
{
    std::vector<CString> ids;
    db.Connect()->BeginTrans();
    for (int i = 0; i < n; ++i) {
        HistoryMsg m;
        m.id.Format(L"%s%05d", prefix, i);
        m.sent = i % 2 == 1;
        m.peer = peer;
        const int s = firstSecond + i;
        m.date.Format(L"2026-03-10 %02d:%02d:%02d", (s / 3600) % 24, (s / 60) % 60, s % 60);
        StoreHistoryMsg(db, m);
        ids.push_back(m.id);
    }
    db.Connect()->CommitTrans();
    return ids;
}

TableCounts CountTables(ReadingDb& db, const wchar_t* prefix)
{
    CString like = Q(prefix) + L"%";
    TableCounts c;
    c.msg = db.Count(L"SELECT count(*) FROM qor_Msg WHERE Col_ID LIKE '" + like + L"'");
    c.content = db.Count(L"SELECT count(*) FROM qor_Msg_Content WHERE Col_MSGID LIKE '" + like + L"'");
    c.attach = db.Count(L"SELECT count(*) FROM qor_Msg_Attach WHERE Col_MSGID LIKE '" + like + L"'");
    c.recv = db.Count(L"SELECT count(*) FROM qor_Msg_Recv WHERE Col_MSGID LIKE '" + like + L"'");
    return c;
}

int BrokenMessages(ReadingDb& db, const wchar_t* prefix)
{
    // Every id of any of the four tables, with the number of tables that hold it.
    CString like = Q(prefix) + L"%";
    CString sql = L"SELECT count(*) FROM (SELECT id, count(*) AS n FROM ("
                  L"SELECT Col_ID AS id FROM qor_Msg WHERE Col_ID LIKE '" + like + L"' UNION ALL "
                  L"SELECT Col_MSGID FROM qor_Msg_Content WHERE Col_MSGID LIKE '" + like + L"' UNION ALL "
                  L"SELECT Col_MSGID FROM qor_Msg_Attach WHERE Col_MSGID LIKE '" + like + L"' UNION ALL "
                  L"SELECT Col_MSGID FROM qor_Msg_Recv WHERE Col_MSGID LIKE '" + like + L"') "
                  L"GROUP BY id) WHERE n <> 4";
    return db.Count(sql);
}

void HistoryPaneTest::SetUp()
{
    ASSERT_TRUE(resources.IsLoaded());
    ASSERT_TRUE(db.Ok());
    CQorViewMgr::Instance()->m_strUserName = L"Me Myself";
    ASSERT_TRUE(host.CreateTopLevel(700, 360));
    ASSERT_TRUE(pane.Create(IDD_MSG_TITLE_EX, &host));
    pane.SetOwner(&host);
    pane.MoveWindow(0, 0, 700, 360);
    pane.ShowWindow(SW_SHOW);
    testsupport::PumpMessages();
}

void HistoryPaneTest::TearDown()
{
    if (pane.GetSafeHwnd())
        pane.DestroyWindow();
    host.DestroyWindow();
    testsupport::PumpMessages();
}

std::vector<CString> HistoryPaneTest::ListIds()
{
    std::vector<CString> ids;
    for (int i = 0; i < pane.GetList().GetItemCount(); ++i)
        ids.push_back(pane.GetList().GetItemDataText(i));
    return ids;
}

bool HistoryPaneTest::PumpUntilIdle()
{
    for (int round = 0; round < 200000 && pane.IsBusy(); ++round) {
        testsupport::PumpMessages(20);
        if (pane.IsBusy())
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    testsupport::PumpMessages();
    return !pane.IsBusy();
}
