// The view library's per-user settings: every Save/Set lands in the INI file under the
// profile and comes back through the matching Load/Is call.
#include "framework/Platform.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <fstream>
#include <iterator>
#include <string>

namespace {

class QorViewSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = testsupport::TempDir(L"qorview_settings");
        qorview_test::SetProfileRoot(root_);
        qorview_test::ClearCalls();
    }
    void TearDown() override
    {
        qorview_test::SetProfileRoot(L"");
        testsupport::RemoveTree(root_);
    }
    // The settings file's bytes, for checks on what is (not) stored.
    std::string IniBytes() const
    {
        std::ifstream in((root_ + L"\\Option\\Korvel.ini").c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static bool ContainsUtf16(const std::string& bytes, const wchar_t* text)
    {
        std::string needle(reinterpret_cast<const char*>(text), wcslen(text) * sizeof(wchar_t));
        return bytes.find(needle) != std::string::npos;
    }
    std::wstring root_;
};

TEST_F(QorViewSettings, FoldersAreCreatedUnderTheProfileRoot)
{
    CString skin = CQorViewBaseFun::GetMySkinFilePathInfo();
    CString data = CQorViewBaseFun::GetKorvelDataFolder();
    CString option = CQorViewBaseFun::GetKorvelOptionFolder();
    CString received = CQorViewBaseFun::GetMyDataSavePathInfo();
    for (const CString* f : {&skin, &data, &option, &received}) {
        ASSERT_FALSE(f->IsEmpty());
        EXPECT_EQ(0, f->Find(root_.c_str())) << f->GetString();
        EXPECT_TRUE(CQorViewBaseFun::ExistDir(*f)) << f->GetString();
    }
    EXPECT_NE(skin, data);
    EXPECT_FALSE(CQorViewBaseFun::GetWorkDir().IsEmpty());
}

TEST_F(QorViewSettings, DataSaveFolderIsKeptAndGivenBack)
{
    CString mine = CString(root_.c_str()) + L"\\Mine\\Files";
    CQorViewBaseFun::SetMyDataSavePathInfo(mine + L"\\");
    EXPECT_EQ(mine, CQorViewBaseFun::GetMyDataSavePathInfo());
    EXPECT_TRUE(CQorViewBaseFun::ExistDir(mine));
}

TEST_F(QorViewSettings, ServerListRoundTripKeepsOrderAndText)
{
    CServerItemArray none;
    EXPECT_EQ(0, CQorViewBaseFun::LoadServerList(none));

    CServerItemArray servers;
    servers.Add(_SERVERITEM{L"im.example.com", L"Head office", 6660});
    servers.Add(_SERVERITEM{L"10.0.0.7", L"  Branch \x4e0a\x6d77 ", 6661});
    servers.Add(_SERVERITEM{L"a=b;c", L"", 0});
    ASSERT_TRUE(CQorViewBaseFun::SaveServerList(servers));

    CServerItemArray loaded;
    ASSERT_EQ(3, CQorViewBaseFun::LoadServerList(loaded));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(servers[i].strServer, loaded[i].strServer);
        EXPECT_EQ(servers[i].strName, loaded[i].strName);
        EXPECT_EQ(servers[i].nPort, loaded[i].nPort);
    }

    // A shorter list replaces the longer one entirely.
    servers.RemoveAt(0, 2);
    ASSERT_TRUE(CQorViewBaseFun::SaveServerList(servers));
    ASSERT_EQ(1, CQorViewBaseFun::LoadServerList(loaded));
    EXPECT_EQ(CString(L"a=b;c"), loaded[0].strServer);
}

TEST_F(QorViewSettings, SavedUsersRoundTrip)
{
    CStringArray users;
    users.Add(L"alice");
    users.Add(L"bob smith");
    ASSERT_TRUE(CQorViewBaseFun::SaveLoginedUsers(users));
    CStringArray loaded;
    ASSERT_EQ(2, CQorViewBaseFun::LoadLoginedUsers(loaded));
    EXPECT_EQ(CString(L"alice"), loaded[0]);
    EXPECT_EQ(CString(L"bob smith"), loaded[1]);
}

TEST_F(QorViewSettings, SettingRoundTripStoresThePasswordOnlyWhenAskedAndNeverInTheClear)
{
    _SERVERITEM server{L"im.example.com", L"Head office", 6660};
    CString user, password;
    BOOL savePwd = -1, autoLogin = -1, remember = -1;
    int status = -1;
    _SERVERITEM last;
    EXPECT_FALSE(CQorViewBaseFun::LoadSetting(last, user, password, savePwd, autoLogin, remember, status));

    ASSERT_TRUE(CQorViewBaseFun::SaveSetting(server, L"alice", L"s3cret!pw", TRUE, TRUE, TRUE, 5));
    ASSERT_TRUE(CQorViewBaseFun::LoadSetting(last, user, password, savePwd, autoLogin, remember, status));
    EXPECT_EQ(server.strServer, last.strServer);
    EXPECT_EQ(server.strName, last.strName);
    EXPECT_EQ(6660, last.nPort);
    EXPECT_EQ(CString(L"alice"), user);
    EXPECT_EQ(CString(L"s3cret!pw"), password);
    EXPECT_TRUE(savePwd);
    EXPECT_TRUE(autoLogin);
    EXPECT_TRUE(remember);
    EXPECT_EQ(5, status);
    EXPECT_TRUE(CQorViewBaseFun::IsSavePwd());
    EXPECT_TRUE(CQorViewBaseFun::IsAutoLogin());
    EXPECT_TRUE(CQorViewBaseFun::IsRememberMe());
    EXPECT_FALSE(ContainsUtf16(IniBytes(), L"s3cret!pw"));

    ASSERT_TRUE(CQorViewBaseFun::SaveSetting(server, L"alice", L"s3cret!pw", FALSE, FALSE, FALSE, 3));
    ASSERT_TRUE(CQorViewBaseFun::LoadSetting(last, user, password, savePwd, autoLogin, remember, status));
    EXPECT_TRUE(password.IsEmpty());
    EXPECT_FALSE(savePwd);
    EXPECT_FALSE(remember);
}

TEST_F(QorViewSettings, CheckBoxSettersStoreAtOnce)
{
    CQorViewBaseFun::SaveSetting(_SERVERITEM{L"h", L"", 1}, L"u", L"pw", TRUE, FALSE, TRUE, 3);
    CQorViewBaseFun::SetAutoLoginInfo(TRUE);
    EXPECT_TRUE(CQorViewBaseFun::IsAutoLogin());
    CQorViewBaseFun::SetRememberMeInfo(FALSE);
    EXPECT_FALSE(CQorViewBaseFun::IsRememberMe());
    // Switching password saving off forgets the stored password too.
    CQorViewBaseFun::SetSavePassword(FALSE);
    EXPECT_FALSE(CQorViewBaseFun::IsSavePwd());
    CQorViewBaseFun::SetSavePassword(TRUE);
    _SERVERITEM last;
    CString user, password;
    BOOL a, b, c;
    int status;
    CQorViewBaseFun::LoadSetting(last, user, password, a, b, c, status);
    EXPECT_TRUE(password.IsEmpty());
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewBaseFun::SetRememberMeInfo"));
    EXPECT_EQ(L"0", qorview_test::LastArgs(L"CQorViewBaseFun::SetRememberMeInfo"));
}

TEST_F(QorViewSettings, SettingExAndProxyRoundTrip)
{
    ASSERT_TRUE(CQorViewBaseFun::SaveSettingEx(L"Alice Liddell", L"Sales/North"));
    CString name, dept;
    ASSERT_TRUE(CQorViewBaseFun::LoadSettingEx(name, dept));
    EXPECT_EQ(CString(L"Alice Liddell"), name);
    EXPECT_EQ(CString(L"Sales/North"), dept);

    _PROXYINFO proxy;
    EXPECT_FALSE(CQorViewBaseFun::LoadProxy(proxy));
    _PROXYINFO saved{4, L"proxy.local", 1080, L"puser", L"ppass", L"CORP", 4};
    ASSERT_TRUE(CQorViewBaseFun::SaveProxy(saved));
    ASSERT_TRUE(CQorViewBaseFun::LoadProxy(proxy));
    EXPECT_EQ(4, proxy.nType);
    EXPECT_EQ(CString(L"proxy.local"), proxy.strHost);
    EXPECT_EQ(1080, proxy.nPort);
    EXPECT_EQ(CString(L"puser"), proxy.strUser);
    EXPECT_EQ(CString(L"ppass"), proxy.strPassword);
    EXPECT_EQ(CString(L"CORP"), proxy.strDomain);
    EXPECT_EQ(4, proxy.nFlag);
    EXPECT_FALSE(ContainsUtf16(IniBytes(), L"ppass"));
}

TEST_F(QorViewSettings, MainWindowOptionsHaveDefaultsAndRoundTrip)
{
    EXPECT_FALSE(CQorViewBaseFun::IsCloseExit());
    EXPECT_FALSE(CQorViewBaseFun::IsAutoHideMainWindow());
    EXPECT_FALSE(CQorViewBaseFun::IsTopMain());
    BOOL on = FALSE;
    int minutes = 0;
    CQorViewBaseFun::GetAutoAwayInfo(on, minutes);
    EXPECT_TRUE(on);
    EXPECT_EQ(10, minutes);
    EXPECT_EQ(7, CQorViewBaseFun::GetSettingInt(L"CloseMailTipTime", 7));

    CQorViewBaseFun::SetCloseExit(TRUE);
    CQorViewBaseFun::SetAutoHideMainWindow(TRUE);
    CQorViewBaseFun::SetTopMain(TRUE);
    CQorViewBaseFun::SetAutoAwayInfo(FALSE, 25);
    CQorViewBaseFun::SetSettingInt(L"CloseMailTipTime", 3);
    EXPECT_TRUE(CQorViewBaseFun::IsCloseExit());
    EXPECT_TRUE(CQorViewBaseFun::IsAutoHideMainWindow());
    EXPECT_TRUE(CQorViewBaseFun::IsTopMain());
    CQorViewBaseFun::GetAutoAwayInfo(on, minutes);
    EXPECT_FALSE(on);
    EXPECT_EQ(25, minutes);
    EXPECT_EQ(3, CQorViewBaseFun::GetSettingInt(L"CloseMailTipTime", 7));
}

TEST_F(QorViewSettings, HotKeysAreKeptPerAccount)
{
    EXPECT_TRUE(CQorViewBaseFun::GetHotKeys(L"ShowMain", L"alice", L"").IsEmpty());
    CQorViewBaseFun::SetHotKeys(L"ShowMain", L"alice", L"", L"3;90");
    CQorViewBaseFun::SetHotKeys(L"RecvMsg", L"alice", L"", L"3;88");
    EXPECT_EQ(CString(L"3;90"), CQorViewBaseFun::GetHotKeys(L"ShowMain", L"alice", L""));
    EXPECT_EQ(CString(L"3;88"), CQorViewBaseFun::GetHotKeys(L"RecvMsg", L"alice", L""));
    EXPECT_TRUE(CQorViewBaseFun::GetHotKeys(L"ShowMain", L"bob", L"").IsEmpty());
}

TEST_F(QorViewSettings, WindowPositionIsAbsentUntilSaved)
{
    int l, t, w, h;
    EXPECT_FALSE(CQorViewBaseFun::GetKorvelBaseDlgPro(l, t, w, h));
    EXPECT_EQ(-1, l);
    EXPECT_EQ(-1, h);
    CQorViewBaseFun::SaveKorvelBaseDlgPro(10, 20, 300, 600);
    ASSERT_TRUE(CQorViewBaseFun::GetKorvelBaseDlgPro(l, t, w, h));
    EXPECT_EQ(10, l);
    EXPECT_EQ(20, t);
    EXPECT_EQ(300, w);
    EXPECT_EQ(600, h);
}

TEST_F(QorViewSettings, AutoRunFollowsTheRunKey)
{
    CQorViewBaseFun::SetAutoRun(TRUE);
    EXPECT_TRUE(CQorViewBaseFun::IsAutoRun());
    EXPECT_TRUE(CQorViewBaseFun::IsWindowsAutoRunKorvel());
    CQorViewBaseFun::SetAutoRun(FALSE);
    EXPECT_FALSE(CQorViewBaseFun::IsAutoRun());
    EXPECT_FALSE(CQorViewBaseFun::IsWindowsAutoRunKorvel());
}

TEST_F(QorViewSettings, DeleteServerAndUserInfoForgetsTheSignInData)
{
    CServerItemArray servers;
    servers.Add(_SERVERITEM{L"h", L"n", 1});
    CQorViewBaseFun::SaveServerList(servers);
    CQorViewBaseFun::SaveSetting(servers[0], L"u", L"p", TRUE, FALSE, TRUE, 3);
    CQorViewBaseFun::SetCloseExit(TRUE);
    ASSERT_TRUE(CQorViewBaseFun::DeleteServerAndUserInfo());
    EXPECT_EQ(0, CQorViewBaseFun::LoadServerList(servers));
    _SERVERITEM last;
    CString u, p;
    BOOL a, b, c;
    int s;
    EXPECT_FALSE(CQorViewBaseFun::LoadSetting(last, u, p, a, b, c, s));
    EXPECT_TRUE(CQorViewBaseFun::IsCloseExit()); // other options stay
}

TEST_F(QorViewSettings, DamagedSettingsFileGivesDefaultsNotCrashes)
{
    CQorViewBaseFun::GetKorvelOptionFolder();
    {
        std::ofstream out((root_ + L"\\Option\\Korvel.ini").c_str(), std::ios::binary | std::ios::trunc);
        out << "\xff\xfe garbage [Servers\r\nCount=99999999\r\n\0\0\x01";
    }
    CServerItemArray servers;
    EXPECT_EQ(0, CQorViewBaseFun::LoadServerList(servers));
    _PROXYINFO proxy;
    CQorViewBaseFun::LoadProxy(proxy);
    EXPECT_TRUE(proxy.strPassword.IsEmpty());
}

} // namespace
