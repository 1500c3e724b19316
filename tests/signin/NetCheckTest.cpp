// The network check as a real dialog under Wine: its worker runs the five checks against real
// loopback listeners, reports each step to the dialog, and never outlives it.
#include "framework/Platform.h"
#include "framework/FormatString.h"
#include "framework/ModuleState.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "signin/CNetCheckDlg.h"
#include "signin/IcmpEcho.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>

namespace {

CString WindowText(HWND hWnd)
{
    wchar_t buffer[512] = {};
    ::GetWindowTextW(hWnd, buffer, 512);
    return buffer;
}

CString Formatted(UINT nID)
{
    CString text;
    CString product = CQorViewBaseFun::LoadStringW(IDS_PRODUCT_TITLE);
    AfxFormatString2(text, nID, product, product);
    return text;
}

class NetCheck : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The core component's console is what step 2 creates.
        qorview_test::EnsureCoreRegistered();
        WSADATA wsa;
        ::WSAStartup(MAKEWORD(2, 2), &wsa);
        s_echoAllowed = PingHost(1, "127.0.0.1") != kPingNotAllowed;
        ::WSACleanup();
    }
    void SetUp() override
    {
        module_ = ::LoadLibraryW((testsupport::ExeDir() + L"\\QorResource.dll").c_str());
        ASSERT_NE(nullptr, module_);
        oldResource_ = AfxGetResourceHandle();
        AfxSetResourceHandle(module_);
    }
    void TearDown() override
    {
        AfxSetResourceHandle(oldResource_);
        ::FreeLibrary(module_);
    }

    // Opens the check (modeless, as a test can drive it) and waits for its end.
    bool RunCheck(CNetCheckDlg& dlg)
    {
        if (!dlg.Create(IDD_NET_CHECK, nullptr))
            return false;
        dlg.ShowWindow(SW_SHOW);
        return testsupport::PumpUntil([&] { return dlg.IsFinished(); }, 20000);
    }
    static HBITMAP Picture(CNetCheckDlg& dlg, UINT nID)
    {
        return reinterpret_cast<HBITMAP>(::SendDlgItemMessageW(dlg.GetSafeHwnd(), nID, STM_GETIMAGE, IMAGE_BITMAP, 0));
    }

    static bool s_echoAllowed;
    HMODULE module_ = nullptr;
    HINSTANCE oldResource_ = nullptr;
};
bool NetCheck::s_echoAllowed = true;

TEST_F(NetCheck, EachServerStopsAtTheStepThatFails)
{
    testsupport::LoopbackServer server;
    ASSERT_TRUE(server.Ok());
    const int refused = testsupport::RefusedPort();
    using S = CNetCheckDlg;
    const struct {
        const wchar_t* what;
        const wchar_t* address;
        int port;
        int lastStep;            // where the run ends (with echo requests allowed)
        S::StepState lastState;
        UINT text;
    } cases[] = {
        {L"a server that accepts", L"127.0.0.1", server.Port(), S::STEP_CONNECT, S::STATE_PASSED, IDS_NETCHECK_PASSED},
        {L"a port that refuses", L"127.0.0.1", refused, S::STEP_CONNECT, S::STATE_FAILED, IDS_NETCHECK_NO_CONNECT},
        {L"a name that does not resolve", L"no-such-host.invalid", server.Port(), S::STEP_ECHO, S::STATE_FAILED,
         IDS_NETCHECK_NO_ECHO},
        {L"no server address", L"", server.Port(), S::STEP_ECHO, S::STATE_FAILED, IDS_NETCHECK_NO_ECHO},
    };
    for (const auto& c : cases) {
        CNetCheckDlg dlg(nullptr, c.address, c.port);
        ASSERT_TRUE(RunCheck(dlg)) << c.what;
        int lastStep = c.lastStep;
        UINT text = c.text;
        if (!s_echoAllowed && c.address[0]) {
            // Without the right to send echo requests that step is skipped and the connection
            // decides: an unresolvable name fails there instead.
            EXPECT_EQ(S::STATE_SKIPPED, dlg.GetStepState(S::STEP_ECHO)) << c.what;
            lastStep = S::STEP_CONNECT;
            text = c.text == IDS_NETCHECK_PASSED ? IDS_NETCHECK_PASSED_NO_ECHO : IDS_NETCHECK_NO_CONNECT;
        }
        for (int step = S::STEP_CORE_REGISTERED; step < lastStep; ++step) {
            if (step != S::STEP_ECHO || s_echoAllowed) {
                EXPECT_EQ(S::STATE_PASSED, dlg.GetStepState(step)) << c.what << " step " << step;
            }
        }
        EXPECT_EQ(c.lastState, dlg.GetStepState(lastStep)) << c.what;
        for (int step = lastStep + 1; step <= S::STEP_CONNECT; ++step)
            EXPECT_EQ(S::STATE_NONE, dlg.GetStepState(step)) << c.what << " step " << step;
        EXPECT_EQ(Formatted(text), WindowText(::GetDlgItem(dlg.GetSafeHwnd(), IDC_NETCHECK_STATUS))) << c.what;
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.GetSafeHwnd(), IDCANCEL))) << c.what;
        // The failed step shows the red picture, a step not run keeps the template's empty one.
        HBITMAP failed = Picture(dlg, IDC_NETCHECK_CONNECT);
        EXPECT_EQ(dlg.GetStepState(S::STEP_CONNECT) == S::STATE_NONE, failed == nullptr) << c.what;
        if (c.port == refused) {
            ::UpdateWindow(dlg.GetSafeHwnd());
            testsupport::SaveScreenshot(testsupport::ExeDir() + L"\\netcheck_failed.bmp", dlg.GetSafeHwnd());
        }
        dlg.DestroyWindow();
    }
    EXPECT_TRUE(testsupport::PumpUntil([&] { return server.Connections() >= 1; }));
}

TEST_F(NetCheck, PicturesAreTheResourceModulesBitmaps)
{
    CNetCheckDlg dlg(nullptr, L"127.0.0.1", testsupport::RefusedPort());
    ASSERT_TRUE(RunCheck(dlg));
    HBITMAP passed = Picture(dlg, IDC_NETCHECK_CORE);
    HBITMAP failed = Picture(dlg, IDC_NETCHECK_CONNECT);
    ASSERT_NE(nullptr, passed);
    ASSERT_NE(nullptr, failed);
    EXPECT_NE(passed, failed);
    BITMAP info = {};
    ASSERT_NE(0, ::GetObjectW(failed, sizeof(info), &info));
    EXPECT_EQ(16, info.bmWidth);
    EXPECT_EQ(Picture(dlg, IDC_NETCHECK_CONSOLE), passed);
    dlg.DestroyWindow();
}

// Closes the running check as soon as the network-address step has reported.
HHOOK g_hook = nullptr;
LRESULT CALLBACK CloseAfterStep3(int code, WPARAM wParam, LPARAM lParam)
{
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_USER + 1501 &&
        msg->wParam == CNetCheckDlg::STEP_NETWORK_ADDRESS)
        ::PostMessageW(msg->hwnd, WM_COMMAND, IDCANCEL, 0);
    return ::CallNextHookEx(g_hook, code, wParam, lParam);
}

TEST_F(NetCheck, ClosingWhileTheWorkerRunsWaitsForItWithoutHanging)
{
    // A documentation address nobody answers: the echo step would wait five seconds.
    CNetCheckDlg dlg(nullptr, L"198.51.100.7", testsupport::RefusedPort());
    g_hook = ::SetWindowsHookExW(WH_GETMESSAGE, &CloseAfterStep3, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, g_hook);
    INT_PTR result = dlg.DoModal();
    ::UnhookWindowsHookEx(g_hook);
    EXPECT_EQ(IDCANCEL, result);
    // The worker has ended: it no longer holds its lock, and the steps after the close never ran.
    EXPECT_FALSE(dlg.IsWorkerRunning());
    EXPECT_TRUE(dlg.IsCancelled());
    EXPECT_NE(CNetCheckDlg::STATE_PASSED, dlg.GetStepState(CNetCheckDlg::STEP_CONNECT));
}

} // namespace
