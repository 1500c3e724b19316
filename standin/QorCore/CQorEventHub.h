#pragma once
// The one road by which the core raises an event in the program. Whatever part of the core
// produces an event (the connection's reader thread, a timer, a test), it hands it to Raise: the
// event is queued with its own references, and a wake-up is posted to a hidden window of the
// thread that registered the program's sinks. That thread (the program's user-interface thread,
// whose apartment the sinks live in) then calls the sink's slot, one event at a time and in the
// order raised, just as a call marshalled through the apartment would arrive. An event is never
// delivered inside the call that raised it, not even on the user-interface thread itself.
#include "platform/QorCore/IQorCallback.h"
#include <deque>
#include <string>

// Which of the program's two sinks an event is for: the core sink carries chat traffic and
// connection states to the view library, the application sink carries notifications,
// application messages and application commands to the main window.
enum QorSink : int {
    QorSinkCore = 0,
    QorSinkApp = 1,
};

// The kinds of event, by the slot of IQorCallback that carries them.
enum QorEventSlot : int {
    QorEventCommand = 9,       // OnQorCmdRec (IQorCmd)
    QorEventMessage = 10,      // OnQorMsgRec (IQorMsg)
    QorEventConnectState = 11, // OnConnectStateChange (state, detail, param)
    QorEventNotice = 12,       // OnQorNteRec (IQorCmd)
    QorEventAddInMsg = 14,     // OnQorAddInMsgRec (add-in name, IQorMsg)
};

struct QorCoreEvent {
    QorCoreEvent() = default;
    QorCoreEvent(QorSink eventSink, QorEventSlot eventSlot) : sink(eventSink), slot(eventSlot) {}
    QorSink sink = QorSinkCore;
    QorEventSlot slot = QorEventCommand;
    IQorCmd* pCmd = nullptr; // command and notice; the queue holds its own reference
    IQorMsg* pMsg = nullptr; // message and add-in message; likewise
    std::wstring addInName;
    long state = 0, detail = 0, param = 0;
};

class CQorEventHub {
public:
    // The one hub of the process; never destroyed (a late event may still be queued while
    // the process ends).
    static CQorEventHub& Instance();

    // Registers the program's sinks on behalf of a console (either may be null) and makes the
    // calling thread the one events are delivered on. Takes a reference to each sink and
    // releases those held before. ForgetOwner drops them when that console goes away.
    void SetSinks(const void* owner, IQorCallback* pCore, IQorCallback* pApp);
    void ForgetOwner(const void* owner);

    // Queues one event for delivery; may be called on any thread. FALSE (and nothing queued)
    // when no sink is registered or the object the slot carries is missing.
    BOOL Raise(const QorCoreEvent& ev);
    BOOL RaiseCommand(QorSink sink, IQorCmd* pCmd);
    BOOL RaiseMessage(QorSink sink, IQorMsg* pMsg);
    BOOL RaiseNotice(QorSink sink, IQorCmd* pNotice);
    BOOL RaiseAddInMsg(QorSink sink, const std::wstring& name, IQorMsg* pMsg);
    BOOL RaiseConnectState(QorSink sink, long state, long detail, long param);

    // Events queued and not yet delivered; events delivered since the process started.
    long Pending();
    long Delivered();
    BOOL HasSinks();
    // What the core sink answered in the out value of the last connection state delivered;
    // -1 before any.
    long LastConnectResult();

private:
    CQorEventHub();
    ~CQorEventHub() = delete;
    CQorEventHub(const CQorEventHub&) = delete;
    CQorEventHub& operator=(const CQorEventHub&) = delete;

    static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Runs on the registering thread: delivers every event queued so far.
    void DeliverQueued();
    void Deliver(QorCoreEvent& ev);
    static void ReleaseObjects(QorCoreEvent& ev);
    HWND EnsureWindowOnThisThread();

    CRITICAL_SECTION m_cs;
    std::deque<QorCoreEvent> m_queue;
    bool m_bWakePosted = false;
    HWND m_hWnd = nullptr;   // hidden message window of the receiving thread
    DWORD m_dwThread = 0;
    const void* m_pOwner = nullptr;
    IQorCallback* m_pCore = nullptr;
    IQorCallback* m_pApp = nullptr;
    long m_nDelivered = 0;
    long m_nLastConnectResult = -1;
};
