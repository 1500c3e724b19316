// The sign-in road end to end: the real main window signs in through the view library and the
// core component to a real XMPP server (Prosody on loopback, started by the test run, which
// insists on TLS: every sign-in here goes over it), with a second client (the peer) on the other
// side. Right and wrong passwords, a server that is not running, one that stops while the user is
// signed in (connection lost, countdown, reconnect when it is back), giving up during the
// countdown, signing out and in again, a chat message from the peer as a desktop tip and a
// message to it, the server's sign-out (and a contact's, which is refused), the account already
// signed in on this machine by a second client process, and suspend and resume. Servers that
// cannot be trusted (a certificate of an unknown authority, for another name, expired; no TLS at
// all) are refused with their reason and get nothing of the account; a server on another machine
// (a test host of the test run's own) signs in over TLS, and without TLS is refused.
#include "app/CQorTipMgr.h"
#include "app/CUnreadMsg.h"
#include "platform/QorCore/QorCoreErrors.h"
#include "tests/e2e/XmppRoad.h"
#include <sstream>
#include <string>

namespace {

TEST_F(XmppRoad, RightPasswordSignsInAndTheServerSeesTheAccountComeAndGo)
{
    ASSERT_TRUE(Server().Ok("peer-start bob"));
    qorview_test::ClearCalls();
    ASSERT_TRUE(SignIn());
    // Nothing asks the user anything: in particular no prompt for a new password, which an
    // XMPP server never demands.
    EXPECT_EQ(qorview_test::CountCalls(L"QorMessageBox"), 0);
    EXPECT_EQ(m_pDlg->GetPanels().GetWaitPanel(), nullptr);
    EXPECT_EQ(m_pDlg->GetPanels().GetLoginPanel(), nullptr);
    EXPECT_NE(AccountMutex(), nullptr);
    EXPECT_EQ(OtherProcessTakes(), CAccountLock::SIGNED_IN_ELSEWHERE);
    EXPECT_EQ(Server().Command("wait-presence alice@localhost available 30"), "ok");
    Shot(L"signed_in_main_view");

    // Sign out and in again: the server sees the account go and come back; the account is free
    // in between.
    ::PostMessageW(Wnd(), WM_LOGIN_CANCEL, 0, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !m_pDlg->IsSignedIn() && m_pDlg->GetPanels().GetLoginPanel(); }));
    EXPECT_EQ(Server().Command("wait-presence alice@localhost unavailable 30"), "ok");
    EXPECT_EQ(AccountMutex(), nullptr);
    EXPECT_EQ(OtherProcessTakes(), CAccountLock::TAKEN);
    ASSERT_TRUE(SignIn());
    EXPECT_EQ(Server().Command("wait-presence alice@localhost available 30"), "ok");
}

TEST_F(XmppRoad, AWrongPasswordIsShownOnTheSignInPanelAndFreesTheAccount)
{
    StartSignIn(L"not-the-password");
    // The progress panel shows the stages while it waits.
    ASSERT_NE(m_pDlg->GetPanels().GetWaitPanel(), nullptr);
    ASSERT_TRUE(WaitLoginError());
    EXPECT_EQ(LoginPanelError(), CoreErrorText(208));
    EXPECT_FALSE(m_pDlg->IsSignedIn());
    EXPECT_EQ(AccountMutex(), nullptr);
    EXPECT_EQ(OtherProcessTakes(), CAccountLock::TAKEN);
    // The right password then signs in.
    ASSERT_TRUE(SignIn());
}

TEST_F(XmppRoad, AServerThatIsNotRunningIsReportedAsUnreachable)
{
    ASSERT_TRUE(Server().Ok("server-stop"));
    StartSignIn();
    ASSERT_NE(m_pDlg->GetPanels().GetWaitPanel(), nullptr);
    // The stages reach the progress panel before the failure does.
    testsupport::PumpUntil([&] {
        return !m_pDlg->GetPanels().GetWaitPanel() ||
               !WindowText(::GetDlgItem(m_pDlg->GetPanels().GetWaitPanel()->GetSafeHwnd(), IDC_STAGE_TEXT)).IsEmpty();
    });
    if (m_pDlg->GetPanels().GetWaitPanel())
        Shot(L"progress_panel");
    ASSERT_TRUE(WaitLoginError());
    EXPECT_EQ(LoginPanelError(), CoreErrorText(10060));
    EXPECT_FALSE(m_pDlg->IsSignedIn());
    EXPECT_EQ(AccountMutex(), nullptr);
}

TEST_F(XmppRoad, AServerStoppedWhileSignedInBringsTheCountdownAndTheReconnectSignsInAgain)
{
    ASSERT_TRUE(SignIn());
    qorview_test::ClearCalls();
    ASSERT_TRUE(Server().Ok("server-stop"));
    ASSERT_TRUE(WaitCountdown());
    // The socket closed first; the quiet repair found no server, and the connection was lost.
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::OnSocketClose"), 1);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::OnConnectRepairOK"), 0);
    EXPECT_EQ(AccountMutex(), nullptr);
    EXPECT_EQ(m_pDlg->GetPanels().GetLoginPanel(), nullptr);
    Shot(L"countdown_panel");

    // Reconnect now while the server is still away: a sign-in is tried at once (not when the
    // countdown runs out), and the countdown comes back. The refusal from loopback can arrive
    // within the same pump as the attempt, so the progress panel in between is not always there
    // to be seen: the attempt is told by its call.
    ClickOnReconnectPanel(IDC_RECONNECT_NOW);
    testsupport::PumpMessages();
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::Login"), 1);
    ASSERT_TRUE(WaitCountdown());
    EXPECT_FALSE(m_pDlg->IsSignedIn());

    // The server is back: reconnect signs in again, holding one account lock.
    ASSERT_TRUE(Server().Ok("server-start"));
    ClickOnReconnectPanel(IDC_RECONNECT_NOW);
    ASSERT_TRUE(WaitSignedIn());
    testsupport::PumpMessages();
    EXPECT_EQ(m_pDlg->GetPanels().GetReconnectPanel(), nullptr);
    EXPECT_NE(AccountMutex(), nullptr);
    EXPECT_EQ(OtherProcessTakes(), CAccountLock::SIGNED_IN_ELSEWHERE);
    // After a sign-out nothing of this process holds the account any more: no second handle
    // was left behind by the reconnect.
    ::PostMessageW(Wnd(), WM_LOGIN_CANCEL, 0, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !m_pDlg->IsSignedIn() && m_pDlg->GetPanels().GetLoginPanel(); }));
    EXPECT_EQ(OtherProcessTakes(), CAccountLock::TAKEN);
}

TEST_F(XmppRoad, GivingUpDuringTheCountdownReturnsToTheSignInPanel)
{
    ASSERT_TRUE(SignIn());
    ASSERT_TRUE(Server().Ok("server-stop"));
    ASSERT_TRUE(WaitCountdown());
    ClickOnReconnectPanel(IDC_PANEL_CANCEL);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pDlg->GetPanels().GetReconnectPanel() == nullptr && m_pDlg->GetPanels().GetLoginPanel(); }));
    EXPECT_TRUE(::IsWindowVisible(m_pDlg->GetPanels().GetLoginPanel()->GetSafeHwnd()));
    EXPECT_FALSE(m_pDlg->IsSignedIn());
    // The server coming back changes nothing: nobody tries to sign in.
    ASSERT_TRUE(Server().Ok("server-start"));
    testsupport::PumpMessages();
    EXPECT_FALSE(m_pDlg->IsSignedIn());
    EXPECT_EQ(m_pDlg->GetPanels().GetWaitPanel(), nullptr);
}

TEST_F(XmppRoad, ThePeersChatMessageArrivesAsADesktopTipAndAMessageGoesBack)
{
    ASSERT_TRUE(Server().Ok("peer-start bob"));
    ASSERT_TRUE(SignIn());
    CQorTipMgr& tips = m_pDlg->GetTipMgr();
    tips.ClearTips();
    ASSERT_TRUE(Server().Ok("send-chat alice@localhost Lunch at noon?"));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return tips.GetRecordCount() > 0; }, kRounds));
    CUnreadMsg* tip = tips.GetRecordAt(0);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(std::wstring(tip->strSender), L"bob");
    EXPECT_TRUE(testsupport::PumpUntil([&] { return tips.IsTipVisible(); }));

    // A bulletin of the peer, with the fields of our own namespace, is a bulletin tip.
    tips.ClearTips();
    ASSERT_TRUE(Server().Ok("send-raw <message to='alice@localhost' type='headline' id='b1'><body>Fire drill at 3</body>"
                            "<msg xmlns='urn:korvel:core:0' type='7' sender-name='Facilities'/></message>"));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return tips.GetRecordCount() > 0; }, kRounds));
    EXPECT_EQ(tips.GetRecordAt(0)->nKind, CUnreadMsg::kKindBulletin);

    // The user's answer through the held core message reaches the peer.
    SendToBob(L"Yes, see you there");
    EXPECT_EQ(Server().Command("wait-message alice@localhost 30"), "ok Yes, see you there");
}

TEST_F(XmppRoad, TheServersSignOutEndsTheSessionAndAContactCannotGiveIt)
{
    ASSERT_TRUE(SignIn());
    // The account signed in elsewhere with the client's resource: the server drops this session
    // with a conflict, which the core reports as the sign-out notice of an account signed in
    // elsewhere.
    ASSERT_TRUE(Server().Ok("kick alice"));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !m_pDlg->IsSignedIn() && m_pDlg->GetPanels().GetLoginPanel(); }, kRounds));
    EXPECT_EQ(m_pDlg->GetPanels().GetReconnectPanel(), nullptr); // no reconnect: the user was replaced
    EXPECT_EQ(AccountMutex(), nullptr);

    // The commands of our namespace from a contact are not the server's: they sign nobody out
    // and change no status.
    ASSERT_TRUE(SignIn());
    ASSERT_TRUE(Server().Ok("peer-start bob"));
    CQorTipMgr& tips = m_pDlg->GetTipMgr();
    tips.ClearTips();
    for (const char* command : {"<command xmlns='urn:korvel:core:0' name='OUT'><int>224</int></command>",
                                "<command xmlns='urn:korvel:core:0' name='C_STATUS'><int>6</int></command>",
                                "<command xmlns='urn:korvel:core:0' name='C_SIGNOUT'/>"})
        ASSERT_TRUE(Server().Ok(std::string("send-raw <message to='alice@localhost'>") + command + "</message>"));
    // A message sent after them has arrived, so they have had their turn.
    ASSERT_TRUE(Server().Ok("send-chat alice@localhost after the commands"));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return tips.GetRecordCount() > 0; }, kRounds));
    testsupport::PumpMessages();
    EXPECT_TRUE(m_pDlg->IsSignedIn());
    EXPECT_EQ(m_pDlg->GetLoginFields().nLoginStatus, 3);
    EXPECT_EQ(m_pDlg->GetPanels().GetLoginPanel(), nullptr);

    // The server's own sign-out, as a server gives it: an announcement to every online user,
    // which comes from the server's domain.
    ASSERT_TRUE(Server().Ok("announce <command xmlns='urn:korvel:core:0' name='OUT'><int>224</int></command>"));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !m_pDlg->IsSignedIn() && m_pDlg->GetPanels().GetLoginPanel(); }, kRounds));
    EXPECT_EQ(m_pDlg->GetPanels().GetReconnectPanel(), nullptr);
    EXPECT_EQ(AccountMutex(), nullptr);
}

TEST_F(XmppRoad, SuspendSignsOutAndResumeSignsInAgain)
{
    ASSERT_TRUE(Server().Ok("peer-start bob"));
    ASSERT_TRUE(SignIn());
    // The account and its password are remembered (after the sign-in, which saved the sign-in
    // panel's choices), so that the resume can sign in again.
    CQorViewBaseFun::SetRememberMeInfo(TRUE);
    CQorViewBaseFun::SetSavePassword(TRUE);
    ::SendMessageW(Wnd(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    testsupport::PumpMessages();
    EXPECT_FALSE(m_pDlg->IsSignedIn());
    EXPECT_EQ(Server().Command("wait-presence alice@localhost unavailable 30"), "ok");
    ::SendMessageW(Wnd(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    ASSERT_TRUE(WaitSignedIn());
    EXPECT_EQ(Server().Command("wait-presence alice@localhost available 30"), "ok");
    CQorViewBaseFun::SetRememberMeInfo(FALSE);
    CQorViewBaseFun::SetSavePassword(FALSE);
}

// A second client process on this machine with the same account is refused: it says so in a
// message box, and this process stays signed in.
struct ProcessWindows {
    DWORD pid;
    HWND box = nullptr;  // a dialog of its own: the message box
    HWND main = nullptr; // the main window, a tool window
};

BOOL CALLBACK FindProcessWindows(HWND h, LPARAM p)
{
    auto* w = reinterpret_cast<ProcessWindows*>(p);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    wchar_t cls[64] = {};
    ::GetClassNameW(h, cls, 64);
    if (pid != w->pid || std::wstring(cls) != L"#32770")
        return TRUE;
    if (::GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)
        w->main = h;
    else if (::IsWindowVisible(h))
        w->box = h;
    return TRUE;
}

BOOL CALLBACK CollectText(HWND h, LPARAM p)
{
    wchar_t text[512] = {};
    ::GetWindowTextW(h, text, 512);
    *reinterpret_cast<std::wstring*>(p) += text;
    return TRUE;
}

TEST_F(XmppRoad, ASecondClientProcessOfTheSignedInAccountIsRefused)
{
    ASSERT_TRUE(SignIn());
    const std::wstring exe = testsupport::ExeDir() + L"\\Korvel.exe";
    std::wstring cmd = L"\"" + exe + L"\" server=" + std::wstring(ServerAddr()) + L"&port=" +
                       std::to_wstring(Server().XmppPort()) + L"&loginname=" + kLogin + L"&startup=4";
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    ::SetEnvironmentVariableW(L"KORVEL_NO_STARTUP_BOX", L"1");
    const BOOL started = ::CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                                          testsupport::ExeDir().c_str(), &si, &pi);
    ::SetEnvironmentVariableW(L"KORVEL_NO_STARTUP_BOX", nullptr);
    ASSERT_TRUE(started);
    ::CloseHandle(pi.hThread);
    ProcessWindows windows{pi.dwProcessId};
    const bool boxShown = testsupport::PumpUntil(
        [&] {
            windows.box = windows.main = nullptr;
            ::EnumWindows(FindProcessWindows, reinterpret_cast<LPARAM>(&windows));
            return windows.box != nullptr || ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
        },
        kRounds);
    std::wstring boxText;
    if (windows.box) {
        ::EnumChildWindows(windows.box, CollectText, reinterpret_cast<LPARAM>(&boxText));
        ::PostMessageW(windows.box, WM_COMMAND, IDOK, 0);
    }
    // The other program ends through its own exit, so that its class objects are revoked.
    testsupport::PumpUntil([&] {
        windows.box = windows.main = nullptr;
        ::EnumWindows(FindProcessWindows, reinterpret_cast<LPARAM>(&windows));
        return windows.main && !windows.box;
    });
    if (windows.main)
        ::PostMessageW(windows.main, WM_KORVEL_EXIT, 0, 0);
    if (!testsupport::WaitForProcess(pi.hProcess, 60000)) {
        ::TerminateProcess(pi.hProcess, 99);
        ADD_FAILURE() << "the second program did not end";
    }
    ::CloseHandle(pi.hProcess);
    ASSERT_TRUE(boxShown && !boxText.empty());
    EXPECT_NE(boxText.find(kLogin), std::wstring::npos) << std::string(boxText.begin(), boxText.end());
    EXPECT_TRUE(m_pDlg->IsSignedIn());
    EXPECT_NE(AccountMutex(), nullptr);
}

} // namespace

namespace {

// "ok ADDRESS PORT ..." of the controller: address and port.
bool ParseEndpoint(const std::string& answer, CString& address, int& port)
{
    std::istringstream in(answer);
    std::string ok, host;
    if (!(in >> ok >> host >> port) || ok != "ok")
        return false;
    address = CString(std::wstring(host.begin(), host.end()).c_str());
    return true;
}

TEST_F(XmppRoad, AServerWhoseCertificateCannotBeTrustedIsRefusedWithItsReasonAndGetsNothingOfTheAccount)
{
    const struct {
        const char* kind;
        int error;
        const char* report; // what the server got: the handshake, and nothing after it
    } kCases[] = {
        {"untrusted", QorErrTlsUntrusted, "ok connections=1 handshakes=1 after=0"},
        {"wrong-name", QorErrTlsWrongName, "ok connections=1 handshakes=1 after=0"},
        {"expired", QorErrTlsExpired, "ok connections=1 handshakes=1 after=0"},
        {"broken", QorErrTlsHandshake, "ok connections=1 handshakes=0 after=0"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.kind);
        CString address;
        int port = 0;
        const std::string trap = Server().Command(std::string("trap-start ") + c.kind);
        ASSERT_TRUE(ParseEndpoint(trap, address, port)) << trap;
        StartSignInTo(ServerAddr(), port, kLogin);
        ASSERT_TRUE(WaitLoginError());
        EXPECT_EQ(std::wstring(LoginPanelError()), std::wstring(CoreErrorText(c.error)));
        EXPECT_FALSE(m_pDlg->IsSignedIn());
        EXPECT_EQ(AccountMutex(), nullptr);
        if (c.error == QorErrTlsUntrusted)
            Shot(L"untrusted_certificate_refused");
        EXPECT_EQ(Server().Command("trap-report"), c.report);
    }
    Server().Ok("trap-stop");
}

TEST_F(XmppRoad, AServerOnAnotherMachineSignsInOverTlsAndOneWithoutTlsIsRefusedBeforeTheAccountIsSent)
{
    // The test host: a network namespace of the test run's, reached at an address of its own and
    // serving the domain its certificate names. Signing in there names the domain in the login.
    const std::string remote = Server().Command("remote-start tls");
    if (remote.rfind("unavailable", 0) == 0)
        GTEST_SKIP() << "this machine allows no test host off loopback: " << remote;
    CString address, domain;
    int port = 0;
    ASSERT_TRUE(ParseEndpoint(remote, address, port)) << remote;
    domain = CString(std::wstring(remote.begin() + remote.rfind(' ') + 1, remote.end()).c_str());
    const CString login = CString(kLogin) + L"@" + domain;
    StartSignInTo(address, port, login);
    ASSERT_TRUE(WaitSignedIn()) << LoginPanelError().GetString();
    testsupport::PumpMessages();
    ::PostMessageW(Wnd(), WM_LOGIN_CANCEL, 0, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !m_pDlg->IsSignedIn() && m_pDlg->GetPanels().GetLoginPanel(); }));

    // The same server without TLS: refused with the reason.
    ASSERT_TRUE(Server().Ok("remote-start plain"));
    StartSignInTo(address, port, login);
    ASSERT_TRUE(WaitLoginError());
    EXPECT_EQ(std::wstring(LoginPanelError()), std::wstring(CoreErrorText(QorErrNeedsTls)));
    Shot(L"plain_server_off_loopback_refused");
    Server().Ok("remote-stop");

    // What such a server gets: the stream's opening, and nothing of the account after it.
    const std::string trap = Server().Command("trap-start plain remote");
    ASSERT_TRUE(ParseEndpoint(trap, address, port)) << trap;
    StartSignInTo(address, port, login);
    ASSERT_TRUE(WaitLoginError());
    EXPECT_EQ(std::wstring(LoginPanelError()), std::wstring(CoreErrorText(QorErrNeedsTls)));
    EXPECT_EQ(Server().Command("trap-report"), "ok connections=1 handshakes=0 after=0");
    Server().Ok("trap-stop");
}

} // namespace
