// The history viewer: a person's and a discussion's history, paging, the page edit, rendering
// and what a click on each kind of link does.
#include "bench/MsgDbGenerator.h"
#include "common/CShellRun.h"
#include "msgcenter/historyviewer/CHistoryRenderer.h"
#include "platform/QorResource/HistoryResourceIds.h"
#include "platform/QorDB/QorDBTestHooks.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/msgcenter/historyviewer/HistoryFixture.h"
#include <regex>

using namespace historytest;
using namespace testsupport;

namespace {

class HistoryViewer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ShellCalls().clear();
        previousShell = CShellRun::SetHandler(RecordShell);
        qorview_test::ClearCalls();
    }
    void TearDown() override
    {
        CShellRun::SetHandler(previousShell);
        qorview_test::SetAppPathName(L"");
    }

    void AddPeerConversation(int n)
    {
        for (int i = 1; i <= n; ++i) {
            CString text;
            text.Format(L"peer message %d", i);
            db.AddPeerMsg(i, i % 2 == 0, Ktf(text));
        }
    }
    void OpenPeer(const wchar_t* login = kPeer)
    {
        CString peer = login;
        ::SendMessageW(win.viewer.GetSafeHwnd(), WM_USER + 114, 0, reinterpret_cast<LPARAM>(&peer));
    }

    // The send dates of the messages shown, from their headers, in the order shown.
    std::vector<std::wstring> ShownDates()
    {
        std::wstring text = win.Text().GetString();
        static const std::wregex header(L"\\((\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d)\\):");
        std::vector<std::wstring> dates;
        for (std::wsregex_iterator it(text.begin(), text.end(), header), end; it != end; ++it)
            dates.push_back((*it)[1].str());
        return dates;
    }
    // Every page from the first on: the dates of each page in turn.
    std::vector<std::vector<std::wstring>> WalkAllPages()
    {
        std::vector<std::vector<std::wstring>> pages;
        win.Click(IDC_HISTORY_FIRST_PAGE);
        for (;;) {
            pages.push_back(ShownDates());
            if (!win.Enabled(IDC_HISTORY_NEXT_PAGE) || pages.size() > 1000)
                break;
            win.Click(IDC_HISTORY_NEXT_PAGE);
        }
        return pages;
    }

    HistoryDb db;
    ViewerWindow win;
    CShellRun::PFNEXECUTE previousShell = nullptr;
};

} // namespace

TEST_F(HistoryViewer, APersonsHistoryOpensOnItsLastPage)
{
    const struct {
        int messages, pages;
    } cases[] = {{0, 1}, {20, 1}, {21, 2}, {100, 5}};
    int next = 1000;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.messages);
        // A fresh person for each count; other people's messages never count.
        CString peer;
        peer.Format(L"p%d@korvel", c.messages);
        for (int i = 0; i < c.messages; ++i)
            db.AddPeerMsg(next++, i % 2 == 0, Ktf(L"m"), L"Text/Ktf", CString(), peer);
        OpenPeer(peer);
        EXPECT_EQ(win.viewer.GetPageCount(), c.pages);
        EXPECT_EQ(win.viewer.GetPage(), c.pages);
        EXPECT_EQ(win.ItemText(IDC_HISTORY_PAGE_EDIT), CString(std::to_wstring(c.pages).c_str()));
        EXPECT_EQ(win.ItemText(IDC_HISTORY_PAGE_COUNT), CString((L"/ " + std::to_wstring(c.pages)).c_str()));
        EXPECT_EQ(win.Enabled(IDC_HISTORY_FIRST_PAGE), c.pages > 1);
        EXPECT_EQ(win.Enabled(IDC_HISTORY_PREV_PAGE), c.pages > 1);
        EXPECT_FALSE(win.Enabled(IDC_HISTORY_NEXT_PAGE));
        EXPECT_FALSE(win.Enabled(IDC_HISTORY_LAST_PAGE));
    }
    EXPECT_EQ(win.host.shown, 4);
}

TEST_F(HistoryViewer, PagesShowTwentyMessagesOldestFirst)
{
    AddPeerConversation(100);
    db.AddPeerMsg(500, false, Ktf(L"someone else"), L"Text/Ktf", CString(), L"other@korvel");
    OpenPeer();
    // The last page holds messages 81 to 100.
    CString text = win.Text();
    EXPECT_NE(text.Find(L"peer message 100"), -1);
    EXPECT_EQ(text.Find(L"peer message 80\r"), -1);
    EXPECT_EQ(text.Find(L"someone else"), -1);

    win.Click(IDC_HISTORY_FIRST_PAGE);
    win.Click(IDC_HISTORY_NEXT_PAGE);
    win.Click(IDC_HISTORY_NEXT_PAGE);
    EXPECT_EQ(win.viewer.GetPage(), 3);
    text = win.Text();
    int first = text.Find(L"peer message 41\r"), last = text.Find(L"peer message 60\r");
    EXPECT_NE(first, -1);
    EXPECT_NE(last, -1);
    EXPECT_LT(first, text.Find(L"peer message 42\r"));
    EXPECT_LT(text.Find(L"peer message 59\r"), last);
    EXPECT_EQ(text.Find(L"peer message 40\r"), -1);
    EXPECT_EQ(text.Find(L"peer message 61\r"), -1);
    for (int id : {IDC_HISTORY_FIRST_PAGE, IDC_HISTORY_PREV_PAGE, IDC_HISTORY_NEXT_PAGE, IDC_HISTORY_LAST_PAGE})
        EXPECT_TRUE(win.Enabled(id));
    // Each message has its sender and date as its header.
    EXPECT_NE(text.Find(CString(kPeerName) + L"(" + Date(41) + L"):"), -1);
    EXPECT_NE(text.Find(CString(kMyName) + L"(" + Date(42) + L"):"), -1);

    win.Click(IDC_HISTORY_LAST_PAGE);
    EXPECT_EQ(win.viewer.GetPage(), 5);
    win.Click(IDC_HISTORY_PREV_PAGE);
    EXPECT_EQ(win.viewer.GetPage(), 4);
    EXPECT_EQ(win.ItemText(IDC_HISTORY_PAGE_EDIT), CString(L"4"));
}

// A generated database: many people, many messages sent in the same minute. Walking the pages
// of a person's and of a discussion's history shows every message once, in send order.
TEST_F(HistoryViewer, AGeneratedDatabasePagesEveryMessageOnceInSendOrder)
{
    MsgDbGenOptions options;
    options.messages = 1500;
    options.senders = 40;
    options.selfLogin = kMe;
    options.selfName = kMyName;
    ASSERT_TRUE(GenerateMsgDbInto(db.db, options));

    // Person 0 is the most frequent: several pages.
    const CString peer = MsgDbGenLogin(0);
    const int stored = db.Count(L"SELECT COUNT(*) FROM qor_Msg WHERE Col_ID IN (SELECT Col_MSGID FROM qor_Msg_Content) AND "
                                L"((Col_Sender = " + Q(kMe) + L" AND Col_RecvLogin = " + Q(peer) + L") OR (Col_Sender = " +
                                Q(peer) + L" AND Col_RecvLogin = " + Q(kMe) + L"))");
    ASSERT_GT(stored, 40);
    // Many messages of the same second, across page boundaries.
    db.Exec(L"UPDATE qor_Msg SET Col_SendDate = '2023-03-0' || (rowid % 3 + 1) || ' 09:00:00' WHERE Col_Sender = " +
            Q(peer) + L" OR Col_RecvLogin = " + Q(peer));
    OpenPeer(peer);
    EXPECT_EQ(win.viewer.GetPageCount(), (stored + 19) / 20);
    EXPECT_EQ(static_cast<int>(ShownDates().size()), stored % 20 == 0 ? 20 : stored % 20);

    std::vector<std::wstring> all;
    for (const auto& page : WalkAllPages()) {
        EXPECT_LE(page.size(), 20u);
        all.insert(all.end(), page.begin(), page.end());
    }
    EXPECT_EQ(static_cast<int>(all.size()), stored);
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
    // Ties at page boundaries neither repeat nor drop a message: each date shows as often as it is stored.
    for (const wchar_t* date : {L"2023-03-01 09:00:00", L"2023-03-02 09:00:00", L"2023-03-03 09:00:00"}) {
        int shown = static_cast<int>(std::count(all.begin(), all.end(), date));
        EXPECT_EQ(shown, db.Count(L"SELECT COUNT(*) FROM qor_Msg WHERE Col_SendDate = " + Q(date) +
                                  L" AND (Col_Sender = " + Q(peer) + L" OR Col_RecvLogin = " + Q(peer) + L")"));
    }

    // A generated discussion holds twenty entries; one older entry more makes a second page.
    const CString talk = db.Text(L"SELECT Col_TalkID FROM qor_Talk_Msg ORDER BY Col_TalkID LIMIT 1");
    ASSERT_FALSE(talk.IsEmpty());
    ASSERT_EQ(db.Count(L"SELECT COUNT(*) FROM qor_Talk_Msg WHERE Col_TalkID = " + Q(talk)), 20);
    db.AddTalkMsg(9001, L"Ann", Ktf(L"the oldest entry"), talk);
    win.host.orgView = FALSE;
    win.viewer.OpenTalkHistory(talk);
    EXPECT_EQ(win.viewer.GetPageCount(), 2);
    EXPECT_EQ(ShownDates().size(), 1u);
    const auto pages = WalkAllPages();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].size(), 20u);
    EXPECT_EQ(pages[0].front(), std::wstring(Date(9001).GetString()));
    EXPECT_LE(pages[0].back(), pages[1].front());
}

TEST_F(HistoryViewer, TheTypedPageNumberIsTakenOnlyWhenItIsAPage)
{
    AddPeerConversation(100);
    OpenPeer();
    HWND edit = ::GetDlgItem(win.viewer.GetSafeHwnd(), IDC_HISTORY_PAGE_EDIT);
    auto enter = [&](const wchar_t* typed) {
        ::SetWindowTextW(edit, typed);
        MSG msg = {edit, WM_KEYDOWN, VK_RETURN, 0};
        return win.viewer.PreTranslateMessage(&msg);
    };
    EXPECT_TRUE(enter(L"3"));
    EXPECT_EQ(win.viewer.GetPage(), 3);
    for (const wchar_t* bad : {L"0", L"6", L"abc", L"-1"}) {
        SCOPED_TRACE(bad);
        EXPECT_TRUE(enter(bad));
        EXPECT_EQ(win.viewer.GetPage(), 3);
        EXPECT_EQ(win.ItemText(IDC_HISTORY_PAGE_EDIT), CString(L"3"));
    }
    EXPECT_FALSE(enter(L""));
    EXPECT_EQ(win.viewer.GetPage(), 3);
    // Enter and Escape never close the pane.
    ::SendMessageW(win.viewer.GetSafeHwnd(), WM_COMMAND, IDOK, 0);
    ::SendMessageW(win.viewer.GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(::IsWindowVisible(win.viewer.GetSafeHwnd()));
}

TEST_F(HistoryViewer, ADiscussionPagesInItsOwnModeWhateverSideTheManagerShows)
{
    for (int i = 1; i <= 25; ++i) {
        CString text;
        text.Format(L"talk line %d", i);
        db.AddTalkMsg(i, i % 3 ? L"Ann" : kMyName, Ktf(text));
    }
    db.AddTalkMsg(99, L"Ann", Ktf(L"another talk"), L"talk_8");
    AddPeerConversation(3);
    win.host.orgView = FALSE;
    win.viewer.OpenTalkHistory(kTalk);
    EXPECT_FALSE(win.viewer.IsPeerMode());
    EXPECT_EQ(win.viewer.GetPageCount(), 2);
    EXPECT_NE(win.Text().Find(L"talk line 25"), -1);
    EXPECT_EQ(win.Text().Find(L"another talk"), -1);

    // The manager switches to its contact side: the page buttons still page the discussion.
    win.host.orgView = TRUE;
    win.Click(IDC_HISTORY_PREV_PAGE);
    CString text = win.Text();
    EXPECT_NE(text.Find(L"talk line 1\r"), -1);
    EXPECT_NE(text.Find(L"talk line 20\r"), -1);
    EXPECT_EQ(text.Find(L"peer message"), -1);

    // A person opened afterwards is a person's history again.
    OpenPeer();
    EXPECT_TRUE(win.viewer.IsPeerMode());
    EXPECT_NE(win.Text().Find(L"peer message 3"), -1);
}

TEST_F(HistoryViewer, NoPersonNoLoginOrAFailedQueryLeaveADefinedEmptyPage)
{
    AddPeerConversation(30);
    OpenPeer();
    ASSERT_EQ(win.viewer.GetPageCount(), 2);
    win.viewer.ClearPeerHistory();
    EXPECT_EQ(win.viewer.GetPage(), 1);
    EXPECT_EQ(win.viewer.GetPageCount(), 1);
    EXPECT_TRUE(win.Text().IsEmpty());
    for (int id : {IDC_HISTORY_FIRST_PAGE, IDC_HISTORY_PREV_PAGE, IDC_HISTORY_NEXT_PAGE, IDC_HISTORY_LAST_PAGE})
        EXPECT_FALSE(win.Enabled(id));

    // Signed out: no own login, nothing shown, nowhere to page.
    CQorViewMgr::Instance()->m_strAccount.Empty();
    OpenPeer();
    EXPECT_TRUE(win.Text().IsEmpty());
    EXPECT_EQ(win.viewer.GetPageCount(), 1);
    EXPECT_FALSE(win.Enabled(IDC_HISTORY_PREV_PAGE));
    CQorViewMgr::Instance()->m_strAccount = kMe;

    // The page query fails: an empty view, the buttons still follow the page.
    OpenPeer();
    QorDBTest_FailStatementsContaining(L"ORDER BY");
    win.Click(IDC_HISTORY_PREV_PAGE);
    QorDBTest_FailStatementsContaining(nullptr);
    EXPECT_TRUE(win.Text().IsEmpty());
    EXPECT_EQ(win.viewer.GetPage(), 1);
    EXPECT_FALSE(win.Enabled(IDC_HISTORY_PREV_PAGE));
    EXPECT_TRUE(win.Enabled(IDC_HISTORY_NEXT_PAGE));
}

TEST_F(HistoryViewer, AQuoteInALoginTalkIdOrFileNameIsOnlyText)
{
    const wchar_t odd[] = L"o'brien@korvel";
    db.AddPeerMsg(1, false, Ktf(L"from o'brien"), L"Text/Ktf", CString(), odd);
    OpenPeer(odd);
    EXPECT_NE(win.Text().Find(L"from o'brien"), -1);
    db.AddTalkMsg(2, L"Ann", Ktf(L"quoted talk"), L"t' OR '1'='1");
    db.AddTalkMsg(3, L"Ann", Ktf(L"other talk"), L"t2");
    win.viewer.OpenTalkHistory(L"t' OR '1'='1");
    EXPECT_NE(win.Text().Find(L"quoted talk"), -1);
    EXPECT_EQ(win.Text().Find(L"other talk"), -1);

    // File names come from other people's messages: one with a quote finds its own stored path,
    // one shaped like a condition finds none.
    db.AddPeerMsg(4, false, Ktf(L"", {KtfFile(L"it's.txt", 1, 1, L"k1", L"h"), KtfFile(L"x' OR '1'='1", 1, 1, L"k2", L"h")}));
    db.AddPeerAttach(4, L"it's.txt", L"C:\\saved\\it's.txt");
    db.AddPeerAttach(4, L"other.txt", L"C:\\saved\\other.txt");
    OpenPeer();
    CString path;
    ASSERT_NE(win.Link(1, L"it's.txt"), nullptr);
    win.Link(1, L"it's.txt")->GetValue(CHistoryRenderer::kKeyAttachFile, path);
    EXPECT_EQ(path, CString(L"C:\\saved\\it's.txt"));
    ASSERT_NE(win.Link(1, L"x' OR '1'='1"), nullptr);
    win.Link(1, L"x' OR '1'='1")->GetValue(CHistoryRenderer::kKeyAttachFile, path);
    EXPECT_TRUE(path.IsEmpty());
}

TEST_F(HistoryViewer, BodiesAreDrawnFromKtfRtfOrPlainTextWithLinks)
{
    db.AddPeerMsg(1, false,
                  Ktf(L"see the files", {KtfFile(L"report.doc", 10, 1, L"k1", L"h"), KtfFile(L"plan.xls", 20, 1, L"k2", L"h"),
                                         KtfFile(L"photo.png", 30, 1, L"k3", L"h", 0x40000)},
                      L"u7;Ann Lee"));
    db.AddPeerAttach(1, L"report.doc", L"C:\\\\got\\\\report.doc");
    db.AddPeerMsg(2, true, L"{\\rtf1\\ansi rtf words}", L"Text/Rtf");
    db.AddPeerMsg(3, false, L"plain words", L"UTF-8", L"run-this");
    OpenPeer();
    CString text = win.Text();
    EXPECT_NE(text.Find(L"see the files"), -1);
    EXPECT_NE(text.Find(L"report.doc   Show in folder"), -1);
    EXPECT_NE(text.Find(L"plan.xls   Show in folder"), -1);
    EXPECT_NE(text.Find(L"@Ann Lee"), -1);
    EXPECT_NE(text.Find(L"[picture]"), -1); // the picture has no file here: its placeholder
    EXPECT_NE(text.Find(L"rtf words"), -1);
    EXPECT_NE(text.Find(L"plain words"), -1);
    EXPECT_NE(text.Find(L"[run-this]"), -1);

    // Each file has its own two links, naming that file and its place in the body.
    const CLinkDataMgr::CLinkItem* report = win.Link(1, L"report.doc");
    const CLinkDataMgr::CLinkItem* plan = win.Link(1, L"plan.xls");
    ASSERT_NE(report, nullptr);
    ASSERT_NE(plan, nullptr);
    EXPECT_EQ(win.Link(1, L"photo.png"), nullptr);
    CString value;
    report->GetValue(L"_MsgID_", value);
    EXPECT_EQ(value, MsgId(1));
    report->GetValue(L"_AttachFile_", value);
    EXPECT_EQ(value, CString(L"C:\\\\got\\\\report.doc"));
    int index = -1;
    plan->GetIntValue(L"_FileIndex_", index);
    EXPECT_EQ(index, 1);
    plan->GetValue(L"_AttachFile_", value);
    EXPECT_TRUE(value.IsEmpty());
    CString shown;
    win.viewer.GetView().GetTextRange(report->start, report->end, shown);
    EXPECT_EQ(shown, CString(L"report.doc "));
    ASSERT_NE(win.Link(2, L"report.doc"), nullptr);
    ASSERT_NE(win.Link(31, L"[run-this]"), nullptr);

    // Headers: the user's own messages green, everyone else's blue.
    auto headerColor = [&](const CString& name, int n) {
        int at = text.Find(name + L"(" + Date(n));
        win.viewer.GetView().SetSel(at, at + 1);
        CHARFORMAT2W cf = {};
        cf.cbSize = sizeof(cf);
        win.viewer.GetView().GetSelectionCharFormat(cf);
        return cf.crTextColor;
    };
    EXPECT_EQ(headerColor(kPeerName, 1), CHistoryRenderer::kHeaderColor);
    EXPECT_EQ(headerColor(kMyName, 2), CHistoryRenderer::kOwnHeaderColor);
}

TEST_F(HistoryViewer, EachLinkKindDoesItsOwnThing)
{
    std::wstring dir = TempDir(L"history_links");
    std::wstring file = dir + L"\\have.txt";
    ::CloseHandle(::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    CString doubled = file.c_str();
    doubled.Replace(L"\\", L"\\\\");
    db.AddPeerMsg(1, false, Ktf(L"see http://example.org/x", {KtfFile(L"have.txt", 1, 1, L"k", L"h")}), L"Text/Ktf",
                  L"do-it");
    db.AddPeerAttach(1, L"have.txt", doubled);
    const std::wstring helper = L"C:\\Tools\\helper.exe";
    qorview_test::SetAppPathName(helper);
    OpenPeer();

    // A file on disk opens at once: no download, no dialog.
    win.ClickLink(win.Link(1, L"have.txt"));
    // Its folder link opens Explorer with the file selected, the separators single.
    win.ClickLink(win.Link(2, L"have.txt"));
    win.ClickLink(win.Link(31, L"[do-it]"));
    // An address found in the text goes to the shell, not to the attachment.
    CString text = win.Text();
    long at = text.Find(L"http://example.org/x");
    win.ClickLink(at, at + 20);
    // Another mouse message than a left button press does nothing.
    ENLINK move = {};
    move.nmhdr.code = EN_LINK;
    move.nmhdr.idFrom = IDC_HISTORY_VIEW;
    move.msg = WM_MOUSEMOVE;
    move.chrg = {at, at + 20};
    ::SendMessageW(win.viewer.GetSafeHwnd(), WM_NOTIFY, IDC_HISTORY_VIEW, reinterpret_cast<LPARAM>(&move));

    ASSERT_EQ(ShellCalls().size(), 4u);
    EXPECT_EQ(ShellCalls()[0].verb, L"open");
    EXPECT_EQ(ShellCalls()[0].file, std::wstring(doubled));
    EXPECT_EQ(ShellCalls()[1].file, L"Explorer.exe");
    EXPECT_EQ(ShellCalls()[1].params, L"/n,/select," + file);
    EXPECT_EQ(ShellCalls()[2].file, helper);
    EXPECT_EQ(ShellCalls()[2].params, L"\"do-it\"") << "one argument, quoted";
    EXPECT_EQ(ShellCalls()[3].file, L"http://example.org/x");
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::DownloadAttach"), 0);
    RemoveTree(dir);
}

// What someone else's message holds is only a link to the shell when it is a web or mail address;
// its application command reaches the configured program as one quoted argument that no
// program reads as a switch, and never this program's own command line.
TEST_F(HistoryViewer, LinksFromAMessageNeverRunFilesProgramsOrSwitches)
{
    db.AddPeerMsg(1, false, Ktf(L"see file://C:/Windows/win.ini and \\\\server\\share\\x.exe"), L"Text/Ktf");
    OpenPeer();
    const CString text = win.Text();
    for (const wchar_t* link : {L"file://C:/Windows/win.ini", L"\\\\server\\share\\x.exe"}) {
        const long at = text.Find(link);
        ASSERT_GE(at, 0);
        win.ClickLink(at, at + static_cast<long>(wcslen(link)));
    }
    EXPECT_TRUE(ShellCalls().empty()) << "a file or a network path is never opened from a link";

    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    CString selfName = CString(self).Mid(CString(self).ReverseFind(L'\\') + 1);
    selfName.MakeUpper(); // the shell finds this program by its file name too, in any case
    const std::wstring helper = L"C:\\Tools\\helper.exe";
    const struct {
        const wchar_t* program;
        const wchar_t* command;
        const wchar_t* params; // null: nothing runs
    } cases[] = {
        {helper.c_str(), L"/UnregServer", nullptr},
        {helper.c_str(), L"-uninstall", nullptr},
        {helper.c_str(), L"open \"x\" /quiet", nullptr},
        {helper.c_str(), L"server=evil.example&password=x", L"\"server=evil.example&password=x\""},
        {self, L"server=evil.example&password=x", nullptr},
        {selfName.GetString(), L"viewid=7", nullptr},
        {L"", L"anything", nullptr},
    };
    int n = 2;
    for (const auto& c : cases) {
        SCOPED_TRACE(CStringA(c.command).GetString());
        ShellCalls().clear();
        qorview_test::SetAppPathName(c.program);
        db.AddPeerMsg(n, false, Ktf(L"x"), L"Text/Ktf", c.command);
        OpenPeer();
        CString shown = L"[";
        shown += c.command;
        shown += L"]";
        win.ClickLink(win.Link(31, shown));
        if (!c.params) {
            EXPECT_TRUE(ShellCalls().empty());
        } else {
            ASSERT_EQ(1u, ShellCalls().size());
            EXPECT_EQ(std::wstring(c.program), ShellCalls()[0].file);
            EXPECT_EQ(std::wstring(c.params), ShellCalls()[0].params);
        }
        db.Exec(L"DELETE FROM qor_Msg WHERE Col_ID = " + Q(MsgId(n)));
        ++n;
    }
}

TEST_F(HistoryViewer, TheLinksOfAnEarlierHistoryAreGone)
{
    db.AddPeerMsg(1, false, Ktf(L"", {KtfFile(L"old.doc", 1, 1, L"k", L"h")}));
    db.AddTalkMsg(2, L"Ann", Ktf(L"visit http://example.org/talk for more"));
    OpenPeer();
    const CLinkDataMgr::CLinkItem* old = win.Link(1, L"old.doc");
    ASSERT_NE(old, nullptr);
    long start = old->start, end = old->end;
    win.viewer.OpenTalkHistory(kTalk);
    EXPECT_EQ(win.viewer.GetLinks().GetCount(), 0);
    EXPECT_EQ(win.viewer.GetLinks().FindByRange(start, end), nullptr);
}

TEST_F(HistoryViewer, ScreenshotOfAHistoryWithLinks)
{
    db.AddPeerMsg(1, false, Ktf(L"Here are the minutes and the budget.",
                                {KtfFile(L"minutes.doc", 1200, 1, L"k1", L"h"), KtfFile(L"budget.xls", 900, 1, L"k2", L"h")},
                                L"u7;Mia Me"));
    db.AddPeerMsg(2, true, Ktf(L"Thanks, I will read them tonight."));
    db.AddPeerMsg(3, false, L"plain words from an older client", L"UTF-8", L"open-ticket 42");
    OpenPeer();
    ::SetForegroundWindow(win.frame.GetSafeHwnd());
    // The history's text is on screen: dark text and the blue and green headers.
    const RECT view = ClientRectOnScreen(win.viewer.GetView().GetSafeHwnd());
    auto dark = [&] { return CountScreenPixels(view, [](COLORREF c) { return IsDark(c); }); };
    auto blue = [&] { return CountScreenPixels(view, [](COLORREF c) { return GetRValue(c) < 0x40 && GetGValue(c) > 0x40 && GetBValue(c) > 0xC0; }); };
    auto green = [&] { return CountScreenPixels(view, [](COLORREF c) { return GetRValue(c) < 0x30 && GetGValue(c) > 0x60 && GetBValue(c) < 0x60 && GetGValue(c) > GetBValue(c); }); };
    WaitUntilOnScreen(win.frame.GetSafeHwnd(), [&] { return dark() > 200 && blue() > 20 && green() > 20; });
    EXPECT_TRUE(SaveScreenshot(ExeDir() + L"\\msgcenter_history_viewer.bmp", win.frame.GetSafeHwnd()));
    EXPECT_GT(dark(), 200);
    EXPECT_GT(blue(), 20);
    EXPECT_GT(green(), 20);
}
