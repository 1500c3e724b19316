// The read receipts of a sent message: newest receipt row last in the query, first in the list;
// a receiver who has not opened it shows "not read" without a time; an empty list still opens.
#include "tests/msgcenter/ReadingFixture.h"
#include "msgcenter/titlelist/CMsgReadStateDlg.h"
#include "platform/QorDB/QorDBValues.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include <gtest/gtest.h>

namespace {

class ReadStateTest : public ::testing::Test, public ReadingTestBase {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(resources.IsLoaded());
        ASSERT_TRUE(db.Ok());
        ASSERT_TRUE(host.CreateTopLevel(300, 200));
    }
    void TearDown() override
    {
        if (dlg.GetSafeHwnd())
            dlg.DestroyWindow();
        host.DestroyWindow();
        testsupport::PumpMessages();
    }
    // Opens the dialog as DoModal would build it, without its modal loop.
    void Open(const wchar_t* msgId)
    {
        dlg.SetMsgID(msgId);
        ASSERT_TRUE(dlg.Create(IDD_MSG_READSTATE, &host));
        dlg.ShowWindow(SW_SHOW);
        testsupport::PumpMessages();
    }
    CString Cell(int row, int column) { return dlg.GetList().GetItemText(row, column); }

    ReadingDb db;
    ReadingHost host;
    CMsgReadStateDlg dlg;
};

} // namespace

TEST_F(ReadStateTest, ReceiptsInReverseOrderWithTheirState)
{
    db.AddReceipt(L"s1", L"Ann", L"2026-02-01 10:00:00");
    db.AddReceipt(L"s1", L"Bob", QorDbValues::kNotOpenedDate);
    db.AddReceipt(L"s1", L"O'Hara", L"2026-02-03 11:30:00");
    db.AddReceipt(L"other", L"Cyd", L"2026-02-01 10:00:00");
    Open(L"s1");
    ASSERT_EQ(3, dlg.GetList().GetItemCount());
    EXPECT_EQ(CString(L"O'Hara"), Cell(0, 1));
    EXPECT_EQ(CString(L"Bob"), Cell(1, 1));
    EXPECT_EQ(CString(L"Ann"), Cell(2, 1));
    EXPECT_EQ(CQorViewBaseFun::LoadStringW(IDS_RECEIPT_UNREAD), Cell(1, 0));
    EXPECT_EQ(CQorViewBaseFun::ToDefaultLocalTime(L""), Cell(1, 2)) << "no time for an unopened message";
    EXPECT_EQ(CQorViewBaseFun::LoadStringW(IDS_RECEIPT_READ), Cell(0, 0));
    EXPECT_EQ(CQorViewBaseFun::ToDefaultLocalTime(L"2026-02-03 11:30:00"), Cell(0, 2));
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = 1;
    dlg.GetList().GetItem(&item);
    EXPECT_EQ(2, item.iImage);
    item.iItem = 0;
    dlg.GetList().GetItem(&item);
    EXPECT_EQ(1, item.iImage);

    // The rows reach the screen (Wine draws through the X server, a little later).
    RECT rows = testsupport::ClientRectOnScreen(dlg.GetList().GetSafeHwnd());
    rows.top += 20;
    dlg.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return testsupport::CountScreenPixels(rows, testsupport::IsDark) > 200; }));
    std::wstring outDir = testsupport::ExeDir() + L"\\test-output";
    ::CreateDirectoryW(outDir.c_str(), nullptr);
    EXPECT_TRUE(testsupport::SaveScreenshot(outDir + L"\\read-receipts.bmp", dlg.GetSafeHwnd()));
}

TEST_F(ReadStateTest, WithoutReceiptsOrDatabaseTheListIsEmpty)
{
    Open(L"none");
    EXPECT_EQ(0, dlg.GetList().GetItemCount());
    dlg.DestroyWindow();
    CQorViewMgr::Instance()->m_pConnect = nullptr;
    Open(L"s1");
    EXPECT_TRUE(dlg.IsWindowVisible()) << "the dialog opens even when the receipts cannot be read";
    EXPECT_EQ(0, dlg.GetList().GetItemCount());
}
