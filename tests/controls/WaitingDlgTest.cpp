// The waiting dialog from its template in the resource module: centred and on top, the
// percentage of its range, ranges beyond 16 bits, and Cancel hiding it and telling the owner.
#include "tests/controls/ControlsTestWindows.h"
#include "tests/support/TestSupport.h"
#include "controls/CWaitingDlg.h"
#include "framework/ModuleState.h"
#include "platform/QorResource/ResourceIds.h"
#include <gtest/gtest.h>

namespace {

class WaitingFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        resources = ::LoadLibraryW((testsupport::ExeDir() + L"\\QorResource.dll").c_str());
        ASSERT_NE(nullptr, resources) << "QorResource.dll is built beside the tests";
        previous = AfxGetResourceHandle();
        AfxSetResourceHandle(resources);
        ASSERT_TRUE(owner.CreateTopLevel(20, 20, 200, 100, L"Korvel pane"));
        dlg.SetOwner(&owner);
        ASSERT_TRUE(dlg.Create(IDD_WAITING, &owner));
    }
    void TearDown() override
    {
        if (dlg.m_hWnd)
            dlg.DestroyWindow();
        owner.DestroyWindow();
        testsupport::PumpMessages();
        AfxSetResourceHandle(previous);
    }
    CString Percent()
    {
        CString text;
        dlg.GetDlgItemText(IDC_WAITING_PERCENT, text);
        return text;
    }

    HMODULE resources = nullptr;
    HINSTANCE previous = nullptr;
    CRecorderWnd owner;
    CWaitingDlg dlg;
};

} // namespace

TEST(WaitingPercent, TableOfPositions)
{
    struct Case { int pos, lower, upper, percent; } cases[] = {
        {2, 0, 8, 25}, {8, 0, 8, 100}, {0, 0, 8, 0}, {5, 0, 0, 0}, {50000, 0, 100000, 50},
        {2000000000, 0, 2000000000, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.percent, CWaitingDlg::ComputePercent(c.pos, c.lower, c.upper)) << c.pos << "/" << c.upper;
}

TEST_F(WaitingFixture, OpensCentredOnTopAndShowsThePercentage)
{
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_TRUE(dlg.GetExStyle() & WS_EX_TOPMOST);
    CRect rc;
    dlg.GetWindowRect(&rc);
    EXPECT_NEAR(::GetSystemMetrics(SM_CXSCREEN) / 2, rc.CenterPoint().x, 1);
    EXPECT_NEAR(::GetSystemMetrics(SM_CYSCREEN) / 2, rc.CenterPoint().y, 1);

    dlg.SetRange(8);
    dlg.SetPos(2);
    EXPECT_EQ(CString(L"25%"), Percent());
    EXPECT_EQ(2, dlg.GetPos());
    dlg.SetPos(8);
    EXPECT_EQ(CString(L"100%"), Percent());

    dlg.SetRange(100000);
    int lower = -1, upper = -1;
    dlg.GetRange(lower, upper);
    EXPECT_EQ(0, lower);
    EXPECT_EQ(100000, upper) << "the range is not cut to 16 bits";
    dlg.SetPos(50000);
    EXPECT_EQ(CString(L"50%"), Percent());

    dlg.SetRange(0);
    dlg.SetPos(0);
    EXPECT_EQ(CString(L"0%"), Percent()) << "a range of no width shows 0%";
}

TEST_F(WaitingFixture, CancelHidesAndTellsTheOwnerOncePerPress)
{
    CWnd* pCancel = dlg.GetDlgItem(IDCANCEL);
    ASSERT_NE(nullptr, pCancel);
    pCancel->SendMessage(BM_CLICK);
    testsupport::PumpMessages();
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_NE(nullptr, dlg.m_hWnd) << "only hidden, not destroyed";
    EXPECT_EQ(1, owner.Count(WM_WAITING_CANCEL));
    EXPECT_EQ(0u, owner.Last(WM_WAITING_CANCEL)->wParam);
    EXPECT_EQ(0, owner.Last(WM_WAITING_CANCEL)->lParam);

    dlg.ShowWindow(SW_SHOW);
    dlg.SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(2, owner.Count(WM_WAITING_CANCEL));
    EXPECT_EQ(static_cast<UINT>(1124), static_cast<UINT>(WM_WAITING_CANCEL));
}
