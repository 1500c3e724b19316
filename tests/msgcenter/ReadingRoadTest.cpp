// Reading a message in the message centre window itself: the received folder chosen in the
// tree fills the title list, a mouse click on a row shows that message in the content pane
// below it (body, receivers, attachment list), and deleting the shown message clears the pane so
// its links have nothing left to act on. The window is saved (shots\) to be looked at.
#include "tests/msgcenter/ReadingFixture.h"
#include "platform/QorView/AttachItem.h"
#include "msgcenter/manager/CQorMsgBaseDlg.h"
#include "msgcenter/content/CQorMsgContentDlg.h"
#include "msgcenter/manager/CQorMsgManagerDlg.h"
#include "msgcenter/titlelist/CQorMsgTitleDlg.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include <gtest/gtest.h>
#include <fstream>

namespace {

// A left click with the real mouse, at a point on the screen.
void ClickAt(POINT pt)
{
    ::SetCursorPos(pt.x, pt.y);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, in, sizeof(INPUT));
}

class ReadingRoadTest : public ::testing::Test, public ReadingTestBase {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(resources.IsLoaded());
        ASSERT_TRUE(db.Ok());
        qorview_test::ClearMessageBoxAnswers();
        qorview_test::SetDefaultMessageBoxAnswer(IDOK);
        std::wstring file = db.Dir() + L"\\plan.txt";
        std::ofstream(file.c_str()) << "plan";
        StoredMsg m;
        m.id = L"{A1000000-0000-0000-0000-000000000001}";
        m.subject = L"Budget";
        m.senderName = L"Ann Archer";
        m.recvName = L"Me; Bob Baker";
        m.date = L"2026-03-04 09:00:00";
        m.contentType = L"Text/Ktf";
        m.content = L"<KTF><Text>The plan for Monday</Text></KTF>";
        m.attachCount = 1;
        db.Add(m);
        db.AddAttach(m.id, L"plan.txt", file.c_str(), 0);
        m.id = L"{A1000000-0000-0000-0000-000000000002}";
        m.subject = L"Lunch";
        m.date = L"2026-03-05 12:00:00";
        m.contentType = L"UTF-8";
        m.content = L"Lunch at noon?";
        m.attachCount = 0;
        db.Add(m);

        dlg = new CQorMsgManagerDlg(nullptr);
        dlg->SetSession(nullptr, CString(), L"me@korvel", nullptr);
        ASSERT_TRUE(dlg->Create(IDD_MSG_MANAGER, nullptr));
        dlg->SetWindowPos(nullptr, 0, 0, 820, 600, SWP_NOZORDER);
        dlg->ShowWindow(SW_SHOW);
        dlg->OpenWithRequest(L"CONTACT_UNREAD");
        testsupport::PumpMessages();
    }
    void TearDown() override
    {
        qorview_test::ClearMessageBoxAnswers();
        if (dlg && ::IsWindow(dlg->GetSafeHwnd()))
            dlg->DestroyWindow(); // deletes itself
        testsupport::PumpMessages();
    }
    // The row of a message id in the list (its cached slot), -1 when not there.
    int RowOf(CQorMsgTitleDlg* title, const CString& id)
    {
        for (int i = 0; i < title->GetTotal(); ++i) {
            title->CacheMsgTitleData(i, i);
            if (const _MSGITEM* row = title->GetCachedRow(i))
                if (row->strID == id)
                    return i;
        }
        return -1;
    }

    ReadingDb db;
    CQorMsgManagerDlg* dlg = nullptr;
};

TEST_F(ReadingRoadTest, ClickedRowShowsItsMessageBelowAndDeletingItClearsThePane)
{
    ASSERT_TRUE(dlg->GetFolders().GetReceivedRoot());
    dlg->GetFolders().Tree().SelectItem(dlg->GetFolders().GetReceivedRoot());
    testsupport::PumpMessages();
    CQorMsgBaseDlg* base = dlg->GetBasePane();
    ASSERT_TRUE(base && base->GetTitlePane() && base->GetContentPane());
    CQorMsgTitleDlg* title = base->GetTitlePane();
    CQorMsgContentDlg* content = base->GetContentPane();
    ASSERT_TRUE(::IsWindowVisible(title->GetSafeHwnd()));
    ASSERT_TRUE(::IsWindowVisible(content->GetSafeHwnd()));
    ASSERT_EQ(2, title->GetTotal());

    const CString budget = L"{A1000000-0000-0000-0000-000000000001}";
    int row = RowOf(title, budget);
    ASSERT_GE(row, 0);
    CRect rc;
    ASSERT_TRUE(title->GetList().GetItemRect(row, &rc, LVIR_LABEL));
    title->GetList().ClientToScreen(&rc);
    dlg->SetForegroundWindow();
    testsupport::PumpMessages();
    ClickAt(rc.CenterPoint());
    ASSERT_TRUE(testsupport::PumpUntil([&] { return content->GetMessageID() == budget; }));

    CString body;
    content->GetRichText().GetWindowText(body);
    EXPECT_EQ(CString(L"The plan for Monday"), body);
    CString receivers;
    content->GetReceivers().GetWindowText(receivers);
    EXPECT_NE(-1, receivers.Find(L"Me; Bob Baker"));
    EXPECT_TRUE(::IsWindowVisible(content->GetAttachList().GetSafeHwnd()));
    ASSERT_EQ(1, content->GetAttachList().GetItemCount());
    EXPECT_EQ(CString(L"plan.txt"), content->GetAttachList().GetItemText(0, 0));
    EXPECT_EQ(budget, base->GetShownMessageID());

    ::RedrawWindow(dlg->GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testsupport::PumpMessages();
    std::wstring shots = testsupport::ExeDir() + L"\\shots";
    ::CreateDirectoryW(shots.c_str(), nullptr);
    EXPECT_TRUE(testsupport::SaveScreenshot(shots + L"\\msgcenter-reading.bmp", dlg->GetSafeHwnd()));

    // The shown message is deleted from the list: the pane forgets it, and its links then act on
    // nothing (no chat or new message to the people of a message that is gone).
    ASSERT_TRUE(title->DeleteSelected(false));
    testsupport::PumpUntil([&] { return !title->IsLongTaskRunning(); });
    EXPECT_EQ(1, title->GetTotal());
    EXPECT_TRUE(content->GetMessageID().IsEmpty());
    content->GetRichText().GetWindowText(body);
    EXPECT_TRUE(body.IsEmpty());
    EXPECT_EQ(0, content->GetAttachList().GetItemCount());
    qorview_test::ClearCalls();
    content->ReplyByChat();
    content->WriteToRecipients();
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewMgr::NewChatDlg"));
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewMgr::NewSendMsg"));
}

} // namespace
