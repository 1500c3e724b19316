// The sign-in progress panel and the reconnect countdown as real child windows of a main window
// under Wine: the stage table, the end of an attempt, the updater's calls, the links, the
// countdown's delays and ticks, and what each button asks of the owner.
#include "framework/Platform.h"
#include "framework/ModuleState.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorResource/SignInResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewMessages.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "platform/WqUpApi/WqUpApi.h"
#include "platform/xDUI/CFileResourceProvider.h"
#include "platform/xDUI/CResourceManager.h"
#include "platform/WqUpApi/WqUpApiTestHooks.h"
#include "signin/CConnectErrDlg.h"
#include "signin/CKorvelLoginWaitDlg.h"
#include "signin/CReconnectCountdown.h"
#include "signin/ILoginOwner.h"
#include "signin/LoginMessages.h"
#include "signin/PanelLayout.h"
#include "tests/signin/TestLoginOwner.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

CString WindowText(HWND hWnd)
{
    wchar_t buffer[256] = {};
    ::GetWindowTextW(hWnd, buffer, 256);
    return buffer;
}

CString ResourceText(UINT id) { return CQorViewBaseFun::LoadStringW(id); }

class ProgressPanels : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(resources_.IsLoaded());
        profile_ = testsupport::TempDir(L"signin_panels_profile");
        qorview_test::SetProfileRoot(profile_);
        qorview_test::ClearCalls();
        qorview_test::ClearMessageBoxAnswers();
        qorview_test::SetDefaultMessageBoxAnswer(IDOK);
        WqUpTest_SetCheckResult(WQUP_NO_UPDATE);
        WqUpTest_ClearCalls();
        owner_ = new TestLoginOwner();
        ASSERT_TRUE(owner_->Create(IDD_MAIN_WINDOW, nullptr));
        owner_->fields.strServerAddr = L"im.example.com";
        owner_->fields.nServerPort = 5222;
        owner_->ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        if (owner_) {
            for (CDialog* panel : {owner_->pWaitDlg, owner_->pConnectErrDlg}) {
                if (panel)
                    panel->DestroyWindow();
            }
            owner_->DestroyWindow();
            delete owner_;
        }
        testsupport::PumpMessages();
        CKorvelLoginWaitDlg::SetNetCheckRunner(nullptr);
        qorview_test::SetProfileRoot(L"");
        qorview_test::SetDefaultMessageBoxAnswer(0);
        qorview_test::ClearMessageBoxAnswers();
        testsupport::RemoveTree(profile_);
    }

    // The panel over the owner's client area; pOwner is what the panel knows of it (null: a
    // panel without a main window).
    template <class Panel>
    Panel* Open(UINT nTemplate, CDialog*& slot, ILoginOwner* pOwner)
    {
        auto* panel = new Panel(pOwner);
        if (!panel->Create(nTemplate, owner_)) {
            delete panel;
            return nullptr;
        }
        slot = panel;
        RECT rc;
        ::GetClientRect(owner_->GetSafeHwnd(), &rc);
        panel->MoveWindow(0, 0, rc.right, rc.bottom);
        panel->ShowWindow(SW_SHOW);
        testsupport::PumpMessages();
        return panel;
    }
    CKorvelLoginWaitDlg* OpenWait(bool bOwned = true)
    {
        return Open<CKorvelLoginWaitDlg>(IDD_LOGIN_WAIT, owner_->pWaitDlg, bOwned ? owner_ : nullptr);
    }
    CConnectErrDlg* OpenReconnect(bool bOwned = true)
    {
        return Open<CConnectErrDlg>(IDD_CONNECT_ERR, owner_->pConnectErrDlg, bOwned ? owner_ : nullptr);
    }

    static HWND Item(CDialog* panel, UINT id) { return ::GetDlgItem(panel->GetSafeHwnd(), static_cast<int>(id)); }
    static bool Visible(CDialog* panel, UINT id) { return ::IsWindowVisible(Item(panel, id)) != FALSE; }
    static void Tick(CConnectErrDlg* panel)
    {
        ::SendMessageW(panel->GetSafeHwnd(), WM_TIMER, CConnectErrDlg::kTimerId, 0);
    }
    static CString CountdownText(int seconds)
    {
        CString text;
        text.Format(ResourceText(IDS_RECONNECT_COUNTDOWN), CReconnectCountdown::FormatTime(seconds).GetString());
        return text;
    }

    testsupport::ResourceModuleScope resources_;
    std::wstring profile_;
    TestLoginOwner* owner_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// The countdown's arithmetic

TEST(ReconnectCountdownTest, DelayGrowsWithTheAttempts)
{
    const struct {
        int attempt, seconds;
    } cases[] = {{1, 10}, {10, 10}, {11, 30}, {12, 60}, {13, 90}, {14, 120}, {40, 120}};
    for (const auto& c : cases)
        EXPECT_EQ(CReconnectCountdown::DelayForAttempt(c.attempt), c.seconds) << "attempt " << c.attempt;

    // Consecutive starts count the attempts; a reset starts again from the first.
    CReconnectCountdown countdown;
    std::vector<int> delays;
    for (int i = 0; i < 14; ++i)
        delays.push_back(countdown.Start(false));
    EXPECT_EQ(delays[9], 10);
    EXPECT_EQ(delays[10], 30);
    EXPECT_EQ(delays[13], 120);
    EXPECT_EQ(countdown.Start(true), 10);
    EXPECT_EQ(countdown.GetAttempts(), 1);
}

TEST(ReconnectCountdownTest, TimeTextHasMinutesAndTwoDigitSeconds)
{
    const struct {
        int seconds;
        const wchar_t* text;
    } cases[] = {{10, L"0:10"}, {9, L"0:09"}, {90, L"1:30"}, {120, L"2:00"}, {0, L"0:00"}};
    for (const auto& c : cases)
        EXPECT_EQ(CReconnectCountdown::FormatTime(c.seconds), CString(c.text)) << c.seconds;
}

TEST(ReconnectCountdownTest, TicksDownToARunOutAfterTheLastSecond)
{
    CReconnectCountdown countdown;
    EXPECT_EQ(countdown.Tick(), CReconnectCountdown::TICK_IDLE);
    countdown.Start(false);
    for (int left = 9; left >= 1; --left) {
        ASSERT_EQ(countdown.Tick(), CReconnectCountdown::TICK_SHOW);
        EXPECT_EQ(countdown.GetRemaining(), left);
    }
    EXPECT_EQ(countdown.Tick(), CReconnectCountdown::TICK_RUN_OUT);
    EXPECT_FALSE(countdown.IsRunning());
    EXPECT_EQ(countdown.Tick(), CReconnectCountdown::TICK_IDLE);
}

TEST(PanelLayoutTest, SizeClassFollowsTheClientHeight)
{
    const struct {
        int cy, sizeClass;
    } cases[] = {{600, 0}, {494, 0}, {493, 1}, {410, 1}, {409, 2}, {100, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(PanelSizeClass(c.cy), c.sizeClass) << c.cy;
}

// ---------------------------------------------------------------------------------------------
// The reconnect panel

TEST_F(ProgressPanels, CountdownShowsEachSecondAndSignsInWhenItRunsOut)
{
    CConnectErrDlg* panel = OpenReconnect();
    ASSERT_NE(panel, nullptr);
    panel->StartReconnectCountdown(1, 1);
    EXPECT_TRUE(panel->IsCounting());
    const HWND hText = Item(panel, IDC_STAGE_TEXT);
    EXPECT_EQ(WindowText(hText), CountdownText(10));
    for (int left = 9; left >= 1; --left) {
        Tick(panel);
        ASSERT_EQ(WindowText(hText), CountdownText(left));
    }
    testsupport::PumpMessages();
    EXPECT_EQ(owner_->loginStarts, 0);

    Tick(panel); // the tick after 0:01
    testsupport::PumpMessages();
    EXPECT_EQ(owner_->loginStarts, 1);
    EXPECT_TRUE(owner_->reconnectAttempt);
    EXPECT_FALSE(panel->IsCounting());
    EXPECT_EQ(WindowText(hText), CountdownText(1)) << "the label keeps its last second";

    // A timer that is not the countdown's changes nothing.
    ::SendMessageW(panel->GetSafeHwnd(), WM_TIMER, 4242, 0);
    testsupport::PumpMessages();
    EXPECT_EQ(owner_->loginStarts, 1);
}

TEST_F(ProgressPanels, CountdownRunsOnItsRealTimer)
{
    CConnectErrDlg* panel = OpenReconnect();
    ASSERT_NE(panel, nullptr);
    panel->StartReconnectCountdown(1, 1);
    const HWND hText = Item(panel, IDC_STAGE_TEXT);
    // One real second passes by the timer, not by the test.
    EXPECT_TRUE(testsupport::PumpUntil([&] { return WindowText(hText) == CountdownText(9); }, 4000));
}

TEST_F(ProgressPanels, ConsecutiveStartsWaitLongerAndAResetStartsOver)
{
    CConnectErrDlg* panel = OpenReconnect();
    ASSERT_NE(panel, nullptr);
    for (int i = 0; i < 10; ++i)
        panel->StartReconnectCountdown(1, 0);
    EXPECT_EQ(panel->GetCountdown().GetRemaining(), 10);
    panel->StartReconnectCountdown(1, 0);
    EXPECT_EQ(panel->GetCountdown().GetRemaining(), 30);
    EXPECT_EQ(WindowText(Item(panel, IDC_STAGE_TEXT)), CountdownText(30));
    for (int i = 0; i < 3; ++i)
        panel->StartReconnectCountdown(1, 0);
    EXPECT_EQ(panel->GetCountdown().GetAttempts(), 14);
    EXPECT_EQ(panel->GetCountdown().GetRemaining(), 120);

    panel->StartReconnectCountdown(0, 0);
    EXPECT_FALSE(panel->IsCounting());
    panel->StartReconnectCountdown(1, 1);
    EXPECT_EQ(panel->GetCountdown().GetAttempts(), 1);
    EXPECT_EQ(panel->GetCountdown().GetRemaining(), 10);
}

TEST_F(ProgressPanels, ReconnectNowSignsInAtOnceAndKeepsTheAttemptCount)
{
    CConnectErrDlg* panel = OpenReconnect();
    ASSERT_NE(panel, nullptr);
    panel->StartReconnectCountdown(1, 1);
    panel->StartReconnectCountdown(1, 0);
    ::SendMessageW(Item(panel, IDC_RECONNECT_NOW), BM_CLICK, 0, 0);
    testsupport::PumpMessages();
    EXPECT_EQ(owner_->loginStarts, 1);
    EXPECT_FALSE(owner_->reconnectAttempt) << "a sign-in the user asked for brings the window forward";
    EXPECT_FALSE(panel->IsCounting());
    panel->StartReconnectCountdown(1, 0);
    EXPECT_EQ(panel->GetCountdown().GetAttempts(), 3);
}

// Giving up signs out, and the sign-out destroys the panel: that happens after the button's
// handler has returned, and the countdown has stopped by then.
TEST_F(ProgressPanels, GiveUpStopsTheCountdownAndSignsOutAfterItsHandler)
{
    CConnectErrDlg* panel = OpenReconnect();
    ASSERT_NE(panel, nullptr);
    owner_->destroyReconnectPanelOnCancel = true;
    panel->StartReconnectCountdown(1, 1);
    const HWND hPanel = panel->GetSafeHwnd();
    ::SendMessageW(Item(panel, IDC_PANEL_CANCEL), BM_CLICK, 0, 0);
    EXPECT_EQ(owner_->loginCancels, 0) << "the sign-out is posted, not sent from inside the handler";
    EXPECT_FALSE(panel->IsCounting());
    testsupport::PumpMessages();
    EXPECT_EQ(owner_->loginCancels, 1);
    EXPECT_FALSE(::IsWindow(hPanel));
    EXPECT_EQ(owner_->pConnectErrDlg, nullptr);
    EXPECT_EQ(owner_->loginStarts, 0);
}

TEST_F(ProgressPanels, WithoutAnOwnerTheButtonsAndARunOutDoNothing)
{
    CConnectErrDlg* panel = OpenReconnect(false);
    ASSERT_NE(panel, nullptr);
    panel->StartReconnectCountdown(1, 1);
    ::SendMessageW(Item(panel, IDC_RECONNECT_NOW), BM_CLICK, 0, 0);
    ::SendMessageW(Item(panel, IDC_PANEL_CANCEL), BM_CLICK, 0, 0);
    for (int i = 0; i < 10; ++i)
        Tick(panel);
    testsupport::PumpMessages();
    EXPECT_EQ(owner_->loginStarts + owner_->loginCancels, 0);
    EXPECT_FALSE(panel->IsCounting());
}

TEST_F(ProgressPanels, PanelsCentreTheirControlsAndSetTheSizeClass)
{
    for (int which = 0; which < 2; ++which) {
        CDialog* panel = which == 0 ? static_cast<CDialog*>(OpenWait()) : static_cast<CDialog*>(OpenReconnect());
        ASSERT_NE(panel, nullptr);
        panel->MoveWindow(0, 0, 500, 450);
        testsupport::PumpMessages();
        RECT rc;
        ::GetWindowRect(Item(panel, IDC_PANEL_CANCEL), &rc);
        ::MapWindowPoints(nullptr, panel->GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_LE(std::abs((rc.left + rc.right) / 2 - 250), 1) << which;
        EXPECT_EQ(owner_->sizeClass, 1) << which;
        panel->MoveWindow(0, 0, 500, 520);
        EXPECT_EQ(owner_->sizeClass, 0) << which;
        panel->DestroyWindow();
        testsupport::PumpMessages();
        EXPECT_EQ(which == 0 ? owner_->pWaitDlg : owner_->pConnectErrDlg, nullptr)
            << "the panel tells its owner when it goes";
    }
}

// ---------------------------------------------------------------------------------------------
// The progress panel

TEST_F(ProgressPanels, EachStageShowsItsTextAndOnlyTheFinalOnesEndTheAttempt)
{
    owner_->updaterDone = true;
    const struct {
        int code;
        UINT text; // 0: the text stays
        bool ends;
        bool cancels;
    } cases[] = {
        {1, IDS_STAGE_CONNECTING, false, false}, {2, IDS_STAGE_CONNECTED, false, false},
        {3, IDS_STAGE_UNREACHABLE, true, true},  {5, IDS_STAGE_SIGNING_IN, false, false},
        {6, IDS_STAGE_CHECKING, false, false},   {7, IDS_STAGE_LOST, false, false},
        {8, IDS_STAGE_FAILED, true, true},       {9, IDS_STAGE_LOADING, false, false},
        {10, IDS_STAGE_CONTACTS, false, false},  {11, IDS_STAGE_SETTINGS, false, false},
        {13, 0, false, true},                    {20, IDS_STAGE_FAILED, true, true},
        {4, 0, false, false},                    {12, 0, false, false},
        {17, 0, false, false},                   {99, 0, false, false},
    };
    for (const auto& c : cases) {
        CKorvelLoginWaitDlg* panel = OpenWait();
        ASSERT_NE(panel, nullptr);
        const HWND hText = Item(panel, IDC_STAGE_TEXT);
        ::SetWindowTextW(hText, L"before");
        owner_->loginCancels = 0;
        panel->OnLoginProgress(c.code, 0);
        testsupport::PumpMessages();
        EXPECT_EQ(WindowText(hText), c.text ? ResourceText(c.text) : CString(L"before")) << "code " << c.code;
        EXPECT_EQ(panel->IsEnded(), c.ends) << "code " << c.code;
        EXPECT_EQ(Visible(panel, IDC_RETRY_LINK), c.ends) << "code " << c.code;
        EXPECT_EQ(Visible(panel, IDC_NET_CHECK_LINK), c.ends) << "code " << c.code;
        EXPECT_EQ(owner_->loginCancels, c.cancels ? 1 : 0) << "code " << c.code;
        if (c.ends) {
            EXPECT_EQ(WindowText(Item(panel, IDC_NET_CHECK_LINK)), ResourceText(IDS_NET_CHECK_LINK));
        }
        panel->DestroyWindow();
        testsupport::PumpMessages();
    }
}

// The waiting animation of a skin folder: "i.animation.wait" as a strip of six grey cells.
class WaitAnimationSkin {
public:
    WaitAnimationSkin()
    {
        dir_ = testsupport::TempDir(L"signin_wait_skin");
        testsupport::WriteStripBitmap(dir_ + L"\\wait.bmp", 6, 8);
        Write(dir_ + L"\\skin.xml", "<Skin>\n  <Font name=\"f.default\" face=\"Tahoma\" size=\"15\" default=\"true\"/>\n  <Image name=\"i.animation.wait\" file=\"wait.bmp\" frames=\"6\"/>\n</Skin>\n");
        added_ = provider_.SetPath(dir_.c_str()) && xDuiLib::UIGetResourceManager()->AddResourceProvider(&provider_, 0);
    }
    ~WaitAnimationSkin()
    {
        if (added_)
            xDuiLib::UIGetResourceManager()->RemoveResourceProvider(&provider_);
        testsupport::RemoveTree(dir_);
    }
    bool IsReady() const { return added_; }

private:
    static void Write(const std::wstring& path, const std::string& bytes)
    {
        HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(h);
    }
    std::wstring dir_;
    xDuiLib::CFileResourceProvider provider_;
    bool added_ = false;
};

TEST_F(ProgressPanels, StageTenStepsTheAnimationTwoFrames)
{
    WaitAnimationSkin skin;
    ASSERT_TRUE(skin.IsReady());
    CKorvelLoginWaitDlg* panel = OpenWait();
    ASSERT_NE(panel, nullptr);
    auto* strip = static_cast<CStripPicture*>(CWnd::FromHandle(Item(panel, IDC_WAIT_ANIMATION)));
    ASSERT_NE(strip, nullptr);
    ASSERT_GT(strip->GetFrameCount(), 2);
    const int before = strip->GetCurrentFrame();
    panel->OnLoginProgress(10, 0);
    const int after = strip->GetCurrentFrame();
    const int steps = (after - before + strip->GetFrameCount() - 1) % (strip->GetFrameCount() - 1);
    EXPECT_EQ(steps, 2) << before << " -> " << after;
}

// The first connection of the run asks the updater, in this order; later ones do not.
TEST_F(ProgressPanels, StageTwoAsksTheUpdaterOnlyBeforeTheFirstSignIn)
{
    CKorvelLoginWaitDlg* panel = OpenWait();
    ASSERT_NE(panel, nullptr);
    panel->OnLoginProgress(2, 0);
    const std::vector<std::wstring> calls = WqUpTest_GetCalls();
    const std::wstring work = CQorViewBaseFun::GetWorkDir().GetString();
    const std::vector<std::wstring> expected = {
        L"8()",
        L"5(" + std::wstring(ResourceText(IDS_PRODUCT_TITLE).GetString()) + L")",
        L"2(KorvelClient,41362)",
        L"3(KorvelVAddIn," + work + L"\\Addins\\[ItemName])",
        L"3(KorvelCAddIn," + work + L"\\Addins\\[ItemName])",
        L"3(KorvelSkin," + std::wstring(CQorViewBaseFun::GetMySkinFilePathInfo().GetString()) + L")",
        L"6(http://im.example.com:5222/Update)",
        L"1()=2",
    };
    EXPECT_EQ(calls, expected);
    testsupport::PumpMessages();
    EXPECT_EQ(owner_->exits, 0);

    WqUpTest_ClearCalls();
    owner_->updaterDone = true;
    panel->OnLoginProgress(2, 0);
    EXPECT_TRUE(WqUpTest_GetCalls().empty());
    EXPECT_EQ(WindowText(Item(panel, IDC_STAGE_TEXT)), ResourceText(IDS_STAGE_CONNECTED));
}

TEST_F(ProgressPanels, AnOfferedUpdateIsInstalledWhenTheUserAgreesAndAForcedOneAlways)
{
    const struct {
        int result;
        int answer; // of the question; 0: no question
        bool installs;
        const wchar_t* start;
    } cases[] = {
        {WQUP_UPDATE_OFFERED, IDOK, true, L"4(0)"},
        {WQUP_UPDATE_OFFERED, IDCANCEL, false, nullptr},
        {WQUP_UPDATE_FORCED, 0, true, L"4(1)"},
        {WQUP_CHECK_FAILED, 0, false, nullptr},
    };
    for (const auto& c : cases) {
        CKorvelLoginWaitDlg* panel = OpenWait();
        ASSERT_NE(panel, nullptr);
        WqUpTest_SetCheckResult(c.result);
        WqUpTest_ClearCalls();
        qorview_test::ClearCalls();
        if (c.answer)
            qorview_test::PushMessageBoxAnswer(c.answer);
        owner_->exits = 0;
        panel->OnLoginProgress(2, 0);
        testsupport::PumpMessages();
        EXPECT_EQ(qorview_test::CountCalls(L"QorMessageBox"), c.answer ? 1 : 0) << c.result;
        EXPECT_EQ(owner_->exits, c.installs ? 1 : 0) << c.result;
        const std::vector<std::wstring> calls = WqUpTest_GetCalls();
        if (c.installs) {
            ASSERT_GE(calls.size(), 2u);
            EXPECT_EQ(calls[calls.size() - 2].substr(0, 3), L"10(");
            EXPECT_EQ(calls.back(), c.start);
            EXPECT_FALSE(WqUpTest_GetAppPath().empty());
        } else {
            EXPECT_EQ(calls.back().substr(0, 3), L"1()");
        }
        panel->DestroyWindow();
        testsupport::PumpMessages();
    }
}

TEST_F(ProgressPanels, CancelAndTheOwnersGiveUpCancelTheUpdaterAndSignOut)
{
    for (bool byButton : {true, false}) {
        CKorvelLoginWaitDlg* panel = OpenWait();
        ASSERT_NE(panel, nullptr);
        owner_->loginCancels = 0;
        WqUpTest_ClearCalls();
        if (byButton)
            ::SendMessageW(Item(panel, IDC_PANEL_CANCEL), BM_CLICK, 0, 0);
        else
            ::PostMessageW(panel->GetSafeHwnd(), WM_LOGIN_WAIT_CANCEL, 0, 0);
        testsupport::PumpMessages();
        EXPECT_TRUE(panel->IsCancelled());
        EXPECT_EQ(owner_->loginCancels, 1);
        const std::vector<std::wstring> calls = WqUpTest_GetCalls();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), L"9()"), 1);
        panel->DestroyWindow();
        testsupport::PumpMessages();
    }
}

TEST_F(ProgressPanels, RetryHidesTheLinksAndSignsInAgainOnTheSameServer)
{
    CKorvelLoginWaitDlg* panel = OpenWait();
    ASSERT_NE(panel, nullptr);
    panel->OnLoginProgress(8, 0);
    testsupport::PumpMessages();
    ASSERT_TRUE(Visible(panel, IDC_RETRY_LINK));
    EXPECT_FALSE(panel->IsAttemptTimerRunning());

    // A real click on the link.
    RECT rc;
    ::GetClientRect(Item(panel, IDC_RETRY_LINK), &rc);
    ::SendMessageW(Item(panel, IDC_RETRY_LINK), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageW(Item(panel, IDC_RETRY_LINK), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(owner_->retries, 1);
    EXPECT_EQ(owner_->fields.nServerPort, 5222);
    EXPECT_FALSE(Visible(panel, IDC_RETRY_LINK));
    EXPECT_FALSE(Visible(panel, IDC_NET_CHECK_LINK));
    EXPECT_TRUE(panel->IsAttemptTimerRunning());
    EXPECT_TRUE(panel->IsEnded()) << "the end stays known after a retry";

    // A failure of the retry ends the attempt again.
    panel->OnLoginProgress(20, 0);
    EXPECT_FALSE(panel->IsAttemptTimerRunning());
    EXPECT_TRUE(Visible(panel, IDC_RETRY_LINK));
}

CString g_checkedServer;
int g_checkedPort = 0;
int g_netChecks = 0;
BYTE g_modalDuringCheck = 0;
void FakeNetCheck(CWnd*, const CString& strServer, int nPort)
{
    ++g_netChecks;
    g_checkedServer = strServer;
    g_checkedPort = nPort;
    g_modalDuringCheck = CQorViewMgr::Instance()->m_bModal;
}

HWND g_errorInfoWnd = nullptr;
CString g_errorInfoText;
BYTE g_modalDuringInfo = 0;
// Closes the error information dialog from inside its modal loop.
void CALLBACK CloseErrorInfo(HWND hWnd, UINT, UINT_PTR id, DWORD)
{
    HWND hDialog = ::FindWindowW(nullptr, L"Sign-in error");
    if (!hDialog)
        return;
    ::KillTimer(hWnd, id);
    g_errorInfoWnd = hDialog;
    g_errorInfoText = WindowText(::GetDlgItem(hDialog, IDC_ERROR_INFO_TEXT1));
    g_modalDuringInfo = CQorViewMgr::Instance()->m_bModal;
    ::SendMessageW(::GetDlgItem(hDialog, IDCANCEL), BM_CLICK, 0, 0);
}

TEST_F(ProgressPanels, TheSecondLinkOpensTheErrorInformationBeforeTheEndAndTheNetworkCheckAfter)
{
    CKorvelLoginWaitDlg::SetNetCheckRunner(&FakeNetCheck);
    CKorvelLoginWaitDlg* panel = OpenWait();
    ASSERT_NE(panel, nullptr);
    panel->SetErrorTexts(L"first text", CString());
    g_errorInfoWnd = nullptr;
    ::SetTimer(owner_->GetSafeHwnd(), 77, 20, &CloseErrorInfo);
    ::SendMessageW(panel->GetSafeHwnd(), WM_QORVIEW_SKIN_CLICK, reinterpret_cast<WPARAM>(Item(panel, IDC_NET_CHECK_LINK)), 0);
    EXPECT_NE(g_errorInfoWnd, nullptr);
    EXPECT_EQ(g_errorInfoText, CString(L"first text"));
    EXPECT_EQ(g_modalDuringInfo, 1);
    EXPECT_EQ(g_netChecks, 0);
    EXPECT_EQ(CQorViewMgr::Instance()->m_bModal, 0);

    panel->OnLoginProgress(3, 0);
    ::SendMessageW(panel->GetSafeHwnd(), WM_QORVIEW_SKIN_CLICK, reinterpret_cast<WPARAM>(Item(panel, IDC_NET_CHECK_LINK)), 0);
    EXPECT_EQ(g_netChecks, 1);
    EXPECT_EQ(g_checkedServer, CString(L"im.example.com"));
    EXPECT_EQ(g_checkedPort, 5222);
    EXPECT_EQ(g_modalDuringCheck, 1);
    EXPECT_EQ(CQorViewMgr::Instance()->m_bModal, 0);

    // Without an owner the links do nothing.
    panel->DestroyWindow();
    testsupport::PumpMessages();
    panel = OpenWait(false);
    ASSERT_NE(panel, nullptr);
    panel->OnLoginProgress(3, 0);
    ::SendMessageW(panel->GetSafeHwnd(), WM_QORVIEW_SKIN_CLICK, reinterpret_cast<WPARAM>(Item(panel, IDC_NET_CHECK_LINK)), 0);
    EXPECT_EQ(g_netChecks, 1);
}

// A company with its own logo file shows it; without one the default logo stands.
TEST_F(ProgressPanels, TheAddInLogoFollowsTheCompanyKey)
{
    const std::wstring logo = profile_ + L"\\acme.bmp";
    ASSERT_TRUE(testsupport::WriteStripBitmap(logo, 1, 16));
    const CString ini = CQorViewBaseFun::GetKorvelOptionFolder() + L"\\Korvel.ini";
    ASSERT_TRUE(::WritePrivateProfileStringW(L"CompanyLogo", L"acme", logo.c_str(), ini));
    CKorvelLoginWaitDlg* panel = OpenWait();
    ASSERT_NE(panel, nullptr);
    panel->UpdateAddInLogo(L"");
    EXPECT_EQ(panel->GetLogoType(), 0);
    panel->UpdateAddInLogo(L"acme");
    EXPECT_EQ(panel->GetLogoType(), 11);
    EXPECT_TRUE(panel->IsAddInLogoLoaded());
    panel->UpdateAddInLogo(L"unknown");
    EXPECT_EQ(panel->GetLogoType(), 0);
}

TEST_F(ProgressPanels, DestroyingThePanelCancelsTheUpdaterAndStopsItsTimer)
{
    CKorvelLoginWaitDlg* panel = OpenWait();
    ASSERT_NE(panel, nullptr);
    panel->OnLoginProgress(8, 0);
    ::SendMessageW(panel->GetSafeHwnd(), WM_QORVIEW_SKIN_CLICK, reinterpret_cast<WPARAM>(Item(panel, IDC_RETRY_LINK)), 0);
    ASSERT_TRUE(panel->IsAttemptTimerRunning());
    const HWND hPanel = panel->GetSafeHwnd();
    WqUpTest_ClearCalls();
    panel->DestroyWindow();
    testsupport::PumpMessages();
    EXPECT_FALSE(::IsWindow(hPanel));
    EXPECT_EQ(owner_->pWaitDlg, nullptr);
    const std::vector<std::wstring> calls = WqUpTest_GetCalls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), L"9()"), 1);
}

} // namespace
