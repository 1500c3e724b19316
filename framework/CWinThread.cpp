#include "framework/CWinThread.h"
#include "framework/CWinApp.h"
#include "framework/CException.h"
#include "framework/CWnd.h"
#include "framework/HandleMap.h"
#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

thread_local CWinThread* t_pThread = nullptr;

// True when hWndTarget is hWnd or one of its parents or owners.
bool InParentOwnerChain(HWND hWnd, HWND hWndTarget)
{
    for (; hWnd; hWnd = ::GetParent(hWnd)) {
        if (hWnd == hWndTarget)
            return true;
    }
    return false;
}

} // namespace

CWinThread* AfxGetThread()
{
    if (t_pThread)
        return t_pThread;
    // The application object is constructed before anything set the thread up.
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_nThreadID == ::GetCurrentThreadId())
        return pApp;
    return nullptr;
}

void AfxSetThread(CWinThread* pThread)
{
    t_pThread = pThread;
}

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
    if (t_pThread == this)
        t_pThread = nullptr;
}

int CWinThread::GetThreadPriority()
{
    return ::GetThreadPriority(m_hThread);
}

BOOL CWinThread::SetThreadPriority(int nPriority)
{
    return ::SetThreadPriority(m_hThread, nPriority);
}

CWnd* CWinThread::GetMainWnd()
{
    if (m_pMainWnd)
        return m_pMainWnd;
    CWinApp* pApp = AfxGetApp();
    return (pApp && pApp != this) ? pApp->m_pMainWnd : nullptr;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (m_hThread)
        return FALSE;
    unsigned id = 0;
    // Started suspended so that the handle and id are stored before the thread can use them.
    uintptr_t h = ::_beginthreadex(lpSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, this,
                                   dwCreateFlags | CREATE_SUSPENDED, &id);
    if (!h)
        return FALSE;
    m_hThread = reinterpret_cast<HANDLE>(h);
    m_nThreadID = id;
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread(m_hThread);
    return TRUE;
}

unsigned __stdcall CWinThread::ThreadEntry(void* pParam)
{
    auto* pThread = static_cast<CWinThread*>(pParam);
    t_pThread = pThread;
    UINT nExitCode = 0;
    // No exception may end the process from a worker.
    try {
        if (pThread->m_pfnThreadProc)
            nExitCode = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
        else if (pThread->InitInstance())
            nExitCode = static_cast<UINT>(pThread->Run());
        else
            nExitCode = static_cast<UINT>(pThread->ExitInstance());
    } catch (CException* e) {
        e->Delete();
        nExitCode = static_cast<UINT>(-1);
    } catch (...) {
        nExitCode = static_cast<UINT>(-1);
    }
    AfxDeleteTempMaps();
    t_pThread = nullptr;
    pThread->Delete();
    return nExitCode;
}

DWORD CWinThread::SuspendThread()
{
    return ::SuspendThread(m_hThread);
}

DWORD CWinThread::ResumeThread()
{
    return ::ResumeThread(m_hThread);
}

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostThreadMessageW(m_nThreadID, message, wParam, lParam);
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        MSG peek;
        while (bIdle && !::PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            bIdle = TRUE;
            lIdleCount = 0;
        } while (::PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    BOOL got = ::GetMessageW(&m_msgCur, nullptr, 0, 0);
    if (got == 0)
        return FALSE;
    if (got == -1)
        return TRUE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageW(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (!pMsg->hwnd)
        return FALSE; // thread messages are not routed to windows
    CWnd* pMainWnd = GetMainWnd();
    HWND hWndMain = pMainWnd ? pMainWnd->m_hWnd : nullptr;
    if (CWnd::WalkPreTranslateTree(hWndMain, pMsg))
        return TRUE;
    // A message for a window outside the main window's family still gets a look from it
    // (its keyboard shortcuts, for instance).
    if (hWndMain && ::IsWindow(hWndMain) && ::IsWindow(pMsg->hwnd) && !InParentOwnerChain(pMsg->hwnd, hWndMain))
        return pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
        return TRUE;
    AfxDeleteTempMaps();
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pfnThreadProc)
        return nullptr;
    auto* pThread = new CWinThread(pfnThreadProc, pParam);
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete pThread;
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread)
        return pThread->PreTranslateMessage(pMsg);
    return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread)
        return pThread->GetMainWnd();
    CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->m_pMainWnd : nullptr;
}
