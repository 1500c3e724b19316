// Screen-edge docking of the main window: the dock and slide arithmetic on its own, then the real
// window dragged to the top edge with the mouse, slid out and in again by its timers.
#include "app/CAutoHide.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "tests/app/MainWindowFixture.h"

namespace {

const RECT kWork = {0, 0, 1024, 768};        // work area without a taskbar
const RECT kWorkTopBar = {0, 40, 1024, 768};  // taskbar at the top
const RECT kWorkBottomBar = {0, 0, 1024, 728}; // taskbar at the bottom
const RECT kWorkRightBar = {0, 0, 984, 768};  // taskbar at the right

std::string Text(const RECT& rc)
{
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

} // namespace

TEST(AutoHideDockTest, WhereADragDocks)
{
    const RECT window = {300, 20, 600, 620}; // the window now: 300 x 600, near the top
    const struct {
        POINT cursor;
        RECT work;
        int dock;
        RECT expected;  // the dragged rectangle after the decision
        int saved;      // the height kept for a side dock
    } cases[] = {
        {{400, 10}, kWork, CAutoHide::DOCK_TOP, {300, -2, 600, 598}, 0},
        {{400, 10}, kWorkTopBar, CAutoHide::DOCK_NONE, {300, 20, 600, 620}, 0}, // taskbar above: no top dock
        {{400, 760}, kWork, CAutoHide::DOCK_NONE, {300, 20, 600, 620}, 0},     // bottom docks only under a top bar
        {{400, 760}, kWorkTopBar, CAutoHide::DOCK_BOTTOM, {300, 166, 600, 766}, 0},
        {{5, 300}, kWork, CAutoHide::DOCK_LEFT, {0, -2, 300, 620}, 600},
        {{1020, 300}, kWork, CAutoHide::DOCK_RIGHT, {724, -2, 1024, 620}, 600},
        {{980, 300}, kWorkRightBar, CAutoHide::DOCK_NONE, {300, 20, 600, 620}, 0}, // bar at the right: no dock
        {{400, 720}, kWorkBottomBar, CAutoHide::DOCK_NONE, {300, 20, 600, 620}, 0},
    };
    for (const auto& c : cases) {
        RECT drag = window;
        int saved = 0;
        EXPECT_EQ(CAutoHide::DockForMove(c.cursor, window, c.work, 1024, drag, &saved), c.dock) << Text(c.work);
        EXPECT_TRUE(::EqualRect(&drag, &c.expected)) << Text(drag);
        EXPECT_EQ(saved, c.saved);
    }
    // The window far below the top edge does not dock there, even with the cursor at the top.
    RECT low = {300, 200, 600, 800}, drag = low;
    EXPECT_EQ(CAutoHide::DockForMove(POINT{400, 10}, low, kWork, 1024, drag, nullptr), CAutoHide::DOCK_NONE);
    // A height kept already is not replaced by the stretched one.
    int saved = 450;
    drag = window;
    CAutoHide::DockForMove(POINT{5, 300}, window, kWork, 1024, drag, &saved);
    EXPECT_EQ(saved, 450);
}

TEST(AutoHideSlideTest, TopDockHidesInTenthsToTheSliverAndComesBack)
{
    RECT r = {100, -2, 400, 298}; // 300 high, docked at the top
    int steps = 0;
    RECT next;
    while (!CAutoHide::SlideStep(CAutoHide::DOCK_TOP, true, r, kWork, next) && steps < 50) {
        EXPECT_EQ(next.bottom, r.bottom - 30);
        EXPECT_EQ(next.bottom - next.top, 300);
        r = next;
        ++steps;
    }
    EXPECT_EQ(next.bottom, 2); // the sliver stays on screen
    EXPECT_EQ(next.top, -298);
    EXPECT_EQ(steps, 9);
    r = next;
    steps = 0;
    while (!CAutoHide::SlideStep(CAutoHide::DOCK_TOP, false, r, kWork, next) && steps < 50) {
        r = next;
        ++steps;
    }
    EXPECT_EQ(next.top, -2);
    EXPECT_EQ(next.left, 100);
}

TEST(AutoHideSlideTest, EachEdgeOneStepAndItsEnd)
{
    const struct {
        int dock;
        bool hide;
        RECT work, from, to;
        bool done;
    } cases[] = {
        // bottom: hides down to the work area's bottom minus the sliver
        {CAutoHide::DOCK_BOTTOM, true, kWorkTopBar, {100, 166, 400, 766}, {100, 226, 400, 826}, false},
        {CAutoHide::DOCK_BOTTOM, true, kWorkTopBar, {100, 746, 400, 1046}, {100, 766, 400, 1066}, true},
        {CAutoHide::DOCK_BOTTOM, false, kWorkTopBar, {100, 766, 400, 1066}, {100, 736, 400, 1036}, false},
        {CAutoHide::DOCK_BOTTOM, false, kWorkTopBar, {100, 466, 400, 766}, {100, 466, 400, 766}, true},
        // left: the full work-area height while sliding
        {CAutoHide::DOCK_LEFT, true, kWork, {0, -2, 300, 620}, {-30, 0, 270, 768}, false},
        {CAutoHide::DOCK_LEFT, true, kWork, {-270, 0, 30, 768}, {-298, 0, 2, 768}, true},
        {CAutoHide::DOCK_LEFT, false, kWork, {-20, 0, 280, 768}, {0, 0, 300, 768}, true},
        // right
        {CAutoHide::DOCK_RIGHT, true, kWork, {724, -2, 1024, 620}, {754, 0, 1054, 768}, false},
        {CAutoHide::DOCK_RIGHT, true, kWork, {1000, 0, 1300, 768}, {1022, 0, 1322, 768}, true},
        {CAutoHide::DOCK_RIGHT, false, kWork, {740, 0, 1040, 768}, {724, 0, 1024, 768}, true},
        // not docked: nothing moves and the slide is over at once
        {CAutoHide::DOCK_NONE, true, kWork, {10, 10, 310, 610}, {10, 10, 310, 610}, true},
        {CAutoHide::DOCK_NONE, false, kWork, {10, 10, 310, 610}, {10, 10, 310, 610}, true},
    };
    for (const auto& c : cases) {
        RECT next;
        EXPECT_EQ(CAutoHide::SlideStep(c.dock, c.hide, c.from, c.work, next), c.done) << c.dock << " " << Text(c.from);
        EXPECT_TRUE(::EqualRect(&next, &c.to)) << c.dock << " " << Text(c.from) << " -> " << Text(next);
    }
}

TEST(AutoHideRestoreTest, HeightAfterLeavingASideDock)
{
    // High on the screen the kept height is clamped to the work area; low, it is not.
    EXPECT_EQ(CAutoHide::RestoredBottom(RECT{100, 100, 400, 768}, 900, kWork), 768);
    EXPECT_EQ(CAutoHide::RestoredBottom(RECT{100, 100, 400, 768}, 500, kWork), 600);
    EXPECT_EQ(CAutoHide::RestoredBottom(RECT{100, 300, 400, 768}, 600, kWork), 900);
}

namespace {

// The main window with auto-hide switched on or off before it is created.
class AutoHideWindow : public MainWindowFixture {
protected:
    void TearDown() override
    {
        CQorViewBaseFun::SetAutoHideMainWindow(FALSE);
        MainWindowFixture::TearDown();
    }

    HWND Main() const { return m_pDlg->GetSafeHwnd(); }

    // A point on the caption, found by asking the window.
    bool CaptionPoint(POINT& pt) const
    {
        RECT rc;
        ::GetWindowRect(Main(), &rc);
        for (int y = rc.top + 2; y < rc.top + 40; ++y) {
            pt = POINT{(rc.left + rc.right) / 2, y};
            if (::SendMessageW(Main(), WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)) == HTCAPTION)
                return true;
        }
        return false;
    }

    static void MoveMouse(POINT pt, DWORD extra = 0)
    {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dx = MulDiv(pt.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = MulDiv(pt.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | extra;
        ::SendInput(1, &in, sizeof(in));
    }

    // Called for each message of the system's move loop: the first time, the rest of the drag.
    // One step of the drag per message, as a hand moves: the loop moves the window between them.
    static LRESULT CALLBACK DragInMoveLoop(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code >= 0 && !s_bDragged && ::GetCapture() == s_hDragged) {
            POINT now;
            ::GetCursorPos(&now);
            if (now.y > s_dragTo.y) {
                MoveMouse(POINT{s_dragTo.x, now.y - 20 > s_dragTo.y ? now.y - 20 : s_dragTo.y});
            } else {
                s_bDragged = true;
                MoveMouse(s_dragTo, MOUSEEVENTF_LEFTUP);
            }
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static POINT s_dragTo;
    static bool s_bDragged;
    static HWND s_hDragged;

    RECT Rect() const
    {
        RECT rc;
        ::GetWindowRect(Main(), &rc);
        return rc;
    }
};

POINT AutoHideWindow::s_dragTo = {};
bool AutoHideWindow::s_bDragged = false;
HWND AutoHideWindow::s_hDragged = nullptr;

} // namespace

// Dragged by its caption to the top edge, the window docks there; once the mouse has left it, it
// slides up until 2 pixels are left; the mouse on that sliver slides it back down.
TEST_F(AutoHideWindow, DraggedToTheTopItDocksSlidesAwayAndComesBack)
{
    // Switched on after the start, so that no hover check from the start ticks into the drag
    // (each message asks the setting anew).
    ASSERT_TRUE(CreateMain());
    CQorViewBaseFun::SetAutoHideMainWindow(TRUE);
    ::SetWindowPos(Main(), nullptr, 300, 200, 300, 600, SWP_NOZORDER);
    ::SetForegroundWindow(Main());
    testsupport::PumpMessages();
    POINT grip;
    ASSERT_TRUE(CaptionPoint(grip));
    const int offset = grip.y - Rect().top;

    // A real drag: the button goes down on the caption, and once the system's move loop holds the
    // mouse, the cursor goes up to the top edge and the button comes up there.
    s_dragTo = POINT{grip.x, 5};
    s_bDragged = false;
    s_hDragged = Main();
    BOOL bFullDrag = FALSE;
    ::SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &bFullDrag, 0);
    ::SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0); // the window follows the mouse
    HHOOK hHook = ::SetWindowsHookExW(WH_MSGFILTER, &DragInMoveLoop, nullptr, ::GetCurrentThreadId());
    const UINT_PTR heartbeat = ::SetTimer(nullptr, 0, 10, nullptr); // a message for the loop to look at
    MoveMouse(grip);
    MoveMouse(grip, MOUSEEVENTF_LEFTDOWN);
    testsupport::PumpUntil([&] { return s_bDragged; });
    ::KillTimer(nullptr, heartbeat);
    ::UnhookWindowsHookEx(hHook);
    ::SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, bFullDrag, nullptr, 0);
    ASSERT_TRUE(s_bDragged);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pDlg->GetAutoHide().GetDockSide() == CAutoHide::DOCK_TOP; }));
    testsupport::PumpMessages();
    EXPECT_EQ(Rect().top, -2);
    EXPECT_EQ(Rect().bottom - Rect().top, 600);
    EXPECT_TRUE(::GetWindowLongPtrW(Main(), GWL_EXSTYLE) & WS_EX_TOPMOST); // docked windows stay on top
    testsupport::SaveScreenshot(testsupport::ExeDir() + L"\\app_main_window_docked_top.bmp");

    // The mouse still on the frame starts the hover check; leaving the window slides it out.
    POINT onFrame = {grip.x, -2 + offset};
    ::SendMessageW(Main(), WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(onFrame.x, onFrame.y));
    EXPECT_TRUE(m_pDlg->GetAutoHide().IsHoverActive());
    MoveMouse(POINT{grip.x, 700});
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Rect().bottom == 2 && !m_pDlg->GetAutoHide().IsSliding(); }))
        << Text(Rect());
    EXPECT_EQ(Rect().bottom - Rect().top, 600);
    EXPECT_FALSE(m_pDlg->GetAutoHide().IsHoverActive());
    testsupport::SaveScreenshot(testsupport::ExeDir() + L"\\app_main_window_slid_top.bmp");

    // The mouse on the sliver (the window's bottom frame) brings it back.
    MoveMouse(POINT{grip.x, 1});
    ::SendMessageW(Main(), WM_NCMOUSEMOVE, HTBOTTOM, MAKELPARAM(grip.x, 1));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Rect().top == -2 && !m_pDlg->GetAutoHide().IsSliding(); }))
        << Text(Rect());
    EXPECT_EQ(Rect().left, 300);
    MoveMouse(POINT{grip.x, 700});
}

// A slide asked for while the window is no longer docked ends at its first tick.
TEST_F(AutoHideWindow, SlideOfAnUndockedWindowStopsAtOnce)
{
    CQorViewBaseFun::SetAutoHideMainWindow(TRUE);
    ASSERT_TRUE(CreateMain());
    ::SetWindowPos(Main(), nullptr, 300, 0, 300, 600, SWP_NOZORDER);
    m_pDlg->GetAutoHide().SetDockSide(CAutoHide::DOCK_TOP);
    m_pDlg->GetAutoHide().Slide(FALSE);
    ASSERT_TRUE(m_pDlg->GetAutoHide().IsSliding());
    m_pDlg->GetAutoHide().SetDockSide(CAutoHide::DOCK_NONE); // e.g. the work area changed
    const RECT before = Rect();
    ::SendMessageW(Main(), WM_TIMER, CAutoHide::kSlideTimerId, 0);
    EXPECT_FALSE(m_pDlg->GetAutoHide().IsSliding());
    EXPECT_FALSE(::KillTimer(Main(), CAutoHide::kSlideTimerId)); // no timer left behind
    const RECT after = Rect();
    EXPECT_TRUE(::EqualRect(&before, &after));
}

// Switching the setting off stops a slide and the hover check: their ticks would reach nobody.
TEST_F(AutoHideWindow, SwitchingAutoHideOffStopsItsTimers)
{
    CQorViewBaseFun::SetAutoHideMainWindow(TRUE);
    ASSERT_TRUE(CreateMain());
    m_pDlg->GetAutoHide().SetDockSide(CAutoHide::DOCK_TOP);
    m_pDlg->GetAutoHide().Slide(TRUE);
    ASSERT_TRUE(m_pDlg->GetAutoHide().IsSliding());
    CQorViewBaseFun::SetAutoHideMainWindow(FALSE);
    ::SendMessageW(Main(), WM_TIMER, CAutoHide::kSlideTimerId, 0);
    EXPECT_FALSE(m_pDlg->GetAutoHide().IsSliding());
    EXPECT_FALSE(::KillTimer(Main(), CAutoHide::kSlideTimerId));
    EXPECT_FALSE(::KillTimer(Main(), CAutoHide::kHoverTimerId));
    m_pDlg->GetAutoHide().SetDockSide(CAutoHide::DOCK_NONE);
}

namespace {

int s_nTimerTicks = 0;
bool s_bSecondOver = false;

void CALLBACK SecondOver(HWND, UINT, UINT_PTR, DWORD)
{
    s_bSecondOver = true;
}

} // namespace

// With auto-hide off and the window undocked and signed out, nothing of the main window ticks:
// over one second (measured by a timer of the test's own) it receives no WM_TIMER at all.
TEST_F(AutoHideWindow, IdleWindowRunsNoTimer)
{
    ASSERT_TRUE(CreateMain());
    testsupport::PumpMessages();
    s_nTimerTicks = 0;
    s_bSecondOver = false;
    const UINT_PTR watch = ::SetTimer(nullptr, 0, 1000, &SecondOver);
    ASSERT_NE(watch, 0u);
    MSG msg;
    while (!s_bSecondOver && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == Main())
            ++s_nTimerTicks;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::KillTimer(nullptr, watch);
    EXPECT_EQ(s_nTimerTicks, 0);
    EXPECT_FALSE(::KillTimer(Main(), CAutoHide::kHoverTimerId));
    EXPECT_FALSE(::KillTimer(Main(), CAutoHide::kSlideTimerId));
}
