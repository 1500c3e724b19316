// The saved-login store against the registry of the Wine prefix: what it keeps per server and
// login name, what it reads back, and what it refuses to read.
#include "framework/Platform.h"
#include "signin/LoginStore.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const wchar_t kSettingKey[] = L"Software\\KorvelSoft\\KorvelMessenger\\Setting";

class LoginStoreTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (LPCWSTR server : {L"store.example:6660", L"other.example:6660"})
            ::RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kSettingKey) + L"\\" + server).c_str());
    }
    static SavedLoginRecord Record(LPCWSTR user, LPCWSTR name, LPCWSTR dept, LPCWSTR password, int flag)
    {
        SavedLoginRecord record;
        record.strUserKey = user;
        record.strUserName = name;
        record.strDepartment = dept;
        record.strPassword = password;
        record.nSavePassword = flag;
        return record;
    }
    static HKEY OpenUserKey(LPCWSTR server, LPCWSTR user)
    {
        HKEY key = nullptr;
        std::wstring path = std::wstring(kSettingKey) + L"\\" + server + L"\\" + user;
        ::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        return key;
    }
};

TEST_F(LoginStoreTest, ServerKeyIsHostAndPortLowered)
{
    EXPECT_EQ(CString(L"im.example:6660"), MakeServerKey(L"IM.Example", 6660));
}

TEST_F(LoginStoreTest, RecordsSurviveAFreshStoreAndServerCaseDoesNotMatter)
{
    LoginStore store;
    SavedLoginRecord alice = Record(L"Alice", L"Alice Smith", L"Sales/North", L"pw1", 1);
    store.SetLoginRecord(L"store.example", 6660, alice);
    EXPECT_EQ(CString(L"alice"), alice.strUserKey); // the caller's key is lowered too
    SavedLoginRecord bob = Record(L"bob", L"Bob", L"", L"pw2", 0);
    store.SetLoginRecord(L"store.example", 6660, bob);
    EXPECT_EQ(1, store.SaveLoginStore(L"STORE.example", 6660));

    LoginStore fresh;
    fresh.LoadLoginStore(L"store.EXAMPLE", 6660);
    fresh.LoadLoginStore(L"store.example", 6660); // loading again replaces, never duplicates
    CString password;
    EXPECT_TRUE(fresh.GetSavedPassword(L"store.example", 6660, L"ALICE", password));
    EXPECT_EQ(CString(L"pw1"), password);
    // A record saved without its password yields none, whatever it holds.
    EXPECT_FALSE(fresh.GetSavedPassword(L"store.example", 6660, L"bob", password));
    EXPECT_TRUE(password.IsEmpty());
    CStringArray names;
    fresh.ListSavedUsers(L"store.example", 6660, names);
    ASSERT_EQ(2, names.GetSize());
    EXPECT_EQ(CString(L"alice smith"), names[0]);
    EXPECT_EQ(CString(L"bob"), names[1]);
}

TEST_F(LoginStoreTest, IncompleteSubkeysAreSkippedAndNamesAreListedOnce)
{
    HKEY key = OpenUserKey(L"other.example:6660", L"nosave");
    ASSERT_NE(nullptr, key);
    const wchar_t name[] = L"No flag";
    ::RegSetValueExW(key, L"username", 0, REG_SZ, reinterpret_cast<const BYTE*>(name), sizeof(name));
    ::RegCloseKey(key);
    key = OpenUserKey(L"other.example:6660", L"stringflag");
    ::RegSetValueExW(key, L"issavepassword", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"1"), 4);
    ::RegCloseKey(key);

    LoginStore store;
    SavedLoginRecord a = Record(L"a1", L"Same Name", L"", L"", 0);
    SavedLoginRecord b = Record(L"a2", L"SAME name", L"", L"", 0);
    store.SetLoginRecord(L"other.example", 6660, a);
    store.SetLoginRecord(L"other.example", 6660, b);
    ASSERT_EQ(1, store.SaveLoginStore(L"other.example", 6660));

    LoginStore fresh;
    fresh.LoadLoginStore(L"other.example", 6660);
    CStringArray names;
    names.Add(L"kept");
    fresh.ListSavedUsers(L"other.example", 6660, names);
    ASSERT_EQ(2, names.GetSize()); // the list is not cleared; the two records give one name
    EXPECT_EQ(CString(L"kept"), names[0]);
    EXPECT_EQ(CString(L"same name"), names[1]);
}

TEST_F(LoginStoreTest, LoginNamesOfAnyLengthTheRegistryTakesLoadBack)
{
    LoginStore store;
    std::vector<std::wstring> users = {L"a", std::wstring(63, L'b'), std::wstring(64, L'c'), std::wstring(200, L'd'),
                                       std::wstring(255, L'e')};
    for (const std::wstring& user : users) {
        SavedLoginRecord record = Record(user.c_str(), user.c_str(), L"", L"pw", 1);
        store.SetLoginRecord(L"store.example", 6660, record);
    }
    ASSERT_EQ(1, store.SaveLoginStore(L"store.example", 6660));

    LoginStore fresh;
    fresh.LoadLoginStore(L"store.example", 6660);
    for (const std::wstring& user : users) {
        CString password;
        EXPECT_TRUE(fresh.GetSavedPassword(L"store.example", 6660, user.c_str(), password)) << user.size();
        EXPECT_EQ(CString(L"pw"), password) << user.size();
    }
}

TEST_F(LoginStoreTest, DeleteAllForgetsEveryServerInMemoryAndInTheRegistry)
{
    LoginStore store;
    SavedLoginRecord a = Record(L"a", L"A", L"", L"pw", 1);
    SavedLoginRecord b = Record(L"b", L"B", L"", L"pw", 1);
    store.SetLoginRecord(L"store.example", 6660, a);
    store.SetLoginRecord(L"other.example", 6660, b);
    ASSERT_EQ(1, store.SaveLoginStore(L"store.example", 6660));
    ASSERT_EQ(1, store.SaveLoginStore(L"other.example", 6660));

    store.DeleteAll();
    CString password;
    EXPECT_FALSE(store.GetSavedPassword(L"store.example", 6660, L"a", password));
    EXPECT_FALSE(testsupport::RegKeyExists(HKEY_CURRENT_USER, kSettingKey));
    LoginStore fresh;
    fresh.LoadLoginStore(L"other.example", 6660);
    EXPECT_FALSE(fresh.GetSavedPassword(L"other.example", 6660, L"b", password));
}

} // namespace
