// Attachment downloads of the view library over the file-transfer client: real HTTP from a
// loopback file server, progress while the bytes move, and the ends a transfer can have.
#include "platform/FileClient/FileClientApi.h"
#include "platform/FileClient/FileClientTransfer.h"
#include "platform/FileTransfer/Utilities.h"
#include "platform/QorView/CFileQueryID.h"
#include "platform/QorView/CQorViewMgr.h"
#include "tests/support/FileServer.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>

using namespace testsupport;

namespace {

const wchar_t kMsgId[] = L"{6F9619FF-8B86-D011-B42D-00C04FC964FF}";

struct Event {
    int code;
    std::wstring path, name;
    int state;
    LONGLONG done, size;
    GUID guid;
};

// A window that keeps every transfer event it is sent.
class EventWindow {
public:
    EventWindow()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KorvelDownloadEvents";
        ::RegisterClassW(&wc);
        hwnd = ::CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~EventWindow() { ::DestroyWindow(hwnd); }
    bool Ended() const
    {
        for (const Event& e : events)
            if (e.code == FCN_FILE_DONE || e.code == FCN_FILE_FAILED || e.code == FCN_CANCELLED)
                return true;
        return false;
    }
    const Event& Last() const { return events.back(); }

    HWND hwnd = nullptr;
    std::vector<Event> events;

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
    {
        static const UINT notify = ::RegisterWindowMessageW(FILECLIENT_NOTIFY_MESSAGE);
        if (msg == notify) {
            auto* self = reinterpret_cast<EventWindow*>(::GetWindowLongPtrW(h, GWLP_USERDATA));
            const FiileItem_Info* info = reinterpret_cast<const FiileItem_Info*>(lp);
            self->events.push_back({static_cast<int>(wp), std::wstring(info->strLocalPath), std::wstring(info->strFileName),
                                    info->nState, info->llBytesDone, info->llFileSize, info->guidTransfer});
            return 0;
        }
        return ::DefWindowProcW(h, msg, wp, lp);
    }
};

std::string ReadAll(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring Host(const FileServer& server)
{
    std::string h = server.Host();
    return std::wstring(h.begin(), h.end());
}

class AttachDownload : public ::testing::Test {
protected:
    void SetUp() override { dir = TempDir(L"attach_download"); }
    void TearDown() override
    {
        server.Release();
        PumpUntil([] { return FileClient_GetRunningTransfers() == 0; });
        RemoveTree(dir);
    }
    bool Start(const wchar_t* key, const std::wstring& target, CFileQueryID& query)
    {
        return CQorViewMgr::Instance()->DownloadAttach(Host(server), key, 1, events.hwnd, kMsgId, target.c_str(),
                                                       &query);
    }

    FileServer server;
    EventWindow events;
    std::wstring dir;
};

} // namespace

TEST_F(AttachDownload, AFileArrivesWholeUnderItsNameAndTheEndIsReported)
{
    std::string body(100000, '\0');
    for (size_t i = 0; i < body.size(); ++i)
        body[i] = static_cast<char>(i * 7);
    // A key with a blank and a non-ASCII letter travels percent-encoded.
    server.Put("k%20%C3%A9", body);
    std::wstring target = dir + L"\\report.bin";
    CFileQueryID query;
    ASSERT_TRUE(Start(L"k \u00e9", target, query));
    EXPECT_TRUE(query.IsSet());
    ASSERT_TRUE(PumpUntil([&] { return events.Ended(); }));

    const Event& e = events.Last();
    EXPECT_EQ(e.code, FCN_FILE_DONE);
    EXPECT_EQ(e.path, target);
    EXPECT_EQ(e.name, L"report.bin");
    EXPECT_EQ(e.done, 100000);
    EXPECT_EQ(Utilities::GuidToStr(e.guid), CString(kMsgId));
    EXPECT_EQ(ReadAll(target), body);
    EXPECT_FALSE(Exists(target + L".part"));

    FiileItem_Info* info = AllocFileItem_Info();
    EXPECT_EQ(CQorViewMgr::Instance()->GetDownloadFileInfo(&query, info), 0);
    EXPECT_EQ(info->nState, FILEITEM_STATE_DONE);
    EXPECT_EQ(info->llFileSize, 100000);
    FreeFileItem_Info(info);
    // A cancel after the end never touches the finished file.
    EXPECT_FALSE(CQorViewMgr::Instance()->CancelDownload(&query, events.hwnd, e.guid, 1, 0));
    EXPECT_EQ(ReadAll(target), body);
}

TEST_F(AttachDownload, ProgressIsSeenWhileTheBytesMoveAndOnlyThePartFileExists)
{
    server.Put("big", std::string(50000, 'x'));
    server.HoldAfter("big", 20000);
    std::wstring target = dir + L"\\big.dat";
    CFileQueryID query;
    ASSERT_TRUE(Start(L"big", target, query));

    FiileItem_Info* info = AllocFileItem_Info();
    ASSERT_TRUE(PumpUntil([&] {
        return CQorViewMgr::Instance()->GetDownloadFileInfo(&query, info) == 0 && info->llBytesDone == 20000;
    }));
    EXPECT_EQ(info->nState, FILEITEM_STATE_RUNNING);
    EXPECT_EQ(info->llFileSize, 50000);
    EXPECT_TRUE(Exists(target + L".part"));
    EXPECT_FALSE(Exists(target));
    ASSERT_FALSE(events.events.empty());
    EXPECT_EQ(events.events.front().code, FCN_STARTED);

    server.Release();
    ASSERT_TRUE(PumpUntil([&] { return events.Ended(); }));
    EXPECT_EQ(events.Last().code, FCN_FILE_DONE);
    EXPECT_EQ(ReadAll(target), std::string(50000, 'x'));
    FreeFileItem_Info(info);
}

TEST_F(AttachDownload, CancelStopsTheTransferAndLeavesNoFile)
{
    server.Put("slow", std::string(30000, 'y'));
    server.HoldAfter("slow", 1000);
    std::wstring target = dir + L"\\slow.dat";
    CFileQueryID query;
    ASSERT_TRUE(Start(L"slow", target, query));
    ASSERT_TRUE(PumpUntil([&] { return server.Holding(); }));

    GUID guid = Utilities::StrToGuid(kMsgId);
    EXPECT_TRUE(CQorViewMgr::Instance()->CancelDownload(&query, events.hwnd, guid, 1, 0));
    ASSERT_TRUE(PumpUntil([&] { return events.Ended(); }));
    EXPECT_EQ(events.Last().code, FCN_CANCELLED);
    EXPECT_FALSE(Exists(target));
    EXPECT_FALSE(Exists(target + L".part"));
}

TEST_F(AttachDownload, AMissingFileOrADroppedConnectionFailsWithoutAFile)
{
    server.Put("cut", std::string(5000, 'z'));
    server.DropAfter("cut", 2000);
    const struct {
        const wchar_t* key;
        const wchar_t* name;
    } cases[] = {{L"absent", L"absent.txt"}, {L"cut", L"cut.txt"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.name);
        events.events.clear();
        std::wstring target = dir + L"\\" + c.name;
        CFileQueryID query;
        ASSERT_TRUE(Start(c.key, target, query));
        ASSERT_TRUE(PumpUntil([&] { return events.Ended(); }));
        EXPECT_EQ(events.Last().code, FCN_FILE_FAILED);
        EXPECT_EQ(events.Last().name, c.name);
        EXPECT_FALSE(Exists(target));
        EXPECT_FALSE(Exists(target + L".part"));
    }
}

TEST_F(AttachDownload, NothingStartsForAFolderABadMessageIdOrNoTarget)
{
    CQorViewMgr* mgr = CQorViewMgr::Instance();
    CFileQueryID query;
    std::wstring target = dir + L"\\x";
    const CString host(Host(server).c_str());
    EXPECT_FALSE(mgr->DownloadAttach(host, L"k", 2, events.hwnd, kMsgId, target.c_str(), &query));
    EXPECT_FALSE(mgr->DownloadAttach(host, L"k", 1, events.hwnd, L"not-a-guid", target.c_str(), &query));
    EXPECT_FALSE(mgr->DownloadAttach(host, L"k", 1, events.hwnd, kMsgId, L"", &query));
    EXPECT_FALSE(mgr->DownloadAttach(L"", L"k", 1, events.hwnd, kMsgId, target.c_str(), &query));
    EXPECT_FALSE(query.IsSet());
    FiileItem_Info* info = AllocFileItem_Info();
    EXPECT_EQ(mgr->GetDownloadFileInfo(&query, info), -1);
    FreeFileItem_Info(info);
    EXPECT_TRUE(server.Paths().empty());
}

// A file at the target when the transfer starts is one the user agreed to replace: it stays as
// it was until the new file is complete, and a cancel leaves it as it was. A file that appears at
// the target while the transfer runs is someone else's: the transfer fails and leaves it alone.
TEST_F(AttachDownload, ATargetIsReplacedOnlyWhenAgreedAndOnlyByTheCompleteFile)
{
    const std::string body(30000, 'n');
    enum Step { kFinish, kCancel, kAnotherFileAppears };
    const struct {
        const char* what;
        const char* before; // the file at the target when the transfer starts, if any
        Step step;
        int end;
        std::string after;
    } cases[] = {
        {"agreed and finished", "the user's old copy", kFinish, FCN_FILE_DONE, body},
        {"agreed and cancelled", "the user's old copy", kCancel, FCN_CANCELLED, "the user's old copy"},
        {"someone else's appears", nullptr, kAnotherFileAppears, FCN_FILE_FAILED, "someone else's"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        events.events.clear();
        const std::wstring target = dir + L"\\target" + std::to_wstring(n++) + L".doc";
        if (c.before)
            std::ofstream(target.c_str()) << c.before;
        FileServer held; // a server holds once: one per case
        held.Put("file", body);
        held.HoldAfter("file", 1000);
        CFileQueryID query;
        ASSERT_TRUE(CQorViewMgr::Instance()->DownloadAttach(Host(held), L"file", 1, events.hwnd, kMsgId, target.c_str(),
                                                            &query));
        ASSERT_TRUE(PumpUntil([&] { return held.Holding(); }));
        if (c.before)
            EXPECT_EQ(ReadAll(target), c.before) << "untouched while the new file is partial";
        if (c.step == kCancel)
            EXPECT_TRUE(CQorViewMgr::Instance()->CancelDownload(&query, events.hwnd, Utilities::StrToGuid(kMsgId), 1, 0));
        else if (c.step == kAnotherFileAppears)
            std::ofstream(target.c_str()) << "someone else's";
        held.Release();
        ASSERT_TRUE(PumpUntil([&] { return events.Ended(); }));
        EXPECT_EQ(c.end, events.Last().code);
        EXPECT_EQ(c.after, ReadAll(target));
        EXPECT_FALSE(Exists(target + L".part"));
        ASSERT_TRUE(PumpUntil([] { return FileClient_GetRunningTransfers() == 0; }));
    }
}

// A partial file that is there before the transfer is not the transfer's: the transfer fails
// without writing into it or removing it.
TEST_F(AttachDownload, APartialFileThatIsAlreadyThereIsNeitherWrittenNorRemoved)
{
    server.Put("busy", "new body");
    std::wstring target = dir + L"\\busy.txt";
    std::ofstream((target + L".part").c_str()) << "mine";
    CFileQueryID query;
    ASSERT_TRUE(Start(L"busy", target, query));
    ASSERT_TRUE(PumpUntil([&] { return events.Ended(); }));
    EXPECT_EQ(events.Last().code, FCN_FILE_FAILED);
    EXPECT_EQ(ReadAll(target + L".part"), "mine");
    EXPECT_FALSE(Exists(target));
}

// The client forgets what has ended: after many transfers it knows only the last few.
TEST_F(AttachDownload, EndedTransfersAreForgotten)
{
    server.Put("small", "small body");
    for (int i = 0; i < 24; ++i) {
        events.events.clear();
        CFileQueryID query;
        ASSERT_TRUE(Start(L"small", dir + L"\\small" + std::to_wstring(i) + L".txt", query));
        ASSERT_TRUE(PumpUntil([&] { return events.Ended(); }));
    }
    ASSERT_TRUE(PumpUntil([] { return FileClient_GetRunningTransfers() == 0; }));
    EXPECT_LE(FileClient_GetKnownTransfers(), 16);
    EXPECT_GE(FileClient_GetKnownTransfers(), 1) << "the last ones still answer a late query";
}
