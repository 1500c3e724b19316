// The core's one road for events: raised on any thread, delivered through the sinks that the
// console was given, on the thread that gave them, in order, after the raising call returned.
#include "framework/Platform.h"
#include "platform/QorCore/IQorCallback.h"
#include "platform/QorCore/IQorConsole.h"
#include "platform/QorCore/QorCoreIds.h"
#include "platform/QorCore/QorCoreTestHooks.h"
#include "platform/QorView/CQorViewMgr.h"
#include "tests/standin/CoreTestObjects.h"
#include "tests/standin/EventSink.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace {

class QorCoreEvents : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(qorcore_test::Register()); }
    void SetUp() override
    {
        EventSink::events.clear();
        EventSink::threads.clear();
        console = Create<IQorConsole>(kProgIdQorConsole, IID_IQorConsole);
        ASSERT_NE(nullptr, console);
        ASSERT_EQ(S_OK, console->SetCallbacks(&core, &app));
    }
    void TearDown() override
    {
        if (console)
            console->Release();
        testsupport::PumpMessages();
        EXPECT_FALSE(qorcore_test::HasSinks());
        EXPECT_EQ(0, core.refs);
        EXPECT_EQ(0, app.refs);
    }
    bool PumpUntilDelivered(long count)
    {
        return testsupport::PumpUntil([&] { return qorcore_test::DeliveredEvents() >= count; });
    }

    EventSink core{L"core"}, app{L"app"};
    IQorConsole* console = nullptr;
};

TEST_F(QorCoreEvents, EveryKindRaisedOnAnotherThreadArrivesInOrderOnTheRegisteringThread)
{
    IQorCmd* cmd = NewCmd(L"LSV");
    IQorCmd* notice = NewCmd(L"C_SHAKE");
    IQorMsg* msg = NewMsg(L"hello");
    IQorMsg* addIn = NewMsg(L"payload");
    ASSERT_TRUE(cmd && notice && msg && addIn);
    const long before = qorcore_test::DeliveredEvents();

    std::vector<BOOL> raised;
    std::thread worker([&] {
        raised.push_back(qorcore_test::RaiseCommand(qorcore_test::kAppSink, cmd));
        raised.push_back(qorcore_test::RaiseMessage(qorcore_test::kCoreSink, msg));
        raised.push_back(qorcore_test::RaiseConnectState(qorcore_test::kCoreSink, 12, 3, 44));
        raised.push_back(qorcore_test::RaiseNotice(qorcore_test::kAppSink, notice));
        raised.push_back(qorcore_test::RaiseAddInMsg(qorcore_test::kCoreSink, L"Vote", addIn));
    });
    worker.join();
    EXPECT_EQ(std::vector<BOOL>(5, TRUE), raised);
    // Nothing reaches the program until its thread runs its messages.
    EXPECT_TRUE(EventSink::events.empty());
    EXPECT_EQ(5, qorcore_test::PendingEvents());

    ASSERT_TRUE(PumpUntilDelivered(before + 5));
    const std::vector<std::wstring> expected = {L"app:9:LSV", L"core:10:hello", L"core:11:12,3,44",
                                                L"app:12:C_SHAKE", L"core:14:Vote,payload"};
    EXPECT_EQ(expected, EventSink::events);
    EXPECT_EQ(std::vector<DWORD>(5, ::GetCurrentThreadId()), EventSink::threads);
    EXPECT_EQ(1, qorcore_test::LastConnectStateResult());
    EXPECT_EQ(0, qorcore_test::PendingEvents());

    // The queue let go of every object it carried.
    for (IUnknown* p : {static_cast<IUnknown*>(cmd), static_cast<IUnknown*>(notice), static_cast<IUnknown*>(msg),
                        static_cast<IUnknown*>(addIn)}) {
        EXPECT_EQ(1u, RefCount(p));
        p->Release();
    }
}

TEST_F(QorCoreEvents, AnEventRaisedOnTheReceivingThreadArrivesOnlyAfterTheCallReturns)
{
    IQorCmd* cmd = NewCmd(L"OUT");
    ASSERT_NE(nullptr, cmd);
    const long before = qorcore_test::DeliveredEvents();
    ASSERT_TRUE(qorcore_test::RaiseNotice(qorcore_test::kAppSink, cmd));
    EXPECT_TRUE(EventSink::events.empty());
    ASSERT_TRUE(PumpUntilDelivered(before + 1));
    EXPECT_EQ(std::vector<std::wstring>{L"app:12:OUT"}, EventSink::events);
    cmd->Release();
}

TEST_F(QorCoreEvents, ABurstArrivesWholeAndInOrder)
{
    const long before = qorcore_test::DeliveredEvents();
    const int burst = 500;
    for (int i = 0; i < burst; ++i)
        ASSERT_TRUE(qorcore_test::RaiseConnectState(qorcore_test::kCoreSink, i, 0, 0));
    ASSERT_TRUE(PumpUntilDelivered(before + burst));
    ASSERT_EQ(static_cast<size_t>(burst), EventSink::events.size());
    for (int i = 0; i < burst; ++i)
        ASSERT_EQ(L"core:11:" + std::to_wstring(i) + L",0,0", EventSink::events[i]);
}

TEST_F(QorCoreEvents, QueuedEventsGoToTheSinksRegisteredWhenTheyAreDelivered)
{
    IQorCmd* cmd = NewCmd(L"C_STATUS");
    ASSERT_NE(nullptr, cmd);
    const long before = qorcore_test::DeliveredEvents();
    ASSERT_TRUE(qorcore_test::RaiseNotice(qorcore_test::kAppSink, cmd));
    // A sign-out hands the core fresh sinks before the event is delivered.
    EventSink fresh(L"fresh");
    ASSERT_EQ(S_OK, console->SetCallbacks(&core, &fresh));
    EXPECT_EQ(0, app.refs);
    ASSERT_TRUE(PumpUntilDelivered(before + 1));
    EXPECT_EQ(std::vector<std::wstring>{L"fresh:12:C_STATUS"}, EventSink::events);
    console->Release();
    console = nullptr;
    EXPECT_EQ(0, fresh.refs);
    cmd->Release();
}

TEST_F(QorCoreEvents, RefusedWithoutSinksOrWithoutTheObjectTheSlotCarries)
{
    IQorCmd* cmd = NewCmd(L"C_SHAKE");
    ASSERT_NE(nullptr, cmd);
    EXPECT_FALSE(qorcore_test::RaiseCommand(qorcore_test::kAppSink, nullptr));
    EXPECT_FALSE(qorcore_test::RaiseNotice(qorcore_test::kAppSink, nullptr));
    EXPECT_FALSE(qorcore_test::RaiseMessage(qorcore_test::kAppSink, nullptr));
    EXPECT_FALSE(qorcore_test::RaiseAddInMsg(qorcore_test::kCoreSink, L"x", nullptr));
    EXPECT_EQ(0, qorcore_test::PendingEvents());

    // The console that held the sinks goes away: the core has nobody to tell.
    console->Release();
    console = nullptr;
    EXPECT_FALSE(qorcore_test::HasSinks());
    EXPECT_FALSE(qorcore_test::RaiseNotice(qorcore_test::kAppSink, cmd));
    EXPECT_FALSE(qorcore_test::RaiseConnectState(qorcore_test::kCoreSink, 7, 0, 0));
    EXPECT_EQ(0, qorcore_test::PendingEvents());
    EXPECT_EQ(1u, RefCount(cmd));
    cmd->Release();
}

TEST_F(QorCoreEvents, TheViewManagerHandsTheProgramsSinksToItsConsole)
{
    console->Release();
    console = nullptr;
    CQorViewMgr* mgr = CQorViewMgr::Instance();
    mgr->SetCoreCallback(&core);
    mgr->SetAppCallback(&app);
    ASSERT_TRUE(qorcore_test::HasSinks());
    IQorCmd* cmd = NewCmd(L"ERR");
    ASSERT_NE(nullptr, cmd);
    const long before = qorcore_test::DeliveredEvents();
    ASSERT_TRUE(qorcore_test::RaiseCommand(qorcore_test::kAppSink, cmd));
    ASSERT_TRUE(PumpUntilDelivered(before + 1));
    EXPECT_EQ(std::vector<std::wstring>{L"app:9:ERR"}, EventSink::events);
    mgr->SetCoreCallback(nullptr);
    mgr->SetAppCallback(nullptr);
    EXPECT_FALSE(qorcore_test::HasSinks());
    cmd->Release();
}

} // namespace
