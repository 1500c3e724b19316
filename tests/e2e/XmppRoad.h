#pragma once
// The fixture of the end-to-end tests: the real main window signs in through the view library
// and the core component to the test run's Prosody on loopback (tools/xmpp-test-server), over TLS
// with a certificate of the test authority the run trusts in the Wine prefix; the server's
// controller also drives the peer client.
#include "app/CAccountLock.h"
#include "app/CKorvelBaseDlg.h"
#include "app/KorvelMessages.h"
#include "platform/QorCore/IQorMsg.h"
#include "platform/QorCore/QorCoreIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorResource/SignInResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/e2e/XmppServerControl.h"
#include <string>


constexpr wchar_t kLogin[] = L"alice";
constexpr wchar_t kPassword[] = L"alice-pw";
// Pump rounds (of up to 5 ms each, more under load) for one sign-in step.
constexpr int kRounds = 12000;

inline CString WindowText(HWND hWnd)
{
    wchar_t buffer[1024] = {};
    ::GetWindowTextW(hWnd, buffer, 1024);
    return buffer;
}

inline XmppServerControl& Server()
{
    static XmppServerControl server;
    return server;
}

class XmppRoad : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(Server().IsReady()) << std::string(Server().Error().begin(), Server().Error().end());
        ASSERT_TRUE(Server().Ok("server-start"));
        work_ = testsupport::TempDir(L"korvel_xmpp_work");
        qorview_test::SetWorkDir(work_);
        qorview_test::UseCoreSignIn();
        qorview_test::SetMuteSounds(true);
        CQorViewMgr* pMgr = CQorViewMgr::Instance();
        pMgr->m_dwServerOption1 = pMgr->m_dwServerOption2 = 0;
        ::InitializeCriticalSection(&otherGuard_);
        ASSERT_TRUE(CreateMain());
    }
    void TearDown() override
    {
        other_.Release();
        MainWindowFixture::TearDown();
        ::DeleteCriticalSection(&otherGuard_);
        qorview_test::SetWorkDir(L"");
        qorview_test::SetMuteSounds(false);
        CQorViewMgr::Instance()->m_strChangePwdAccount.Empty();
        testsupport::RemoveTree(work_);
        Server().Ok("server-start");
    }

    HWND Wnd() const { return m_pDlg->GetSafeHwnd(); }
    CString ServerAddr() const { return CString(Server().Domain().c_str()); }

    // Starts a sign-in with these fields and pumps until it has an outcome: signed in, an error
    // on the sign-in panel, or the reconnect countdown.
    void StartSignIn(const wchar_t* password = kPassword, int status = 3)
    {
        StartSignInTo(ServerAddr(), Server().XmppPort(), kLogin, password, status);
    }
    // The same with another server and login name (a server elsewhere, a test server).
    void StartSignInTo(const CString& server, int port, const CString& login, const wchar_t* password = kPassword,
                       int status = 3)
    {
        LoginFields fields = m_pDlg->GetLoginFields();
        fields.strServerAddr = server;
        fields.nServerPort = port;
        fields.strLoginName = login;
        fields.strPassword = password;
        fields.nLoginStatus = status;
        fields.nLoginFlags = 0;
        m_pDlg->SetLoginFields(fields);
        // Sent, not posted: the progress panel stands when this returns, whereas the outcome
        // (which may be quick: a refused connection on loopback) comes later through the queue.
        ::SendMessageW(Wnd(), WM_LOGIN_START, 0, 0);
    }
    bool WaitSignedIn()
    {
        return testsupport::PumpUntil([&] { return m_pDlg->IsSignedIn(); }, kRounds);
    }
    bool SignIn(int status = 3)
    {
        StartSignIn(kPassword, status);
        if (!WaitSignedIn())
            return false;
        testsupport::PumpMessages();
        return true;
    }
    bool WaitLoginError()
    {
        return testsupport::PumpUntil([&] { return !LoginPanelError().IsEmpty() && !m_pDlg->GetPanels().GetWaitPanel(); }, kRounds);
    }
    CString LoginPanelError() const
    {
        return m_pDlg->GetPanels().GetLoginPanel() ? WindowText(::GetDlgItem(m_pDlg->GetPanels().GetLoginPanel()->GetSafeHwnd(), IDC_ERROR_TEXT))
                                   : CString();
    }
    static CString CoreErrorText(int error)
    {
        CString text, extra;
        CQorViewMgr::Instance()->GetQorCoreErrorInfo(error, text, extra);
        CString message;
        message.Format(L"%s: %s", CQorViewBaseFun::LoadStringW(IDS_LOGIN_ERROR_CAPTION).GetString(), text.GetString());
        return message;
    }
    HANDLE AccountMutex() const { return apptest::App().m_hAccountMutex; }
    // Another process's attempt at the same account: refused while this one holds it.
    CAccountLock::TakeResult OtherProcessTakes()
    {
        CAccountLock::TakeResult result =
            other_.Take(CAccountLock::MutexName(ServerAddr(), Server().XmppPort(), kLogin));
        other_.Release();
        return result;
    }
    bool WaitCountdown()
    {
        return testsupport::PumpUntil([&] { return m_pDlg->GetPanels().GetReconnectPanel() && !m_pDlg->IsSignedIn() &&
                                                   ::IsWindowVisible(m_pDlg->GetPanels().GetReconnectPanel()->GetSafeHwnd()); },
                                      kRounds);
    }
    void ClickOnReconnectPanel(int id)
    {
        HWND button = ::GetDlgItem(m_pDlg->GetPanels().GetReconnectPanel()->GetSafeHwnd(), id);
        ASSERT_NE(button, nullptr);
        ::SendMessageW(button, BM_CLICK, 0, 0);
    }
    // A message of the user to bob, sent as the chat window sends it: through the held core
    // message and the quick send.
    void SendToBob(const std::wstring& text)
    {
        CLSID clsid = {};
        IQorMsg* msg = nullptr;
        ASSERT_TRUE(SUCCEEDED(::CLSIDFromProgID(kProgIdQorMsg, &clsid)));
        ASSERT_TRUE(SUCCEEDED(
            ::CoCreateInstance(clsid, nullptr, kQorCoreClsCtx, IID_IQorMsg, reinterpret_cast<void**>(&msg))));
        BSTR body = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        BSTR account = ::SysAllocString(L"bob"), name = ::SysAllocString(L"Bob");
        msg->put_Subject(body);
        msg->AddReceiver(account, name);
        ::SysFreeString(body);
        ::SysFreeString(account);
        ::SysFreeString(name);
        CQorViewMgr::Instance()->SetQorMsg(msg);
        msg->Release();
        ::SendMessageW(Wnd(), WM_QUICK_SEND_MSG, 1, 0);
    }
    // The user's choice in the status menu.
    void ChooseStatus(UINT command)
    {
        ::SendMessageW(Wnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        testsupport::PumpMessages();
    }
    void Shot(const wchar_t* name)
    {
        ::RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        testsupport::PumpMessages();
        const std::wstring dir = testsupport::ExeDir() + L"\\screenshots";
        ::CreateDirectoryW(dir.c_str(), nullptr);
        EXPECT_TRUE(testsupport::SaveScreenshot(dir + L"\\" + name + L".bmp", Wnd()));
    }

    std::wstring work_;
    CRITICAL_SECTION otherGuard_;
    HANDLE otherMutex_ = nullptr;
    CAccountLock other_{otherGuard_, otherMutex_};
};
