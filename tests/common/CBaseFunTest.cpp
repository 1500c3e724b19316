#include "common/CBaseFun.h"
#include "common/CCommFun.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string ReadRaw(const CString& path)
{
    HANDLE h = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string out;
    char buf[1024];
    DWORD n = 0;
    while (::ReadFile(h, buf, sizeof(buf), &n, nullptr) && n > 0)
        out.append(buf, n);
    ::CloseHandle(h);
    return out;
}

class CBaseFunFiles : public ::testing::Test {
protected:
    void SetUp() override { m_dir = testsupport::TempDir(L"basefun").c_str(); }
    void TearDown() override { testsupport::RemoveTree(m_dir.GetString()); }
    CString m_dir;
};

} // namespace

TEST(CBaseFun, PathParts)
{
    EXPECT_EQ(CBaseFun::GetFileDir(L"C:\\a\\b\\c.txt"), L"C:\\a\\b");
    EXPECT_EQ(CBaseFun::GetFileName(L"C:\\a\\b\\c.txt"), L"c.txt");
    EXPECT_EQ(CBaseFun::GetFileName(L"c.txt"), L"c.txt");
    EXPECT_EQ(CBaseFun::GetFileDir(L"c.txt"), L"");
    EXPECT_EQ(CCommFun::GetFileName(L"C:\\a\\"), L"");
}

TEST(CBaseFun, AddressesAndLinks)
{
    struct AddressCase {
        const wchar_t *url, *scheme, *rest, *query;
    } addresses[] = {
        {L"http://host/p?a=1", L"http", L"host/p", L"a=1"},
        {L"file:\\\\srv\\share", L"file", L"srv\\share", L""},
        {L"host/p", L"", L"host/p", L""},
        {L"?x", L"", L"", L"x"},
    };
    for (const auto& c : addresses) {
        CString scheme, rest, query;
        CBaseFun::SplitAddress(c.url, scheme, rest, query);
        EXPECT_EQ(scheme, c.scheme) << c.url;
        EXPECT_EQ(rest, c.rest) << c.url;
        EXPECT_EQ(query, c.query) << c.url;
    }
    struct LinkCase {
        const wchar_t *link, *scheme, *path, *query;
    } links[] = {
        {L"http://host/page?id=3", L"http", L"host/page", L"id=3"},
        {L"C:\\docs\\a.txt", L"FILE", L"C:\\docs\\a.txt", L""},
        {L"qor://open=5", L"qor", L"", L"open=5"},
        {L"qor://chat", L"qor", L"chat", L""},
        {L"plain", L"", L"plain", L""},
    };
    for (const auto& c : links) {
        CString scheme, path, query;
        CBaseFun::ParseLink(c.link, scheme, path, query);
        EXPECT_EQ(scheme, c.scheme) << c.link;
        EXPECT_EQ(path, c.path) << c.link;
        EXPECT_EQ(query, c.query) << c.link;
    }
}

namespace {

std::vector<std::wstring> s_opened;
void RecordOpened(const CString& url) { s_opened.push_back(url.GetString()); }

} // namespace

// Every place that opens a link asks this one filter: web and mail addresses only, and nothing
// in them that could end the address where the shell hands it to the browser.
TEST(CBaseFun, OnlyWebAndMailAddressesAreOpened)
{
    struct Case {
        const wchar_t* url;
        bool open;
    } cases[] = {
        {L"http://example.com", true},
        {L"HTTPS://example.com/a?b=c#d", true},
        {L"  mailto:a@b.c  ", true},
        {L"http://example.com/a%20b", true},
        {L"file:///C:/Windows/system32/calc.exe", false},
        {L"C:\\evil.bat", false},
        {L"javascript:alert(1)", false},
        {L"\\\\server\\share\\x.exe", false},
        {L"ftp://x", false},
        {L"mailto:", false},
        {L"http://", false},
        {L"http:///etc/passwd", false},
        {L"http://\\\\server\\share", false},
        {L"http://x\" --user-data-dir=C:\\ \"", false},
        {L"http://a b", false},
        {L"http://a\tb", false},
        {L"https://example.com/\r\ncalc", false},
        {L"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.open ? TRUE : FALSE, CBaseFun::IsOpenableLink(c.url)) << CStringA(c.url).GetString();
    EXPECT_FALSE(CBaseFun::IsOpenableLink(L"http://example.com/" + CString(L'a', 3000))) << "longer than a browser takes";

    // Opening applies the same filter.
    s_opened.clear();
    CBaseFun::PFNOPENADDRESS previous = CBaseFun::SetAddressOpener(RecordOpened);
    EXPECT_TRUE(CBaseFun::OpenAddress(L" https://example.com/x "));
    EXPECT_FALSE(CBaseFun::OpenAddress(L"file:///C:/x.exe"));
    CBaseFun::SetAddressOpener(previous);
    EXPECT_EQ(std::vector<std::wstring>{L"https://example.com/x"}, s_opened);
}

TEST(CBaseFun, KeyValueInAList)
{
    CString value;
    EXPECT_TRUE(CBaseFun::GetKeyValue(L"width = 10; Name = \"Big Room\" ;x=1", L"NAME", value, L";"));
    EXPECT_EQ(value, L"Big Room");
    EXPECT_TRUE(CBaseFun::GetKeyValue(L"a=1&b=2", L"b", value, L"&"));
    EXPECT_EQ(value, L"2");
    EXPECT_FALSE(CBaseFun::GetKeyValue(L"a=1&bb=2&b", L"b", value, L"&"));
}

TEST(CBaseFun, NumberTextsAndArrays)
{
    for (const wchar_t* yes : {L"0", L"7", L"12345"})
        EXPECT_TRUE(CBaseFun::IsIntegerText(yes)) << yes;
    for (const wchar_t* no : {L"", L"-5", L"+5", L"007", L"1.0", L"12a", L"99999999999"})
        EXPECT_FALSE(CBaseFun::IsIntegerText(no)) << no;
    for (const wchar_t* yes : {L"1.5", L"10", L"0.25"})
        EXPECT_TRUE(CBaseFun::IsDecimalText(yes)) << yes;
    for (const wchar_t* no : {L"", L".5", L"5.", L"1.2.3", L"-1.5", L"1,5"})
        EXPECT_FALSE(CBaseFun::IsDecimalText(no)) << no;

    EXPECT_EQ(CBaseFun::FindInArray(std::vector<int>{4, 5, 6}, 6), 2);
    EXPECT_EQ(CBaseFun::FindInArray(std::vector<int>{4, 5, 6}, 7), -1);
    CStringArray texts;
    texts.Add(L"a");
    texts.Add(L"B");
    EXPECT_EQ(CCommFun::FindInArray(texts, L"B"), 1);
    EXPECT_EQ(CCommFun::FindInArray(texts, L"b"), -1);
}

TEST(CBaseFun, GuidTimeAndVersion)
{
    CString guid = CBaseFun::NewGuidText();
    ASSERT_EQ(guid.GetLength(), 36);
    EXPECT_EQ(guid[8], L'-');
    EXPECT_EQ(guid[13], L'-');
    EXPECT_EQ(guid[18], L'-');
    EXPECT_EQ(guid[23], L'-');
    // The third group is written in lower case, the others in upper case.
    CString third = guid.Mid(14, 4), first = guid.Left(8);
    EXPECT_EQ(third.SpanIncluding(L"0123456789abcdef"), third);
    EXPECT_EQ(first.SpanIncluding(L"0123456789ABCDEF"), first);
    EXPECT_NE(CBaseFun::NewGuidText(), guid);

    std::tm parts = {};
    parts.tm_year = 2026 - 1900;
    parts.tm_mon = 0;
    parts.tm_mday = 5;
    parts.tm_hour = 7;
    parts.tm_min = 3;
    parts.tm_sec = 9;
    parts.tm_isdst = -1;
    time_t t = std::mktime(&parts);
    EXPECT_EQ(CBaseFun::FormatDateTime(t), L"2026-1-5 7:3:9");
    int y, mo, d, h, mi, s;
    ASSERT_TRUE(CBaseFun::GetLocalTimeParts(t, y, mo, d, h, mi, s));
    EXPECT_EQ(y * 10000 + mo * 100 + d, 20260105);

    DWORD major = 0, minor = 0, build = 0;
    EXPECT_TRUE(CBaseFun::GetWindowsVersion(major, minor, build));
    EXPECT_GE(major, 5u);
    EXPECT_EQ(CBaseFun::GetCompanyName(), L"KorvelSoft");
}

TEST_F(CBaseFunFiles, FilesAndFolders)
{
    CString file = m_dir + L"\\w.txt";
    ASSERT_TRUE(CBaseFun::WriteFileBytes(file, L"A\u0142B")); // U+0142: low byte 0x42
    EXPECT_EQ(ReadRaw(file), "ABB");
    CString text;
    ASSERT_TRUE(CCommFun::ReadFileText(file, text));
    EXPECT_EQ(text, L"ABB");
    EXPECT_FALSE(CBaseFun::ReadFileText(m_dir + L"\\none", text));

    CString escaped = m_dir + L"\\e.txt";
    EXPECT_TRUE(CBaseFun::SaveEscapedText(escaped, L"a&b"));
    EXPECT_EQ(ReadRaw(escaped), "a&amp;b");
    EXPECT_FALSE(CBaseFun::SaveEscapedText(escaped, L"again")); // a new file only
    EXPECT_EQ(ReadRaw(escaped), "a&amp;b");

    CString tree = m_dir + L"\\tree";
    ::CreateDirectoryW(tree, nullptr);
    EXPECT_TRUE(CBaseFun::IsFolder(tree));
    EXPECT_FALSE(CBaseFun::IsFolder(file));
    EXPECT_FALSE(CBaseFun::HasSubFolder(tree));
    ::CreateDirectoryW(tree + L"\\sub", nullptr);
    ::CreateDirectoryW(tree + L"\\sub\\deeper", nullptr);
    CBaseFun::WriteFileBytes(tree + L"\\sub\\deeper\\f.txt", L"x");
    CBaseFun::WriteFileBytes(tree + L"\\g.txt", L"y");
    EXPECT_TRUE(CBaseFun::HasSubFolder(tree));
    EXPECT_TRUE(CBaseFun::DeleteFolderTree(tree));
    EXPECT_FALSE(CBaseFun::IsFolder(tree));
}

TEST_F(CBaseFunFiles, CopyFileTo)
{
    CString source = m_dir + L"\\src.txt";
    CBaseFun::WriteFileBytes(source, L"copy me");
    CString target = m_dir + L"\\target";
    ::CreateDirectoryW(target, nullptr);
    EXPECT_TRUE(CBaseFun::CopyFileTo(source, target, L"dst.txt"));
    EXPECT_EQ(ReadRaw(target + L"\\dst.txt"), "copy me");
}

TEST_F(CBaseFunFiles, IniAccess)
{
    CString ini = m_dir + L"\\s.ini";
    EXPECT_TRUE(CBaseFun::WriteIniString(ini, L"SERVERIP", L"IpAddr", L"10.0.0.1"));
    EXPECT_TRUE(CBaseFun::WriteIniInt(ini, L"SERVERIP", L"Disable", -3));
    EXPECT_EQ(CBaseFun::GetIniString(ini, L"SERVERIP", L"IpAddr"), L"10.0.0.1");
    EXPECT_EQ(CBaseFun::GetIniString(ini, L"SERVERIP", L"Missing", L"dflt"), L"dflt");
    EXPECT_EQ(CBaseFun::GetIniString(ini, L"SERVERIP", L"Disable"), L"-3");
    EXPECT_EQ(CBaseFun::GetIniInt(ini, L"SERVERIP", L"Missing", 42), 42);
    EXPECT_EQ(CBaseFun::GetIniInt(ini, L"SERVERIP", L"IpAddr", 42), 10);

    EXPECT_TRUE(CCommFun::SetSoundCount(ini, 3));
    EXPECT_EQ(CCommFun::GetSoundSetting(ini, L"SOUNDCOUNT"), L"3");
    CBaseFun::WriteIniInt(ini, L"MyIEProp", L"UseHodeSoundPath", 1);
    EXPECT_EQ(CCommFun::GetUseHoldSoundPath(ini), 1);
    EXPECT_FALSE(CCommFun::PlaySoundFile(m_dir + L"\\missing.wav"));
}

TEST(CBaseFun, PerUserFoldersAndErrorLog)
{
    const CString app = CCommFun::GetAppPath();
    const bool usersExisted = CBaseFun::IsFolder(app + L"\\Users");
    const bool dataExisted = CBaseFun::IsFolder(app + L"\\Data");

    EXPECT_EQ(CBaseFun::GetUsersFolder(), app + L"\\Users");
    EXPECT_EQ(CBaseFun::GetUsersDataIni(), app + L"\\Users\\Data.ini");
    EXPECT_EQ(CBaseFun::GetUserFolder(L"korvel_test_user"), app + L"\\Users\\korvel_test_user");
    EXPECT_TRUE(CBaseFun::IsFolder(app + L"\\Users\\korvel_test_user"));
    EXPECT_EQ(CBaseFun::GetUserAccountFile(L"korvel_test_user"), app + L"\\Users\\korvel_test_user\\Account.dat");
    EXPECT_EQ(CBaseFun::GetUserSaveDataFolder(L"korvel_test_user"), app + L"\\Users\\korvel_test_user\\SaveData");
    EXPECT_TRUE(CBaseFun::IsFolder(app + L"\\Users\\korvel_test_user\\SaveData"));
    // A user name never reaches outside the users' folder.
    for (const wchar_t* bad : {L"..", L"..\\x", L"a/b", L"C:x", L""})
        EXPECT_EQ(CBaseFun::GetUserFolder(bad), L"") << bad;
    CBaseFun::DeleteFolderTree(app + L"\\Users\\korvel_test_user");

    const CString log = app + L"\\Data\\Error.txt";
    const std::string before = ReadRaw(log);
    EXPECT_TRUE(CBaseFun::WriteErrorLog(L"first"));
    EXPECT_TRUE(CBaseFun::WriteErrorLog(L"second"));
    std::string after = ReadRaw(log);
    if (before != "<missing>")
        after = after.substr(before.size());
    const size_t hash = after.find("#first\r\n");
    ASSERT_NE(hash, std::string::npos) << after;
    EXPECT_NE(after.find("#second\r\n"), std::string::npos);
    EXPECT_EQ(after.substr(0, 2), "20"); // the date, year first

    if (before == "<missing>")
        ::DeleteFileW(log);
    if (!dataExisted)
        ::RemoveDirectoryW(app + L"\\Data");
    if (!usersExisted)
        ::RemoveDirectoryW(app + L"\\Users");
}

TEST(CCommFun, ConfigurationPaths)
{
    const CString app = CCommFun::GetAppPath();
    EXPECT_EQ(CCommFun::GetMyConfigPath(L"alice"), app + L"\\Data\\alice\\MyConfig.ini");
    EXPECT_EQ(CCommFun::GetConfigPath(), app + L"\\Data\\Config.ini");
    EXPECT_EQ(CCommFun::GetAttachFolder(L"D:\\base", L"alice"), L"D:\\base\\Attach\\alice\\");
    EXPECT_EQ(CCommFun::GetWebSearchFolder(L"D:\\base"), L"D:\\base\\WebSearch");
    CString temp = CCommFun::GetTempFolder();
    EXPECT_EQ(temp.Right(1), L"\\");
    EXPECT_NE(temp.Right(2), L"\\\\");
    EXPECT_TRUE(CBaseFun::IsFolder(temp));
    EXPECT_EQ(CBaseFun::GetCookieFilePath(), temp + L"SpaceCookie.dat");
    EXPECT_FALSE(CCommFun::GetFavoritesFolder().IsEmpty());
}

TEST(CCommFun, TextHelpers)
{
    EXPECT_EQ(CCommFun::GetPictureSize(L"<IMG WIDTH=120 HEIGHT=45 src=x>", L"WIDTH="), 120);
    EXPECT_EQ(CCommFun::GetPictureSize(L"<img width=\"64\" height=\"32\">", L"HEIGHT="), 32);
    EXPECT_EQ(CCommFun::GetPictureSize(L"<img src=x>", L"WIDTH="), 0);
    EXPECT_TRUE(CCommFun::IsPageScript(L"<script>document.write('x')</script>"));
    EXPECT_FALSE(CCommFun::IsPageScript(L"<p>document</p>"));
    CStringArray list;
    EXPECT_EQ(CCommFun::JoinAddresses(list), L"");
    list.Add(L"a@x");
    list.Add(L"b@y");
    EXPECT_EQ(CCommFun::JoinAddresses(list), L"a@x;b@y");
    EXPECT_EQ(CCommFun::AddWebScheme(L"www.korvel.example"), L"http://www.korvel.example");
    EXPECT_EQ(CCommFun::AddWebScheme(L"https://x"), L"https://x");
    EXPECT_EQ(CCommFun::AddWebScheme(L""), L"");
}

TEST(CBaseFun, ComObjects)
{
    CLSID clsid;
    EXPECT_TRUE(CBaseFun::GetClassId(L"{00000000-0000-0000-C000-000000000046}", clsid));
    EXPECT_TRUE(IsEqualGUID(clsid, IID_IUnknown));
    EXPECT_FALSE(CBaseFun::GetClassId(L"No.Such.ProgId", clsid));
    EXPECT_FALSE(CBaseFun::GetClassId(L"", clsid));
    IUnknown* p = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(CBaseFun::CreateObject(L"No.Such.ProgId", IID_IUnknown, reinterpret_cast<void**>(&p)),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(CBaseFun::CreateObject(L"x", IID_IUnknown, nullptr), E_POINTER);
}

TEST(CBaseFun, Drawing)
{
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP target = ::CreateCompatibleBitmap(screen, 40, 20);
    HGDIOBJ old = ::SelectObject(dc, target);
    RECT all = {0, 0, 40, 20};

    ASSERT_TRUE(CBaseFun::GradientFillRect(dc, all, RGB(0, 0, 0), RGB(255, 0, 0), FALSE));
    EXPECT_LT(GetRValue(::GetPixel(dc, 1, 5)), GetRValue(::GetPixel(dc, 38, 5)));
    EXPECT_EQ(::GetPixel(dc, 1, 1), ::GetPixel(dc, 1, 18)); // horizontal: columns are even

    // A 2x1 bitmap: one magenta (transparent) pixel and one blue one.
    HDC src = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, 2, 1);
    HGDIOBJ oldSrc = ::SelectObject(src, bmp);
    ::SetPixel(src, 0, 0, RGB(255, 0, 255));
    ::SetPixel(src, 1, 0, RGB(0, 0, 255));
    ::SelectObject(src, oldSrc);

    HBRUSH green = ::CreateSolidBrush(RGB(0, 255, 0));
    ::FillRect(dc, &all, green);
    ASSERT_TRUE(CBaseFun::DrawMaskedBitmap(dc, 10, 10, bmp, RGB(255, 0, 255)));
    EXPECT_EQ(::GetPixel(dc, 10, 10), RGB(0, 255, 0)); // transparent: the target shows
    EXPECT_EQ(::GetPixel(dc, 11, 10), RGB(0, 0, 255));

    ::FillRect(dc, &all, green);
    ASSERT_TRUE(CCommFun::DrawBitmap(dc, 0, 0, bmp));
    EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(255, 0, 255));
    RECT stretched = {0, 0, 40, 20};
    ASSERT_TRUE(CBaseFun::StretchBitmap(dc, stretched, bmp));
    EXPECT_EQ(::GetPixel(dc, 5, 10), RGB(255, 0, 255));
    EXPECT_EQ(::GetPixel(dc, 35, 10), RGB(0, 0, 255));
    EXPECT_FALSE(CBaseFun::DrawBitmap(dc, 0, 0, nullptr));

    ::DeleteObject(green);
    ::DeleteObject(bmp);
    ::DeleteDC(src);
    ::SelectObject(dc, old);
    ::DeleteObject(target);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
}
