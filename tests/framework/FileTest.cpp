// CFile and CStdioFile in a scratch folder: modes, sharing, seeking, and text lines in the three
// encodings the text reader recognises.
#include "framework/CStdioFile.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class FileTest : public ::testing::Test {
protected:
    void SetUp() override { m_dir = testsupport::TempDir(L"file"); }
    void TearDown() override { testsupport::RemoveTree(m_dir); }

    CString Path(const wchar_t* name) const { return CString((m_dir + L"\\" + name).c_str()); }

    void WriteBytes(const CString& path, const std::string& bytes)
    {
        CFile f;
        ASSERT_TRUE(f.Open(path, CFile::modeCreate | CFile::modeWrite));
        ASSERT_TRUE(f.Write(bytes.data(), static_cast<UINT>(bytes.size())));
    }
    std::string ReadBytes(const CString& path)
    {
        CFile f;
        if (!f.Open(path, CFile::modeRead | CFile::shareDenyNone))
            return "<missing>";
        std::string bytes(static_cast<size_t>(f.GetLength()), '\0');
        if (!bytes.empty())
            bytes.resize(f.Read(&bytes[0], static_cast<UINT>(bytes.size())));
        return bytes;
    }

    std::wstring m_dir;
};

std::vector<CString> ReadLines(CStdioFile& f)
{
    std::vector<CString> lines;
    CString line;
    while (f.ReadString(line))
        lines.push_back(line);
    EXPECT_TRUE(line.IsEmpty()); // at the end the out-text is emptied
    return lines;
}

} // namespace

TEST_F(FileTest, CreateWriteSeekReadAndLength)
{
    CFile f;
    EXPECT_FALSE(f.IsOpen());
    ASSERT_TRUE(f.Open(Path(L"data.bin"), CFile::modeCreate | CFile::modeReadWrite | CFile::typeBinary));
    EXPECT_EQ(f.GetFilePath(), Path(L"data.bin"));
    EXPECT_EQ(f.GetFileName(), L"data.bin");
    EXPECT_EQ(f.GetFileTitle(), L"data");
    ASSERT_TRUE(f.Write("0123456789", 10));
    EXPECT_EQ(f.GetLength(), 10u);
    EXPECT_EQ(f.GetPosition(), 10u);
    EXPECT_EQ(f.Seek(-4, CFile::end), 6u);
    char buf[16] = {};
    EXPECT_EQ(f.Read(buf, sizeof(buf)), 4u); // a short read at the end is not an error
    EXPECT_STREQ(buf, "6789");
    EXPECT_EQ(f.Read(buf, sizeof(buf)), 0u);
    f.SeekToBegin();
    EXPECT_EQ(f.Seek(3, CFile::current), 3u);
    EXPECT_TRUE(f.SetLength(5));
    EXPECT_EQ(f.GetLength(), 5u);
    EXPECT_EQ(f.GetPosition(), 3u);
    EXPECT_EQ(f.SeekToEnd(), 5u);
    EXPECT_EQ(f.Seek(-100, CFile::begin), static_cast<ULONGLONG>(-1)); // before the start fails
    EXPECT_TRUE(f.Flush());
    f.Close();
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(f.m_hFile, CFile::hFileNull);
    f.Close(); // twice is harmless
    EXPECT_EQ(f.Read(buf, 1), 0u);
    EXPECT_FALSE(f.Write("x", 1));
    EXPECT_EQ(ReadBytes(Path(L"data.bin")), "01234");
}

TEST_F(FileTest, OpenModesAndFailures)
{
    WriteBytes(Path(L"keep.txt"), "old content");

    CFile f;
    CFileException error;
    EXPECT_FALSE(f.Open(Path(L"missing.txt"), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_FALSE(f.Open(Path(L"no\\such\\dir.txt"), CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);
    EXPECT_FALSE(f.Open(L"", CFile::modeRead, &error));
    EXPECT_FALSE(f.Open(nullptr, CFile::modeRead));

    // modeNoTruncate opens an existing file as it is; modeCreate alone empties it.
    ASSERT_TRUE(f.Open(Path(L"keep.txt"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
    EXPECT_EQ(f.GetLength(), 11u);
    f.SeekToEnd();
    f.Write("!", 1);
    f.Close();
    EXPECT_EQ(ReadBytes(Path(L"keep.txt")), "old content!");
    ASSERT_TRUE(f.Open(Path(L"keep.txt"), CFile::modeCreate | CFile::modeWrite));
    f.Close();
    EXPECT_EQ(ReadBytes(Path(L"keep.txt")), "");

    // Sharing: a reader that denies writers keeps a writer out, but lets another reader in.
    CFile reader;
    ASSERT_TRUE(reader.Open(Path(L"keep.txt"), CFile::modeRead | CFile::shareDenyWrite));
    EXPECT_FALSE(f.Open(Path(L"keep.txt"), CFile::modeWrite | CFile::shareDenyNone, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    wchar_t text[256];
    EXPECT_TRUE(error.GetErrorMessage(text, 256));
    CFile second;
    EXPECT_TRUE(second.Open(Path(L"keep.txt"), CFile::modeRead | CFile::shareDenyWrite));
    second.Close();
    reader.Close();

    EXPECT_TRUE(CFile::Rename(Path(L"keep.txt"), Path(L"moved.txt")));
    EXPECT_FALSE(CFile::Rename(Path(L"keep.txt"), Path(L"moved2.txt")));
    EXPECT_TRUE(CFile::Remove(Path(L"moved.txt")));
    EXPECT_FALSE(CFile::Remove(Path(L"moved.txt")));
}

TEST_F(FileTest, ReadStringInEachEncoding)
{
    struct Case {
        const char* name;
        std::string bytes;
        UINT typeFlag;
        std::vector<CString> lines;
        CStdioFile::Encoding encoding;
    };
    const std::string utf16 = std::string("\xFF\xFE", 2) + std::string("a\0\r\0\n\0\x2D\x4E\n\0z\0", 12);
    const std::vector<Case> cases = {
        {"ANSI CRLF", "one\r\ntwo\r\n", 0, {L"one", L"two"}, CStdioFile::Encoding::Ansi},
        {"LF only", "one\ntwo", 0, {L"one", L"two"}, CStdioFile::Encoding::Ansi},
        {"last line without end", "a\r\nlast", 0, {L"a", L"last"}, CStdioFile::Encoding::Ansi},
        {"empty lines kept", "\r\n\r\nx\r\n", 0, {L"", L"", L"x"}, CStdioFile::Encoding::Ansi},
        {"lone CR stays", "a\rb\r\n", 0, {L"a\rb"}, CStdioFile::Encoding::Ansi},
        {"binary keeps CR", "a\r\nb", CFile::typeBinary, {L"a\r", L"b"}, CStdioFile::Encoding::Ansi},
        {"empty file", "", 0, {}, CStdioFile::Encoding::Ansi},
        {"UTF-8 mark", "\xEF\xBB\xBF\xE4\xB8\xAD\r\nx", 0, {L"\x4E2D", L"x"}, CStdioFile::Encoding::Utf8},
        {"UTF-16 mark", utf16, 0, {L"a", L"\x4E2D", L"z"}, CStdioFile::Encoding::Utf16LE},
        {"UTF-16 odd last byte", std::string("\xFF\xFEx\0y", 5), 0, {L"x"}, CStdioFile::Encoding::Utf16LE},
    };
    for (const Case& c : cases) {
        WriteBytes(Path(L"lines.txt"), c.bytes);
        CStdioFile f;
        ASSERT_TRUE(f.Open(Path(L"lines.txt"), CFile::modeRead | c.typeFlag)) << c.name;
        EXPECT_EQ(f.GetEncoding(), c.encoding) << c.name;
        EXPECT_EQ(ReadLines(f), c.lines) << c.name;
    }
}

TEST_F(FileTest, WriteStringRoundTripsAndTranslatesLineEnds)
{
    const CString text = L"first\nsecond\r\n\x4E2D\x6587 \x00E9\n";
    struct Case {
        const char* name;
        CStdioFile::Encoding encoding;
        std::string expectedStart;
    };
    const std::vector<Case> cases = {
        {"ANSI", CStdioFile::Encoding::Ansi, "first\r\nsecond\r\n"},
        {"UTF-8", CStdioFile::Encoding::Utf8, "\xEF\xBB\xBF" "first\r\nsecond\r\n"},
        {"UTF-16", CStdioFile::Encoding::Utf16LE, std::string("\xFF\xFE" "f\0i\0r\0s\0t\0\r\0\n\0", 16)},
    };
    for (const Case& c : cases) {
        {
            CStdioFile f;
            ASSERT_TRUE(f.Open(Path(L"out.txt"), CFile::modeCreate | CFile::modeWrite | CFile::typeText)) << c.name;
            ASSERT_TRUE(f.SetEncoding(c.encoding));
            ASSERT_TRUE(f.WriteString(text)) << c.name;
        }
        std::string bytes = ReadBytes(Path(L"out.txt"));
        EXPECT_EQ(bytes.substr(0, c.expectedStart.size()), c.expectedStart) << c.name;
        if (c.encoding == CStdioFile::Encoding::Ansi)
            continue; // the ANSI code page may not hold the Chinese characters
        // Appending to an existing file goes on in its encoding.
        {
            CStdioFile f;
            ASSERT_TRUE(f.Open(Path(L"out.txt"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite));
            EXPECT_EQ(f.GetEncoding(), c.encoding) << c.name;
            f.SeekToEnd();
            f.WriteString(L"tail");
        }
        CStdioFile f;
        ASSERT_TRUE(f.Open(Path(L"out.txt"), CFile::modeRead));
        EXPECT_EQ(ReadLines(f), (std::vector<CString>{L"first", L"second", L"\x4E2D\x6587 \x00E9", L"tail"})) << c.name;
    }
}

TEST_F(FileTest, HandleWritesInterleaveWithWriteStringAndReadsTrackPosition)
{
    // A writer may put raw blocks through m_hFile between text lines (as a stream-out callback
    // does): nothing is buffered, so the order holds.
    {
        CStdioFile f;
        ASSERT_TRUE(f.Open(Path(L"mixed.txt"), CFile::modeCreate | CFile::modeWrite));
        f.WriteString(L"head\n");
        DWORD written = 0;
        ASSERT_TRUE(::WriteFile(f.m_hFile, "{raw}", 5, &written, nullptr));
        f.WriteString(L"\ntail\n");
    }
    EXPECT_EQ(ReadBytes(Path(L"mixed.txt")), "head\r\n{raw}\r\ntail\r\n");

    CStdioFile f;
    ASSERT_TRUE(f.Open(Path(L"mixed.txt"), CFile::modeReadWrite));
    CString line;
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, L"head");
    EXPECT_EQ(f.GetPosition(), 6u); // the read-ahead is not counted
    f.Write("(", 1);                // writes land at the logical position
    f.SeekToBegin();
    EXPECT_EQ(ReadLines(f), (std::vector<CString>{L"head", L"(raw}", L"tail"}));

    // The buffer form keeps the line feed and splits a line longer than the buffer.
    f.SeekToBegin();
    wchar_t buf[4];
    ASSERT_NE(f.ReadString(buf, 4), nullptr);
    EXPECT_STREQ(buf, L"hea");
    ASSERT_NE(f.ReadString(buf, 4), nullptr);
    EXPECT_STREQ(buf, L"d\n");
    f.SeekToEnd();
    EXPECT_EQ(f.ReadString(buf, 4), nullptr);
}
