#pragma once
// The sign-in panel's test fixture, shared by the test files of the panel and of the dialogs it
// opens: the resource module, a private profile and work folder for the view library's settings,
// scripted message boxes, the main window (TestLoginOwner) with the panel laid over it, and a
// network settings runner that answers as the test says.
#include "framework/Platform.h"
#include "framework/ModuleState.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "signin/CKorvelLoginDlg.h"
#include "tests/signin/TestLoginOwner.h"
#include "tests/support/DialogControls.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <fstream>
#include <iterator>
#include <string>

// The network settings as the panel's tests answer them: counted, with the lock recorded, and
// with IDOK a chosen server (and, when asked, the deletion of the server list).
inline int g_netSettingsRuns = 0;
inline bool g_netSettingsLocked = false;
inline INT_PTR g_netSettingsAnswer = IDCANCEL;
inline bool g_netSettingsDeletes = false;
inline INT_PTR FakeNetSettings(CWnd*, ILoginOwner*, CString& strAddress, int& nPort, bool bLocked, bool& bDeleted)
{
    ++g_netSettingsRuns;
    g_netSettingsLocked = bLocked;
    bDeleted = g_netSettingsDeletes;
    if (g_netSettingsAnswer == IDOK && !g_netSettingsDeletes) {
        strAddress = L"chosen.example";
        nPort = 7001;
    }
    return g_netSettingsAnswer;
}

using testsupport::Control;

inline CString WindowText(HWND hWnd)
{
    wchar_t buffer[256] = {};
    ::GetWindowTextW(hWnd, buffer, 256);
    return buffer;
}

inline void WriteFile(const std::wstring& path, const char* text)
{
    std::ofstream out(path.c_str(), std::ios::binary);
    out << text;
}

inline std::string ReadFile(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class LoginPanel : public ::testing::Test {
protected:
    void SetUp() override
    {
        module_ = ::LoadLibraryW((testsupport::ExeDir() + L"\\QorResource.dll").c_str());
        ASSERT_NE(nullptr, module_);
        oldResource_ = AfxGetResourceHandle();
        AfxSetResourceHandle(module_);
        profile_ = testsupport::TempDir(L"signin_profile");
        work_ = testsupport::TempDir(L"signin_work");
        qorview_test::SetProfileRoot(profile_);
        qorview_test::SetWorkDir(work_);
        qorview_test::ClearCalls();
        qorview_test::ClearMessageBoxAnswers();
        qorview_test::SetDefaultMessageBoxAnswer(IDOK);
        CQorViewMgr* mgr = CQorViewMgr::Instance();
        mgr->m_strLastAccount.Empty();
        mgr->m_strLastPassword.Empty();
        mgr->m_bNetSetOpen = 0;
        g_netSettingsRuns = 0;
        g_netSettingsAnswer = IDCANCEL;
        g_netSettingsDeletes = false;
        CKorvelLoginDlg::SetNetSettingsRunner(&FakeNetSettings);
    }
    void TearDown() override
    {
        CloseMain();
        CKorvelLoginDlg::SetNetSettingsRunner(nullptr);
        qorview_test::SetProfileRoot(L"");
        qorview_test::SetWorkDir(L"");
        qorview_test::SetDefaultMessageBoxAnswer(0);
        testsupport::RemoveTree(profile_);
        testsupport::RemoveTree(work_);
        AfxSetResourceHandle(oldResource_);
        ::FreeLibrary(module_);
    }

    // The main window with the panel laid over it, as the main window shows it.
    CKorvelLoginDlg* OpenPanel()
    {
        if (!main_) {
            main_ = new TestLoginOwner();
            main_->startupFlags = startupFlags_;
            main_->language = language_;
            if (!main_->Create(IDD_MAIN_WINDOW, nullptr))
                return nullptr;
        }
        auto* panel = new CKorvelLoginDlg(main_);
        if (!panel->Create(IDD_LOGIN_DIALOG, main_)) {
            delete panel;
            return nullptr;
        }
        main_->pLoginDlg = panel;
        RECT rc;
        ::GetClientRect(main_->GetSafeHwnd(), &rc);
        panel->MoveWindow(0, 0, rc.right, rc.bottom);
        panel->ShowWindow(SW_SHOW);
        main_->ShowWindow(SW_SHOW);
        testsupport::PumpMessages();
        return panel;
    }
    // The panel over a main window of the size a user sees it at (320 x 600).
    CKorvelLoginDlg* OpenPanelAtUserSize()
    {
        CKorvelLoginDlg* panel = OpenPanel();
        if (!panel)
            return nullptr;
        main_->SetWindowPos(nullptr, 40, 40, 320, 600, SWP_NOZORDER);
        RECT rc;
        ::GetClientRect(main_->GetSafeHwnd(), &rc);
        panel->MoveWindow(0, 0, rc.right, rc.bottom);
        return panel;
    }
    // The panel goes with its window and clears the main window's pointer to it.
    void ClosePanel()
    {
        if (main_ && main_->pLoginDlg) {
            main_->pLoginDlg->DestroyWindow();
            testsupport::PumpMessages();
        }
    }
    void CloseMain()
    {
        ClosePanel();
        if (main_) {
            main_->DestroyWindow();
            delete main_;
            main_ = nullptr;
        }
        testsupport::PumpMessages();
    }
    static void SaveServers(std::initializer_list<_SERVERITEM> items)
    {
        CServerItemArray list;
        for (const _SERVERITEM& item : items)
            list.Add(item);
        CQorViewBaseFun::SaveServerList(list);
    }
    static _SERVERITEM Server(LPCWSTR address, LPCWSTR name, int port)
    {
        _SERVERITEM item;
        item.strServer = address;
        item.strName = name;
        item.nPort = port;
        return item;
    }
    static void Click(CWnd& button)
    {
        ::SendMessageW(button.GetSafeHwnd(), BM_CLICK, 0, 0);
        testsupport::PumpMessages();
    }
    // Types a text into the chooser's edit part as a user would (the chooser reports
    // CBN_EDITCHANGE to the panel).
    static void TypeServer(CKorvelLoginDlg* panel, LPCWSTR text)
    {
        HWND edit = ::GetWindow(Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).GetSafeHwnd(), GW_CHILD);
        ASSERT_NE(nullptr, edit);
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        for (LPCWSTR p = text; *p; ++p)
            ::SendMessageW(edit, WM_CHAR, *p, 1);
        testsupport::PumpMessages();
    }
    static void ChooseServer(CKorvelLoginDlg* panel, int item)
    {
        Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).SetCurSel(item);
        ::SendMessageW(panel->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_SERVER_COMBO, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Control<CFlatComboBox>(panel, IDC_SERVER_COMBO).GetSafeHwnd()));
        testsupport::PumpMessages();
    }
    static void SetText(CWnd& wnd, LPCWSTR text) { ::SetWindowTextW(wnd.GetSafeHwnd(), text); }
    // The company policy that nothing of a sign-in may be kept: set while bForbid, else removed.
    static void ForbidKeepingSignInData(bool bForbid)
    {
        const wchar_t path[] = L"SOFTWARE\\KorvelSoft\\Korvel";
        if (!bForbid) {
            ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, path, L"CantSaveLoginInfo");
            return;
        }
        HKEY key = nullptr;
        ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        DWORD zero = 0;
        ::RegSetValueExW(key, L"CantSaveLoginInfo", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof(zero));
        ::RegCloseKey(key);
    }

    HMODULE module_ = nullptr;
    HINSTANCE oldResource_ = nullptr;
    std::wstring profile_, work_;
    TestLoginOwner* main_ = nullptr;
    int startupFlags_ = 0;
    CString language_ = L"CHS";
};
