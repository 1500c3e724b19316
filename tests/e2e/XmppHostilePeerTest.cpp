// What others send, end to end, against the real main window signed in to Prosody: a contact
// who sends the server's commands, a body of 200 KB, one namespace of 100,000 characters on
// 20,000 elements and a stanza nested 2,000 deep leaves alice signed in, her window answering
// and her memory nearly where it was, and the message after them arrives; and a text of alice's
// holding a character XML forbids reaches the contact instead of closing her stream.
#include "app/CQorTipMgr.h"
#include "tests/e2e/XmppRoad.h"
#include <psapi.h>
#include <atomic>
#include <string>
#include <thread>

namespace {

// The memory the process has committed (Wine reports no private usage, but keeps this one).
SIZE_T CommittedMemory()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PagefileUsage;
}

// Watches the window from a thread of its own while the test's thread runs the window: whether
// a message to it ever went unanswered for 2 s, and the most memory the process held.
class WindowWatch {
public:
    explicit WindowWatch(HWND hwnd)
        : m_hwnd(hwnd), m_stop(::CreateEventW(nullptr, TRUE, FALSE, nullptr)), m_peak(CommittedMemory()),
          m_thread([this] { Run(); })
    {
    }
    ~WindowWatch()
    {
        ::SetEvent(m_stop);
        m_thread.join();
        ::CloseHandle(m_stop);
    }
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;

    int Stalls() const { return m_stalls; }
    SIZE_T Peak() const { return m_peak; }

private:
    void Run()
    {
        // One look every 50 ms: a message the window must answer, and the memory.
        while (::WaitForSingleObject(m_stop, 50) == WAIT_TIMEOUT) {
            DWORD_PTR result = 0;
            if (!::SendMessageTimeoutW(m_hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result))
                ++m_stalls;
            const SIZE_T now = CommittedMemory();
            if (now > m_peak)
                m_peak = now;
        }
    }

    HWND m_hwnd;
    HANDLE m_stop;
    std::atomic<int> m_stalls{0};
    std::atomic<SIZE_T> m_peak;
    std::thread m_thread;
};

bool ReceivedMessage(const wchar_t* id)
{
    for (const auto& call : qorview_test::Calls()) {
        if (call.first == L"CQorEventMgr::OnQorMsgRec" && call.second == id)
            return true;
    }
    return false;
}

// A few MB: what the messages that did arrive keep (the 200 KB body is kept as the chat's and
// the tip's text), with room for the heap's own rounding.
const SIZE_T kFewMegabytes = 8u << 20;

TEST_F(XmppRoad, AHostileContactNeitherSignsAliceOutNorStallsNorSwellsHerClient)
{
    ASSERT_TRUE(Server().Ok("peer-start bob"));
    ASSERT_TRUE(SignIn());
    // A first message, so that what the first tip sets up once is not counted.
    qorview_test::ClearCalls();
    ASSERT_TRUE(Server().Ok("send-raw <message to='alice@localhost' type='chat' id='warm-up'><body>hello</body></message>"));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return ReceivedMessage(L"warm-up"); }, kRounds));
    testsupport::PumpMessages();
    m_pDlg->GetTipMgr().ClearTips();
    const SIZE_T before = CommittedMemory();
    {
        WindowWatch watch(Wnd());
        for (const char* command : {"<command xmlns='urn:korvel:core:0' name='OUT'><int>224</int></command>",
                                    "<command xmlns='urn:korvel:core:0' name='C_STATUS'><int>6</int></command>",
                                    "<command xmlns='urn:korvel:core:0' name='C_SIGNOUT'/>",
                                    "<command xmlns='urn:korvel:core:0' name='C_SIGNOUT_EX'/>",
                                    "<command xmlns='urn:korvel:core:0' name='OUT' slot='command' sink='core'/>"})
            ASSERT_TRUE(Server().Ok(std::string("send-raw <message to='alice@localhost'>") + command + "</message>"));
        for (const char* kind : {"big-body", "namespace", "deep"})
            ASSERT_TRUE(Server().Ok(std::string("send-hostile alice@localhost ") + kind)) << kind;
        ASSERT_TRUE(Server().Ok("send-raw <message to='alice@localhost' type='chat' id='after-them'><body>after them"
                                "</body></message>"));
        ASSERT_TRUE(testsupport::PumpUntil([&] { return ReceivedMessage(L"after-them"); }, kRounds));
        // The tips of what arrived are shown and painted before the watch ends.
        ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pDlg->GetTipMgr().IsTipVisible(); }, kRounds));
        testsupport::PumpMessages();
        EXPECT_EQ(watch.Stalls(), 0) << "the window did not answer within 2 s";
        EXPECT_LE(watch.Peak() - before, kFewMegabytes) << "grew by " << (watch.Peak() - before) / 1024 << " KB";
    }
    EXPECT_TRUE(ReceivedMessage(L"hostile-big-body"));
    EXPECT_TRUE(m_pDlg->IsSignedIn());
    EXPECT_EQ(m_pDlg->GetLoginFields().nLoginStatus, 3);
    EXPECT_EQ(m_pDlg->GetPanels().GetLoginPanel(), nullptr);
    EXPECT_EQ(m_pDlg->GetPanels().GetReconnectPanel(), nullptr);
    Shot(L"after_hostile_contact");
}

TEST_F(XmppRoad, ATextWithACharacterXmlForbidsReachesTheContact)
{
    ASSERT_TRUE(Server().Ok("peer-start bob"));
    ASSERT_TRUE(SignIn());
    // U+000B is what a word processor pastes for a line break inside a paragraph.
    SendToBob(L"first\vsecond");
    EXPECT_EQ(Server().Command("wait-message alice@localhost 30"), "ok first\xEF\xBF\xBDsecond");
    // The stream is still up: the next message goes out on it.
    SendToBob(L"and more");
    EXPECT_EQ(Server().Command("wait-message alice@localhost 30"), "ok and more");
    EXPECT_TRUE(m_pDlg->IsSignedIn());
}

} // namespace
