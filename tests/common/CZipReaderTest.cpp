#include "common/CZipReader.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <ctime>
#include <string>
#include <vector>
#include "zip.h"

namespace {

struct Entry {
    std::string name;
    std::string data;
    std::string extra; // central and local extra field
};

std::string UtExtra(DWORD unixTime)
{
    // "UT": flags 1 (modification time), then the time.
    std::string e = "UT";
    e += static_cast<char>(5);
    e += '\0';
    e += '\1';
    for (int i = 0; i < 4; ++i)
        e += static_cast<char>((unixTime >> (8 * i)) & 0xFF);
    return e;
}

class CZipReaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = testsupport::TempDir(L"zip");
        m_out = m_dir + L"\\out";
        ::CreateDirectoryW(m_out.c_str(), nullptr);
        m_big.resize(100000);
        unsigned seed = 12345;
        for (char& c : m_big) {
            seed = seed * 1103515245 + 12345;
            c = static_cast<char>(seed >> 16);
        }
        m_zip = MakeZip(L"test.zip", {{"a.txt", "hello", ""},
                                      {"dir/", "", ""},
                                      {"dir/b.bin", m_big, ""},
                                      {"stamped.txt", "t", UtExtra(1500000000)},
                                      {"../evil.txt", "evil", ""},
                                      {"dir/../../evil2.txt", "evil", ""},
                                      {"/abs.txt", "evil", ""},
                                      {"C:evil3.txt", "evil", ""}});
    }
    void TearDown() override { testsupport::RemoveTree(m_dir); }

    CString MakeZip(const wchar_t* name, const std::vector<Entry>& entries)
    {
        std::wstring path = m_dir + L"\\" + name;
        CStringA narrow(path.c_str());
        zipFile zf = zipOpen(narrow.GetString(), APPEND_STATUS_CREATE);
        EXPECT_NE(zf, nullptr);
        for (const Entry& e : entries) {
            zip_fileinfo zi = {};
            zi.tmz_date.tm_year = 2020;
            zi.tmz_date.tm_mon = 5; // June
            zi.tmz_date.tm_mday = 15;
            zi.tmz_date.tm_hour = 10;
            zi.tmz_date.tm_min = 30;
            zi.tmz_date.tm_sec = 20;
            const void* extra = e.extra.empty() ? nullptr : e.extra.data();
            const uInt extraSize = static_cast<uInt>(e.extra.size());
            EXPECT_EQ(zipOpenNewFileInZip(zf, e.name.c_str(), &zi, extra, extraSize, extra, extraSize, nullptr,
                                          Z_DEFLATED, Z_DEFAULT_COMPRESSION),
                      ZIP_OK);
            if (!e.data.empty())
                zipWriteInFileInZip(zf, e.data.data(), static_cast<unsigned>(e.data.size()));
            zipCloseFileInZip(zf);
        }
        zipClose(zf, nullptr);
        return path.c_str();
    }

    std::string ReadFile(const std::wstring& path)
    {
        HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return "<missing>";
        std::string out;
        char buf[8192];
        DWORD n = 0;
        while (::ReadFile(h, buf, sizeof(buf), &n, nullptr) && n > 0)
            out.append(buf, n);
        ::CloseHandle(h);
        return out;
    }

    bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    std::wstring m_dir, m_out;
    std::string m_big;
    CString m_zip;
};

} // namespace

TEST_F(CZipReaderTest, ListsAndFindsItems)
{
    CZipReader zip;
    ASSERT_EQ(zip.Open(m_zip), ZIPR_OK);
    EXPECT_TRUE(zip.IsOpen());
    EXPECT_EQ(zip.GetItemCount(), 8);
    _ZIPITEM item;
    ASSERT_EQ(zip.GetItem(2, item), ZIPR_OK);
    EXPECT_EQ(item.name, L"dir/b.bin");
    EXPECT_EQ(item.index, 2);
    EXPECT_EQ(item.uncompressedSize, m_big.size());
    EXPECT_FALSE(item.attr & FILE_ATTRIBUTE_DIRECTORY);
    ASSERT_EQ(zip.GetItem(1, item), ZIPR_OK);
    EXPECT_TRUE(item.attr & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(zip.GetItem(8, item), ZIPR_NOTFOUND);
    EXPECT_EQ(zip.GetItem(-1, item), ZIPR_ARGS);

    EXPECT_EQ(zip.FindItem(L"DIR\\B.BIN"), 2);
    EXPECT_EQ(zip.FindItem(L"DIR/B.BIN", FALSE), -1);
    EXPECT_EQ(zip.FindItem(L"nothing"), -1);
    EXPECT_EQ(zip.Close(), ZIPR_OK);
    EXPECT_FALSE(zip.IsOpen());
    EXPECT_EQ(zip.GetItemCount(), -1);
}

TEST_F(CZipReaderTest, UnzipsFilesAndFoldersBelowTheBaseFolder)
{
    CZipReader zip;
    ASSERT_EQ(zip.Open(m_zip), ZIPR_OK);
    wchar_t cwd[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, cwd);
    EXPECT_EQ(zip.GetBaseFolder(), CString(cwd) + L"\\");
    zip.SetBaseFolder(m_out.c_str());

    EXPECT_EQ(zip.UnzipItem(0, L"a.txt"), ZIPR_OK);
    EXPECT_EQ(ReadFile(m_out + L"\\a.txt"), "hello");
    EXPECT_EQ(zip.UnzipItem(1, L"dir/"), ZIPR_OK);
    EXPECT_TRUE(::GetFileAttributesW((m_out + L"\\dir").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    // Folders of the target name are created on the way.
    EXPECT_EQ(zip.UnzipItem(2, L"deep/er/b.bin"), ZIPR_OK);
    EXPECT_EQ(ReadFile(m_out + L"\\deep\\er\\b.bin"), m_big);
    EXPECT_EQ(zip.UnzipItem(9, L"x.txt"), ZIPR_NOTFOUND);
}

TEST_F(CZipReaderTest, RefusesNamesOutsideTheTargetFolder)
{
    CZipReader zip;
    ASSERT_EQ(zip.Open(m_zip), ZIPR_OK);
    std::wstring inner = m_out + L"\\inner";
    ::CreateDirectoryW(inner.c_str(), nullptr);
    zip.SetBaseFolder(inner.c_str());
    const int count = zip.GetItemCount();
    for (int i = 4; i < count; ++i) {
        _ZIPITEM item;
        ASSERT_EQ(zip.GetItem(i, item), ZIPR_OK);
        EXPECT_EQ(zip.UnzipItem(i, item.name), ZIPR_ARGS) << item.name.GetString();
    }
    for (const wchar_t* name : {L"..\\x.txt", L"a\\..\\..\\x.txt", L"..", L"\\\\server\\share\\x.txt",
                                L"C:\\x.txt", L"x.txt:stream", L""})
        EXPECT_EQ(zip.UnzipItem(0, name), ZIPR_ARGS) << name;
    EXPECT_FALSE(Exists(m_out + L"\\evil.txt"));
    EXPECT_FALSE(Exists(m_out + L"\\evil2.txt"));
    EXPECT_FALSE(Exists(m_out + L"\\x.txt"));
    EXPECT_FALSE(Exists(m_dir + L"\\evil2.txt"));
    // A name that only looks like a climb is fine.
    EXPECT_EQ(zip.UnzipItem(0, L"a..b/..c.txt"), ZIPR_OK);
    EXPECT_EQ(ReadFile(inner + L"\\a..b\\..c.txt"), "hello");
}

TEST_F(CZipReaderTest, FilesGetTheItemTimes)
{
    CZipReader zip;
    ASSERT_EQ(zip.Open(m_zip), ZIPR_OK);
    zip.SetBaseFolder(m_out.c_str());
    ASSERT_EQ(zip.UnzipItem(0, L"a.txt"), ZIPR_OK);
    ASSERT_EQ(zip.UnzipItem(3, L"stamped.txt"), ZIPR_OK);

    auto writeTime = [](const std::wstring& path) {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
        return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
               data.ftLastWriteTime.dwLowDateTime;
    };
    // The DOS time is local time.
    SYSTEMTIME st = {2020, 6, 0, 15, 10, 30, 20, 0};
    FILETIME local, utc;
    ::SystemTimeToFileTime(&st, &local);
    ::LocalFileTimeToFileTime(&local, &utc);
    EXPECT_EQ(writeTime(m_out + L"\\a.txt"), (static_cast<ULONGLONG>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime);
    // The extended timestamp wins.
    EXPECT_EQ(writeTime(m_out + L"\\stamped.txt"), (1500000000ULL + 11644473600ULL) * 10000000ULL);
}

TEST_F(CZipReaderTest, OpensFromAHandleAndUnzipsToAHandle)
{
    HANDLE h = ::CreateFileW(m_zip, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CZipReader zip;
    ASSERT_EQ(zip.Open(h), ZIPR_OK);
    ::CloseHandle(h); // the reader keeps its own duplicate

    std::wstring target = m_out + L"\\via-handle.txt";
    HANDLE out = ::CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    ::WriteFile(out, "> ", 2, &n, nullptr);
    EXPECT_EQ(zip.UnzipItem(0, out), ZIPR_OK);
    ::CloseHandle(out);
    EXPECT_EQ(ReadFile(target), "> hello");
}

TEST_F(CZipReaderTest, RefusesAHandleThatIsNotADiskFile)
{
    HANDLE readEnd, writeEnd;
    ASSERT_TRUE(::CreatePipe(&readEnd, &writeEnd, nullptr, 0));
    CZipReader zip;
    EXPECT_EQ(zip.Open(readEnd), ZIPR_SEEK);
    EXPECT_FALSE(zip.IsOpen());
    ::CloseHandle(readEnd);
    ::CloseHandle(writeEnd);
}

TEST_F(CZipReaderTest, UnzipsAMemoryArchiveIntoMemoryInParts)
{
    std::string bytes = ReadFile(m_zip.GetString());
    CZipReader zip;
    ASSERT_EQ(zip.Open(bytes.data(), static_cast<DWORD>(bytes.size())), ZIPR_OK);
    ASSERT_EQ(zip.GetItemCount(), 8);

    std::string got;
    std::vector<char> buf(30000);
    DWORD rc = ZIPR_MORE;
    int calls = 0;
    while (rc == ZIPR_MORE && calls < 10) {
        DWORD n = 0;
        rc = zip.UnzipItem(2, buf.data(), static_cast<DWORD>(buf.size()), &n);
        got.append(buf.data(), n);
        ++calls;
        if (rc == ZIPR_MORE) {
            // The item is half taken: it cannot start over into a file.
            EXPECT_EQ(zip.UnzipItem(2, L"again.bin"), ZIPR_PARTIALUNZ);
        }
    }
    EXPECT_EQ(rc, ZIPR_OK);
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(got, m_big);

    char small[16] = {};
    DWORD n = 0;
    EXPECT_EQ(zip.UnzipItem(0, small, sizeof(small), &n), ZIPR_OK);
    EXPECT_EQ(std::string(small, n), "hello");
    // An exact fit needs no second call.
    EXPECT_EQ(zip.UnzipItem(0, small, 5, &n), ZIPR_OK);
    EXPECT_EQ(n, 5u);
    EXPECT_EQ(zip.UnzipItem(0, nullptr, 5, &n), ZIPR_ARGS);
}

TEST_F(CZipReaderTest, ADamagedItemLeavesNoHalfWrittenFile)
{
    // One large item whose data is damaged in its middle: reading it fails part-way (or at its
    // check sum) after some of it was written out.
    CString damaged = MakeZip(L"damaged.zip", {{"big.bin", m_big, ""}});
    std::string bytes = ReadFile(damaged.GetString());
    ASSERT_GT(bytes.size(), 1000u);
    for (size_t i = bytes.size() / 2; i < bytes.size() / 2 + 64; ++i)
        bytes[i] = static_cast<char>(~bytes[i]);
    HANDLE h = ::CreateFileW(damaged, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(h);

    CZipReader zip;
    ASSERT_EQ(zip.Open(damaged), ZIPR_OK);
    zip.SetBaseFolder(m_out.c_str());
    EXPECT_NE(zip.UnzipItem(0, L"big.bin"), ZIPR_OK);
    EXPECT_FALSE(Exists(m_out + L"\\big.bin")) << "a half-written file is worse than none";
}

TEST_F(CZipReaderTest, OpenFailures)
{
    CZipReader zip;
    EXPECT_EQ(zip.Open((m_dir + L"\\missing.zip").c_str()), ZIPR_NOFILE);
    std::wstring junk = m_dir + L"\\junk.zip";
    HANDLE h = ::CreateFileW(junk.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    ::WriteFile(h, "this is not a zip file at all", 29, &n, nullptr);
    ::CloseHandle(h);
    EXPECT_EQ(zip.Open(junk.c_str()), ZIPR_FAILED);
    EXPECT_FALSE(zip.IsOpen());
    EXPECT_EQ(zip.Open("PK", 2), ZIPR_FAILED);
    EXPECT_EQ(zip.Open(nullptr, 10), ZIPR_ARGS);

    ASSERT_EQ(zip.Open(m_zip), ZIPR_OK);
    EXPECT_EQ(zip.Open(m_zip), ZIPR_NOTINITED);
    EXPECT_TRUE(zip.IsOpen());
    zip.Close();
    char buf[4];
    EXPECT_EQ(zip.UnzipItem(0, buf, 4), ZIPR_NOTINITED);
    EXPECT_EQ(zip.UnzipItem(0, L"a.txt"), ZIPR_NOTINITED);
}

TEST(CZipReader, FormatZipMessage)
{
    CZipReader zip;
    wchar_t buf[64];
    EXPECT_EQ(zip.FormatZipMessage(ZIPR_OK, buf, 8), 7u);
    EXPECT_STREQ(buf, L"Success");
    EXPECT_EQ(zip.FormatZipMessage(ZIPR_OK, buf, 5), 7u);
    EXPECT_STREQ(buf, L"Succ");
    EXPECT_EQ(zip.FormatZipMessage(ZIPR_OK, nullptr, 0), 7u);
    buf[0] = L'x';
    EXPECT_EQ(zip.FormatZipMessage(ZIPR_OK, buf, 1), 7u);
    EXPECT_STREQ(buf, L"");

    struct Case {
        DWORD code;
        const wchar_t* text;
    } cases[] = {
        {ZIPR_NODUPHANDLE, L"Culdn't duplicate handle"},
        {ZIPR_NOFILE, L"Couldn't create/open file"},
        {ZIPR_MORE, L"Still more data to unzip"},
        {ZIPR_CORRUPT, L"Zipfile is corrupt or not a zipfile"},
        {ZIPR_ARGS, L"Caller: faulty arguments"},
        {ZIPR_PARTIALUNZ, L"Caller: the file had already been partially unzipped"},
        {ZIPR_FLATE, L"Zip-bug: an internal error during flation"},
        {0x12345, L"unknown zip result code"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(zip.FormatZipMessage(c.code, buf, 64), static_cast<DWORD>(lstrlenW(c.text)));
        EXPECT_STREQ(buf, c.text);
    }

    // Code 1: the most recent result.
    zip.Open(L"Z:\\no\\such\\archive.zip");
    zip.FormatZipMessage(ZIPR_RECENT, buf, 64);
    EXPECT_STREQ(buf, L"Couldn't create/open file");
}
