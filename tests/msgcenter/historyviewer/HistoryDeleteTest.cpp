// The history deletion dialog: by days or all of it, for a person or a discussion, each in one
// transaction; bad day counts are refused; a failure is rolled back and reported.
#include "msgcenter/historyviewer/CHistoryDeleter.h"
#include "msgcenter/historyviewer/CQorMsgGroupDelDlg.h"
#include "platform/QorDB/QorDBTestHooks.h"
#include "platform/QorResource/HistoryResourceIds.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/msgcenter/historyviewer/HistoryFixture.h"

using namespace historytest;
using namespace testsupport;

namespace {

const wchar_t kDialogCaption[] = L"Delete history...";

class HistoryDelete : public ::testing::Test {
protected:
    void SetUp() override
    {
        qorview_test::ClearCalls();
        qorview_test::ClearMessageBoxAnswers();
        // A box nobody scripted is answered with Cancel instead of waiting for a click; its
        // text is still recorded, so the expectations below catch it.
        qorview_test::SetDefaultMessageBoxAnswer(IDCANCEL);
    }
    void TearDown() override
    {
        qorview_test::ClearMessageBoxAnswers();
        QorDBTest_FailStatementsContaining(nullptr);
    }
    // A send date that many days and one minute before now.
    CString DaysOld(int days)
    {
        SYSTEMTIME now;
        ::GetLocalTime(&now);
        FILETIME ft;
        ::SystemTimeToFileTime(&now, &ft);
        ULARGE_INTEGER t;
        t.LowPart = ft.dwLowDateTime;
        t.HighPart = ft.dwHighDateTime;
        t.QuadPart -= 60ULL * 10000000ULL;
        ft.dwLowDateTime = t.LowPart;
        ft.dwHighDateTime = t.HighPart;
        ::FileTimeToSystemTime(&ft, &now);
        return CHistoryDeleter::CutoffDaysAgo(days, now);
    }
    void AddPeer(int n, int daysOld, const wchar_t* peer = kPeer)
    {
        db.AddPeerMsg(n, n % 2 == 0, Ktf(L"x"), L"Text/Ktf", CString(), peer);
        db.Exec(L"UPDATE qor_Msg SET Col_SendDate = " + Q(DaysOld(daysOld)) + L" WHERE Col_ID = " + Q(MsgId(n)));
        db.AddPeerAttach(n, L"f.txt");
        db.AddReceipt(n);
    }
    void AddTalk(int n, int daysOld, const wchar_t* talk = kTalk)
    {
        db.AddTalkMsg(n, L"Ann", Ktf(L"x"), talk);
        db.Exec(L"UPDATE qor_Talk_Msg SET Col_SendDate = " + Q(DaysOld(daysOld)) + L" WHERE Col_ID = " + Q(MsgId(n)));
        db.AddTalkAttach(n, L"f.txt", CString(), talk);
    }
    int Rows(const wchar_t* table) { return db.Count(CString(L"SELECT COUNT(*) FROM ") + table); }
    void OpenPeer()
    {
        CString peer = kPeer;
        ::SendMessageW(win.viewer.GetSafeHwnd(), WM_USER + 114, 0, reinterpret_cast<LPARAM>(&peer));
    }
    // Runs the dialog from the viewer's link: types the days (or ticks "all"), presses Delete
    // with the boxes that follow answered in turn, then closes it when it is still open.
    void RunDialog(const wchar_t* days, bool all, std::initializer_list<int> answers, bool* stayedOpen = nullptr)
    {
        ModalScript script;
        HWND dlg = nullptr;
        bool pressed = false, open = false;
        script.Then([&] { return (dlg = FindDialog(kDialogCaption)) != nullptr; },
                    [&] {
                        ::SetDlgItemTextW(dlg, IDC_HISTORY_DELETE_DAYS, days);
                        ::CheckDlgButton(dlg, IDC_HISTORY_DELETE_ALL, all ? BST_CHECKED : BST_UNCHECKED);
                        for (int answer : answers)
                            qorview_test::PushMessageBoxAnswer(answer);
                        ::SendMessageW(dlg, WM_COMMAND, IDOK, 0);
                        pressed = true;
                    })
            // Reached only while the dialog's modal run goes on: it stayed open.
            .Then([&] { return true; },
                  [&] {
                      open = ::IsWindow(dlg) != FALSE;
                      if (open)
                          ::SendMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
                  });
        // The link's click as the view library reports it.
        ::SendMessageW(win.viewer.GetSafeHwnd(), WM_USER + 1001,
                       reinterpret_cast<WPARAM>(win.viewer.GetDeleteLink().GetSafeHwnd()), 0);
        EXPECT_TRUE(pressed);
        if (stayedOpen)
            *stayedOpen = open;
    }

    HistoryDb db;
    ViewerWindow win;
};

} // namespace

TEST(HistoryDeleter, TheCutoffIsThatManyDaysBackToTheSecond)
{
    SYSTEMTIME now = {2020, 1, 5, 10, 12, 0, 0, 0};
    EXPECT_EQ(CHistoryDeleter::CutoffDaysAgo(3, now), CString(L"2020-01-07 12:00:00"));
    EXPECT_EQ(CHistoryDeleter::CutoffDaysAgo(10, now), CString(L"2019-12-31 12:00:00"));
}

TEST(HistoryDeleter, DaysMustBeAWholeNumberOfOneOrMore)
{
    int days = 3;
    for (const wchar_t* bad : {L"0", L"-2", L"abc", L"", L"1.5", L"12a", L"9999999999"})
        EXPECT_FALSE(CQorMsgGroupDelDlg::ParseDays(bad, days)) << bad;
    EXPECT_EQ(days, 3);
    EXPECT_TRUE(CQorMsgGroupDelDlg::ParseDays(L" 7 ", days));
    EXPECT_EQ(days, 7);
}

TEST(HistoryDeleter, OnlyMessagesBeforeTheCutoffGo)
{
    HistoryDb db;
    db.AddTalkMsg(1, L"Ann", Ktf(L"a"));
    db.AddTalkMsg(2, L"Ann", Ktf(L"b"));
    db.Exec(L"UPDATE qor_Talk_Msg SET Col_SendDate = '2020-01-07 11:59:59' WHERE Col_ID = " + Q(MsgId(1)));
    db.Exec(L"UPDATE qor_Talk_Msg SET Col_SendDate = '2020-01-07 12:00:00' WHERE Col_ID = " + Q(MsgId(2)));
    db.AddTalkAttach(1, L"a.txt");
    db.AddTalkAttach(2, L"b.txt");
    CString error;
    ASSERT_TRUE(CHistoryDeleter::DeleteTalk(kTalk, L"2020-01-07 12:00:00", error));
    EXPECT_EQ(db.Count(L"SELECT COUNT(*) FROM qor_Talk_Msg"), 1);
    EXPECT_EQ(db.Text(L"SELECT Col_FileName FROM qor_Talk_AttachMent"), CString(L"b.txt"));
}

TEST_F(HistoryDelete, APersonsOldMessagesGoWithTheirContentAttachmentsAndReceipts)
{
    AddPeer(1, 10);
    AddPeer(2, 5);
    AddPeer(3, 1);
    AddPeer(4, 10, L"other@korvel");
    OpenPeer();
    RunDialog(L"3", false, {IDOK});
    EXPECT_EQ(Rows(L"qor_Msg"), 2); // the peer's recent message and the other person's
    EXPECT_EQ(Rows(L"qor_Msg_Content"), 2);
    EXPECT_EQ(Rows(L"qor_Msg_Attach"), 2);
    EXPECT_EQ(Rows(L"qor_Msg_Recv"), 2);
    EXPECT_EQ(db.Count(L"SELECT COUNT(*) FROM qor_Msg WHERE Col_ID = " + Q(MsgId(3))), 1);
    // The viewer shows what is left.
    EXPECT_EQ(win.viewer.GetPageCount(), 1);
    std::wstring confirm = qorview_test::LastArgs(L"QorMessageBox");
    EXPECT_NE(confirm.find(L"older than 3 days"), std::wstring::npos);
}

TEST_F(HistoryDelete, AllOfADiscussionGoesWithItsAttachments)
{
    AddTalk(1, 10);
    AddTalk(2, 0);
    AddTalk(3, 10, L"talk_other");
    win.viewer.OpenTalkHistory(kTalk);
    RunDialog(L"", true, {IDOK});
    EXPECT_EQ(Rows(L"qor_Talk_Msg"), 1);
    EXPECT_EQ(Rows(L"qor_Talk_AttachMent"), 1);
    EXPECT_TRUE(win.Text().IsEmpty());
}

TEST_F(HistoryDelete, ADiscussionByDaysKeepsTheRecentOnes)
{
    AddTalk(1, 40);
    AddTalk(2, 20);
    win.viewer.OpenTalkHistory(kTalk);
    RunDialog(L"30", false, {IDOK});
    EXPECT_EQ(Rows(L"qor_Talk_Msg"), 1);
    EXPECT_EQ(db.Text(L"SELECT Col_ID FROM qor_Talk_Msg"), MsgId(2));
    EXPECT_EQ(Rows(L"qor_Talk_AttachMent"), 1);
}

TEST_F(HistoryDelete, BadDayCountsAndACancelledConfirmationDeleteNothing)
{
    AddPeer(1, 10);
    OpenPeer();
    // The answer is the refusal box's OK or the confirmation's Cancel.
    const struct {
        const wchar_t* days;
        int answer;
        const wchar_t* message;
    } cases[] = {{L"0", IDOK, L"whole number of 1 or more"},
                 {L"-5", IDOK, L"whole number of 1 or more"},
                 {L"abc", IDOK, L"whole number of 1 or more"},
                 {L"", IDOK, L"Enter the number of days"},
                 {L"3", IDCANCEL, L"older than 3 days"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.days);
        qorview_test::ClearCalls();
        bool stayedOpen = false;
        RunDialog(c.days, false, {c.answer}, &stayedOpen);
        EXPECT_EQ(qorview_test::CountCalls(L"QorMessageBox"), 1);
        EXPECT_TRUE(stayedOpen);
        EXPECT_NE(qorview_test::LastArgs(L"QorMessageBox").find(c.message), std::wstring::npos);
        EXPECT_EQ(Rows(L"qor_Msg"), 1);
        EXPECT_EQ(Rows(L"qor_Msg_Attach"), 1);
    }
}

TEST_F(HistoryDelete, AFailedStatementRollsEverythingBackAndSaysSo)
{
    AddPeer(1, 10);
    AddTalk(2, 10);
    OpenPeer();
    // The messages' own row fails after their content and attachments were deleted.
    QorDBTest_FailStatementsContaining(L"DELETE FROM qor_Msg WHERE");
    bool stayedOpen = false;
    qorview_test::ClearCalls();
    // The confirmation, then the failure's own box.
    RunDialog(L"3", false, {IDOK, IDOK}, &stayedOpen);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(Rows(L"qor_Msg"), 1);
    EXPECT_EQ(Rows(L"qor_Msg_Content"), 1);
    EXPECT_EQ(Rows(L"qor_Msg_Attach"), 1);
    EXPECT_EQ(Rows(L"qor_Msg_Recv"), 1);
    EXPECT_NE(qorview_test::LastArgs(L"QorMessageBox").find(L"could not be deleted"), std::wstring::npos);

    win.viewer.OpenTalkHistory(kTalk);
    // The attachments' statement runs first and succeeds; the messages' one fails after it.
    QorDBTest_FailStatementsContaining(L"DELETE FROM qor_Talk_Msg");
    qorview_test::ClearCalls();
    stayedOpen = false;
    RunDialog(L"3", false, {IDOK, IDOK}, &stayedOpen);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(Rows(L"qor_Talk_AttachMent"), 1);
    EXPECT_EQ(Rows(L"qor_Talk_Msg"), 1);
    EXPECT_EQ(qorview_test::CountCalls(L"QorMessageBox"), 2);
    EXPECT_NE(qorview_test::LastArgs(L"QorMessageBox").find(L"could not be deleted"), std::wstring::npos);
}

TEST_F(HistoryDelete, ScreenshotOfTheDialog)
{
    AddPeer(1, 10);
    OpenPeer();
    ModalScript script;
    HWND dlg = nullptr;
    bool saved = false;
    CString days, title;
    int darkPixels = 0;
    script.Then([&] { return (dlg = FindDialog(kDialogCaption)) != nullptr; },
                [&] {
                    ::SetForegroundWindow(dlg);
                    WaitUntilOnScreen(dlg, [&] {
                        darkPixels = CountScreenPixels(ClientRectOnScreen(dlg), [](COLORREF c) { return IsDark(c); });
                        return darkPixels > 200;
                    });
                    saved = SaveScreenshot(ExeDir() + L"\\msgcenter_history_delete.bmp", dlg);
                    wchar_t text[64] = {};
                    ::GetDlgItemTextW(dlg, IDC_HISTORY_DELETE_DAYS, text, 64);
                    days = text;
                    ::SendMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
                });
    ::SendMessageW(win.viewer.GetSafeHwnd(), WM_USER + 1001,
                   reinterpret_cast<WPARAM>(win.viewer.GetDeleteLink().GetSafeHwnd()), 0);
    EXPECT_TRUE(saved);
    EXPECT_EQ(days, CString(L"3"));
    // Its labels and buttons are drawn: dark text on the dialog.
    EXPECT_GT(darkPixels, 200);
    // Cancel deletes nothing and asks nothing.
    EXPECT_EQ(Rows(L"qor_Msg"), 1);
    EXPECT_EQ(qorview_test::CountCalls(L"QorMessageBox"), 0);
}
