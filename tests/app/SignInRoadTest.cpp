// The sign-in road through the real main window under Wine, with the view library answering as a
// test scripts it: a sign-in and its signed-in set-up, refusals, the account held by another
// process, a lost connection with its countdown and reconnect, giving up, signing out, the
// socket closed and repaired, suspend and resume, the domain check and the web sign-in against a
// server on loopback.
#include "app/CAccountLock.h"
#include "app/CKorvelBaseDlg.h"
#include "app/CQorTipMgr.h"
#include "app/CTrayStatus.h"
#include "app/KorvelMessages.h"
#include "msgcenter/manager/CMsgFolderTree.h"
#include "msgcenter/manager/CQorMsgManagerDlg.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorDB/CYqConnect.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorResource/SignInResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/LoopbackServer.h"
#include <fstream>
#include <string>

namespace {

const wchar_t kServer[] = L"im.example.com";
const int kPort = 5222;
const wchar_t kLogin[] = L"ann";

CString WindowText(HWND hWnd)
{
    wchar_t buffer[512] = {};
    ::GetWindowTextW(hWnd, buffer, 512);
    return buffer;
}

CString ResourceText(UINT id) { return CQorViewBaseFun::LoadStringW(id); }

class SignInRoad : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        work_ = testsupport::TempDir(L"korvel_signin_work");
        qorview_test::SetWorkDir(work_);
        qorview_test::ClearLoginResult();
        qorview_test::SetDomainAccountCheck(true, true);
        qorview_test::SetMuteSounds(true);
        apptest::App().m_strReceiver.Empty();
        apptest::App().m_strReceiverName.Empty();
        apptest::App().m_strViewId.Empty();
        CQorViewMgr* pMgr = CQorViewMgr::Instance();
        pMgr->m_dwServerOption1 = pMgr->m_dwServerOption2 = 0;
        pMgr->m_strChangePwdAccount = L"known"; // no password-change prompt after the sign-in
        ::InitializeCriticalSection(&otherGuard_);
    }
    void TearDown() override
    {
        other_.Release();
        MainWindowFixture::TearDown();
        ::DeleteCriticalSection(&otherGuard_);
        qorview_test::ClearLoginResult();
        qorview_test::SetWorkDir(L"");
        qorview_test::SetMuteSounds(false);
        CQorViewMgr::Instance()->m_strChangePwdAccount.Empty();
        testsupport::RemoveTree(work_);
    }

    HWND Wnd() const { return m_pDlg->GetSafeHwnd(); }
    void SetFields(const wchar_t* login = kLogin)
    {
        LoginFields fields = m_pDlg->GetLoginFields();
        fields.strServerAddr = kServer;
        fields.nServerPort = kPort;
        fields.strLoginName = login;
        fields.strPassword = L"secret";
        fields.nLoginStatus = 3;
        fields.nLoginFlags = 0;
        m_pDlg->SetLoginFields(fields);
    }
    // Posts WM_LOGIN_START and pumps until the view library was asked to sign in.
    bool StartAndWaitForLogin()
    {
        const int before = qorview_test::CountCalls(L"CQorViewMgr::Login");
        ::PostMessageW(Wnd(), WM_LOGIN_START, 0, 0);
        return testsupport::PumpUntil([&] { return qorview_test::CountCalls(L"CQorViewMgr::Login") > before; });
    }
    bool SignIn()
    {
        SetFields();
        qorview_test::SetLoginResult(12, 0);
        if (!StartAndWaitForLogin())
            return false;
        testsupport::PumpUntil([&] { return m_pDlg->IsSignedIn(); });
        testsupport::PumpMessages();
        qorview_test::ClearLoginResult();
        return m_pDlg->IsSignedIn();
    }
    HANDLE AccountMutex() const { return apptest::App().m_hAccountMutex; }
    bool HasAccountProperty() const
    {
        return ::GetPropW(Wnd(), CAccountLock::PropertyName(kServer, kPort, kLogin)) == reinterpret_cast<HANDLE>(1);
    }
    // Another process's attempt at the same account.
    CAccountLock::TakeResult OtherProcessTakes(const wchar_t* login = kLogin)
    {
        CAccountLock::TakeResult result = other_.Take(CAccountLock::MutexName(kServer, kPort, login));
        return result;
    }
    CString LoginPanelError() const
    {
        return m_pDlg->GetPanels().GetLoginPanel() ? WindowText(::GetDlgItem(m_pDlg->GetPanels().GetLoginPanel()->GetSafeHwnd(), IDC_ERROR_TEXT))
                                   : CString(L"(no sign-in panel)");
    }
    void WriteWebServiceIni(const std::string& text)
    {
        std::ofstream out((work_ + L"\\WebServiceUrl.ini").c_str(), std::ios::binary);
        out << text;
    }
    static CString CoreErrorText(int error)
    {
        CString text, extra;
        CQorViewMgr::Instance()->GetQorCoreErrorInfo(error, text, extra);
        CString message;
        message.Format(L"%s: %s", ResourceText(IDS_LOGIN_ERROR_CAPTION).GetString(), text.GetString());
        return message;
    }

    std::wstring work_;
    CRITICAL_SECTION otherGuard_;
    HANDLE otherMutex_ = nullptr;
    CAccountLock other_{otherGuard_, otherMutex_};
};

TEST_F(SignInRoad, SuccessSetsUpTheSignedInWindowOnce)
{
    ASSERT_TRUE(CreateMain());
    qorview_test::ClearCalls();
    ASSERT_TRUE(SignIn());
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::Login"), L"im.example.com|5222|ann|0|3|2048|0");
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::SetProxy"), 1);
    EXPECT_NE(AccountMutex(), nullptr);
    EXPECT_TRUE(HasAccountProperty());
    EXPECT_EQ(m_pDlg->GetPanels().GetLoginPanel(), nullptr);
    EXPECT_EQ(m_pDlg->GetPanels().GetWaitPanel(), nullptr);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::ShowKorvelDlg"), 1);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::OnLoginIsOK"), 1);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::SetUserStatus"), 1);
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::SetUserStatus"), L"3||0");
    EXPECT_NE(m_pDlg->GetUnreadLoadTimer(), 0u);
    EXPECT_TRUE(m_pDlg->IsUpdaterDone());
    EXPECT_TRUE(::IsWindowVisible(Wnd()));

    // The core reports the same success as a connection state: nothing is set up twice.
    const HANDLE mutex = AccountMutex();
    const UINT_PTR timer = m_pDlg->GetUnreadLoadTimer();
    EXPECT_EQ(qorview_test::FireConnectState(12, 0, 0), 1);
    testsupport::PumpMessages();
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::SetUserStatus"), 1);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::OnLoginIsOK"), 1);
    EXPECT_EQ(AccountMutex(), mutex);
    EXPECT_EQ(m_pDlg->GetUnreadLoadTimer(), timer);
    EXPECT_EQ(WindowText(Wnd()), ResourceText(IDS_PRODUCT_NAME));
    // A new sign-in while signed in does nothing.
    ::SendMessageW(Wnd(), WM_LOGIN_START, 0, 0);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::Login"), 1);
    EXPECT_EQ(AccountMutex(), mutex);
}

// The sign-in opens the user's message database in the user's data folder; the signed-in
// panel's "Messages" button opens the message centre on the received messages; the sign-out
// closes the database.
TEST_F(SignInRoad, TheSignedInUserHasHisDatabaseAndAButtonToTheMessageCentre)
{
    ASSERT_TRUE(CreateMain());
    ASSERT_TRUE(SignIn());
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    ASSERT_NE(nullptr, pMgr->m_pDBMgr);
    ASSERT_TRUE(pMgr->m_pDBMgr->IsConnected());
    const std::wstring expected = m_profile + L"\\Data\\im.example.com\\User\\ann\\im.example.com.db";
    EXPECT_EQ(0, pMgr->m_pConnect->GetPath().CompareNoCase(expected.c_str()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(expected.c_str()));

    ASSERT_NE(nullptr, pMgr->m_pKorvelDlg);
    HWND hButton = testsupport::FindChildByText(pMgr->m_pKorvelDlg->GetSafeHwnd(), L"Messages");
    ASSERT_NE(nullptr, hButton);
    EXPECT_TRUE(::IsWindowVisible(hButton));
    ::SendMessageW(hButton, BM_CLICK, 0, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pDlg->GetMsgCenter() != nullptr; }));
    auto* pCenter = static_cast<CQorMsgManagerDlg*>(m_pDlg->GetMsgCenter());
    EXPECT_TRUE(::IsWindowVisible(pCenter->GetSafeHwnd()));
    CMsgFolderTree& folders = pCenter->GetFolders();
    EXPECT_EQ(CMsgFolderTree::kReceived, folders.GetImage(folders.Tree().GetSelectedItem()))
        << "a user without views of his own sees the received messages";

    ::SendMessageW(Wnd(), WM_LOGIN_CANCEL, 0, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !m_pDlg->IsSignedIn() && m_pDlg->GetPanels().GetLoginPanel(); }));
    EXPECT_FALSE(pMgr->m_pDBMgr->IsConnected());
}

TEST_F(SignInRoad, AnAccountSignedInByAnotherProcessIsRefusedInAnyLetterCase)
{
    ASSERT_TRUE(CreateMain());
    ASSERT_EQ(OtherProcessTakes(L"ANN"), CAccountLock::TAKEN);
    SetFields();
    qorview_test::ClearCalls();
    ::PostMessageW(Wnd(), WM_LOGIN_START, 0, 0);
    testsupport::PumpMessages();
    EXPECT_EQ(qorview_test::CountCalls(L"QorMessageBox"), 1);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::Login"), 0);
    EXPECT_EQ(m_pDlg->GetPanels().GetWaitPanel(), nullptr);
    EXPECT_NE(m_pDlg->GetPanels().GetLoginPanel(), nullptr);
    EXPECT_EQ(AccountMutex(), nullptr);

    // Another account of the same server is not refused, and holds its account while it signs in.
    SetFields(L"bob");
    ASSERT_TRUE(StartAndWaitForLogin());
    EXPECT_NE(AccountMutex(), nullptr);
    other_.Release();
    EXPECT_EQ(OtherProcessTakes(L"bob"), CAccountLock::SIGNED_IN_ELSEWHERE)
        << "a second process starting now cannot sign in to the account being signed in";
}

TEST_F(SignInRoad, FailuresShowTheCoresTextOnTheSignInPanelAndGiveTheAccountBack)
{
    for (int code : {8, 13, 20}) {
        ASSERT_TRUE(CreateMain());
        SetFields();
        qorview_test::SetLoginResult(code, 10061);
        ASSERT_TRUE(StartAndWaitForLogin()) << code;
        testsupport::PumpUntil([&] { return m_pDlg->GetPanels().GetWaitPanel() == nullptr; });
        testsupport::PumpMessages();
        EXPECT_FALSE(m_pDlg->IsSignedIn()) << code;
        EXPECT_EQ(m_pDlg->GetPanels().GetWaitPanel(), nullptr) << code;
        ASSERT_NE(m_pDlg->GetPanels().GetLoginPanel(), nullptr) << code;
        EXPECT_TRUE(::IsWindowVisible(m_pDlg->GetPanels().GetLoginPanel()->GetSafeHwnd())) << code;
        EXPECT_EQ(LoginPanelError(), CoreErrorText(10061)) << code;
        EXPECT_EQ(m_pDlg->GetPanels().GetReconnectPanel(), nullptr) << code;
        EXPECT_EQ(AccountMutex(), nullptr) << code;
        EXPECT_EQ(OtherProcessTakes(), CAccountLock::TAKEN) << code;
        other_.Release();
        DestroyMain();
    }
}

TEST_F(SignInRoad, DomainAccountsAreCheckedBeforeTheSignIn)
{
    WriteWebServiceIni("[Domain]\r\nDomainDisable=1\r\nDomainValue=corp.example\r\n");
    const struct {
        const wchar_t* login;
        bool exists, passwordOk;
        const wchar_t* checkedAccount;
        int error; // 0: signed in with flags 0x200
    } cases[] = {
        {L"ann", true, true, L"ann@corp.example", 0},
        {L"ann@other.example", true, true, L"ann@other.example", 0},
        {L"ann", false, true, L"ann@corp.example", 929},
        {L"ann", true, false, L"ann@corp.example", 930},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(CreateMain());
        SetFields(c.login);
        qorview_test::SetDomainAccountCheck(c.exists, c.passwordOk);
        qorview_test::ClearCalls();
        ::PostMessageW(Wnd(), WM_LOGIN_START, 0, 0);
        testsupport::PumpMessages();
        EXPECT_EQ(qorview_test::LastArgs(L"CQorViewBaseFun::ExistADUserAccount"), c.checkedAccount) << c.login;
        if (c.exists) {
            EXPECT_EQ(qorview_test::LastArgs(L"CQorViewBaseFun::CheckUserPassword").rfind(c.login, 0), 0u)
                << "the password is checked for the plain login name";
        }
        if (c.error == 0) {
            EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::Login"),
                      L"im.example.com|5222|" + std::wstring(c.login) + L"|0|3|512|0");
        } else {
            EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::Login"), 0) << c.login;
            EXPECT_EQ(LoginPanelError(), CoreErrorText(c.error)) << c.login;
            EXPECT_EQ(AccountMutex(), nullptr);
        }
        DestroyMain();
    }
}

TEST_F(SignInRoad, WebSignInAcceptedSignsInWithoutEverWaitingOnTheServer)
{
    testsupport::HttpServer server("<Result><State>0</State><Msg>ok</Msg></Result>");
    WriteWebServiceIni("[Info]\r\nUrl=http://127.0.0.1:" + std::to_string(server.Port()) + "\r\n");
    ASSERT_TRUE(CreateMain());
    SetFields();
    qorview_test::ClearCalls();
    ::SendMessageW(Wnd(), WM_LOGIN_START, 0, 0);
    // The request runs on a worker; the window has returned before any reply.
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::Login"), 0);
    EXPECT_NE(m_pDlg->GetPanels().GetWaitPanel(), nullptr);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return qorview_test::CountCalls(L"CQorViewMgr::Login") == 1; }));
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::Login"), L"im.example.com|5222|ann|0|3|2560|0");
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].rfind("GET /Login?loginName=ann&password=secret HTTP/1.1\r\n", 0), 0u)
        << server.Requests()[0];
}

TEST_F(SignInRoad, WebSignInRefusedOrSilentTellsWhyAndReturnsToTheSignInPanel)
{
    testsupport::HttpServer refusing("<Result><State>3</State><Msg>Account locked</Msg></Result>");
    testsupport::HttpServer empty("");
    const int closedPort = testsupport::RefusedPort();
    const struct {
        int port;
        CString text;
    } cases[] = {
        {refusing.Port(), L"Account locked"},
        {empty.Port(), ResourceText(IDS_WEB_LOGIN_REFUSED)},
        {closedPort, ResourceText(IDS_WEB_LOGIN_NO_ANSWER)},
    };
    for (const auto& c : cases) {
        WriteWebServiceIni("[Info]\r\nUrl=http://127.0.0.1:" + std::to_string(c.port) + "\r\n");
        ASSERT_TRUE(CreateMain());
        SetFields();
        qorview_test::ClearCalls();
        ::PostMessageW(Wnd(), WM_LOGIN_START, 0, 0);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return qorview_test::CountCalls(L"QorMessageBox") == 1; }, 4000))
            << c.port;
        EXPECT_EQ(qorview_test::LastArgs(L"QorMessageBox").find(std::wstring(c.text.GetString()) + L"|"), 0u)
            << qorview_test::LastArgs(L"QorMessageBox");
        testsupport::PumpUntil([&] { return m_pDlg->GetPanels().GetWaitPanel() == nullptr; });
        EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::Login"), 0);
        ASSERT_NE(m_pDlg->GetPanels().GetLoginPanel(), nullptr);
        EXPECT_TRUE(::IsWindowVisible(m_pDlg->GetPanels().GetLoginPanel()->GetSafeHwnd()));
        EXPECT_EQ(AccountMutex(), nullptr);
        DestroyMain();
    }
}

TEST_F(SignInRoad, CancellingTheSignInSignsOutAndDropsALateWebReply)
{
    testsupport::HttpServer server("<Result><State>0</State></Result>");
    WriteWebServiceIni("[Info]\r\nUrl=http://127.0.0.1:" + std::to_string(server.Port()) + "\r\n");
    ASSERT_TRUE(CreateMain());
    SetFields();
    qorview_test::ClearCalls();
    ::SendMessageW(Wnd(), WM_LOGIN_START, 0, 0);
    ASSERT_NE(m_pDlg->GetPanels().GetWaitPanel(), nullptr);
    // The user cancels before the reply has been handled.
    ::SendMessageW(::GetDlgItem(m_pDlg->GetPanels().GetWaitPanel()->GetSafeHwnd(), IDC_PANEL_CANCEL), BM_CLICK, 0, 0);
    testsupport::PumpUntil([&] { return server.Requests().size() == 1 && m_pDlg->GetPanels().GetWaitPanel() == nullptr; });
    testsupport::PumpMessages();
    EXPECT_EQ(m_pDlg->GetPanels().GetWaitPanel(), nullptr);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::Login"), 0);
    EXPECT_EQ(AccountMutex(), nullptr);
    EXPECT_NE(m_pDlg->GetPanels().GetLoginPanel(), nullptr);
}

TEST_F(SignInRoad, LostConnectionCountsDownAndSignsInAgainWithOneAccountLock)
{
    ASSERT_TRUE(CreateMain());
    ASSERT_TRUE(SignIn());
    m_pDlg->ShowWindow(SW_HIDE); // the user had put the window away
    qorview_test::ClearCalls();
    ::PostMessageW(Wnd(), WM_LOGIN_NOTIFY, 7, 0);
    testsupport::PumpUntil([&] { return m_pDlg->GetPanels().GetReconnectPanel() != nullptr; });
    testsupport::PumpMessages();
    EXPECT_FALSE(m_pDlg->IsSignedIn());
    ASSERT_NE(m_pDlg->GetPanels().GetReconnectPanel(), nullptr);
    EXPECT_EQ(m_pDlg->GetPanels().GetLoginPanel(), nullptr) << "the countdown takes the sign-in panel's place";
    EXPECT_EQ(AccountMutex(), nullptr) << "a loss reported only as code 7 gives the account back too";
    EXPECT_FALSE(HasAccountProperty());
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::ClearData"), 1);
    ASSERT_EQ(m_pDlg->GetTipMgr().GetRecordCount(), 1);
    EXPECT_FALSE(ResourceText(IDS_CONNECTION_ENDED).IsEmpty());
    EXPECT_EQ(m_pDlg->GetTipMgr().GetRecordAt(0)->strText, ResourceText(IDS_CONNECTION_ENDED));
    const HWND hPanel = m_pDlg->GetPanels().GetReconnectPanel()->GetSafeHwnd();
    const HWND hText = ::GetDlgItem(hPanel, IDC_STAGE_TEXT);
    CString first;
    first.Format(ResourceText(IDS_RECONNECT_COUNTDOWN), L"0:10");
    EXPECT_EQ(WindowText(hText), first);
    EXPECT_EQ(m_pDlg->GetLoginFields().strLoginName, CString(kLogin)) << "the reconnect signs in with the same account";

    // The server is back when the delay runs out.
    for (int i = 0; i < 10; ++i)
        ::SendMessageW(hPanel, WM_TIMER, 100, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return qorview_test::CountCalls(L"CQorViewMgr::Login") == 1; }));
    EXPECT_NE(m_pDlg->GetPanels().GetWaitPanel(), nullptr);
    EXPECT_NE(AccountMutex(), nullptr) << "the reconnect takes the account, not finding itself in the way";
    EXPECT_EQ(qorview_test::CountCalls(L"QorMessageBox"), 0);
    EXPECT_EQ(qorview_test::FireConnectState(12, 0, 0), 1);
    testsupport::PumpMessages();
    EXPECT_TRUE(m_pDlg->IsSignedIn());
    EXPECT_EQ(m_pDlg->GetPanels().GetReconnectPanel(), nullptr);
    EXPECT_EQ(m_pDlg->GetPanels().GetWaitPanel(), nullptr);
    EXPECT_TRUE(HasAccountProperty());
    EXPECT_FALSE(::IsWindowVisible(Wnd())) << "a reconnect leaves the window as the user left it";
    EXPECT_FALSE(m_pDlg->GetSignIn().IsReconnectAttempt());
}

// The tray shows the status after every sign-in: the first, a second one after signing out, and
// the countdown's automatic one after a lost connection. The sign-out and the reset before the
// last two turn it grey, and it stayed grey while the window said "Online".
TEST_F(SignInRoad, TheTrayShowsTheStatusAfterEverySignInAutomaticOrNot)
{
    ASSERT_TRUE(CreateMain());
    ASSERT_TRUE(UseColourStrip());
    const COLORREF online = StatusColour(CTrayStatus::ImageForStatus(3));
    const COLORREF offline = StatusColour(CTrayStatus::ImageForStatus(1));
    ASSERT_NE(online, offline);
    auto tray = [&] { return IconColour(m_pDlg->GetTrayStatus().GetTrayIcon().GetIcon()); };

    ASSERT_TRUE(SignIn());
    EXPECT_EQ(online, tray()) << "the first sign-in";
    ::SendMessageW(Wnd(), WM_COMMAND, 32809, 0);
    testsupport::PumpMessages();
    EXPECT_EQ(offline, tray()) << "signed out";
    ASSERT_TRUE(SignIn());
    EXPECT_EQ(online, tray()) << "a second sign-in";

    ::PostMessageW(Wnd(), WM_LOGIN_NOTIFY, 7, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pDlg->GetPanels().GetReconnectPanel() != nullptr; }));
    testsupport::PumpMessages();
    EXPECT_EQ(offline, tray()) << "the connection was lost";
    qorview_test::ClearCalls();
    for (int i = 0; i < 10; ++i)
        ::SendMessageW(m_pDlg->GetPanels().GetReconnectPanel()->GetSafeHwnd(), WM_TIMER, 100, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return qorview_test::CountCalls(L"CQorViewMgr::Login") == 1; }));
    EXPECT_EQ(qorview_test::FireConnectState(12, 0, 0), 1);
    testsupport::PumpMessages();
    ASSERT_TRUE(m_pDlg->IsSignedIn());
    EXPECT_EQ(online, tray()) << "the countdown's automatic sign-in";
}

// The two panels of the road as the user sees them inside the main window, saved beside the
// test program (signin_progress.bmp, signin_countdown.bmp) to be looked at.
TEST_F(SignInRoad, TheProgressAndCountdownPanelsOnScreen)
{
    ASSERT_TRUE(CreateMain());
    m_pDlg->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    auto textOnScreen = [](HWND hText) {
        RECT rc = {};
        ::GetWindowRect(hText, &rc);
        return ::IsWindowVisible(hText) && testsupport::CountScreenPixels(rc, testsupport::IsDark) > 20;
    };
    SetFields();
    ASSERT_TRUE(StartAndWaitForLogin());
    ::SendMessageW(Wnd(), WM_LOGIN_NOTIFY, 5, 0);
    ASSERT_NE(m_pDlg->GetPanels().GetWaitPanel(), nullptr);
    const HWND hStage = ::GetDlgItem(m_pDlg->GetPanels().GetWaitPanel()->GetSafeHwnd(), IDC_STAGE_TEXT);
    EXPECT_EQ(WindowText(hStage), ResourceText(IDS_STAGE_SIGNING_IN));
    ::RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testsupport::PumpMessages();
    EXPECT_TRUE(textOnScreen(hStage));
    EXPECT_TRUE(testsupport::SaveScreenshot(testsupport::ExeDir() + L"\\signin_progress.bmp", Wnd()));

    qorview_test::SetLoginResult(12, 0);
    ::SendMessageW(Wnd(), WM_LOGIN_NOTIFY, 12, 0);
    testsupport::PumpMessages();
    ASSERT_TRUE(m_pDlg->IsSignedIn());
    ::PostMessageW(Wnd(), WM_LOGIN_NOTIFY, 7, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pDlg->GetPanels().GetReconnectPanel() != nullptr; }));
    testsupport::PumpMessages();
    const HWND hCount = ::GetDlgItem(m_pDlg->GetPanels().GetReconnectPanel()->GetSafeHwnd(), IDC_STAGE_TEXT);
    CString first;
    first.Format(ResourceText(IDS_RECONNECT_COUNTDOWN), L"0:10");
    EXPECT_EQ(WindowText(hCount), first);
    ::RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testsupport::PumpMessages();
    EXPECT_TRUE(textOnScreen(hCount));
    EXPECT_TRUE(testsupport::SaveScreenshot(testsupport::ExeDir() + L"\\signin_countdown.bmp", Wnd()));
}

TEST_F(SignInRoad, AFailedReconnectCountsDownAgainWithTheNextDelay)
{
    ASSERT_TRUE(CreateMain());
    ASSERT_TRUE(SignIn());
    ::PostMessageW(Wnd(), WM_LOGIN_NOTIFY, 7, 0);
    testsupport::PumpUntil([&] { return m_pDlg->GetPanels().GetReconnectPanel() != nullptr; });
    // The reconnect fails with a code that calls for another try, and once with a final stage.
    ::SendMessageW(Wnd(), WM_LOGIN_START, 0, 0);
    ASSERT_NE(m_pDlg->GetPanels().GetWaitPanel(), nullptr);
    ::SendMessageW(Wnd(), WM_LOGIN_NOTIFY, 8, 10061);
    testsupport::PumpMessages();
    EXPECT_EQ(m_pDlg->GetPanels().GetWaitPanel(), nullptr);
    ASSERT_NE(m_pDlg->GetPanels().GetReconnectPanel(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(m_pDlg->GetPanels().GetReconnectPanel()->GetSafeHwnd()));
    EXPECT_EQ(AccountMutex(), nullptr);

    ::SendMessageW(Wnd(), WM_LOGIN_START, 0, 0);
    ASSERT_NE(m_pDlg->GetPanels().GetWaitPanel(), nullptr);
    EXPECT_EQ(::SendMessageW(Wnd(), WM_LOGIN_NOTIFY, 3, 0), -1);
    testsupport::PumpMessages();
    EXPECT_EQ(m_pDlg->GetPanels().GetWaitPanel(), nullptr) << "the final stage ends the attempt even while reconnecting";
    EXPECT_NE(m_pDlg->GetPanels().GetLoginPanel(), nullptr);
    EXPECT_EQ(AccountMutex(), nullptr);
}

TEST_F(SignInRoad, GivingUpTheCountdownReturnsToTheSignInPanel)
{
    ASSERT_TRUE(CreateMain());
    ASSERT_TRUE(SignIn());
    ::PostMessageW(Wnd(), WM_LOGIN_NOTIFY, 7, 0);
    testsupport::PumpUntil([&] { return m_pDlg->GetPanels().GetReconnectPanel() != nullptr; });
    const HWND hPanel = m_pDlg->GetPanels().GetReconnectPanel()->GetSafeHwnd();
    ::SendMessageW(::GetDlgItem(hPanel, IDC_PANEL_CANCEL), BM_CLICK, 0, 0);
    testsupport::PumpMessages();
    EXPECT_FALSE(::IsWindow(hPanel));
    EXPECT_EQ(m_pDlg->GetPanels().GetReconnectPanel(), nullptr);
    ASSERT_NE(m_pDlg->GetPanels().GetLoginPanel(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(m_pDlg->GetPanels().GetLoginPanel()->GetSafeHwnd()));
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::Login"), 1);
}

TEST_F(SignInRoad, SignOutForgetsAsTheSettingsSayAndASecondSignInWorks)
{
    const struct {
        BOOL rememberMe, savePassword;
        const wchar_t *login, *password;
    } cases[] = {{TRUE, FALSE, kLogin, L""}, {FALSE, TRUE, L"", L""}, {TRUE, TRUE, kLogin, L"secret"}};
    for (const auto& c : cases) {
        CQorViewBaseFun::SetRememberMeInfo(c.rememberMe);
        CQorViewBaseFun::SetSavePassword(c.savePassword);
        ASSERT_TRUE(CreateMain());
        ASSERT_TRUE(SignIn());
        qorview_test::ClearCalls();
        ::SendMessageW(Wnd(), WM_COMMAND, 32809, 0);
        testsupport::PumpMessages();
        EXPECT_FALSE(m_pDlg->IsSignedIn());
        EXPECT_EQ(m_pDlg->GetLoginFields().strLoginName, CString(c.login));
        EXPECT_EQ(m_pDlg->GetLoginFields().strPassword, CString(c.password));
        EXPECT_EQ(AccountMutex(), nullptr);
        EXPECT_FALSE(HasAccountProperty());
        ASSERT_NE(m_pDlg->GetPanels().GetLoginPanel(), nullptr);
        EXPECT_TRUE(::IsWindowVisible(m_pDlg->GetPanels().GetLoginPanel()->GetSafeHwnd()));
        EXPECT_EQ(qorview_test::CountCalls(L"QorCloseAllMessageBoxes"), 1);
        EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::SendLogStatusToMsgDlg"), 1);
        EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::SetCoreCallback"), 1) << "fresh callbacks for the next sign-in";
        ASSERT_TRUE(SignIn()) << "signed in again after signing out";
        EXPECT_NE(AccountMutex(), nullptr);
        DestroyMain();
    }
}

TEST_F(SignInRoad, SocketClosedGivesTheAccountBackAndTheRepairTakesItAgain)
{
    ASSERT_TRUE(CreateMain());
    ASSERT_TRUE(SignIn());
    qorview_test::ClearCalls();
    EXPECT_EQ(qorview_test::FireConnectState(17, 0, 0), 1);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::OnSocketClose"), 1);
    EXPECT_EQ(AccountMutex(), nullptr);
    EXPECT_TRUE(m_pDlg->IsSignedIn()) << "the view library repairs the connection";
    EXPECT_EQ(OtherProcessTakes(), CAccountLock::TAKEN) << "a third process probing meanwhile is not refused";
    other_.Release();

    EXPECT_EQ(qorview_test::FireConnectState(18, 0, 0), 1);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::OnConnectRepairOK"), 1);
    EXPECT_NE(AccountMutex(), nullptr);
    EXPECT_TRUE(HasAccountProperty());
    EXPECT_EQ(OtherProcessTakes(), CAccountLock::SIGNED_IN_ELSEWHERE);
}

TEST_F(SignInRoad, AStatusTheServerForbidsBecomesOnline)
{
    const struct {
        int status;
        DWORD option1, option2;
        const wchar_t* calls;
    } cases[] = {
        {4, 0x10000, 0, L"3||1 3||0"},
        {5, 0, 0x400000, L"3||1 3||0"},
        {4, 0, 0x400000, L"4||0"},
        {6, 0x10000, 0x400000, L"6||0"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(CreateMain());
        SetFields();
        LoginFields fields = m_pDlg->GetLoginFields();
        fields.nLoginStatus = c.status;
        m_pDlg->SetLoginFields(fields);
        CQorViewMgr::Instance()->m_dwServerOption1 = c.option1;
        CQorViewMgr::Instance()->m_dwServerOption2 = c.option2;
        qorview_test::ClearCalls();
        qorview_test::SetLoginResult(12, 0);
        ASSERT_TRUE(StartAndWaitForLogin());
        testsupport::PumpUntil([&] { return m_pDlg->IsSignedIn(); });
        std::wstring calls;
        for (const auto& call : qorview_test::Calls()) {
            if (call.first == L"CQorViewMgr::SetUserStatus")
                calls += (calls.empty() ? L"" : L" ") + call.second;
        }
        EXPECT_EQ(calls, c.calls) << c.status;
        DestroyMain();
    }
}

TEST_F(SignInRoad, TheCommandLineChatOpensAfterTheFirstSignInOnly)
{
    apptest::App().m_strReceiver = L"bob";
    apptest::App().m_strReceiverName = L"Bob Smith";
    ASSERT_TRUE(CreateMain());
    qorview_test::ClearCalls();
    ASSERT_TRUE(SignIn());
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::NewChatDlg"), 1);
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::NewChatDlg").rfind(L"bob|Bob Smith|", 0), 0u);
    ::SendMessageW(Wnd(), WM_COMMAND, 32809, 0);
    ASSERT_TRUE(SignIn());
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::NewChatDlg"), 1);
}

TEST_F(SignInRoad, SuspendSignsOutAndResumeSignsInOnlyWhoWasSignedIn)
{
    ASSERT_TRUE(CreateMain());
    ASSERT_TRUE(SignIn());
    ::SendMessageW(Wnd(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    testsupport::PumpMessages();
    EXPECT_FALSE(m_pDlg->IsSignedIn());
    EXPECT_EQ(AccountMutex(), nullptr);
    EXPECT_NE(m_pDlg->GetPanels().GetLoginPanel(), nullptr);

    qorview_test::ClearCalls();
    qorview_test::SetLoginResult(12, 0);
    ::SendMessageW(Wnd(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    testsupport::PumpUntil([&] { return m_pDlg->IsSignedIn(); });
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::Login"), 1);
    EXPECT_TRUE(m_pDlg->IsSignedIn());
    EXPECT_FALSE(m_pDlg->GetSignIn().IsResumed()) << "resumed is cleared once the sign-in it caused has its answer";

    // Signed out by hand, then a suspend and a resume: nobody to sign in again.
    ::SendMessageW(Wnd(), WM_COMMAND, 32809, 0);
    qorview_test::ClearCalls();
    ::SendMessageW(Wnd(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    ::SendMessageW(Wnd(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    testsupport::PumpMessages();
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::Login"), 0);
    // Other power events change nothing.
    ::SendMessageW(Wnd(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    testsupport::PumpMessages();
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::Login"), 0);
}

TEST_F(SignInRoad, AResumedSignInThatFailsCountsDown)
{
    ASSERT_TRUE(CreateMain());
    ASSERT_TRUE(SignIn());
    ::SendMessageW(Wnd(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    qorview_test::SetLoginResult(20, 10060);
    ::SendMessageW(Wnd(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    testsupport::PumpUntil([&] { return m_pDlg->GetPanels().GetReconnectPanel() != nullptr; });
    testsupport::PumpMessages();
    ASSERT_NE(m_pDlg->GetPanels().GetReconnectPanel(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(m_pDlg->GetPanels().GetReconnectPanel()->GetSafeHwnd()));
    EXPECT_EQ(m_pDlg->GetPanels().GetWaitPanel(), nullptr);
    EXPECT_FALSE(m_pDlg->GetSignIn().IsResumed());
}

// A resume's sign-in that the server refuses ends the resume too: a later sign-in that fails
// in a retryable way is shown on the sign-in panel, not counted down as if just resumed.
TEST_F(SignInRoad, AResumedSignInThatIsRefusedLeavesNoResumeBehind)
{
    ASSERT_TRUE(CreateMain());
    ASSERT_TRUE(SignIn());
    ::SendMessageW(Wnd(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    qorview_test::SetLoginResult(13, 208);
    ::SendMessageW(Wnd(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    testsupport::PumpUntil([&] { return m_pDlg->GetPanels().GetWaitPanel() == nullptr && m_pDlg->GetPanels().GetLoginPanel(); });
    testsupport::PumpMessages();
    EXPECT_EQ(LoginPanelError(), CoreErrorText(208));
    EXPECT_FALSE(m_pDlg->GetSignIn().IsResumed());

    SetFields();
    qorview_test::SetLoginResult(8, 10060);
    ASSERT_TRUE(StartAndWaitForLogin());
    testsupport::PumpUntil([&] { return m_pDlg->GetPanels().GetWaitPanel() == nullptr; });
    testsupport::PumpMessages();
    EXPECT_EQ(m_pDlg->GetPanels().GetReconnectPanel(), nullptr);
    EXPECT_EQ(LoginPanelError(), CoreErrorText(10060));
}

} // namespace
