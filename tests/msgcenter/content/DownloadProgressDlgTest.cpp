// The download progress dialog: percentages, completion from the owner, cancel to its owner.
#include "msgcenter/content/CDownloadAttachProcessDlg.h"
#include "platform/QorResource/HistoryResourceIds.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <functional>

using namespace testsupport;

namespace {

class FakeOwner : public IAttachDownloadOwner {
public:
    CWnd* GetDownloadOwnerWnd() override { return wnd; }
    void CancelAttachmentDownload() override { ++cancels; }
    CWnd* wnd = nullptr;
    int cancels = 0;
};

std::function<void()> s_step;
CDownloadAttachProcessDlg* s_dlg = nullptr;

void CALLBACK StepOnce(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_dlg->GetSafeHwnd() && ::IsWindowVisible(s_dlg->GetSafeHwnd()) && s_step) {
        auto run = std::move(s_step);
        s_step = nullptr;
        run();
    }
}

// Runs the dialog modally; step() is called from a timer once its window is shown.
INT_PTR RunModal(CDownloadAttachProcessDlg& dlg, std::function<void()> step)
{
    s_step = std::move(step);
    s_dlg = &dlg;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 10, StepOnce);
    INT_PTR result = dlg.DoModal();
    ::KillTimer(nullptr, timer);
    return result;
}

} // namespace

TEST(DownloadProgressDlg, Percentages)
{
    const struct {
        LONGLONG done, total;
        int percent;
    } cases[] = {{0, 1000, 0}, {333, 1000, 33}, {1000, 1000, 100}, {1LL << 32, 1LL << 33, 50},
                 {500, 0, 0}, {500, -1, 0}, {1500, 1000, 150}};
    for (const auto& c : cases)
        EXPECT_EQ(CDownloadAttachProcessDlg::Percent(c.done, c.total), c.percent) << c.done << " of " << c.total;
}

TEST(DownloadProgressDlg, ShowsProgressAndEndsOnlyWhenTheOwnerSaysComplete)
{
    ResourceModuleScope resources;
    CDownloadAttachProcessDlg dlg;
    FakeOwner owner;
    dlg.SetViewer(&owner);
    CString seenAtSize, seenUnknown, seenAtThird;
    int barAtThird = -1;
    bool shot = false;
    bool stillOpen = false;
    INT_PTR result = RunModal(dlg, [&] {
        dlg.UpdateProgress(333, 1000);
        ::RedrawWindow(dlg.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpMessages();
        shot = SaveScreenshot(ExeDir() + L"\\msgcenter_download_progress.bmp", dlg.GetSafeHwnd());
        seenAtThird = dlg.GetPercentText();
        barAtThird = dlg.GetBarPos();
        // Reaching the size named in the message does not end the download.
        dlg.UpdateProgress(1000, 1000);
        seenAtSize = dlg.GetPercentText();
        stillOpen = dlg.ContinueModal() != FALSE;
        dlg.UpdateProgress(700, 0);
        seenUnknown = dlg.GetPercentText();
        dlg.CompleteDownload();
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(shot);
    EXPECT_EQ(seenAtThird, CString(L"33%"));
    EXPECT_EQ(barAtThird, 33);
    EXPECT_EQ(seenAtSize, CString(L"100%"));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(seenUnknown, CString(L"0%"));
    EXPECT_EQ(dlg.GetPercentText(), CString(L"100%"));
    EXPECT_EQ(owner.cancels, 0);
    // After the run, progress is ignored.
    dlg.UpdateProgress(1, 2);
    dlg.CompleteDownload();
    EXPECT_EQ(dlg.GetPercentText(), CString(L"100%"));
}

TEST(DownloadProgressDlg, CancelEndsTheRunAndTellsTheOwnerThatHasAWindow)
{
    ResourceModuleScope resources;
    CWnd host;
    host.CreateEx(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    FakeOwner viewer, pane;
    viewer.wnd = &host;
    pane.wnd = &host;

    const struct {
        bool viewerSet, paneSet;
        int viewerCancels, paneCancels;
    } cases[] = {{true, false, 1, 0}, {false, true, 0, 1}, {true, true, 1, 0}};
    for (const auto& c : cases) {
        viewer.cancels = pane.cancels = 0;
        CDownloadAttachProcessDlg dlg;
        dlg.SetViewer(c.viewerSet ? &viewer : nullptr);
        dlg.SetContentPane(c.paneSet ? &pane : nullptr);
        INT_PTR result = RunModal(dlg, [&] { ::SendMessageW(dlg.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_DOWNLOAD_CANCEL, BN_CLICKED), 0); });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(viewer.cancels, c.viewerCancels);
        EXPECT_EQ(pane.cancels, c.paneCancels);
    }

    // An owner whose window is gone is not called.
    FakeOwner gone;
    CDownloadAttachProcessDlg dlg;
    dlg.SetViewer(&gone);
    EXPECT_EQ(RunModal(dlg, [&] { ::SendMessageW(dlg.GetSafeHwnd(), WM_CLOSE, 0, 0); }), IDCANCEL);
    EXPECT_EQ(gone.cancels, 0);
    host.DestroyWindow();
}
