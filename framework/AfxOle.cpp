#include "framework/AfxOle.h"

namespace {
// Per thread: OLE is an apartment matter, and each OleInitialize needs its own OleUninitialize
// on the same thread.
thread_local bool t_oleInitialized = false;
volatile LONG g_containerEnabled = 0;
} // namespace

BOOL AfxOleInit()
{
    if (t_oleInitialized)
        return TRUE;
    HRESULT hr = ::OleInitialize(nullptr);
    if (FAILED(hr))
        return FALSE;
    // S_FALSE: OLE was already initialised on this thread by someone else; this call still
    // counts and is balanced by AfxOleTerm.
    t_oleInitialized = true;
    return TRUE;
}

void AfxOleTerm()
{
    if (!t_oleInitialized)
        return;
    t_oleInitialized = false;
    // Data this thread left on the clipboard is copied there first (the system renders every
    // format): OleUninitialize alone would take it away with the thread's clipboard window, and
    // a text copied from the program could not be pasted once the program had gone. Only when
    // a window of this thread owns the clipboard: Wine makes the process's one OLE clipboard
    // window on the first thread that touches the OLE clipboard, and a worker's flush would
    // leave that window to die with the worker.
    HWND hOwner = ::GetClipboardOwner();
    if (hOwner && ::GetWindowThreadProcessId(hOwner, nullptr) == ::GetCurrentThreadId())
        ::OleFlushClipboard();
    ::OleUninitialize();
}

BOOL AfxOleIsInitialized()
{
    return t_oleInitialized;
}

void AfxEnableControlContainer()
{
    ::InterlockedExchange(&g_containerEnabled, 1);
    AfxOleInit();
}

BOOL AfxIsControlContainerEnabled()
{
    return g_containerEnabled != 0;
}
