// The contact-history pane on a real database: which messages it lists and in what order, the
// message asked for selected, icons and names, quoted logins, dates it cannot read, showing,
// answering, the way back to the title list and the layout.
#include "tests/msgcenter/contacthistory/HistoryFixture.h"
#include "msgcenter/MsgCenterMessages.h"
#include "platform/QorDB/QorDBTestHooks.h"
#include "platform/QorResource/ContactHistoryResourceIds.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/QorViewMessages.h"
#include <fstream>
#include <sstream>

namespace {

const wchar_t kAsked[] = L"2026-03-10 12:00:00";

int RowImage(CListCtrl& list, int row, int column)
{
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    list.GetItem(&item);
    return item.iImage;
}

HistoryMsg Msg(const wchar_t* id, const wchar_t* date, bool sent = false, const wchar_t* peer = L"ann")
{
    HistoryMsg m;
    m.id = id;
    m.date = date;
    m.sent = sent;
    m.peer = peer;
    return m;
}

} // namespace

TEST_F(HistoryPaneTest, ListsTheConversationAroundTheMessageNewestFirstWithItSelected)
{
    HistoryMsg onLower = Msg(L"lower", L"2026-03-09 12:00:00");
    onLower.attachCount = 2;
    HistoryMsg onUpper = Msg(L"upper", L"2026-03-12 12:00:00", true);
    onUpper.attachCount = 0;
    onUpper.readState = 8;
    HistoryMsg asked = Msg(L"asked", kAsked);
    asked.readState = 1;
    HistoryMsg odd = Msg(L"odd", L"2026-03-11 08:00:00");
    odd.readState = 3; // no such state
    odd.recvName = L"";
    for (const HistoryMsg& m : {onLower, onUpper, asked, odd,
                                Msg(L"early", L"2026-03-09 11:59:59"), Msg(L"late", L"2026-03-12 12:00:01", true),
                                Msg(L"bob-in", kAsked, false, L"bob"), Msg(L"bob-out", kAsked, true, L"bob")})
        StoreHistoryMsg(db, m);
    // The peer's own sent copy (folder 2 with the peer as sender) is not part of the conversation.
    StoredMsg filed;
    filed.id = L"peer-sent";
    filed.folder = 2;
    filed.sender = L"ann";
    filed.recvLogin = L"me";
    filed.date = kAsked;
    db.Add(filed);

    pane.LoadContactHistoryByDate(L"asked", kAsked, L"ann");
    testsupport::PumpMessages();

    std::vector<CString> expected = {L"upper", L"odd", L"asked", L"lower"};
    ASSERT_EQ(expected, ListIds());
    EXPECT_EQ(1u, pane.GetList().GetSelectedCount());
    EXPECT_EQ(2, pane.GetList().GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(LVIS_FOCUSED, pane.GetList().GetItemState(2, LVIS_FOCUSED));
    EXPECT_EQ(CString(L"asked"), host.shownId) << "the selected message is shown below";
    EXPECT_EQ(CString(kAsked), host.shownDate) << "with its stored date";

    EXPECT_EQ(CQorViewBaseFun::ToDefaultLocalTime(L"2026-03-12 12:00:00"), pane.GetList().GetItemText(0, 4));
    EXPECT_EQ(CString(L"Me"), pane.GetList().GetItemText(0, 2));
    EXPECT_EQ(CString(L"Me Myself"), pane.GetList().GetItemText(1, 5)) << "an empty receiver is the signed-in user";
    EXPECT_EQ(CString(L"About asked"), pane.GetList().GetItemText(2, 3));
    EXPECT_EQ(3, RowImage(pane.GetList(), 0, 0)) << "read state 8";
    EXPECT_EQ(7, RowImage(pane.GetList(), 2, 0)) << "read state 1";
    EXPECT_EQ(I_IMAGENONE, RowImage(pane.GetList(), 1, 0)) << "an unknown state shows no icon";
    EXPECT_EQ(5, RowImage(pane.GetList(), 3, 1)) << "attachments";
    EXPECT_NE(5, RowImage(pane.GetList(), 0, 1));
}

TEST_F(HistoryPaneTest, NoRowIsSelectedWhenTheAskedMessageIsNotListed)
{
    StoreConversation(db, L"c", 5, L"ann", 12 * 3600);
    for (const wchar_t* id : {L"", L"elsewhere"}) {
        pane.LoadContactHistoryByDate(id, kAsked, L"ann");
        EXPECT_EQ(5, pane.GetList().GetItemCount());
        EXPECT_EQ(0u, pane.GetList().GetSelectedCount());
    }
}

TEST_F(HistoryPaneTest, LoginsWithQuotesFindTheirMessages)
{
    CQorViewMgr::Instance()->m_strAccount = L"m'e";
    StoredMsg in;
    in.id = L"q1";
    in.sender = L"o'neil";
    in.date = kAsked;
    db.Add(in);
    StoredMsg out;
    out.id = L"q2";
    out.folder = 2;
    out.sender = L"m'e";
    out.recvLogin = L"o'neil";
    out.date = L"2026-03-10 12:00:01";
    db.Add(out);
    QorDBTest_ClearFailureCount();
    pane.LoadContactHistoryByDate(L"q1", kAsked, L"o'neil");
    CQorViewMgr::Instance()->m_strAccount = L"me";
    std::vector<CString> expected = {L"q2", L"q1"};
    EXPECT_EQ(expected, ListIds());
    EXPECT_EQ(0, QorDBTest_FailureCount());
}

TEST_F(HistoryPaneTest, AnUnreadableDateListsNothingAndIsLogged)
{
    StoreConversation(db, L"c", 3, L"ann", 12 * 3600);
    pane.LoadContactHistoryByDate(L"c00000", kAsked, L"ann");
    ASSERT_EQ(3, pane.GetList().GetItemCount());

    pane.LoadContactHistoryByDate(L"c00000", L"2026-02-30 10:00:00", L"ann");
    EXPECT_EQ(0, pane.GetList().GetItemCount()) << "the rows of the previous conversation went too";
    std::wifstream log(CQorViewBaseFun::GetErrorLogFile().GetString());
    std::wstringstream text;
    text << log.rdbuf();
    EXPECT_NE(std::wstring::npos, text.str().find(L"unreadable date \"2026-02-30 10:00:00\""));
}

TEST_F(HistoryPaneTest, ReplyOpensAChatWithTheSenderOfTheMarkedRow)
{
    StoreConversation(db, L"c", 2, L"ann", 12 * 3600);
    StoredMsg nameless;
    nameless.id = L"nameless";
    nameless.senderName = L"";
    nameless.date = L"2026-03-10 11:00:00";
    db.Add(nameless);
    pane.LoadContactHistoryByDate(L"", kAsked, L"ann");
    ASSERT_EQ(3, pane.GetList().GetItemCount());

    qorview_test::ClearCalls();
    pane.GetList().SetSelectionMark(1); // c00000, received from ann
    pane.SendMessage(WM_COMMAND, ID_TITLE_REPLY_CHAT);
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::NewChatDlg"));
    EXPECT_NE(std::wstring::npos, qorview_test::LastArgs(L"CQorViewMgr::NewChatDlg").find(L"ann"));

    qorview_test::ClearCalls();
    pane.GetList().SetSelectionMark(2); // a sender without a name
    pane.SendMessage(WM_COMMAND, ID_TITLE_REPLY_CHAT);
    pane.GetList().SetSelectionMark(-1);
    pane.SendMessage(WM_COMMAND, ID_TITLE_REPLY_CHAT);
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewMgr::NewChatDlg"));
}

TEST_F(HistoryPaneTest, TheLinkLeadsBackToTheTitleListAndNothingElseDoes)
{
    HWND link = pane.GetDlgItem(IDC_HISTORY_BACK_LINK)->GetSafeHwnd();
    ASSERT_TRUE(link);
    EXPECT_EQ(0, pane.SendMessage(WM_QORVIEW_SKIN_CLICK, reinterpret_cast<WPARAM>(pane.GetList().GetSafeHwnd())));
    EXPECT_EQ(0, host.titleListShown);
    // A real click: the link tells its owner, the pane.
    ::SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    testsupport::PumpMessages();
    EXPECT_EQ(1, host.titleListShown);
    EXPECT_EQ(1, pane.SendMessage(WM_QORVIEW_SKIN_CLICK, reinterpret_cast<WPARAM>(link)));
    EXPECT_EQ(2, host.titleListShown);
}

TEST_F(HistoryPaneTest, ResizingGrowsTheListAndMovesTheLink)
{
    auto rectOf = [this](CWnd* w) {
        CRect rc;
        w->GetWindowRect(&rc);
        pane.ScreenToClient(&rc);
        return rc;
    };
    CWnd* link = pane.GetDlgItem(IDC_HISTORY_BACK_LINK);
    CRect list0 = rectOf(&pane.GetList()), link0 = rectOf(link), label0 = rectOf(&pane.GetLabel());
    pane.MoveWindow(0, 0, 760, 400);
    CRect list1 = rectOf(&pane.GetList()), link1 = rectOf(link), label1 = rectOf(&pane.GetLabel());
    EXPECT_EQ(list0.left, list1.left);
    EXPECT_EQ(list0.top, list1.top);
    EXPECT_EQ(list0.right + 60, list1.right);
    EXPECT_EQ(list0.bottom + 40, list1.bottom);
    EXPECT_EQ(label0.right + 60, label1.right);
    EXPECT_EQ(link0.left + 60, link1.left);
    EXPECT_EQ(link0.Width(), link1.Width());
}
