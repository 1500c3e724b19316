// The sign-in road's decisions without a window: what each code does, the account lock's names
// and its behaviour between two holders, the order of a sign-out and of a reset, the remembered
// account, and the web sign-in's reply.
#include "app/CAccountLock.h"
#include "app/CSignInFlow.h"
#include "app/CSignOut.h"
#include "app/CWebSignIn.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Flow = CSignInFlow;

TEST(SignInCodesTest, LoginNotifyCodesTable)
{
    const struct {
        int code;
        bool loginPanel, reconnectPanel, resumed;
        Flow::NotifyAction action;
        int result;
    } cases[] = {
        {7, true, false, false, Flow::NOTIFY_CONNECTION_LOST, 1},
        {7, false, true, true, Flow::NOTIFY_CONNECTION_LOST, 1},
        // 8 and 20: the error on a first sign-in; the countdown again while reconnecting or after a resume
        {8, true, false, false, Flow::NOTIFY_FAILED, 1},
        {20, true, false, false, Flow::NOTIFY_FAILED, 1},
        {8, false, true, false, Flow::NOTIFY_RETRY_LATER, 1},
        {20, true, false, true, Flow::NOTIFY_RETRY_LATER, 1},
        {20, false, false, true, Flow::NOTIFY_RETRY_LATER, 1},
        {13, true, false, false, Flow::NOTIFY_FAILED, 1},
        {13, false, true, true, Flow::NOTIFY_FAILED, 1},
        {12, true, false, false, Flow::NOTIFY_SIGNED_IN, 1},
        {12, false, true, false, Flow::NOTIFY_IGNORED, -1},
        {1, true, false, false, Flow::NOTIFY_STAGE, 1},
        // Without a sign-in panel (a reconnect) the stages still reach the progress panel, so
        // that its final stages end the attempt.
        {3, false, true, false, Flow::NOTIFY_STAGE, -1},
        {17, true, false, false, Flow::NOTIFY_STAGE, 1},
    };
    for (const auto& c : cases) {
        const Flow::NotifyDecision d = Flow::ClassifyLoginNotify(c.code, c.loginPanel, c.reconnectPanel, c.resumed);
        EXPECT_EQ(d.action, c.action) << "code " << c.code << " panels " << c.loginPanel << c.reconnectPanel << c.resumed;
        EXPECT_EQ(d.nResult, c.result) << "code " << c.code;
    }
}

TEST(SignInCodesTest, ConnectStateCodesTable)
{
    const struct {
        int code;
        Flow::StateAction action;
        bool endsHold;
    } cases[] = {
        {12, Flow::STATE_SIGNED_IN, false}, {17, Flow::STATE_SOCKET_CLOSED, true}, {18, Flow::STATE_REPAIRED, false},
        {7, Flow::STATE_NOTIFY, true},      {8, Flow::STATE_NOTIFY, true},         {13, Flow::STATE_NOTIFY, true},
        {20, Flow::STATE_NOTIFY, true},     {1, Flow::STATE_NOTIFY, false},        {2, Flow::STATE_NOTIFY, false},
        {3, Flow::STATE_NOTIFY, false},     {11, Flow::STATE_NOTIFY, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Flow::ClassifyConnectState(c.code), c.action) << c.code;
        EXPECT_EQ(Flow::EndsAccountHold(c.code), c.endsHold) << c.code;
    }
}

// ---------------------------------------------------------------------------------------------
// The account lock

TEST(AccountLockTest, MutexNamesTellAccountsApartButNotLetterCase)
{
    const CString base = CAccountLock::MutexName(L"im.example.com", 5222, L"ann");
    EXPECT_EQ(CAccountLock::MutexName(L"IM.Example.COM", 5222, L"ANN"), base);
    EXPECT_EQ(base.Find(L'\\'), -1);
    const struct {
        const wchar_t *server1, *login1, *server2, *login2;
    } distinct[] = {
        {L"a-b", L"c", L"a", L"b-c"},         // the separator inside a part
        {L"a", L"b%2Dc", L"a", L"b-c"},       // an escape written by hand
        {L"srv\\x", L"ann", L"srv", L"x\\ann"},
    };
    for (const auto& d : distinct) {
        EXPECT_NE(CAccountLock::MutexName(d.server1, 6660, d.login1), CAccountLock::MutexName(d.server2, 6660, d.login2))
            << d.server1 << " " << d.login1;
    }
    EXPECT_NE(CAccountLock::MutexName(L"a", 6660, L"b"), CAccountLock::MutexName(L"a", 6661, L"b"));
    EXPECT_EQ(CAccountLock::PropertyName(L"Im.Example.com", 5222, L"Ann"), CString(L"Im.Example.com-5222-Ann"));
}

// Two locks over their own fields behave like two processes on the machine.
class AccountLocks : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::InitializeCriticalSection(&cs1);
        ::InitializeCriticalSection(&cs2);
        name = CAccountLock::MutexName(L"lock.test", 6660, L"ann" + CString(std::to_wstring(::GetTickCount()).c_str()));
    }
    void TearDown() override
    {
        first.Release();
        second.Release();
        ::DeleteCriticalSection(&cs1);
        ::DeleteCriticalSection(&cs2);
    }
    CRITICAL_SECTION cs1, cs2;
    HANDLE h1 = nullptr, h2 = nullptr;
    CAccountLock first{cs1, h1};
    CAccountLock second{cs2, h2};
    CString name;
};

TEST_F(AccountLocks, OneHolderAtATimeAndARepeatedTakeKeepsOneHandle)
{
    EXPECT_EQ(first.Take(name), CAccountLock::TAKEN);
    const HANDLE held = h1;
    EXPECT_EQ(first.Take(name), CAccountLock::ALREADY_HELD);
    EXPECT_EQ(h1, held);
    EXPECT_EQ(second.Take(name), CAccountLock::SIGNED_IN_ELSEWHERE);
    EXPECT_EQ(h2, nullptr);
    EXPECT_TRUE(first.Release());
    EXPECT_FALSE(first.Release());
    EXPECT_EQ(second.Take(name), CAccountLock::TAKEN);
}

TEST_F(AccountLocks, ABackslashInTheAccountStillLocks)
{
    const CString odd = CAccountLock::MutexName(L"srv\\share", 6660, L"dom\\ann");
    EXPECT_EQ(first.Take(odd), CAccountLock::TAKEN);
    EXPECT_EQ(second.Take(odd), CAccountLock::SIGNED_IN_ELSEWHERE);
}

TEST_F(AccountLocks, TakingAnotherAccountGivesTheFirstBack)
{
    const CString other = CAccountLock::MutexName(L"lock.test", 6660, L"bob" + CString(std::to_wstring(::GetTickCount()).c_str()));
    ASSERT_EQ(first.Take(name), CAccountLock::TAKEN);
    ASSERT_EQ(first.Take(other), CAccountLock::TAKEN);
    EXPECT_EQ(second.Take(name), CAccountLock::TAKEN);
}

TEST_F(AccountLocks, ThePropertyGoesWithTheMutex)
{
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hWnd, nullptr);
    ASSERT_EQ(first.Take(name), CAccountLock::TAKEN);
    first.SetProperty(hWnd, L"lock.test-6660-ann");
    EXPECT_EQ(::GetPropW(hWnd, L"lock.test-6660-ann"), reinterpret_cast<HANDLE>(1));
    first.Release();
    EXPECT_EQ(::GetPropW(hWnd, L"lock.test-6660-ann"), nullptr);
    EXPECT_TRUE(first.GetPropertyName().IsEmpty());
    ::DestroyWindow(hWnd);
}

// ---------------------------------------------------------------------------------------------
// The order of a sign-out and of a reset

class RecordingSteps : public ISignOutSteps {
public:
    std::vector<std::string> steps;
    void CloseAllMessageBoxes() override { steps.push_back("boxes"); }
    void ReleaseAccount() override { steps.push_back("account"); }
    void MarkSignedOut() override { steps.push_back("signed-out"); }
    void CloseWaitPanel() override { steps.push_back("wait-panel"); }
    void CloseReconnectPanel() override { steps.push_back("reconnect-panel"); }
    void CloseMessageCentre() override { steps.push_back("centre"); }
    void StopAutoAway() override { steps.push_back("auto-away"); }
    void RemoveSessionTips() override { steps.push_back("tips"); }
    void ClearViewData() override { steps.push_back("view-data"); }
    void ForgetAccount() override { steps.push_back("forget"); }
    void CloseDatabase() override { steps.push_back("database"); }
    void ReleaseCallbacks() override { steps.push_back("release-callbacks"); }
    void ShowOfflineTrayIcon() override { steps.push_back("tray"); }
    void CreateCallbacks() override { steps.push_back("create-callbacks"); }
    void ShowLoginPanel() override { steps.push_back("login-panel"); }
    void ShowReconnectPanel(bool bStart) override { steps.push_back(bStart ? "countdown" : "reconnect-idle"); }
};

TEST(SignOutOrderTest, DoLogoutRunsEveryStepInOrder)
{
    RecordingSteps r;
    CSignOut::DoLogout(r);
    const std::vector<std::string> expected = {
        "boxes",     "account", "signed-out",        "wait-panel", "reconnect-panel",  "centre",     "auto-away",
        "tips",      "view-data", "forget",          "database",   "release-callbacks", "tray", "create-callbacks",
        "login-panel"};
    EXPECT_EQ(r.steps, expected);
}

TEST(SignOutOrderTest, ResetKeepsTheDatabaseAndTheAccountAndCountsDown)
{
    for (bool start : {true, false}) {
        RecordingSteps r;
        CSignOut::ResetForReconnect(r, start);
        const std::vector<std::string> expected = {
            "boxes", "account", "signed-out", "auto-away", "tips", "view-data", "release-callbacks",
            "tray", "create-callbacks", "centre", start ? "countdown" : "reconnect-idle"};
        EXPECT_EQ(r.steps, expected);
    }
}

TEST(SignOutOrderTest, RememberedAccountFollowsTheSettings)
{
    const struct {
        bool rememberMe, savePassword, keepsLogin, keepsPassword;
    } cases[] = {
        {true, true, true, true}, {true, false, true, false}, {false, true, false, false}, {false, false, false, false}};
    for (const auto& c : cases) {
        CString login = L"ann", password = L"secret";
        CSignOut::ApplyRememberedAccount(login, password, c.rememberMe, c.savePassword);
        EXPECT_EQ(!login.IsEmpty(), c.keepsLogin) << c.rememberMe << c.savePassword;
        EXPECT_EQ(!password.IsEmpty(), c.keepsPassword) << c.rememberMe << c.savePassword;
    }
}

// ---------------------------------------------------------------------------------------------
// The web sign-in's reply

TEST(WebSignInReplyTest, StateAndMessageOfTheReply)
{
    const struct {
        const char* reply;
        const wchar_t* state;
        const wchar_t* message;
    } cases[] = {
        {"<Result><State>0</State></Result>", L"0", L"<Result><State>0</State></Result>"},
        {"<?xml version=\"1.0\"?><Result><State>1</State><Other/><Msg>No such user</Msg></Result>", L"1", L"No such user"},
        // The text is UTF-8 ("Grüße").
        {"<Result><State>2</State><Msg>Gr\xC3\xBC\xC3\x9F" "e</Msg></Result>", L"2", L"Gr\u00FC\u00DFe"},
        {"<Result><State/><Msg/></Result>", L"", L""},
        {"<Result><Msg>before</Msg><State>5</State></Result>", L"5", L"<Result><Msg>before</Msg><State>5</State></Result>"},
        {"<Answer><State>0</State></Answer>", L"", L"<Answer><State>0</State></Answer>"},
        {"not xml at all", L"", L"not xml at all"},
        {"", L"", L""},
    };
    for (const auto& c : cases) {
        CString state, message;
        CWebSignIn::ParseReply(CStringA(c.reply), state, message);
        EXPECT_EQ(state, CString(c.state)) << c.reply;
        EXPECT_EQ(message, CString(c.message)) << c.reply;
    }
    EXPECT_TRUE(CWebSignIn::IsAccepted(L"0"));
    EXPECT_FALSE(CWebSignIn::IsAccepted(L"00"));
    EXPECT_FALSE(CWebSignIn::IsAccepted(L""));
}

} // namespace
