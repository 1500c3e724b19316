#pragma once
// A thread of the program. The user-interface thread is the application object (CWinApp, which
// derives from this) and runs the message loop in Run; worker threads come from AfxBeginThread
// and run a plain function.
#include "framework/CCmdTarget.h"

class CWnd;

// The function a worker thread runs; its result is the thread's exit code.
typedef UINT(__cdecl* AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

// Attributes
    // The window whose destruction ends this thread's message loop.
    CWnd* m_pMainWnd = nullptr;
    // Deletes the object (and closes m_hThread) when the thread ends. Whoever keeps the object
    // or its handle past the thread's end sets this to FALSE (create the thread suspended to
    // do so safely) and deletes it after waiting.
    BOOL m_bAutoDelete = TRUE;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    operator HANDLE() const { return m_hThread; }
    int GetThreadPriority();
    BOOL SetThreadPriority(int nPriority);
    // This thread's main window, else the application's.
    virtual CWnd* GetMainWnd();

// Operations
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
    DWORD SuspendThread();
    DWORD ResumeThread();
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

// Overridables
    virtual BOOL InitInstance();
    // The message loop: runs until WM_QUIT, then answers ExitInstance().
    virtual int Run();
    // Offers a queued message to the windows before it is dispatched: the window it is for and
    // its parents up to the main window, then the main window when the message is for another
    // top-level window. TRUE = consumed.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Gets and dispatches one message; FALSE at WM_QUIT.
    virtual BOOL PumpMessage();
    // Idle work while the queue is empty; answer TRUE for more calls. Count 1 frees the temporary
    // wrapper objects (FromHandle).
    virtual BOOL OnIdle(LONG lCount);
    // Answers the exit code (the WM_QUIT code for the loop).
    virtual int ExitInstance();
    // Deletes the object when m_bAutoDelete is set.
    virtual void Delete();

    // The message being dispatched by PumpMessage.
    MSG m_msgCur = {};

protected:
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;

private:
    static unsigned __stdcall ThreadEntry(void* pParam);
};

// The object of the calling thread: the application on the user-interface thread, the worker's
// object in a worker, nullptr in a thread the framework did not start.
CWinThread* AfxGetThread();
// Makes pThread the calling thread's object (the application object's own set-up does this).
void AfxSetThread(CWinThread* pThread);

// Starts a worker thread running pfnThreadProc(pParam). Answers the thread object, which deletes
// itself when the thread ends (m_bAutoDelete), or nullptr when the thread could not be started.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

// The pre-translation of every framework message loop (Run and the modal loops): the calling
// thread's PreTranslateMessage, or the window chain when the thread has no object.
BOOL AfxPreTranslateMessage(MSG* pMsg);
// The main window of the calling thread (or of the application).
CWnd* AfxGetMainWnd();
