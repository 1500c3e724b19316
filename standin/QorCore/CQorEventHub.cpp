#include "standin/QorCore/CQorEventHub.h"
#include "standin/QorCore/QorComObject.h"

namespace {

const wchar_t kHubClass[] = L"QorCoreEventHub";
const UINT kWmWake = WM_APP + 1;
// Events delivered per wake-up: a burst is handed over in slices, so that the receiving thread's
// own messages (painting, timers, input) get their turn in between.
const int kSlice = 32;

struct HubLock {
    explicit HubLock(CRITICAL_SECTION& cs) : m_cs(cs) { ::EnterCriticalSection(&m_cs); }
    ~HubLock() { ::LeaveCriticalSection(&m_cs); }
    CRITICAL_SECTION& m_cs;
};

// Calls one slot of a sink. The slots are the callback interface's own; a sink that answers
// a failure has still had the event.
void CallSlot(IQorCallback* pSink, QorCoreEvent& ev, long& connectResult)
{
    switch (ev.slot) {
    case QorEventCommand:
        pSink->OnQorCmdRec(ev.pCmd);
        break;
    case QorEventMessage:
        pSink->OnQorMsgRec(ev.pMsg);
        break;
    case QorEventConnectState: {
        BOOL result = FALSE;
        pSink->OnConnectStateChange(ev.state, ev.detail, ev.param, &result);
        connectResult = result;
        break;
    }
    case QorEventNotice:
        pSink->OnQorNteRec(ev.pCmd);
        break;
    case QorEventAddInMsg: {
        BSTR name = ::SysAllocStringLen(ev.addInName.data(), static_cast<UINT>(ev.addInName.size()));
        pSink->OnQorAddInMsgRec(name, ev.pMsg);
        ::SysFreeString(name);
        break;
    }
    }
}

} // namespace

CQorEventHub& CQorEventHub::Instance()
{
    static CQorEventHub* hub = new CQorEventHub;
    return *hub;
}

CQorEventHub::CQorEventHub()
{
    ::InitializeCriticalSection(&m_cs);
}

void CQorEventHub::SetSinks(const void* owner, IQorCallback* pCore, IQorCallback* pApp)
{
    if (pCore || pApp)
        EnsureWindowOnThisThread();
    if (pCore)
        pCore->AddRef();
    if (pApp)
        pApp->AddRef();
    IQorCallback *oldCore, *oldApp;
    {
        HubLock lock(m_cs);
        oldCore = m_pCore;
        oldApp = m_pApp;
        m_pCore = pCore;
        m_pApp = pApp;
        m_pOwner = (pCore || pApp) ? owner : nullptr;
    }
    // Released outside the lock: the last release of a sink may run arbitrary code.
    if (oldCore)
        oldCore->Release();
    if (oldApp)
        oldApp->Release();
}

void CQorEventHub::ForgetOwner(const void* owner)
{
    bool mine;
    {
        HubLock lock(m_cs);
        mine = owner && m_pOwner == owner;
    }
    if (mine)
        SetSinks(nullptr, nullptr, nullptr);
}

HWND CQorEventHub::EnsureWindowOnThisThread()
{
    const DWORD thread = ::GetCurrentThreadId();
    HWND old = nullptr;
    {
        HubLock lock(m_cs);
        if (m_hWnd && m_dwThread == thread)
            return m_hWnd;
        old = m_hWnd;
    }
    static ATOM atom = 0;
    HINSTANCE hInstance = QorCoreModuleHandle();
    if (!atom) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &CQorEventHub::WndProc;
        wc.hInstance = hInstance;
        wc.lpszClassName = kHubClass;
        atom = ::RegisterClassW(&wc);
    }
    HWND hWnd = ::CreateWindowExW(0, kHubClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, hInstance, nullptr);
    if (!hWnd)
        return nullptr;
    // While the window exists the module must stay loaded: its window procedure lives here.
    QorCoreLockModule(true);
    bool wake;
    {
        HubLock lock(m_cs);
        m_hWnd = hWnd;
        m_dwThread = thread;
        wake = !m_queue.empty();
        m_bWakePosted = wake;
    }
    // The window of a thread that no longer receives events closes itself; whatever it had
    // not delivered yet is delivered on the new thread.
    if (old)
        ::PostMessageW(old, WM_CLOSE, 0, 0);
    if (wake)
        ::PostMessageW(hWnd, kWmWake, 0, 0);
    return hWnd;
}

BOOL CQorEventHub::Raise(const QorCoreEvent& ev)
{
    const bool carriesCmd = ev.slot == QorEventCommand || ev.slot == QorEventNotice;
    const bool carriesMsg = ev.slot == QorEventMessage || ev.slot == QorEventAddInMsg;
    if ((carriesCmd && !ev.pCmd) || (carriesMsg && !ev.pMsg))
        return FALSE;
    QorCoreEvent queued = ev;
    if (!carriesCmd)
        queued.pCmd = nullptr;
    if (!carriesMsg)
        queued.pMsg = nullptr;
    if (queued.pCmd)
        queued.pCmd->AddRef();
    if (queued.pMsg)
        queued.pMsg->AddRef();
    HWND wake = nullptr;
    {
        HubLock lock(m_cs);
        if (!m_hWnd || (!m_pCore && !m_pApp)) {
            // Nobody to tell: the event is dropped, as the core drops events while no program
            // is attached.
            ReleaseObjects(queued);
            return FALSE;
        }
        m_queue.push_back(std::move(queued));
        if (!m_bWakePosted) {
            m_bWakePosted = true;
            wake = m_hWnd;
        }
    }
    if (wake && !::PostMessageW(wake, kWmWake, 0, 0)) {
        // The receiving thread's queue refused the wake-up; the next Raise tries again.
        HubLock lock(m_cs);
        m_bWakePosted = false;
    }
    return TRUE;
}

BOOL CQorEventHub::RaiseCommand(QorSink sink, IQorCmd* pCmd)
{
    QorCoreEvent ev(sink, QorEventCommand);
    ev.pCmd = pCmd;
    return Raise(ev);
}

BOOL CQorEventHub::RaiseMessage(QorSink sink, IQorMsg* pMsg)
{
    QorCoreEvent ev(sink, QorEventMessage);
    ev.pMsg = pMsg;
    return Raise(ev);
}

BOOL CQorEventHub::RaiseNotice(QorSink sink, IQorCmd* pNotice)
{
    QorCoreEvent ev(sink, QorEventNotice);
    ev.pCmd = pNotice;
    return Raise(ev);
}

BOOL CQorEventHub::RaiseAddInMsg(QorSink sink, const std::wstring& name, IQorMsg* pMsg)
{
    QorCoreEvent ev(sink, QorEventAddInMsg);
    ev.addInName = name;
    ev.pMsg = pMsg;
    return Raise(ev);
}

BOOL CQorEventHub::RaiseConnectState(QorSink sink, long state, long detail, long param)
{
    QorCoreEvent ev(sink, QorEventConnectState);
    ev.state = state;
    ev.detail = detail;
    ev.param = param;
    return Raise(ev);
}

long CQorEventHub::Pending()
{
    HubLock lock(m_cs);
    return static_cast<long>(m_queue.size());
}

long CQorEventHub::Delivered()
{
    HubLock lock(m_cs);
    return m_nDelivered;
}

BOOL CQorEventHub::HasSinks()
{
    HubLock lock(m_cs);
    return (m_pCore || m_pApp) ? TRUE : FALSE;
}

long CQorEventHub::LastConnectResult()
{
    HubLock lock(m_cs);
    return m_nLastConnectResult;
}

void CQorEventHub::ReleaseObjects(QorCoreEvent& ev)
{
    if (ev.pCmd)
        ev.pCmd->Release();
    if (ev.pMsg)
        ev.pMsg->Release();
    ev.pCmd = nullptr;
    ev.pMsg = nullptr;
}

void CQorEventHub::DeliverQueued()
{
    {
        HubLock lock(m_cs);
        m_bWakePosted = false;
    }
    for (int n = 0; n < kSlice; ++n) {
        QorCoreEvent ev;
        {
            HubLock lock(m_cs);
            if (m_queue.empty() || m_dwThread != ::GetCurrentThreadId())
                return;
            ev = std::move(m_queue.front());
            m_queue.pop_front();
        }
        Deliver(ev);
    }
    HWND wake = nullptr;
    {
        HubLock lock(m_cs);
        if (!m_queue.empty() && !m_bWakePosted && m_dwThread == ::GetCurrentThreadId()) {
            m_bWakePosted = true;
            wake = m_hWnd;
        }
    }
    if (wake && !::PostMessageW(wake, kWmWake, 0, 0)) {
        HubLock lock(m_cs);
        m_bWakePosted = false;
    }
}

// The sink is the one registered when the event is delivered: a program that registered
// fresh sinks meanwhile (after a sign-out) gets the event on those.
void CQorEventHub::Deliver(QorCoreEvent& ev)
{
    IQorCallback* pSink;
    {
        HubLock lock(m_cs);
        pSink = ev.sink == QorSinkApp ? m_pApp : m_pCore;
        if (pSink)
            pSink->AddRef();
    }
    if (pSink) {
        long connectResult = -1;
        CallSlot(pSink, ev, connectResult);
        pSink->Release();
        HubLock lock(m_cs);
        ++m_nDelivered;
        if (ev.slot == QorEventConnectState)
            m_nLastConnectResult = connectResult;
    }
    ReleaseObjects(ev);
}

LRESULT CALLBACK CQorEventHub::WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CQorEventHub& hub = Instance();
    switch (msg) {
    case kWmWake:
        hub.DeliverQueued();
        return 0;
    case WM_CLOSE:
        ::DestroyWindow(hWnd);
        return 0;
    case WM_NCDESTROY: {
        {
            HubLock lock(hub.m_cs);
            if (hub.m_hWnd == hWnd) {
                hub.m_hWnd = nullptr;
                hub.m_dwThread = 0;
                hub.m_bWakePosted = false;
            }
        }
        QorCoreLockModule(false);
        break;
    }
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}
