// The sign-in panel as a real child window of a main window under Wine: validation and the
// fields it hands to the main window, the check-box coupling, the server chooser, the status
// menu, and what it loads and saves through the view library's settings.
#include "framework/Platform.h"
#include "framework/CPaintDC.h"
#include "platform/QorView/CQorDlg.h"
#include "platform/QorView/CxFrameHelper.h"
#include "signin/LoginStore.h"
#include "tests/signin/LoginPanelFixture.h"
#include <gtest/gtest.h>

namespace {

// --- Validation and the hand-over to the main window ------------------------------------------

TEST_F(LoginPanel, EmptyUserNameOnlyFocusesTheUserBox)
{
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    panel->GetSettings().SetCurrentAddress(L"im.example", panel->GetSettings().GetCurrentPort());
    SetText(Control<CACEdit>(panel, IDC_USER_EDIT), L"");
    Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).SetFocus();
    Click(Control<CxButtonBase>(panel, IDC_LOGIN_BUTTON));
    EXPECT_EQ(Control<CACEdit>(panel, IDC_USER_EDIT).GetSafeHwnd(), ::GetFocus());
    EXPECT_EQ(0, qorview_test::CountCalls(L"QorMessageBox"));
    EXPECT_EQ(0, main_->loginStarts);
}

TEST_F(LoginPanel, EmptyServerAddressIsRefusedWithAWarning)
{
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    panel->GetSettings().SetCurrentAddress(CString(), panel->GetSettings().GetCurrentPort());
    SetText(Control<CACEdit>(panel, IDC_USER_EDIT), L"alice");
    EXPECT_FALSE(panel->StartLogin());
    ASSERT_EQ(1, qorview_test::CountCalls(L"QorMessageBox"));
    std::wstring args = qorview_test::LastArgs(L"QorMessageBox");
    EXPECT_EQ(0u, args.find(CQorViewBaseFun::LoadStringW(IDS_ENTER_SERVER).GetString())) << args;
    EXPECT_NE(std::wstring::npos, args.find(CQorViewBaseFun::LoadStringW(IDS_LOGIN_CAPTION).GetString()));
    testsupport::PumpMessages();
    EXPECT_EQ(0, main_->loginStarts);
    EXPECT_TRUE(main_->fields.strLoginName.IsEmpty());
}

TEST_F(LoginPanel, SignInCopiesTheFieldsAndPostsLoginStart)
{
    SaveServers({Server(L"im.example", L"Head office", 6661)});
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    ChooseServer(panel, 0);
    SetText(Control<CACEdit>(panel, IDC_USER_EDIT), L"alice  ");
    SetText(Control<CACEdit>(panel, IDC_PASSWORD_EDIT), L"s3cret");
    ::SendMessageW(panel->GetSafeHwnd(), WM_COMMAND, ID_LOGIN_STATUS_BUSY, 0);
    panel->GetSettings().SetLoginFlags(0x200);
    Click(Control<CxButtonBase>(panel, IDC_LOGIN_BUTTON));

    EXPECT_EQ(1, main_->loginStarts);
    EXPECT_EQ(CString(L"alice"), main_->fields.strLoginName); // sent without the trailing blanks...
    EXPECT_EQ(CString(L"alice  "), WindowText(Control<CACEdit>(panel, IDC_USER_EDIT).GetSafeHwnd())); // ...the box keeps them
    EXPECT_EQ(CString(L"s3cret"), main_->fields.strPassword);
    EXPECT_EQ(0, main_->fields.nPasswordType);
    EXPECT_EQ(CString(L"im.example"), main_->fields.strServerAddr);
    EXPECT_EQ(6661, main_->fields.nServerPort);
    EXPECT_EQ(CString(L"Head office"), main_->fields.strServerName);
    EXPECT_EQ(4, main_->fields.nLoginStatus);
    EXPECT_EQ(0x200, main_->fields.nLoginFlags);
}

TEST_F(LoginPanel, StatusMenuSetsTheStatusAndTheButtonText)
{
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    const struct {
        UINT command;
        int status;
    } cases[] = {{ID_LOGIN_STATUS_AWAY, 5}, {ID_LOGIN_STATUS_INVISIBLE, 6}, {ID_LOGIN_STATUS_DND, 8},
                 {ID_LOGIN_STATUS_BUSY, 4}, {ID_LOGIN_STATUS_ONLINE, 3}};
    for (const auto& c : cases) {
        ::SendMessageW(panel->GetSafeHwnd(), WM_COMMAND, c.command, 0);
        EXPECT_EQ(c.status, panel->GetSettings().GetStatus());
        EXPECT_EQ(c.status, Control<CxStatusButton>(panel, IDC_STATUS_BUTTON).GetIconStatus());
        EXPECT_EQ(CQorViewBaseFun::GetUserStatusStr(c.status), WindowText(Control<CxStatusButton>(panel, IDC_STATUS_BUTTON).GetSafeHwnd()));
    }
    EXPECT_EQ(CString(L"file='i.button.main.dlg.status.icons' source='55,0,66,11' align='2' "),
              Control<CxStatusButton>(panel, IDC_STATUS_BUTTON).GetMenuItemImage(ID_LOGIN_STATUS_BUSY));
}

TEST_F(LoginPanel, ErrorsShowTheTextAndFocusTheirField)
{
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    const struct {
        int code;
        HWND focus;
    } cases[] = {{10060, Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).GetSafeHwnd()},
                 {205, Control<CACEdit>(panel, IDC_USER_EDIT).GetSafeHwnd()},
                 {208, Control<CACEdit>(panel, IDC_PASSWORD_EDIT).GetSafeHwnd()}};
    for (const auto& c : cases) {
        Control<CxButtonBase>(panel, IDC_LOGIN_BUTTON).SetFocus();
        panel->ShowLoginError(TRUE, L"Sign-in failed", c.code);
        HWND focus = ::GetFocus();
        // The chooser's focus lies in its edit part.
        EXPECT_TRUE(focus == c.focus || ::GetParent(focus) == c.focus) << c.code;
        EXPECT_TRUE(Control<CxLabel>(panel, IDC_ERROR_TEXT).IsWindowVisible());
        EXPECT_TRUE(Control<CxLabel>(panel, IDC_ERROR_MARK).IsWindowVisible());
        EXPECT_EQ(CString(L"Sign-in failed"), WindowText(Control<CxLabel>(panel, IDC_ERROR_TEXT).GetSafeHwnd()));
    }
    // Another code moves no focus.
    Control<CxButtonBase>(panel, IDC_LOGIN_BUTTON).SetFocus();
    panel->ShowLoginError(TRUE, L"Other", 17);
    EXPECT_EQ(Control<CxButtonBase>(panel, IDC_LOGIN_BUTTON).GetSafeHwnd(), ::GetFocus());
    // An empty text hides the error but still focuses the field.
    panel->ShowLoginError(TRUE, L"", 205);
    EXPECT_FALSE(Control<CxLabel>(panel, IDC_ERROR_TEXT).IsWindowVisible());
    EXPECT_FALSE(Control<CxLabel>(panel, IDC_ERROR_MARK).IsWindowVisible());
    EXPECT_EQ(Control<CACEdit>(panel, IDC_USER_EDIT).GetSafeHwnd(), ::GetFocus());
}

TEST_F(LoginPanel, ALongErrorIsShownWholeAndTheRowsBelowMakeRoomForIt)
{
    CKorvelLoginDlg* panel = OpenPanelAtUserSize();
    ASSERT_NE(nullptr, panel);
    auto rectOf = [&](HWND hWnd) {
        RECT rc;
        ::GetWindowRect(hWnd, &rc);
        ::MapWindowPoints(HWND_DESKTOP, panel->GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    HWND label = Control<CxLabel>(panel, IDC_ERROR_TEXT).GetSafeHwnd();
    const RECT labelBefore = rectOf(label);
    const RECT userBefore = rectOf(Control<CACEdit>(panel, IDC_USER_EDIT).GetSafeHwnd());
    const RECT captionBefore = rectOf(Control<CxLabel>(panel, IDC_USER_CAPTION).GetSafeHwnd());
    const RECT loginBefore = rectOf(Control<CxButtonBase>(panel, IDC_LOGIN_BUTTON).GetSafeHwnd());
    const RECT netBefore = rectOf(Control<CxButtonBase>(panel, IDC_NET_SETTINGS).GetSafeHwnd());

    // The error of a server that took the connection and never answered, as the sign-in road
    // words it.
    CString coreText, extra;
    CQorViewMgr::Instance()->GetQorCoreErrorInfo(943, coreText, extra);
    const CString text = L"Sign-in failed: " + coreText;
    panel->ShowLoginError(TRUE, text, 943);
    testsupport::PumpMessages();

    // Every line of it fits in the label: measured as the label wraps it.
    const RECT shown = rectOf(label);
    RECT needed = {0, 0, shown.right - shown.left, 0};
    HDC hdc = ::GetDC(label);
    HGDIOBJ old = ::SelectObject(hdc, reinterpret_cast<HGDIOBJ>(::SendMessageW(label, WM_GETFONT, 0, 0)));
    ::DrawTextW(hdc, text, text.GetLength(), &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(hdc, &tm);
    ::SelectObject(hdc, old);
    ::ReleaseDC(label, hdc);
    EXPECT_GE(needed.bottom, 2 * tm.tmHeight) << "the text should need more than one line";
    EXPECT_GE(shown.bottom - shown.top, needed.bottom);
    EXPECT_EQ(CString(text), WindowText(label));
    // What lay below the error row moved down by what it grew, and covers none of it; the
    // buttons at the bottom edge stayed.
    const int grown = (shown.bottom - shown.top) - (labelBefore.bottom - labelBefore.top);
    EXPECT_EQ(rectOf(Control<CACEdit>(panel, IDC_USER_EDIT).GetSafeHwnd()).top - userBefore.top, grown);
    EXPECT_EQ(rectOf(Control<CxButtonBase>(panel, IDC_LOGIN_BUTTON).GetSafeHwnd()).top - loginBefore.top, grown);
    EXPECT_GE(rectOf(Control<CxLabel>(panel, IDC_USER_CAPTION).GetSafeHwnd()).top, shown.bottom);
    EXPECT_EQ(rectOf(Control<CxButtonBase>(panel, IDC_NET_SETTINGS).GetSafeHwnd()).top, netBefore.top);
    ::UpdateWindow(main_->GetSafeHwnd());
    testsupport::PumpMessages();
    testsupport::SaveScreenshot(testsupport::ExeDir() + L"\\signin_long_error.bmp", main_->GetSafeHwnd());

    // Once the error goes, so does the room it took.
    panel->ShowLoginError(FALSE, CString(), 0);
    EXPECT_EQ(rectOf(Control<CACEdit>(panel, IDC_USER_EDIT).GetSafeHwnd()).top, userBefore.top);
    EXPECT_EQ(rectOf(Control<CxLabel>(panel, IDC_USER_CAPTION).GetSafeHwnd()).top, captionBefore.top);
    EXPECT_EQ(rectOf(Control<CxButtonBase>(panel, IDC_LOGIN_BUTTON).GetSafeHwnd()).top, loginBefore.top);
}

// --- Check boxes ---------------------------------------------------------------------------

TEST_F(LoginPanel, AutomaticSignInChecksTheOtherTwo)
{
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    Control<CxCheckButton>(panel, IDC_REMEMBER_ME).SetChecked(false);
    Control<CxCheckButton>(panel, IDC_SAVE_PASSWORD).SetChecked(false);
    Control<CxCheckButton>(panel, IDC_AUTO_LOGIN).SetChecked(false);
    qorview_test::ClearCalls();
    Click(Control<CxCheckButton>(panel, IDC_AUTO_LOGIN));
    EXPECT_TRUE(Control<CxCheckButton>(panel, IDC_AUTO_LOGIN).IsChecked());
    EXPECT_TRUE(Control<CxCheckButton>(panel, IDC_SAVE_PASSWORD).IsChecked());
    EXPECT_TRUE(Control<CxCheckButton>(panel, IDC_REMEMBER_ME).IsChecked());
    EXPECT_TRUE(panel->IsAutoLoginChecked());
    EXPECT_TRUE(CQorViewBaseFun::IsSavePwd());
    EXPECT_TRUE(CQorViewBaseFun::IsAutoLogin());
    EXPECT_TRUE(CQorViewBaseFun::IsRememberMe());

    // Unchecking it again touches only its own setting.
    Click(Control<CxCheckButton>(panel, IDC_AUTO_LOGIN));
    EXPECT_FALSE(Control<CxCheckButton>(panel, IDC_AUTO_LOGIN).IsChecked());
    EXPECT_TRUE(Control<CxCheckButton>(panel, IDC_SAVE_PASSWORD).IsChecked());
    EXPECT_FALSE(CQorViewBaseFun::IsAutoLogin());
    EXPECT_TRUE(CQorViewBaseFun::IsSavePwd());
}

TEST_F(LoginPanel, UncheckingSavePasswordClearsThePasswordEverywhere)
{
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    Click(Control<CxCheckButton>(panel, IDC_AUTO_LOGIN)); // all three on
    SetText(Control<CACEdit>(panel, IDC_PASSWORD_EDIT), L"pw");
    panel->GetSettings().SetPassword(L"pw");
    main_->fields.strPassword = L"pw";
    Click(Control<CxCheckButton>(panel, IDC_SAVE_PASSWORD));
    EXPECT_FALSE(Control<CxCheckButton>(panel, IDC_SAVE_PASSWORD).IsChecked());
    EXPECT_FALSE(Control<CxCheckButton>(panel, IDC_AUTO_LOGIN).IsChecked());
    EXPECT_TRUE(Control<CxCheckButton>(panel, IDC_REMEMBER_ME).IsChecked());
    EXPECT_TRUE(panel->GetSettings().GetPassword().IsEmpty());
    EXPECT_TRUE(WindowText(Control<CACEdit>(panel, IDC_PASSWORD_EDIT).GetSafeHwnd()).IsEmpty());
    EXPECT_TRUE(main_->fields.strPassword.IsEmpty());
    EXPECT_FALSE(CQorViewBaseFun::IsSavePwd());
    EXPECT_FALSE(CQorViewBaseFun::IsAutoLogin());

    // Checking it again also checks remember me.
    Control<CxCheckButton>(panel, IDC_REMEMBER_ME).SetChecked(false);
    Click(Control<CxCheckButton>(panel, IDC_SAVE_PASSWORD));
    EXPECT_TRUE(Control<CxCheckButton>(panel, IDC_REMEMBER_ME).IsChecked());
    EXPECT_TRUE(CQorViewBaseFun::IsSavePwd());
    EXPECT_TRUE(CQorViewBaseFun::IsRememberMe());
}

TEST_F(LoginPanel, UncheckingRememberMeUnchecksTheOthersAndForgetsTheLoginName)
{
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    Click(Control<CxCheckButton>(panel, IDC_AUTO_LOGIN));
    main_->fields.strLoginName = L"bob";
    Click(Control<CxCheckButton>(panel, IDC_REMEMBER_ME));
    EXPECT_FALSE(Control<CxCheckButton>(panel, IDC_REMEMBER_ME).IsChecked());
    EXPECT_FALSE(Control<CxCheckButton>(panel, IDC_SAVE_PASSWORD).IsChecked());
    EXPECT_FALSE(Control<CxCheckButton>(panel, IDC_AUTO_LOGIN).IsChecked());
    EXPECT_TRUE(main_->fields.strLoginName.IsEmpty());
    EXPECT_FALSE(CQorViewBaseFun::IsRememberMe());
    EXPECT_FALSE(CQorViewBaseFun::IsSavePwd());
    EXPECT_FALSE(CQorViewBaseFun::IsAutoLogin());
}

// --- Server chooser: the sign-in goes to the server the chooser shows ---------------------

TEST_F(LoginPanel, ChoosingAServerMakesItsAddressAndPortCurrent)
{
    SaveServers({Server(L"a.example", L"A", 6001), Server(L"b.example", L"B", 6002)});
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    ChooseServer(panel, 1);
    EXPECT_EQ(CString(L"b.example"), panel->GetSettings().GetCurrentAddress());
    EXPECT_EQ(6002, panel->GetSettings().GetCurrentPort());
    ChooseServer(panel, 0);
    EXPECT_EQ(CString(L"a.example"), panel->GetSettings().GetCurrentAddress());
    EXPECT_EQ(6001, panel->GetSettings().GetCurrentPort());
}

TEST_F(LoginPanel, TypedServerBecomesCurrentAndSignInGoesThere)
{
    SaveServers({Server(L"a.example", L"A", 6001), Server(L"b.example", L"B", 6002)});
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    ChooseServer(panel, 0);

    // A listed server, typed in other letter case: that entry.
    TypeServer(panel, L"B.EXAMPLE");
    EXPECT_EQ(CString(L"b.example"), panel->GetSettings().GetCurrentAddress());
    EXPECT_EQ(6002, panel->GetSettings().GetCurrentPort());

    // Blanks around a pasted address are dropped before the lookup.
    TypeServer(panel, L" a.example  ");
    EXPECT_EQ(CString(L"a.example"), panel->GetSettings().GetCurrentAddress());
    EXPECT_EQ(6001, panel->GetSettings().GetCurrentPort());

    // An unknown one: the typed address on the default port.
    TypeServer(panel, L"new.example");
    EXPECT_EQ(CString(L"new.example"), panel->GetSettings().GetCurrentAddress());
    EXPECT_EQ(6660, panel->GetSettings().GetCurrentPort());

    SetText(Control<CACEdit>(panel, IDC_USER_EDIT), L"carol");
    ASSERT_TRUE(panel->StartLogin());
    testsupport::PumpMessages();
    EXPECT_EQ(1, main_->loginStarts);
    EXPECT_EQ(CString(L"new.example"), main_->fields.strServerAddr);
    EXPECT_EQ(6660, main_->fields.nServerPort);
    EXPECT_TRUE(main_->fields.strServerName.IsEmpty());
}

// --- Settings: loading and saving ----------------------------------------------------------

TEST_F(LoginPanel, SettingsRoundTripThroughTheViewLibrary)
{
    const CString server = L"roundtrip.example";
    SaveServers({Server(L"other.example", L"Other", 6001)});
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    SetText(Control<CACEdit>(panel, IDC_USER_EDIT), L"Dave");
    SetText(Control<CACEdit>(panel, IDC_PASSWORD_EDIT), L"pa55");
    panel->UpdateData(TRUE);
    Click(Control<CxCheckButton>(panel, IDC_SAVE_PASSWORD)); // and remember me
    ::SendMessageW(panel->GetSafeHwnd(), WM_COMMAND, ID_LOGIN_STATUS_AWAY, 0);
    main_->fields.strServerAddr = server;
    main_->fields.nServerPort = 6443;
    main_->fields.nPasswordType = 0;

    // The server actually reached joins the list and becomes the last server.
    CQorViewMgr* mgr = CQorViewMgr::Instance();
    mgr->m_strServerName = L"Round trip";
    mgr->m_strServerAddr = server;
    mgr->m_nServerPort = 6443;
    mgr->m_nUseAltServer = 0;
    panel->UpdateConnectedServer();
    EXPECT_EQ(1, panel->SaveLoginInfo());
    ClosePanel();
    ASSERT_EQ(nullptr, main_->pLoginDlg);

    panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(CString(L"Dave"), WindowText(Control<CACEdit>(panel, IDC_USER_EDIT).GetSafeHwnd()));
    EXPECT_EQ(CString(L"pa55"), WindowText(Control<CACEdit>(panel, IDC_PASSWORD_EDIT).GetSafeHwnd()));
    EXPECT_TRUE(Control<CxCheckButton>(panel, IDC_REMEMBER_ME).IsChecked());
    EXPECT_TRUE(Control<CxCheckButton>(panel, IDC_SAVE_PASSWORD).IsChecked());
    EXPECT_FALSE(Control<CxCheckButton>(panel, IDC_AUTO_LOGIN).IsChecked());
    EXPECT_EQ(5, panel->GetSettings().GetStatus());
    ASSERT_EQ(2, panel->GetSettings().GetServerCount());
    EXPECT_EQ(CString(L"Round trip"), panel->GetSettings().GetServer(1).strName);
    EXPECT_EQ(server, WindowText(Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).GetSafeHwnd()));
    EXPECT_EQ(server, panel->GetSettings().GetCurrentAddress());
    EXPECT_EQ(6443, panel->GetSettings().GetCurrentPort());
    ASSERT_EQ(1, panel->GetSettings().GetSavedUsers().GetSize());
    EXPECT_EQ(CString(L"Dave"), panel->GetSettings().GetSavedUsers()[0]);
    EXPECT_EQ(1, Control<CACEdit>(panel, IDC_USER_EDIT).GetSearchStrings().GetSize());

    // The by-name record of the account was written to the registry and reads back.
    LoginStore fresh;
    fresh.LoadLoginStore(L"ROUNDTRIP.example", 6443);
    CString saved;
    EXPECT_TRUE(fresh.GetSavedPassword(server, 6443, L"DAVE", saved));
    EXPECT_EQ(CString(L"pa55"), saved);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KorvelSoft\\KorvelMessenger\\Setting\\roundtrip.example:6443");
}

TEST_F(LoginPanel, StoredProxyIsHandedToTheMainWindow)
{
    _PROXYINFO stored;
    stored.nType = 1;
    stored.nFlag = 4;
    stored.strHost = L"proxy.example";
    stored.nPort = 1080;
    stored.strUser = L"pat";
    stored.strPassword = L"pw";
    stored.strDomain = L"CORP";
    ASSERT_TRUE(CQorViewBaseFun::SaveProxy(stored));
    ASSERT_NE(nullptr, OpenPanel());
    EXPECT_EQ(1, main_->proxySets);
    EXPECT_EQ(1, main_->proxy.nType);
    EXPECT_EQ(4, main_->proxy.nFlag);
    EXPECT_EQ(CString(L"proxy.example"), main_->proxy.strHost);
    EXPECT_EQ(1080, main_->proxy.nPort);
    EXPECT_EQ(CString(L"pat"), main_->proxy.strUser);
    EXPECT_EQ(CString(L"pw"), main_->proxy.strPassword);
    EXPECT_EQ(CString(L"CORP"), main_->proxy.strDomain);
}

TEST_F(LoginPanel, WithoutRememberMeOnlyTheServerAndFlagsAreKept)
{
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    SetText(Control<CACEdit>(panel, IDC_USER_EDIT), L"erin");
    SetText(Control<CACEdit>(panel, IDC_PASSWORD_EDIT), L"pw");
    panel->UpdateData(TRUE);
    Click(Control<CxCheckButton>(panel, IDC_REMEMBER_ME)); // off (it loads checked)
    ASSERT_FALSE(Control<CxCheckButton>(panel, IDC_REMEMBER_ME).IsChecked());
    main_->fields.strServerAddr = L"forget.example";
    main_->fields.nServerPort = 6660;
    main_->fields.nPasswordType = 0;
    panel->SetCurrentServer(L"forget.example", 6660, L"Forget");
    panel->SaveLoginInfo();
    ClosePanel();

    _SERVERITEM last;
    CString user, password;
    BOOL savePwd = TRUE, autoLogin = TRUE, rememberMe = TRUE;
    int status = 0;
    CQorViewBaseFun::LoadSetting(last, user, password, savePwd, autoLogin, rememberMe, status);
    EXPECT_EQ(CString(L"forget.example"), last.strServer);
    EXPECT_TRUE(user.IsEmpty());
    EXPECT_TRUE(password.IsEmpty());
    EXPECT_FALSE(rememberMe);

    panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    EXPECT_TRUE(WindowText(Control<CACEdit>(panel, IDC_USER_EDIT).GetSafeHwnd()).IsEmpty());
    EXPECT_FALSE(Control<CxCheckButton>(panel, IDC_REMEMBER_ME).IsChecked());
    EXPECT_EQ(CString(L"forget.example"), panel->GetSettings().GetCurrentAddress());

    // The record of the account is written all the same.
    LoginStore fresh;
    fresh.LoadLoginStore(L"forget.example", 6660);
    CStringArray names;
    fresh.ListSavedUsers(L"forget.example", 6660, names);
    EXPECT_EQ(1, names.GetSize());
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KorvelSoft\\KorvelMessenger\\Setting\\forget.example:6660");
}

TEST_F(LoginPanel, LoadingWithoutALastServerKeepsTheSavedList)
{
    SaveServers({Server(L"first.example", L"First", 6101), Server(L"second.example", L"Second", 6102)});
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    ASSERT_EQ(2, panel->GetSettings().GetServerCount());
    EXPECT_EQ(CString(L"first.example"), panel->GetSettings().GetServer(0).strServer);
    EXPECT_EQ(6101, panel->GetSettings().GetServer(0).nPort);
    EXPECT_EQ(0, Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).GetCurSel());
    EXPECT_EQ(CString(L"first.example"), panel->GetSettings().GetCurrentAddress());
    EXPECT_EQ(6101, panel->GetSettings().GetCurrentPort());

    // A successful sign-in saves the list unharmed.
    main_->fields.strServerAddr = L"first.example";
    main_->fields.nServerPort = 6101;
    main_->fields.nPasswordType = 0;
    panel->GetSettings().SetLoginName(L"frank");
    panel->SaveLoginInfo();
    CServerItemArray stored;
    CQorViewBaseFun::LoadServerList(stored);
    ASSERT_EQ(2, stored.GetSize());
    EXPECT_EQ(CString(L"first.example"), stored[0].strServer);
    EXPECT_EQ(CString(L"First"), stored[0].strName);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KorvelSoft\\KorvelMessenger\\Setting\\first.example:6101");
}

TEST_F(LoginPanel, LastServerMissingFromTheListTakesTheFirstPlaceAndIsShown)
{
    SaveServers({Server(L"old.example", L"Old", 6001), Server(L"keep.example", L"Keep", 6002)});
    CQorViewBaseFun::SaveSetting(Server(L"last.example", L"Last", 6999), L"gina", L"", FALSE, FALSE, TRUE, 3);
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(CString(L"last.example"), panel->GetSettings().GetServer(0).strServer);
    EXPECT_EQ(CString(L"keep.example"), panel->GetSettings().GetServer(1).strServer);
    EXPECT_EQ(0, Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).GetCurSel());
    EXPECT_EQ(CString(L"last.example"), WindowText(Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).GetSafeHwnd()));
    EXPECT_EQ(CString(L"last.example"), panel->GetSettings().GetCurrentAddress());
    EXPECT_EQ(6999, panel->GetSettings().GetCurrentPort());
    EXPECT_EQ(CString(L"gina"), WindowText(Control<CACEdit>(panel, IDC_USER_EDIT).GetSafeHwnd()));
}

TEST_F(LoginPanel, CommandLineAccountWinsOverTheSavedOne)
{
    CQorViewBaseFun::SaveSetting(Server(L"saved.example", L"Saved", 6001), L"henry", L"", FALSE, FALSE, TRUE, 3);
    main_ = new TestLoginOwner();
    ASSERT_TRUE(main_->Create(IDD_MAIN_WINDOW, nullptr));
    main_->fields.strLoginName = L"ivy";
    main_->fields.strPassword = L"cmdline";
    main_->fields.nPasswordType = 1; // from the command line: not shown in the box
    main_->fields.strServerAddr = L"cmd.example";
    main_->fields.nServerPort = 6200;
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(CString(L"ivy"), WindowText(Control<CACEdit>(panel, IDC_USER_EDIT).GetSafeHwnd()));
    EXPECT_TRUE(WindowText(Control<CACEdit>(panel, IDC_PASSWORD_EDIT).GetSafeHwnd()).IsEmpty());
    EXPECT_EQ(CString(L"cmd.example"), WindowText(Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).GetSafeHwnd()));
    EXPECT_EQ(CString(L"cmd.example"), panel->GetSettings().GetCurrentAddress());
    EXPECT_EQ(6200, panel->GetSettings().GetCurrentPort());
}

TEST_F(LoginPanel, NoRememberedAccountFlagHidesTheCheckBoxes)
{
    CQorViewBaseFun::SaveSetting(Server(L"saved.example", L"Saved", 6001), L"jack", L"", FALSE, FALSE, TRUE, 3);
    startupFlags_ = 0x10 | 0x08;
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    EXPECT_FALSE(Control<CxCheckButton>(panel, IDC_REMEMBER_ME).IsWindowVisible());
    EXPECT_FALSE(Control<CxCheckButton>(panel, IDC_SAVE_PASSWORD).IsWindowVisible());
    EXPECT_FALSE(Control<CxCheckButton>(panel, IDC_AUTO_LOGIN).IsWindowVisible());
    EXPECT_TRUE(WindowText(Control<CACEdit>(panel, IDC_USER_EDIT).GetSafeHwnd()).IsEmpty());
    EXPECT_FALSE(Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).IsWindowEnabled()); // 0x08: the server is fixed
}

TEST_F(LoginPanel, WindowsAccountSignInOutsideTheComputersOwnDomain)
{
    startupFlags_ = 0x02;
    ::SetEnvironmentVariableW(L"USERNAME", L"winuser");
    ::SetEnvironmentVariableW(L"USERDOMAIN", L"CORPDOMAIN");
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(0x200, panel->GetSettings().GetLoginFlags() & 0x200);
    EXPECT_EQ(CString(L"winuser"), WindowText(Control<CACEdit>(panel, IDC_USER_EDIT).GetSafeHwnd()));
    EXPECT_EQ(11, WindowText(Control<CACEdit>(panel, IDC_PASSWORD_EDIT).GetSafeHwnd()).GetLength());
    EXPECT_FALSE(Control<CACEdit>(panel, IDC_USER_EDIT).IsWindowEnabled());
    EXPECT_FALSE(Control<CACEdit>(panel, IDC_PASSWORD_EDIT).IsWindowEnabled());
    ClosePanel();

    // The computer's own name as the domain (in any letter case): a local account, no such
    // sign-in.
    char host[256] = {};
    WSADATA wsa;
    ::WSAStartup(MAKEWORD(2, 2), &wsa);
    ASSERT_EQ(0, ::gethostname(host, sizeof(host)));
    ::WSACleanup();
    CString domain(host);
    domain.MakeLower();
    ::SetEnvironmentVariableW(L"USERDOMAIN", domain);
    panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(0, panel->GetSettings().GetLoginFlags() & 0x200);
    EXPECT_TRUE(Control<CACEdit>(panel, IDC_USER_EDIT).IsWindowEnabled());
}

TEST_F(LoginPanel, CompanyPolicyForbidsKeepingSignInData)
{
    ForbidKeepingSignInData(true);
    CQorViewBaseFun::SaveSetting(Server(L"saved.example", L"Saved", 6001), L"kate", L"pw", TRUE, TRUE, TRUE, 3);

    CKorvelLoginDlg* panel = OpenPanel();
    ForbidKeepingSignInData(false);
    ASSERT_NE(nullptr, panel);
    EXPECT_FALSE(Control<CxCheckButton>(panel, IDC_REMEMBER_ME).IsWindowVisible());
    EXPECT_FALSE(Control<CxCheckButton>(panel, IDC_SAVE_PASSWORD).IsWindowVisible());
    EXPECT_FALSE(Control<CxCheckButton>(panel, IDC_AUTO_LOGIN).IsWindowVisible());
    EXPECT_FALSE(Control<CxCheckButton>(panel, IDC_AUTO_LOGIN).IsChecked());
    EXPECT_TRUE(WindowText(Control<CACEdit>(panel, IDC_USER_EDIT).GetSafeHwnd()).IsEmpty());
    EXPECT_TRUE(WindowText(Control<CACEdit>(panel, IDC_PASSWORD_EDIT).GetSafeHwnd()).IsEmpty());
    // The last server's port is still taken.
    EXPECT_EQ(6001, panel->GetSettings().GetCurrentPort());
}

TEST_F(LoginPanel, CompanyPolicyIsHonouredWhenSavingToo)
{
    ForbidKeepingSignInData(true);
    struct PolicyGone {
        ~PolicyGone() { ForbidKeepingSignInData(false); }
    } policyGone;

    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    panel->GetSettings().SetCurrentAddress(L"policy.example", panel->GetSettings().GetCurrentPort());
    SetText(Control<CACEdit>(panel, IDC_USER_EDIT), L"lena");
    SetText(Control<CACEdit>(panel, IDC_PASSWORD_EDIT), L"secret");
    // Even boxes that say otherwise keep nothing while the policy forbids it.
    Control<CxCheckButton>(panel, IDC_REMEMBER_ME).SetChecked(true);
    Control<CxCheckButton>(panel, IDC_SAVE_PASSWORD).SetChecked(true);
    ASSERT_TRUE(panel->StartLogin());
    panel->SaveLoginInfo();

    CStringArray users;
    CQorViewBaseFun::LoadLoginedUsers(users);
    EXPECT_EQ(0, users.GetSize());
    _SERVERITEM last;
    CString user, password;
    BOOL savePwd = TRUE, autoLogin = TRUE, rememberMe = TRUE;
    int status = 0;
    CQorViewBaseFun::LoadSetting(last, user, password, savePwd, autoLogin, rememberMe, status);
    EXPECT_TRUE(user.IsEmpty());
    EXPECT_TRUE(password.IsEmpty());
    EXPECT_FALSE(savePwd);
    EXPECT_FALSE(testsupport::RegKeyExists(HKEY_CURRENT_USER,
                                           L"Software\\KorvelSoft\\KorvelMessenger\\Setting\\policy.example:6660"));
}

// --- Preset server, first run, language file ------------------------------------------------

TEST_F(LoginPanel, PresetServerFileSetsTheAddressAndLock)
{
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    EXPECT_FALSE(panel->LoadPresetServer()); // no file

    WriteFile(work_ + L"\\WebServiceUrl.ini", "[SERVERIP]\r\nIpAddr=\r\n");
    EXPECT_FALSE(panel->LoadPresetServer()); // empty address

    WriteFile(work_ + L"\\WebServiceUrl.ini", "[SERVERIP]\r\nIpAddr=preset.example\r\nDisable=1\r\n");
    panel->GetSettings().SetCurrentAddress(panel->GetSettings().GetCurrentAddress(), 6123);
    panel->CheckServerSetup();
    EXPECT_EQ(CString(L"preset.example"), panel->GetSettings().GetCurrentAddress());
    EXPECT_EQ(6123, panel->GetSettings().GetCurrentPort()); // the port is not the file's business
    EXPECT_TRUE(panel->GetSettings().IsPresetLocked());
    EXPECT_EQ(0, g_netSettingsRuns);
}

TEST_F(LoginPanel, FirstRunOpensTheNetworkSettingsOnce)
{
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    g_netSettingsAnswer = IDOK;
    panel->CheckServerSetup();
    EXPECT_EQ(1, g_netSettingsRuns);
    EXPECT_EQ(CString(L"chosen.example"), panel->GetSettings().GetCurrentAddress());
    EXPECT_EQ(7001, panel->GetSettings().GetCurrentPort());
    EXPECT_EQ(CString(L"chosen.example"), WindowText(Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).GetSafeHwnd())); // shown where it goes
    EXPECT_EQ(0, CQorViewMgr::Instance()->m_bNetSetOpen);

    // While the dialog is open, a second request does nothing.
    CQorViewMgr::Instance()->m_bNetSetOpen = 1;
    panel->OpenNetSettings();
    EXPECT_EQ(1, g_netSettingsRuns);
    CQorViewMgr::Instance()->m_bNetSetOpen = 0;

    // A cancelled dialog changes nothing; a saved server list means no first run.
    g_netSettingsAnswer = IDCANCEL;
    Click(Control<CxButtonBase>(panel, IDC_NET_SETTINGS));
    EXPECT_EQ(2, g_netSettingsRuns);
    EXPECT_EQ(CString(L"chosen.example"), panel->GetSettings().GetCurrentAddress());
    panel->AddOrUpdateServer(Server(L"x.example", L"X", 1), true);
    panel->CheckServerSetup();
    EXPECT_EQ(2, g_netSettingsRuns);
}

TEST_F(LoginPanel, LanguageFileIsInstalledOnceForTheApplicationLanguage)
{
    std::wstring base = work_ + L"\\BaseData";
    ::CreateDirectoryW(base.c_str(), nullptr);
    WriteFile(base + L"\\chs_lang.ini", "chs");
    WriteFile(base + L"\\cht_lang.ini", "cht");
    WriteFile(base + L"\\enu_lang.ini", "enu");
    std::wstring target = std::wstring(CQorViewBaseFun::GetKorvelOptionFolder().GetString()) + L"\\langex.ini";

    language_ = L"CHT";
    CKorvelLoginDlg* panel = OpenPanel(); // an empty server chooser installs it
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ("cht", ReadFile(target));

    // An existing file is never replaced.
    main_->language = L"ENU";
    panel->InstallLanguageFile();
    EXPECT_EQ("cht", ReadFile(target));

    const struct {
        LPCWSTR language;
        const char* expected;
    } cases[] = {{L"CHS", "chs"}, {L"CHT", "cht"}, {L"ENU", "enu"}, {L"chs", "enu"}};
    for (const auto& c : cases) {
        ::DeleteFileW(target.c_str());
        main_->language = c.language;
        panel->InstallLanguageFile();
        EXPECT_EQ(c.expected, ReadFile(target)) << c.language;
    }
}

TEST_F(LoginPanel, PanelGoesWithItsWindowAndClearsTheMainWindowPointer)
{
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(panel, main_->pLoginDlg);
    // Enter and Escape do not close it.
    ::SendMessageW(panel->GetSafeHwnd(), WM_COMMAND, IDOK, 0);
    ::SendMessageW(panel->GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(panel->IsWindowVisible());
    ClosePanel();
    EXPECT_EQ(nullptr, main_->pLoginDlg);
}

TEST_F(LoginPanel, LayoutCentresTheRowsAndShowsThePanel)
{
    SaveServers({Server(L"im.example", L"Head office", 6661)});
    CQorViewBaseFun::SaveSetting(Server(L"im.example", L"Head office", 6661), L"liam", L"", FALSE, FALSE, TRUE, 3);
    CKorvelLoginDlg* panel = OpenPanelAtUserSize();
    ASSERT_NE(nullptr, panel);
    panel->ShowLoginError(TRUE, L"Wrong password", 208);
    testsupport::PumpMessages();

    RECT client, user, icon, login;
    ::GetClientRect(panel->GetSafeHwnd(), &client);
    ::GetWindowRect(Control<CACEdit>(panel, IDC_USER_EDIT).GetSafeHwnd(), &user);
    ::GetWindowRect(::GetDlgItem(panel->GetSafeHwnd(), IDC_ICON_USER), &icon);
    ::GetWindowRect(Control<CxButtonBase>(panel, IDC_LOGIN_BUTTON).GetSafeHwnd(), &login);
    ::MapWindowPoints(HWND_DESKTOP, panel->GetSafeHwnd(), reinterpret_cast<POINT*>(&user), 2);
    ::MapWindowPoints(HWND_DESKTOP, panel->GetSafeHwnd(), reinterpret_cast<POINT*>(&icon), 2);
    ::MapWindowPoints(HWND_DESKTOP, panel->GetSafeHwnd(), reinterpret_cast<POINT*>(&login), 2);
    int rowHeight = user.bottom - user.top;
    EXPECT_EQ((client.right - (user.right - user.left) - rowHeight) / 2 + rowHeight, user.left);
    EXPECT_EQ(user.left, icon.right); // the icon fills the square left of the box
    EXPECT_LE(std::abs((login.left + login.right) / 2 - client.right / 2), 1);
    RECT net;
    ::GetWindowRect(Control<CxButtonBase>(panel, IDC_NET_SETTINGS).GetSafeHwnd(), &net);
    ::MapWindowPoints(HWND_DESKTOP, panel->GetSafeHwnd(), reinterpret_cast<POINT*>(&net), 2);
    EXPECT_GE(net.right, client.right - 8);
    EXPECT_GE(net.bottom, client.bottom - 8);

    ::UpdateWindow(main_->GetSafeHwnd());
    testsupport::PumpMessages();
    testsupport::SaveScreenshot(testsupport::ExeDir() + L"\\signin_panel.bmp", main_->GetSafeHwnd());
}

TEST_F(LoginPanel, FirstRunWithAPresetServerSignsInThereOnTheDefaultPort)
{
    WriteFile(work_ + L"\\WebServiceUrl.ini", "[SERVERIP]\r\nIpAddr=preset.example\r\n");
    CKorvelLoginDlg* panel = OpenPanel(); // nothing stored yet
    ASSERT_NE(nullptr, panel);
    EXPECT_TRUE(panel->GetSettings().GetCurrentAddress().IsEmpty());
    EXPECT_EQ(6660, panel->GetSettings().GetCurrentPort());

    panel->CheckServerSetup();
    EXPECT_EQ(0, g_netSettingsRuns);
    EXPECT_FALSE(panel->GetSettings().IsPresetLocked());
    EXPECT_EQ(CString(L"preset.example"), WindowText(Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).GetSafeHwnd()));
    SetText(Control<CACEdit>(panel, IDC_USER_EDIT), L"mia");
    ASSERT_TRUE(panel->StartLogin());
    testsupport::PumpMessages();
    EXPECT_EQ(1, main_->loginStarts);
    EXPECT_EQ(CString(L"preset.example"), main_->fields.strServerAddr);
    EXPECT_EQ(6660, main_->fields.nServerPort);
}

TEST_F(LoginPanel, PresetServerInTheListIsShownByItsEntry)
{
    SaveServers({Server(L"a.example", L"A", 6001), Server(L"preset.example", L"P", 6002)});
    WriteFile(work_ + L"\\WebServiceUrl.ini", "[SERVERIP]\r\nIpAddr=PRESET.example\r\nDisable=0\r\n");
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    ASSERT_EQ(0, Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).GetCurSel());
    panel->CheckServerSetup();
    EXPECT_EQ(1, Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).GetCurSel());
    EXPECT_EQ(CString(L"PRESET.example"), panel->GetSettings().GetCurrentAddress());
    EXPECT_EQ(6001, panel->GetSettings().GetCurrentPort()); // the preset names no port
}

TEST_F(LoginPanel, StoredStatusAndPortOutsideTheirRangesFallBack)
{
    const struct {
        int storedStatus, storedPort;
        int status, port;
    } cases[] = {{99, 0, 3, 6660}, {0, 70000, 3, 6660}, {8, 6555, 8, 6555}, {4, 65535, 4, 65535}};
    for (const auto& c : cases) {
        CQorViewBaseFun::SaveSetting(Server(L"s.example", L"S", c.storedPort), L"nina", L"", FALSE, FALSE, TRUE,
                                     c.storedStatus);
        CKorvelLoginDlg* panel = OpenPanel();
        ASSERT_NE(nullptr, panel);
        EXPECT_EQ(c.status, panel->GetSettings().GetStatus()) << c.storedStatus;
        EXPECT_EQ(CQorViewBaseFun::GetUserStatusStr(c.status), WindowText(Control<CxStatusButton>(panel, IDC_STATUS_BUTTON).GetSafeHwnd()));
        EXPECT_EQ(c.port, panel->GetSettings().GetCurrentPort()) << c.storedPort;
        ClosePanel();
    }
    // A listed server without a usable port is offered on the default port.
    SaveServers({Server(L"s.example", L"S", 6555), Server(L"zero.example", L"Z", 0)});
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    ChooseServer(panel, 1);
    EXPECT_EQ(CString(L"zero.example"), panel->GetSettings().GetCurrentAddress());
    EXPECT_EQ(6660, panel->GetSettings().GetCurrentPort());
}

TEST_F(LoginPanel, InitialisationSetsUpTheControlsAndTheMainFrame)
{
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(18, ::SendMessageW(Control<CACEdit>(panel, IDC_USER_EDIT).GetSafeHwnd(), EM_GETLIMITTEXT, 0, 0));
    EXPECT_EQ(18, ::SendMessageW(Control<CACEdit>(panel, IDC_PASSWORD_EDIT).GetSafeHwnd(), EM_GETLIMITTEXT, 0, 0));
    EXPECT_TRUE(Control<CACEdit>(panel, IDC_USER_EDIT).IsInit());
    EXPECT_TRUE(Control<CACEdit>(panel, IDC_PASSWORD_EDIT).IsInit());

    CString tip = CQorViewBaseFun::LoadStringW(IDS_LOGIN_BUTTON_TIP);
    tip.Replace(L"%1", CQorViewBaseFun::LoadStringW(IDS_PRODUCT_NAME));
    EXPECT_EQ(tip, Control<CxButtonBase>(panel, IDC_LOGIN_BUTTON).GetToolTipText());
    EXPECT_EQ(static_cast<COLORREF>(0x333333), Control<CxButtonBase>(panel, IDC_LOGIN_BUTTON).GetTextColor());
    EXPECT_EQ(CString(L"xButtonLogin"), Control<CxButtonBase>(panel, IDC_LOGIN_BUTTON).GetSkin());
    EXPECT_EQ(CQorViewBaseFun::LoadStringW(IDS_NET_SETTINGS), WindowText(Control<CxButtonBase>(panel, IDC_NET_SETTINGS).GetSafeHwnd()));
    EXPECT_EQ(CQorViewBaseFun::LoadStringW(IDS_NET_SETTINGS), Control<CxButtonBase>(panel, IDC_NET_SETTINGS).GetToolTipText());
    EXPECT_EQ(CQorViewBaseFun::LoadStringW(IDS_SWITCH_LOGIN_MODE_TIP), Control<CxButtonBase>(panel, IDC_SWITCH_MODE).GetToolTipText());
    EXPECT_EQ(static_cast<COLORREF>(0xFF2525), Control<CxLabel>(panel, IDC_ERROR_TEXT).GetTextColor());
    EXPECT_EQ(1u, Control<CxLabel>(panel, IDC_ERROR_TEXT).GetTextAlign());
    EXPECT_EQ(0x11u, Control<CxLabel>(panel, IDC_SERVER_CAPTION).GetTextAlign());
    EXPECT_TRUE(Control<CxButtonBase>(panel, IDC_SWITCH_MODE).IsWindowVisible()); // the way to the sign-in by display name
    EXPECT_FALSE(Control<CHeadPic>(panel, IDC_HEAD_PIC).IsWindowVisible());
    EXPECT_TRUE(Control<CHeadPic>(panel, IDC_HEAD_PIC).HasDefault());
    EXPECT_TRUE(panel->GetStyle() & WS_CLIPCHILDREN);

    // The row icons: the server row's hidden, the user and password rows' with their bitmaps,
    // the two strips above the boxes without.
    const struct {
        UINT id;
        bool visible, bitmap;
    } icons[] = {{IDC_ICON_SERVER, false, true},
                 {IDC_ICON_USER, true, true},
                 {IDC_ICON_USER_LINE, true, false},
                 {IDC_ICON_PASSWORD, true, true},
                 {IDC_ICON_PASSWORD_LINE, true, false}};
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(nullptr, (&Control<CIconWnd>(panel, IDC_ICON_SERVER + i)));
        EXPECT_EQ(::GetDlgItem(panel->GetSafeHwnd(), icons[i].id), (&Control<CIconWnd>(panel, IDC_ICON_SERVER + i))->GetSafeHwnd());
        EXPECT_EQ(icons[i].visible, (&Control<CIconWnd>(panel, IDC_ICON_SERVER + i))->IsWindowVisible() != FALSE) << icons[i].id;
        EXPECT_EQ(icons[i].bitmap, (&Control<CIconWnd>(panel, IDC_ICON_SERVER + i))->GetBitmap() != nullptr) << icons[i].id;
    }

    // The main window becomes a resizable frame with title icon and text.
    EXPECT_TRUE(main_->CanResize());
    EXPECT_TRUE(main_->IsMaximumSizeEnabled());
    EXPECT_TRUE(main_->IsTitleIconEnabled());
    EXPECT_TRUE(main_->IsTitleTextEnabled());

    // The background comes from the parent; skin notifications are swallowed.
    EXPECT_EQ(TRUE, ::SendMessageW(panel->GetSafeHwnd(), WM_ERASEBKGND, 0, 0));
    EXPECT_EQ(0, ::SendMessageW(panel->GetSafeHwnd(), WM_USER + 1001, 0, 0));
}

TEST_F(LoginPanel, TitleAndHeadPictureFollowTheServer)
{
    SaveServers({Server(L"a.example", L"Alpha", 6001), Server(L"b.example", L"Beta", 6002)});
    CQorViewBaseFun::SetCorAddInCompanyName(L"Alpha", L"Alpha Corp");
    const CString product = CQorViewBaseFun::LoadStringW(IDS_PRODUCT_NAME);
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(CString(L"Alpha Corp"), WindowText(main_->GetSafeHwnd())); // the loaded server's company

    ChooseServer(panel, 1); // no company of its own: the product name
    EXPECT_EQ(product, WindowText(main_->GetSafeHwnd()));
    TypeServer(panel, L"A.EXAMPLE");
    EXPECT_EQ(CString(L"Alpha Corp"), WindowText(main_->GetSafeHwnd()));
    TypeServer(panel, L"elsewhere.example");
    EXPECT_EQ(product, WindowText(main_->GetSafeHwnd()));

    // The head picture of the user on the shown server, when the view library has one.
    ChooseServer(panel, 0);
    std::wstring folder = profile_ + L"\\Data";
    for (const wchar_t* part : {L"", L"\\zoe", L"\\Pic"}) {
        folder += part;
        ::CreateDirectoryW(folder.c_str(), nullptr);
    }
    std::wstring picture = folder + L"\\Alpha.bmp";
    ASSERT_TRUE(testsupport::SaveScreenshot(picture, main_->GetSafeHwnd()));
    ASSERT_EQ(CString(picture.c_str()), CQorViewBaseFun::GetUserPicFile(L"Alpha", L"zoe"));
    SetText(Control<CACEdit>(panel, IDC_USER_EDIT), L"zoe");
    testsupport::PumpMessages();
    EXPECT_EQ(CString(picture.c_str()), panel->GetHeadPictureFile());
    EXPECT_TRUE(panel->IsHeadPictureShown()); // loaded, and the head-picture control shows it
    SetText(Control<CACEdit>(panel, IDC_USER_EDIT), L"zo");
    testsupport::PumpMessages();
    EXPECT_TRUE(panel->GetHeadPictureFile().IsEmpty());
    EXPECT_FALSE(panel->IsHeadPictureShown());
    testsupport::RemoveTree(profile_ + L"\\Data");
}

TEST_F(LoginPanel, DraggingThePanelDragsTheMainWindow)
{
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    ::SendMessageW(panel->GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 34));
    testsupport::PumpMessages();
    EXPECT_EQ(1, main_->captionDrags);
    EXPECT_EQ(static_cast<WPARAM>(HTCAPTION), main_->dragHitTest);
    EXPECT_EQ(MAKELPARAM(12, 34), main_->dragPoint);
}

TEST_F(LoginPanel, ConnectedServerJoinsTheListButNotTheChooser)
{
    SaveServers({Server(L"a.example", L"A", 6001)});
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    CQorViewMgr* mgr = CQorViewMgr::Instance();
    mgr->m_strServerName = L"Alt";
    mgr->m_strServerAddr = L"primary.example";
    mgr->m_nServerPort = 6100;
    mgr->m_strAltServerAddr = L"alt.example";
    mgr->m_nAltServerPort = 0x10000 + 6200; // ports are 16 bits wide
    mgr->m_nUseAltServer = 1;
    panel->UpdateConnectedServer();
    EXPECT_EQ(CString(L"alt.example"), panel->GetSettings().GetLastServer().strServer);
    EXPECT_EQ(6200, panel->GetSettings().GetLastServer().nPort);
    EXPECT_EQ(CString(L"Alt"), panel->GetSettings().GetLastServer().strName);
    ASSERT_EQ(2, panel->GetSettings().GetServerCount());
    EXPECT_EQ(1, Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).GetCount());

    // A listed server (in any letter case) is updated in place.
    mgr->m_nUseAltServer = 0;
    mgr->m_strServerAddr = L"A.EXAMPLE";
    mgr->m_nServerPort = 7000;
    panel->UpdateConnectedServer();
    ASSERT_EQ(2, panel->GetSettings().GetServerCount());
    EXPECT_EQ(CString(L"A.EXAMPLE"), panel->GetSettings().GetServer(0).strServer);
    EXPECT_EQ(7000, panel->GetSettings().GetServer(0).nPort);

    // Asked to, a new server goes to the top of the chooser and can be chosen there.
    panel->AddOrUpdateServer(Server(L"new.example", L"New", 6300), true);
    ASSERT_EQ(2, Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).GetCount());
    EXPECT_EQ(3u, Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).GetItemData(0));
    ChooseServer(panel, 0);
    EXPECT_EQ(CString(L"new.example"), panel->GetSettings().GetCurrentAddress());
    EXPECT_EQ(6300, panel->GetSettings().GetCurrentPort());
    mgr->m_strServerName.Empty();
    mgr->m_strServerAddr.Empty();
    mgr->m_strAltServerAddr.Empty();
    mgr->m_nServerPort = mgr->m_nAltServerPort = 0;
}

TEST_F(LoginPanel, CommandLinePasswordSavesOnlyTheLists)
{
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    panel->GetSettings().SetLoginName(L"olga");
    main_->fields.nPasswordType = 1;
    main_->fields.strServerAddr = L"cmd.example";
    main_->fields.nServerPort = 6660;
    qorview_test::ClearCalls();
    EXPECT_EQ(1, panel->SaveLoginInfo());
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewBaseFun::SaveLoginedUsers"));
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewBaseFun::SaveServerList"));
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewBaseFun::SaveSetting"));
    EXPECT_FALSE(testsupport::RegKeyExists(HKEY_CURRENT_USER,
                                           L"Software\\KorvelSoft\\KorvelMessenger\\Setting\\cmd.example:6660"));
}

} // namespace
