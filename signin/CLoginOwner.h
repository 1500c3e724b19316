#pragma once
// What the sign-in panel reaches of the main window and of the application: the main window's
// sign-in fields (written before WM_LOGIN_START is posted), its pointer to the panel, its frame
// settings and title, and the application's start-up flags and language code.
//
// The panel holds it by value as its "owner". Assigning a CKorvelBaseDlg* fills it from the
// real main window and the application object (CLoginOwner.cpp, linked only by the program that
// assigns one); a test fills the fields itself from a plain window of its own, so the panel never
// needs the main window's code to run.
// Every pointer is borrowed: the main window outlives its panel.
#include "framework/CString.h"
#include "framework/CWnd.h"
#include "platform/QorView/_PROXYINFO.h"

class CDialog;
class CWqCoolDlg;
class CxFrameHelper;
class CKorvelBaseDlg;

class CLoginOwner {
public:
    CLoginOwner() = default;
    // The main window (null empties the owner).
    CLoginOwner& operator=(CKorvelBaseDlg* pMainDlg);

    // Null when there is no main window.
    explicit operator bool() const { return m_pWnd != nullptr; }
    bool operator!() const { return m_pWnd == nullptr; }
    HWND GetSafeHwnd() const { return m_pWnd ? m_pWnd->GetSafeHwnd() : nullptr; }

    // The application's start-up flags and language code ("CHS" without an application).
    int GetStartupFlags() const { return m_pStartupFlags ? *m_pStartupFlags : 0; }
    CString GetLanguage() const { return m_pLanguage ? *m_pLanguage : CString(L"CHS"); }

    CWnd* m_pWnd = nullptr;                 // the main window itself
    CString* m_pLoginName = nullptr;        // sign-in fields of the next sign-in
    CString* m_pPassword = nullptr;
    int* m_pPasswordType = nullptr;         // 0 = typed in the panel
    CString* m_pServerAddr = nullptr;
    int* m_pServerPort = nullptr;
    CString* m_pServerName = nullptr;
    int* m_pLoginStatus = nullptr;
    int* m_pLoginFlags = nullptr;           // 0x200 Windows-account sign-in
    _PROXYINFO* m_pProxyInfo = nullptr;
    CDialog** m_ppLoginDlg = nullptr;       // the main window's pointer to the panel
    CWqCoolDlg* m_pCoolDlg = nullptr;       // the main window as the view library's dialog base
    CxFrameHelper* m_pFrameHelper = nullptr;
    const int* m_pStartupFlags = nullptr;
    const CString* m_pLanguage = nullptr;
};
