// The main window frame under Wine: created from template 15033 with the sign-in panel over its
// client area, its set-up, layout, timers, private messages and way out.
#include "app/CAutoHide.h"
#include "app/KorvelMessages.h"
#include "tests/app/MainWindowFixture.h"

namespace {

RECT ClientInScreen(HWND hWnd)
{
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

std::wstring WindowText(HWND hWnd)
{
    wchar_t buf[256] = {};
    ::GetWindowTextW(hWnd, buf, 256);
    return buf;
}

} // namespace

TEST_F(MainWindowFixture, CreatedFromItsTemplateWithTheSignInPanelOverTheClientArea)
{
    ASSERT_TRUE(CreateMain());
    HWND hMain = m_pDlg->GetSafeHwnd();
    // The sign-in panel titles its frame with the company name, or the product name without one.
    EXPECT_EQ(WindowText(hMain), L"Korvel");
    LONG_PTR ex = ::GetWindowLongPtrW(hMain, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(ex & WS_EX_APPWINDOW);
    EXPECT_NE(::SendMessageW(hMain, WM_GETICON, ICON_BIG, 0), 0);

    ASSERT_NE(m_pDlg->m_pLoginDlg, nullptr);
    HWND hPanel = m_pDlg->m_pLoginDlg->GetSafeHwnd();
    ASSERT_TRUE(::IsWindow(hPanel));
    EXPECT_EQ(::GetParent(hPanel), hMain);
    EXPECT_TRUE(::IsWindowVisible(hPanel));
    EXPECT_NE(::GetDlgItem(hPanel, IDC_USER_EDIT), nullptr);
    EXPECT_NE(::GetDlgItem(hPanel, IDC_LOGIN_BUTTON), nullptr);
    RECT panel, client = ClientInScreen(hMain);
    ::GetWindowRect(hPanel, &panel);
    EXPECT_TRUE(::EqualRect(&panel, &client));

    // The three COM objects went to the view library, the skin was set up, the tray icon added.
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::SetConsole"), L"set");
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::SetCoreCallback"), L"set");
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::SetAppCallback"), L"set");
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::InitSkin"), 1);
    EXPECT_EQ(s_nTrayAdds, 1);
    EXPECT_EQ(m_pDlg->m_nTrayRetryTimer, 0u);
    EXPECT_EQ(m_pDlg->m_nLoginState, 3);
    EXPECT_EQ(m_pDlg->m_nDlgStyleFlags, 0);

    // The minimum tracking size is applied at once.
    RECT rc;
    ::GetWindowRect(hMain, &rc);
    SIZE minimum = m_pDlg->GetMinimumSize();
    EXPECT_GE(rc.right - rc.left, minimum.cx);
    EXPECT_GE(rc.bottom - rc.top, minimum.cy);
    // The sign-in panel enables the frame's maximum size when it starts.
    EXPECT_TRUE(m_pDlg->IsMaximumSizeEnabled());

    testsupport::SaveScreenshot(testsupport::ExeDir() + L"\\app_main_window.bmp", hMain);
}

TEST_F(MainWindowFixture, ResizingLaysThePanelOverTheNewClientAreaButMinimisingDoesNot)
{
    ASSERT_TRUE(CreateMain());
    HWND hMain = m_pDlg->GetSafeHwnd();
    HWND hPanel = m_pDlg->m_pLoginDlg->GetSafeHwnd();
    ::SetWindowPos(hMain, nullptr, 40, 30, 360, 720, SWP_NOZORDER);
    testsupport::PumpMessages();
    RECT client;
    ::GetClientRect(hMain, &client);
    EXPECT_EQ(m_pDlg->m_cx, client.right);
    EXPECT_EQ(m_pDlg->m_cy, client.bottom);
    RECT panel, clientScreen = ClientInScreen(hMain);
    ::GetWindowRect(hPanel, &panel);
    EXPECT_TRUE(::EqualRect(&panel, &clientScreen));
    EXPECT_NE(qorview_test::CountCalls(L"CQorViewMgr::SetSize"), 0);

    qorview_test::ClearCalls();
    ::SendMessageW(hMain, WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(10, 10));
    EXPECT_EQ(m_pDlg->m_cx, client.right);
    EXPECT_EQ(m_pDlg->m_cy, client.bottom);
    RECT after;
    ::GetWindowRect(hPanel, &after);
    EXPECT_TRUE(::EqualRect(&panel, &after));
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::SetSize"), 0);
}

TEST_F(MainWindowFixture, NoTrayFlagCreatesNoIconAndNoRetryTimer)
{
    ASSERT_TRUE(CreateMain(0x04 | 0x20));
    EXPECT_EQ(s_nTrayAdds, 0);
    EXPECT_EQ(m_pDlg->m_nTrayRetryTimer, 0u);
    EXPECT_EQ(m_pDlg->m_nDlgStyleFlags & 0x200, 0x200);
}

TEST_F(MainWindowFixture, RefusedTrayIconIsRetriedByItsTimer)
{
    s_bTrayAccepts = false;
    ASSERT_TRUE(CreateMain());
    EXPECT_EQ(s_nTrayAdds, 1);
    ASSERT_EQ(m_pDlg->m_nTrayRetryTimer, static_cast<UINT_PTR>(TIMER_TRAY_RETRY));

    // Still refused: the timer stays.
    ::SendMessageW(m_pDlg->GetSafeHwnd(), WM_TIMER, TIMER_TRAY_RETRY, 0);
    EXPECT_EQ(m_pDlg->m_nTrayRetryTimer, static_cast<UINT_PTR>(TIMER_TRAY_RETRY));
    EXPECT_EQ(m_pDlg->m_nTrayRetries, 1);

    s_bTrayAccepts = true;
    ::SendMessageW(m_pDlg->GetSafeHwnd(), WM_TIMER, TIMER_TRAY_RETRY, 0);
    EXPECT_EQ(m_pDlg->m_nTrayRetryTimer, 0u);
    EXPECT_EQ(m_pDlg->m_nTrayRetries, 2);
    // Another tick of the old id does nothing more.
    int adds = s_nTrayAdds;
    ::SendMessageW(m_pDlg->GetSafeHwnd(), WM_TIMER, TIMER_TRAY_RETRY, 0);
    EXPECT_EQ(s_nTrayAdds, adds);
}

TEST_F(MainWindowFixture, BackIntoTheScreenOnlyWhenDocked)
{
    ASSERT_TRUE(CreateMain());
    HWND hMain = m_pDlg->GetSafeHwnd();
    ::SetWindowPos(hMain, nullptr, 100, 120, 300, 650, SWP_NOZORDER);
    RECT before, after;
    ::GetWindowRect(hMain, &before);
    EXPECT_EQ(::SendMessageW(hMain, WM_USER + 612, 0, 0), 0);
    ::GetWindowRect(hMain, &after);
    EXPECT_TRUE(::EqualRect(&before, &after));

    m_pDlg->m_AutoHide.SetDockSide(CAutoHide::DOCK_LEFT);
    m_pDlg->m_AutoHide.SetSavedHeight(600);
    EXPECT_EQ(::SendMessageW(hMain, WM_USER + 612, 0, 0), 1);
    ::GetWindowRect(hMain, &after);
    EXPECT_EQ(after.left, 8);
    EXPECT_EQ(after.top, 8);
    EXPECT_EQ(after.bottom - after.top, 600);
    m_pDlg->m_AutoHide.SetDockSide(CAutoHide::DOCK_NONE);
}

TEST_F(MainWindowFixture, AccountSignedInElsewhereShowsABoxNamingServerAndAccount)
{
    ASSERT_TRUE(CreateMain());
    m_pDlg->m_strServerAddr = L"im.example.com";
    m_pDlg->m_strLoginName = L"ann";
    qorview_test::ClearCalls();
    ::SendMessageW(m_pDlg->GetSafeHwnd(), WM_USER + 824, 0, 0);
    std::wstring args = qorview_test::LastArgs(L"QorMessageBox");
    EXPECT_NE(args.find(L"ann"), std::wstring::npos) << args;
    EXPECT_NE(args.find(L"im.example.com"), std::wstring::npos) << args;
    EXPECT_TRUE(::IsWindowVisible(m_pDlg->GetSafeHwnd()));
}

TEST_F(MainWindowFixture, ClosingHidesAndExitDestroysTheWindow)
{
    ASSERT_TRUE(CreateMain());
    HWND hMain = m_pDlg->GetSafeHwnd();
    ::SendMessageW(hMain, WM_CLOSE, 0, 0);
    testsupport::PumpMessages();
    EXPECT_TRUE(::IsWindow(hMain));
    EXPECT_FALSE(::IsWindowVisible(hMain));

    qorview_test::ClearCalls();
    ::PostMessageW(hMain, WM_USER + 2000, 0, 0);
    testsupport::PumpMessages();
    EXPECT_FALSE(::IsWindow(hMain));
    EXPECT_EQ(apptest::App().m_pMainDlg, nullptr); // the object deleted itself
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::StopAudioEnginee"), 1);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::ClearData"), 1);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewBaseFun::SaveKorvelBaseDlgPro"), 1);
    m_pDlg = nullptr;
}

TEST_F(MainWindowFixture, MessageCentreRequestWithoutTheCentreDoesNothing)
{
    ASSERT_TRUE(CreateMain());
    const wchar_t request[] = L"CONTACT_UNREAD;x";
    EXPECT_EQ(::SendMessageW(m_pDlg->GetSafeHwnd(), WM_USER + 604, reinterpret_cast<WPARAM>(request), 0), 0);
    EXPECT_EQ(m_pDlg->m_pMsgManagerDlg, nullptr);
}

TEST(RegisteredMessagesTest, RegisteredOnceByName)
{
    EXPECT_NE(g_uProtocolSendMsg, 0u);
    EXPECT_EQ(g_uProtocolSendMsg, ::RegisterWindowMessageW(L"WM_PROTOCOL_SEND_MSG"));
    EXPECT_EQ(g_uTaskbarCreatedMsg, ::RegisterWindowMessageW(L"TaskbarCreated"));
    EXPECT_EQ(g_uFileClientNotifyMsg, ::RegisterWindowMessageW(L"WM_FILE_CLIENT_NOTIFY"));
}

TEST(SignInFieldsTest, CommandLineFieldsReachTheMainWindowOnlyWithALoginName)
{
    CKorvelApp app;
    app.ParseStartupArgs(L"server=im.example.com&port=7000&password=p=w&pwdtype=1");
    {
        CKorvelBaseDlg dlg; // never created: only its fields are looked at
        app.HandSignInFields(&dlg);
        EXPECT_TRUE(dlg.m_strLoginName.IsEmpty());
        EXPECT_TRUE(dlg.m_strPassword.IsEmpty());
        EXPECT_TRUE(dlg.m_strServerAddr.IsEmpty());
        EXPECT_EQ(dlg.m_nServerPort, 0);
        EXPECT_EQ(dlg.m_nPasswordType, 0);
    }
    app.ParseStartupArgs(L"loginname=ann");
    CKorvelBaseDlg dlg;
    app.HandSignInFields(&dlg);
    EXPECT_EQ(dlg.m_strLoginName, CString(L"ann"));
    EXPECT_EQ(dlg.m_strPassword, CString(L"p=w"));
    EXPECT_EQ(dlg.m_nPasswordType, 1);
    EXPECT_EQ(dlg.m_strServerAddr, CString(L"im.example.com"));
    EXPECT_EQ(dlg.m_nServerPort, 7000);
}
