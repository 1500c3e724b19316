// The network settings dialog under Wine: what it loads, what it refuses, what it stores and
// hands to the main window, and its effect on the sign-in panel that opens it (a new server, or
// the deletion of the server list and the saved users).
#include "framework/Platform.h"
#include "framework/FormatString.h"
#include "signin/CNetSetDlg.h"
#include "signin/LoginStore.h"
#include "tests/signin/LoginPanelFixture.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

class NetSettings : public LoginPanel {
protected:
    void TearDown() override
    {
        delete dlg_;
        dlg_ = nullptr;
        LoginPanel::TearDown();
        GetLoginStore().DeleteAll();
    }
    // The dialog over the panel, modeless so that the test can work it; OK or cancel hide it.
    CNetSetDlg* OpenSettings(LPCWSTR address = L"im.example", int port = 6660, bool locked = false)
    {
        CKorvelLoginDlg* panel = OpenPanel();
        if (!panel)
            return nullptr;
        main_->proxySets = 0; // the panel hands over the stored proxy when it loads
        dlg_ = new CNetSetDlg(panel, main_, address, port, locked);
        if (!dlg_->Create(IDD_NET_SETTINGS, panel))
            return nullptr;
        testsupport::PumpMessages();
        return dlg_;
    }
    static void ChooseProxy(CNetSetDlg* dlg, int item)
    {
        Control<CFlatComboBox>(dlg, IDC_NETSET_PROXY_TYPE).SetCurSel(item);
        ::SendMessageW(dlg->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_NETSET_PROXY_TYPE, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Control<CFlatComboBox>(dlg, IDC_NETSET_PROXY_TYPE).GetSafeHwnd()));
    }
    static _PROXYINFO Proxy(int type, int kind, LPCWSTR host, int port)
    {
        _PROXYINFO proxy;
        proxy.nType = type;
        proxy.nFlag = kind;
        proxy.strHost = host;
        proxy.nPort = port;
        proxy.strUser = L"user";
        proxy.strPassword = L"pw";
        proxy.strDomain = L"CORP";
        return proxy;
    }

    CNetSetDlg* dlg_ = nullptr;
};

TEST_F(NetSettings, LoadsTheStoredProxyAndTheServerList)
{
    SaveServers({Server(L"a.example", L"A", 6001), Server(L"b.example", L"B", 6002)});
    CQorViewBaseFun::SaveProxy(Proxy(1, 4, L"proxy.example", 8080));
    CNetSetDlg* dlg = OpenSettings(L"b.example", 6002, true);
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ(2, Control<CFlatComboBox>(dlg, IDC_NETSET_PROXY_TYPE).GetCurSel()); // kind 4: the HTTP proxy
    EXPECT_TRUE(Control<CSkinEdit>(dlg, IDC_NETSET_PROXY_HOST).IsWindowEnabled());
    EXPECT_EQ(CString(L"proxy.example"), WindowText(Control<CSkinEdit>(dlg, IDC_NETSET_PROXY_HOST).GetSafeHwnd()));
    EXPECT_EQ(CString(L"8080"), WindowText(Control<CSkinEdit>(dlg, IDC_NETSET_PROXY_PORT).GetSafeHwnd()));
    EXPECT_EQ(CString(L"CORP"), WindowText(Control<CSkinEdit>(dlg, IDC_NETSET_PROXY_DOMAIN).GetSafeHwnd()));
    ASSERT_EQ(2, Control<CFlatComboBox>(dlg, IDC_NETSET_SERVER).GetCount());
    EXPECT_EQ(2u, Control<CFlatComboBox>(dlg, IDC_NETSET_SERVER).GetItemData(1));
    EXPECT_EQ(CString(L"b.example"), WindowText(Control<CFlatComboBox>(dlg, IDC_NETSET_SERVER).GetSafeHwnd()));
    EXPECT_EQ(CString(L"6002"), WindowText(Control<CSkinEdit>(dlg, IDC_NETSET_SERVER_PORT).GetSafeHwnd()));
    EXPECT_FALSE(Control<CFlatComboBox>(dlg, IDC_NETSET_SERVER).IsWindowEnabled()); // the preset file fixes the server
    EXPECT_EQ(CString(L"xNormalEdit"), Control<CSkinEdit>(dlg, IDC_NETSET_PROXY_HOST).GetSkin());

    // Choosing "no proxy" disables the proxy fields, any proxy enables them.
    ChooseProxy(dlg, 0);
    EXPECT_FALSE(Control<CSkinEdit>(dlg, IDC_NETSET_PROXY_USER).IsWindowEnabled());
    ChooseProxy(dlg, 1);
    EXPECT_TRUE(Control<CSkinEdit>(dlg, IDC_NETSET_PROXY_USER).IsWindowEnabled());

    ::UpdateWindow(dlg->GetSafeHwnd());
    testsupport::SaveScreenshot(testsupport::ExeDir() + L"\\net_settings.bmp", dlg->GetSafeHwnd());
}

TEST_F(NetSettings, AStoredKindItDoesNotKnowLeavesNoProxySelected)
{
    CQorViewBaseFun::SaveProxy(Proxy(0, 7, L"", 0));
    CNetSetDlg* dlg = OpenSettings();
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ(0, Control<CFlatComboBox>(dlg, IDC_NETSET_PROXY_TYPE).GetCurSel());
    EXPECT_FALSE(Control<CSkinEdit>(dlg, IDC_NETSET_PROXY_HOST).IsWindowEnabled());
}

TEST_F(NetSettings, OkRefusesWhatNoServerOrProxyCouldUse)
{
    CString portRange;
    AfxFormatString2(portRange, IDS_PORT_RANGE, L"1", L"65535");
    const CString noServer = CQorViewBaseFun::LoadStringW(IDS_ENTER_SERVER);
    const CString proxyIncomplete = CQorViewBaseFun::LoadStringW(IDS_PROXY_INCOMPLETE);
    const struct {
        const wchar_t* address;
        const wchar_t* port;
        int proxyItem;
        const wchar_t* proxyHost;
        const wchar_t* proxyPort;
        const CString* refusal; // null: accepted
    } cases[] = {
        {L"im.example", L"0", 0, L"", L"", &portRange},
        {L"im.example", L"65536", 0, L"", L"", &portRange},
        {L"im.example", L"66a0", 0, L"", L"", &portRange},
        {L"im.example", L"", 0, L"", L"", &portRange},
        {L"", L"6660", 0, L"", L"", &noServer},
        {L"   ", L"6660", 0, L"", L"", &noServer},
        {L"im.example", L"1", 0, L"", L"", nullptr},
        {L"im.example", L"65535", 0, L"", L"", nullptr},
        {L"im.example", L"6660", 1, L"", L"1080", &proxyIncomplete},
        {L"im.example", L"6660", 1, L"socks.example", L"0", &proxyIncomplete},
        {L"im.example", L"6660", 2, L"proxy.example", L"65536", &proxyIncomplete},
        {L"im.example", L"6660", 2, L"proxy.example", L"http", &proxyIncomplete},
        {L"im.example", L"6660", 1, L"socks.example", L"1080", nullptr},
    };
    for (const auto& c : cases) {
        CNetSetDlg* dlg = OpenSettings();
        ASSERT_NE(nullptr, dlg);
        qorview_test::ClearCalls();
        Control<CFlatComboBox>(dlg, IDC_NETSET_SERVER).SetWindowText(c.address);
        Control<CSkinEdit>(dlg, IDC_NETSET_SERVER_PORT).SetWindowText(c.port);
        ChooseProxy(dlg, c.proxyItem);
        Control<CSkinEdit>(dlg, IDC_NETSET_PROXY_HOST).SetWindowText(c.proxyHost);
        Control<CSkinEdit>(dlg, IDC_NETSET_PROXY_PORT).SetWindowText(c.proxyPort);
        Click(Control<CxButtonBase>(dlg, IDOK));
        std::wstring what = std::wstring(c.address) + L":" + c.port + L" " + c.proxyHost + L":" + c.proxyPort;
        if (c.refusal) {
            EXPECT_TRUE(dlg->IsWindowVisible()) << what;
            EXPECT_EQ(0u, qorview_test::LastArgs(L"QorMessageBox").find(c.refusal->GetString())) << what;
            EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewBaseFun::SaveProxy")) << what;
            EXPECT_EQ(0, main_->proxySets) << what;
        } else {
            EXPECT_FALSE(dlg->IsWindowVisible()) << what;
            EXPECT_EQ(0, qorview_test::CountCalls(L"QorMessageBox")) << what;
        }
        delete dlg_;
        dlg_ = nullptr;
        CloseMain();
    }
}

TEST_F(NetSettings, AcceptedProxyIsStoredAndHandedToTheMainWindow)
{
    const struct {
        int item;
        const wchar_t* host;
        int type, kind;
    } cases[] = {{1, L"socks.example", 1, 3}, {2, L"proxy.example", 1, 4}, {0, L"", 0, 0}};
    for (const auto& c : cases) {
        CNetSetDlg* dlg = OpenSettings();
        ASSERT_NE(nullptr, dlg);
        ChooseProxy(dlg, c.item);
        Control<CSkinEdit>(dlg, IDC_NETSET_PROXY_HOST).SetWindowText(c.host);
        Control<CSkinEdit>(dlg, IDC_NETSET_PROXY_PORT).SetWindowText(L"3128");
        Control<CSkinEdit>(dlg, IDC_NETSET_PROXY_USER).SetWindowText(L"ann");
        Control<CSkinEdit>(dlg, IDC_NETSET_PROXY_PASSWORD).SetWindowText(L"s3cret");
        Control<CSkinEdit>(dlg, IDC_NETSET_PROXY_DOMAIN).SetWindowText(L"CORP");
        Control<CSkinEdit>(dlg, IDC_NETSET_SERVER_PORT).SetWindowText(L"7002");
        Click(Control<CxButtonBase>(dlg, IDOK));
        ASSERT_FALSE(dlg->IsWindowVisible()) << c.item;
        EXPECT_EQ(7002, dlg->GetServerPort());
        EXPECT_EQ(1, main_->proxySets);
        EXPECT_EQ(c.type, main_->proxy.nType) << c.item;
        EXPECT_EQ(c.kind, main_->proxy.nFlag) << c.item;
        EXPECT_EQ(CString(c.host), main_->proxy.strHost) << c.item;
        EXPECT_EQ(CString(L"CORP"), main_->proxy.strDomain) << c.item;
        _PROXYINFO stored;
        ASSERT_TRUE(CQorViewBaseFun::LoadProxy(stored));
        EXPECT_EQ(c.type, stored.nType) << c.item;
        EXPECT_EQ(c.kind, stored.nFlag) << c.item;
        EXPECT_EQ(3128, stored.nPort) << c.item;
        EXPECT_EQ(CString(L"ann"), stored.strUser) << c.item;
        EXPECT_EQ(CString(L"s3cret"), stored.strPassword) << c.item;
        delete dlg_;
        dlg_ = nullptr;
        CloseMain();
    }
}

// --- Run by the sign-in panel, modally -----------------------------------------------------------

// Works the modal dialog from inside its own message loop: a thread timer finds the dialog
// and runs the test's action on it.
std::function<void(HWND)> g_inDialog;
BOOL CALLBACK FindSettings(HWND hWnd, LPARAM lParam)
{
    if (::GetDlgItem(hWnd, IDC_NETSET_DELETE) && ::IsWindowVisible(hWnd)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}
VOID CALLBACK ActInDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND hDlg = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindSettings, reinterpret_cast<LPARAM>(&hDlg));
    if (!hDlg)
        return;
    ::KillTimer(nullptr, id);
    g_inDialog(hDlg);
}

class NetSettingsFromThePanel : public LoginPanel {
protected:
    void SetUp() override
    {
        LoginPanel::SetUp();
        CKorvelLoginDlg::SetNetSettingsRunner(&CNetSetDlg::RunModal);
    }
    void TearDown() override
    {
        LoginPanel::TearDown();
        GetLoginStore().DeleteAll();
    }
    void ClickNetSettings(CKorvelLoginDlg* panel, std::function<void(HWND)> action)
    {
        g_inDialog = std::move(action);
        ::SetTimer(nullptr, 0, 0, &ActInDialog);
        ::SendMessageW(Control<CxButtonBase>(panel, IDC_NET_SETTINGS).GetSafeHwnd(), BM_CLICK, 0, 0);
        testsupport::PumpMessages();
    }
};

TEST_F(NetSettingsFromThePanel, OkMakesTheNewServerCurrent)
{
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    panel->GetSettings().SetCurrentAddress(L"old.example", panel->GetSettings().GetCurrentPort());
    bool seen = false;
    ClickNetSettings(panel, [&](HWND hDlg) {
        seen = WindowText(::GetDlgItem(hDlg, IDC_NETSET_SERVER)) == L"old.example";
        ::SetDlgItemTextW(hDlg, IDC_NETSET_SERVER, L"new.example");
        ::SetDlgItemTextW(hDlg, IDC_NETSET_SERVER_PORT, L"7010");
        ::SendMessageW(hDlg, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(seen);
    EXPECT_EQ(CString(L"new.example"), panel->GetSettings().GetCurrentAddress());
    EXPECT_EQ(7010, panel->GetSettings().GetCurrentPort());
    EXPECT_EQ(CString(L"new.example"), WindowText(Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).GetSafeHwnd()));
    EXPECT_EQ(0, CQorViewMgr::Instance()->m_bNetSetOpen);
}

TEST_F(NetSettingsFromThePanel, DeletingForgetsTheServersAndUsersForGood)
{
    SaveServers({Server(L"a.example", L"A", 6001), Server(L"b.example", L"B", 6002)});
    CStringArray users;
    users.Add(L"alice");
    users.Add(L"bob");
    CQorViewBaseFun::SaveLoginedUsers(users);
    CQorViewBaseFun::SaveSetting(Server(L"a.example", L"A", 6001), L"alice", L"pw", TRUE, FALSE, TRUE, 3);
    SavedLoginRecord record;
    record.strUserKey = L"alice";
    record.strUserName = L"Alice";
    record.strPassword = L"pw";
    record.nSavePassword = 1;
    GetLoginStore().SetLoginRecord(L"a.example", 6001, record);
    GetLoginStore().SaveLoginStore(L"a.example", 6001);

    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    ASSERT_EQ(2, panel->GetSettings().GetServerCount());
    qorview_test::PushMessageBoxAnswer(IDOK); // yes, delete
    ClickNetSettings(panel, [](HWND hDlg) {
        ::SendMessageW(::GetDlgItem(hDlg, IDC_NETSET_DELETE), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewBaseFun::DeleteServerAndUserInfo"));
    EXPECT_EQ(0, panel->GetSettings().GetServerCount());
    EXPECT_EQ(0, panel->GetSettings().GetSavedUsers().GetSize());
    EXPECT_EQ(0, Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).GetCount());
    EXPECT_EQ(0, Control<CACEdit>(panel, IDC_USER_EDIT).GetSearchStrings().GetSize());
    EXPECT_EQ(CString(L"a.example"), panel->GetSettings().GetCurrentAddress()); // the dialog's members as they were

    // The next successful sign-in writes none of them back.
    SetText(Control<CACEdit>(panel, IDC_USER_EDIT), L"carol");
    ASSERT_TRUE(panel->StartLogin());
    panel->SaveLoginInfo();
    CServerItemArray servers;
    CQorViewBaseFun::LoadServerList(servers);
    EXPECT_EQ(0, servers.GetSize());
    CStringArray saved;
    CQorViewBaseFun::LoadLoginedUsers(saved);
    ASSERT_EQ(1, saved.GetSize());
    EXPECT_EQ(CString(L"carol"), saved[0]);
    LoginStore fresh;
    fresh.LoadLoginStore(L"a.example", 6001);
    CString password;
    EXPECT_FALSE(fresh.GetSavedPassword(L"a.example", 6001, L"alice", password));
}

TEST_F(NetSettingsFromThePanel, CancelChangesNothing)
{
    CKorvelLoginDlg* panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    panel->GetSettings().SetCurrentAddress(L"old.example", panel->GetSettings().GetCurrentPort());
    panel->GetSettings().SetCurrentAddress(panel->GetSettings().GetCurrentAddress(), 6005);
    ClickNetSettings(panel, [](HWND hDlg) {
        ::SetDlgItemTextW(hDlg, IDC_NETSET_SERVER, L"new.example");
        ::SendMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(CString(L"old.example"), panel->GetSettings().GetCurrentAddress());
    EXPECT_EQ(6005, panel->GetSettings().GetCurrentPort());
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewBaseFun::SaveProxy"));
}

} // namespace
