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
