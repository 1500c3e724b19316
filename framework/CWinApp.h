#pragma once
// The application object: one global CWinApp-derived object per program, constructed by the
// program's static initialisers. The process entry (AfxEntry.h) hands over to AfxWinMain, which
// runs InitInstance, then the message loop (Run) until WM_QUIT, then ExitInstance. When
// InitInstance answers FALSE, the main window (if any) is destroyed and ExitInstance still runs.
// Destroying the main window (m_pMainWnd) posts WM_QUIT, which ends Run.
#include "framework/CCommandLineInfo.h"
#include "framework/CString.h"
#include "framework/CWinThread.h"

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // lpszAppName: the application's name; the executable's name when null.
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    ~CWinApp() override;

// Attributes (set by AfxWinMain before InitInstance)
    HINSTANCE m_hInstance = nullptr;
    // The command line after the program name (never null once set).
    LPWSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCWSTR m_pszAppName = nullptr;
    // The executable's file name without folder and extension.
    LPCWSTR m_pszExeName = nullptr;

// Operations
    // Hands every argument of the process command line to rCmdInfo.ParseParam.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Icons and cursors from the current resource module; nullptr when absent.
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadIcon(LPCWSTR lpszResourceName) const;
    HICON LoadStandardIcon(LPCWSTR lpszIconName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCWSTR lpszCursorName) const;

// Overridables
    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int Run() override;
    int ExitInstance() override;

private:
    friend BOOL AfxWinInit(HINSTANCE, HINSTANCE, LPWSTR, int);
    CString m_strAppName;
    CString m_strExeName;
};

// The application object (nullptr before it is constructed or after it is destroyed).
CWinApp* AfxGetApp();

// Sets the framework up for the application object: instance and resource handle, command line.
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
// The whole run of the application object; answers the process exit code (-1 without an
// application object).
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
// The process command line after the program name and the blanks that follow it.
LPWSTR AfxGetCommandLineTail();
