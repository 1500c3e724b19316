// The sign-in panel's settings model without a window: the check-box coupling, where a chosen or
// typed server sends the next sign-in, what it signs in with, and what it loads and saves through
// the view library's settings under the company policy and the start-up flags.
#include "framework/Platform.h"
#include "signin/LoginSettings.h"
#include "signin/LoginStore.h"
#include "tests/signin/LoginPanelFixture.h"
#include <gtest/gtest.h>

namespace {

// The panel's fixture for its private profile, work folder and helpers; no window is made here.
class LoginSettingsModel : public LoginPanel {
protected:
    static LoginFields NoSignInUnderWay() { return LoginFields(); }
    static void StoreAccount(const _SERVERITEM& last, LPCWSTR login, LPCWSTR password, bool savePassword,
                             bool autoLogin, int status)
    {
        CQorViewBaseFun::SaveSetting(last, login, password, savePassword, autoLogin, TRUE, status);
    }
};

TEST_F(LoginSettingsModel, EachCheckBoxTakesTheOthersAlongAndStoresAtOnce)
{
    const struct {
        LoginCheckBox box;
        LoginChecks before; // the clicked box already in its new state
        LoginChecks after;
        bool passwordKept;
    } cases[] = {
        // Save password on: remember me too. Off: no automatic sign-in, and the password goes.
        {CHECK_SAVE_PASSWORD, {false, true, false}, {true, true, false}, true},
        {CHECK_SAVE_PASSWORD, {true, false, true}, {true, false, false}, false},
        // Automatic sign-in on: the other two. Off: only itself.
        {CHECK_AUTO_LOGIN, {false, false, true}, {true, true, true}, true},
        {CHECK_AUTO_LOGIN, {true, true, false}, {true, true, false}, true},
        // Remember me off: nothing of the account is kept, so neither box stays.
        {CHECK_REMEMBER_ME, {false, true, true}, {false, false, false}, true},
        {CHECK_REMEMBER_ME, {true, false, false}, {true, false, false}, true},
    };
    for (const auto& c : cases) {
        LoginSettings settings;
        settings.SetPassword(L"pw");
        const LoginChecks after = settings.ApplyCheck(c.box, c.before);
        const std::string what = "box " + std::to_string(c.box) + " to " +
                                 std::to_string(c.box == CHECK_REMEMBER_ME   ? c.before.bRememberMe
                                                : c.box == CHECK_AUTO_LOGIN ? c.before.bAutoLogin
                                                                            : c.before.bSavePassword);
        EXPECT_EQ(c.after.bRememberMe, after.bRememberMe) << what;
        EXPECT_EQ(c.after.bSavePassword, after.bSavePassword) << what;
        EXPECT_EQ(c.after.bAutoLogin, after.bAutoLogin) << what;
        // What the boxes say now is what the view library keeps.
        EXPECT_EQ(c.after.bRememberMe, CQorViewBaseFun::IsRememberMe() != FALSE) << what;
        EXPECT_EQ(c.after.bSavePassword, CQorViewBaseFun::IsSavePwd() != FALSE) << what;
        EXPECT_EQ(c.after.bAutoLogin, CQorViewBaseFun::IsAutoLogin() != FALSE) << what;
        EXPECT_EQ(c.passwordKept, settings.GetPassword() == L"pw") << what;
    }
}

TEST_F(LoginSettingsModel, AChosenOrTypedServerIsWhereTheNextSignInGoes)
{
    SaveServers({Server(L"a.example", L"A", 6001), Server(L"b.example", L"B", 6002)});
    LoginSettings settings;
    settings.Load(NoSignInUnderWay(), 0);
    settings.ChooseServer(1);
    EXPECT_EQ(CString(L"b.example"), settings.GetCurrentAddress());
    EXPECT_EQ(6002, settings.GetCurrentPort());

    const struct {
        LPCWSTR typed;
        int index;
        LPCWSTR address;
        int port;
    } cases[] = {
        {L"A.EXAMPLE", 0, L"a.example", 6001},      // a listed server in other letter case
        {L"  b.example ", 1, L"b.example", 6002},   // blanks around a pasted address
        {L"new.example", -1, L"new.example", 6660}, // unknown: the default port
        {L"", -1, L"", 6660},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.index, settings.TypeServer(c.typed)) << c.typed;
        EXPECT_EQ(CString(c.address), settings.GetCurrentAddress()) << c.typed;
        EXPECT_EQ(c.port, settings.GetCurrentPort()) << c.typed;
    }
}

TEST_F(LoginSettingsModel, ASignInNeedsALoginNameAndAServerAndSendsTheNameWithoutTrailingBlanks)
{
    SaveServers({Server(L"im.example", L"Head office", 6661)});
    LoginSettings settings;
    settings.Load(NoSignInUnderWay(), 0);
    const struct {
        LPCWSTR login;
        LPCWSTR server;
        LoginSettings::Refusal refusal;
    } cases[] = {
        {L"", L"im.example", LoginSettings::REFUSED_NO_LOGIN_NAME},
        {L"", L"", LoginSettings::REFUSED_NO_LOGIN_NAME},
        {L"alice", L"", LoginSettings::REFUSED_NO_SERVER},
        {L"alice", L"im.example", LoginSettings::REFUSED_NONE},
    };
    for (const auto& c : cases) {
        settings.SetLoginName(c.login);
        settings.SetCurrentAddress(c.server, 6661);
        EXPECT_EQ(c.refusal, settings.CheckSignIn()) << c.login << "@" << c.server;
    }

    settings.SetLoginName(L"alice  ");
    settings.SetPassword(L"s3cret");
    settings.SetStatus(4);
    settings.SetLoginFlags(LOGIN_FLAG_WINDOWS_ACCOUNT);
    const LoginFields fields = settings.SignInFields();
    EXPECT_EQ(CString(L"alice"), fields.strLoginName);
    EXPECT_EQ(CString(L"alice  "), settings.GetLoginName()); // the box keeps the blanks
    EXPECT_EQ(CString(L"s3cret"), fields.strPassword);
    EXPECT_EQ(0, fields.nPasswordType);
    EXPECT_EQ(CString(L"im.example"), fields.strServerAddr);
    EXPECT_EQ(6661, fields.nServerPort);
    EXPECT_EQ(CString(L"Head office"), fields.strServerName);
    EXPECT_EQ(4, fields.nLoginStatus);
    EXPECT_EQ(LOGIN_FLAG_WINDOWS_ACCOUNT, fields.nLoginFlags);
    settings.SetCurrentAddress(L"elsewhere.example", 6660);
    EXPECT_TRUE(settings.SignInFields().strServerName.IsEmpty());
}

TEST_F(LoginSettingsModel, LoadingShowsTheLastServerAndAccountWhereTheyBelong)
{
    const struct {
        const char* what;
        bool list;            // a saved server list (old.example, keep.example)
        LPCWSTR lastServer;   // the stored last server (empty: none)
        int lastPort;
        int status;
        LPCWSTR cmdLogin;     // a sign-in under way from the command line (empty: none)
        int shown;            // the entry the chooser selects
        LPCWSTR address;      // where the next sign-in goes
        int port;
        LPCWSTR login;
        int expectedStatus;
    } cases[] = {
        {"last server not in the list: takes the first place", true, L"last.example", 6999, 5, L"", 0,
         L"last.example", 6999, L"gina", 5},
        {"last server in the list: its own place", true, L"keep.example", 7002, 3, L"", 1, L"keep.example", 7002,
         L"gina", 3},
        {"nothing signed in to yet: the first entry as stored", true, L"", 0, 3, L"", 0, L"old.example", 6001, L"",
         3},
        {"nothing at all: no entry, no server", false, L"", 0, 3, L"", -1, L"", 6660, L"", 3},
        {"a stored status or port out of range: online, the default port", false, L"s.example", 70000, 99, L"", -1,
         L"", 6660, L"gina", 3},
        {"the command line's account wins", true, L"last.example", 6999, 3, L"ivy", -1, L"cmd.example", 6200,
         L"ivy", 3},
    };
    for (const auto& c : cases) {
        if (c.list)
            SaveServers({Server(L"old.example", L"Old", 6001), Server(L"keep.example", L"Keep", 6002)});
        else
            SaveServers({});
        if (*c.lastServer)
            StoreAccount(Server(c.lastServer, L"Last", c.lastPort), L"gina", L"", false, false, c.status);
        else
            StoreAccount(_SERVERITEM(), L"", L"", false, false, c.status);
        LoginFields owned;
        if (*c.cmdLogin) {
            owned.strLoginName = c.cmdLogin;
            owned.strPassword = L"cmdline";
            owned.nPasswordType = 1;
            owned.strServerAddr = L"cmd.example";
            owned.nServerPort = 6200;
        }
        LoginSettings settings;
        const LoadedLogin loaded = settings.Load(owned, 0);
        EXPECT_EQ(*c.cmdLogin != 0, loaded.bUnderWay) << c.what;
        if (!loaded.bUnderWay) {
            EXPECT_EQ(c.shown, loaded.nShownServer) << c.what;
        }
        if (c.shown >= 0) {
            EXPECT_EQ(CString(c.address), settings.GetServer(c.shown).strServer) << c.what;
        }
        EXPECT_EQ(CString(c.address), settings.GetCurrentAddress()) << c.what;
        EXPECT_EQ(c.port, settings.GetCurrentPort()) << c.what;
        EXPECT_EQ(CString(c.login), settings.GetLoginName()) << c.what;
        if (*c.cmdLogin) {
            EXPECT_TRUE(settings.GetPassword().IsEmpty()) << "a password from the command line is not shown";
        }
        EXPECT_EQ(c.expectedStatus, settings.GetStatus()) << c.what;
    }
}

TEST_F(LoginSettingsModel, ThePolicyAndTheStartUpFlagsDecideWhatOfTheAccountIsShown)
{
    StoreAccount(Server(L"saved.example", L"Saved", 6001), L"kate", L"pw", true, true, 3);
    ::SetEnvironmentVariableW(L"USERNAME", L"winuser");
    ::SetEnvironmentVariableW(L"USERDOMAIN", L"CORPDOMAIN");
    const struct {
        const char* what;
        bool forbid;
        int flags;
        bool canSave;
        LPCWSTR login;
        bool password;
        bool checks;
        bool windows;
    } cases[] = {
        {"kept", false, 0, true, L"kate", true, true, false},
        {"the company keeps nothing", true, 0, false, L"", false, false, false},
        {"no remembered account", false, STARTUP_NO_REMEMBERED_ACCOUNT, true, L"", false, true, false},
        {"the Windows account", false, STARTUP_TRY_WINDOWS_ACCOUNT, true, L"winuser", true, true,
         true},
    };
    for (const auto& c : cases) {
        ForbidKeepingSignInData(c.forbid);
        LoginSettings settings;
        const LoadedLogin loaded = settings.Load(NoSignInUnderWay(), c.flags);
        ForbidKeepingSignInData(false);
        EXPECT_EQ(c.canSave, loaded.bCanSave) << c.what;
        EXPECT_EQ(CString(c.login), settings.GetLoginName()) << c.what;
        EXPECT_EQ(c.password, !settings.GetPassword().IsEmpty()) << c.what;
        EXPECT_EQ(c.checks, loaded.checks.bSavePassword && loaded.checks.bAutoLogin && loaded.checks.bRememberMe)
            << c.what;
        EXPECT_EQ(c.windows, loaded.bWindowsAccount) << c.what;
        EXPECT_EQ(c.windows ? LOGIN_FLAG_WINDOWS_ACCOUNT : 0, settings.GetLoginFlags()) << c.what;
        if (c.windows) {
            EXPECT_EQ(11, settings.GetPassword().GetLength()) << c.what;
        }
        EXPECT_EQ(6001, settings.GetCurrentPort()) << c.what; // the last server's port either way
    }
}

TEST_F(LoginSettingsModel, SavingKeepsWhatTheBoxesAndThePolicySay)
{
    const CString server = L"save.example";
    const std::wstring key = L"Software\\KorvelSoft\\KorvelMessenger\\Setting\\save.example:6660";
    const struct {
        const char* what;
        bool forbid;
        int passwordType;   // of the owner's fields: not 0 = from the command line
        bool rememberMe;
        bool savedUser;     // the account joins the saved users
        LPCWSTR storedLogin; // what the settings keep of the account
        bool record;        // the by-name record is written
    } cases[] = {
        {"remembered", false, 0, true, true, L"olga", true},
        {"not remembered: the record all the same", false, 0, false, true, L"", true},
        {"a password from the command line: the lists only", false, 1, true, true, L"", false},
        {"the company keeps nothing", true, 0, true, false, L"", false},
    };
    for (const auto& c : cases) {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
        CQorViewBaseFun::SaveLoginedUsers(CStringArray());
        StoreAccount(_SERVERITEM(), L"", L"", false, false, 3);
        GetLoginStore().DeleteAll();
        LoginSettings settings;
        settings.SetLoginName(L"olga ");
        settings.SetPassword(L"pw");
        settings.SetCurrentServer(server, 6660, L"Save");
        LoginFields owned;
        owned.strServerAddr = server;
        owned.nServerPort = 6660;
        owned.nPasswordType = c.passwordType;
        LoginChecks checks;
        checks.bRememberMe = c.rememberMe;
        checks.bSavePassword = true;
        ForbidKeepingSignInData(c.forbid);
        EXPECT_EQ(1, settings.Save(checks, &owned, false, L"Olga", L"HQ")) << c.what;
        ForbidKeepingSignInData(false);

        CServerItemArray servers;
        CQorViewBaseFun::LoadServerList(servers);
        ASSERT_EQ(1, servers.GetSize()) << c.what;
        EXPECT_EQ(server, servers[0].strServer) << c.what;
        CStringArray users;
        CQorViewBaseFun::LoadLoginedUsers(users);
        EXPECT_EQ(c.savedUser ? 1 : 0, users.GetSize()) << c.what;
        if (c.savedUser) {
            EXPECT_EQ(CString(L"olga"), users[0]) << c.what;
        }
        _SERVERITEM last;
        CString login, password;
        BOOL savePwd = FALSE, autoLogin = FALSE, rememberMe = FALSE;
        int status = 0;
        CQorViewBaseFun::LoadSetting(last, login, password, savePwd, autoLogin, rememberMe, status);
        EXPECT_EQ(CString(c.storedLogin), login) << c.what;
        EXPECT_EQ(c.record, testsupport::RegKeyExists(HKEY_CURRENT_USER, key)) << c.what;
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

TEST_F(LoginSettingsModel, ThePresetFileNamesTheServerAndMayLockIt)
{
    const struct {
        const char* file; // null: no file
        bool preset;
        bool locked;
    } cases[] = {
        {nullptr, false, false},
        {"[SERVERIP]\r\nIpAddr=\r\n", false, false},
        {"[SERVERIP]\r\nIpAddr=preset.example\r\n", true, false},
        {"[SERVERIP]\r\nIpAddr=preset.example\r\nDisable=1\r\n", true, true},
    };
    for (const auto& c : cases) {
        const std::wstring file = work_ + L"\\WebServiceUrl.ini";
        ::DeleteFileW(file.c_str());
        if (c.file)
            WriteFile(file, c.file);
        LoginSettings settings;
        settings.SetCurrentAddress(L"before.example", 6123);
        EXPECT_EQ(c.preset, settings.LoadPresetServer()) << (c.file ? c.file : "no file");
        EXPECT_EQ(CString(c.preset ? L"preset.example" : L"before.example"), settings.GetCurrentAddress());
        EXPECT_EQ(6123, settings.GetCurrentPort()); // the port is not the file's business
        EXPECT_EQ(c.locked, settings.IsPresetLocked()) << (c.file ? c.file : "no file");
    }
}

} // namespace
