// The title list on a real message database: its statements, paging by scrolling the real
// owner-data list, sorting, search (person words, date ranges, non-ASCII case, quotes and
// wildcards typed by the user), selection, deletion in one transaction and its failure, the
// long task's cancel, and the keys.
#include "tests/msgcenter/ReadingFixture.h"
#include "tests/msgcenter/MsgCenterFixture.h"
#include "msgcenter/MsgCenterMessages.h"
#include "msgcenter/titlelist/CQorMsgTitleDlg.h"
#include "msgcenter/titlelist/CTitleListQuery.h"
#include "controls/CWaitingDlg.h"
#include "platform/QorDB/QorDBTestHooks.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include <gtest/gtest.h>

namespace {

class TestTitleDlg : public CQorMsgTitleDlg {
public:
    CString exportPath;
    int exportAsks = 0;

protected:
    bool ChooseExportPath(CString& strPath) override
    {
        ++exportAsks;
        strPath = exportPath;
        return !exportPath.IsEmpty();
    }
};

class TitleListTest : public ::testing::Test, public ReadingTestBase {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(resources.IsLoaded());
        ASSERT_TRUE(db.Ok());
        ASSERT_TRUE(host.CreateTopLevel(640, 420));
        ASSERT_TRUE(pane.Create(IDD_MSG_TITLE, &host));
        pane.SetOwner(&host);
        pane.MoveWindow(0, 0, 640, 420);
        pane.ShowWindow(SW_SHOW);
        testsupport::PumpMessages();
    }
    void TearDown() override
    {
        QorDBTest_FailStatementsContaining(nullptr);
        pane.DestroyWindow();
        host.DestroyWindow();
        testsupport::PumpMessages();
    }
    // What the list shows in a cell (asking the pane as the list itself does).
    CString Cell(int row, int column)
    {
        wchar_t buffer[300] = {};
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = 300;
        pane.GetList().SendMessage(LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    int Statements(const wchar_t* part)
    {
        int n = 0;
        for (const CString& s : QorDBTest_GetStatements())
            n += s.Find(part) >= 0;
        return n;
    }
    // n stored messages listed in the received folder, the list painted once.
    void ShowReceived(int n)
    {
        db.AddMany(n);
        ASSERT_TRUE(pane.LoadFolderMsg(1));
        testsupport::PumpMessages();
    }
    void Select(int row, bool focus = false)
    {
        UINT state = LVIS_SELECTED | (focus ? LVIS_FOCUSED : 0);
        pane.GetList().SetItemState(row, state, state);
    }
    // A click of the left button on a row, as the mouse gives it.
    void Click(int row)
    {
        pane.GetList().EnsureVisible(row, FALSE);
        RECT rc = {LVIR_LABEL};
        pane.GetList().SendMessage(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rc));
        const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        pane.GetList().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        pane.GetList().SendMessage(WM_LBUTTONUP, 0, at);
        testsupport::PumpMessages();
    }

    ReadingDb db;
    ReadingHost host;
    TestTitleDlg pane;
};

} // namespace

TEST(TitleListQuery, OrderByColumn)
{
    struct Case { int column; bool desc; const wchar_t* clause; } cases[] = {
        {0, false, L" ORDER BY qor_msg.Col_ReadState, qor_msg.rowid"},
        {1, true, L" ORDER BY qor_msg.Col_AttachCount DESC, qor_msg.rowid DESC"},
        {2, false, L" ORDER BY qor_msg.Col_SenderName, qor_msg.rowid"},
        {3, true, L" ORDER BY qor_msg.Col_Subject DESC, qor_msg.rowid DESC"},
        {4, false, L" ORDER BY qor_msg.Col_SendDate, qor_msg.rowid"},
        {5, true, L" ORDER BY qor_msg.Col_RecvName DESC, qor_msg.rowid DESC"},
        {-1, false, L" ORDER BY qor_msg.Col_SendDate DESC, qor_msg.rowid DESC"},
        {6, false, L" ORDER BY qor_msg.Col_SendDate DESC, qor_msg.rowid DESC"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.clause), CTitleListQuery::OrderBy(c.column, c.desc)) << c.column;
    EXPECT_EQ(CString(L" ORDER BY qor_msg.Col_Subject, qor_msg.rowid"), CTitleListQuery::OrderBy(3, true, true));
}

TEST(TitleListQuery, PagesInTheBackHalfAreReadFromTheEnd)
{
    struct Case { int from, count, total; bool reversed; const wchar_t* tail; } cases[] = {
        {0, 30, 1000, false, L"LIMIT 30 OFFSET 0"},   {500, 30, 1000, false, L"LIMIT 30 OFFSET 500"},
        {501, 30, 1000, true, L"LIMIT 30 OFFSET 469"}, {990, 30, 1000, true, L"LIMIT 10 OFFSET 0"},
        {999, 1, 1000, true, L"LIMIT 1 OFFSET 0"},
    };
    for (const Case& c : cases) {
        bool reversed = false;
        CString sql = CTitleListQuery::Page(L"SELECT x FROM qor_Msg", 4, false, c.from, c.count, c.total, reversed);
        EXPECT_EQ(c.reversed, reversed) << c.from;
        EXPECT_EQ(CString(c.tail), sql.Right(static_cast<int>(wcslen(c.tail)))) << CStringA(sql).GetString();
        EXPECT_EQ(c.reversed, sql.Find(L"Col_SendDate DESC") >= 0) << "the reversed order of oldest first";
    }
}

TEST(TitleListQuery, UserTextIsQuotedAndLiteral)
{
    EXPECT_EQ(CString(L"O''Brien"), CTitleListQuery::Quote(L"O'Brien"));
    EXPECT_EQ(CString(L"50\\% a\\_b c\\\\d ''e"), CTitleListQuery::LikeEscape(L"50% a_b c\\d 'e"));
    // A person word with a quote cannot end the statement's text early.
    CTitleListStatements s = CTitleListQuery::Search(L"x", L"o'neil;ann", L"", L"");
    EXPECT_GE(s.strCount.Find(L"Col_Sender LIKE '%o''neil%' ESCAPE '\\'"), 0) << CStringA(s.strCount).GetString();
    EXPECT_GE(s.strCount.Find(L"Col_RecvName LIKE '%ann%'"), 0);
}

TEST(TitleListQuery, DateRangeWithOneBoundIsOpenOnTheOtherSide)
{
    CString onlyFirst = CTitleListQuery::Search(L"x", L"", L"2026-01-02", L"").strBase;
    EXPECT_GE(onlyFirst.Find(L"Col_SendDate >= '2026-01-02 00:00:00'"), 0);
    EXPECT_LT(onlyFirst.Find(L"<="), 0) << "no upper bound made of an empty day";
    CString onlyLast = CTitleListQuery::Search(L"x", L"", L"", L"2026-01-03").strBase;
    EXPECT_GE(onlyLast.Find(L"Col_SendDate <= '2026-01-03 23:59:59'"), 0);
    EXPECT_LT(onlyLast.Find(L">="), 0);
    CString both = CTitleListQuery::Search(L"x", L"", L"2026-01-02", L"2026-01-03").strBase;
    EXPECT_GE(both.Find(L"<= '2026-01-03 23:59:59' AND qor_Msg.Col_SendDate >= '2026-01-02 00:00:00'"), 0);
}

TEST_F(TitleListTest, PagesRowsAsTheListScrollsToTheEnd)
{
    db.AddMany(600);
    QorDBTest_ClearStatements();
    ASSERT_TRUE(pane.LoadFolderMsg(1));
    EXPECT_EQ(600, pane.GetList().GetItemCount());
    testsupport::PumpMessages();
    // Newest first: row 0 is the last message stored.
    EXPECT_EQ(CString(L"Subject 0599"), Cell(0, 3));
    EXPECT_EQ(CString(L"Ann"), Cell(0, 2));
    const _MSGITEM* top = pane.GetCachedRow(0);
    ASSERT_NE(nullptr, top);
    EXPECT_EQ(CString(L"m0599"), top->strID);
    EXPECT_TRUE(pane.GetCachedRow(590)->strID.IsEmpty()) << "rows far below are not fetched yet";

    // Go to the real list's end as the keyboard does: the list hints the rows it shows and
    // only they are read.
    pane.GetList().SetFocus();
    pane.GetList().SendMessage(WM_KEYDOWN, VK_END, 0);
    pane.GetList().UpdateWindow();
    testsupport::PumpMessages();
    EXPECT_EQ(CString(L"m0000"), pane.GetCachedRow(599)->strID);
    EXPECT_EQ(CString(L"Subject 0000"), Cell(599, 3));
    for (const CString& s : QorDBTest_GetStatements())
        if (s.Find(L"Col_Subject") >= 0)
            EXPECT_GE(s.Find(L" LIMIT "), 0) << "every row read is a page: " << CStringA(s).GetString();
    EXPECT_TRUE(pane.GetCachedRow(300)->strID.IsEmpty()) << "the middle was never shown, never read";

    // The list as the user sees it, kept for looking at.
    std::wstring outDir = testsupport::ExeDir() + L"\\test-output";
    ::CreateDirectoryW(outDir.c_str(), nullptr);
    pane.GetList().SendMessage(WM_KEYDOWN, VK_HOME, 0);
    Select(1, true);
    host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testsupport::PumpMessages();
    EXPECT_TRUE(testsupport::SaveScreenshot(outDir + L"\\title-list.bmp", host.GetSafeHwnd()));
}

TEST_F(TitleListTest, ViewsCountTheirRowsAndEmptyTheCache)
{
    db.AddMany(30, 1);
    StoredMsg sent;
    sent.id = L"s1";
    sent.folder = 2;
    sent.readState = 0;
    sent.subject = L"Waiting";
    db.Add(sent);
    sent.id = L"s2";
    sent.readState = 2;
    sent.subject = L"Read";
    db.Add(sent);
    ASSERT_TRUE(pane.LoadFolderMsg(1));
    testsupport::PumpMessages();
    ASSERT_FALSE(pane.GetCachedRow(0)->strID.IsEmpty());
    ASSERT_TRUE(pane.LoadFolderMsg(2));
    EXPECT_EQ(2, pane.GetTotal());
    // No row of the received folder may stand in the sent folder's cache.
    EXPECT_TRUE(pane.GetCachedRow(0)->strID.IsEmpty());
    ASSERT_TRUE(pane.LoadReadStateMsg());
    EXPECT_EQ(1, pane.GetTotal());
    EXPECT_EQ(CString(L"Waiting"), Cell(0, 3));
    CString label;
    pane.GetDlgItemText(IDC_TITLE_LABEL, label);
    EXPECT_FALSE(label.IsEmpty());
}

// Received, a click on row 11; Sent, a click on row 0; Ctrl+A; Delete: exactly the sent
// messages go. The list asks for rows while it takes the new folder's count (its focused row
// among them): none of them may come from the received folder.
TEST_F(TitleListTest, AFolderSwitchKeepsNoRowOfThePreviousFolder)
{
    db.AddMany(60, 1);
    for (int i = 0; i < 40; ++i) {
        StoredMsg sent;
        sent.id.Format(L"s%04d", i);
        sent.folder = 2;
        sent.subject.Format(L"Sent %04d", i);
        sent.date.Format(L"2026-02-01 10:%02d:00", i);
        db.Add(sent);
    }
    ASSERT_TRUE(pane.LoadFolderMsg(1));
    testsupport::PumpMessages();
    Click(11);
    ASSERT_EQ(CString(L"m0048"), host.shownId);
    ASSERT_TRUE(pane.LoadFolderMsg(2));
    testsupport::PumpMessages();
    Click(0);
    ASSERT_EQ(CString(L"s0039"), host.shownId);
    for (int i = 0; i < pane.GetTotal(); ++i) {
        const CString id = pane.GetCachedRow(i)->strID;
        EXPECT_TRUE(id.IsEmpty() || id[0] == L's') << "row " << i << " of the sent folder holds " << CStringA(id).GetString();
    }
    pane.GetList().SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    ASSERT_TRUE(pane.DeleteSelected(false));
    testsupport::PumpMessages();
    EXPECT_EQ(40, pane.GetLastTaskCount());
    EXPECT_EQ(0, db.Count(L"SELECT count(*) FROM qor_Msg WHERE Col_MsgFolder = 2"));
    EXPECT_EQ(60, db.Count(L"SELECT count(*) FROM qor_Msg WHERE Col_MsgFolder = 1")) << "no received message goes";
}

// The label says which view is shown and nothing of the one before: the label draws no
// background of its own, and a shorter text must leave none of the longer one showing.
TEST_F(TitleListTest, TheLabelShowsOnlyTheViewShown)
{
    ShowReceived(3);
    host.SetForegroundWindow();
    ASSERT_TRUE(pane.LoadReadStateMsg()); // "Not yet read by the receivers"
    testsupport::PumpMessages();
    HWND hLabel = pane.GetLabel().GetSafeHwnd();
    ASSERT_TRUE(testsupport::WaitUntilOnScreen(hLabel, [&] {
        return testsupport::CountScreenPixels(testsupport::ClientRectOnScreen(hLabel), testsupport::IsDark) > 40;
    }));
    ASSERT_TRUE(pane.LoadFolderMsg(2)); // "Sent messages"
    testsupport::PumpMessages();
    CString label;
    pane.GetLabel().GetWindowText(label);
    SIZE extent = {};
    HDC hdc = ::GetDC(hLabel);
    HGDIOBJ oldFont = ::SelectObject(hdc, reinterpret_cast<HFONT>(::SendMessageW(hLabel, WM_GETFONT, 0, 0)));
    ::GetTextExtentPoint32W(hdc, label, label.GetLength(), &extent);
    ::SelectObject(hdc, oldFont);
    ::ReleaseDC(hLabel, hdc);
    const RECT rc = testsupport::ClientRectOnScreen(hLabel);
    RECT text = rc, rest = rc;
    text.right = rc.left + extent.cx;
    rest.left = rc.left + extent.cx + 8;
    ASSERT_TRUE(testsupport::WaitUntilOnScreen(hLabel, [&] { return testsupport::CountScreenPixels(text, testsupport::IsDark) > 20; }));
    EXPECT_EQ(0, testsupport::CountScreenPixels(rest, testsupport::IsDark)) << "the longer label before shows through";
}

TEST_F(TitleListTest, SortsByTheClickedColumnAndBack)
{
    ShowReceived(40);
    pane.SendMessage(WM_LIST_SORT_COLUMN, 3, 0);
    testsupport::PumpMessages();
    EXPECT_EQ(CString(L"Subject 0000"), Cell(0, 3));
    pane.SendMessage(WM_LIST_SORT_COLUMN, 3, 1);
    testsupport::PumpMessages();
    EXPECT_EQ(CString(L"Subject 0039"), Cell(0, 3));
    pane.SendMessage(WM_LIST_SORT_COLUMN, 4, 0);
    testsupport::PumpMessages();
    EXPECT_EQ(CString(L"Subject 0000"), Cell(0, 3)) << "oldest first";
    pane.SendMessage(WM_LIST_SORT_COLUMN, 9, 0);
    testsupport::PumpMessages();
    EXPECT_EQ(CString(L"Subject 0039"), Cell(0, 3)) << "an unknown column sorts newest first";
}

TEST_F(TitleListTest, SearchCountAndRowsAgree)
{
    struct Row { const wchar_t* id; const wchar_t* text; const wchar_t* senderName; const wchar_t* date; };
    const Row rows[] = {
        {L"a", L"Äpfel und Birnen", L"Ann", L"2026-02-01 09:00:00"},
        {L"b", L"frische äpfel", L"Bob", L"2026-02-02 09:00:00"},
        {L"c", L"O'Brien sends 50% off", L"Ann", L"2026-02-03 09:00:00"},
        {L"d", L"500 off at O Brien", L"Cyd", L"2026-02-04 09:00:00"},
        {L"e", L"a_b and axb", L"Dan", L"2026-02-05 09:00:00"},
    };
    for (const Row& r : rows) {
        StoredMsg m;
        m.id = r.id;
        m.content = r.text;
        m.senderName = r.senderName;
        m.sender = CString(r.senderName).MakeLower();
        m.date = r.date;
        m.subject = r.text;
        db.Add(m);
    }
    struct Case { const wchar_t* text; const wchar_t* persons; const wchar_t* first; const wchar_t* last; int hits; } cases[] = {
        {L"ÄPFEL", L"", L"", L"", 2},          // non-ASCII letters fold like ASCII ones
        {L"äpfel", L"", L"", L"", 2},
        {L"O'Brien", L"", L"", L"", 1},        // a quote is text
        {L"50%", L"", L"", L"", 1},            // "%" is itself, not "anything"
        {L"a_b", L"", L"", L"", 1},            // "_" is itself, not "any one character"
        {L"", L"ANN", L"", L"", 2},            // a person word matches the sender's name
        {L"", L"ann;o'b", L"", L"", 0},        // every word must match; a quote is text
        {L"", L"me;dan", L"", L"", 1},         // the receiver's login and the sender's
        {L"", L"", L"2026-02-04", L"", 2},     // a first day alone: from then on
        {L"", L"", L"", L"2026-02-01", 1},     // a last day alone: up to then
        {L"", L"", L"2026-02-02", L"2026-02-03", 2},
    };
    for (const Case& c : cases) {
        bool found = pane.SearchMessages(c.text, c.persons, c.first, c.last);
        testsupport::PumpMessages();
        EXPECT_EQ(c.hits > 0, found) << CStringA(c.text).GetString();
        EXPECT_EQ(c.hits, pane.GetTotal()) << CStringA(c.text).GetString() << " " << CStringA(c.persons).GetString();
        int shown = 0;
        for (int i = 0; i < pane.GetTotal(); ++i)
            shown += !Cell(i, 3).IsEmpty();
        EXPECT_EQ(pane.GetTotal(), shown) << "every counted row is there to show: " << CStringA(c.text).GetString();
    }
}

TEST_F(TitleListTest, SearchWithoutHitsWarnsAndKeepsTheQuery)
{
    db.AddMany(5);
    ASSERT_TRUE(pane.LoadFolderMsg(1));
    CString before = pane.GetBaseQuery();
    qorview_test::ClearCalls();
    EXPECT_FALSE(pane.SearchMessages(L"nothing like this", L"", L"", L""));
    EXPECT_EQ(1, qorview_test::CountCalls(L"QorMessageBox"));
    EXPECT_EQ(0, pane.GetList().GetItemCount());
    EXPECT_EQ(before, pane.GetBaseQuery());
}

TEST_F(TitleListTest, SelectingARowShowsItBelow)
{
    db.AddMany(10);
    pane.SetSearchFlag(1);
    ASSERT_TRUE(pane.LoadFolderMsg(1));
    testsupport::PumpMessages();
    Select(2, true);
    testsupport::PumpMessages();
    EXPECT_EQ(CString(L"m0007"), host.shownId);
    EXPECT_EQ(CString(L"Ann"), host.shownSender);
    EXPECT_TRUE(host.shownSearch);
}

TEST_F(TitleListTest, DeletionShrinksTheListAndClearsTheSelection)
{
    ShowReceived(20);
    Select(3, true);
    Select(4);
    host.shownId = L"m0016"; // row 3
    ASSERT_TRUE(pane.DeleteSelected(false));
    testsupport::PumpMessages();
    EXPECT_EQ(18, pane.GetTotal());
    EXPECT_EQ(18, pane.GetList().GetItemCount());
    EXPECT_EQ(0, pane.GetList().GetSelectedCount()) << "a second Delete must not hit the rows that moved up";
    EXPECT_FALSE(db.Exists(L"m0016"));
    EXPECT_FALSE(db.Exists(L"m0015"));
    EXPECT_TRUE(db.Exists(L"m0017"));
    EXPECT_EQ(0, db.Count(L"SELECT count(*) FROM qor_Msg_Content WHERE Col_MSGID = 'm0016'"));
    EXPECT_EQ(1, host.clears) << "the shown message was deleted";
    EXPECT_EQ(CString(L"Subject 0014"), Cell(3, 3));
    EXPECT_FALSE(pane.IsLongTaskRunning());
    EXPECT_EQ(nullptr, pane.GetWaitingDlg());
    EXPECT_FALSE(pane.DeleteSelected(false)) << "nothing selected, nothing deleted";
    EXPECT_EQ(18, db.Count(L"SELECT count(*) FROM qor_Msg"));
}

TEST_F(TitleListTest, DeleteAsksFirstAndCancelKeepsEverything)
{
    ShowReceived(5);
    Select(0, true);
    qorview_test::PushMessageBoxAnswer(IDCANCEL);
    EXPECT_FALSE(pane.DeleteSelected(true));
    EXPECT_EQ(5, db.Count(L"SELECT count(*) FROM qor_Msg"));
    qorview_test::PushMessageBoxAnswer(IDOK);
    EXPECT_TRUE(pane.DeleteSelected(true));
    EXPECT_EQ(4, db.Count(L"SELECT count(*) FROM qor_Msg"));
}

TEST_F(TitleListTest, FailedDeletionIsRolledBackAndReported)
{
    ShowReceived(8);
    Select(0, true);
    Select(1);
    Select(2);
    // The last of a message's four deletions fails: its first three must not stay done.
    QorDBTest_FailStatementsContaining(L"DELETE FROM qor_Msg_Recv");
    qorview_test::ClearCalls();
    EXPECT_FALSE(pane.DeleteSelected(false));
    QorDBTest_FailStatementsContaining(nullptr);
    testsupport::PumpMessages();
    EXPECT_EQ(8, db.Count(L"SELECT count(*) FROM qor_Msg"));
    EXPECT_EQ(8, db.Count(L"SELECT count(*) FROM qor_Msg_Content"));
    EXPECT_EQ(8, pane.GetTotal()) << "the list shrinks only by what was really deleted";
    EXPECT_EQ(1, qorview_test::CountCalls(L"QorMessageBox")) << "the failure is reported";
    EXPECT_FALSE(pane.IsLongTaskRunning());
}

TEST_F(TitleListTest, SelectAllDeletesRowsNeverShownInOnePass)
{
    ShowReceived(2500);
    pane.SetFocus();
    // Ctrl+A as the keyboard gives it: Ctrl held while the key's message is handled.
    INPUT ctrl[2] = {};
    ctrl[0].type = ctrl[1].type = INPUT_KEYBOARD;
    ctrl[0].ki.wVk = ctrl[1].ki.wVk = VK_CONTROL;
    ctrl[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, &ctrl[0], sizeof(INPUT));
    pane.PostMessage(WM_MSGCENTER_KEYDOWN, 'A', 0);
    testsupport::PumpMessages();
    ::SendInput(1, &ctrl[1], sizeof(INPUT));
    ASSERT_EQ(2500, pane.GetList().GetSelectedCount());
    QorDBTest_ClearStatements();
    ASSERT_TRUE(pane.DeleteSelected(false));
    testsupport::PumpMessages();
    EXPECT_EQ(0, pane.GetTotal());
    EXPECT_EQ(0, db.Count(L"SELECT count(*) FROM qor_Msg"));
    EXPECT_LE(Statements(L" LIMIT "), 2) << "the ids come in pages, not a query per row";
    EXPECT_EQ(pane.GetLastTaskCount(), 2500);
    EXPECT_EQ(1, host.clears) << "an empty list clears the content pane";
}

// A message stored after the list was shown moves every row the list has not read yet: the
// selection could name other messages by now. A deletion or an export then shows the list afresh
// (the owner's refresh), says why, and does nothing.
TEST_F(TitleListTest, AListTheDatabaseMovedUnderIsShownAfreshBeforeAnyWork)
{
    ShowReceived(40);
    pane.GetList().SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    StoredMsg arrived;
    arrived.id = L"new";
    arrived.date = L"2026-02-01 10:00:00";
    db.Add(arrived);
    pane.exportPath = (db.Dir() + L"\\moved.rtf").c_str();
    for (int task = 0; task < 2; ++task) {
        SCOPED_TRACE(task == 0 ? "delete" : "export");
        qorview_test::ClearCalls();
        const int refreshes = host.refreshes;
        if (task == 0)
            EXPECT_FALSE(pane.DeleteSelected(false));
        else
            pane.ExportSelected(1);
        testsupport::PumpMessages();
        EXPECT_EQ(refreshes + 1, host.refreshes) << "the list is shown afresh";
        EXPECT_EQ(1, qorview_test::CountCalls(L"QorMessageBox"));
        EXPECT_EQ(0u, qorview_test::LastArgs(L"QorMessageBox").rfind(std::wstring(CQorViewBaseFun::LoadStringW(IDS_LIST_CHANGED)), 0));
        EXPECT_FALSE(pane.IsLongTaskRunning());
        EXPECT_EQ(0, pane.GetLastTaskCount());
    }
    EXPECT_EQ(41, db.Count(L"SELECT count(*) FROM qor_Msg"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW((db.Dir() + L"\\moved.rtf").c_str()));
}

TEST_F(TitleListTest, CancelDuringTheWalkDeletesNothing)
{
    ShowReceived(300);
    pane.GetList().SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    // The waiting dialog's Cancel, arriving while the deletion works.
    pane.PostMessage(WM_WAITING_CANCEL, 0, 0);
    EXPECT_FALSE(pane.DeleteSelected(false));
    testsupport::PumpMessages();
    EXPECT_EQ(300, db.Count(L"SELECT count(*) FROM qor_Msg"));
    EXPECT_EQ(300, pane.GetTotal());
    EXPECT_FALSE(pane.IsLongTaskRunning());
}

TEST_F(TitleListTest, KeysReachTheirCommands)
{
    ShowReceived(3);
    pane.PostMessage(WM_MSGCENTER_KEYDOWN, VK_F5, 0);
    pane.PostMessage(WM_MSGCENTER_KEYDOWN, 'F', 0); // without Ctrl: nothing
    pane.PostMessage(WM_MSGCENTER_KEYDOWN, 'A', 0);
    testsupport::PumpMessages();
    EXPECT_EQ(1, host.refreshes);
    EXPECT_EQ(0, host.searches);
    EXPECT_EQ(0, pane.GetList().GetSelectedCount());
    Select(1, true);
    pane.PostMessage(WM_MSGCENTER_KEYDOWN, VK_DELETE, 0); // Delete asks first
    qorview_test::PushMessageBoxAnswer(IDCANCEL);
    testsupport::PumpMessages();
    EXPECT_EQ(3, db.Count(L"SELECT count(*) FROM qor_Msg"));
}

TEST_F(TitleListTest, RightClickShowsTheListMenuOnlyOverAMarkedRow)
{
    ShowReceived(2);
    NMHDR hdr = {pane.GetList().GetSafeHwnd(), IDC_TITLE_LIST, static_cast<UINT>(NM_RCLICK)};
    for (int mark : {-1, 0}) {
        pane.GetList().SetSelectionMark(mark);
        msgcenter_test::MenuWatcher watcher;
        pane.SendMessage(WM_NOTIFY, IDC_TITLE_LIST, reinterpret_cast<LPARAM>(&hdr));
        EXPECT_EQ(mark < 0 ? 0 : 1, msgcenter_test::MenuWatcher::s_nMenus) << "mark " << mark;
    }
}

TEST_F(TitleListTest, ReplyByChatOpensAChatWithTheSender)
{
    ShowReceived(2);
    Select(0, true);
    pane.GetList().SetSelectionMark(0);
    qorview_test::ClearCalls();
    pane.SendMessage(WM_COMMAND, ID_TITLE_REPLY_CHAT, 0);
    EXPECT_EQ(std::wstring(L"ann|Ann|||1|0"), qorview_test::LastArgs(L"CQorViewMgr::NewChatDlg"));
}

TEST_F(TitleListTest, UserFolderListsItsRowsWhole)
{
    StoredMsg m;
    m.type = 3;
    m.folderName = L"Projects";
    m.recvName = L"";
    for (int i = 0; i < 3; ++i) {
        m.id.Format(L"u%d", i);
        m.subject.Format(L"Filed %d", i);
        m.date.Format(L"2026-03-0%d 08:00:00", i + 1);
        db.Add(m);
    }
    m.id = L"other";
    m.folderName = L"Else";
    db.Add(m);
    CQorViewMgr::Instance()->m_strUserName = L"Myself";
    ASSERT_TRUE(pane.LoadUserFolder(L"Projects"));
    testsupport::PumpMessages();
    EXPECT_EQ(3, pane.GetList().GetItemCount());
    EXPECT_EQ(CString(L"Filed 2"), Cell(0, 3));
    EXPECT_EQ(CString(L"2026-03-03 08:00:00"), Cell(0, 4)) << "the date as stored";
    EXPECT_EQ(CString(L"Myself"), Cell(0, 5)) << "an empty receiver is the user";
    ASSERT_TRUE(pane.LoadUserFolder(L""));
    EXPECT_EQ(4, pane.GetList().GetItemCount());
}

TEST(UnicodeLike, FoldsEveryLanguageAndKnowsItsWildcards)
{
    struct Case { const char* text; const char* pattern; int match; } cases[] = {
        {"Äpfel", "%äpfel%", 1}, {"ÄPFEL", "%äpf%", 1}, {"Ωμέγα", "%ΩΜΈΓΑ%", 1}, {"abc", "a_c", 1},
        {"50% off", "%50\\%%", 1}, {"500 off", "%50\\%%", 0}, {"a_b", "%a\\_b%", 1}, {"axb", "%a\\_b%", 0},
        {"x", "", 0}, {"", "%", 1}, {"abcabd", "%abd", 1}, {"it's", "%it''s%", 1},
    };
    ReadingDb db;
    ASSERT_TRUE(db.Ok());
    for (const Case& c : cases) {
        // The texts are UTF-8 here: convert them to the wide form the statements take.
        int wlen = ::MultiByteToWideChar(CP_UTF8, 0, c.text, -1, nullptr, 0);
        std::wstring text(static_cast<size_t>(wlen), 0);
        ::MultiByteToWideChar(CP_UTF8, 0, c.text, -1, &text[0], wlen);
        int plen = ::MultiByteToWideChar(CP_UTF8, 0, c.pattern, -1, nullptr, 0);
        std::wstring pattern(static_cast<size_t>(plen), 0);
        ::MultiByteToWideChar(CP_UTF8, 0, c.pattern, -1, &pattern[0], plen);
        CString sql;
        sql.Format(L"SELECT '%s' LIKE '%s' ESCAPE '\\'", CTitleListQuery::Quote(text.c_str()).GetString(), pattern.c_str());
        EXPECT_EQ(c.match, db.Count(sql)) << c.text << " LIKE " << c.pattern;
    }
}

TEST_F(TitleListTest, ResizingWidensTheLabelAndGrowsTheListAndBackAgain)
{
    auto rectOf = [this](CWnd& w) {
        CRect rc;
        w.GetWindowRect(&rc);
        pane.ScreenToClient(&rc);
        return rc;
    };
    const CRect label0 = rectOf(pane.GetLabel()), list0 = rectOf(pane.GetList());
    pane.MoveWindow(0, 0, 700, 500);
    CRect label = rectOf(pane.GetLabel()), list = rectOf(pane.GetList());
    EXPECT_EQ(CRect(label0.left, label0.top, label0.right + 60, label0.bottom), label);
    EXPECT_EQ(CRect(list0.left, list0.top, list0.right + 60, list0.bottom + 80), list);
    // A minimised pane keeps its layout; the next size is taken against the last laid out.
    pane.SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
    pane.MoveWindow(0, 0, 640, 420);
    EXPECT_EQ(label0, rectOf(pane.GetLabel()));
    EXPECT_EQ(list0, rectOf(pane.GetList()));
}
