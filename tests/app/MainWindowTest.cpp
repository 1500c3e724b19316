// The main window frame under Wine: created from template 15033 with the sign-in panel over its
// client area, its set-up, layout, timers, private messages and way out.
#include "app/CAutoHide.h"
#include "app/KorvelMessages.h"
#include "msgcenter/manager/CMsgFolderTree.h"
#include "msgcenter/manager/CQorMsgManagerDlg.h"
#include "platform/QorView/CQorViewMgr.h"
#include "tests/app/MainWindowFixture.h"
#include <commctrl.h>
#include <cstddef>
#include <vector>

namespace {

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

    ASSERT_NE(m_pDlg->GetPanels().GetLoginPanel(), nullptr);
    HWND hPanel = m_pDlg->GetPanels().GetLoginPanel()->GetSafeHwnd();
    ASSERT_TRUE(::IsWindow(hPanel));
    EXPECT_EQ(::GetParent(hPanel), hMain);
    EXPECT_TRUE(::IsWindowVisible(hPanel));
    EXPECT_NE(::GetDlgItem(hPanel, IDC_USER_EDIT), nullptr);
    EXPECT_NE(::GetDlgItem(hPanel, IDC_LOGIN_BUTTON), nullptr);
    RECT panel, client = testsupport::ClientRectOnScreen(hMain);
    ::GetWindowRect(hPanel, &panel);
    EXPECT_TRUE(::EqualRect(&panel, &client));

    // The three COM objects went to the view library, the skin was set up, the tray icon added.
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::SetConsole"), L"set");
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::SetCoreCallback"), L"set");
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::SetAppCallback"), L"set");
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::InitSkin"), 1);
    EXPECT_EQ(s_nTrayAdds, 1);
    EXPECT_EQ(m_pDlg->GetTrayRetryTimer(), 0u);
    EXPECT_EQ(m_pDlg->GetSignIn().GetLoginState(), 3);
    EXPECT_EQ(m_pDlg->GetDialogStyleFlags(), 0);

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
    HWND hPanel = m_pDlg->GetPanels().GetLoginPanel()->GetSafeHwnd();
    ::SetWindowPos(hMain, nullptr, 40, 30, 360, 720, SWP_NOZORDER);
    testsupport::PumpMessages();
    RECT client;
    ::GetClientRect(hMain, &client);
    EXPECT_EQ(m_pDlg->GetLastClientSize().cx, client.right);
    EXPECT_EQ(m_pDlg->GetLastClientSize().cy, client.bottom);
    RECT panel, clientScreen = testsupport::ClientRectOnScreen(hMain);
    ::GetWindowRect(hPanel, &panel);
    EXPECT_TRUE(::EqualRect(&panel, &clientScreen));
    EXPECT_NE(qorview_test::CountCalls(L"CQorViewMgr::SetSize"), 0);

    qorview_test::ClearCalls();
    ::SendMessageW(hMain, WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(10, 10));
    EXPECT_EQ(m_pDlg->GetLastClientSize().cx, client.right);
    EXPECT_EQ(m_pDlg->GetLastClientSize().cy, client.bottom);
    RECT after;
    ::GetWindowRect(hPanel, &after);
    EXPECT_TRUE(::EqualRect(&panel, &after));
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::SetSize"), 0);
}

namespace {

// The main window in one static slot, counting its destructions, so that a second deletion
// is counted instead of corrupting the heap.
int g_mainDeletions = 0;
alignas(std::max_align_t) unsigned char g_mainSlot[1 << 16];

class CCountedMainDlg : public CKorvelBaseDlg {
public:
    static void* operator new(size_t size)
    {
        EXPECT_LE(size, sizeof(g_mainSlot));
        return g_mainSlot;
    }
    static void operator delete(void*) {}
    ~CCountedMainDlg() override { ++g_mainDeletions; }
};

} // namespace

TEST_F(MainWindowFixture, MainWindowWhoseCreationFailsIsDeletedOnceByStartUp)
{
    // Start-up's order: the application knows the window before it is created, and deletes
    // it when the creation fails. Here a control of the template cannot be made.
    CKorvelApp& app = apptest::App();
    g_mainDeletions = 0;
    const std::vector<WORD> badTemplate = testsupport::TemplateWithUnknownControl();
    auto* pDlg = new CCountedMainDlg();
    app.m_pMainDlg = pDlg;
    EXPECT_FALSE(pDlg->CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(badTemplate.data()), nullptr));
    EXPECT_EQ(0, g_mainDeletions) << "the window's own end must not delete what start-up still holds";
    EXPECT_EQ(nullptr, pDlg->GetSafeHwnd());
    delete pDlg;
    app.m_pMainDlg = nullptr;
    EXPECT_EQ(1, g_mainDeletions);
}

TEST_F(MainWindowFixture, NoTrayFlagCreatesNoIconAndNoRetryTimer)
{
    ASSERT_TRUE(CreateMain(0x04 | 0x20));
    EXPECT_EQ(s_nTrayAdds, 0);
    EXPECT_EQ(m_pDlg->GetTrayRetryTimer(), 0u);
    EXPECT_EQ(m_pDlg->GetDialogStyleFlags() & 0x200, 0x200);
}

TEST_F(MainWindowFixture, TrayLearnsWhetherTheUserIsSignedIn)
{
    ASSERT_TRUE(CreateMain());
    HWND hMain = m_pDlg->GetSafeHwnd();
    EXPECT_EQ(0, ::SendMessageW(hMain, WM_TRAY_QUERY_SIGNEDIN, 0, 0));
    m_pDlg->SetSignedIn(true);
    EXPECT_EQ(1, ::SendMessageW(hMain, WM_TRAY_QUERY_SIGNEDIN, 0, 0));
}

TEST_F(MainWindowFixture, RefusedTrayIconIsRetriedByItsTimer)
{
    s_bTrayAccepts = false;
    ASSERT_TRUE(CreateMain());
    EXPECT_EQ(s_nTrayAdds, 1);
    ASSERT_EQ(m_pDlg->GetTrayRetryTimer(), static_cast<UINT_PTR>(TIMER_TRAY_RETRY));

    // Still refused: the timer stays.
    ::SendMessageW(m_pDlg->GetSafeHwnd(), WM_TIMER, TIMER_TRAY_RETRY, 0);
    EXPECT_EQ(m_pDlg->GetTrayRetryTimer(), static_cast<UINT_PTR>(TIMER_TRAY_RETRY));
    EXPECT_EQ(s_nTrayAdds, 2);

    s_bTrayAccepts = true;
    ::SendMessageW(m_pDlg->GetSafeHwnd(), WM_TIMER, TIMER_TRAY_RETRY, 0);
    EXPECT_EQ(m_pDlg->GetTrayRetryTimer(), 0u);
    EXPECT_EQ(s_nTrayAdds, 3);
    EXPECT_FALSE(m_pDlg->GetTrayStatus().GetTrayIcon().IsRemoved());
    // Another tick of the old id does nothing more.
    int adds = s_nTrayAdds;
    ::SendMessageW(m_pDlg->GetSafeHwnd(), WM_TIMER, TIMER_TRAY_RETRY, 0);
    EXPECT_EQ(s_nTrayAdds, adds);
}

TEST(TrayImageTest, EachStatusHasItsImage)
{
    const struct { int status, image; } cases[] = {
        {1, 0}, {4, 1}, {3, 2}, {6, 3}, {5, 4}, {7, 4}, {8, 5}, {0, 0}, {2, 0}, {99, 0}, {-1, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CTrayStatus::ImageForStatus(c.status), c.image) << "status " << c.status;
}

// Once the retried tray icon is there, it shows the image of the user's current status.
TEST_F(MainWindowFixture, RetriedTrayIconTakesTheImageOfTheCurrentStatus)
{
    s_bTrayAccepts = false;
    ASSERT_TRUE(CreateMain());
    ASSERT_EQ(m_pDlg->GetTrayRetryTimer(), static_cast<UINT_PTR>(TIMER_TRAY_RETRY));
    HICON hProgramIcon = m_pDlg->GetTrayStatus().GetTrayIcon().GetIcon();

    ASSERT_TRUE(UseColourStrip());
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    const int savedStatus = pMgr->m_nUserStatus;
    pMgr->m_nUserStatus = 6; // image 3

    // Still refused: the icon keeps the program's image.
    ::SendMessageW(m_pDlg->GetSafeHwnd(), WM_TIMER, TIMER_TRAY_RETRY, 0);
    EXPECT_EQ(m_pDlg->GetTrayStatus().GetTrayIcon().GetIcon(), hProgramIcon);

    s_bTrayAccepts = true;
    ::SendMessageW(m_pDlg->GetSafeHwnd(), WM_TIMER, TIMER_TRAY_RETRY, 0);
    EXPECT_EQ(m_pDlg->GetTrayRetryTimer(), 0u);
    EXPECT_NE(m_pDlg->GetTrayStatus().GetTrayIcon().GetIcon(), hProgramIcon);
    EXPECT_EQ(IconColour(m_pDlg->GetTrayStatus().GetTrayIcon().GetIcon()), StatusColour(3));
    pMgr->m_nUserStatus = savedStatus;
}

TEST_F(MainWindowFixture, UnreadLoadTimerLoadsOnceAndStops)
{
    ASSERT_TRUE(CreateMain());
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    pMgr->m_nUnreadMark = 5;
    m_pDlg->StartUnreadLoad();
    ASSERT_EQ(m_pDlg->GetUnreadLoadTimer(), static_cast<UINT_PTR>(TIMER_UNREAD_LOAD));
    qorview_test::ClearCalls();

    ::SendMessageW(m_pDlg->GetSafeHwnd(), WM_TIMER, TIMER_UNREAD_LOAD, 0);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::LoadUnReadMsg"), 1);
    EXPECT_EQ(pMgr->m_nUnreadMark, 0);
    EXPECT_EQ(m_pDlg->GetUnreadLoadTimer(), 0u);

    // A late tick of the same id is not the unread load any more.
    ::SendMessageW(m_pDlg->GetSafeHwnd(), WM_TIMER, TIMER_UNREAD_LOAD, 0);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::LoadUnReadMsg"), 1);
}

TEST_F(MainWindowFixture, MinimisingSavesThePositionAndHides)
{
    ASSERT_TRUE(CreateMain());
    HWND hMain = m_pDlg->GetSafeHwnd();
    ::SetWindowPos(hMain, nullptr, 70, 60, 320, 640, SWP_NOZORDER);
    qorview_test::ClearCalls();
    ::SendMessageW(hMain, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    testsupport::PumpMessages();
    EXPECT_FALSE(::IsWindowVisible(hMain));
    EXPECT_FALSE(::IsIconic(hMain));
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewBaseFun::SaveKorvelBaseDlgPro"), L"70|60|320|640");
}

TEST_F(MainWindowFixture, DockedWindowStaysOnTopAndLeavesTheTopWhenUndocked)
{
    ASSERT_TRUE(CreateMain());
    HWND hMain = m_pDlg->GetSafeHwnd();
    auto topmost = [&] { return (::GetWindowLongPtrW(hMain, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    EXPECT_FALSE(topmost());
    m_pDlg->GetAutoHide().SetDockSide(CAutoHide::DOCK_TOP);
    ::SetWindowPos(hMain, nullptr, 50, 0, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    EXPECT_TRUE(topmost());
    m_pDlg->GetAutoHide().SetDockSide(CAutoHide::DOCK_NONE);
    ::SetWindowPos(hMain, nullptr, 50, 40, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    EXPECT_FALSE(topmost());
}

// Typing while the frame itself has the focus lands in the text box of the view library's panel;
// typing inside a child stays where it is, and without a panel the frame keeps the key.
TEST_F(MainWindowFixture, KeysOnTheFrameGoToThePanelTextBox)
{
    ASSERT_TRUE(CreateMain());
    HWND hMain = m_pDlg->GetSafeHwnd();
    // Signed in: the sign-in panel is gone and the view library's panel lies over the client area.
    m_pDlg->GetPanels().GetLoginPanel()->DestroyWindow();
    testsupport::PumpMessages();
    ASSERT_EQ(m_pDlg->GetPanels().GetLoginPanel(), nullptr);
    HWND hPanel = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 200, 200, hMain, nullptr, nullptr, nullptr);
    HWND hEdit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, hPanel, nullptr, nullptr,
                                   nullptr);
    ASSERT_TRUE(hPanel && hEdit);
    CWnd panel, edit;
    panel.Attach(hPanel);
    edit.Attach(hEdit);
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    testsupport::PumpMessages();
    MSG key = {hMain, WM_KEYDOWN, 'K', 0x00250001};
    MSG posted;

    // No panel yet: the key stays with the frame.
    m_pDlg->PreTranslateMessage(&key);
    EXPECT_NE(::GetFocus(), hEdit);
    EXPECT_FALSE(::PeekMessageW(&posted, hEdit, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));

    pMgr->m_pKorvelDlg = &panel;
    pMgr->m_pKorvelDlgEdit = &edit;
    EXPECT_TRUE(m_pDlg->PreTranslateMessage(&key));
    EXPECT_EQ(::GetFocus(), hEdit);
    ASSERT_TRUE(::PeekMessageW(&posted, hEdit, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_EQ(posted.wParam, static_cast<WPARAM>('K'));
    EXPECT_EQ(posted.lParam, key.lParam);

    // Focus inside another child: nothing is redirected.
    HWND hField = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 210, 100, 20, hMain, nullptr, nullptr,
                                    nullptr);
    ASSERT_NE(hField, nullptr);
    ::SetFocus(hField);
    MSG fieldKey = {hField, WM_KEYDOWN, 'K', 0x00250001};
    m_pDlg->PreTranslateMessage(&fieldKey);
    EXPECT_EQ(::GetFocus(), hField);
    EXPECT_FALSE(::PeekMessageW(&posted, hEdit, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));

    pMgr->m_pKorvelDlg = nullptr;
    pMgr->m_pKorvelDlgEdit = nullptr;
    edit.Detach();
    panel.Detach();
    ::DestroyWindow(hPanel);
    ::DestroyWindow(hField);
}

// A work-area change pulls a visible window that hangs over the bottom or the top back onto it;
// a hidden window or another setting is left where it is.
TEST_F(MainWindowFixture, WorkAreaChangeKeepsTheVisibleWindowOnIt)
{
    ASSERT_TRUE(CreateMain());
    HWND hMain = m_pDlg->GetSafeHwnd();
    RECT work;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    RECT rc;

    ::SetWindowPos(hMain, nullptr, 100, work.bottom - 300, 300, 650, SWP_NOZORDER);
    ::SendMessageW(hMain, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    ::GetWindowRect(hMain, &rc);
    EXPECT_EQ(rc.top, work.bottom - 300);

    ::ShowWindow(hMain, SW_HIDE);
    ::SendMessageW(hMain, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    ::GetWindowRect(hMain, &rc);
    EXPECT_EQ(rc.top, work.bottom - 300);

    ::ShowWindow(hMain, SW_SHOW);
    ::SendMessageW(hMain, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    ::GetWindowRect(hMain, &rc);
    EXPECT_EQ(rc.bottom, work.bottom);
    EXPECT_EQ(rc.left, 100);
    EXPECT_EQ(rc.bottom - rc.top, 650);

    ::SetWindowPos(hMain, nullptr, 100, work.top - 40, 300, 650, SWP_NOZORDER);
    ::SendMessageW(hMain, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    ::GetWindowRect(hMain, &rc);
    EXPECT_EQ(rc.top, work.top);
    EXPECT_EQ(rc.bottom - rc.top, 650);

    // At the screen's left edge (left 0) the window is not the frame's to move.
    ::SetWindowPos(hMain, nullptr, 0, work.bottom - 300, 300, 650, SWP_NOZORDER);
    ::SendMessageW(hMain, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    ::GetWindowRect(hMain, &rc);
    EXPECT_EQ(rc.top, work.bottom - 300);
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

    m_pDlg->GetAutoHide().SetDockSide(CAutoHide::DOCK_LEFT);
    m_pDlg->GetAutoHide().SetSavedHeight(600);
    EXPECT_EQ(::SendMessageW(hMain, WM_USER + 612, 0, 0), 1);
    ::GetWindowRect(hMain, &after);
    EXPECT_EQ(after.left, 8);
    EXPECT_EQ(after.top, 8);
    EXPECT_EQ(after.bottom - after.top, 600);

    // Docked right: the right edge 8 from the screen's; docked top: only the top moves.
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    m_pDlg->GetAutoHide().SetDockSide(CAutoHide::DOCK_RIGHT);
    m_pDlg->GetAutoHide().SetSavedHeight(620);
    EXPECT_EQ(::SendMessageW(hMain, WM_USER + 612, 0, 0), 1);
    ::GetWindowRect(hMain, &after);
    EXPECT_EQ(after.right, screenWidth - 8);
    EXPECT_EQ(after.top, 8);
    EXPECT_EQ(after.bottom - after.top, 620);

    ::SetWindowPos(hMain, nullptr, 100, 0, 300, 650, SWP_NOZORDER);
    m_pDlg->GetAutoHide().SetDockSide(CAutoHide::DOCK_TOP);
    EXPECT_EQ(::SendMessageW(hMain, WM_USER + 612, 0, 0), 1);
    ::GetWindowRect(hMain, &after);
    EXPECT_EQ(after.left, 100);
    EXPECT_EQ(after.top, 8);
    EXPECT_EQ(after.bottom - after.top, 650);

    // Docked at a side before any height was kept: the window keeps its height.
    m_pDlg->GetAutoHide().SetDockSide(CAutoHide::DOCK_LEFT);
    m_pDlg->GetAutoHide().SetSavedHeight(0);
    EXPECT_EQ(::SendMessageW(hMain, WM_USER + 612, 0, 0), 1);
    ::GetWindowRect(hMain, &after);
    EXPECT_EQ(after.left, 8);
    EXPECT_EQ(after.bottom - after.top, 650);
    m_pDlg->GetAutoHide().SetDockSide(CAutoHide::DOCK_NONE);
}

TEST_F(MainWindowFixture, AccountSignedInElsewhereShowsABoxNamingServerAndAccount)
{
    ASSERT_TRUE(CreateMain());
    LoginFields fields = m_pDlg->GetLoginFields();
    fields.strServerAddr = L"im.example.com";
    fields.strLoginName = L"ann";
    m_pDlg->SetLoginFields(fields);
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

TEST_F(MainWindowFixture, MessageCentreIsMadeOnceShownAndHandedEachRequest)
{
    ASSERT_TRUE(CreateMain());
    HWND hMain = m_pDlg->GetSafeHwnd();
    const wchar_t unread[] = L"CONTACT_UNREAD";
    EXPECT_EQ(::SendMessageW(hMain, WM_USER + 604, reinterpret_cast<WPARAM>(unread), 0), 0);
    auto* pCenter = static_cast<CQorMsgManagerDlg*>(m_pDlg->GetMsgCenter());
    ASSERT_NE(pCenter, nullptr);
    HWND hCenter = pCenter->GetSafeHwnd();
    EXPECT_TRUE(::IsWindowVisible(hCenter));
    EXPECT_EQ(::GetParent(hCenter) ? ::GetParent(hCenter) : ::GetWindow(hCenter, GW_OWNER), hMain);
    CMsgFolderTree& folders = pCenter->GetFolders();
    EXPECT_EQ(folders.GetImage(folders.Tree().GetSelectedItem()), CMsgFolderTree::kUnreadByRecipients);

    // The second request reuses the window, restored from the task bar, and opens what it asks.
    ::ShowWindow(hCenter, SW_MINIMIZE);
    const wchar_t person[] = L"bob;Bob Stone";
    ::SendMessageW(hMain, WM_USER + 604, reinterpret_cast<WPARAM>(person), 0);
    EXPECT_EQ(m_pDlg->GetMsgCenter(), pCenter);
    EXPECT_FALSE(::IsIconic(hCenter));
    EXPECT_EQ(folders.Tree().GetItemText(folders.Tree().GetSelectedItem()), CString(L"Bob Stone"));

    // Closed, the centre deletes itself and the main window forgets it; the next request makes
    // a new one.
    ::SendMessageW(hCenter, WM_CLOSE, 0, 0);
    testsupport::PumpMessages();
    EXPECT_FALSE(::IsWindow(hCenter));
    EXPECT_EQ(m_pDlg->GetMsgCenter(), nullptr);
    ::SendMessageW(hMain, WM_USER + 604, 0, 0);
    ASSERT_NE(m_pDlg->GetMsgCenter(), nullptr);
    EXPECT_TRUE(::IsWindow(m_pDlg->GetMsgCenter()->GetCenterHwnd()));
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
        app.HandSignInFields(dlg);
        const LoginFields fields = dlg.GetLoginFields();
        EXPECT_TRUE(fields.strLoginName.IsEmpty());
        EXPECT_TRUE(fields.strPassword.IsEmpty());
        EXPECT_TRUE(fields.strServerAddr.IsEmpty());
        EXPECT_EQ(fields.nServerPort, 0);
        EXPECT_EQ(fields.nPasswordType, 0);
    }
    app.ParseStartupArgs(L"loginname=ann");
    CKorvelBaseDlg dlg;
    app.HandSignInFields(dlg);
    const LoginFields fields = dlg.GetLoginFields();
    EXPECT_EQ(fields.strLoginName, CString(L"ann"));
    EXPECT_EQ(fields.strPassword, CString(L"p=w"));
    EXPECT_EQ(fields.nPasswordType, 1);
    EXPECT_EQ(fields.strServerAddr, CString(L"im.example.com"));
    EXPECT_EQ(fields.nServerPort, 7000);
}
