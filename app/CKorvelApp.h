#pragma once
// CKorvelApp: the single application object. It starts the process in order (GDI+, the resource
// module, the skin archive, the COM local server, the crash reporter, the file-transfer store,
// the command line and boot.ini), creates the main window and shuts everything down again.
// The COM objects, the main window and the sign-in panels read its fields.
#include "framework/CString.h"
#include "framework/CWinApp.h"
#include "framework/ModuleState.h"
#include "platform/xDUI/CFileResourceProvider.h"
#include "platform/xDUI/CZipResourceProvider.h"
#include "signin/StartupFlags.h"
#include <memory>

class CKorvelBaseDlg;
class IConsoleOwner;
class ILoginOwner;
namespace xDuiLib {
class CxQorResourceProvider;
}

// Exit codes of a start that ended early, so that an installer or a test can tell why the
// process went away (0: it ran and ended normally, or a registration switch succeeded).
enum KorvelStartupExit : int {
    STARTUP_EXIT_NO_RESOURCES = 2,    // QorResource.dll missing or not loadable
    STARTUP_EXIT_NO_SKIN = 3,         // no skin folder, or the archive neither there nor copyable
    STARTUP_EXIT_SKIN_REFUSED = 4,    // the skin library refused the archive ("Load resource failed")
    STARTUP_EXIT_NO_MAIN_WINDOW = 5,
    STARTUP_EXIT_NO_COM_SERVER = 6,   // COM or the class objects could not be started
    STARTUP_EXIT_UNREGISTER_FAILED = 7,
    STARTUP_EXIT_REGISTER_FAILED = 8,
    STARTUP_EXIT_NO_OLE = 9,          // OLE could not be initialised on the user-interface thread
};

class CKorvelApp : public CWinApp {
public:
    CKorvelApp();
    ~CKorvelApp() override;

    // The application object of the process; null before it is built and after it is gone.
    static CKorvelApp* GetApp();
    // The main window of the application object, or null (no application or no window yet).
    static CKorvelBaseDlg* GetMainDlg();
    // The main window as the console object sees it, or null.
    static IConsoleOwner* GetConsoleOwner();
    // The main window's handle, or null.
    static HWND GetMainHwnd();
    // The module state every COM method and callback runs in: the program's, once recorded at
    // start-up, else the calling thread's own.
    static AFX_MODULE_STATE* GetCallModuleState();

    BOOL InitInstance() override;
    int ExitInstance() override;

// Start-up steps (InitInstance calls them in order; public so that each can be driven alone)
    // Loads QorResource.dll from the program directory and makes it the resource module.
    // FALSE (after telling the user) when it is missing or not a loadable module.
    BOOL LoadResourceModule();
    // Ensures the skin archive in the skin folder and hands its "QorSkin" stream to the zip
    // provider, registering the provider with the skin library. FALSE ends the start.
    BOOL PrepareSkin(const CString& strSkinFolder);
    // The COM local server: 1 when the class objects are registered, 0 to end the process
    // (after /RegServer or /UnregServer, or on a failure).
    int StartComServer();
    // The control container, rich edit 2 and OLE for this thread, OLE initialised once (ended
    // by ExitInstance); FALSE when OLE cannot be initialised.
    BOOL StartOle();
    // Reads the "&"-joined key=value items of the command line into the fields below.
    void ParseStartupArgs(const CString& strCommandLine);
    // One key=value item of the command line or of a cross-process request: the key before the
    // first "=", the value everything after it (passwords and server texts may hold "="), both
    // trimmed. FALSE for an item without "=" (key and value then stay as they are).
    static BOOL SplitStartupItem(const CString& strItem, CString& strKey, CString& strValue);
    // ORs a positive boot.ini [StartUp] "Value" of the program directory into the flags.
    void ReadBootStartupFlags();
    // Copies the command line's sign-in fields into a new main window, only when the command
    // line named a login name.
    void HandSignInFields(ILoginOwner& dlg) const;
    void InstallCrashReporter();
    void UninstallCrashReporter();
    // Opens RS.Dat beside the resource module; the result is not needed by the start.
    void OpenFileTransferStore();

    // Lets message through the user-interface privilege filter (add) or takes it out again;
    // nothing on systems without ChangeWindowMessageFilter.
    static void SetWindowMessageFilter(UINT message, BOOL bAdd);

    // Which COM registration switch a raw process command line carries: "RegServer" or
    // "UnregServer" after "-" or "/", standing as an argument of its own (at the start of
    // the line or after a blank) and ending the line.
    enum ComSwitch { COM_SWITCH_NONE = 0, COM_SWITCH_REGSERVER = 1, COM_SWITCH_UNREGSERVER = 2 };
    static ComSwitch FindComSwitch(LPCWSTR lpszCommandLine);

// Fields read by the COM objects, the main window and the sign-in panels
    CRITICAL_SECTION m_csAccount;          // guards m_hAccountMutex
    HANDLE m_hAccountMutex = nullptr;      // named mutex of the signed-in account
    DWORD m_dwVersion = 41362;             // the client's version code
    HINSTANCE m_hResource = nullptr;       // QorResource.dll, once started
    AFX_MODULE_STATE* m_pModuleState = nullptr; // what the COM objects switch to
    CKorvelBaseDlg* m_pMainDlg = nullptr;  // the main window; COM methods answer S_FALSE while null
    CString m_strLanguage = L"CHS";
    CString m_strServer;
    int m_nPort = 6660;
    CString m_strLoginName;
    CString m_strPassword;
    int m_nPwdType = 0;
    int m_nStartupFlags = 0;
    CString m_strReceiver;
    CString m_strReceiverName;
    CString m_strViewId;
    int m_bComStarted = 0;
    ULONG_PTR m_gdiplusToken = 0;
    xDuiLib::CFileResourceProvider m_FileResourceProvider;
    xDuiLib::CZipResourceProvider m_ZipResourceProvider;

    // The program's folder (no trailing backslash); set by InitInstance, or by a caller that
    // drives the steps alone.
    CString m_strProgramDir;
    // The text of the box that ended the start (empty when none did).
    CString m_strStartupError;

protected:
    // Reads a stream of the open skin archive into the buffer (a separate step so that the
    // fallback to an extracted file can be exercised).
    virtual bool ReadSkinStream(xDuiLib::CxQorResourceProvider& archive, void* pBuffer, DWORD dwSize);
    // Tells the user why the program cannot start. A plain system box: when this is needed the
    // resource module (and with it every text and the view library's box) is missing.
    // KORVEL_NO_STARTUP_BOX=1 in the environment keeps unattended runs from waiting on it.
    virtual void ShowStartupError(const CString& strText);

private:
    std::unique_ptr<BYTE[]> m_pSkinMemory; // the "QorSkin" stream, for the life of the process
    HMODULE m_hCrashRpt = nullptr;
    int m_nStartupExitCode = 0;            // non-zero when the start ended on a failure
};
