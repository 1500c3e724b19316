// The application object's run (AfxWinMain: InitInstance, Run, ExitInstance), its message loop's
// PreTranslateMessage routing, the command-line switches, worker threads and locks, and the
// string-table formatting helpers.
#include "framework/CCriticalSection.h"
#include "framework/CSingleLock.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "framework/FormatString.h"
#include "framework/ModuleState.h"
#include "tests/framework/resources/TestFrameworkRes.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The main window of the test application: ends the run by destroying itself on request.
class CTestMainWnd : public CWnd {
public:
    std::vector<std::string>* log = nullptr;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_APP + 21)
            log->push_back("MainWnd.Pre");
        return FALSE;
    }
    afx_msg LRESULT OnFiltered(WPARAM, LPARAM) { log->push_back("MainWnd.OnFiltered"); return 0; }
    afx_msg LRESULT OnPassed(WPARAM, LPARAM) { log->push_back("MainWnd.OnPassed"); return 0; }
    afx_msg LRESULT OnClose(WPARAM, LPARAM)
    {
        log->push_back("MainWnd.Destroy");
        DestroyWindow();
        return 0;
    }
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestMainWnd, CWnd)
    ON_MESSAGE(WM_APP + 20, &CTestMainWnd::OnFiltered)
    ON_MESSAGE(WM_APP + 21, &CTestMainWnd::OnPassed)
    ON_MESSAGE(WM_APP + 22, &CTestMainWnd::OnClose)
END_MESSAGE_MAP()

class CTestApp : public CWinApp {
public:
    enum Plan { QuitAtOnce, FailInit, RunMainWindow };
    explicit CTestApp(Plan plan) : CWinApp(plan == QuitAtOnce ? L"Test application" : nullptr), m_plan(plan) {}

    Plan m_plan;
    std::vector<std::string> log;
    CString cmdLine;
    bool sawSelfAsApp = false;

    BOOL InitInstance() override
    {
        log.push_back("InitInstance");
        cmdLine = m_lpCmdLine;
        sawSelfAsApp = AfxGetApp() == this && AfxGetThread() == this;
        switch (m_plan) {
        case QuitAtOnce:
            ::PostQuitMessage(5);
            return TRUE;
        case FailInit: {
            // A main window made before the failure is cleaned up by the framework.
            auto* pWnd = new CTestMainWnd;
            pWnd->log = &log;
            pWnd->CreateEx(0, nullptr, L"main", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr);
            m_pMainWnd = pWnd;
            return FALSE;
        }
        case RunMainWindow: {
            auto* pWnd = new CTestMainWnd;
            pWnd->log = &log;
            if (!pWnd->CreateEx(0, nullptr, L"main", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr))
                return FALSE;
            m_pMainWnd = pWnd;
            pWnd->PostMessage(WM_APP + 20);
            pWnd->PostMessage(WM_APP + 21);
            pWnd->PostMessage(WM_APP + 22);
            return TRUE;
        }
        }
        return FALSE;
    }
    int Run() override
    {
        log.push_back("Run");
        return CWinApp::Run();
    }
    int ExitInstance() override
    {
        log.push_back(m_pMainWnd ? "ExitInstance(main window)" : "ExitInstance");
        return CWinApp::ExitInstance() + 100;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        // The application looks first and keeps one message to itself.
        if (pMsg->message == WM_APP + 20) {
            log.push_back("App.Pre(consumed)");
            return TRUE;
        }
        return CWinApp::PreTranslateMessage(pMsg);
    }
};

class WinAppTest : public ::testing::Test {
protected:
    void TearDown() override { testsupport::PumpMessages(); }
};

TEST_F(WinAppTest, AfxWinMainRunsInitRunAndExitUntilWmQuit)
{
    CTestApp app(CTestApp::QuitAtOnce);
    wchar_t cmd[] = L"port=6661&loginname=user1";
    EXPECT_EQ(AfxWinMain(::GetModuleHandleW(nullptr), nullptr, cmd, SW_HIDE), 105) << "ExitInstance's code, from WM_QUIT";
    EXPECT_EQ(app.log, (std::vector<std::string>{"InitInstance", "Run", "ExitInstance"}));
    EXPECT_TRUE(app.sawSelfAsApp);
    EXPECT_EQ(app.cmdLine, L"port=6661&loginname=user1");
    EXPECT_EQ(app.m_hInstance, ::GetModuleHandleW(nullptr));
    EXPECT_EQ(app.m_nCmdShow, SW_HIDE);
    EXPECT_STREQ(app.m_pszAppName, L"Test application");
    EXPECT_STREQ(app.m_pszExeName, L"test_framework");
}

TEST_F(WinAppTest, AFailedInitInstanceStillRunsExitInstanceButNoLoop)
{
    CTestApp app(CTestApp::FailInit);
    EXPECT_EQ(AfxWinMain(::GetModuleHandleW(nullptr), nullptr, nullptr, SW_SHOW), 100);
    EXPECT_EQ(app.log, (std::vector<std::string>{"InitInstance", "ExitInstance"}));
    EXPECT_EQ(app.m_pMainWnd, nullptr) << "the main window made before the failure was destroyed";
    EXPECT_STREQ(app.m_pszAppName, L"test_framework") << "no name given: the executable's";
    // The destroyed main window asked the loop to end; nothing is left to run it.
    MSG msg;
    ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(WinAppTest, TheLoopOffersMessagesToTheAppThenTheWindowsAndEndsWithTheMainWindow)
{
    CTestApp app(CTestApp::RunMainWindow);
    EXPECT_EQ(AfxWinMain(::GetModuleHandleW(nullptr), nullptr, nullptr, SW_SHOW), 100);
    EXPECT_EQ(app.log, (std::vector<std::string>{
                           "InitInstance", "Run",
                           "App.Pre(consumed)",                 // WM_APP+20 never reaches the window
                           "MainWnd.Pre", "MainWnd.OnPassed",   // WM_APP+21 passes the window's own look
                           "MainWnd.Destroy", "ExitInstance",   // destroying the main window ends Run
                       }));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST(CommandLineInfoTest, RecognisesTheStandardSwitches)
{
    struct Case {
        const wchar_t* param;
        BOOL flag;
        BOOL embedded, automated, splash;
        int shellCommand;
        const wchar_t* fileName;
    } cases[] = {
        {L"Embedding", TRUE, TRUE, FALSE, FALSE, CCommandLineInfo::FileNew, L""},
        {L"automation", TRUE, FALSE, TRUE, FALSE, CCommandLineInfo::FileNew, L""},
        {L"RegServer", TRUE, FALSE, FALSE, TRUE, CCommandLineInfo::AppRegister, L""},
        {L"unregserver", TRUE, FALSE, FALSE, TRUE, CCommandLineInfo::AppUnregister, L""},
        {L"Unregister", TRUE, FALSE, FALSE, TRUE, CCommandLineInfo::AppUnregister, L""},
        {L"nologo", TRUE, FALSE, FALSE, FALSE, CCommandLineInfo::FileNew, L""},
        {L"whatever", TRUE, FALSE, FALSE, TRUE, CCommandLineInfo::FileNew, L""},
        {L"port=6661&loginname=a", FALSE, FALSE, FALSE, TRUE, CCommandLineInfo::FileOpen, L"port=6661&loginname=a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CStringA(c.param).GetString());
        CCommandLineInfo info;
        info.ParseParam(c.param, c.flag, TRUE);
        EXPECT_EQ(info.m_bRunEmbedded, c.embedded);
        EXPECT_EQ(info.m_bRunAutomated, c.automated);
        EXPECT_EQ(info.m_bShowSplash, c.splash);
        EXPECT_EQ(info.m_nShellCommand, c.shellCommand);
        EXPECT_EQ(info.m_strFileName, c.fileName);
    }
}

TEST(CommandLineInfoTest, CommandLineTailSkipsTheProgramName)
{
    CString whole = ::GetCommandLineW();
    CString tail = AfxGetCommandLineTail();
    EXPECT_EQ(whole.Right(tail.GetLength()), tail);
    EXPECT_EQ(tail.Find(L"test_framework"), -1);
    EXPECT_NE(tail.GetAt(0), L' ');
}

struct WorkerParams {
    HANDLE hDone;
    CCriticalSection* pLock;
    BOOL gotLock = FALSE;
    bool threadObjectSet = false;
};

UINT __cdecl TryLockWorker(LPVOID p)
{
    auto* params = static_cast<WorkerParams*>(p);
    params->threadObjectSet = AfxGetThread() != nullptr && AfxGetThread() != AfxGetApp();
    CSingleLock lock(params->pLock);
    params->gotLock = lock.Lock(0);
    // Let go before the test wakes: it ends the lock object as soon as it sees the event.
    lock.Unlock();
    ::SetEvent(params->hDone);
    return 3;
}

TEST(ThreadTest, WorkerThreadsRunTheirFunctionAndCriticalSectionsExcludeEachOther)
{
    CCriticalSection cs;
    WorkerParams params;
    params.hDone = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    params.pLock = &cs;

    // Held here: the worker's attempt fails. Kept object, so its exit code can be read.
    {
        CSingleLock held(&cs, TRUE);
        EXPECT_TRUE(held.IsLocked());
        CWinThread* pThread = AfxBeginThread(TryLockWorker, &params, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(pThread, nullptr);
        pThread->m_bAutoDelete = FALSE;
        pThread->ResumeThread();
        ASSERT_EQ(::WaitForSingleObject(pThread->m_hThread, 10000), WAIT_OBJECT_0);
        DWORD code = 0;
        EXPECT_TRUE(::GetExitCodeThread(pThread->m_hThread, &code));
        EXPECT_EQ(code, 3u);
        delete pThread;
        EXPECT_FALSE(params.gotLock);
        EXPECT_TRUE(params.threadObjectSet);
    }

    // Released at the end of the scope above: a self-deleting worker now gets it.
    ::ResetEvent(params.hDone);
    ASSERT_NE(AfxBeginThread(TryLockWorker, &params), nullptr);
    ASSERT_EQ(::WaitForSingleObject(params.hDone, 10000), WAIT_OBJECT_0);
    EXPECT_TRUE(params.gotLock);
    ::CloseHandle(params.hDone);

    EXPECT_EQ(AfxBeginThread(nullptr, nullptr), nullptr);
}

TEST(FormatStringTest, PlaceholdersAreFilledFromTheResourceModulesStrings)
{
    HMODULE hRes = ::LoadLibraryW(L"test_framework_res.dll");
    ASSERT_NE(hRes, nullptr);
    HINSTANCE hSaved = AfxGetResourceHandle();
    AfxSetResourceHandle(hRes);

    CString s;
    AfxFormatString2(s, IDS_TEST_GREETING, L"Ann", L"Korvel");
    EXPECT_EQ(s, L"Hello Ann, welcome to Korvel.");
    AfxFormatString1(s, IDS_TEST_GREETING, L"Ann");
    EXPECT_EQ(s, L"Hello Ann, welcome to %2.") << "a placeholder without an argument stays";
    AfxFormatString1(s, IDS_TEST_SINGLE, L"%2 and %1");
    EXPECT_EQ(s, L"Only %2 and %1 here; %2 stays.") << "inserted text is not expanded again";
    AfxFormatString1(s, IDS_TEST_PERCENT, nullptr);
    EXPECT_EQ(s, L"100% of  (%3 is no argument)");
    s = L"old";
    AfxFormatString1(s, 65000, L"x");
    EXPECT_TRUE(s.IsEmpty()) << "an id the resource module lacks";

    AfxSetResourceHandle(hSaved);
    ::FreeLibrary(hRes);
}

} // namespace
