// The tray icon: adds, changes and removes through the shell (a recording stand-in for most
// cases, the real notification area of the virtual desktop for one), the retried add and the
// re-add after "TaskbarCreated", and the mouse callbacks translated into the four messages.
#include "tests/controls/ControlsTestWindows.h"
#include "tests/support/TestSupport.h"
#include "controls/CTrayIcon.h"
#include <gtest/gtest.h>

namespace {

const UINT kCallback = WM_APP + 29;
const UINT kIconId = 128;

struct ShellCall {
    DWORD message;
    NOTIFYICONDATAW data;
};

std::vector<ShellCall> g_calls;
int g_failAdds = 0;

BOOL WINAPI RecordingShell(DWORD message, PNOTIFYICONDATAW data)
{
    g_calls.push_back({message, *data});
    if (message == NIM_ADD && g_failAdds > 0) {
        --g_failAdds;
        return FALSE;
    }
    return TRUE;
}

class TrayFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_calls.clear();
        g_failAdds = 0;
        CTrayIcon::SetShellNotifyFunction(RecordingShell);
        target.answers[WM_TRAY_QUERY_SIGNEDIN] = 1;
        ASSERT_TRUE(target.CreateTopLevel(700, 40, 200, 80, L"Korvel tray target"));
        icon1 = ::LoadIconW(nullptr, IDI_APPLICATION);
        icon2 = ::LoadIconW(nullptr, IDI_INFORMATION);
        icon3 = ::LoadIconW(nullptr, IDI_WARNING);
    }
    void TearDown() override
    {
        target.DestroyWindow();
        testsupport::PumpMessages();
        CTrayIcon::SetShellNotifyFunction(nullptr);
    }
    const ShellCall* LastCall(DWORD message) const
    {
        for (auto it = g_calls.rbegin(); it != g_calls.rend(); ++it)
            if (it->message == message)
                return &*it;
        return nullptr;
    }
    int Calls(DWORD message) const
    {
        int n = 0;
        for (const ShellCall& c : g_calls)
            n += c.message == message;
        return n;
    }

    CRecorderWnd target;
    HICON icon1 = nullptr, icon2 = nullptr, icon3 = nullptr;
};

// A tray whose clock can be moved forward.
class ClockedTray : public CTrayIcon {
public:
    double now = 1000.0;
    double GetNow() const override { return now; }
};

} // namespace

TEST_F(TrayFixture, CreateAddsTheIconWithImageTipAndCallback)
{
    CTrayIcon tray;
    const CString longTip(L'x', 200);
    ASSERT_TRUE(tray.Create(&target, kCallback, longTip, icon1, kIconId, FALSE, L"", L"", 0, 20));
    const ShellCall* add = LastCall(NIM_ADD);
    ASSERT_NE(nullptr, add);
    // The shell-5 layout: 952 bytes in the 32-bit program.
    EXPECT_EQ(static_cast<DWORD>(NOTIFYICONDATAW_V3_SIZE), add->data.cbSize);
    EXPECT_EQ(target.m_hWnd, add->data.hWnd);
    EXPECT_EQ(kIconId, add->data.uID);
    EXPECT_EQ(kCallback, add->data.uCallbackMessage);
    EXPECT_EQ(icon1, add->data.hIcon);
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP),
              add->data.uFlags & (NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(127u, wcslen(add->data.szTip)) << "a 200-character tip keeps its first 127";
    EXPECT_FALSE(tray.IsHidden());
    EXPECT_FALSE(tray.IsRemoved());
    EXPECT_EQ(CString(L'x', 127), tray.GetTooltipText());

    EXPECT_TRUE(tray.SetIcon(icon2));
    ASSERT_NE(nullptr, LastCall(NIM_MODIFY));
    EXPECT_EQ(static_cast<UINT>(NIF_ICON), LastCall(NIM_MODIFY)->data.uFlags);
    EXPECT_EQ(icon2, LastCall(NIM_MODIFY)->data.hIcon);
    EXPECT_EQ(icon2, tray.GetIcon());
    EXPECT_TRUE(tray.SetTooltipText(L"Korvel - online"));
    EXPECT_EQ(static_cast<UINT>(NIF_TIP), LastCall(NIM_MODIFY)->data.uFlags);
    EXPECT_STREQ(L"Korvel - online", LastCall(NIM_MODIFY)->data.szTip);

    EXPECT_TRUE(tray.RemoveIcon());
    EXPECT_EQ(1, Calls(NIM_DELETE));
    EXPECT_TRUE(tray.IsRemoved());
    EXPECT_TRUE(tray.RemoveIcon()) << "removing twice is harmless";
    EXPECT_EQ(1, Calls(NIM_DELETE));
}

TEST_F(TrayFixture, AFailedAddIsRetriedAtAWorkAreaChange)
{
    CTrayIcon tray;
    g_failAdds = 1;
    EXPECT_FALSE(tray.Create(&target, kCallback, L"tip", icon1, kIconId));
    EXPECT_TRUE(tray.IsAddPending());
    EXPECT_TRUE(tray.IsRemoved());
    EXPECT_TRUE(tray.IsHidden());

    // While hidden, changes are kept and answered TRUE without a shell call.
    const size_t before = g_calls.size();
    EXPECT_TRUE(tray.SetIcon(icon3));
    EXPECT_EQ(before, g_calls.size());

    tray.SendMessage(WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_FALSE(tray.IsAddPending());
    EXPECT_FALSE(tray.IsHidden());
    EXPECT_FALSE(tray.IsRemoved());
    ASSERT_EQ(2, Calls(NIM_ADD));
    EXPECT_EQ(icon3, LastCall(NIM_ADD)->data.hIcon) << "the image set while it was out";
    EXPECT_EQ(kCallback, LastCall(NIM_ADD)->data.uCallbackMessage);

    // Other setting changes do nothing.
    tray.SendMessage(WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
    EXPECT_EQ(2, Calls(NIM_ADD));
}

TEST_F(TrayFixture, TaskbarCreatedAddsTheIconAgainWithItsCurrentImageAndTip)
{
    CTrayIcon tray;
    ASSERT_TRUE(tray.Create(&target, kCallback, L"first tip", icon1, kIconId));
    tray.SetIcon(icon2);
    tray.SetTooltipText(L"second tip");
    g_calls.clear();
    tray.SendMessage(CTrayIcon::GetTaskbarCreatedMessage(), 0, 0);
    ASSERT_EQ(1, Calls(NIM_ADD));
    EXPECT_EQ(0, Calls(NIM_DELETE)) << "the restarted shell has no icon to delete";
    const ShellCall* add = LastCall(NIM_ADD);
    EXPECT_EQ(icon2, add->data.hIcon);
    EXPECT_STREQ(L"second tip", add->data.szTip);
    EXPECT_EQ(kCallback, add->data.uCallbackMessage);
    EXPECT_FALSE(tray.IsRemoved());
    EXPECT_FALSE(tray.IsHidden());
}

TEST_F(TrayFixture, TaskbarCreatedAddsAHiddenOrPendingIconOnceInTheStateItHad)
{
    struct Case {
        const char* name;
        bool hide;     // the owner hid the icon
        int failAdds;  // the first add failed (the icon waits for a retry)
        bool hidden;   // afterwards
    };
    const Case cases[] = {
        {"hidden by its owner", true, 0, true},
        {"its add had failed", false, 1, false},
    };
    for (const Case& c : cases) {
        CTrayIcon tray;
        g_failAdds = c.failAdds;
        tray.Create(&target, kCallback, L"tip", icon1, kIconId);
        if (c.hide) {
            ASSERT_TRUE(tray.HideIcon()) << c.name;
            ASSERT_TRUE(tray.GetIconData().uFlags & NIF_STATE) << c.name << ": the shell takes the state flag";
        }
        g_calls.clear();
        tray.SendMessage(CTrayIcon::GetTaskbarCreatedMessage(), 0, 0);
        EXPECT_EQ(1, Calls(NIM_ADD)) << c.name;
        EXPECT_EQ(0, Calls(NIM_DELETE)) << c.name;
        ASSERT_NE(nullptr, LastCall(NIM_ADD)) << c.name;
        EXPECT_EQ(c.hidden ? static_cast<DWORD>(NIS_HIDDEN) : 0u, LastCall(NIM_ADD)->data.dwState & NIS_HIDDEN) << c.name;
        EXPECT_EQ(c.hidden, tray.IsHidden() != FALSE) << c.name;
        EXPECT_FALSE(tray.IsRemoved()) << c.name;
        EXPECT_FALSE(tray.IsAddPending()) << c.name;
    }
}

TEST_F(TrayFixture, ANewNotifyWindowTakesTheIconAlongInItsState)
{
    CRecorderWnd other;
    ASSERT_TRUE(other.CreateTopLevel(700, 160, 200, 80, L"Korvel tray second target"));
    for (bool hidden : {false, true}) {
        CTrayIcon tray;
        ASSERT_TRUE(tray.Create(&target, kCallback, L"tip", icon1, kIconId));
        tray.SetIcon(icon2);
        if (hidden) {
            ASSERT_TRUE(tray.HideIcon());
        }
        g_calls.clear();
        EXPECT_TRUE(tray.SetNotifyWnd(&other)) << hidden;
        // The shell knows the icon by window and id: out under the old window, in under the new.
        ASSERT_EQ(2u, g_calls.size()) << hidden;
        EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), g_calls[0].message) << hidden;
        EXPECT_EQ(target.m_hWnd, g_calls[0].data.hWnd) << hidden;
        EXPECT_EQ(static_cast<DWORD>(NIM_ADD), g_calls[1].message) << hidden;
        EXPECT_EQ(other.m_hWnd, g_calls[1].data.hWnd) << hidden;
        EXPECT_EQ(icon2, g_calls[1].data.hIcon) << hidden;
        EXPECT_EQ(kCallback, g_calls[1].data.uCallbackMessage) << hidden;
        EXPECT_STREQ(L"tip", g_calls[1].data.szTip);
        EXPECT_EQ(hidden ? static_cast<DWORD>(NIS_HIDDEN) : 0u, g_calls[1].data.dwState & NIS_HIDDEN) << hidden;
        EXPECT_EQ(hidden, tray.IsHidden() != FALSE) << hidden;
        EXPECT_EQ(&other, tray.GetNotifyWnd());
        g_calls.clear();
        tray.RemoveIcon();
        ASSERT_EQ(1, Calls(NIM_DELETE));
        EXPECT_EQ(other.m_hWnd, LastCall(NIM_DELETE)->data.hWnd) << "later calls name the new window";
    }
    other.DestroyWindow();
}

TEST_F(TrayFixture, TheTipWindowGoesWhenItsTimeIsUp)
{
    class TipTray : public CTrayIcon {
    public:
        HWND Tip() const { return m_wndTip.m_hWnd; }
    } tray;
    ASSERT_TRUE(tray.Create(&target, kCallback, L"tip", icon1, kIconId));
    tray.ShowTipWindow(L"Signed in elsewhere", 1);
    ASSERT_NE(nullptr, tray.Tip());
    EXPECT_TRUE(::IsWindowVisible(tray.Tip()));
    tray.SendMessage(WM_TIMER, CTrayIcon::kTipTimerId, 0);
    testsupport::PumpMessages();
    EXPECT_FALSE(::IsWindowVisible(tray.Tip()));
}

TEST_F(TrayFixture, MenuDefaultItemIsKeptOnlyForAMenuThatExists)
{
    testsupport::ResourceModuleScope resources;
    ASSERT_TRUE(resources.IsLoaded());
    struct Case {
        UINT iconId;     // the icon's menu is the menu resource of that id
        BOOL expected;
        UINT keptItem;   // what GetMenuDefaultItem answers afterwards, twice asked
    };
    const UINT kStatusMenu = 1017; // a menu of the resource module with a submenu
    const Case cases[] = {{kStatusMenu, TRUE, 2}, {kIconId, FALSE, 0}};
    for (const Case& c : cases) {
        CTrayIcon tray;
        ASSERT_TRUE(tray.Create(&target, kCallback, L"tip", icon1, c.iconId));
        for (int attempt = 0; attempt < 2; ++attempt) {
            EXPECT_EQ(c.expected, tray.SetMenuDefaultItem(2, TRUE)) << c.iconId << " attempt " << attempt;
            UINT item = 99;
            BOOL byPos = FALSE;
            tray.GetMenuDefaultItem(item, byPos);
            EXPECT_EQ(c.keptItem, item) << c.iconId;
            EXPECT_TRUE(byPos);
        }
    }
}

TEST_F(TrayFixture, AnIconStartedHiddenShowsWithItsImageAndCallback)
{
    CTrayIcon tray;
    tray.Create(&target, kCallback, L"tip", icon1, kIconId, TRUE);
    EXPECT_TRUE(tray.IsHidden());
    // The shell here takes the state flag (Windows 2000 on): the icon is added hidden, but complete.
    ASSERT_EQ(1, Calls(NIM_ADD));
    const ShellCall* add = LastCall(NIM_ADD);
    EXPECT_TRUE(add->data.uFlags & NIF_STATE);
    EXPECT_EQ(static_cast<DWORD>(NIS_HIDDEN), add->data.dwState & NIS_HIDDEN);
    EXPECT_TRUE(add->data.uFlags & NIF_ICON);
    EXPECT_TRUE(add->data.uFlags & NIF_MESSAGE);
    EXPECT_EQ(icon1, add->data.hIcon);
    EXPECT_TRUE(tray.SetIcon(icon2));
    g_calls.clear();
    EXPECT_TRUE(tray.ShowIcon());
    EXPECT_FALSE(tray.IsHidden());
    ASSERT_FALSE(g_calls.empty());
    const ShellCall& shown = g_calls.back();
    EXPECT_TRUE(shown.data.uFlags & NIF_ICON);
    EXPECT_TRUE(shown.data.uFlags & NIF_MESSAGE);
    EXPECT_EQ(icon2, shown.data.hIcon);
    EXPECT_EQ(kCallback, shown.data.uCallbackMessage);
    EXPECT_EQ(0u, shown.data.dwState & NIS_HIDDEN);

    EXPECT_TRUE(tray.HideIcon());
    EXPECT_TRUE(tray.IsHidden());
}

TEST_F(TrayFixture, MouseCallbacksBecomeTheFourMessages)
{
    CTrayIcon tray;
    ASSERT_TRUE(tray.Create(&target, kCallback, L"tip", icon1, kIconId));
    tray.SetTargetWnd(&target);

    // A press, then the click timer: a single click.
    EXPECT_EQ(1, tray.OnTrayNotification(kIconId, WM_LBUTTONDOWN));
    EXPECT_EQ(0, target.Count(WM_TRAY_LBUTTONCLICK));
    tray.SendMessage(WM_TIMER, CTrayIcon::kClickTimerId, 0);
    EXPECT_EQ(1, target.Count(WM_TRAY_LBUTTONCLICK));
    EXPECT_EQ(0u, target.Last(WM_TRAY_LBUTTONCLICK)->wParam);

    // A press and a double click: only the double click, with the icon id.
    tray.OnTrayNotification(kIconId, WM_LBUTTONDOWN);
    tray.OnTrayNotification(kIconId, WM_LBUTTONUP);
    tray.OnTrayNotification(kIconId, WM_LBUTTONDBLCLK);
    tray.SendMessage(WM_TIMER, CTrayIcon::kClickTimerId, 0);
    EXPECT_EQ(1, target.Count(WM_TRAY_LBUTTONCLICK));
    ASSERT_EQ(1, target.Count(WM_TRAY_LBUTTONDBLCLK));
    EXPECT_EQ(kIconId, target.Last(WM_TRAY_LBUTTONDBLCLK)->wParam);

    tray.OnTrayNotification(kIconId, WM_RBUTTONDOWN);
    EXPECT_EQ(1, target.Count(WM_TRAY_RBUTTONDOWN));
    tray.OnTrayNotification(kIconId, WM_RBUTTONDBLCLK);
    EXPECT_EQ(1, target.Count(WM_TRAY_RBUTTONDBLCLK));
    EXPECT_GE(target.Count(WM_TRAY_QUERY_SIGNEDIN), 2) << "the right button asks whether to come forward";

    // Another icon's callback, and mouse moves, send nothing.
    const size_t before = target.received.size();
    EXPECT_EQ(0, tray.OnTrayNotification(kIconId + 1, WM_RBUTTONDOWN));
    EXPECT_EQ(1, tray.OnTrayNotification(kIconId, WM_MOUSEMOVE));
    EXPECT_EQ(before, target.received.size());
}

TEST_F(TrayFixture, TheRealClickTimerFiresAndTheTraysOwnWindowTakesCallbacks)
{
    CTrayIcon tray;
    // No parent: the callbacks go to the tray's own hidden window.
    ASSERT_TRUE(tray.Create(nullptr, kCallback, L"tip", icon1, kIconId));
    tray.SetTargetWnd(&target);
    ASSERT_EQ(tray.m_hWnd, LastCall(NIM_ADD)->data.hWnd);

    ::SendMessageW(tray.m_hWnd, kCallback, kIconId, WM_RBUTTONDOWN);
    EXPECT_EQ(1, target.Count(WM_TRAY_RBUTTONDOWN));
    ::PostMessageW(tray.m_hWnd, kCallback, kIconId, WM_LBUTTONDOWN);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return target.Count(WM_TRAY_LBUTTONCLICK) == 1; }));
}

TEST_F(TrayFixture, AnimationStepsThroughFramesAndPutsTheImageBack)
{
    ClockedTray tray;
    ASSERT_TRUE(tray.Create(&target, kCallback, L"tip", icon1, kIconId));
    HICON frames[] = {icon2, icon3};
    tray.SetIconFrames(frames, 2);
    ASSERT_TRUE(tray.StartIconAnimation(100, 0));
    tray.SendMessage(WM_TIMER, CTrayIcon::kAnimationTimerId, 0);
    EXPECT_EQ(icon3, tray.GetIcon());
    tray.now += 1.0; // a day later: a period of 0 runs until stopped
    tray.SendMessage(WM_TIMER, CTrayIcon::kAnimationTimerId, 0);
    EXPECT_EQ(icon2, tray.GetIcon());
    EXPECT_TRUE(tray.StopIconAnimation());
    EXPECT_EQ(icon1, tray.GetIcon());
    EXPECT_FALSE(tray.StopIconAnimation());

    ASSERT_TRUE(tray.StartIconAnimation(100, 5));
    tray.SendMessage(WM_TIMER, CTrayIcon::kAnimationTimerId, 0);
    EXPECT_EQ(icon3, tray.GetIcon());
    tray.now += 6.0 / 86400.0;
    tray.SendMessage(WM_TIMER, CTrayIcon::kAnimationTimerId, 0);
    EXPECT_EQ(icon1, tray.GetIcon()) << "past its period the animation stops by itself";
}

TEST_F(TrayFixture, ADisabledTrayAnswersWithoutTheShell)
{
    CTrayIcon tray;
    EXPECT_FALSE(tray.SetIcon(icon1));
    EXPECT_FALSE(tray.SetTooltipText(L"x"));
    EXPECT_FALSE(tray.SetCallbackMessage(1));
    EXPECT_TRUE(tray.HideIcon());
    EXPECT_TRUE(tray.RemoveIcon());
    EXPECT_EQ(nullptr, tray.GetIcon());
    EXPECT_TRUE(g_calls.empty());
}

TEST(TrayIconShell, TheIconGoesIntoTheVirtualDesktopsNotificationArea)
{
    CTrayIcon::SetShellNotifyFunction(nullptr);
    CRecorderWnd target;
    ASSERT_TRUE(target.CreateTopLevel(700, 160, 200, 80, L"Korvel tray shell"));
    {
        CTrayIcon tray;
        ASSERT_TRUE(tray.Create(&target, kCallback, L"Korvel", ::LoadIconW(nullptr, IDI_APPLICATION), kIconId));
        EXPECT_TRUE(tray.SetIcon(::LoadIconW(nullptr, IDI_INFORMATION)));
        EXPECT_TRUE(tray.SetTooltipText(L"Korvel - away"));
        testsupport::PumpMessages();
        testsupport::SaveScreenshot(testsupport::ExeDir() + L"\\screenshot-tray.bmp");
        EXPECT_TRUE(tray.HideIcon());
        EXPECT_TRUE(tray.ShowIcon());
        EXPECT_TRUE(tray.RemoveIcon());
        EXPECT_TRUE(tray.AddIcon());
    }
    target.DestroyWindow();
}

TEST_F(TrayFixture, BalloonMenuRectAndTheDestructorsRemoval)
{
    {
        CTrayIcon tray;
        ASSERT_TRUE(tray.Create(&target, kCallback, L"tip", icon1, kIconId));
        EXPECT_TRUE(tray.ShowBalloonText(L"Signed in", L"Korvel", NIIF_INFO, 5));
        const ShellCall* modify = LastCall(NIM_MODIFY);
        ASSERT_NE(nullptr, modify);
        EXPECT_EQ(static_cast<UINT>(NIF_INFO), modify->data.uFlags);
        EXPECT_STREQ(L"Signed in", modify->data.szInfo);
        EXPECT_EQ(5000u, modify->data.uTimeout);
        EXPECT_EQ(0, tray.GetIconData().szInfo[0]) << "later changes do not raise the balloon again";
        EXPECT_FALSE(tray.SetMenuDefaultItem(3, TRUE)) << "no menu resource with the icon's id";
        RECT rc = {};
        EXPECT_TRUE(CTrayIcon::GetTrayRect(&rc));
        EXPECT_GT(rc.right, rc.left);
        EXPECT_TRUE(tray.FocusIcon());
        EXPECT_TRUE(tray.SetCallbackMessage(kCallback + 1));
        EXPECT_EQ(kCallback + 1, tray.GetCallbackMessage());
        g_calls.clear();
    }
    EXPECT_EQ(1, Calls(NIM_DELETE)) << "the icon never outlives its object";
}
