// What the contact-history pane looks like: inside the message centre (reached through the base
// pane's conversation call, as the content pane asks for it) and with an export running behind
// its waiting dialog. The pictures are saved (shots\ beside the test program) to be looked at.
#include "platform/QorView/QorViewMessages.h"
#include "tests/msgcenter/contacthistory/HistoryFixture.h"
#include "controls/CWaitingDlg.h"
#include "msgcenter/manager/CQorMsgBaseDlg.h"
#include "msgcenter/manager/CQorMsgManagerDlg.h"
#include "msgcenter/titlelist/CQorMsgTitleDlg.h"
#include "msgcenter/MsgCenterMessages.h"
#include "platform/QorResource/ContactHistoryResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorResource/MsgCenterResourceIds.h"

namespace {

std::wstring ShotPath(const wchar_t* name)
{
    std::wstring dir = testsupport::ExeDir() + L"\\shots";
    ::CreateDirectoryW(dir.c_str(), nullptr);
    return dir + L"\\" + name;
}

// Text drawn on a light background: dark pixels, but not mostly dark (unpainted is black).
int DarkPixels(HWND hWnd)
{
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testsupport::PumpMessages();
    RECT rc = testsupport::ClientRectOnScreen(hWnd);
    const int dark = testsupport::CountScreenPixels(rc, testsupport::IsDark);
    const int all = (rc.right - rc.left) * (rc.bottom - rc.top);
    return dark * 4 < all ? dark : -1;
}

class HistoryScreens : public ::testing::Test, public ReadingTestBase {
protected:
    ReadingDb db;
};

} // namespace

TEST_F(HistoryScreens, ConversationInTheMessageCentre)
{
    ASSERT_TRUE(resources.IsLoaded());
    StoreConversation(db, L"c", 40, L"ann", 12 * 3600 - 20);
    auto* pDlg = new CQorMsgManagerDlg(nullptr);
    pDlg->SetSession(nullptr, CString(), L"me@korvel", nullptr);
    ASSERT_TRUE(pDlg->Create(IDD_MSG_MANAGER, nullptr));
    pDlg->SetWindowPos(nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    pDlg->ShowWindow(SW_SHOW);
    ::SetForegroundWindow(pDlg->GetSafeHwnd());
    CQorMsgBaseDlg* base = pDlg->GetBasePane();
    ASSERT_NE(nullptr, base);
    // The received folder is open, then a message's conversation is asked for.
    base->ShowWindow(SW_SHOW);
    base->ShowFolderMessages(1);
    base->ShowContactHistory(L"c00020", L"2026-03-10 12:00:00", L"ann");
    testsupport::PumpMessages();
    ASSERT_NE(nullptr, base->GetTitleExPane());
    EXPECT_EQ(1, base->GetContactHistoryMode());
    EXPECT_TRUE(base->GetTitleExPane()->IsWindowVisible());
    EXPECT_FALSE(base->GetTitlePane()->IsWindowVisible());
    EXPECT_EQ(40, base->GetTitleExPane()->GetList().GetItemCount());
    EXPECT_EQ(1u, base->GetTitleExPane()->GetList().GetSelectedCount());
    EXPECT_GT(DarkPixels(base->GetTitleExPane()->GetSafeHwnd()), 200);
    EXPECT_TRUE(testsupport::SaveScreenshot(ShotPath(L"contact-history.bmp"), pDlg->GetSafeHwnd()));

    // The way back.
    base->GetTitleExPane()->SendMessage(WM_QORVIEW_SKIN_CLICK,
                                        reinterpret_cast<WPARAM>(base->GetTitleExPane()->GetLink().GetSafeHwnd()));
    EXPECT_EQ(0, base->GetContactHistoryMode());
    EXPECT_FALSE(base->GetTitleExPane()->IsWindowVisible());
    EXPECT_TRUE(base->GetTitlePane()->IsWindowVisible());
    pDlg->DestroyWindow();
    testsupport::PumpMessages();
}

TEST_F(HistoryScreens, ExportRunningBehindItsWaitingDialog)
{
    ASSERT_TRUE(resources.IsLoaded());
    StoreConversation(db, L"c", 1500, L"ann", 12 * 3600 - 750);
    HistoryHost host;
    TestHistoryPane pane;
    ASSERT_TRUE(host.CreateTopLevel(700, 360));
    ASSERT_TRUE(pane.Create(IDD_MSG_TITLE_EX, &host));
    pane.SetOwner(&host);
    pane.MoveWindow(0, 0, 700, 360);
    pane.ShowWindow(SW_SHOW);
    pane.LoadContactHistoryByDate(L"c00750", L"2026-03-10 12:00:00", L"ann");
    pane.GetList().SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    pane.exportPath = (db.Dir() + L"\\shot.rtf").c_str();
    pane.StartExport(1);
    for (int round = 0; round < 100000 && pane.GetJob() && pane.GetJob()->done.load() < 400; ++round) {
        testsupport::PumpMessages(5);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
    }
    // Held at its next statement while the picture is taken.
    ASSERT_TRUE(db.Connect()->BeginTrans());
    testsupport::PumpMessages();
    CWaitingDlg* wait = pane.GetWaitingDlg();
    ASSERT_NE(nullptr, wait);
    EXPECT_TRUE(wait->IsWindowVisible());
    EXPECT_GT(wait->GetPos(), 0);
    EXPECT_FALSE(host.IsWindowEnabled());
    EXPECT_TRUE(testsupport::SaveScreenshot(ShotPath(L"contact-history-export.bmp"), nullptr));
    db.Connect()->RollbackTrans();
    for (int round = 0; round < 100000 && pane.IsBusy(); ++round) {
        testsupport::PumpMessages(5);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
    }
    EXPECT_EQ(1500, pane.GetLastTaskCount());
    pane.DestroyWindow();
    host.DestroyWindow();
}
