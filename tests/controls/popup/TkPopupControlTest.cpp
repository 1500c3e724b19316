// The popup window driven as the system drives it: real window, real messages, timer ticks
// sent to the window one at a time.
#include "controls/ScaleByDpi.h"
#include "controls/popup/CMultiMonitorApi.h"
#include "controls/popup/CTkImageManager.h"
#include "controls/popup/CTkImageManagerIcon.h"
#include "controls/popup/CTkPopupControl.h"
#include "controls/popup/CTkPopupItem.h"
#include "controls/popup/CTkPopupPaintManager.h"
#include "controls/popup/CTkPopupThemeSkin.h"
#include "TkRectPrinting.h"
#include "TkTestImages.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

// The popup's owner: records every notification with the popup's state at that moment.
class CNotifyRecorder : public CWnd {
public:
    struct Entry {
        WPARAM code;
        LPARAM param;
        int state;
    };

    BOOL CreateRecorder()
    {
        return CreateEx(0, AfxRegisterWndClass(0), L"popup owner", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr);
    }
    std::vector<int> States() const
    {
        std::vector<int> states;
        for (const Entry& e : m_entries)
            if (e.code == CTkPopupControl::kNotifyStateChanged)
                states.push_back(e.state);
        return states;
    }
    std::vector<LPARAM> Clicks() const
    {
        std::vector<LPARAM> clicks;
        for (const Entry& e : m_entries)
            if (e.code == CTkPopupControl::kNotifyClick)
                clicks.push_back(e.param);
        return clicks;
    }

    CTkPopupControl* m_pPopup = nullptr;
    std::vector<Entry> m_entries;

protected:
    LRESULT OnPopupNotify(WPARAM wParam, LPARAM lParam)
    {
        m_entries.push_back({wParam, lParam, m_pPopup ? m_pPopup->GetPopupState() : -1});
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifyRecorder, CWnd)
    ON_MESSAGE(WM_TKPOPUP_NOTIFY, &CNotifyRecorder::OnPopupNotify)
END_MESSAGE_MAP()

class TkPopupControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateRecorder());
        m_popup = new CTkPopupControl;
        m_owner.m_pPopup = m_popup;
        m_popup->SetNotifyWindow(&m_owner);
        m_popup->SetTheme(1);
        m_workArea = CMultiMonitorApi::GetPrimaryWorkArea();
        // Keep the real cursor away from the popup unless a test puts it there.
        ::SetCursorPos(m_workArea.left + 5, m_workArea.top + 5);
    }
    void TearDown() override
    {
        delete m_popup;
        m_owner.DestroyWindow();
    }

    void Tick(UINT_PTR id) { m_popup->SendMessage(WM_TIMER, id, 0); }
    void MouseMove(int x, int y) { m_popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    void LButtonDown(int x, int y) { m_popup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    void LButtonUp(int x, int y) { m_popup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
    CRect WindowRect()
    {
        CRect rc;
        ::GetWindowRect(m_popup->GetSafeHwnd(), &rc);
        return rc;
    }
    // The popup fully shown at once, 170 × 116.
    void ShowPlain()
    {
        m_popup->SetPopupSize(CSize(170, 116));
        m_popup->SetPopupAnimation(CTkPopupControl::kAnimationNone);
        ASSERT_TRUE(m_popup->Show(nullptr));
        ASSERT_EQ(CTkPopupControl::kStateShown, m_popup->GetPopupState());
    }
    // A slide popup (100 ms in 16 ms steps: six steps) run until shown.
    void ShowSlide()
    {
        m_popup->SetPopupSize(CSize(170, 116));
        m_popup->SetPopupAnimation(CTkPopupControl::kAnimationSlide);
        m_popup->SetAnimateDelay(100);
        ASSERT_TRUE(m_popup->Show(nullptr));
        for (int i = 0; i < 6; ++i)
            Tick(CTkPopupControl::kTimerExpanding);
        ASSERT_EQ(CTkPopupControl::kStateShown, m_popup->GetPopupState());
    }

    CNotifyRecorder m_owner;
    CTkPopupControl* m_popup = nullptr;
    CRect m_workArea;
};

} // namespace

TEST_F(TkPopupControlTest, DefaultsSizeAnchorAndSixteenSteps)
{
    EXPECT_EQ(CSize(ScaleByDpi(170), ScaleByDpi(130)), m_popup->GetPopupSize());
    EXPECT_EQ(CTkPopupControl::kStateClosed, m_popup->GetPopupState());
    EXPECT_EQ(255, m_popup->GetTransparency());
    EXPECT_EQ(5000, m_popup->GetShowDelay());
    EXPECT_EQ(256, m_popup->GetAnimateDelay());
    EXPECT_EQ(16, m_popup->GetAnimationStep());

    m_popup->SetPopupAnimation(CTkPopupControl::kAnimationSlide);
    ASSERT_TRUE(m_popup->Show(nullptr));
    EXPECT_EQ(CPoint(m_workArea.right - 18, m_workArea.bottom), m_popup->GetPopupPos());
    EXPECT_EQ(16, m_popup->GetAnimation().m_nStepsLeft);
    const CSize size = m_popup->GetPopupSize();
    EXPECT_EQ(CRect(m_workArea.right - 18 - size.cx, m_workArea.bottom - size.cy, m_workArea.right - 18,
                    m_workArea.bottom),
              m_popup->GetShownRect());
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(m_popup->GetSafeHwnd(), GWL_EXSTYLE));
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_FALSE(exStyle & WS_EX_LAYERED); // opaque and not fading
    EXPECT_EQ(MA_NOACTIVATE, m_popup->SendMessage(WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
    EXPECT_EQ(TRUE, m_popup->SendMessage(WM_ERASEBKGND, 0, 0));
}

TEST_F(TkPopupControlTest, WithoutAnimationItIsShownAtOnceAndCloseNotifiesZeroThenOne)
{
    ShowPlain();
    EXPECT_EQ((std::vector<int>{2, 3}), m_owner.States());
    EXPECT_TRUE(::IsWindowVisible(m_popup->GetSafeHwnd()));
    EXPECT_EQ(m_popup->GetShownRect(), WindowRect());
    EXPECT_FALSE(m_popup->Show(nullptr)); // only from the closed state

    m_owner.m_entries.clear();
    EXPECT_TRUE(m_popup->Close());
    EXPECT_EQ((std::vector<int>{0, 1}), m_owner.States());
    EXPECT_EQ(nullptr, m_popup->GetSafeHwnd());
    EXPECT_EQ(CTkPopupControl::kStateClosed, m_popup->GetPopupState());
    for (const auto& e : m_owner.m_entries)
        EXPECT_EQ(reinterpret_cast<LPARAM>(m_popup), e.param);
}

TEST_F(TkPopupControlTest, SlideMovesTheTopEdgeByTheWorkedExample)
{
    m_popup->SetPopupSize(CSize(170, 116));
    m_popup->SetPopupAnimation(CTkPopupControl::kAnimationSlide);
    m_popup->SetAnimateDelay(100);
    ASSERT_TRUE(m_popup->Show(nullptr));
    EXPECT_EQ(CTkPopupControl::kStateExpanding, m_popup->GetPopupState());
    EXPECT_EQ(6, m_popup->GetAnimation().m_nStepsLeft);
    EXPECT_EQ(m_workArea.bottom, WindowRect().top); // full width, zero height, on the bottom edge

    std::vector<int> moves;
    for (int i = 0; i < 6; ++i) {
        const int top = WindowRect().top;
        Tick(CTkPopupControl::kTimerExpanding);
        moves.push_back(top - WindowRect().top);
    }
    EXPECT_EQ((std::vector<int>{19, 19, 19, 19, 20, 20}), moves);
    EXPECT_EQ(CTkPopupControl::kStateShown, m_popup->GetPopupState());
    EXPECT_EQ(m_popup->GetShownRect(), WindowRect());
    EXPECT_EQ((std::vector<int>{2, 3}), m_owner.States());
}

TEST_F(TkPopupControlTest, FadeRaisesTheAlphaOfALayeredWindow)
{
    m_popup->SetPopupAnimation(CTkPopupControl::kAnimationFade);
    m_popup->SetAnimateDelay(64); // four steps
    m_popup->SetTransparency(200);
    ASSERT_TRUE(m_popup->Show(nullptr));
    HWND hwnd = m_popup->GetSafeHwnd();
    EXPECT_TRUE(::GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(m_popup->GetShownRect(), WindowRect()); // in place from the start

    std::vector<int> alphas;
    for (int i = 0; i < 4; ++i) {
        Tick(CTkPopupControl::kTimerExpanding);
        alphas.push_back(m_popup->GetAnimation().m_nCurrentAlpha);
    }
    EXPECT_EQ((std::vector<int>{50, 100, 150, 200}), alphas);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags));
    EXPECT_EQ(150, alpha); // the last step is not forced: the target alpha was already set
    EXPECT_EQ(CTkPopupControl::kStateShown, m_popup->GetPopupState());

    // The collapse fades to 0 in place, then closes.
    Tick(CTkPopupControl::kTimerShowDelay);
    EXPECT_EQ(CTkPopupControl::kStateCollapsing, m_popup->GetPopupState());
    for (int i = 0; i < 4; ++i)
        Tick(CTkPopupControl::kTimerCollapsing);
    EXPECT_EQ(nullptr, m_popup->GetSafeHwnd());
    EXPECT_EQ((std::vector<int>{2, 3, 4, 0, 1}), m_owner.States());
}

TEST_F(TkPopupControlTest, UnfoldGrowsFromTheAnchor)
{
    m_popup->SetPopupSize(CSize(170, 116));
    m_popup->SetPopupAnimation(CTkPopupControl::kAnimationUnfold);
    m_popup->SetAnimateDelay(100);
    ASSERT_TRUE(m_popup->Show(nullptr));
    const CPoint anchor = m_popup->GetPopupPos();
    EXPECT_EQ(CRect(anchor, anchor), m_popup->GetAnimation().m_rcCurrent);
    Tick(CTkPopupControl::kTimerExpanding);
    EXPECT_EQ(CRect(anchor.x - 28, anchor.y - 19, anchor.x, anchor.y), WindowRect()); // 170/6, 116/6
    for (int i = 0; i < 5; ++i)
        Tick(CTkPopupControl::kTimerExpanding);
    EXPECT_EQ(m_popup->GetShownRect(), WindowRect());

    // The collapse folds back into the anchor.
    Tick(CTkPopupControl::kTimerShowDelay);
    for (int i = 0; i < 5; ++i)
        Tick(CTkPopupControl::kTimerCollapsing);
    // One step from the anchor: the last two steps move 29 and 29 (and 20 and 20) pixels.
    EXPECT_EQ(CRect(anchor.x - 29, anchor.y - 20, anchor.x, anchor.y), m_popup->GetAnimation().m_rcCurrent);
    Tick(CTkPopupControl::kTimerCollapsing);
    EXPECT_EQ(CTkPopupControl::kStateClosed, m_popup->GetPopupState());
}

TEST_F(TkPopupControlTest, StepZeroAndShortTimesRunInOneStep)
{
    struct Case {
        int time, step;
    } cases[] = {{100, 0}, {10, 16}};
    for (const Case& c : cases) {
        m_popup->SetPopupAnimation(CTkPopupControl::kAnimationSlide);
        m_popup->SetAnimateDelay(c.time);
        m_popup->SetAnimationStep(c.step);
        ASSERT_TRUE(m_popup->Show(nullptr));
        EXPECT_EQ(1, m_popup->GetAnimation().m_nStepsLeft);
        Tick(CTkPopupControl::kTimerExpanding);
        EXPECT_EQ(CTkPopupControl::kStateShown, m_popup->GetPopupState());
        EXPECT_EQ(m_popup->GetShownRect(), WindowRect());
        Tick(CTkPopupControl::kTimerShowDelay);
        EXPECT_EQ(1, m_popup->GetAnimation().m_nStepsLeft);
        Tick(CTkPopupControl::kTimerCollapsing);
        EXPECT_EQ(CTkPopupControl::kStateClosed, m_popup->GetPopupState());
    }
}

TEST_F(TkPopupControlTest, ShowDelayZeroStaysShown)
{
    m_popup->SetShowDelay(0);
    ShowPlain();
    EXPECT_FALSE(::KillTimer(m_popup->GetSafeHwnd(), CTkPopupControl::kTimerShowDelay)); // none was set
    testsupport::PumpMessages();
    EXPECT_EQ(CTkPopupControl::kStateShown, m_popup->GetPopupState());
}

TEST_F(TkPopupControlTest, WithoutAnimationTheShowDelayClosesAtOnce)
{
    ShowPlain();
    Tick(CTkPopupControl::kTimerShowDelay);
    EXPECT_EQ((std::vector<int>{2, 3, 4, 0, 1}), m_owner.States());
    EXPECT_EQ(nullptr, m_popup->GetSafeHwnd());
}

TEST_F(TkPopupControlTest, HoverDuringCollapseExpandsBackInTheStepsMade)
{
    ShowSlide();
    Tick(CTkPopupControl::kTimerShowDelay);
    ASSERT_EQ(CTkPopupControl::kStateCollapsing, m_popup->GetPopupState());
    Tick(CTkPopupControl::kTimerCollapsing);
    Tick(CTkPopupControl::kTimerCollapsing);
    const CRect rcHalfway = WindowRect();
    EXPECT_EQ(m_popup->GetShownRect().top + 38, rcHalfway.top);

    // The mouse comes back over what is left of the popup.
    ::SetCursorPos(rcHalfway.left + 10, rcHalfway.top + 10);
    MouseMove(10, 10);
    EXPECT_TRUE(m_popup->IsHovered());
    EXPECT_EQ(CTkPopupControl::kStateExpanding, m_popup->GetPopupState());
    EXPECT_EQ(2, m_popup->GetAnimation().m_nStepsLeft);
    EXPECT_EQ(rcHalfway, WindowRect()); // it goes on from where it is
    Tick(CTkPopupControl::kTimerCollapsing); // a collapse tick no longer does anything
    EXPECT_EQ(rcHalfway, WindowRect());
    Tick(CTkPopupControl::kTimerExpanding);
    Tick(CTkPopupControl::kTimerExpanding);
    EXPECT_EQ(CTkPopupControl::kStateShown, m_popup->GetPopupState());
    EXPECT_EQ(m_popup->GetShownRect(), WindowRect());
}

TEST_F(TkPopupControlTest, HoverDuringAFadeCollapseShowsAtOnce)
{
    m_popup->SetPopupAnimation(CTkPopupControl::kAnimationFade);
    m_popup->SetAnimateDelay(64);
    ASSERT_TRUE(m_popup->Show(nullptr));
    for (int i = 0; i < 4; ++i)
        Tick(CTkPopupControl::kTimerExpanding);
    Tick(CTkPopupControl::kTimerShowDelay);
    Tick(CTkPopupControl::kTimerCollapsing);
    const CRect rc = WindowRect();
    ::SetCursorPos(rc.left + 10, rc.top + 10);
    MouseMove(10, 10);
    EXPECT_EQ(CTkPopupControl::kStateShown, m_popup->GetPopupState());
    BYTE alpha = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(m_popup->GetSafeHwnd(), nullptr, &alpha, nullptr));
    EXPECT_EQ(255, alpha); // opaque under the mouse
}

TEST_F(TkPopupControlTest, HoveredPopupOutlivesItsShowDelay)
{
    ShowSlide();
    const CRect rc = WindowRect();
    ::SetCursorPos(rc.left + 20, rc.top + 20);
    MouseMove(20, 20);
    ASSERT_TRUE(m_popup->IsHovered());
    Tick(CTkPopupControl::kTimerShowDelay);
    Tick(CTkPopupControl::kTimerShowDelay);
    EXPECT_EQ(CTkPopupControl::kStateShown, m_popup->GetPopupState());

    // Leaving starts the collapse at the next tick.
    ::SetCursorPos(m_workArea.left + 5, m_workArea.top + 5);
    m_popup->SendMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(m_popup->IsHovered());
    EXPECT_EQ(CTkPopupControl::kStateShown, m_popup->GetPopupState());
    Tick(CTkPopupControl::kTimerShowDelay);
    EXPECT_EQ(CTkPopupControl::kStateCollapsing, m_popup->GetPopupState());
}

TEST_F(TkPopupControlTest, HitTestFindsTheLastItemAdded)
{
    ShowPlain();
    CTkPopupItem* pBack = m_popup->AddItem(new CTkPopupItem(CRect(0, 0, 100, 100), L"back"));
    CTkPopupItem* pFront = m_popup->AddItem(new CTkPopupItem(CRect(50, 50, 150, 100), L"front"));
    EXPECT_EQ(0, pBack->m_nIndex);
    EXPECT_EQ(1, pFront->m_nIndex);
    EXPECT_EQ(m_popup, pFront->GetPopupControl());
    EXPECT_EQ(pFront, m_popup->HitTest(CPoint(60, 60)));
    EXPECT_EQ(pBack, m_popup->HitTest(CPoint(10, 10)));
    EXPECT_EQ(pFront, m_popup->HitTest(CPoint(120, 60)));
    EXPECT_EQ(nullptr, m_popup->HitTest(CPoint(160, 10)));
    EXPECT_EQ(2, m_popup->GetItemCount());
    EXPECT_EQ(pFront, m_popup->GetItem(1));
    bool thrown = false;
    try {
        m_popup->GetItem(2);
    } catch (CInvalidArgException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}

TEST_F(TkPopupControlTest, ClickNeedsDownAndUpOnTheSameItem)
{
    ShowPlain();
    CTkPopupItem* pA = m_popup->AddItem(new CTkPopupItem(CRect(10, 10, 60, 30), L"first"));
    CTkPopupItem* pB = m_popup->AddItem(new CTkPopupItem(CRect(10, 40, 60, 60), L"second"));
    const CRect rc = WindowRect();
    ::SetCursorPos(rc.left + 20, rc.top + 20);

    MouseMove(20, 20);
    EXPECT_EQ(pA, m_popup->GetHotItem());
    LButtonDown(20, 20);
    EXPECT_EQ(pA, m_popup->GetPressedItem());
    EXPECT_EQ(m_popup->GetSafeHwnd(), ::GetCapture());
    LButtonUp(20, 20);
    EXPECT_EQ((std::vector<LPARAM>{reinterpret_cast<LPARAM>(pA)}), m_owner.Clicks());
    EXPECT_EQ(nullptr, m_popup->GetPressedItem());
    EXPECT_NE(m_popup->GetSafeHwnd(), ::GetCapture());

    // Down on the first, up on the second: no click, and the second never lights up.
    m_owner.m_entries.clear();
    LButtonDown(20, 20);
    MouseMove(20, 50);
    EXPECT_EQ(nullptr, m_popup->GetHotItem());
    LButtonUp(20, 50);
    EXPECT_TRUE(m_owner.Clicks().empty());
    MouseMove(20, 50);
    EXPECT_EQ(pB, m_popup->GetHotItem());

    // Down on an empty spot presses nothing.
    LButtonDown(100, 100);
    EXPECT_EQ(nullptr, m_popup->GetPressedItem());
    LButtonUp(100, 100);
    EXPECT_TRUE(m_owner.Clicks().empty());
}

TEST_F(TkPopupControlTest, LosingTheCaptureDropsThePressedItem)
{
    ShowPlain();
    m_popup->AddItem(new CTkPopupItem(CRect(10, 10, 60, 30), L"first"));
    MouseMove(20, 20);
    LButtonDown(20, 20);
    ASSERT_NE(nullptr, m_popup->GetPressedItem());
    ::ReleaseCapture();
    EXPECT_EQ(nullptr, m_popup->GetPressedItem());
    LButtonUp(20, 20);
    EXPECT_TRUE(m_owner.Clicks().empty());
}

TEST_F(TkPopupControlTest, RealTimersRunTheExpansion)
{
    m_popup->SetPopupAnimation(CTkPopupControl::kAnimationSlide);
    m_popup->SetAnimateDelay(48); // three steps of 16 ms
    ASSERT_TRUE(m_popup->Show(nullptr));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return m_popup->GetPopupState() == CTkPopupControl::kStateShown; }));
    EXPECT_EQ(m_popup->GetShownRect(), WindowRect());
}

TEST_F(TkPopupControlTest, TopCornersAreCutFromTheWindowShape)
{
    ShowPlain();
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(m_popup->GetSafeHwnd(), hRgn));
    EXPECT_FALSE(::PtInRegion(hRgn, 0, 0));
    EXPECT_FALSE(::PtInRegion(hRgn, 169, 0));
    EXPECT_TRUE(::PtInRegion(hRgn, 5, 5));
    EXPECT_TRUE(::PtInRegion(hRgn, 0, 115));
    ::DeleteObject(hRgn);
}

TEST_F(TkPopupControlTest, RemoveAllItemsForgetsItemsIconsAndPicture)
{
    ShowPlain();
    CTkPopupItem* pItem = m_popup->AddItem(new CTkPopupItem(CRect(0, 0, 16, 16)));
    HICON hIcon = tkimages::MakeIcon(16, 16, RGB(0, 128, 0));
    pItem->SetIcon(hIcon, 1);
    EXPECT_TRUE(m_popup->GetImageManager()->IsIconSet(0)); // kept under the item's index
    EXPECT_NE(nullptr, pItem->GetImage());
    pItem->SetIcon(hIcon, 2);
    EXPECT_NE(nullptr, pItem->GetImage()->m_imgHot.m_hIcon);
    pItem->SetIcon(hIcon, 5);
    EXPECT_NE(nullptr, pItem->GetImage()->m_imgChecked.m_hIcon);
    pItem->SetIcon(nullptr, 1); // nothing
    m_popup->GetPaintManager()->m_bShowPicture = 1;
    MouseMove(5, 5);
    ASSERT_EQ(pItem, m_popup->GetHotItem());

    m_popup->RemoveAllItems();
    EXPECT_EQ(0, m_popup->GetItemCount());
    EXPECT_FALSE(m_popup->GetImageManager()->IsIconSet(0));
    EXPECT_EQ(nullptr, m_popup->GetHotItem());
    EXPECT_EQ(0, m_popup->GetPaintManager()->m_bShowPicture);
    ::DestroyIcon(hIcon);
}

TEST_F(TkPopupControlTest, ThemesAndPaintManagers)
{
    m_popup->SetTheme(2);
    EXPECT_NE(nullptr, dynamic_cast<CTkPopupThemeSkin*>(m_popup->GetPaintManager()));
    m_popup->SetTheme(1);
    EXPECT_EQ(nullptr, dynamic_cast<CTkPopupThemeSkin*>(m_popup->GetPaintManager()));
    CTkImageManager* pShared = new CTkImageManager;
    m_popup->SetImageManager(pShared);
    EXPECT_EQ(pShared, m_popup->GetImageManager());
    EXPECT_EQ(2, pShared->m_dwRef); // ours and the popup's
    pShared->InternalRelease();
}

TEST_F(TkPopupControlTest, HideCollapsesOnlyAShownPopup)
{
    m_popup->Hide();
    EXPECT_EQ(CTkPopupControl::kStateClosed, m_popup->GetPopupState());
    ShowSlide();
    m_popup->Hide();
    EXPECT_EQ(CTkPopupControl::kStateCollapsing, m_popup->GetPopupState());
}

TEST_F(TkPopupControlTest, ShakeReturnsToItsPlace)
{
    m_popup->SetShakeRequest(TRUE);
    ShowPlain(); // shakes as it reaches the shown state
    EXPECT_FALSE(m_popup->IsShakeRequested());
    EXPECT_EQ(m_popup->GetShownRect(), WindowRect());
}

namespace {

// Moves the cursor by the drag distance and lets the button go, from inside the move loop.
POINT g_dragTo;
HWND g_dragWindow;

void CALLBACK DragStep(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    ::KillTimer(nullptr, idEvent);
    ::SetCursorPos(g_dragTo.x, g_dragTo.y);
    ::PostMessageW(g_dragWindow, WM_MOUSEMOVE, MK_LBUTTON, 0);
    ::PostMessageW(g_dragWindow, WM_LBUTTONUP, 0, 0);
}

} // namespace

TEST_F(TkPopupControlTest, AllowMoveDragsThePopupInsideTheWorkArea)
{
    m_popup->AllowMove(TRUE);
    ShowPlain();
    CTkPopupItem* pLink = m_popup->AddItem(new CTkPopupItem(CRect(10, 10, 60, 30), L"link"));
    const CRect rcStart = WindowRect();
    const POINT start = {rcStart.left + 100, rcStart.top + 60};
    ::SetCursorPos(start.x, start.y);

    // A press on a hyperlink with a caption presses it instead of dragging.
    LButtonDown(20, 20);
    EXPECT_EQ(pLink, m_popup->GetPressedItem());
    LButtonUp(100, 60);

    // A press on an empty spot drags: 300 left and 200 down, which the work area stops at its bottom.
    g_dragTo = {start.x - 300, start.y + 200};
    g_dragWindow = m_popup->GetSafeHwnd();
    ::SetTimer(nullptr, 0, 1, DragStep);
    LButtonDown(100, 60); // returns when the button comes up
    const CRect rcEnd = WindowRect();
    EXPECT_EQ(rcStart.left - 300, rcEnd.left);
    EXPECT_EQ(m_workArea.bottom, rcEnd.bottom);
    EXPECT_EQ(rcStart.Size(), rcEnd.Size());
    EXPECT_EQ(CPoint(rcEnd.right, rcEnd.bottom), m_popup->GetPopupPos()); // later animations start here
    EXPECT_NE(m_popup->GetSafeHwnd(), ::GetCapture());
    EXPECT_EQ(CTkPopupControl::kStateShown, m_popup->GetPopupState());
}
