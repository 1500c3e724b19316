// The in-process server of our core component: class factory, the Dll* entry points,
// self-registration, and the call log for tests.
#include "framework/Platform.h"
#include "platform/QorCore/QorCoreIds.h"
#include "platform/QorCore/QorCoreTestHooks.h"
#include "standin/QorCore/CQorCmdObject.h"
#include "standin/QorCore/CQorConsoleObject.h"
#include "standin/QorCore/CQorEventHub.h"
#include "standin/QorCore/CQorMsgObject.h"
#include "standin/QorCore/CQorWebCtlObject.h"
#include <olectl.h>

namespace {

HINSTANCE g_hModule = nullptr;
LONG g_liveObjects = 0;
LONG g_serverLocks = 0;

// Guards the call log; calls may come from any apartment's thread.
struct LogLock {
    LogLock() { ::InitializeCriticalSection(&cs); }
    ~LogLock() { ::DeleteCriticalSection(&cs); }
    CRITICAL_SECTION cs;
} g_logLock;

struct LogScope {
    LogScope() { ::EnterCriticalSection(&g_logLock.cs); }
    ~LogScope() { ::LeaveCriticalSection(&g_logLock.cs); }
};
std::vector<qorcore_test::CallRecord> g_calls;
// Calls are recorded only once a test has asked for the log: the program never does, so the
// log of everything it sent (message texts included) is not kept outside tests.
bool g_recording = false;

struct ClassEntry {
    const CLSID* clsid;
    const wchar_t* progId;
    const wchar_t* description;
    IUnknown* (*create)();
};

IUnknown* NewMsg() { return static_cast<IQorMsg*>(new CQorMsgObject); }
IUnknown* NewCmd() { return static_cast<IQorCmd*>(new CQorCmdObject); }
IUnknown* NewConsole() { return static_cast<IQorConsole*>(new CQorConsoleObject); }
IUnknown* NewWebCtl() { return static_cast<IQorWebCtl*>(new CQorWebCtlObject); }

const ClassEntry kClasses[] = {
    {&CLSID_QorMsg, kProgIdQorMsg, L"QorMsg Class", NewMsg},
    {&CLSID_QorConsole, kProgIdQorConsole, L"QorConsole Class", NewConsole},
    {&CLSID_QorWebCtl, kProgIdQorWebCtl, L"QorWebCtl Class", NewWebCtl},
    {&CLSID_QorCmd, kProgIdQorCmd, L"QorCmd Class", NewCmd},
};

class ClassFactory : public IClassFactory {
public:
    explicit ClassFactory(const ClassEntry& entry) : m_entry(entry) { QorCoreObjectCreated(); }
    virtual ~ClassFactory() { QorCoreObjectDestroyed(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG n = ::InterlockedDecrement(&m_refs);
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (pOuter)
            return CLASS_E_NOAGGREGATION;
        IUnknown* obj = m_entry.create();
        if (!obj)
            return E_OUTOFMEMORY;
        HRESULT hr = obj->QueryInterface(riid, ppv);
        obj->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override
    {
        QorCoreLockModule(fLock != FALSE);
        return S_OK;
    }

private:
    const ClassEntry& m_entry;
    LONG m_refs = 1;
};

std::wstring GuidText(const GUID& g)
{
    wchar_t buf[64] = {};
    ::StringFromGUID2(g, buf, 64);
    return buf;
}

bool SetValue(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    LONG rc = ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

// Writes the classes under one root: HKEY_CLASSES_ROOT, or the user's
// Software\Classes when the machine-wide one cannot be written.
bool RegisterUnder(HKEY root, const std::wstring& prefix)
{
    for (const ClassEntry& c : kClasses) {
        std::wstring clsid = GuidText(*c.clsid);
        std::wstring progId = c.progId;
        std::wstring clsKey = prefix + L"CLSID\\" + clsid;
        // The bare file name: COM then loads the copy that lies beside the executable,
        // so several installed copies never load each other's server.
        if (!SetValue(root, clsKey, nullptr, c.description) ||
            !SetValue(root, clsKey + L"\\InprocServer32", nullptr, L"QorCore.dll") ||
            !SetValue(root, clsKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment") ||
            !SetValue(root, clsKey + L"\\ProgID", nullptr, progId + L".1") ||
            !SetValue(root, clsKey + L"\\VersionIndependentProgID", nullptr, progId) ||
            !SetValue(root, prefix + progId, nullptr, c.description) ||
            !SetValue(root, prefix + progId + L"\\CLSID", nullptr, clsid) ||
            !SetValue(root, prefix + progId + L"\\CurVer", nullptr, progId + L".1") ||
            !SetValue(root, prefix + progId + L".1", nullptr, c.description) ||
            !SetValue(root, prefix + progId + L".1\\CLSID", nullptr, clsid))
            return false;
    }
    return true;
}

void UnregisterUnder(HKEY root, const std::wstring& prefix)
{
    for (const ClassEntry& c : kClasses) {
        std::wstring progId = c.progId;
        ::RegDeleteTreeW(root, (prefix + L"CLSID\\" + GuidText(*c.clsid)).c_str());
        ::RegDeleteTreeW(root, (prefix + progId).c_str());
        ::RegDeleteTreeW(root, (prefix + progId + L".1").c_str());
    }
}

} // namespace

void QorCoreObjectCreated() { ::InterlockedIncrement(&g_liveObjects); }
void QorCoreObjectDestroyed() { ::InterlockedDecrement(&g_liveObjects); }

void QorCoreLockModule(bool bLock)
{
    if (bLock)
        ::InterlockedIncrement(&g_serverLocks);
    else
        ::InterlockedDecrement(&g_serverLocks);
}

HINSTANCE QorCoreModuleHandle() { return g_hModule; }

void QorCoreRecord(const wchar_t* operation, const std::wstring& args)
{
    LogScope lock;
    if (g_recording)
        g_calls.emplace_back(operation, args);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_hModule = hInstance;
        ::DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    for (const ClassEntry& c : kClasses) {
        if (IsEqualCLSID(rclsid, *c.clsid)) {
            ClassFactory* factory = new ClassFactory(c);
            HRESULT hr = factory->QueryInterface(riid, ppv);
            factory->Release();
            return hr;
        }
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT WINAPI DllCanUnloadNow()
{
    return (g_liveObjects == 0 && g_serverLocks == 0) ? S_OK : S_FALSE;
}

extern "C" HRESULT WINAPI DllRegisterServer()
{
    if (RegisterUnder(HKEY_CLASSES_ROOT, L""))
        return S_OK;
    return RegisterUnder(HKEY_CURRENT_USER, L"Software\\Classes\\") ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT WINAPI DllUnregisterServer()
{
    UnregisterUnder(HKEY_CLASSES_ROOT, L"");
    UnregisterUnder(HKEY_CURRENT_USER, L"Software\\Classes\\");
    return S_OK;
}

namespace qorcore_test {

void ClearCalls()
{
    LogScope lock;
    g_calls.clear();
    g_recording = true;
}

void StopRecording()
{
    LogScope lock;
    g_calls.clear();
    g_recording = false;
}

std::vector<CallRecord> Calls()
{
    LogScope lock;
    return g_calls;
}

int CountCalls(const wchar_t* operation)
{
    LogScope lock;
    int n = 0;
    for (const auto& c : g_calls)
        n += c.first == operation ? 1 : 0;
    return n;
}

std::wstring LastArgs(const wchar_t* operation)
{
    LogScope lock;
    for (auto it = g_calls.rbegin(); it != g_calls.rend(); ++it) {
        if (it->first == operation)
            return it->second;
    }
    return std::wstring();
}

long LiveObjects() { return g_liveObjects; }

namespace {
QorSink SinkOf(int sink) { return sink == kAppSink ? QorSinkApp : QorSinkCore; }
} // namespace

BOOL RaiseCommand(int sink, IQorCmd* pCmd) { return CQorEventHub::Instance().RaiseCommand(SinkOf(sink), pCmd); }
BOOL RaiseMessage(int sink, IQorMsg* pMsg) { return CQorEventHub::Instance().RaiseMessage(SinkOf(sink), pMsg); }
BOOL RaiseNotice(int sink, IQorCmd* pNotice) { return CQorEventHub::Instance().RaiseNotice(SinkOf(sink), pNotice); }

BOOL RaiseConnectState(int sink, long state, long detail, long param)
{
    return CQorEventHub::Instance().RaiseConnectState(SinkOf(sink), state, detail, param);
}

BOOL RaiseAddInMsg(int sink, const wchar_t* addInName, IQorMsg* pMsg)
{
    return CQorEventHub::Instance().RaiseAddInMsg(SinkOf(sink), addInName ? addInName : L"", pMsg);
}

long PendingEvents() { return CQorEventHub::Instance().Pending(); }
long DeliveredEvents() { return CQorEventHub::Instance().Delivered(); }
BOOL HasSinks() { return CQorEventHub::Instance().HasSinks(); }
long LastConnectStateResult() { return CQorEventHub::Instance().LastConnectResult(); }

BOOL Register() { return SUCCEEDED(DllRegisterServer()) ? TRUE : FALSE; }

} // namespace qorcore_test
