#include "app/CKorvelApp.h"
#include "app/CKorvelBaseDlg.h"
#include "app/CKorvelModule.h"
#include "app/CLoginPanelHost.h"
#include "app/CRSDatabasePath.h"
#include "app/CStartupTrace.h"
#include "common/CWqStringMgr.h"
#include "framework/AfxOle.h"
#include "framework/CCommandLineInfo.h"
#include "framework/CStringArray.h"
#include "platform/CrashRpt/CrashRpt.h"
#include "platform/FileTransfer/RSDatabaseHelper.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorMessageBox.h"
#include "platform/xDUI/CResourceManager.h"
#include "platform/xDUI/CxQorResourceProvider.h"
#include <gdiplus.h>
#include <cwchar>

namespace {

CKorvelApp* s_pKorvelApp = nullptr;

const wchar_t kResourceModule[] = L"QorResource.dll";
const wchar_t kSkinArchive[] = L"res.adat";
const wchar_t kSkinStream[] = L"QorSkin";
const wchar_t kExtractedSkin[] = L"qor_res.dat";

// The maker's crash-report account and upload host.
const wchar_t kCrashMailTo[] = L"crashreport@korvelsoft.com";
const wchar_t kCrashSmtpServer[] = L"smtp.korvelsoft.com";
const wchar_t kCrashSmtpUser[] = L"crashreport@korvelsoft.com";
const wchar_t kCrashSmtpPassword[] = L"Kv7rPq2xLm9sTb4n";
const wchar_t kCrashUploadUrl[] = L"http://crash.korvelsoft.com:1000/public/upload.aspx?op=upload_all";

CString ModuleFolder(HMODULE module)
{
    wchar_t path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameW(module, path, MAX_PATH);
    CString folder(path, static_cast<int>(n));
    int slash = folder.ReverseFind(L'\\');
    return slash >= 0 ? folder.Left(slash) : CString();
}

} // namespace

CKorvelApp::CKorvelApp() : CWinApp(L"Korvel")
{
    // The program's own static objects come after every library's: what lies before this mark
    // is loading and starting the libraries.
    CStartupTrace::Mark(L"program-entry");
    ::InitializeCriticalSection(&m_csAccount);
    if (!s_pKorvelApp)
        s_pKorvelApp = this;
}

CKorvelApp::~CKorvelApp()
{
    if (m_hAccountMutex)
        ::CloseHandle(m_hAccountMutex);
    ::DeleteCriticalSection(&m_csAccount);
    if (s_pKorvelApp == this)
        s_pKorvelApp = nullptr;
}

CKorvelApp* CKorvelApp::GetApp()
{
    return s_pKorvelApp;
}

CKorvelBaseDlg* CKorvelApp::GetMainDlg()
{
    return s_pKorvelApp ? s_pKorvelApp->m_pMainDlg : nullptr;
}

IConsoleOwner* CKorvelApp::GetConsoleOwner()
{
    return GetMainDlg();
}

HWND CKorvelApp::GetMainHwnd()
{
    CKorvelBaseDlg* pMain = GetMainDlg();
    return pMain ? pMain->GetSafeHwnd() : nullptr;
}

AFX_MODULE_STATE* CKorvelApp::GetCallModuleState()
{
    return (s_pKorvelApp && s_pKorvelApp->m_pModuleState) ? s_pKorvelApp->m_pModuleState : AfxGetModuleState();
}

BOOL CKorvelApp::InitInstance()
{
    CStartupTrace::Mark(L"libraries-loaded");
    Gdiplus::GdiplusStartupInput gdiplusInput;
    if (Gdiplus::GdiplusStartup(&m_gdiplusToken, &gdiplusInput, nullptr) != Gdiplus::Ok)
        m_gdiplusToken = 0;

    CStartupTrace::Mark(L"gdiplus");
    m_strProgramDir = ModuleFolder(nullptr);
    if (!LoadResourceModule())
        return FALSE;

    CString skinFolder = CQorViewBaseFun::GetMySkinFilePathInfo();
    if (skinFolder.IsEmpty()) {
        m_nStartupExitCode = STARTUP_EXIT_NO_SKIN;
        return FALSE;
    }
    CStartupTrace::Mark(L"resource-module");
    if (!PrepareSkin(skinFolder))
        return FALSE;
    CStartupTrace::Mark(L"skin-archive");

    SetWindowMessageFilter(WM_DROPFILES, TRUE);
    SetWindowMessageFilter(WM_COPYDATA, TRUE);
    SetWindowMessageFilter(0x49, TRUE);

    if (!StartComServer())
        return FALSE;

    CStartupTrace::Mark(L"com-server");
    if (!StartOle()) {
        m_nStartupExitCode = STARTUP_EXIT_NO_OLE;
        return FALSE;
    }
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (cmdInfo.m_bRunEmbedded || cmdInfo.m_bRunAutomated) {
        // Started by COM only to serve objects: nobody will close a window, so the process
        // ends when the last object it served is released.
        if (CComModule* module = CComModule::GetModule())
            module->SetExitWhenUnlocked(TRUE);
        return TRUE;
    }

    m_pModuleState = AfxGetModuleState();
    m_hResource = AfxGetResourceHandle();

    CStartupTrace::Mark(L"ole");
    InstallCrashReporter();
    CStartupTrace::Mark(L"crash-reporter");
    OpenFileTransferStore();
    CStartupTrace::Mark(L"transfer-store");

    ParseStartupArgs(m_lpCmdLine ? CString(m_lpCmdLine) : CString());
    ReadBootStartupFlags();

    CQorViewMgr::Instance();
    CStartupTrace::Mark(L"view-library");
    CLoginPanelHost::InstallDialogs();

    CKorvelBaseDlg* pDlg = new CKorvelBaseDlg();
    HandSignInFields(*pDlg);
    m_pMainDlg = pDlg;
    if (!pDlg->Create(IDD_MAIN_WINDOW, nullptr)) {
        delete pDlg;
        m_pMainDlg = nullptr;
        m_nStartupExitCode = STARTUP_EXIT_NO_MAIN_WINDOW;
        return FALSE;
    }
    CStartupTrace::Mark(L"main-window");
    m_pMainWnd = pDlg;
    pDlg->ShowWindow(SW_HIDE);
    pDlg->ShowWindow(SW_SHOW);
    CStartupTrace::Mark(L"shown");
    return TRUE;
}

BOOL CKorvelApp::StartOle()
{
    // One initialisation, through the framework (the control container asks for it too), so
    // that one OleUninitialize at exit balances it.
    AfxEnableControlContainer();
    ::LoadLibraryW(L"riched20.dll");
    return AfxOleInit();
}

int CKorvelApp::ExitInstance()
{
    // OLE ends before COM: OleUninitialize flushes what the program left on the clipboard, so
    // that a text copied from the client can still be pasted after it has gone.
    AfxOleTerm();
    if (m_bComStarted) {
        if (CComModule* module = CComModule::GetModule()) {
            module->RevokeClassObjects();
            module->Term();
        }
        ::CoUninitialize();
        m_bComStarted = 0;
    }
    if (m_gdiplusToken) {
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
        m_gdiplusToken = 0;
    }
    UninstallCrashReporter();
    m_pMainDlg = nullptr;
    int code = CWinApp::ExitInstance();
    return m_nStartupExitCode ? m_nStartupExitCode : code;
}

void CKorvelApp::HandSignInFields(ILoginOwner& dlg) const
{
    if (m_strLoginName.IsEmpty())
        return;
    LoginFields fields = dlg.GetLoginFields();
    fields.strLoginName = m_strLoginName;
    fields.strPassword = m_strPassword;
    fields.nPasswordType = m_nPwdType;
    fields.strServerAddr = m_strServer;
    fields.nServerPort = m_nPort;
    dlg.SetLoginFields(fields);
}

BOOL CKorvelApp::LoadResourceModule()
{
    CString path;
    path.Format(L"%s\\%s", m_strProgramDir.GetString(), kResourceModule);
    HINSTANCE hResource = ::LoadLibraryExW(path, nullptr, 0);
    if (!hResource) {
        // Without it there is no dialog, menu or text to show: the program cannot go on.
        CString text;
        text.Format(L"Korvel cannot start: its resource file could not be loaded.\n\n%s\n\n"
                    L"Please reinstall the program.",
                    path.GetString());
        m_nStartupExitCode = STARTUP_EXIT_NO_RESOURCES;
        ShowStartupError(text);
        return FALSE;
    }
    AfxSetResourceHandle(hResource);
    return TRUE;
}

void CKorvelApp::ShowStartupError(const CString& strText)
{
    m_strStartupError = strText;
    wchar_t quiet[8] = {};
    if (::GetEnvironmentVariableW(L"KORVEL_NO_STARTUP_BOX", quiet, 8) && quiet[0] == L'1')
        return;
    ::MessageBoxW(nullptr, strText, L"Korvel", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

bool CKorvelApp::ReadSkinStream(xDuiLib::CxQorResourceProvider& archive, void* pBuffer, DWORD dwSize)
{
    return archive.GetStream(kSkinStream, pBuffer, dwSize);
}

BOOL CKorvelApp::PrepareSkin(const CString& strSkinFolder)
{
    CString archivePath = strSkinFolder + L"\\" + kSkinArchive;
    CQorViewBaseFun::DeleteSkin(archivePath);

    HANDLE hArchive = ::CreateFileW(archivePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hArchive == INVALID_HANDLE_VALUE) {
        CString source;
        source.Format(L"%s\\%s", m_strProgramDir.GetString(), kSkinArchive);
        if (!::CopyFileW(source, archivePath, TRUE)) {
            m_nStartupExitCode = STARTUP_EXIT_NO_SKIN;
            return FALSE;
        }
    } else {
        ::CloseHandle(hArchive);
    }

    CQorViewBaseFun::SetMyDataSavePathInfo(CQorViewBaseFun::GetMyDataSavePathInfo());

    xDuiLib::CxQorResourceProvider archive;
    if (archive.SetFile(archivePath)) {
        DWORD size = archive.GetSize(kSkinStream);
        if (size != 0) {
            std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[size]);
            if (buffer && ReadSkinStream(archive, buffer.get(), size)) {
                m_pSkinMemory = std::move(buffer);
                m_ZipResourceProvider.SetMemory(m_pSkinMemory.get(), size);
            } else {
                CString extracted;
                extracted.Format(L"%s\\%s", m_strProgramDir.GetString(), kExtractedSkin);
                if (archive.ExtractToFile(kSkinStream, extracted))
                    m_ZipResourceProvider.SetFile(extracted);
            }
        }
    }

    if (!xDuiLib::UIGetResourceManager()->AddResourceProvider(&m_ZipResourceProvider, 0)) {
        CString caption = CQorViewBaseFun::LoadStringW(IDS_PRODUCT_TITLE);
        QorMessageBox(L"Load resource failed", caption, nullptr, MB_OK, MB_ICONWARNING);
        m_nStartupExitCode = STARTUP_EXIT_SKIN_REFUSED;
        return FALSE;
    }
    return TRUE;
}

void CKorvelApp::SetWindowMessageFilter(UINT message, BOOL bAdd)
{
    typedef BOOL(WINAPI * PFN_ChangeWindowMessageFilter)(UINT, DWORD);
    // Looked up once; a system without it keeps the answer "none" for the life of the process.
    static PFN_ChangeWindowMessageFilter pfn = reinterpret_cast<PFN_ChangeWindowMessageFilter>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilter")));
    if (pfn)
        pfn(message, bAdd ? 1 : 2);
}

CKorvelApp::ComSwitch CKorvelApp::FindComSwitch(LPCWSTR lpszCommandLine)
{
    if (!lpszCommandLine)
        return COM_SWITCH_NONE;
    for (LPCWSTR p = lpszCommandLine; *p; ++p) {
        if (*p != L'-' && *p != L'/')
            continue;
        // A switch of its own: a "-" or "/" inside a value (a password, a path) is not one.
        if (p != lpszCommandLine && p[-1] != L' ' && p[-1] != L'\t')
            continue;
        CString rest(p + 1);
        rest.TrimRight();
        if (rest.CompareNoCase(L"UnregServer") == 0)
            return COM_SWITCH_UNREGSERVER;
        if (rest.CompareNoCase(L"RegServer") == 0)
            return COM_SWITCH_REGSERVER;
    }
    return COM_SWITCH_NONE;
}

int CKorvelApp::StartComServer()
{
    m_bComStarted = 1;
    if (FAILED(::CoInitialize(nullptr))) {
        m_bComStarted = 0;
        m_nStartupExitCode = STARTUP_EXIT_NO_COM_SERVER;
        return 0;
    }
    auto* module = static_cast<CKorvelModule*>(CComModule::GetModule());
    if (!module || FAILED(module->InitServer(m_hInstance))) {
        m_bComStarted = 0;
        ::CoUninitialize();
        m_nStartupExitCode = STARTUP_EXIT_NO_COM_SERVER;
        return 0;
    }
    module->m_dwThreadID = ::GetCurrentThreadId();

    switch (FindComSwitch(::GetCommandLineW())) {
    case COM_SWITCH_UNREGSERVER: {
        HRESULT hr = module->UpdateRegistryFromResource(IDR_KORVEL, FALSE);
        HRESULT hr2 = module->UnregisterServer(TRUE);
        m_nStartupExitCode = (SUCCEEDED(hr) && SUCCEEDED(hr2)) ? 0 : STARTUP_EXIT_UNREGISTER_FAILED;
        m_bComStarted = 0;
        module->Term();
        ::CoUninitialize();
        return 0;
    }
    case COM_SWITCH_REGSERVER: {
        HRESULT hr = module->UpdateRegistryFromResource(IDR_KORVEL, TRUE);
        HRESULT hr2 = SUCCEEDED(hr) ? module->RegisterServer(TRUE) : hr;
        m_nStartupExitCode = SUCCEEDED(hr2) ? 0 : STARTUP_EXIT_REGISTER_FAILED;
        m_bComStarted = 0;
        module->Term();
        ::CoUninitialize();
        return 0;
    }
    case COM_SWITCH_NONE:
        break;
    }

    if (FAILED(module->RegisterClassObjects(CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE))) {
        m_bComStarted = 0;
        ::CoUninitialize();
        m_nStartupExitCode = STARTUP_EXIT_NO_COM_SERVER;
        return 0;
    }
    return 1;
}

void CKorvelApp::ParseStartupArgs(const CString& strCommandLine)
{
    CStringArray items;
    CWqStringMgr::TokenizeString(strCommandLine, &items, L"&");
    for (INT_PTR i = 0; i < items.GetSize(); ++i) {
        CString key, value;
        if (!SplitStartupItem(items[i], key, value))
            continue;

        if (key.CompareNoCase(L"server") == 0)
            m_strServer = value;
        else if (key.CompareNoCase(L"loginname") == 0)
            m_strLoginName = value;
        else if (key.CompareNoCase(L"password") == 0)
            m_strPassword = value;
        else if (key.CompareNoCase(L"receiver") == 0)
            m_strReceiver = value;
        else if (key.CompareNoCase(L"receivername") == 0)
            m_strReceiverName = value;
        else if (key.CompareNoCase(L"viewid") == 0)
            m_strViewId = value;
        else if (value.IsEmpty())
            continue; // an empty number keeps the field as it was
        else if (key.CompareNoCase(L"port") == 0)
            m_nPort = static_cast<int>(std::wcstol(value, nullptr, 10));
        else if (key.CompareNoCase(L"pwdtype") == 0)
            m_nPwdType = static_cast<int>(std::wcstol(value, nullptr, 10));
        else if (key.CompareNoCase(L"startup") == 0)
            m_nStartupFlags = static_cast<int>(std::wcstol(value, nullptr, 10));
    }
}

BOOL CKorvelApp::SplitStartupItem(const CString& strItem, CString& strKey, CString& strValue)
{
    int equals = strItem.Find(L'=');
    if (equals < 0)
        return FALSE;
    strKey = strItem.Left(equals);
    strValue = strItem.Mid(equals + 1);
    strKey.Trim();
    strValue.Trim();
    return TRUE;
}

void CKorvelApp::ReadBootStartupFlags()
{
    CString bootIni = m_strProgramDir + L"\\boot.ini";
    int value = static_cast<int>(::GetPrivateProfileIntW(L"StartUp", L"Value", 0, bootIni));
    if (value > 0)
        m_nStartupFlags |= value;
}

void CKorvelApp::InstallCrashReporter()
{
    if (!m_hCrashRpt)
        m_hCrashRpt = ::LoadLibraryW(L"CrashRpt.dll");
    if (!m_hCrashRpt)
        return;
    auto install = reinterpret_cast<PFN_crInstallW>(
        reinterpret_cast<void*>(::GetProcAddress(m_hCrashRpt, MAKEINTRESOURCEA(CRASHRPT_ORD_INSTALL))));
    auto setUpload = reinterpret_cast<PFN_crSetUploadW>(
        reinterpret_cast<void*>(::GetProcAddress(m_hCrashRpt, MAKEINTRESOURCEA(CRASHRPT_ORD_SET_UPLOAD))));
    auto addProperty = reinterpret_cast<PFN_crAddPropertyW>(
        reinterpret_cast<void*>(::GetProcAddress(m_hCrashRpt, MAKEINTRESOURCEA(CRASHRPT_ORD_ADD_PROPERTY))));

    CString appName = CQorViewBaseFun::LoadStringW(IDS_PRODUCT_TITLE);
    CString version = CQorViewBaseFun::GetAppVerInfo(m_dwVersion);
    CString title = appName;
    CString subject;
    subject.Format(L"%s Error Report", title.GetString());

    if (install) {
        CR_INSTALL_INFOW info;
        ::ZeroMemory(&info, sizeof(info));
        info.cb = static_cast<WORD>(sizeof(info));
        info.pszAppName = appName;
        info.pszAppVersion = version;
        info.pszEmailTo = kCrashMailTo;
        info.pszEmailSubject = subject;
        info.pszSmtpServer = kCrashSmtpServer;
        info.pszSmtpLogin = kCrashSmtpUser;
        info.pszSmtpPassword = kCrashSmtpPassword;
        install(&info);
    }
    if (setUpload)
        setUpload(title, kCrashUploadUrl, 0, CRASHRPT_FLAGS_DEFAULT);
    if (addProperty) {
        CString productName;
        {
            wchar_t* text = nullptr;
            int n = ::LoadStringW(AfxGetResourceHandle(), IDS_PRODUCT_NAME, reinterpret_cast<LPWSTR>(&text), 0);
            if (n > 0 && text)
                productName = CString(text, n);
        }
        if (productName.IsEmpty())
            productName = L"Generic";
        CString buildDate;
        buildDate.Format(L"%S %S", __DATE__, __TIME__);
        addProperty(L"ProductType", title);
        addProperty(L"ProductName", productName);
        addProperty(L"VersionNumber", version);
        addProperty(L"BuildDate", buildDate);
        addProperty(L"AssembleDate", L"20xx-xx-xx xx:xx");
    }
}

void CKorvelApp::UninstallCrashReporter()
{
    if (!m_hCrashRpt)
        return;
    auto uninstall = reinterpret_cast<PFN_crUninstall>(
        reinterpret_cast<void*>(::GetProcAddress(m_hCrashRpt, MAKEINTRESOURCEA(CRASHRPT_ORD_UNINSTALL))));
    if (uninstall)
        uninstall();
}

void CKorvelApp::OpenFileTransferStore()
{
    // The wide module name, so that a folder outside the ANSI code page still names the file.
    CString folder = ModuleFolder(AfxGetResourceHandle());
    CString path;
    path.Format(L"%s\\%s", folder.GetString(), L"RS.Dat");
    CRSDatabasePath holder;
    holder.Set(path);
    RSDatabaseHelper::GetInstance()->Init(holder.Get());
}
