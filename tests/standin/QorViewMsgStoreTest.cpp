// The view library keeps the signed-in user's messages: a received chat message, a group
// message and a message the user sent each become the rows the message centre reads, whole in
// one transaction or not at all; ids and send times from other people are made safe; a message
// delivered twice is kept once. The inbox writes them on this thread once it is free (never
// inside a transaction of its own, never before the database is open) and tells the owner
// window of each new message and of the unread count.
#include "framework/CWnd.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorDB/QorDBTestHooks.h"
#include "platform/QorView/CQorMsgItem.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewMessages.h"
#include "standin/QorCore/CQorMsgObject.h"
#include "standin/QorView/CQorMsgInbox.h"
#include "standin/QorView/CQorMsgStore.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A core message as the core hands it over.
class Msg {
public:
    Msg() : m_p(new CQorMsgObject) {}
    ~Msg() { m_p->Release(); }
    Msg& Set(HRESULT (STDMETHODCALLTYPE IQorMsg::*set)(BSTR), const wchar_t* value)
    {
        BSTR b = ::SysAllocString(value);
        (m_p->*set)(b);
        ::SysFreeString(b);
        return *this;
    }
    Msg& File(const wchar_t* path)
    {
        BSTR b = ::SysAllocString(path);
        m_p->AddFile(b);
        ::SysFreeString(b);
        return *this;
    }
    Msg& Receiver(const wchar_t* account, const wchar_t* name)
    {
        BSTR a = ::SysAllocString(account), n = ::SysAllocString(name);
        m_p->AddReceiver(a, n);
        ::SysFreeString(a);
        ::SysFreeString(n);
        return *this;
    }
    IQorMsg* operator->() { return m_p; }
    operator IQorMsg*() { return m_p; }

private:
    IQorMsg* m_p;
};

Msg Chat(const wchar_t* id, const wchar_t* sender, const wchar_t* text)
{
    Msg m;
    m.Set(&IQorMsg::put_MsgID, id).Set(&IQorMsg::put_Sender, sender).Set(&IQorMsg::put_Subject, text);
    m.Set(&IQorMsg::put_SendTime, L"2026-03-04 10:20:30");
    return m;
}

// The owner window of the view library: what it was told.
struct Told {
    std::vector<CQorMsgItem> items;
    int unreadCounts = 0;
};
Told* g_told = nullptr;

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (g_told && msg == WM_NEW_MESSAGE && wParam)
        g_told->items.push_back(*reinterpret_cast<const CQorMsgItem*>(wParam));
    if (g_told && msg == WM_UNREAD_COUNT)
        ++g_told->unreadCounts;
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

class QorViewMsgStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = testsupport::TempDir(L"qorview_store");
        ASSERT_TRUE(m_db.OpenConnect((m_dir + L"\\alice.db").c_str()));
        ASSERT_TRUE(m_db.InitDBTable());
        WNDCLASSW wc = {};
        wc.lpfnWndProc = OwnerProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QorViewStoreOwner";
        ::RegisterClassW(&wc);
        m_owner.Attach(::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr));
        g_told = &m_told;
        CQorViewMgr* pMgr = CQorViewMgr::Instance();
        m_pSavedOwner = pMgr->m_pMainWnd;
        m_pSavedDB = pMgr->m_pDBMgr;
        pMgr->m_pMainWnd = &m_owner;
        pMgr->m_strAccount = L"alice";
        pMgr->m_strUserName = L"Alice";
    }
    void TearDown() override
    {
        QorDBTest_FailStatementsContaining(nullptr);
        CQorViewMgr* pMgr = CQorViewMgr::Instance();
        CQorMsgInbox::Instance().Clear();
        pMgr->m_pDBMgr = m_pSavedDB;
        pMgr->m_pMainWnd = m_pSavedOwner;
        pMgr->m_strAccount.Empty();
        pMgr->m_strUserName.Empty();
        g_told = nullptr;
        ::DestroyWindow(m_owner.Detach());
        m_db.CloseConnect();
        testsupport::RemoveTree(m_dir);
    }
    int Count(const CString& sql)
    {
        CYqRecordset rs;
        int n = -1;
        if (rs.Open(sql, m_db.GetConnect()) && (rs.MoveFirst(), !rs.IsEOF()))
            rs.GetValue(0, n);
        return n;
    }
    CString Value(const CString& sql)
    {
        CYqRecordset rs;
        CString v;
        if (rs.Open(sql, m_db.GetConnect()) && (rs.MoveFirst(), !rs.IsEOF()))
            rs.GetValue(0, v);
        return v;
    }
    std::string Bytes(const CString& sql)
    {
        CYqRecordset rs;
        std::string v;
        int n = 0;
        if (rs.Open(sql, m_db.GetConnect()) && (rs.MoveFirst(), !rs.IsEOF())) {
            const char* p = rs.GetChunkAsciiChar(0, n);
            v.assign(p, static_cast<size_t>(n));
        }
        return v;
    }
    CQorMsgStore::Result Receive(IQorMsg* pMsg, CQorMsgItem* pItem = nullptr)
    {
        return CQorMsgStore::StoreReceived(m_db, pMsg, L"alice", L"Alice", pItem);
    }

    std::wstring m_dir;
    CQorMsgDBMgr m_db;
    CWnd m_owner;
    CWnd* m_pSavedOwner = nullptr;
    CQorMsgDBMgr* m_pSavedDB = nullptr;
    Told m_told;
};

} // namespace

TEST(QorViewMsgKeys, IdsBecomeTextsThatCanStandInAnyStatement)
{
    struct Case { const wchar_t* id; const wchar_t* safe; } cases[] = {
        {L"m1", L"m1"},
        {L"{6F9619FF-8B86-D011-B42D-00C04FC964FF}", L"{6F9619FF-8B86-D011-B42D-00C04FC964FF}"},
        {L"bob@localhost.abc_1-2", L"bob@localhost.abc_1-2"},
        {L"x' OR '1'='1", L"x~0027~0020OR~0020~00271~0027~003D~00271"},
        {L"g\"x_9", L"g~0022x_9"},      // a talk keeps its closing number
        {L"a~b", L"a~007Eb"},           // the mark itself is marked: no two ids meet
        {L"\u4E2D", L"~4E2D"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.safe), CQorMsgStore::SafeKey(c.id)) << CStringA(c.id).GetString();
    // No id, or one whose safe form would be too long: a new one, a GUID text.
    for (const CString& none : {CString(), CString(L'\'', 100)}) {
        const CString made = CQorMsgStore::SafeKey(none);
        EXPECT_EQ(38, made.GetLength());
        EXPECT_EQ(L'{', made[0]);
        EXPECT_NE(made, CQorMsgStore::SafeKey(none)) << "each made id is new";
    }
}

TEST(QorViewMsgKeys, SendTimesAreStoredAsLocalTimeAndNoTimeAsNow)
{
    SYSTEMTIME utc = {2026, 3, 0, 4, 10, 20, 30, 0}, local = {};
    ASSERT_TRUE(::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local));
    CString expected;
    expected.Format(L"%04d-%02d-%02d %02d:%02d:%02d", local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute,
                    local.wSecond);
    EXPECT_EQ(expected, CQorMsgStore::StoredDate(L"2026-03-04 10:20:30"));
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    for (const wchar_t* bad : {L"", L"tomorrow", L"2026-13-04 10:20:30", L"'; DROP TABLE qor_Msg; --"}) {
        const CString stored = CQorMsgStore::StoredDate(bad);
        EXPECT_EQ(19, stored.GetLength()) << CStringA(bad).GetString();
        EXPECT_EQ(now.wYear, _wtoi(stored.Left(4))) << CStringA(bad).GetString();
    }
}

TEST_F(QorViewMsgStore, AReceivedChatIsStoredWholeWithItsFilesAndItsUnreadMark)
{
    const wchar_t* text = L"Gr\u00FC\u00DFe <b>&amp; \"quoted\" 'x' \u4E2D\u6587\uFF1A \U0001F600\r\nsecond  line\ttab";
    Msg m = Chat(L"m1", L"bob", text);
    m.Set(&IQorMsg::put_SenderName, L"Bob Stone").File(L"C:\\Users\\bob\\report.doc").File(L"/tmp/plan.xls");
    m->put_MsgFlags(0x10);
    CQorMsgItem item;
    ASSERT_EQ(CQorMsgStore::kStored, Receive(m, &item));
    EXPECT_EQ(1, Count(L"SELECT count(*) FROM qor_Msg WHERE Col_ID = 'm1' AND Col_MsgFolder = 1 AND Col_Sender = 'bob'"
                       L" AND Col_SenderName = 'Bob Stone' AND Col_RecvLogin = 'alice' AND Col_RecvName = 'Alice'"
                       L" AND Col_ReadState = 0 AND Col_AttachCount = 2 AND Col_MSGFlag = 16"));
    EXPECT_EQ(CString(L"Gr\u00FC\u00DFe <b>&amp; \"quoted\" 'x' \u4E2D\u6587\uFF1A \U0001F600"),
              Value(L"SELECT Col_Subject FROM qor_Msg WHERE Col_ID = 'm1'")) << "the subject is the first line";
    EXPECT_EQ(CQorMsgStore::StoredDate(L"2026-03-04 10:20:30"), Value(L"SELECT Col_SendDate FROM qor_Msg WHERE Col_ID = 'm1'"));
    EXPECT_EQ(CString(L"UTF-8"), Value(L"SELECT Col_ContentType FROM qor_Msg_Content WHERE Col_MSGID = 'm1'"));
    EXPECT_EQ(testsupport::Utf8(text), Bytes(L"SELECT Col_Content FROM qor_Msg_Content WHERE Col_MSGID = 'm1'")) << "the body whole";
    EXPECT_EQ(CString(text), Value(L"SELECT Col_Content_Text FROM qor_Msg_Content WHERE Col_MSGID = 'm1'"));
    EXPECT_EQ(1, Count(L"SELECT count(*) FROM qor_Msg_Attach WHERE Col_MSGID = 'm1' AND Col_FileName = 'report.doc' AND Col_LocalPath = ''"));
    EXPECT_EQ(1, Count(L"SELECT count(*) FROM qor_Msg_Attach WHERE Col_MSGID = 'm1' AND Col_FileName = 'plan.xls'"));
    EXPECT_EQ(1, Count(L"SELECT count(*) FROM qor_Msg_UnRead WHERE Col_ID = 'm1' AND Col_RecvLogin = '' AND Col_Favourite = 0"));
    EXPECT_EQ(CString(L"m1"), item.strMsgID);
    EXPECT_EQ(CString(L"bob"), item.strSender);
    EXPECT_EQ(CString(text), item.strSubject);
    EXPECT_EQ(CString(L"2026-03-04 10:20:30"), item.strSendTime) << "the tips read the send time as the core gave it";
    EXPECT_EQ(0x10, item.nMsgFlags);

    // Delivered again: kept once. Another person's message with the same id: kept under its own.
    EXPECT_EQ(CQorMsgStore::kKnown, Receive(m));
    EXPECT_EQ(1, Count(L"SELECT count(*) FROM qor_Msg"));
    Msg other = Chat(L"m1", L"carol", L"mine");
    CQorMsgItem otherItem;
    EXPECT_EQ(CQorMsgStore::kStored, Receive(other, &otherItem));
    EXPECT_EQ(2, Count(L"SELECT count(*) FROM qor_Msg"));
    EXPECT_EQ(CString(L"m1"), Value(L"SELECT Col_ID FROM qor_Msg WHERE Col_Sender = 'bob'")) << "bob's message stays";
    EXPECT_EQ(CString(L"mine"), Value(L"SELECT qor_Msg_Content.Col_Content_Text FROM qor_Msg, qor_Msg_Content WHERE "
                                      L"qor_Msg.Col_Sender = 'carol' AND qor_Msg_Content.Col_MSGID = qor_Msg.Col_ID"));

    // An id that would change the message centre's statements is kept in its safe form.
    Msg hostile = Chat(L"x'); DELETE FROM qor_Msg; --", L"mallory", L"hi");
    EXPECT_EQ(CQorMsgStore::kStored, Receive(hostile));
    EXPECT_EQ(1, Count(L"SELECT count(*) FROM qor_Msg WHERE Col_ID = '" + CQorMsgStore::SafeKey(L"x'); DELETE FROM qor_Msg; --") + L"'"));
    EXPECT_EQ(0, Count(L"SELECT count(*) FROM qor_Msg WHERE Col_ID LIKE '%''%'"));
}

TEST_F(QorViewMsgStore, AGroupMessageJoinsItsTalk)
{
    Msg first = Chat(L"g1", L"bob", L"a < b & c");
    first.Set(&IQorMsg::put_SenderName, L"Bob").Set(&IQorMsg::put_TalkID, L"lunch_7").Set(&IQorMsg::put_TalkName, L"Lunch club");
    first->put_MsgType(11);
    first.File(L"C:\\menu.pdf");
    ASSERT_EQ(CQorMsgStore::kStored, Receive(first));
    Msg second = Chat(L"g2", L"carol", L"me too");
    second.Set(&IQorMsg::put_TalkID, L"lunch_7");
    second->put_MsgType(14);
    ASSERT_EQ(CQorMsgStore::kStored, Receive(second));
    EXPECT_EQ(1, Count(L"SELECT count(*) FROM Qor_Talk WHERE Col_ID = 'lunch_7' AND Col_Type = 2 AND Col_Subject = 'Lunch club'"));
    EXPECT_EQ(2, Count(L"SELECT count(*) FROM qor_Talk_Msg WHERE Col_TalkID = 'lunch_7'"));
    EXPECT_EQ("<KTF><Text>a &lt; b &amp; c</Text></KTF>", Bytes(L"SELECT Col_Data FROM qor_Talk_Msg WHERE Col_ID = 'g1'"));
    EXPECT_EQ(1, Count(L"SELECT count(*) FROM qor_Talk_AttachMent WHERE Col_TalkID = 'lunch_7' AND Col_MsgID = 'g1'"
                       L" AND Col_FileName = 'menu.pdf'"));
    EXPECT_EQ(2, Count(L"SELECT count(*) FROM qor_Msg_UnRead"));
    EXPECT_EQ(0, Count(L"SELECT count(*) FROM qor_Msg")) << "no person's message";

    // A talk id from someone else is kept in its safe form, its number last as the tree reads it.
    Msg odd = Chat(L"g3", L"bob", L"x");
    odd.Set(&IQorMsg::put_TalkID, L"o'brien_9");
    odd->put_MsgType(11);
    ASSERT_EQ(CQorMsgStore::kStored, Receive(odd));
    EXPECT_EQ(1, Count(L"SELECT count(*) FROM Qor_Talk WHERE Col_ID = 'o~0027brien_9'"));
    EXPECT_EQ(CString(L"9"), CQorViewMgr::Instance()->GetViewID(L"o~0027brien_9"));
}

// The message centre finds a talk by the number its id ends in (the tree node holds that number
// and looks the id up with "like '%_<number>'"): a talk whose id ends in none is stored under one
// that ends in a number no other talk has, and its later messages join it there.
TEST_F(QorViewMsgStore, ATalkWithoutANumberIsStoredUnderOneTheMessageCentreFindsItBy)
{
    const struct {
        const wchar_t* msgId;
        const wchar_t* talkId;
        const wchar_t* storedTalk;
    } cases[] = {
        {L"g1", L"lunch_1", L"lunch_1"},             // a number of its own: kept
        {L"g2", L"t-release", L"t-release~_2"},      // none: the lowest number no talk has
        {L"g3", L"t-release", L"t-release~_2"},      // the same talk again
        {L"g4", L"t_x", L"t_x~_3"},                  // "_" without a number after it
        {L"g5", L"t-release~_7", L"t-release~007E_7"}, // someone else's id is never a made one
    };
    for (const auto& c : cases) {
        Msg m = Chat(c.msgId, L"bob", L"hello");
        m.Set(&IQorMsg::put_TalkID, c.talkId);
        m->put_MsgType(11);
        ASSERT_EQ(CQorMsgStore::kStored, Receive(m)) << c.msgId;
        EXPECT_EQ(CString(c.storedTalk), Value(CString(L"SELECT Col_TalkID FROM qor_Talk_Msg WHERE Col_ID = '") + c.msgId + L"'"))
            << c.msgId;
    }
    EXPECT_EQ(4, Count(L"SELECT count(*) FROM Qor_Talk"));
    EXPECT_EQ(CString(L"t-release"), Value(L"SELECT Col_Subject FROM Qor_Talk WHERE Col_ID = 't-release~_2'"))
        << "no talk name: the talk is named by its id";
    for (const wchar_t* talk : {L"lunch_1", L"t-release~_2", L"t_x~_3"}) {
        const CString number = CQorViewMgr::Instance()->GetViewID(talk);
        EXPECT_EQ(1, Count(L"SELECT count(*) FROM Qor_Talk WHERE Col_ID like '%_" + number + L"'")) << talk;
    }
}

TEST_F(QorViewMsgStore, ASentMessageWaitsForTheReceiptsOfItsReceivers)
{
    Msg m = Chat(L"s1", L"", L"Agenda attached");
    m.Receiver(L"bob", L"Bob Stone").Receiver(L"carol", L"").File(L"C:\\docs\\agenda.doc");
    ASSERT_EQ(CQorMsgStore::kStored, CQorMsgStore::StoreSent(m_db, m, L"alice", L"Alice"));
    EXPECT_EQ(1, Count(L"SELECT count(*) FROM qor_Msg WHERE Col_ID = 's1' AND Col_MsgFolder = 2 AND Col_Sender = 'alice'"
                       L" AND Col_SenderName = 'Alice' AND Col_RecvLogin = 'bob;carol' AND Col_RecvName = 'Bob Stone;carol'"
                       L" AND Col_ReadState = 4 AND Col_AttachCount = 1"));
    EXPECT_EQ(2, Count(L"SELECT count(*) FROM qor_Msg_Recv WHERE Col_MSGID = 's1' AND Col_OpenDate = '2000-01-01 12:00:00'"));
    EXPECT_EQ(CString(L"C:\\docs\\agenda.doc"), Value(L"SELECT Col_LocalPath FROM qor_Msg_Attach WHERE Col_MSGID = 's1'"))
        << "the user's own file is on this machine";
    EXPECT_EQ(0, Count(L"SELECT count(*) FROM qor_Msg_UnRead"));
    EXPECT_EQ(CQorMsgStore::kKnown, CQorMsgStore::StoreSent(m_db, m, L"alice", L"Alice"));
}

TEST_F(QorViewMsgStore, AMessageIsKeptWholeOrNotAtAllAndReadMarksGo)
{
    QorDBTest_FailStatementsContaining(L"INSERT INTO qor_Msg_UnRead");
    Msg m = Chat(L"m1", L"bob", L"hello");
    m.File(L"a.txt");
    EXPECT_EQ(CQorMsgStore::kFailed, Receive(m));
    for (const wchar_t* table : {L"qor_Msg", L"qor_Msg_Content", L"qor_Msg_Attach", L"qor_Msg_UnRead"})
        EXPECT_EQ(0, Count(CString(L"SELECT count(*) FROM ") + table)) << CStringA(table).GetString();
    QorDBTest_FailStatementsContaining(nullptr);
    ASSERT_EQ(CQorMsgStore::kStored, Receive(m));

    CStringArray read;
    read.Add(L"m1");
    read.Add(L"never stored");
    EXPECT_EQ(2, CQorMsgStore::MarkRead(m_db, read)) << "an id not stored has no mark to lose";
    EXPECT_EQ(0, Count(L"SELECT count(*) FROM qor_Msg_UnRead"));
    EXPECT_EQ(2, Count(L"SELECT Col_ReadState FROM qor_Msg WHERE Col_ID = 'm1'"));
}

// The inbox: a message is written after the event that brought it, the owner window hears of
// it (the item lent for the call) and of the unread count; inside a transaction of this thread
// (the message centre's deletion) it waits for the transaction's end, and before the database is
// open for the open; none is lost.
TEST_F(QorViewMsgStore, TheInboxWritesWhenTheThreadIsFreeAndTellsTheOwner)
{
    CQorViewMgr::Instance()->m_pDBMgr = &m_db;
    CQorMsgInbox& inbox = CQorMsgInbox::Instance();
    Msg noId = Chat(L"", L"bob", L"first");
    inbox.Add(noId, false);
    const CString given = CQorMsgStore::Text(noId, &IQorMsg::get_MsgID);
    EXPECT_EQ(38, given.GetLength()) << "the message has its stored id before anyone else sees it";
    EXPECT_EQ(0, Count(L"SELECT count(*) FROM qor_Msg")) << "not inside the event that brought it";
    ASSERT_TRUE(testsupport::PumpUntil([&] { return inbox.GetPending() == 0; }));
    EXPECT_EQ(1, Count(L"SELECT count(*) FROM qor_Msg WHERE Col_ID = '" + given + L"'"));
    ASSERT_EQ(1u, m_told.items.size());
    EXPECT_EQ(given, m_told.items[0].strMsgID);
    EXPECT_EQ(CString(L"first"), m_told.items[0].strSubject);
    testsupport::PumpMessages();
    EXPECT_EQ(1, m_told.unreadCounts);

    // This thread deletes in one transaction, handling messages meanwhile: a message arriving then
    // waits for the end, and is kept whole after it (not rolled back with a cancelled deletion).
    ASSERT_TRUE(m_db.GetConnect()->BeginTrans());
    ASSERT_TRUE(m_db.GetConnect()->Execute(L"DELETE FROM qor_Msg_UnRead"));
    Msg during = Chat(L"m2", L"bob", L"during");
    inbox.Add(during, false);
    for (int i = 0; i < 20; ++i)
        testsupport::PumpMessages(1);
    EXPECT_EQ(1u, inbox.GetPending());
    ASSERT_TRUE(m_db.GetConnect()->RollbackTrans());
    ASSERT_TRUE(testsupport::PumpUntil([&] { return inbox.GetPending() == 0; }));
    EXPECT_EQ(1, Count(L"SELECT count(*) FROM qor_Msg WHERE Col_ID = 'm2'"));
    EXPECT_EQ(2, Count(L"SELECT count(*) FROM qor_Msg_UnRead"));

    // Before the sign-in opened the database: kept once it is.
    CQorViewMgr::Instance()->m_pDBMgr = nullptr;
    Msg early = Chat(L"m3", L"bob", L"early");
    inbox.Add(early, false);
    testsupport::PumpMessages();
    EXPECT_EQ(1u, inbox.GetPending());
    CQorViewMgr::Instance()->m_pDBMgr = &m_db;
    inbox.Schedule();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return inbox.GetPending() == 0; }));
    EXPECT_EQ(1, Count(L"SELECT count(*) FROM qor_Msg WHERE Col_ID = 'm3'"));

    // A message the user sent is kept among the sent ones, and is no news to the owner.
    const size_t told = m_told.items.size();
    Msg sent = Chat(L"s1", L"", L"reply");
    sent.Receiver(L"bob", L"Bob");
    inbox.Add(sent, true);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return inbox.GetPending() == 0; }));
    EXPECT_EQ(1, Count(L"SELECT count(*) FROM qor_Msg WHERE Col_ID = 's1' AND Col_MsgFolder = 2"));
    EXPECT_EQ(told, m_told.items.size());
}
