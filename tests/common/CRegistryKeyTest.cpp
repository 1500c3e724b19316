#include "common/CCommFun.h"
#include "common/CRegistryKey.h"
#include <gtest/gtest.h>

namespace {

// A scratch key under the current user, removed before and after each test.
class CRegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path.Format(L"Software\\KorvelTest\\Registry%lu", ::GetCurrentProcessId());
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path);
        ASSERT_TRUE(m_key.Create(HKEY_CURRENT_USER, m_path));
    }
    void TearDown() override
    {
        m_key.Close();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path);
        ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\KorvelTest");
    }

    CString m_path;
    CRegistryKey m_key;
};

} // namespace

TEST_F(CRegistryKeyTest, OpenQueryDWORDAndClose)
{
    ASSERT_TRUE(m_key.SetDWORDValue(L"CantSaveLoginInfo", 0));
    CRegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, m_path, KEY_READ));
    DWORD value = 1;
    EXPECT_TRUE(key.QueryDWORDValue(L"CantSaveLoginInfo", value));
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(key.Close(), ERROR_SUCCESS);
    EXPECT_EQ(key.m_hKey, nullptr);
    EXPECT_EQ(key.Close(), 0); // twice is harmless
    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, m_path + L"\\Missing", KEY_READ));
    EXPECT_EQ(key.m_hKey, nullptr);
}

TEST_F(CRegistryKeyTest, QueryDWORDKeepsTheDefaultWhenMissingOrNotADword)
{
    m_key.SetStringValue(L"Text", L"1");
    BYTE bytes[4] = {1, 0, 0, 0};
    m_key.SetBinaryValue(L"Bin", bytes, 4);
    BYTE two[2] = {1, 0};
    m_key.SetBinaryValue(L"Short", two, 2);
    for (const wchar_t* name : {L"Missing", L"Text", L"Bin", L"Short"}) {
        DWORD value = 1234;
        EXPECT_FALSE(m_key.QueryDWORDValue(name, value)) << name;
        EXPECT_EQ(value, 1234u) << name;
    }
    CRegistryKey closed;
    DWORD value = 7;
    EXPECT_FALSE(closed.QueryDWORDValue(L"x", value));
    EXPECT_EQ(value, 7u);
}

TEST_F(CRegistryKeyTest, StringValues)
{
    ASSERT_TRUE(m_key.SetStringValue(L"Name", L"Caf\u00e9 \u674e"));
    CString text = L"stale";
    EXPECT_TRUE(m_key.QueryStringValue(L"Name", text));
    EXPECT_EQ(text, L"Caf\u00e9 \u674e");
    ASSERT_TRUE(m_key.SetStringValue(L"Empty", L""));
    EXPECT_TRUE(m_key.QueryStringValue(L"Empty", text));
    EXPECT_EQ(text, L"");

    // A value stored without its terminator still reads as a terminated text.
    const wchar_t raw[] = {L'a', L'b', L'c'};
    ASSERT_EQ(::RegSetValueExW(m_key.m_hKey, L"Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw), sizeof(raw)),
              ERROR_SUCCESS);
    EXPECT_TRUE(m_key.QueryStringValue(L"Raw", text));
    EXPECT_EQ(text, L"abc");
    // An odd byte count.
    ASSERT_EQ(::RegSetValueExW(m_key.m_hKey, L"Odd", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw), 5),
              ERROR_SUCCESS);
    EXPECT_TRUE(m_key.QueryStringValue(L"Odd", text));
    EXPECT_EQ(text.Left(2), L"ab");

    m_key.SetDWORDValue(L"Number", 5);
    text = L"stale";
    EXPECT_FALSE(m_key.QueryStringValue(L"Number", text));
    EXPECT_EQ(text, L"");
    EXPECT_FALSE(m_key.QueryStringValue(L"Missing", text));
}

TEST_F(CRegistryKeyTest, DwordAndBinaryValues)
{
    EXPECT_EQ(m_key.WriteDWORDValue(L"D", 0xDEADBEEF), ERROR_SUCCESS);
    DWORD d = 0;
    EXPECT_TRUE(m_key.QueryDWORDValue(L"D", d));
    EXPECT_EQ(d, 0xDEADBEEFu);

    const BYTE data[5] = {1, 2, 3, 4, 5};
    EXPECT_EQ(m_key.SetBinaryValue(L"B", data, 5), ERROR_SUCCESS);
    BYTE out[8] = {};
    DWORD cb = sizeof(out);
    EXPECT_TRUE(m_key.QueryBinaryValue(L"B", out, cb));
    EXPECT_EQ(cb, 5u);
    EXPECT_EQ(out[4], 5);
    cb = 2;
    EXPECT_FALSE(m_key.QueryBinaryValue(L"B", out, cb)); // too small

    CRegistryKey closed;
    EXPECT_NE(closed.WriteDWORDValue(L"x", 1), ERROR_SUCCESS);
    EXPECT_FALSE(closed.SetDWORDValue(L"x", 1));
}

TEST_F(CRegistryKeyTest, ExistenceAndDeletion)
{
    m_key.SetDWORDValue(L"V", 1);
    EXPECT_TRUE(m_key.ValueExists(L"V"));
    EXPECT_TRUE(m_key.DeleteValue(L"V"));
    EXPECT_FALSE(m_key.ValueExists(L"V"));
    EXPECT_FALSE(m_key.DeleteValue(L"V"));

    CRegistryKey child;
    ASSERT_TRUE(child.Create(m_key.m_hKey, L"Child"));
    child.Close();
    EXPECT_TRUE(m_key.SubKeyExists(L"Child"));
    EXPECT_TRUE(CRegistryKey::KeyExists(HKEY_CURRENT_USER, m_path + L"\\Child"));
    EXPECT_TRUE(m_key.DeleteSubKey(L"Child"));
    EXPECT_FALSE(m_key.SubKeyExists(L"Child"));
    EXPECT_FALSE(CRegistryKey::KeyExists(HKEY_CURRENT_USER, m_path + L"\\Child"));
}

TEST_F(CRegistryKeyTest, RecurseDeleteKeyRemovesTheWholeTree)
{
    for (const wchar_t* sub : {L"Tree\\A\\A1", L"Tree\\A\\A2\\deep", L"Tree\\B", L"Tree\\C"}) {
        CRegistryKey k;
        ASSERT_TRUE(k.Create(m_key.m_hKey, sub));
        k.SetDWORDValue(L"v", 1);
        k.Close();
    }
    EXPECT_TRUE(m_key.RecurseDeleteKey(L"Tree"));
    EXPECT_FALSE(m_key.SubKeyExists(L"Tree"));
    EXPECT_FALSE(m_key.RecurseDeleteKey(L"Tree"));
    EXPECT_FALSE(m_key.RecurseDeleteKey(L"NeverThere"));
}

TEST_F(CRegistryKeyTest, DeleteByDescription)
{
    CRegistryKey k;
    ASSERT_TRUE(k.Create(m_key.m_hKey, L"Gone\\Inner"));
    k.Close();
    m_key.SetDWORDValue(L"Val", 1);
    const CString root = L"HKEY_CURRENT_USER,";

    EXPECT_TRUE(CRegistryKey::DeleteByDescription(L"value," + root + m_path + L",Val"));
    EXPECT_FALSE(m_key.ValueExists(L"Val"));
    EXPECT_TRUE(CRegistryKey::DeleteByDescription(L"KEY," + root + m_path + L",Gone"));
    EXPECT_FALSE(m_key.SubKeyExists(L"Gone"));
    // The key opened: TRUE even though there was nothing left to delete.
    EXPECT_TRUE(CRegistryKey::DeleteByDescription(L"Key," + root + m_path + L",Gone"));

    EXPECT_FALSE(CRegistryKey::DeleteByDescription(L"Key," + root + m_path));
    EXPECT_FALSE(CRegistryKey::DeleteByDescription(L"Key,HKEY_CURRENT_USER," + m_path + L"\\Missing,x"));
    EXPECT_FALSE(CRegistryKey::DeleteByDescription(L"Key,hkey_current_user," + m_path + L",x"));
    EXPECT_FALSE(CRegistryKey::DeleteByDescription(L""));
}

TEST(CRegistryKey, RootKeyFromName)
{
    EXPECT_EQ(CRegistryKey::RootKeyFromName(L"HKEY_LOCAL_MACHINE"), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(CRegistryKey::RootKeyFromName(L"HKEY_CLASSES_ROOT"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(CRegistryKey::RootKeyFromName(L"HKEY_CURRENT_USER"), HKEY_CURRENT_USER);
    EXPECT_EQ(CRegistryKey::RootKeyFromName(L"HKEY_Current_User"), nullptr);
    EXPECT_EQ(CRegistryKey::RootKeyFromName(L"HKEY_USERS"), nullptr);
}

TEST(CRegistryKey, ReadsTheLocalMachineAndClassesRoot)
{
    // The sign-in dialog's read: a missing key or value leaves its default of 1.
    DWORD cantSave = 1;
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\KorvelSoft\\Korvel", KEY_READ)) {
        key.QueryDWORDValue(L"CantSaveLoginInfo", cantSave);
        key.Close();
    } else {
        EXPECT_EQ(cantSave, 1u);
    }
    ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion", KEY_READ));
    CString product;
    EXPECT_TRUE(key.QueryStringValue(L"CurrentVersion", product));
    EXPECT_FALSE(product.IsEmpty());
    key.Close();
    // The network check's probe opens and closes a class key.
    EXPECT_EQ(CRegistryKey::KeyExists(HKEY_CLASSES_ROOT, L"CLSID"), TRUE);
}

TEST(CRegistryKey, UrlHelpers)
{
    struct Case {
        const wchar_t *url, *dir, *root;
    } cases[] = {
        {L"http://host:8000/open/user.html", L"http://host:8000/open/", L"http://host:8000/"},
        {L"http://host", L"http://", L"http://host"},
        {L"C:\\dir\\sub/file.txt", L"C:\\dir\\sub/", L"C:\\dir\\sub/"},
        {L"C:\\dir\\file.txt", L"C:\\dir\\", L"C:\\dir\\file.txt"},
        {L"host/path/x", L"", L"host/"},
        {L"plain", L"", L"plain"},
        {L"", L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CRegistryKey::GetUrlDirectory(c.url), c.dir) << c.url;
        EXPECT_EQ(CRegistryKey::GetUrlRoot(c.url), c.root) << c.url;
    }
    CString text = L"a;b", head;
    EXPECT_TRUE(CRegistryKey::SplitToken(text, head, L";"));
    EXPECT_EQ(head, L"a");
    EXPECT_EQ(text, L"b");
}

TEST_F(CRegistryKeyTest, EnterSendSetting)
{
    // Under the program's own settings key; restored afterwards.
    const wchar_t* path = L"Software\\KorvelSoft\\KorvelMessenger\\Setting";
    CRegistryKey key;
    ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, path));
    DWORD saved = 0;
    const BOOL had = key.QueryDWORDValue(L"EnterSend", saved);
    key.SetDWORDValue(L"EnterSend", 1);
    EXPECT_TRUE(CCommFun::IsEnterSend());
    key.SetDWORDValue(L"EnterSend", 2);
    EXPECT_FALSE(CCommFun::IsEnterSend());
    key.SetStringValue(L"EnterSend", L"1");
    EXPECT_FALSE(CCommFun::IsEnterSend());
    if (had)
        key.SetDWORDValue(L"EnterSend", saved);
    else
        key.DeleteValue(L"EnterSend");
    key.Close();
}
