// A burst of new messages from the core into the running main window: 10,000 person-to-person
// messages from 500 senders, raised through the core component's own event road into the
// window's application sink, as a busy server hands them over after a reconnect. Against the
// floor of posting and dispatching as many plain window messages on the same thread.
//
// Figures: time per event against the floor per message; the heap in use before, at the peak,
// with the tips queued and after they are dismissed; what the window keeps for 10,000 messages
// against what it keeps for one message of each sender (bounded by the senders, not by the
// messages); and that nothing was lost (the unread-message box counts 10,000).
#include "app/CKorvelApp.h"
#include "app/CKorvelBaseDlg.h"
#include "app/CQorTipMgr.h"
#include "bench/Bench.h"
#include "framework/CComBSTR.h"
#include "framework/CComPtr.h"
#include "framework/Platform.h"
#include "platform/QorCore/QorCoreIds.h"
#include "platform/QorCore/QorCoreTestHooks.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewTestHooks.h"
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

extern double g_prof[6];
namespace {

const int kEvents = 10000;
const int kSenders = 500;
// The floor's messages are posted this many at a time (a thread's queue holds 10,000 at most).
const int kChunk = 500;

// The bench process's application object (Korvel.exe has its own global one).
CKorvelApp& App()
{
    static CKorvelApp app;
    return app;
}

// Bytes in use on the process's heaps (what the program and the libraries allocated and still
// hold), in MB.
double HeapMb()
{
    HANDLE heaps[64];
    const DWORD n = ::GetProcessHeaps(64, heaps);
    unsigned long long bytes = 0;
    for (DWORD i = 0; i < n && i < 64; ++i) {
        if (!::HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (::HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                bytes += entry.cbData;
        }
        ::HeapUnlock(heaps[i]);
    }
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// Dispatches what is waiting until done() holds (waiting for more when the queue is empty).
template <class Done>
void PumpUntil(Done done)
{
    MSG msg;
    while (!done()) {
        if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
    }
}

void PumpIdle()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// The floor: a window that only counts the messages posted to it.
long g_nFloorSeen = 0;
LRESULT CALLBACK FloorProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_APP + 7) {
        ++g_nFloorSeen;
        return 0;
    }
    return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

// Milliseconds to post and dispatch kEvents messages, kChunk at a time.
double FloorMs()
{
    static ATOM atom = 0;
    if (!atom) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = FloorProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KorvelBenchFloor";
        atom = ::RegisterClassW(&wc);
    }
    HWND hWnd = ::CreateWindowExW(0, L"KorvelBenchFloor", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    g_nFloorSeen = 0;
    const double t0 = BenchNowMs();
    for (int done = 0; done < kEvents; done += kChunk) {
        for (int i = 0; i < kChunk; ++i)
            ::PostMessageW(hWnd, WM_APP + 7, static_cast<WPARAM>(done + i), 0);
        PumpUntil([&] { return g_nFloorSeen >= done + kChunk; });
    }
    const double ms = BenchNowMs() - t0;
    ::DestroyWindow(hWnd);
    return ms;
}

CComPtr<IQorMsg> NewCoreMsg(const CLSID& clsid, int n)
{
    CComPtr<IQorMsg> msg;
    if (FAILED(::CoCreateInstance(clsid, nullptr, kQorCoreClsCtx, IID_IQorMsg, reinterpret_cast<void**>(&msg))))
        return msg;
    const int sender = n % kSenders;
    wchar_t text[64];
    swprintf(text, 64, L"user%04d@corp", sender);
    msg->put_Sender(CComBSTR(text));
    swprintf(text, 64, L"User %d", sender);
    msg->put_SenderName(CComBSTR(text));
    swprintf(text, 64, L"Message %d of the burst", n);
    msg->put_Subject(CComBSTR(text));
    swprintf(text, 64, L"burst-%06d", n);
    msg->put_MsgID(CComBSTR(text));
    swprintf(text, 64, L"key-%06d", n);
    msg->put_MsgKey(CComBSTR(text));
    msg->put_MsgType(0);
    msg->put_SendTime(CComBSTR(L"2026-12-10 08:00:00"));
    msg->put_ContentType(CComBSTR(L"text/plain"));
    return msg;
}

// The unread messages the queued tips stand for: every chat record, merged or folded.
int QueuedMessages(CQorTipMgr& tips)
{
    int n = 0;
    for (int i = 0; i < tips.GetRecordCount(); ++i) {
        CUnreadMsg* r = tips.GetRecordAt(i);
        if (r->nKind == CUnreadMsg::kKindBox) {
            CUnreadMsgBox* pBox = static_cast<CUnreadMsgBox*>(r);
            for (POSITION pos = pBox->m_lstItems.GetHeadPosition(); pos;)
                n += pBox->m_lstItems.GetNext(pos)->GetMessageCount();
        } else if (r->nKind == CUnreadMsg::kKindNewMsg || r->nKind == CUnreadMsg::kKindGroupMsg) {
            n += r->GetMessageCount();
        }
    }
    return n;
}

// Messages raised at once: the core delivers them in slices as the window's queue allows.
double RaiseAll(CKorvelBaseDlg* pDlg, std::vector<CComPtr<IQorMsg>>& msgs)
{
    const long target = qorcore_test::DeliveredEvents() + static_cast<long>(msgs.size());
    const double t0 = BenchNowMs();
    for (auto& msg : msgs)
        qorcore_test::RaiseMessage(qorcore_test::kAppSink, msg);
    PumpUntil([&] { return qorcore_test::DeliveredEvents() >= target && !pDlg->GetCoreEvents().IsRaisePending(); });
    return BenchNowMs() - t0;
}

struct BurstResult {
    double ms = 0;        // raising and handling every event
    int queued = 0;       // messages the tips stand for afterwards
    double mbBefore = 0;  // heap in use before the core built the burst's messages
    double mbPeak = 0;    // every message delivered, the core's objects still held by it
    double mbKept = 0;    // what the window keeps of the burst
    double mbAfter = 0;   // the tips dismissed
};

BurstResult RunBurst(CKorvelBaseDlg* pDlg, const CLSID& clsid, int nEvents)
{
    BurstResult r;
    CQorTipMgr& tips = pDlg->GetTipMgr();
    tips.ClearTips();
    PumpIdle();
    r.mbBefore = HeapMb();
    // The core builds its message objects from the wire before it raises them; that is its
    // work, not the window's, and is not timed.
    std::vector<CComPtr<IQorMsg>> msgs;
    msgs.reserve(static_cast<size_t>(nEvents));
    for (int i = 0; i < nEvents; ++i)
        msgs.push_back(NewCoreMsg(clsid, i));
    r.ms = RaiseAll(pDlg, msgs);
    r.mbPeak = HeapMb();
    msgs.clear();
    PumpIdle();
    r.mbKept = HeapMb();
    r.queued = QueuedMessages(tips);
    tips.ClearTips();
    PumpIdle();
    r.mbAfter = HeapMb();
    return r;
}

std::string Mb(double mb)
{
    char b[32];
    std::snprintf(b, sizeof b, "%.1f MB", mb);
    return b;
}

} // namespace

KORVEL_BENCH(CoreBurst)
{
    ::OleInitialize(nullptr);
    CKorvelApp& app = App();
    const HINSTANCE hSavedRes = AfxGetResourceHandle();
    HMODULE hRes = ::LoadLibraryW((options.outDir + L"\\QorResource.dll").c_str());
    if (!hRes || !qorcore_test::Register()) {
        table.Note("core burst: QorResource.dll or the core component is missing; not run");
        return;
    }
    AfxSetResourceHandle(hRes);
    const std::wstring profile = options.workDir + L"\\core-burst-profile";
    ::CreateDirectoryW(options.workDir.c_str(), nullptr);
    ::CreateDirectoryW(profile.c_str(), nullptr);
    qorview_test::SetProfileRoot(profile);
    qorview_test::SetDefaultMessageBoxAnswer(IDOK);
    qorview_test::SetMuteSounds(true);

    table.Section("Core events: a burst of 10,000 new messages from 500 senders into the main window");
    CKorvelBaseDlg* pDlg = new CKorvelBaseDlg();
    app.m_pMainDlg = pDlg;
    if (!pDlg->Create(IDD_MAIN_WINDOW, nullptr)) {
        table.Note("core burst: the main window could not be created; not run");
        return;
    }
    pDlg->ShowWindow(SW_SHOW);
    PumpIdle();
    // Signed in, the view library's panels up, popups allowed.
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    pMgr->m_strAccount = L"me@corp";
    pMgr->m_nUserStatus = 3;
    pMgr->m_bPanelsReady = 1;
    pMgr->m_bUnreadFlash = 0;
    pMgr->m_nBusyCount = 0;
    pDlg->SetSignedIn(true);

    CLSID clsid = {};
    ::CLSIDFromProgID(kProgIdQorMsg, &clsid);

    // Once every sender has written once: what the window keeps per sender.
    const BurstResult round = RunBurst(pDlg, clsid, kSenders);
    std::vector<double> ours, floors;
    BurstResult first;
    int lost = 0;
    const int runs = std::max(1, options.runs);
    for (int run = 0; run < runs; ++run) {
        const BurstResult r = RunBurst(pDlg, clsid, kEvents);
        if (run == 0)
            first = r;
        lost = std::max(lost, kEvents - r.queued);
        ours.push_back(r.ms / kEvents);
        floors.push_back(FloorMs() / kEvents);
    }
    std::sort(ours.begin(), ours.end());
    std::sort(floors.begin(), floors.end());
    const double perEvent = ours[ours.size() / 2], perMessage = floors[floors.size() / 2];

    table.Row("core burst: one new-message event", perEvent, perMessage, 2.0, 0,
              "floor: post and dispatch one window message");
    table.Note("heap in use: " + Mb(first.mbBefore) + " before, " + Mb(first.mbPeak) +
               " at the peak (the core still holding its 10,000 message objects), " + Mb(first.mbKept) +
               " kept with the tips queued, " + Mb(first.mbAfter) + " after the tips were dismissed");
    const double keptAll = first.mbKept - first.mbBefore, keptRound = round.mbKept - round.mbBefore;
    char line[200];
    std::snprintf(line, sizeof line,
                  "kept: %.0f bytes per sender after one message each, %.0f bytes per further message",
                  keptRound * 1048576.0 / kSenders, (keptAll - keptRound) * 1048576.0 / (kEvents - kSenders));
    table.Note(line);
    // More messages from the same senders must not make the window keep much more.
    table.Row("core burst: MB kept, 10,000 messages / 500 (one per sender)", keptAll, std::max(0.001, keptRound), 2.0,
              0, "columns in MB, not ms");
    table.Note("events lost: " + std::to_string(lost) + " (the unread-message box counts " +
               std::to_string(kEvents - lost) + " of " + std::to_string(kEvents) + " at worst)");
    if (lost != 0)
        table.Row("core burst: events lost", lost, 0, 0, 0.5, "count, not ms");

    pDlg->DestroyWindow();
    PumpIdle();
    app.m_pMainDlg = nullptr;
    qorview_test::SetMuteSounds(false);
    qorview_test::SetDefaultMessageBoxAnswer(0);
    qorview_test::SetProfileRoot(L"");
    AfxSetResourceHandle(hSavedRes);
}
