#include "common/CCommFun.h"
#include "common/MiniDump.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>

namespace {

// A stand-in writer records what it was handed and can be told to fail, which dbghelp cannot.
struct FakeWriter {
    static int calls;
    static DWORD threadId;
    static EXCEPTION_POINTERS* pException;
    static MINIDUMP_TYPE type;
    static BOOL answer;

    static BOOL WINAPI Write(HANDLE process, DWORD pid, HANDLE file, MINIDUMP_TYPE t,
                             PMINIDUMP_EXCEPTION_INFORMATION info, PMINIDUMP_USER_STREAM_INFORMATION,
                             PMINIDUMP_CALLBACK_INFORMATION)
    {
        ++calls;
        type = t;
        threadId = info ? info->ThreadId : 0;
        pException = info ? info->ExceptionPointers : nullptr;
        if (!answer)
            return FALSE;
        DWORD n = 0;
        return pid == ::GetCurrentProcessId() && ::WriteFile(file, "MDMP", 4, &n, nullptr);
    }
};
int FakeWriter::calls = 0;
DWORD FakeWriter::threadId = 0;
EXCEPTION_POINTERS* FakeWriter::pException = nullptr;
MINIDUMP_TYPE FakeWriter::type = MiniDumpNormal;
BOOL FakeWriter::answer = TRUE;

class MiniDumpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FakeWriter::calls = 0;
        FakeWriter::answer = TRUE;
        m_previous = SetMiniDumpWriteFunction(&FakeWriter::Write);
        m_dir = testsupport::TempDir(L"dump");
    }
    void TearDown() override
    {
        SetMiniDumpWriteFunction(m_previous);
        testsupport::RemoveTree(m_dir);
    }

    static std::string Head(const CString& path)
    {
        HANDLE h = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return "<missing>";
        char buf[8];
        DWORD n = 0;
        ::ReadFile(h, buf, sizeof(buf), &n, nullptr);
        ::CloseHandle(h);
        return std::string(buf, n);
    }

    MiniDumpWriteDumpFn m_previous = nullptr;
    std::wstring m_dir;
};

} // namespace

TEST(MiniDump, FileNamesReplaceForbiddenCharacters)
{
    SYSTEMTIME t = {2026, 3, 0, 7, 9, 5, 1, 0};
    EXPECT_EQ(MakeDumpFileName(L"Korvel", t), L"Korvel2026-03-07 09.05.01.log");
    EXPECT_EQ(MakeDumpFileName(L"a\\b/c:d*e?f\"g<h>i|j", t), L"a.b.c.d.e.f.g.h.i.j2026-03-07 09.05.01.log");
    EXPECT_EQ(MakeDumpFileName(nullptr, t), L"Exception2026-03-07 09.05.01.log");
    EXPECT_EQ(MakeDumpFileName(L"", t), L"Exception2026-03-07 09.05.01.log");
}

TEST_F(MiniDumpTest, WritesADumpIntoAFolderCreatedOnTheWay)
{
    CString folder = (m_dir + L"\\nested\\log\\").c_str();
    EXCEPTION_RECORD record = {};
    record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    CONTEXT context = {};
    EXCEPTION_POINTERS pointers = {&record, &context};
    CString path;
    ASSERT_TRUE(WriteDumpFile(folder, &pointers, L"crash:test", MiniDumpWithFullMemory, &path));
    EXPECT_EQ(path.Left(folder.GetLength()), folder);
    EXPECT_EQ(path.Mid(folder.GetLength(), 11), L"crash.test2");
    EXPECT_EQ(path.Right(4), L".log");
    EXPECT_EQ(Head(path), "MDMP");
    EXPECT_EQ(FakeWriter::threadId, ::GetCurrentThreadId());
    EXPECT_EQ(FakeWriter::pException, &pointers);
    EXPECT_EQ(FakeWriter::type, MiniDumpWithFullMemory);
}

TEST_F(MiniDumpTest, ReportsAFileThatCannotBeCreated)
{
    // A file stands where the folder should be.
    std::wstring blocker = m_dir + L"\\log";
    HANDLE h = ::CreateFileW(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::CloseHandle(h);
    CString path;
    EXPECT_FALSE(WriteDumpFile((blocker + L"\\").c_str(), nullptr, L"x", MiniDumpNormal, &path));
    EXPECT_EQ(FakeWriter::calls, 0);
}

TEST_F(MiniDumpTest, AFailedDumpLeavesNoFile)
{
    FakeWriter::answer = FALSE;
    CString path;
    EXPECT_FALSE(WriteDumpFile((m_dir + L"\\").c_str(), nullptr, L"x", MiniDumpNormal, &path));
    EXPECT_EQ(FakeWriter::calls, 1);
    EXPECT_EQ(::GetFileAttributesW(path), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MiniDumpTest, WriteMiniDumpUsesTheProgramLogFolder)
{
    CString folder = CCommFun::GetAppPath() + L"\\log\\";
    const bool existed = ::GetFileAttributesW(folder) != INVALID_FILE_ATTRIBUTES;
    EXPECT_EQ(WriteMiniDump(nullptr, L"KorvelDumpTest", 7, MiniDumpNormal), 7);
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW(folder + L"KorvelDumpTest*.log", &fd);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    do {
        EXPECT_EQ(Head(folder + fd.cFileName), "MDMP");
        ::DeleteFileW(folder + fd.cFileName);
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);

    // A dump that cannot be written: the exception goes on to the handler (no debugger here).
    FakeWriter::answer = FALSE;
    EXPECT_FALSE(::IsDebuggerPresent());
    EXPECT_EQ(WriteMiniDump(nullptr, L"KorvelDumpTest", EXCEPTION_CONTINUE_SEARCH, MiniDumpNormal),
              EXCEPTION_EXECUTE_HANDLER);
    if (!existed)
        ::RemoveDirectoryW(folder.Left(folder.GetLength() - 1)); // without the final "\\"
}

TEST(MiniDump, WritesARealDumpThroughDbghelp)
{
    std::wstring dir = testsupport::TempDir(L"realdump");
    CString path;
    ASSERT_TRUE(WriteDumpFile((dir + L"\\").c_str(), nullptr, L"real", MiniDumpNormal, &path));
    HANDLE h = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    MINIDUMP_HEADER header = {};
    DWORD n = 0;
    ::ReadFile(h, &header, sizeof(header), &n, nullptr);
    ::CloseHandle(h);
    EXPECT_EQ(header.Signature, 0x504D444Du); // "MDMP"
    EXPECT_GT(header.NumberOfStreams, 0u);
    testsupport::RemoveTree(dir);
}

TEST(MiniDump, InstallsOncePerProcess)
{
    LPTOP_LEVEL_EXCEPTION_FILTER before = ::SetUnhandledExceptionFilter(nullptr);
    ::SetUnhandledExceptionFilter(before);
    // dbghelp and its MiniDumpWriteDump are found at run time.
    EXPECT_TRUE(InstallDumpHandler(L"KorvelTest"));
    EXPECT_FALSE(InstallDumpHandler(L"KorvelTest"));
    EXPECT_FALSE(InstallDumpHandler(nullptr));
    // Our filter is in place; give the test process its previous one back.
    LPTOP_LEVEL_EXCEPTION_FILTER ours = ::SetUnhandledExceptionFilter(before);
    EXPECT_NE(ours, before);
}
