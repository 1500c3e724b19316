// The file-transfer client stand-in: its records at the offsets the program reads, and
// the event message its transfers send.
#include "platform/FileClient/FileClientApi.h"
#include "platform/FileClient/FileClientTestHooks.h"
#include <gtest/gtest.h>

TEST(FileClient, RecordsAreMadeAndFreedByTheLibrary)
{
    int before = FileClientTest_GetLiveRecords();
    FiileItem_Info* item = AllocFileItem_Info();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(FileClientTest_GetLiveRecords(), before + 1);
    EXPECT_EQ(item->nState, FILEITEM_STATE_WAITING);
    EXPECT_TRUE(item->strLocalPath.IsEmpty());

    // The fields read at fixed byte offsets by the program.
    item->strLocalPath = L"C:\\in\\a.txt";
    item->strFileName = L"a.txt";
    item->nState = FILEITEM_STATE_RUNNING;
    item->llBytesDone = 0x123456789LL;
    item->guidTransfer.Data1 = 0xCAFEF00D;
    // The 32-bit program reads them at 0x04, 0x20, 0x30 and 0x44; a 64-bit build keeps the order.
    const bool x86 = sizeof(void*) == 4;
    const size_t name = x86 ? 0x04 : offsetof(FiileItem_Info, strFileName);
    const size_t state = x86 ? 0x20 : offsetof(FiileItem_Info, nState);
    const size_t done = x86 ? 0x30 : offsetof(FiileItem_Info, llBytesDone);
    const size_t guid = x86 ? 0x44 : offsetof(FiileItem_Info, guidTransfer);
    const BYTE* raw = reinterpret_cast<const BYTE*>(item);
    EXPECT_STREQ(*reinterpret_cast<const wchar_t* const*>(raw + 0x00), L"C:\\in\\a.txt");
    EXPECT_STREQ(*reinterpret_cast<const wchar_t* const*>(raw + name), L"a.txt");
    EXPECT_EQ(*reinterpret_cast<const int*>(raw + state), 2);
    EXPECT_EQ(*reinterpret_cast<const LONGLONG*>(raw + done), 0x123456789LL);
    EXPECT_EQ(reinterpret_cast<const GUID*>(raw + guid)->Data1, 0xCAFEF00Du);

    FreeFileItem_Info(item);
    FreeFileItem_Info(nullptr);
    EXPECT_EQ(FileClientTest_GetLiveRecords(), before);
}

namespace {

struct Seen {
    int code = -1;
    CAStringW name;
};
Seen g_seen;

LRESULT CALLBACK NotifyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    static const UINT notify = ::RegisterWindowMessageW(FILECLIENT_NOTIFY_MESSAGE);
    if (msg == notify) {
        g_seen.code = static_cast<int>(wp);
        g_seen.name = reinterpret_cast<FiileItem_Info*>(lp)->strFileName;
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace

TEST(FileClient, FinishedTransferReachesTheWindowAsTheRegisteredMessage)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = NotifyProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KorvelFileClientTestWnd";
    ::RegisterClassW(&wc);
    HWND hwnd = ::CreateWindowW(wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                                nullptr);
    ASSERT_NE(hwnd, nullptr);
    FiileItem_Info* item = AllocFileItem_Info();
    item->strFileName = L"done.bin";
    item->nState = FILEITEM_STATE_DONE;
    EXPECT_EQ(FileClientTest_SendNotify(hwnd, FCN_FILE_DONE, item), 0);
    EXPECT_EQ(g_seen.code, 5);
    EXPECT_STREQ(g_seen.name.GetString(), L"done.bin");
    FreeFileItem_Info(item);
    ::DestroyWindow(hwnd);
}
