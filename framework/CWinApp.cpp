#include "framework/CWinApp.h"
#include "framework/CException.h"
#include "framework/CWnd.h"
#include "framework/ModuleState.h"
#include <shellapi.h>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp* s_pApp = nullptr;

} // namespace

CWinApp* AfxGetApp()
{
    return s_pApp;
}

CWinApp::CWinApp(LPCWSTR lpszAppName)
{
    // The first application object is the program's; a second one (a mistake) is ignored.
    if (!s_pApp)
        s_pApp = this;
    m_nThreadID = ::GetCurrentThreadId();
    m_bAutoDelete = FALSE;
    if (lpszAppName) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
    }
}

CWinApp::~CWinApp()
{
    if (s_pApp == this)
        s_pApp = nullptr;
    if (AfxGetThread() == this)
        AfxSetThread(nullptr);
    m_hThread = nullptr; // the user-interface thread's handle is not ours to close
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    return CWinThread::Run();
}

int CWinApp::ExitInstance()
{
    return CWinThread::ExitInstance();
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!argv)
        return;
    for (int i = 1; i < argc; ++i) {
        const wchar_t* pszParam = argv[i];
        const BOOL bFlag = (pszParam[0] == L'-' || pszParam[0] == L'/');
        if (bFlag)
            ++pszParam;
        rCmdInfo.ParseParam(pszParam, bFlag, i == argc - 1);
    }
    ::LocalFree(argv);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource));
}

HICON CWinApp::LoadIcon(LPCWSTR lpszResourceName) const
{
    return ::LoadIconW(AfxGetResourceHandle(), lpszResourceName);
}

HICON CWinApp::LoadStandardIcon(LPCWSTR lpszIconName) const
{
    return ::LoadIconW(nullptr, lpszIconName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCWSTR lpszCursorName) const
{
    return ::LoadCursorW(nullptr, lpszCursorName);
}

LPWSTR AfxGetCommandLineTail()
{
    LPWSTR p = ::GetCommandLineW();
    if (!p)
        return const_cast<LPWSTR>(L"");
    // The program name, quoted or not, then the blanks before the arguments.
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"')
            ++p;
        if (*p == L'"')
            ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t')
            ++p;
    }
    while (*p == L' ' || *p == L'\t')
        ++p;
    return p;
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPWSTR lpCmdLine, int nCmdShow)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_hCurrentInstanceHandle = hInstance;
    // A resource module chosen before this point (by a static initialiser) stays.
    if (!pState->m_hCurrentResourceHandle)
        pState->m_hCurrentResourceHandle = hInstance;

    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return FALSE;
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = lpCmdLine ? lpCmdLine : AfxGetCommandLineTail();
    pApp->m_nCmdShow = nCmdShow;
    pApp->m_nThreadID = ::GetCurrentThreadId();
    AfxSetThread(pApp);

    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(hInstance, path, MAX_PATH);
    CString exe(path);
    exe = exe.Mid(exe.ReverseFind(L'\\') + 1);
    const int dot = exe.ReverseFind(L'.');
    if (dot > 0)
        exe = exe.Left(dot);
    pApp->m_strExeName = exe;
    pApp->m_pszExeName = pApp->m_strExeName;
    if (!pApp->m_pszAppName) {
        pApp->m_strAppName = exe;
        pApp->m_pszAppName = pApp->m_strAppName;
    }
    return TRUE;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
        return -1;
    int nReturnCode = -1;
    try {
        if (!pApp->InitApplication() || !pApp->InitInstance()) {
            // A failed start still gets its clean-up.
            if (pApp->m_pMainWnd)
                pApp->m_pMainWnd->DestroyWindow();
            nReturnCode = pApp->ExitInstance();
        } else {
            nReturnCode = pApp->Run();
        }
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return nReturnCode;
}
